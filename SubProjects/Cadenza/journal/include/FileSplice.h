#pragma once

#include "FileEnd.h"

#include "OtherTags/Id3v2Sync.h"
#include "OtherTags/Id3v2Write.h"

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>

namespace Quaver {
class Tag;
}

// Writes that change more of a file than its trailer: its ID3v2 tag at the
// front, and a TAG+ block before the trailer. Every byte between the two ends
// (the audio) stays as it is.
namespace Journal {

// The first oldFront.size() bytes of a file replaced by newFront and its last
// oldBack.size() bytes by newBack.
struct Splice
{
    std::int64_t size = 0; // the file's size before
    std::string oldFront, newFront;
    std::string oldBack, newBack;

    std::int64_t AfterSize() const;
    bool FrontChanges() const { return oldFront != newFront; }
};

// What writing the record's trailer into a file does when the file has more
// than a trailer to keep in step.
struct PlannedSplice
{
    Splice Change;
    std::string Id3v2Kind; // "ID3v2.3" or "ID3v2.4" when the ID3v2 tag is written; empty otherwise
    bool Extended = false; // a TAG+ block follows the trailer
};

// The splice that writes the record's trailer (block) into the file whose end
// is before, together with the record's fields into its ID3v2 tag (by sync
// and update) and the TAG+ continuations (EndBlocks::FollowTrailer); nothing
// when the trailer write alone is all there is to do. Raises
// Platform::RuntimeError when the file cannot be read, has changed since
// before was read, or has several hard links and would need its ID3v2 tag to
// grow (so nothing about it is written).
std::optional<PlannedSplice> PlanSplice(const std::string& name, const FileEnd& before,
                                        const Quaver::Tag& record, const Trailer& block,
                                        OtherTags::Id3v2Sync sync, const OtherTags::Id3v2Update& update);

// Applies a splice to a file that still holds its old bytes. When the front
// stays, the back is written in place as one block. Otherwise a new file is
// written beside it (hidden, same folder), flushed and renamed over it,
// keeping its mode, owner and group, extended attributes and access time; a
// file with several hard links is written in place instead, only when the
// front keeps its length. modified, when given, becomes the file's
// modification time (else it is the time of the write). Raises
// Platform::RuntimeError with nothing changed when the file no longer holds
// the old bytes or cannot be written; no temporary file is left behind.
void ApplySplice(const std::string& name, const Splice& splice, const timespec* modified = nullptr);

} // namespace Journal
