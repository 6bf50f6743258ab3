#pragma once

#include "Platform/Component.h"

#include <cstddef>
#include <string_view>

// What a component library provides. legato_component() in CMake generates the
// exported entry points from its class table; the library itself only defines
// CreateComponentObject. The entry points are looked up with dlsym:
//     int LegatoRegisterServer()            0 on success
//     int LegatoUnregisterServer()          0 on success
//     Platform::Object* LegatoCreateInstance(const char* clsid)   nullptr: unknown class
namespace Platform {

struct ComponentClass
{
    const char* progId;
    const char* clsid;
    const char* description;
};

// Defined by each component library; kept local to it, so libraries loaded side
// by side never call each other's factory.
__attribute__((visibility("hidden"))) Object* CreateComponentObject(std::string_view progId);

// Writes (or removes) the registration of the classes; used by the generated
// entry points. Return 0 on success, else print the reason to stderr and
// return 1.
int RegisterComponentClasses(const std::string& libraryPath, const ComponentClass* classes,
                             std::size_t count);
int UnregisterComponentClasses(const ComponentClass* classes, std::size_t count);

// The absolute path of the module that holds the given address (ModuleFileName
// in VersionInfo.h, which also resolves the main program to its own file).
std::string ModulePath(const void* address);

} // namespace Platform
