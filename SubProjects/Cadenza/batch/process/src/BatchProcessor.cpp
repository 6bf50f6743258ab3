#include "BatchProcessor.h"

#include "BatchMessages.h"
#include "MergeTags.h"

#include "OtherTags/OtherTags.h"
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
    return MergeTags(*parsed, defaultTag);
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

} // namespace

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

PreparedFile PrepareFile(const BatchSettings& settings, const std::string& fileName, bool mayHoldOthers)
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
        return prepared;
    };
    // The file's end as it is now, for the decision and for the undo journal.
    try {
        prepared.Before = Journal::ReadFileEnd(fileName);
    } catch (const Platform::RuntimeError& error) {
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
    prepared.Write = true;
    prepared.Recordable = true;
    noteId3v2();
    return prepared;
}

BatchOutcome CompleteFile(const PreparedFile& prepared)
{
    BatchOutcome outcome = prepared.Outcome;
    if (!prepared.Write)
        return outcome;
    const std::string& fileName = outcome.FileName;
    Quaver::FileHandler handler;
    handler.setFileName(fileName);
    handler.setID3v1xTag(outcome.NewTag);
    outcome.Message = prepared.HadTag ? BatchMessages::OverwriteTag() : BatchMessages::NewTag();
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
    return CompleteFile(PrepareFile(settings, fileName, mayHoldOthers));
}

} // namespace BatchProcessor
