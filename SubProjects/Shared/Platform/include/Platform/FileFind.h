#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace Platform {

// Wildcard directory enumeration in the manner of FindFirstFile/FindNextFile/
// FindClose, over opendir/readdir.
//
// A pattern is a directory part and a name part: "music/*.mp3" lists the entries
// of "music" whose names match "*.mp3"; a pattern without "/" lists the current
// directory. Names are the bytes the file system holds (any encoding).
//
// Matching: "*" stands for any run of characters, "?" for exactly one (a UTF-8
// sequence counts as one character, a byte that is not part of one as one), and
// letter case is ignored for A-Z, so "*.mp3" also finds "SONG.MP3". A name part
// ending in ".*" also matches names without a dot, so "*.*" lists everything.
// "." and ".." are listed like any other entry.

constexpr std::uint32_t FileAttributeDirectory = 16;

// The entry record filled by each step: its attributes (only the directory bit
// is set, and it is set for a symbolic link that leads to a directory) and its name.
struct FindData
{
    std::uint32_t dwFileAttributes = 0;
    std::string cFileName;
};

// An open enumeration. Closed by FindClose or, at the latest, when destroyed.
class FindHandle
{
public:
    FindHandle();
    ~FindHandle();
    FindHandle(FindHandle&&) noexcept;
    FindHandle& operator=(FindHandle&&) noexcept;
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;

    // False when the enumeration could not start or has been closed.
    bool valid() const { return m_state != nullptr; }

    struct State;

private:
    friend FindHandle FindFirstFile(const std::string&, FindData&);
    friend bool FindNextFile(FindHandle&, FindData&);
    friend void FindClose(FindHandle&);
    std::unique_ptr<State> m_state;
};

// Opens the directory of the pattern and fills data with its first matching
// entry. The handle is invalid when the directory cannot be opened (missing, not
// a directory, no access) or no entry matches; errno tells which.
FindHandle FindFirstFile(const std::string& pattern, FindData& data);

// Fills data with the next matching entry; false when there is none (or the
// handle is invalid).
bool FindNextFile(FindHandle& handle, FindData& data);

// Ends the enumeration; harmless on an invalid or closed handle.
void FindClose(FindHandle& handle);

// Whether a name matches a wildcard name part by the rules above.
bool MatchesWildcard(std::string_view name, std::string_view wildcard);

// The device and inode of a file or directory (links followed), so a walk can
// tell that two paths lead to the same directory.
struct FileIdentity
{
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    bool operator==(const FileIdentity&) const = default;
};
std::optional<FileIdentity> GetFileIdentity(const std::string& path);

} // namespace Platform
