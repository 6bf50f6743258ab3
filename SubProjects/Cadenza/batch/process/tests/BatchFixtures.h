#pragma once

#include "BatchSettings.h"

#include "Quaver/Tag.h"
#include "TempDir.h"

#include <string>

// Small helpers shared by the batch tests.
namespace BatchFixtures {

// Stand-in audio: bytes that can never be mistaken for a trailer.
inline std::string Audio(std::size_t size = 1000)
{
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>(0xFF - (i % 7));
    return bytes;
}

// A 128-byte v1.0 trailer with the given title.
inline std::string Trailer(const std::string& title)
{
    std::string trailer(128, '\0');
    trailer.replace(0, 3, "TAG");
    trailer.replace(3, title.size(), title);
    trailer[127] = static_cast<char>(12);
    return trailer;
}

// Settings with default pattern number `format` (0, 1, 2) and a default tag.
BatchSettings Settings(int format, bool testMode, bool overwrite = false,
                       Quaver::TagPtr defaults = std::make_shared<Quaver::Tag>());

} // namespace BatchFixtures
