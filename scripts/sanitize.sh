#!/usr/bin/env bash
# Builds Legato with AddressSanitizer (with LeakSanitizer) and
# UndefinedBehaviorSanitizer into its own folder (./build-asan or
# $LEGATO_ASAN_BUILD_DIR) and runs the whole test suite there. Any finding
# fails the test that caused it: undefined behaviour aborts (no recovery), and
# a leak turns the exit status of the test, or of the program it started,
# into a failure.
#
#   scripts/sanitize.sh [CTEST-ARGS...]     e.g. -R BinaryFile to run some tests
#
# The programs that tests start (cadenza-cli, jukebox, regsvr32, ...) come
# from the same build folder, so they run sanitized too and inherit the
# options below. Qt and the system libraries are not instrumented; what they
# keep until the process ends (PulseAudio's client context) is suppressed by
# library name in scripts/sanitize.supp, never the project's own leaks.
#
# The tests that kill a writer at random moments or set a file-size limit keep
# their meaning here: they time the sanitized writer before they aim, and the
# limited child leaves through _exit, so no leak check runs in it.
#
# It is not part of CI (.ci/run): a second full build would take CI past half
# its time limit on two cores.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

build="${LEGATO_ASAN_BUILD_DIR:-build-asan}"
sanitize="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
# -O1 keeps the instrumented tests quick without hiding stack traces; the
# standard library's own bounds checks come on top.
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g -D_GLIBCXX_ASSERTIONS" \
    -DCMAKE_CXX_FLAGS="$sanitize" \
    -DCMAKE_EXE_LINKER_FLAGS="$sanitize" -DCMAKE_SHARED_LINKER_FLAGS="$sanitize" \
    -DCMAKE_MODULE_LINKER_FLAGS="$sanitize" \
    -DLEGATO_BUILD_BENCH=OFF "${launcher[@]}" >/dev/null
cmake --build "$build" -j "$(nproc)"

supp="$PWD/scripts/sanitize.supp"
# Tests that configure a CMake project of their own (the installed-package
# consumer) build it sanitized too, as a program linking the sanitized
# libraries must be.
export CXXFLAGS="$sanitize" LDFLAGS="$sanitize"
export ASAN_OPTIONS="detect_leaks=1:check_initialization_order=1:strict_init_order=1:detect_stack_use_after_return=1"
export LSAN_OPTIONS="suppressions=$supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
QT_QPA_PLATFORM=offscreen ctest --test-dir "$build" --output-on-failure -j "$(nproc)" --timeout 900 "$@"
