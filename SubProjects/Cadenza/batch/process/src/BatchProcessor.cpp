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

PreparedFile PrepareFile(const BatchSettings& settings, const std::string& fileName)
{
    PreparedFile prepared;
    BatchOutcome& outcome = prepared.Outcome;
    outcome.FileName = fileName;

    Quaver::TagPtr tag;
    if (settings.FromId3v2) {
        const auto others = OtherTags::Read(fileName);
        const OtherTags::Found* id3v2 = OtherTags::FirstId3v2(others);
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

BatchOutcome ProcessFile(const BatchSettings& settings, const std::string& fileName)
{
    return CompleteFile(PrepareFile(settings, fileName));
}

} // namespace BatchProcessor
