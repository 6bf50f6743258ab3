#pragma once

#include <array>
#include <cstdint>
#include <string>

struct stat;
namespace Platform {
class BinaryFile;
}

namespace Journal {

using Trailer = std::array<std::uint8_t, 128>;

// The end of a file as far as a tag write can change it: its size and, when
// it carries one, its 128-byte trailer ("TAG" in the last 128 bytes of a file
// longer than 128 bytes, the rule the tag library writes by).
struct FileEnd
{
    std::int64_t size = 0;
    bool hasTrailer = false;
    Trailer trailer{}; // all zero without a trailer
    // A TAG+ block right before the trailer continues its texts; not part of
    // the comparison.
    bool extended = false;
    // When the file was last modified (seconds and nanoseconds); read along,
    // put back by a restore, but not part of the comparison.
    std::int64_t modifiedSeconds = 0;
    std::int64_t modifiedNanoseconds = 0;

    bool operator==(const FileEnd& other) const
    {
        return size == other.size && hasTrailer == other.hasTrailer && trailer == other.trailer;
    }
};

// Reads the end of an existing file; raises Platform::RuntimeError when the
// file cannot be opened or read.
FileEnd ReadFileEnd(const std::string& name);
// The same through a file opened already; status receives what fstat said of
// it (a caller about to write it may use that).
FileEnd ReadFileEnd(const Platform::BinaryFile& file, struct stat& status);
// The same from what was read already: what fstat said of the file, and its
// last min(size, 355) bytes read right after (count is fewer when the read
// fell short, and then no trailer is taken to be there).
FileEnd FileEndFrom(const struct stat& status, const std::uint8_t* last, std::size_t count);

// The end after the trailer block is written: in place of the old trailer,
// or appended when there was none.
FileEnd AfterWrite(const FileEnd& before, const Trailer& block);

// The end after the trailer is cut off (unchanged when there is none).
FileEnd AfterRemove(const FileEnd& before);

// Puts the end of a file back to what it was: the old trailer written whole
// at its old place, or the file cut back to its old size when it had none,
// and its old modification time, so an earlier run can be undone after it.
// Raises Platform::RuntimeError on failure.
void RestoreFileEnd(const std::string& name, const FileEnd& before);

// A 64-bit FNV-1a digest of the trailer: what the journal keeps of the state
// a write left, enough to see whether something else changed it since.
std::uint64_t Digest(const FileEnd& end);

} // namespace Journal
