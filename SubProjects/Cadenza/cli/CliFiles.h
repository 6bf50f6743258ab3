#pragma once

#include <optional>
#include <string>

namespace Quaver {
class TagError;
}

// Checks the command line makes before it hands a name to the tag library or
// the folder walk, so that what went wrong is said in its own words.
namespace CliFiles {

// Fills error when file is nothing the library can read or write as a file:
// "Not a regular file." (a folder, FIFO or device; mode Exclamation, like the
// library's "File does not exist.") or the system's reason when it refuses the
// name (a folder on the way that cannot be searched: "Permission denied",
// number 70, mode Critical). source names the operation ("Read Tag"). False,
// and error untouched, when the library may try the file; a missing file is
// left to the library, which says so itself.
bool RefuseFile(const std::string& file, const char* source, Quaver::TagError& error);

// Why dir cannot be walked: notAFolder when it is missing or no folder,
// otherwise the system's reason ("Permission denied") when it cannot be read
// or searched; nothing when it can.
std::optional<std::string> FolderProblem(const std::string& dir, const char* notAFolder);

} // namespace CliFiles
