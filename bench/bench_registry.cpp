// Times a registry text query as the player remote and the information window
// make it (RegOpenKeyExA + two RegQueryValueExA + RegCloseKey; every query
// reads the root's file again so other processes' writes are seen) against the
// floor of that design: open + read + close of the same file. Prints queries
// per second and the ratio to the floor, for a registry of the build's size and
// for a large one; each figure is the best of several rounds.
//
// usage: bench_registry [QUERIES] [ROUNDS]   (defaults 2000 and 5)
#include "Platform/Registry.h"
#include "Platform/RegistryStore.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <functional>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

double rate(int queries, int rounds, const std::function<bool()>& op)
{
    double best = 0;
    for (int r = 0; r < rounds; ++r) {
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < queries; ++i) {
            if (!op()) {
                std::fprintf(stderr, "query failed\n");
                std::exit(1);
            }
        }
        const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        best = std::max(best, queries / s);
    }
    return best;
}

bool query()
{
    using namespace Platform;
    HKEY key = 0;
    RegOpenKeyExA(HKEY_CLASSES_ROOT, "Jukebox.File\\shell\\open\\command", 0, 0x3F, &key);
    std::uint32_t type = 0, size = 0;
    if (RegQueryValueExA(key, "", nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return false;
    std::vector<std::uint8_t> buffer(size);
    const bool ok = RegQueryValueExA(key, "", nullptr, &type, buffer.data(), &size) == ERROR_SUCCESS;
    RegCloseKey(key);
    return ok;
}

bool readFile(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    char buf[65536];
    ssize_t n;
    while ((n = ::read(fd, buf, sizeof buf)) > 0) {
    }
    ::close(fd);
    return n == 0;
}

} // namespace

int main(int argc, char** argv)
{
    const int queries = argc > 1 ? std::atoi(argv[1]) : 2000;
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 5;
    char folder[] = "/tmp/legato-bench-registry-XXXXXX";
    if (!mkdtemp(folder))
        return 1;
    setenv("LEGATO_REGISTRY_DIR", folder, 1);
    const std::string file = Platform::RegistryFile(Platform::RegistryRoot::ClassesRoot);

    for (const int extraKeys : {30, 3000}) {
        Platform::UpdateRegistry(Platform::RegistryRoot::ClassesRoot, [&](Platform::RegistryHive& h) {
            h.setString("Jukebox.File\\shell\\open\\command", "", "\"/usr/bin/jukebox\" \"%1\"");
            for (int i = 0; i < extraKeys; ++i)
                h.setString("CLSID\\{" + std::to_string(i) + "}\\InprocServer32", "", "/usr/lib/libX.so");
        });
        const double floor = rate(queries, rounds, [&] { return readFile(file); });
        const double measured = rate(queries, rounds, query);
        std::printf("registry with %d keys: %.0f queries/s, file read floor %.0f/s, ratio %.2f\n",
                    extraKeys * 2, measured, floor, floor / measured);
    }
    std::system((std::string("rm -rf ") + folder).c_str());
    return 0;
}
