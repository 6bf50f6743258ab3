// regsvr32 [/u] [/s] [--as PATH] LIBRARY
// Registers (or with /u unregisters) a component library in the registry of
// Platform::RegistryFolder(): loads it and calls its exported
// LegatoRegisterServer / LegatoUnregisterServer. /s prints nothing on success.
// --as registers the library under the absolute PATH it will be installed at
// instead of where it is loaded from (LegatoRegisterServerAt), as a package
// build does.
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
    const char* installedAt = nullptr;
    bool wrong = false;
    for (int i = 1; i < argc; ++i) {
        if (strcmp(argv[i], "--as") == 0 && i + 1 < argc && argv[i + 1][0] == '/')
            installedAt = argv[++i];
        else if (strcmp(argv[i], "--as") == 0)
            wrong = true, i = argc;
        else if (strcasecmp(argv[i], "/u") == 0 || strcmp(argv[i], "-u") == 0)
            unregister = true;
        else if (strcasecmp(argv[i], "/s") == 0 || strcmp(argv[i], "-s") == 0)
            silent = true;
        else if (!library)
            library = argv[i];
        else
            library = nullptr, i = argc;
    }
    if (!library || wrong || (unregister && installedAt)) {
        std::fprintf(stderr, "usage: regsvr32 [/u] [/s] [--as PATH] LIBRARY\n");
        return 1;
    }
    char resolved[PATH_MAX];
    const char* path = realpath(library, resolved) ? resolved : library;
    void* handle = dlopen(path, RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        std::fprintf(stderr, "regsvr32: cannot load %s: %s\n", library, dlerror());
        return 3;
    }
    const char* entry = unregister    ? "LegatoUnregisterServer"
                        : installedAt ? "LegatoRegisterServerAt"
                                      : "LegatoRegisterServer";
    void* function = dlsym(handle, entry);
    if (!function) {
        std::fprintf(stderr, "regsvr32: %s has no entry point %s\n", library, entry);
        return 4;
    }
    const int rc = installedAt ? reinterpret_cast<int (*)(const char*)>(function)(installedAt)
                               : reinterpret_cast<int (*)()>(function)();
    if (rc != 0) {
        std::fprintf(stderr, "regsvr32: %s failed for %s\n", entry, library);
        return 5;
    }
    if (!silent)
        std::printf("%s succeeded for %s (registry %s).\n", entry, installedAt ? installedAt : path,
                    Platform::RegistryFolder().c_str());
    return 0;
}
