#include "Platform/Registry.h"

#include "Platform/RegistryStore.h"

#include <cstring>
#include <map>
#include <mutex>
#include <string>

namespace Platform {

namespace {

struct OpenKey
{
    RegistryRoot root;
    std::string path;
};

std::mutex g_mutex;
std::map<HKEY, OpenKey> g_open;
HKEY g_next = 0x1000;

// Resolves a root or an open handle to the key it stands for.
bool resolve(HKEY key, OpenKey& out)
{
    if (key == HKEY_CLASSES_ROOT) {
        out = {RegistryRoot::ClassesRoot, {}};
        return true;
    }
    if (key == HKEY_CURRENT_USER) {
        out = {RegistryRoot::CurrentUser, {}};
        return true;
    }
    std::lock_guard lock(g_mutex);
    auto it = g_open.find(key);
    if (it == g_open.end())
        return false;
    out = it->second;
    return true;
}

} // namespace

LSTATUS RegOpenKeyExA(HKEY key, const char* subKey, std::uint32_t, std::uint32_t, HKEY* result)
{
    if (!result)
        return ERROR_INVALID_PARAMETER;
    *result = 0;
    OpenKey base;
    if (!resolve(key, base))
        return ERROR_INVALID_HANDLE;
    std::string path = base.path;
    if (subKey && *subKey) {
        if (!path.empty())
            path += '\\';
        path.append(subKey);
    }
    try {
        if (!CurrentRegistry(base.root)->keyExists(path))
            return ERROR_FILE_NOT_FOUND;
    } catch (...) {
        return ERROR_ACCESS_DENIED;
    }
    std::lock_guard lock(g_mutex);
    *result = g_next++;
    g_open[*result] = {base.root, path};
    return ERROR_SUCCESS;
}

LSTATUS RegQueryValueExA(HKEY key, const char* valueName, std::uint32_t*, std::uint32_t* type,
                         std::uint8_t* data, std::uint32_t* cbData)
{
    OpenKey open;
    if (!resolve(key, open))
        return ERROR_INVALID_HANDLE;
    if (data && !cbData)
        return ERROR_INVALID_PARAMETER;
    std::shared_ptr<const RegistryHive> hive;
    try {
        hive = CurrentRegistry(open.root);
    } catch (...) {
        return ERROR_ACCESS_DENIED;
    }
    if (!hive->keyExists(open.path))
        return ERROR_FILE_NOT_FOUND;
    const RegistryValue* value = hive->findValue(open.path, valueName ? valueName : "");
    if (!value)
        return ERROR_FILE_NOT_FOUND;
    if (type)
        *type = value->type;
    const auto size = static_cast<std::uint32_t>(value->data.size());
    if (!data) {
        if (cbData)
            *cbData = size;
        return ERROR_SUCCESS;
    }
    if (*cbData < size) {
        *cbData = size;
        return ERROR_MORE_DATA;
    }
    std::memcpy(data, value->data.data(), size);
    *cbData = size;
    return ERROR_SUCCESS;
}

LSTATUS RegCloseKey(HKEY key)
{
    std::lock_guard lock(g_mutex);
    return g_open.erase(key) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

} // namespace Platform
