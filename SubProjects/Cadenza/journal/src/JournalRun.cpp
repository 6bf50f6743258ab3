#include "JournalFormat.h"
#include "UndoJournal.h"

#include "Platform/RuntimeError.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Journal {

namespace {

using Format::kSource;

// Buffered intents are written out once this much has gathered, so a long run
// does not hold its whole journal in memory.
constexpr std::size_t kFlushAt = 1 << 20;

[[noreturn]] void fail(int error, const std::string& folder)
{
    const auto system = Platform::RuntimeError::fromErrno(error, kSource);
    throw Platform::RuntimeError(system.Number(), kSource,
                                 "Cannot write the undo journal in " + folder + ": " + system.Description());
}

// Creates the folder and its parents (private to the user, as state is).
void makeFolder(const std::string& folder)
{
    for (std::size_t slash = 1; slash != std::string::npos;) {
        slash = folder.find('/', slash + 1);
        const std::string part = folder.substr(0, slash);
        if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST)
            fail(errno, folder);
    }
}

int highestId(const std::string& folder)
{
    int highest = 0;
    if (DIR* dir = opendir(folder.c_str())) {
        while (const dirent* entry = readdir(dir))
            if (const auto id = Format::RunId(entry->d_name); id && *id > highest)
                highest = *id;
        closedir(dir);
    }
    return highest;
}

std::string workingFolder()
{
    char* cwd = getcwd(nullptr, 0);
    if (!cwd)
        throw Platform::RuntimeError::fromErrno(errno, kSource);
    std::string path = cwd;
    std::free(cwd);
    return path;
}

} // namespace

std::unique_ptr<JournalRun> JournalRun::Begin(const std::string& folder, const std::string& kind,
                                              const std::string& description)
{
    makeFolder(folder);
    // Two programs may begin a run at once: the exclusive create decides who
    // gets a number, the other takes the next one.
    int id = highestId(folder);
    int fd = -1;
    for (int attempt = 0; fd < 0; ++attempt) {
        const std::string path = folder + '/' + Format::RunFileName(++id);
        fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_APPEND | O_CLOEXEC, 0600);
        if (fd < 0 && (errno != EEXIST || attempt > 1000))
            fail(errno, folder);
    }
    // Held while the run lasts: undo refuses a run that is still being written.
    flock(fd, LOCK_EX | LOCK_NB);
    std::unique_ptr<JournalRun> run(new JournalRun(fd, id, folder));
    Format::AppendLine(run->m_buffer, {std::string(Format::kMagic), std::to_string(Format::kVersion),
                                       std::to_string(std::time(nullptr)), kind, Format::Base64(description),
                                       std::to_string(getpid())});
    run->Sync();
    UndoJournal(folder).Prune(id);
    return run;
}

JournalRun::JournalRun(int fd, int id, std::string folder) : m_fd(fd), m_id(id), m_folder(std::move(folder))
{
}

JournalRun::~JournalRun()
{
    try {
        flush();
    } catch (...) {
        // The run's last notes are lost; undo then checks those files by their content.
    }
    close(m_fd);
}

std::string JournalRun::absolute(const std::string& name)
{
    const bool relative = name.empty() || name.front() != '/';
    if (relative && m_workingFolder.empty())
        m_workingFolder = workingFolder();
    return relative ? m_workingFolder + '/' + name : name;
}

int JournalRun::Intend(const std::string& name, const FileEnd& before, const FileEnd& after)
{
    const int entry = ++m_entries;
    // One line per file of a run: put together in place.
    const std::size_t start = m_buffer.size();
    m_buffer += "F\t";
    Format::AppendNumber(m_buffer, entry);
    m_buffer += '\t';
    if (name.empty() || name.front() != '/')
        Format::AppendBase64(m_buffer, absolute(name));
    else
        Format::AppendBase64(m_buffer, name);
    m_buffer += '\t';
    Format::AppendEnd(m_buffer, before);
    m_buffer += '\t';
    Format::AppendNumber(m_buffer, after.size);
    m_buffer += '\t';
    if (after.hasTrailer)
        Format::AppendHex(m_buffer, Digest(after), 16);
    else
        m_buffer += '-';
    Format::EndLine(m_buffer, start);
    if (m_buffer.size() >= kFlushAt)
        flush();
    return entry;
}

int JournalRun::Intend(const std::string& name, const FileEnd& before, const Splice& splice)
{
    const int entry = ++m_entries;
    Format::SpliceRecord record{before.size,
                                before.modifiedSeconds,
                                before.modifiedNanoseconds,
                                splice.oldFront,
                                splice.oldBack,
                                splice.AfterSize(),
                                splice.newFront.size(),
                                splice.newBack.size(),
                                Format::DigestHex(splice.newFront),
                                Format::DigestHex(splice.newBack)};
    std::vector<std::string> fields = {"S", std::to_string(entry), Format::Base64(absolute(name))};
    for (std::string& field : Format::EncodeSplice(record))
        fields.push_back(std::move(field));
    Format::AppendLine(m_buffer, fields);
    if (m_buffer.size() >= kFlushAt)
        flush();
    return entry;
}

void JournalRun::Sync()
{
    Write();
    SyncWritten();
}

void JournalRun::Write()
{
    flush();
}

void JournalRun::SyncWritten() const
{
    if (fdatasync(m_fd) != 0)
        fail(errno, m_folder);
}

void JournalRun::Done(int entry, const std::string& name)
{
    struct stat info
    {
    };
    if (stat(name.c_str(), &info) != 0)
        return; // undo then checks the file by its size and trailer alone
    Done(entry, info.st_mtim.tv_sec, info.st_mtim.tv_nsec);
}

void JournalRun::Done(int entry, std::int64_t modifiedSeconds, std::int64_t modifiedNanoseconds)
{
    // One line per file written, put together in place as Intend's.
    const std::size_t start = m_buffer.size();
    m_buffer += "D\t";
    Format::AppendNumber(m_buffer, entry);
    m_buffer += '\t';
    Format::AppendNumber(m_buffer, modifiedSeconds);
    m_buffer += '\t';
    Format::AppendNumber(m_buffer, modifiedNanoseconds);
    Format::EndLine(m_buffer, start);
    if (m_buffer.size() >= kFlushAt)
        flush();
}

void JournalRun::Finish()
{
    if (m_entries == 0) {
        // A run that changed no file leaves nothing to undo.
        m_buffer.clear();
        unlink((m_folder + '/' + Format::RunFileName(m_id)).c_str());
        return;
    }
    Format::AppendLine(m_buffer, {"E", std::to_string(m_entries)});
    Sync();
}

void JournalRun::flush()
{
    std::size_t done = 0;
    while (done < m_buffer.size()) {
        const ssize_t written = write(m_fd, m_buffer.data() + done, m_buffer.size() - done);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            const int error = written < 0 ? errno : ENOSPC;
            // A partial line stays behind as a cut last line, which readers skip.
            m_buffer.erase(0, done);
            fail(error, m_folder);
        }
        done += static_cast<std::size_t>(written);
    }
    m_buffer.clear();
}

} // namespace Journal
