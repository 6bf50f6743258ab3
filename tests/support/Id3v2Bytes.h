#pragma once

#include <string>
#include <utility>
#include <vector>

namespace LegatoTest {

// An ID3v2.3 tag of Latin-1 text frames, e.g. {{"TIT2", "Title"}}, as bytes.
inline std::string Id3v23(const std::vector<std::pair<std::string, std::string>>& frames)
{
    std::string body;
    for (const auto& [id, text] : frames) {
        const std::size_t size = text.size() + 1;
        body += id + '\0' + '\0' + static_cast<char>(size >> 8) + static_cast<char>(size & 0xFF);
        body += std::string(3, '\0') + text; // two flag bytes, the encoding byte
    }
    std::string header("ID3\x03\0\0", 6);
    for (int shift = 21; shift >= 0; shift -= 7)
        header += static_cast<char>((body.size() >> shift) & 0x7F);
    return header + body;
}

} // namespace LegatoTest
