#include "Platform/BinaryFile.h"

#include "Platform/RuntimeError.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Platform {

namespace {

int openFlags(BinaryFile::Access access)
{
    switch (access) {
    case BinaryFile::Access::Read:
        return O_RDONLY;
    case BinaryFile::Access::ReadWrite:
        return O_RDWR;
    case BinaryFile::Access::Create:
        return O_WRONLY | O_CREAT;
    }
    return O_RDONLY;
}

} // namespace

BinaryFile::BinaryFile(const std::string& name, Access access, const std::string& source) : m_source(source)
{
    do {
        m_fd = ::open(name.c_str(), openFlags(access) | O_CLOEXEC, 0666);
    } while (m_fd < 0 && errno == EINTR);
    if (m_fd < 0)
        throw RuntimeError::fromErrno(errno, m_source);
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

void BinaryFile::Close()
{
    if (m_fd < 0)
        return;
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0 && errno != EINTR)
        throw RuntimeError::fromErrno(errno, m_source);
}

void DeleteFile(const std::string& name, const std::string& source)
{
    if (::unlink(name.c_str()) != 0)
        throw RuntimeError::fromErrno(errno, source);
}

} // namespace Platform
