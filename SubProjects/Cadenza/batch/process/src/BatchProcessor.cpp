#include "BatchProcessor.h"

#include "BatchMessages.h"
#include "MergeTags.h"

#include "OtherTags/OtherTags.h"
#include "Platform/BinaryFile.h"
#include "Platform/FileNameCodec.h"
#include "Platform/FileSystemObject.h"
#include "Platform/RuntimeError.h"
#include "Quaver/FileHandler.h"
#include "Quaver/TagError.h"
#include "Quaver/TrailerCodec.h"
#include "RecordedWrite.h"
#include "modTagFormat.h"

#include <QStringList>
#include <optional>
#include <sys/stat.h>
#include <tuple>

namespace BatchProcessor {

Quaver::TagPtr DeriveTag(const std::shared_ptr<TagFormats>& format, const Quaver::Tag& defaultTag,
                         const std::string& fileName, bool& parseError)
{
    const std::string baseName = Platform::FileSystemObject::GetBaseName(fileName);
    Quaver::TagPtr parsed;
    // The pattern is matched on characters, so the base name is decoded for it.
    parseError = modTagFormat::ParseFileName(*format, Platform::DecodeFileName(baseName), parsed);
    // The parsed record is this file's alone: the gaps are filled in it.
    MergeInto(*parsed, defaultTag);
    return parsed;
}

bool IsProcessable(const std::string& fileName)
{
    struct stat info
    {
    };
    if (::stat(fileName.c_str(), &info) != 0)
        return true;
    return S_ISREG(info.st_mode);
}

namespace {

// A failed "New Tag." with the reason in the library's error line.
std::pair<QString, bool> failedNewTag(const Platform::RuntimeError& error)
{
    Quaver::TagError reason;
    reason.CopyError(&error);
    return {BatchMessages::NewTag() + BatchMessages::ErrorSeparator + QString::fromStdString(reason.Stream()),
            true};
}

// The error of a failed write in the tag library's words, as its own write
// reports it.
QString libraryError(const Platform::RuntimeError& error)
{
    Quaver::TagError reason;
    const Platform::RuntimeError library(error.Number(), "Quaver", error.Description());
    reason.CopyError(&library);
    return QString::fromStdString(reason.Stream());
}

// How far the disk blocks of a file reach when it has every block its bytes
// span (the last one holds room for a trailer that fits in its rest); 0 when
// that is not sure (a sparse file).
std::int64_t allocatedEnd(const struct stat& status)
{
    const std::int64_t block = status.st_blksize > 0 ? status.st_blksize : 512;
    const std::int64_t spanned = (status.st_size + block - 1) / block * block;
    return std::int64_t{status.st_blocks} * 512 >= spanned ? spanned : 0;
}

// Whether the open file is the one its end was read from, unchanged: still
// linked, same size and modification time.
bool unchangedSince(const Platform::BinaryFile& file, const Journal::FileEnd& before)
{
    struct stat now
    {
    };
    return ::fstat(file.Descriptor(), &now) == 0 && S_ISREG(now.st_mode) && now.st_nlink > 0 &&
           now.st_size == before.size && now.st_mtim.tv_sec == before.modifiedSeconds &&
           now.st_mtim.tv_nsec == before.modifiedNanoseconds;
}

} // namespace

PreparedFile::PreparedFile() = default;
PreparedFile::~PreparedFile() = default;
PreparedFile::PreparedFile(PreparedFile&&) noexcept = default;
PreparedFile& PreparedFile::operator=(PreparedFile&&) noexcept = default;

QString Id3v2Note(const std::vector<OtherTags::Found>& others, const Quaver::Tag& tag)
{
    const OtherTags::Found* id3v2 = OtherTags::FirstId3v2(others);
    if (!id3v2)
        return {};
    QStringList fields;
    for (const std::string& name : OtherTags::Differing(id3v2->Values, tag))
        fields << QString::fromStdString(name);
    if (fields.isEmpty())
        return {};
    return BatchMessages::Id3v2Differs(QString::fromStdString(id3v2->Kind),
                                       fields.join(QStringLiteral(", ")));
}

PreparedFile PrepareFile(const BatchSettings& settings, const std::string& fileName, bool mayHoldOthers,
                         bool endsInTag, OpenedFile* opened)
{
    PreparedFile prepared;
    BatchOutcome& outcome = prepared.Outcome;
    outcome.FileName = fileName;

    // The file's other tags, read once when needed: for the fields, or for
    // the note on an ID3v2 tag the write leaves as it is.
    std::optional<std::vector<OtherTags::Found>> others;
    const auto noteId3v2 = [&] {
        if (!settings.NotesId3v2() || (!others && !mayHoldOthers))
            return;
        if (!others)
            others = OtherTags::Read(fileName);
        outcome.Note = Id3v2Note(*others, *outcome.NewTag);
    };

    Quaver::TagPtr tag;
    if (settings.FromId3v2) {
        others = OtherTags::Read(fileName);
        const OtherTags::Found* id3v2 = OtherTags::FirstId3v2(*others);
        if (!id3v2) {
            outcome.Result = BatchOutcome::Group::Error;
            outcome.Message = BatchMessages::NoId3v2Tag();
            return prepared;
        }
        tag = MergeTags(*OtherTags::ToTrailer(id3v2->Values), *settings.DefaultTag);
    } else {
        bool parseError = false;
        tag = DeriveTag(settings.Format, *settings.DefaultTag, fileName, parseError);
        if (parseError) {
            outcome.Result = BatchOutcome::Group::Error;
            outcome.Message = BatchMessages::ParseError();
            return prepared;
        }
    }
    outcome.NewTag = tag;
    if (settings.TestMode) {
        outcome.Message = BatchMessages::TestMode();
        noteId3v2();
        return prepared;
    }
    const auto fail = [&](const Platform::RuntimeError& error) {
        std::tie(outcome.Message, std::ignore) = failedNewTag(error);
        outcome.Result = BatchOutcome::Group::Error;
        prepared.File.reset();
        return std::move(prepared);
    };
    // The file's end as it is now, for the decision and for the undo journal:
    // as the read-ahead read it just now through the descriptor handed over,
    // or read here through the descriptor the write will use when the file
    // can be opened for writing (and is likely to be written).
    bool readAlready = false;
    if (opened && opened->File) {
        const Journal::FileEnd end = Journal::FileEndFrom(
            opened->Status, reinterpret_cast<const std::uint8_t*>(opened->End.data()), opened->End.size());
        if (opened->Writable || (end.hasTrailer && !settings.Overwrite)) {
            prepared.Before = end;
            readAlready = true;
            if (opened->Writable) {
                prepared.File = std::move(opened->File);
                prepared.Allocated = allocatedEnd(opened->Status);
            }
        }
    }
    try {
        if (!readAlready && (!endsInTag || settings.Overwrite)) {
            int openError = 0;
            prepared.File = std::make_unique<Platform::BinaryFile>(
                fileName, Platform::BinaryFile::Access::ReadWriteNoWait, "Quaver", openError);
            if (!prepared.File->IsOpen())
                prepared.File.reset();
        }
        if (!readAlready && prepared.File) {
            struct stat status
            {
            };
            prepared.Before = Journal::ReadFileEnd(*prepared.File, status);
            prepared.Allocated = allocatedEnd(status);
        } else if (!readAlready) {
            prepared.Before = Journal::ReadFileEnd(fileName);
        }
    } catch (const Platform::RuntimeError& error) {
        prepared.File.reset();
        // A file that has vanished (or is no regular file) is left to the
        // write, which reports it in the library's words; asked only now, to
        // keep the look-up off the path every file takes.
        if (!Platform::FileSystemObject().FindFile(fileName)) {
            prepared.Write = true;
            return prepared;
        }
        // The file exists but cannot be read, so whether it ends in a tag is
        // unknown: writing could append a second trailer. Nothing is written
        // and the file is listed as failed with the reason.
        return fail(error);
    }
    prepared.HadTag = prepared.Before.hasTrailer;
    if (prepared.HadTag && !settings.Overwrite) {
        prepared.File.reset();
        outcome.Message = BatchMessages::TagExists();
        return prepared;
    }
    try {
        const Journal::Trailer block = Quaver::TrailerCodec::Render(*tag);
        prepared.After = Journal::AfterWrite(prepared.Before, block);
        prepared.Splice = Journal::PlanSplice(fileName, prepared.Before, *tag, block, settings.AlsoId3v2,
                                              OtherTags::AllFields());
    } catch (const Platform::RuntimeError& error) {
        return fail(error);
    }
    // A splice is written by name, mostly as a new file renamed over this one.
    if (prepared.Splice)
        prepared.File.reset();
    prepared.Write = true;
    prepared.Recordable = true;
    noteId3v2();
    return prepared;
}

BatchOutcome CompleteFile(PreparedFile& prepared, const std::optional<std::uint64_t>& sizeLimit,
                          WriteTime* written)
{
    BatchOutcome outcome = std::move(prepared.Outcome);
    if (!prepared.Write)
        return outcome;
    const std::string& fileName = outcome.FileName;
    outcome.Message = prepared.HadTag ? BatchMessages::OverwriteTag() : BatchMessages::NewTag();
    Platform::BinaryFile* file = prepared.File.get();
    if (file && outcome.NewTag->TagType() != Quaver::ID3Unknown && unchangedSince(*file, prepared.Before)) {
        // The trailer in place of the old one, or appended.
        const Journal::FileEnd& before = prepared.Before;
        const Journal::Trailer& block = prepared.After.trailer;
        const std::int64_t length = static_cast<std::int64_t>(block.size());
        try {
            file->WriteBlockAt(before.hasTrailer ? before.size - length : before.size, block.data(),
                               block.size(),
                               {.Size = before.size,
                                .Allocated = prepared.Allocated,
                                .Replaced = before.hasTrailer ? before.trailer.data() : nullptr,
                                .SizeLimit = sizeLimit});
            struct stat after
            {
            };
            if (written && ::fstat(file->Descriptor(), &after) == 0)
                *written = {true, after.st_mtim.tv_sec, after.st_mtim.tv_nsec};
            file->Close();
        } catch (const Platform::RuntimeError& error) {
            // The file is as it was (a failed block write is undone), or a
            // delayed write error came with the close.
            outcome.Result = BatchOutcome::Group::Error;
            outcome.Note.clear(); // no new tag to differ from
            outcome.Message += BatchMessages::ErrorSeparator + libraryError(error);
        }
        return outcome;
    }
    // Changed since, or not open: written by name, as by the tag library.
    if (file) {
        try {
            file->Close();
        } catch (const Platform::RuntimeError&) {
            // Nothing was written through it.
        }
    }
    Quaver::FileHandler handler;
    handler.setFileName(fileName);
    handler.setID3v1xTag(outcome.NewTag);
    if (Journal::WriteRecord(handler, prepared.Splice))
        return outcome;
    outcome.Result = BatchOutcome::Group::Error;
    outcome.Note.clear(); // no new tag to differ from
    // A file listed in a folder that cannot be searched cannot be reached; the
    // library only knows "does not exist", so ask why (only on failure, to keep
    // the query off the path every file takes).
    int errorNumber = 0;
    if (Platform::FileSystemObject().GetFileKind(fileName, &errorNumber) == Platform::FileKind::Unreachable) {
        outcome.Message = failedNewTag(Platform::RuntimeError::fromErrno(errorNumber, "Write Tag")).first;
        return outcome;
    }
    outcome.Message += BatchMessages::ErrorSeparator + QString::fromStdString(handler.LastError()->Stream());
    return outcome;
}

BatchOutcome ProcessFile(const BatchSettings& settings, const std::string& fileName, bool mayHoldOthers)
{
    PreparedFile prepared = PrepareFile(settings, fileName, mayHoldOthers);
    return CompleteFile(prepared, Platform::FileSizeLimit());
}

} // namespace BatchProcessor
