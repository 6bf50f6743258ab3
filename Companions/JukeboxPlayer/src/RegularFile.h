#pragma once

#include <string>

// Opens a file for reading only when it is a regular file: a folder, a device
// or a pipe named like a track gives -1 (errno set), and opening never waits
// for a pipe's writer. The descriptor is close-on-exec and blocking again once
// open; the caller closes it.
int OpenRegularFile(const std::string& path);
