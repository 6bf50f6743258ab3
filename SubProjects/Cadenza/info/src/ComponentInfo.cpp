#include "ComponentInfo.h"

#include "Platform/VersionInfo.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

constexpr std::uint32_t ValueBufferSize = 4096;

std::string trimBlanks(const std::string& text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return "";
    const auto last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

// The UTF-16 unit at a unit position of a little-endian block.
char16_t unitAt(const std::vector<std::uint8_t>& block, std::size_t unit)
{
    return static_cast<char16_t>(block[2 * unit] | (block[2 * unit + 1] << 8));
}

} // namespace

std::string ReadRegistryValue(Platform::HKEY root, const std::string& keyPath, const std::string& valueName)
{
    Platform::HKEY key = 0;
    if (Platform::RegOpenKeyExA(root, keyPath.c_str(), 0, Platform::KEY_QUERY_VALUE, &key) !=
        Platform::ERROR_SUCCESS)
        return "";
    std::vector<std::uint8_t> buffer(ValueBufferSize, 0);
    std::uint32_t size = ValueBufferSize;
    std::uint32_t type = 0;
    const auto status =
        Platform::RegQueryValueExA(key, valueName.c_str(), nullptr, &type, buffer.data(), &size);
    Platform::RegCloseKey(key);
    if (status != Platform::ERROR_SUCCESS)
        return "";
    std::string text(buffer.begin(), buffer.begin() + std::min(size, ValueBufferSize));
    // Without its terminating zero (and anything a sloppy writer left after it).
    return text.substr(0, text.find('\0'));
}

bool IsAppPresent(const std::string& strSubKey, const std::string& strValueName)
{
    Platform::HKEY key = 0;
    if (Platform::RegOpenKeyExA(Platform::HKEY_CLASSES_ROOT, strSubKey.c_str(), 0, Platform::KEY_QUERY_VALUE,
                                &key) != Platform::ERROR_SUCCESS)
        return false;
    std::uint32_t size = 0;
    std::uint32_t type = 0;
    const auto status = Platform::RegQueryValueExA(key, strValueName.c_str(), nullptr, &type, nullptr, &size);
    Platform::RegCloseKey(key);
    return status == Platform::ERROR_SUCCESS && size >= 1;
}

std::string ComponentClsid(const std::string& progId)
{
    const std::string clsid = trimBlanks(ReadRegistryValue(Platform::HKEY_CLASSES_ROOT, progId + "\\Clsid", ""));
    const auto brace = clsid.find('}');
    return brace == std::string::npos ? std::string() : clsid.substr(0, brace + 1);
}

std::string ComponentServerPath(const std::string& progId)
{
    return ReadRegistryValue(Platform::HKEY_CLASSES_ROOT, "CLSID\\" + ComponentClsid(progId) + "\\InprocServer32",
                             "");
}

std::string GetFileVersion(const std::string& path)
{
    if (path.empty())
        return "";
    // The block size is a 16-bit signed number for this reader: a block of
    // 32768 bytes or more fails.
    const std::uint32_t size = Platform::GetFileVersionInfoSize(path);
    if (size == 0 || size > static_cast<std::uint32_t>(INT16_MAX))
        return "";
    const auto block = Platform::GetFileVersionInfo(path);
    if (!block || block->size() < size)
        return "";
    return FileVersionFromBlock(*block);
}

std::string FileVersionFromBlock(const std::vector<std::uint8_t>& block)
{
    static const std::u16string key = u"FileVersion";
    const std::size_t units = block.size() / 2;
    for (std::size_t at = 0; at + key.size() <= units; ++at) {
        bool match = true;
        for (std::size_t i = 0; i < key.size() && match; ++i)
            match = unitAt(block, at + i) == key[i];
        if (!match)
            continue;
        // The value starts after the key, its terminating zero and one unit of
        // alignment, and runs up to the next zero.
        std::u16string value;
        for (std::size_t i = at + key.size() + 2; i < units && unitAt(block, i) != 0; ++i)
            value += unitAt(block, i);
        return Platform::Utf16ToUtf8(value);
    }
    return "";
}
