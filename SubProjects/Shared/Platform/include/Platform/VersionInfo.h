#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace Platform {

// Version information of a program or library file, read from the version
// block in its ".legato_version" section (layout in VersionBlock.h). The file
// is only read, never loaded. Texts are UTF-8.
struct VersionInfo
{
    std::string title;       // "ProductName"
    std::string description; // "FileDescription"
    std::string comments;    // "Comments"
    std::string copyright;   // "LegalCopyright"
    int major = 0;
    int minor = 0;
    int revision = 0;
    // The first string table, key and value, in the order stored.
    std::vector<std::pair<std::string, std::string>> strings;

    // The value of a key of the string table; empty when absent.
    std::string value(const std::string& key) const;
};

// Size in bytes of the file's version block; 0 when the file is missing, is
// not an ELF file, has no block, or its block is damaged.
std::uint32_t GetFileVersionInfoSize(const std::string& path);

// The raw version block of a file (its size is GetFileVersionInfoSize);
// nothing on the same failures.
std::optional<std::vector<std::uint8_t>> GetFileVersionInfo(const std::string& path);

// The block decoded; nothing when it is missing or does not parse.
std::optional<VersionInfo> ParseVersionBlock(const std::vector<std::uint8_t>& block);

// GetFileVersionInfo followed by ParseVersionBlock.
std::optional<VersionInfo> ReadVersionInfo(const std::string& path);

// The absolute, resolved path of the file (program or shared library) whose
// code or data holds the address; empty when the address belongs to no loaded
// module. The main program resolves to its own file, not to how it was started.
std::string ModuleFileName(const void* addressInModule);

// The version information of the module holding the address. A module passes
// the address of one of its own functions or objects to describe itself.
std::optional<VersionInfo> ModuleVersionInfo(const void* addressInModule);

// UTF-16 (little-endian code units) to UTF-8; unpaired surrogates become U+FFFD.
std::string Utf16ToUtf8(const std::u16string& text);

} // namespace Platform
