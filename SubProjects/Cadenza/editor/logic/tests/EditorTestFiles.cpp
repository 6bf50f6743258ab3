#include "EditorTestFiles.h"

#include "Quaver/FileHandler.h"
#include <csignal>
#include <filesystem>
#include <spawn.h>
#include <stdexcept>
#include <sys/wait.h>
#include <thread>

extern char** environ;

namespace EditorTest {

Quaver::TagPtr stored(const std::string& path)
{
    Quaver::FileHandler h;
    h.setFileName(path);
    h.ReadTag();
    return h.ID3v1xTag();
}

std::string writeUntagged(const LegatoTest::TempDir& dir, const std::string& name)
{
    return dir.write(name, std::string(1000, '\x01'));
}

std::string writeTagged(const LegatoTest::TempDir& dir, const std::string& name, const TagValues& values)
{
    const std::string path = writeUntagged(dir, name);
    Quaver::FileHandler handler;
    handler.setFileName(path);
    auto tag = handler.ID3v1xTag();
    tag->setTitle(values.title);
    tag->setArtist(values.artist);
    tag->setAlbum(values.album);
    tag->setTrack(values.track);
    tag->setGenre(values.genre);
    tag->setTagType(values.type);
    if (!handler.WriteTag())
        throw std::runtime_error("cannot write the test tag: " + handler.LastError()->Stream());
    return path;
}

BusyFile::BusyFile(const LegatoTest::TempDir& dir, const std::string& name) : m_path(dir.file(name))
{
    namespace fs = std::filesystem;
    fs::copy_file("/bin/sleep", m_path, fs::copy_options::overwrite_existing);
    fs::permissions(m_path, fs::perms::owner_all);
    std::string seconds = "60";
    char* argv[] = {m_path.data(), seconds.data(), nullptr};
    if (posix_spawn(&m_pid, m_path.c_str(), nullptr, nullptr, argv, environ) != 0)
        throw std::runtime_error("cannot start " + m_path);
    // The file counts as busy once the program is running.
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
}

BusyFile::~BusyFile()
{
    if (m_pid > 0) {
        kill(m_pid, SIGKILL);
        waitpid(m_pid, nullptr, 0);
    }
}

} // namespace EditorTest
