#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace Platform {

// The bytes of a named section of an ELF file (32 or 64 bit, little-endian),
// read through the section headers with bounds checks against the file's real
// size. Nothing when the file cannot be read, is not such an ELF file, has no
// section of that name, or the section is larger than maxBytes.
std::optional<std::vector<std::uint8_t>> ReadElfSection(const std::string& path, std::string_view name,
                                                        std::size_t maxBytes);

} // namespace Platform
