#pragma once

#include "Platform/Registry.h"

#include <string>

namespace Jukebox {

// Where the player's program is, from the file association.
class PlayerPath
{
public:
    // A text value of the registry (types 1, 2 and 7; an expandable text is not
    // expanded), without its terminating zero; empty on any failure or for
    // another type.
    static std::string GetRegistryValue(Platform::HKEY root, const std::string& key,
                                        const std::string& valueName);

    // The program path in an open command line: "0" when the text is shorter
    // than 2 characters; empty when the player's file name ("jukebox", as a
    // whole name in any letter case) does not occur; else the text up to and
    // including that name, without one leading double quote.
    static std::string FromCommandLine(const std::string& commandLine);
};

} // namespace Jukebox
