#include "Platform/Component.h"

#include "Platform/ComponentExports.h"
#include "Platform/RegistryStore.h"
#include "Platform/VersionInfo.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>
#include <mutex>

namespace Platform {

namespace {

constexpr const char* kCantCreate = "ActiveX component can't create object";

RuntimeError cantCreate(const std::string& progId, const std::string& why)
{
    return RuntimeError(ErrCantCreateObject, progId, std::string(kCantCreate) + " (" + why + ")");
}

std::string defaultText(const RegistryHive& hive, const std::string& key)
{
    const RegistryValue* v = hive.findValue(key, "");
    if (!v || (v->type != 1 && v->type != 2))
        return {};
    std::string text = v->data;
    while (!text.empty() && text.back() == '\0')
        text.pop_back();
    return text;
}

using Factory = Object* (*)(const char*);

} // namespace

std::shared_ptr<Object> CreateObject(const std::string& progId)
{
    RegistryHive hive;
    try {
        hive = LoadRegistry(RegistryRoot::ClassesRoot);
    } catch (const RuntimeError& e) {
        throw cantCreate(progId, "registry unreadable: " + e.Description());
    }
    const std::string clsid = defaultText(hive, progId + "\\Clsid");
    if (clsid.empty())
        throw cantCreate(progId, "class not registered");
    const std::string library = defaultText(hive, "CLSID\\" + clsid + "\\InprocServer32");
    if (library.empty())
        throw cantCreate(progId, "no library registered for " + clsid);

    // Loaded libraries stay loaded: objects they made may outlive any caller.
    void* handle = dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* err = dlerror();
        throw cantCreate(progId, err ? err : library);
    }
    auto factory = reinterpret_cast<Factory>(dlsym(handle, "LegatoCreateInstance"));
    if (!factory)
        throw cantCreate(progId, library + " is not a component library");
    Object* object = factory(clsid.c_str());
    if (!object)
        throw cantCreate(progId, library + " does not provide " + clsid);
    return std::shared_ptr<Object>(object);
}

int RegisterComponentClasses(const std::string& libraryPath, const ComponentClass* classes, std::size_t count)
{
    try {
        UpdateRegistry(RegistryRoot::ClassesRoot, [&](RegistryHive& h) {
            for (std::size_t i = 0; i < count; ++i) {
                const ComponentClass& c = classes[i];
                const std::string clsKey = std::string("CLSID\\") + c.clsid;
                h.setString(c.progId, "", c.description);
                h.setString(std::string(c.progId) + "\\Clsid", "", c.clsid);
                h.setString(clsKey, "", c.description);
                h.setString(clsKey, "ProgID", c.progId);
                h.setString(clsKey + "\\InprocServer32", "", libraryPath);
            }
        });
        return 0;
    } catch (const RuntimeError& e) {
        std::fprintf(stderr, "%s: %s\n", RegistryFolder().c_str(), e.Description().c_str());
        return 1;
    }
}

int UnregisterComponentClasses(const ComponentClass* classes, std::size_t count)
{
    try {
        UpdateRegistry(RegistryRoot::ClassesRoot, [&](RegistryHive& h) {
            for (std::size_t i = 0; i < count; ++i) {
                h.deleteTree(classes[i].progId);
                h.deleteTree(std::string("CLSID\\") + classes[i].clsid);
            }
        });
        return 0;
    } catch (const RuntimeError& e) {
        std::fprintf(stderr, "%s: %s\n", RegistryFolder().c_str(), e.Description().c_str());
        return 1;
    }
}

std::string ModulePath(const void* address)
{
    return ModuleFileName(address);
}

} // namespace Platform
