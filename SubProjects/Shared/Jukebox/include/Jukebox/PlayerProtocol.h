#pragma once

#include <cstdint>

// What the player remote and the media player agree on: window classes,
// messages, command numbers and query codes. The media player (jukebox) answers
// exactly these.
namespace Jukebox::Protocol {

inline constexpr const char* kMainWindowClass = "Jukebox v1.x";
inline constexpr const char* kEqualizerWindowClass = "Jukebox EQ";
inline constexpr const char* kPlaylistWindowClass = "Jukebox PE";

// The file association whose open command starts the player, under HKEY_CLASSES_ROOT.
inline constexpr const char* kFileAssociationKey = "Jukebox.File\\shell\\open\\command";
// The player's executable file name, matched as a whole name in any letter case.
inline constexpr const char* kPlayerFileName = "jukebox";

// Window messages (their numeric values).
inline constexpr std::uint32_t kCommandMessage = 0x0111; // posted: command number in wParam, 0 in lParam
inline constexpr std::uint32_t kQueryMessage = 0x0400;   // sent: argument in wParam, query code in lParam
inline constexpr std::uint32_t kCloseMessage = 0x0010;   // posted: both parameters 0

// Commands (posted).
enum Command : std::int32_t
{
    CmdPreferences = 40012,
    CmdFileOpen = 40029,
    CmdAbout = 40041,
    CmdContextMenu = 40043,
    CmdPlay = 40045,
    CmdPause = 40046,
    CmdStop = 40047,
    CmdForward = 40060,
    CmdRewind = 40061,
    CmdTagEditor = 40188,
    CmdJumpToTime = 40193,
    CmdJumpToFile = 40194,
};

// Queries (sent; the reply is the result).
enum Query : std::int32_t
{
    QueryClearPlaylist = 101,    // argument 0
    QueryIsPlaying = 104,        // reply 1 playing, 3 paused, 0 stopped
    QueryOutputTime = 105,       // argument 0: position in ms; 1: track length in s (-1 when none)
    QueryJumpToTime = 106,       // argument: position in ms; reply 0 done, 1 past the end, -1 not playing
    QuerySetVolume = 122,        // argument 0..255 (clamped); -666 asks the volume; reply the volume
    QueryPlaylistLength = 124,   // reply the number of entries
    QueryPlaylistPosition = 125, // reply the current entry, from 0
    QueryTrackInfo = 126,        // argument 0: sample rate in Hz; 1: bit rate in kbit/s; 2: channels
};

// WM_COPYDATA with this wParam adds the payload (a file path) to the playlist;
// that is how "jukebox /ADD file" reaches a player that already runs.
inline constexpr std::int64_t kCopyDataAddFile = 100;

} // namespace Jukebox::Protocol
