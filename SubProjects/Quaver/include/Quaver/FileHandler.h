#pragma once

#include "Quaver/EID3TagConstants.h"
#include "Quaver/QuaverExport.h"
#include "Quaver/Tag.h"
#include "Quaver/TagError.h"

#include <string>

namespace Quaver {

// Reads, writes and detects the 128-byte trailer of one file. A handler binds
// a file name to a shared tag record and a shared error record; each operation
// opens and closes the file itself. Expected failures never raise: ReadTag and
// WriteTag return ID3Unknown or false and describe the failure in LastError
// (a successful operation leaves LastError as it was).
class QUAVER_EXPORT FileHandler
{
public:
    FileHandler();

    const std::string& FileName() const { return m_fileName; }
    void setFileName(std::string name) { m_fileName = std::move(name); }

    // The handler's own record, not a copy: ReadTag fills it, WriteTag writes it.
    TagPtr ID3v1xTag() const { return m_tag; }
    void setID3v1xTag(TagPtr tag) { m_tag = std::move(tag); }

    // The same record on every call, changed in place on each failure.
    TagErrorPtr LastError() const { return m_lastError; }

    // Reads the trailer into ID3v1xTag and returns its type. ID3Unknown when
    // the file is missing ("File does not exist.", Exclamation), has 128 bytes
    // or fewer (LastError untouched), has no "TAG" ("The file contains no
    // tag.", Information) or cannot be read (Critical, the system's error). A
    // failed read leaves the record as it was.
    EID3TagConstants ReadTag();

    // Writes ID3v1xTag over an existing trailer, or appends one. False when the
    // type is ID3Unknown ("Tag unknown."), the file is missing ("File does not
    // exist."), the track of an ID3v1.1 record lies outside 0 to 255 or the
    // file cannot be written (Critical); the file is then unchanged.
    bool WriteTag();

    // Changes nothing and returns false: removing a trailer is not offered.
    bool RemoveTag();

    // Cuts the trailer off the end of the file, every other byte staying as it
    // was. False when the file is missing ("File does not exist."), has no
    // trailer ("The file contains no tag.", Information) or cannot be
    // written (Critical); the file is then unchanged.
    bool CutTag();

    // Whether the file exists, is longer than 128 bytes and its last 128 bytes
    // begin with "TAG". Records nothing; a file that exists but cannot be read
    // raises Platform::RuntimeError.
    bool HasTag() const;

private:
    void record(ErrorConstants mode, const char* source, const char* description);
    void recordError(const std::exception_ptr& error);

    std::string m_fileName;
    TagPtr m_tag;
    TagErrorPtr m_lastError;
};

} // namespace Quaver
