#include "CliFiles.h"

#include "CliProgress.h"
#include "CliVerb.h"
#include "TagPrinting.h"

#include "Quaver/TagError.h"

#include "BatchProcessor.h"
#include "Platform/FileSystemObject.h"
#include "Platform/RuntimeError.h"
#include "cDrvScan.h"

#include <atomic>
#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <fcntl.h>
#include <iostream>
#include <mutex>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace CliFiles {

bool RefuseFile(const std::string& file, const char* source, Quaver::TagError& error)
{
    int reason = 0;
    switch (Platform::FileSystemObject().GetFileKind(file, &reason)) {
    case Platform::FileKind::Regular:
    case Platform::FileKind::Missing:
        return false;
    case Platform::FileKind::Other:
        error.Clear();
        error.setMode(Quaver::Exclamation);
        error.setSource(source);
        error.setDescription("Not a regular file.");
        return true;
    case Platform::FileKind::Unreachable:
        break;
    }
    const Platform::RuntimeError refused = Platform::RuntimeError::fromErrno(reason, source);
    error.CopyError(&refused);
    return true;
}

std::optional<std::string> FolderProblem(const std::string& dir, const char* notAFolder)
{
    struct stat info
    {
    };
    if (::stat(dir.c_str(), &info) != 0) {
        if (errno != ENOENT && errno != ENOTDIR)
            return std::string(std::strerror(errno));
        return std::string(notAFolder);
    }
    if (!S_ISDIR(info.st_mode))
        return std::string(notAFolder);
    // The walk lists the folder and then opens what it lists: it needs both.
    if (::faccessat(AT_FDCWD, dir.c_str(), R_OK | X_OK, AT_EACCESS) != 0)
        return std::string(std::strerror(errno));
    return std::nullopt;
}

namespace {

void printProblem(const std::string& name, const std::string& problem)
{
    CliProgress::Interrupt();
    std::cerr << "cadenza-cli: " << TagPrinting::visible(name) << ": " << problem << '\n';
}

} // namespace

bool FileArgs::IsOption(const std::string& name)
{
    return name == "--files-from" || name == NulFlag;
}

bool FileArgs::Take(const char* verb, const std::string& name, const std::string& value)
{
    if (name == NulFlag) {
        nulSeparated = true;
        return true;
    }
    const char* problem = filesFrom       ? "--files-from is given twice"
                          : value.empty() ? "--files-from needs a file name, or - for standard input"
                                          : nullptr;
    if (problem) {
        std::cerr << "cadenza-cli " << verb << ": " << problem << '\n';
        return false;
    }
    filesFrom = value;
    return true;
}

bool FileArgs::Check(const char* verb) const
{
    const char* problem = nulSeparated && !filesFrom       ? "-0 goes with --files-from"
                          : operands.empty() && !filesFrom ? "no file given"
                                                           : nullptr;
    if (problem)
        std::cerr << "cadenza-cli " << verb << ": " << problem << '\n';
    return problem == nullptr;
}

// Walks one folder with the batch run's scanner on a thread of its own and
// hands its files over in chunks, so the walk reads ahead of the verb while
// only a few thousand names are ever held. A chunk goes over when it is full,
// when the scanner moves on to a folder (which may be slow to read), or as
// soon as the taker waits for one.
class FolderWalk
{
public:
    explicit FolderWalk(const std::string& dir) : m_worker([this, dir] { Walk(dir); }) {}

    ~FolderWalk()
    {
        {
            const std::lock_guard lock(m_mutex);
            m_stop = true;
        }
        m_changed.notify_all();
        m_worker.join();
    }

    std::optional<std::string> next()
    {
        if (m_taken == m_chunk.size()) {
            std::unique_lock lock(m_mutex);
            m_waiting = true;
            m_changed.wait(lock, [this] { return !m_ready.empty() || m_done; });
            m_waiting = false;
            if (m_ready.empty())
                return std::nullopt;
            m_chunk = std::move(m_ready.front());
            m_ready.pop_front();
            m_readyNames -= m_chunk.size();
            m_taken = 0;
            lock.unlock();
            m_changed.notify_all();
        }
        return std::move(m_chunk[m_taken++]);
    }

private:
    static constexpr std::size_t ChunkSize = 512;
    static constexpr std::size_t NamesAhead = 4096;

    void Walk(const std::string& dir)
    {
        std::vector<std::string> chunk;
        try {
            cDrvScan scan;
            // The batch run's walk: the same pattern, the same files passed over.
            QObject::connect(&scan, &cDrvScan::FileFound, [&](const std::string& fileName) {
                if (!BatchProcessor::IsProcessable(fileName))
                    return;
                chunk.push_back(fileName);
                if ((chunk.size() >= ChunkSize || m_waiting) && !HandOver(chunk))
                    scan.setCancel(true); // runs on this thread, like the scan
            });
            QObject::connect(&scan, &cDrvScan::Progress, [&] {
                if (!chunk.empty() && !HandOver(chunk))
                    scan.setCancel(true);
            });
            scan.setFileSpec("*.mp3");
            scan.setUseFileSpec(true);
            scan.setPath(dir);
            scan.SearchFiles();
        } catch (...) {
            // Nothing escapes a thread; the names found so far still go over.
        }
        if (!chunk.empty())
            HandOver(chunk);
        {
            const std::lock_guard lock(m_mutex);
            m_done = true;
        }
        m_changed.notify_all();
    }

    // False once the taker has gone.
    bool HandOver(std::vector<std::string>& chunk)
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return m_readyNames < NamesAhead || m_stop; });
        if (m_stop)
            return false;
        m_readyNames += chunk.size();
        m_ready.push_back(std::move(chunk));
        lock.unlock();
        m_changed.notify_all();
        chunk = {};
        chunk.reserve(ChunkSize);
        return true;
    }

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<std::vector<std::string>> m_ready;
    std::size_t m_readyNames = 0;
    bool m_done = false;
    bool m_stop = false;
    std::atomic<bool> m_waiting{false};
    std::vector<std::string> m_chunk; // the taker's, outside the lock
    std::size_t m_taken = 0;
    std::thread m_worker; // last: starts when everything above is ready
};

// Reads the names of a list as they are asked for, through one fixed buffer.
class NameList
{
public:
    // A name longer than this cannot be opened anyway (the system's PATH_MAX).
    static constexpr std::size_t MaxName = 4096;

    NameList(int fd, std::string shownName, char separator)
        : m_fd(fd), m_shownName(std::move(shownName)), m_separator(separator)
    {
    }

    ~NameList()
    {
        if (m_fd != STDIN_FILENO)
            ::close(m_fd);
    }

    std::optional<std::string> next()
    {
        std::string name;
        bool tooLong = false;
        for (;;) {
            if (m_begin == m_end) {
                if (!Fill())
                    break;
                continue;
            }
            const char* start = m_buffer + m_begin;
            const auto* stop = static_cast<const char*>(std::memchr(start, m_separator, m_end - m_begin));
            const std::size_t length = stop ? static_cast<std::size_t>(stop - start) : m_end - m_begin;
            tooLong = tooLong || name.size() + length > MaxName;
            if (!tooLong)
                name.append(start, length);
            m_begin += length;
            if (stop == nullptr)
                continue;
            ++m_begin;
            if (tooLong)
                ReportTooLong();
            else if (!name.empty())
                return name;
            name.clear();
            tooLong = false;
        }
        if (tooLong)
            ReportTooLong();
        if (!name.empty())
            return name; // the last name needs no separator after it
        return std::nullopt;
    }

    bool Failed() const { return m_failed; }

private:
    // False at the end of the list, or when it could not be read further.
    bool Fill()
    {
        if (m_atEnd)
            return false;
        ssize_t got = 0;
        do
            got = ::read(m_fd, m_buffer, sizeof m_buffer);
        while (got < 0 && errno == EINTR);
        if (got <= 0) {
            m_atEnd = true;
            if (got < 0) {
                m_failed = true;
                printProblem(m_shownName, std::strerror(errno));
            }
            return false;
        }
        m_begin = 0;
        m_end = static_cast<std::size_t>(got);
        return true;
    }

    void ReportTooLong()
    {
        m_failed = true;
        printProblem(m_shownName, "a name longer than " + std::to_string(MaxName) + " bytes is passed over");
    }

    int m_fd;
    std::string m_shownName;
    char m_separator;
    char m_buffer[65536];
    std::size_t m_begin = 0;
    std::size_t m_end = 0;
    bool m_atEnd = false;
    bool m_failed = false;
};

std::unique_ptr<FileNames> FileNames::Open(const FileArgs& args, const char* verb)
{
    std::unique_ptr<FileNames> names(new FileNames(args));
    if (!args.filesFrom)
        return names;
    const std::string& list = *args.filesFrom;
    int fd = STDIN_FILENO;
    if (list != "-")
        fd = ::open(list.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat info
    {
    };
    int reason = 0;
    if (fd < 0 || ::fstat(fd, &info) != 0)
        reason = errno;
    else if (S_ISDIR(info.st_mode))
        reason = EISDIR;
    if (reason != 0) {
        std::cerr << "cadenza-cli " << verb << ": --files-from " << TagPrinting::visible(list) << ": "
                  << std::strerror(reason) << '\n';
        if (fd > STDIN_FILENO)
            ::close(fd);
        return nullptr;
    }
    names->m_list = std::make_unique<NameList>(fd, list == "-" ? std::string("standard input") : list,
                                               args.nulSeparated ? '\0' : '\n');
    return names;
}

FileNames::FileNames(const FileArgs& args) : m_operands(args.operands) {}

FileNames::~FileNames() = default;

std::optional<std::string> FileNames::next()
{
    m_lastRegular = false;
    for (;;) {
        if (m_walk) {
            if (auto name = m_walk->next()) {
                ++m_count;
                return name;
            }
            m_walk.reset();
        }
        if (m_nextOperand < m_operands.size()) {
            std::string& operand = m_operands[m_nextOperand++];
            struct stat info
            {
            };
            const bool found = ::stat(operand.c_str(), &info) == 0;
            if (!found || !S_ISDIR(info.st_mode)) {
                m_lastRegular = found && S_ISREG(info.st_mode);
                ++m_count;
                return std::move(operand);
            }
            if (const auto problem = FolderProblem(operand, "not a readable directory")) {
                printProblem(operand, *problem);
                m_failed = true;
            } else {
                m_walk = std::make_unique<FolderWalk>(operand);
            }
            continue;
        }
        if (m_list) {
            if (auto name = m_list->next()) {
                ++m_count;
                return name;
            }
            m_failed = m_failed || m_list->Failed();
            m_list.reset();
        }
        return std::nullopt;
    }
}

int Finish(const FileNames& names, int status)
{
    if (names.Count() == 0)
        std::cerr << "0 files\n";
    return names.Failed() ? ExitFailed : status;
}

} // namespace CliFiles
