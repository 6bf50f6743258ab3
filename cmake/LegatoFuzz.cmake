# LEGATO_FUZZ: every target is compiled with the instrumentation libFuzzer,
# AddressSanitizer and UndefinedBehaviorSanitizer need, so the fuzz targets in
# fuzz/ see into the libraries they drive. Needs clang with its runtime
# (Debian: clang-14, libclang-rt-14-dev); scripts/fuzz.sh sets it all up in a
# build folder of its own.
if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "LEGATO_FUZZ needs clang (CMAKE_CXX_COMPILER=clang++-14)")
endif()
set(LEGATO_SANITIZERS "address,undefined")
add_compile_options(-fsanitize=fuzzer-no-link,${LEGATO_SANITIZERS} -fno-sanitize-recover=all
    -fno-omit-frame-pointer)
add_link_options(-fsanitize=${LEGATO_SANITIZERS})

# legato_fuzz_target(name SOURCES ... LIBS ...): one libFuzzer program.
function(legato_fuzz_target name)
    cmake_parse_arguments(F "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${F_SOURCES})
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
    target_link_libraries(${name} PRIVATE ${F_LIBS})
    legato_warnings(${name})
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/fuzz")
    add_dependencies(legato_fuzz ${name})
endfunction()
