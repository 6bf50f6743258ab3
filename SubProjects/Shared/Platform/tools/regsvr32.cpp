// regsvr32 [/u] [/s] LIBRARY
// Registers (or with /u unregisters) a component library in the registry of
// Platform::RegistryFolder(): loads it and calls its exported
// LegatoRegisterServer / LegatoUnregisterServer. /s prints nothing on success.
// Exit codes: 0 done, 1 bad arguments, 3 library not loadable, 4 not a
// component library, 5 the registration itself failed.
#include "Platform/RegistryStore.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <string>

int main(int argc, char** argv)
{
    bool unregister = false, silent = false;
    const char* library = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (strcasecmp(argv[i], "/u") == 0 || strcmp(argv[i], "-u") == 0)
            unregister = true;
        else if (strcasecmp(argv[i], "/s") == 0 || strcmp(argv[i], "-s") == 0)
            silent = true;
        else if (!library)
            library = argv[i];
        else
            library = nullptr, i = argc;
    }
    if (!library) {
        std::fprintf(stderr, "usage: regsvr32 [/u] [/s] LIBRARY\n");
        return 1;
    }
    char resolved[PATH_MAX];
    const char* path = realpath(library, resolved) ? resolved : library;
    void* handle = dlopen(path, RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        std::fprintf(stderr, "regsvr32: cannot load %s: %s\n", library, dlerror());
        return 3;
    }
    const char* entry = unregister ? "LegatoUnregisterServer" : "LegatoRegisterServer";
    auto function = reinterpret_cast<int (*)()>(dlsym(handle, entry));
    if (!function) {
        std::fprintf(stderr, "regsvr32: %s has no entry point %s\n", library, entry);
        return 4;
    }
    if (function() != 0) {
        std::fprintf(stderr, "regsvr32: %s failed for %s\n", entry, library);
        return 5;
    }
    if (!silent)
        std::printf("%s succeeded for %s (registry %s).\n", entry, path, Platform::RegistryFolder().c_str());
    return 0;
}
