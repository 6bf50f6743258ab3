#include "Platform/BinaryFile.h"

#include "Platform/RuntimeError.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <memory>
#include <optional>
#include <pthread.h>
#include <sched.h>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/wait.h>
#include <unistd.h>

namespace Platform {

namespace {

int openFlags(BinaryFile::Access access)
{
    switch (access) {
    case BinaryFile::Access::Read:
        return O_RDONLY;
    case BinaryFile::Access::ReadNoWait:
        return O_RDONLY | O_NONBLOCK;
    case BinaryFile::Access::ReadWrite:
        return O_RDWR;
    case BinaryFile::Access::ReadWriteNoWait:
        return O_RDWR | O_NONBLOCK;
    case BinaryFile::Access::Create:
        return O_WRONLY | O_CREAT;
    }
    return O_RDONLY;
}

// Opens name by access; -1 with errno set on failure.
int openFile(const std::string& name, BinaryFile::Access access)
{
    int fd = -1;
    do {
        fd = ::open(name.c_str(), openFlags(access) | O_CLOEXEC, 0666);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

// Makes sure a file can grow to newSize before a byte is written: the disk
// blocks are reserved (without changing the size). Where the file system cannot reserve, the free
// space is checked instead.
void reserveGrowth(int fd, std::int64_t size, std::int64_t newSize, const std::string& source)
{
    int rc;
    do {
        rc = ::fallocate(fd, FALLOC_FL_KEEP_SIZE, static_cast<off_t>(size),
                         static_cast<off_t>(newSize - size));
    } while (rc != 0 && errno == EINTR);
    if (rc == 0)
        return;
    if (errno != EOPNOTSUPP && errno != ENOSYS)
        throw RuntimeError::fromErrno(errno, source);
    struct statvfs fs
    {
    };
    // Room for the new bytes plus one block they may have to start.
    if (::fstatvfs(fd, &fs) == 0 && static_cast<std::uint64_t>(fs.f_bavail) * fs.f_frsize <
                                        static_cast<std::uint64_t>(newSize - size) + fs.f_bsize)
        throw RuntimeError::fromErrno(ENOSPC, source);
}

// Blocks SIGXFSZ in the calling thread for one scope, so exceeding the file
// size limit makes a write fail (EFBIG or short) instead of ending the
// process; a signal raised meanwhile is taken off before the mask is restored.
class HoldFileSizeSignal
{
public:
    HoldFileSizeSignal()
    {
        sigemptyset(&m_set);
        sigaddset(&m_set, SIGXFSZ);
        pthread_sigmask(SIG_BLOCK, &m_set, &m_previous);
    }
    ~HoldFileSizeSignal()
    {
        sigset_t pending;
        sigemptyset(&pending);
        if (!sigismember(&m_previous, SIGXFSZ) && sigpending(&pending) == 0 &&
            sigismember(&pending, SIGXFSZ)) {
            const timespec now{0, 0};
            while (sigtimedwait(&m_set, nullptr, &now) < 0 && errno == EINTR) {
            }
        }
        pthread_sigmask(SIG_SETMASK, &m_previous, nullptr);
    }
    HoldFileSizeSignal(const HoldFileSizeSignal&) = delete;
    HoldFileSizeSignal& operator=(const HoldFileSizeSignal&) = delete;

private:
    sigset_t m_set;
    sigset_t m_previous;
};

// One block to write whole, with what undoes it.
struct BlockWrite
{
    int fd = -1;
    const char* data = nullptr;
    std::size_t count = 0;
    off_t offset = 0;
    off_t size = 0;  // the file's size before the write
    std::string old; // the bytes the block replaces
    ssize_t written = -1;
    int error = 0;
};

// Writes the block as one write call; when it does not land whole, puts the
// old bytes back and cuts the file to its old size.
void writeOrUndo(BlockWrite& job)
{
    do {
        job.written = ::pwrite(job.fd, job.data, job.count, job.offset);
    } while (job.written < 0 && errno == EINTR);
    job.error = errno;
    if (job.written == static_cast<ssize_t>(job.count))
        return;
    if (!job.old.empty()) {
        const ssize_t restored = ::pwrite(job.fd, job.old.data(), job.old.size(), job.offset);
        static_cast<void>(restored);
    }
    const int truncated = ::ftruncate(job.fd, job.size);
    static_cast<void>(truncated);
}

int helperMain(void* arg)
{
    sigset_t all;
    sigfillset(&all);
    sigprocmask(SIG_SETMASK, &all, nullptr);
    writeOrUndo(*static_cast<BlockWrite*>(arg));
    _exit(0);
}

// A write into the page cache is not atomic: when the block spans two pages,
// the kernel copies it page by page and a SIGKILL between the two ends the
// write after the first part, leaving a torn block. So the write runs in a
// short-lived helper process that shares this process's memory and blocks
// every signal: killing this process does not reach it, and it finishes (or
// undoes) the write on its own. This process waits for it (vfork semantics).
// False when no helper could be started.
bool writeInHelper(BlockWrite& job)
{
    constexpr std::size_t kStack = 64 * 1024;
    const std::unique_ptr<char[]> stack(new char[kStack]);
    // No exit signal: the program's own SIGCHLD handling never sees the helper.
    const pid_t pid = ::clone(helperMain, stack.get() + kStack, CLONE_VM | CLONE_VFORK, &job);
    if (pid < 0)
        return false;
    int status = 0;
    while (::waitpid(pid, &status, __WCLONE) < 0 && errno == EINTR) {
    }
    return true;
}

} // namespace

BinaryFile::BinaryFile(const std::string& name, Access access, const std::string& source) : m_source(source)
{
    m_fd = openFile(name, access);
    if (m_fd < 0)
        throw RuntimeError::fromErrno(errno, m_source);
}

BinaryFile::BinaryFile(const std::string& name, Access access, const std::string& source, int& errorNumber)
    : m_source(source)
{
    m_fd = openFile(name, access);
    errorNumber = m_fd < 0 ? errno : 0;
}

BinaryFile::~BinaryFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

std::int64_t BinaryFile::Size() const
{
    struct stat st
    {
    };
    if (::fstat(m_fd, &st) != 0)
        throw RuntimeError::fromErrno(errno, m_source);
    return static_cast<std::int64_t>(st.st_size);
}

std::size_t BinaryFile::ReadAt(std::int64_t offset, void* buffer, std::size_t count) const
{
    auto* out = static_cast<char*>(buffer);
    std::size_t done = 0;
    while (done < count) {
        const ssize_t n = ::pread(m_fd, out + done, count - done, static_cast<off_t>(offset + done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throw RuntimeError::fromErrno(errno, m_source);
        }
        if (n == 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    return done;
}

void BinaryFile::WriteAt(std::int64_t offset, const void* buffer, std::size_t count)
{
    const auto* in = static_cast<const char*>(buffer);
    std::size_t done = 0;
    while (done < count) {
        const ssize_t n = ::pwrite(m_fd, in + done, count - done, static_cast<off_t>(offset + done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throw RuntimeError::fromErrno(errno, m_source);
        }
        done += static_cast<std::size_t>(n);
    }
}

void BinaryFile::WriteBlockAt(std::int64_t offset, const void* buffer, std::size_t count)
{
    WriteBlockAt(offset, buffer, count, Size());
}

void BinaryFile::WriteBlockAt(std::int64_t offset, const void* buffer, std::size_t count, std::int64_t size)
{
    WriteBlockAt(offset, buffer, count, Known{.Size = size, .SizeLimit = FileSizeLimit()});
}

void BinaryFile::WriteBlockAt(std::int64_t offset, const void* buffer, std::size_t count, const Known& known)
{
    BlockWrite job;
    job.fd = m_fd;
    job.data = static_cast<const char*>(buffer);
    job.count = count;
    job.offset = static_cast<off_t>(offset);
    job.size = static_cast<off_t>(known.Size);
    const std::int64_t end = offset + static_cast<std::int64_t>(count);
    if (offset < job.size) {
        const auto replaced = static_cast<std::size_t>(std::min<std::int64_t>(end, job.size) - offset);
        if (known.Replaced) {
            job.old.assign(static_cast<const char*>(known.Replaced), replaced);
        } else {
            job.old.resize(replaced);
            job.old.resize(ReadAt(offset, job.old.data(), job.old.size()));
        }
    }
    // The process's file-size limit applies to every byte written past it, an
    // overwrite included: refuse such a write before a byte is written. Below
    // the limit no SIGXFSZ can come, so the signal is held only when a limit
    // is set at all.
    const bool limited = known.SizeLimit.has_value();
    if (limited && static_cast<std::uint64_t>(end) > *known.SizeLimit)
        throw RuntimeError::fromErrno(EFBIG, m_source);
    if (end > job.size && end > known.Allocated)
        reserveGrowth(m_fd, job.size, end, m_source);

    // The kernel checks for a fatal signal only between the pages it copies, so
    // a block inside one page lands whole or not at all; only a block that
    // spans two pages needs the helper (a clone per write would cost more than
    // the write itself).
    static const std::int64_t page = std::max<long>(::sysconf(_SC_PAGESIZE), 512);
    const bool spansPages = offset / page != (end - 1) / page;
    if (!spansPages || !writeInHelper(job)) {
        std::optional<HoldFileSizeSignal> hold;
        if (limited)
            hold.emplace();
        writeOrUndo(job);
    }
    if (job.written == static_cast<ssize_t>(count))
        return;
    if (job.written >= 0)
        throw RuntimeError(ErrPathFileAccess, m_source,
                           "Short write: " + std::to_string(job.written) + " of " + std::to_string(count) +
                               " bytes written, the file was restored");
    throw RuntimeError::fromErrno(job.error, m_source);
}

void BinaryFile::Close()
{
    if (m_fd < 0)
        return;
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0 && errno != EINTR)
        throw RuntimeError::fromErrno(errno, m_source);
}

std::optional<std::uint64_t> FileSizeLimit()
{
    rlimit limit{};
    if (::getrlimit(RLIMIT_FSIZE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY)
        return std::nullopt;
    return static_cast<std::uint64_t>(limit.rlim_cur);
}

void DeleteFile(const std::string& name, const std::string& source)
{
    if (::unlink(name.c_str()) != 0)
        throw RuntimeError::fromErrno(errno, source);
}

} // namespace Platform
