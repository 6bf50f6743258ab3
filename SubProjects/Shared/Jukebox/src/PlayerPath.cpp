#include "PlayerPath.h"

#include "Jukebox/PlayerProtocol.h"

#include <cstring>
#include <strings.h>
#include <vector>

namespace Jukebox {

std::string PlayerPath::GetRegistryValue(Platform::HKEY root, const std::string& key,
                                         const std::string& valueName)
{
    using namespace Platform;
    std::string result;
    HKEY handle = 0;
    // Whether the open worked shows in the query that follows.
    RegOpenKeyExA(root, key.c_str(), 0, 0x3F, &handle);
    std::uint32_t type = 0, size = 0;
    if (RegQueryValueExA(handle, valueName.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
        (type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ) && size > 0) {
        std::vector<std::uint8_t> buffer(size);
        if (RegQueryValueExA(handle, valueName.c_str(), nullptr, &type, buffer.data(), &size) ==
                ERROR_SUCCESS &&
            size > 0)
            result.assign(reinterpret_cast<const char*>(buffer.data()), size - 1);
    }
    if (handle)
        RegCloseKey(handle);
    return result;
}

std::string PlayerPath::FromCommandLine(const std::string& commandLine)
{
    if (commandLine.size() < 2)
        return "0";
    const std::size_t nameLength = std::strlen(Protocol::kPlayerFileName);
    auto endsName = [&](std::size_t pos) {
        return pos == commandLine.size() || commandLine[pos] == '"' || commandLine[pos] == ' ' ||
               commandLine[pos] == '\t';
    };
    auto startsName = [&](std::size_t pos) {
        return pos == 0 || commandLine[pos - 1] == '/' || commandLine[pos - 1] == '"';
    };
    for (std::size_t pos = 0; pos + nameLength <= commandLine.size(); ++pos) {
        if (strncasecmp(commandLine.c_str() + pos, Protocol::kPlayerFileName, nameLength) == 0 &&
            startsName(pos) && endsName(pos + nameLength)) {
            const std::size_t from = commandLine[0] == '"' ? 1 : 0;
            return commandLine.substr(from, pos + nameLength - from);
        }
    }
    return {};
}

} // namespace Jukebox
