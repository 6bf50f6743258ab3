#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace Platform {

// Facts about one file, as GetFile hands them out.
struct FileInfo
{
    std::string Path;
    std::int64_t Size = 0; // bytes; 64-bit, so files beyond 4 GiB report their true size
};

// What a name leads to, for callers that must say why it cannot be used as a
// file: FileExists alone cannot tell a missing file from a folder or a folder
// on the way that cannot be searched.
enum class FileKind
{
    Regular,    // a regular file, or a link to one
    Missing,    // nothing by that name (also when a part of the path is a file)
    Other,      // a folder, FIFO, device or socket
    Unreachable // the system refused the query (errno tells why): no search
                // permission on a folder on the way, a name too long, a link loop
};

// File-system queries with the meanings desktop scripting gives them. Names are
// byte strings, taken as the file system holds them: they need not be UTF-8.
// Separators are '/'.
class FileSystemObject
{
public:
    // True for an existing regular file (or a link to one); false for folders,
    // missing entries and names that cannot be reached.
    bool FileExists(const std::string& name) const;

    // The file's facts; raises RuntimeError (53 for a missing file, 70 for a
    // denied one) when it cannot be had, and for a folder.
    FileInfo GetFile(const std::string& name) const;

    // FileExists and GetFile in one query: the facts when the file exists,
    // nothing otherwise. For hot paths that need both.
    std::optional<FileInfo> FindFile(const std::string& name) const;

    // What name leads to (links followed); for Unreachable, *error (when
    // given) receives the system's error number.
    FileKind GetFileKind(const std::string& name, int* error = nullptr) const;

    // "a/b/song.live.mp3" -> "song.live": without folder and last extension.
    static std::string GetBaseName(std::string_view path);
    // "a/b/song.live.mp3" -> "mp3": the text after the last dot of the last
    // component, without the dot; empty when there is none.
    static std::string GetExtensionName(std::string_view path);
    // "a/b/song.mp3" -> "a/b"; "song.mp3" -> ""; "/song.mp3" -> "/".
    static std::string GetParentFolderName(std::string_view path);
};

// The home folder of the user running the program: $HOME when it is an
// absolute path, else the user database's entry; "" when neither is known.
std::string HomeFolder();

} // namespace Platform
