#pragma once

#include <string>

// The program's one player remote, "Jukebox.API", created through the
// component host on first use and kept until the program ends. A failed
// creation is tried again on the next use.
namespace PlayerRemote {

// Hands a file to the player: LoadFile, then StartJukeboxPlay. Raises
// Platform::RuntimeError when the remote cannot be created or fails.
void Play(const std::string& path);

// Closes the external player (KillJukebox) when the remote exists; errors are
// ignored, as this runs while the program shuts down.
void Close();

} // namespace PlayerRemote
