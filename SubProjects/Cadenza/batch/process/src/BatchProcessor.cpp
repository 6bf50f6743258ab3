#include "BatchProcessor.h"

#include "BatchMessages.h"
#include "MergeTags.h"

#include "Platform/FileNameCodec.h"
#include "Platform/FileSystemObject.h"
#include "Platform/RuntimeError.h"
#include "Quaver/FileHandler.h"
#include "Quaver/TagError.h"
#include "modTagFormat.h"

#include <sys/stat.h>

namespace BatchProcessor {

Quaver::TagPtr DeriveTag(const std::shared_ptr<TagFormats>& format, const Quaver::Tag& defaultTag,
                         const QString& fileName, bool& parseError)
{
    const std::string baseName = Platform::FileSystemObject::GetBaseName(Platform::EncodeFileName(fileName));
    Quaver::TagPtr parsed;
    parseError = modTagFormat::ParseFileName(*format, Platform::DecodeFileName(baseName), parsed);
    return MergeTags(*parsed, defaultTag);
}

bool IsProcessable(const QString& fileName)
{
    struct stat info
    {
    };
    if (::stat(Platform::EncodeFileName(fileName).c_str(), &info) != 0)
        return true;
    return S_ISREG(info.st_mode);
}

namespace {

// A failed "New Tag." with the reason in the library's error line.
std::pair<QString, bool> failedNewTag(const Platform::RuntimeError& error)
{
    Quaver::TagError reason;
    reason.CopyError(&error);
    return {BatchMessages::NewTag + BatchMessages::ErrorSeparator + QString::fromStdString(reason.Stream()),
            true};
}

// Writes the tag unless one exists and is to be kept. Returns the message and
// whether the write failed.
std::pair<QString, bool> WriteNewTag(const std::string& fileName, const Quaver::TagPtr& tag, bool overwrite,
                                     std::optional<bool> knownHasTag)
{
    Quaver::FileHandler handler;
    handler.setFileName(fileName);
    bool hasTag = false;
    try {
        hasTag = knownHasTag ? *knownHasTag : handler.HasTag();
    } catch (const Platform::RuntimeError& error) {
        // The file exists but cannot be read, so whether it ends in a tag is
        // unknown: writing could append a second trailer. Nothing is written
        // and the file is listed as failed with the reason.
        return failedNewTag(error);
    }
    if (hasTag && !overwrite)
        return {BatchMessages::TagExists, false};

    QString message = hasTag ? BatchMessages::OverwriteTag : BatchMessages::NewTag;
    handler.setID3v1xTag(tag);
    if (handler.WriteTag())
        return {message, false};
    // A file listed in a folder that cannot be searched cannot be reached; the
    // library only knows "does not exist", so ask why (only on failure, to keep
    // the query off the path every file takes).
    int errorNumber = 0;
    if (Platform::FileSystemObject().GetFileKind(fileName, &errorNumber) == Platform::FileKind::Unreachable)
        return failedNewTag(Platform::RuntimeError::fromErrno(errorNumber, "Write Tag"));
    message += BatchMessages::ErrorSeparator + QString::fromStdString(handler.LastError()->Stream());
    return {message, true};
}

} // namespace

BatchOutcome ProcessFile(const BatchSettings& settings, const QString& fileName, const FileFacts* known)
{
    BatchOutcome outcome;
    outcome.FileName = fileName;

    bool parseError = false;
    Quaver::TagPtr tag = DeriveTag(settings.Format, *settings.DefaultTag, fileName, parseError);
    if (parseError) {
        outcome.Result = BatchOutcome::Group::Error;
        outcome.Message = BatchMessages::ParseError;
        return outcome;
    }
    outcome.NewTag = tag;
    if (settings.TestMode) {
        outcome.Message = BatchMessages::TestMode;
        return outcome;
    }
    const auto [message, failed] = WriteNewTag(Platform::EncodeFileName(fileName), tag, settings.Overwrite,
                                               known ? known->HasTag : std::nullopt);
    outcome.Message = message;
    outcome.Result = failed ? BatchOutcome::Group::Error : BatchOutcome::Group::Ok;
    return outcome;
}

} // namespace BatchProcessor
