#pragma once

#include "BatchOutcome.h"
#include "BatchSettings.h"

#include "FileEnd.h"
#include "FileSplice.h"
#include "OtherTags/OtherTags.h"
#include "Platform/BinaryFile.h"

#include <cstdint>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace Platform {
class BinaryFile;
}

// The work a batch run does per file, shared by the batch panel and the
// command line. File names are the bytes the file system holds.
namespace BatchProcessor {

// Reads the file's base name by the pattern and merges the default tag in.
// parseError tells whether the name did not fit the pattern; the merged tag is
// returned either way.
Quaver::TagPtr DeriveTag(const std::shared_ptr<TagFormats>& format, const Quaver::Tag& defaultTag,
                         const std::string& fileName, bool& parseError);

// Whether a name the scanner reported should be processed at all: everything
// except entries that exist and are not regular files (a folder called
// "x.mp3", a pipe), which are no music and which a write could even block on.
// A name that has vanished is processed and reported like any other.
bool IsProcessable(const std::string& fileName);

// One file's work split in two, so that a run can record its writes in the
// undo journal before any of them happens. PrepareFile decides, and for a
// write says what the file's end is and will be; CompleteFile writes. Neither
// throws for a failing file.
//
// A file whose write is its trailer alone stays open from the one to the
// other, so it is opened once. CompleteFile writes through it when the file
// is still linked and has the size and modification time its end was read
// with; otherwise it writes by name as if the file had not been opened.
struct PreparedFile
{
    PreparedFile();
    ~PreparedFile();
    PreparedFile(PreparedFile&&) noexcept;
    PreparedFile& operator=(PreparedFile&&) noexcept;

    BatchOutcome Outcome;    // final unless Write
    bool Write = false;      // the tag is to be written by CompleteFile
    bool HadTag = false;     // the file ended in a tag (the message says so)
    bool Recordable = false; // Before and After hold the file's end (false for a vanished file)
    Journal::FileEnd Before;
    Journal::FileEnd After;
    int Entry = 0; // the journal entry of the write, when recorded
    // The write when it changes more than the trailer (the ID3v2 tag by the
    // settings' AlsoId3v2, a TAG+ block): recorded and written as a whole.
    std::optional<Journal::PlannedSplice> Splice;
    // The file as its end was read, open for writing; null when the write
    // goes by name.
    std::unique_ptr<Platform::BinaryFile> File;
    std::int64_t Allocated = 0; // how far its disk blocks reach, when known
};
// mayHoldOthers is false when the file's first and last bytes showed already
// that it holds no other tag (OtherTags::MayHold), so it is not looked at for
// an ID3v2 tag that differs from the new one. endsInTag says that a look a
// moment ago found a tag at its end: a tag that is to be kept needs the file
// only read, so it is not opened for writing (which watchers of the file
// would take for a change). The decision is made on the end read here.
//
// opened, when given, is the file as the run's read-ahead opened and read it
// a moment ago; its end is then not read again. The write uses its
// descriptor when it was opened for writing (and only after checking that
// the file is unchanged since); a file opened only for reading serves only
// when its tag is kept.
struct OpenedFile
{
    std::unique_ptr<Platform::BinaryFile> File;
    bool Writable = false;
    struct stat Status
    {
    };               // what fstat said of it, before its end was read
    std::string End; // its last min(size, 355) bytes
};
PreparedFile PrepareFile(const BatchSettings& settings, const std::string& fileName,
                         bool mayHoldOthers = true, bool endsInTag = false, OpenedFile* opened = nullptr);
// The modification time the write left, for the undo journal, when
// CompleteFile learnt it on the way.
struct WriteTime
{
    bool Known = false;
    std::int64_t Seconds = 0;
    std::int64_t Nanoseconds = 0;
};
// sizeLimit is the process's file-size limit as Platform::FileSizeLimit()
// said it (a run asks once for all its files). The outcome is taken over
// from prepared (its Outcome is left empty); the rest of it stays.
BatchOutcome CompleteFile(PreparedFile& prepared, const std::optional<std::uint64_t>& sizeLimit,
                          WriteTime* written = nullptr);

// Processes one file: derive its tag and, unless test mode is on or an
// existing tag is to be kept, write it. Never throws for a failing file.
BatchOutcome ProcessFile(const BatchSettings& settings, const std::string& fileName,
                         bool mayHoldOthers = true);

// The note for a file whose ID3v2 tag (the first among others) holds values
// tag does not show; empty when there is none or it agrees.
QString Id3v2Note(const std::vector<OtherTags::Found>& others, const Quaver::Tag& tag);

} // namespace BatchProcessor
