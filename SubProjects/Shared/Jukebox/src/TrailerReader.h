#pragma once

#include <string>

namespace Jukebox {

// Reads single fields of an MP3 file's 128-byte trailer as display texts,
// independent of the tag library, with this reader's own genre table and German
// texts for files without a trailer. Every call opens, reads and closes the
// file; at most one file is open through this reader at any time ("file number
// 1"), and a second open while one is in use is error 55 "File already open".
class TrailerReader
{
public:
    // Title, bytes 3-32; every run-time error gives "Unbekannter Song".
    static std::string SongName(const std::string& path);
    // Artist, bytes 33-62; a file shorter than 128 bytes gives "Unbekannter
    // Künstler", a missing or unreadable one raises.
    static std::string Band(const std::string& path);
    // Album (63-92), year (93-96) and comment (97-126, the whole width also in
    // an ID3v1.1 trailer); a file shorter than 128 bytes raises error 63.
    static std::string Album(const std::string& path);
    static std::string Year(const std::string& path);
    static std::string Comment(const std::string& path);
    // The name of byte 127 in the genre table; "Kein Genre" without a trailer
    // or for a number without an entry.
    static std::string Genre(const std::string& path);

    // The genre table: 125 names, 0 to 124; empty for any other number.
    static std::string GenreName(int number);
};

} // namespace Jukebox
