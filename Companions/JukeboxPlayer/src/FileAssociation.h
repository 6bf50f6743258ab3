#pragma once

#include <string>

// The file association through which other programs find and start the
// player: HKEY_CLASSES_ROOT\Jukebox.File\shell\open\command holds
// "<program>" "%1".
class FileAssociation
{
public:
    // Writes the association for the given program path; false (with the
    // reason on stderr) when the registry cannot be written.
    static bool Register(const std::string& programPath);
    // Removes Jukebox.File with everything below it.
    static bool Unregister();
};
