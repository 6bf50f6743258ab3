#pragma once

#include "TempDir.h"

#include "Quaver/Tag.h"
#include <string>
#include <sys/types.h>

namespace EditorTest {

struct TagValues
{
    std::string title;
    std::string artist;
    std::string album;
    std::int16_t track = 0;
    std::uint8_t genre = 255;
    Quaver::EID3TagConstants type = Quaver::ID3V11;
};

// A 1000-byte file with the given tag written by the tag library.
std::string writeTagged(const LegatoTest::TempDir& dir, const std::string& name, const TagValues& values);
// The tag stored in a file, as the tag library reads it.
Quaver::TagPtr stored(const std::string& path);
// A 1000-byte file without a tag.
std::string writeUntagged(const LegatoTest::TempDir& dir, const std::string& name);

// A file that exists but cannot be opened for writing, even by root: a copy of
// a program that is running while the object lives (the system refuses to
// write to a running program's file).
class BusyFile
{
public:
    BusyFile(const LegatoTest::TempDir& dir, const std::string& name);
    ~BusyFile();
    BusyFile(const BusyFile&) = delete;
    BusyFile& operator=(const BusyFile&) = delete;
    const std::string& path() const { return m_path; }

private:
    std::string m_path;
    pid_t m_pid = -1;
};

} // namespace EditorTest
