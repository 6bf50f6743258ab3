#include "Quaver/FileHandler.h"

#include "Quaver/TrailerCodec.h"

#include "Platform/BinaryFile.h"
#include "Platform/FileSystemObject.h"
#include "Platform/MessageBox.h"
#include "Platform/RuntimeError.h"

#include <cerrno>
#include <new>
#include <unistd.h>

namespace Quaver {

namespace {

constexpr const char* kSource = "Quaver";
constexpr const char* kReadTag = LEGATO_TRANSLATE_NOOP("Quaver", "Read Tag");
constexpr const char* kWriteTag = LEGATO_TRANSLATE_NOOP("Quaver", "Write Tag");
constexpr const char* kCutTag = LEGATO_TRANSLATE_NOOP("Quaver", "Remove Tag");
constexpr std::int64_t kTagLength = Tag::TagLength();

// Classic numbers for failures that are not system calls.
constexpr std::int32_t kErrOutOfMemory = 7;
constexpr std::int32_t kErrInternal = 51;
constexpr std::int32_t kErrInputPastEnd = 62;
constexpr std::int32_t kErrObjectNotSet = 91;

void requireTag(const TagPtr& tag)
{
    if (!tag)
        throw Platform::RuntimeError(kErrObjectNotSet, kSource, "Object variable not set");
}

// Whether the trailer position of an open file holds "TAG".
bool trailerPresent(const Platform::BinaryFile& file, std::int64_t size)
{
    if (size <= kTagLength)
        return false;
    std::uint8_t identifier[3] = {};
    return file.ReadAt(size - kTagLength, identifier, sizeof identifier) == sizeof identifier &&
           TrailerCodec::HasIdentifier(identifier);
}

} // namespace

FileHandler::FileHandler() : m_tag(std::make_shared<Tag>()), m_lastError(std::make_shared<TagError>()) {}

EID3TagConstants FileHandler::ReadTag()
{
    try {
        requireTag(m_tag);
        const auto info = Platform::FileSystemObject().FindFile(m_fileName);
        if (!info) {
            record(Exclamation, kReadTag, LEGATO_TRANSLATE_NOOP("Quaver", "File does not exist."));
            return ID3Unknown;
        }
        if (info->Size <= kTagLength)
            return ID3Unknown;
        TrailerCodec::Block block{};
        {
            Platform::BinaryFile file(m_fileName, Platform::BinaryFile::Access::Read, kSource);
            if (file.ReadAt(info->Size - kTagLength, block.data(), block.size()) != block.size())
                throw Platform::RuntimeError(kErrInputPastEnd, kSource, "Input past end of file");
            file.Close();
        }
        if (!TrailerCodec::HasIdentifier(block.data())) {
            record(Information, kReadTag, LEGATO_TRANSLATE_NOOP("Quaver", "The file contains no tag."));
            return ID3Unknown;
        }
        return TrailerCodec::Parse(block, *m_tag);
    } catch (...) {
        recordError(std::current_exception());
        return ID3Unknown;
    }
}

bool FileHandler::WriteTag()
{
    try {
        requireTag(m_tag);
        if (m_tag->TagType() == ID3Unknown) {
            record(Exclamation, kWriteTag, LEGATO_TRANSLATE_NOOP("Quaver", "Tag unknown."));
            return false;
        }
        const auto info = Platform::FileSystemObject().FindFile(m_fileName);
        if (!info) {
            record(Exclamation, kWriteTag, LEGATO_TRANSLATE_NOOP("Quaver", "File does not exist."));
            return false;
        }
        // Rendering raises for a track out of range before the file is opened.
        const TrailerCodec::Block block = TrailerCodec::Render(*m_tag);

        Platform::BinaryFile file(m_fileName, Platform::BinaryFile::Access::ReadWrite, kSource);
        // The size of the file as opened, not as looked up before.
        const std::int64_t size = file.Size();
        const std::int64_t position = trailerPresent(file, size) ? size - kTagLength : size;
        // One write that lands whole or is undone: a killed or failing write
        // never leaves part of a trailer behind the audio.
        file.WriteBlockAt(position, block.data(), block.size(), size);
        file.Close();
        return true;
    } catch (...) {
        recordError(std::current_exception());
        return false;
    }
}

bool FileHandler::RemoveTag()
{
    return false;
}

bool FileHandler::CutTag()
{
    try {
        if (!Platform::FileSystemObject().FindFile(m_fileName)) {
            record(Exclamation, kCutTag, "File does not exist.");
            return false;
        }
        Platform::BinaryFile file(m_fileName, Platform::BinaryFile::Access::ReadWrite, kSource);
        const std::int64_t size = file.Size();
        if (!trailerPresent(file, size)) {
            record(Information, kCutTag, "The file contains no tag.");
            return false;
        }
        // One truncate: the file has its trailer or has not, never a part of it.
        if (ftruncate(file.Descriptor(), size - kTagLength) != 0)
            throw Platform::RuntimeError::fromErrno(errno, kSource);
        file.Close();
        return true;
    } catch (...) {
        recordError(std::current_exception());
        return false;
    }
}

bool FileHandler::HasTag() const
{
    const auto info = Platform::FileSystemObject().FindFile(m_fileName);
    if (!info || info->Size <= kTagLength)
        return false;
    Platform::BinaryFile file(m_fileName, Platform::BinaryFile::Access::Read, kSource);
    return trailerPresent(file, info->Size);
}

void FileHandler::record(ErrorConstants mode, const char* source, const char* description)
{
    m_lastError->Clear();
    m_lastError->setMode(mode);
    m_lastError->setSource(source);
    m_lastError->setDescription(description);
}

void FileHandler::recordError(const std::exception_ptr& error)
{
    m_lastError->Clear();
    try {
        std::rethrow_exception(error);
    } catch (const Platform::RuntimeError& e) {
        m_lastError->CopyError(&e);
    } catch (const std::bad_alloc&) {
        const Platform::RuntimeError e(kErrOutOfMemory, kSource, "Out of memory");
        m_lastError->CopyError(&e);
    } catch (const std::exception& e) {
        const Platform::RuntimeError copy(kErrInternal, kSource, e.what());
        m_lastError->CopyError(&copy);
    } catch (...) {
        const Platform::RuntimeError copy(kErrInternal, kSource, "Internal error");
        m_lastError->CopyError(&copy);
    }
}

} // namespace Quaver
