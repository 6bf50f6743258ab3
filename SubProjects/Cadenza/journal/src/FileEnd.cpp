#include "FileEnd.h"

#include "Platform/BinaryFile.h"
#include "Platform/RuntimeError.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace Journal {

namespace {

constexpr const char* kSource = "Undo journal";
constexpr std::int64_t kLength = 128;
// A TAG+ block before the trailer.
constexpr std::int64_t kExtended = 227;

} // namespace

FileEnd ReadFileEnd(const std::string& name)
{
    // Opened without waiting: a pipe or device that took the file's place
    // since it was found is refused, not waited on.
    const Platform::BinaryFile file(name, Platform::BinaryFile::Access::ReadNoWait, kSource);
    struct stat info
    {
    };
    return ReadFileEnd(file, info);
}

FileEnd ReadFileEnd(const Platform::BinaryFile& file, struct stat& info)
{
    if (fstat(file.Descriptor(), &info) != 0)
        throw Platform::RuntimeError::fromErrno(errno, kSource);
    if (!S_ISREG(info.st_mode))
        throw Platform::RuntimeError::fromErrno(S_ISDIR(info.st_mode) ? EISDIR : EINVAL, kSource);
    // One read takes the trailer and the TAG+ block that may precede it.
    std::uint8_t bytes[kLength + kExtended];
    std::size_t count = 0;
    if (info.st_size > kLength) {
        count = static_cast<std::size_t>(std::min<std::int64_t>(info.st_size, kLength + kExtended));
        if (file.ReadAt(info.st_size - static_cast<std::int64_t>(count), bytes, count) != count)
            count = 0;
    }
    return FileEndFrom(info, bytes, count);
}

FileEnd FileEndFrom(const struct stat& status, const std::uint8_t* last, std::size_t count)
{
    FileEnd end;
    end.size = status.st_size;
    end.modifiedSeconds = status.st_mtim.tv_sec;
    end.modifiedNanoseconds = status.st_mtim.tv_nsec;
    if (end.size > kLength &&
        count == static_cast<std::size_t>(std::min<std::int64_t>(end.size, kLength + kExtended))) {
        const std::uint8_t* trailer = last + count - kLength;
        if (std::memcmp(trailer, "TAG", 3) == 0) {
            end.hasTrailer = true;
            std::memcpy(end.trailer.data(), trailer, end.trailer.size());
            end.extended =
                count == static_cast<std::size_t>(kLength + kExtended) && std::memcmp(last, "TAG+", 4) == 0;
        }
    }
    return end;
}

FileEnd AfterWrite(const FileEnd& before, const Trailer& block)
{
    FileEnd after;
    after.size = before.hasTrailer ? before.size : before.size + kLength;
    after.hasTrailer = true;
    after.trailer = block;
    return after;
}

FileEnd AfterRemove(const FileEnd& before)
{
    if (!before.hasTrailer)
        return before;
    FileEnd after;
    after.size = before.size - kLength;
    return after;
}

void RestoreFileEnd(const std::string& name, const FileEnd& before)
{
    Platform::BinaryFile file(name, Platform::BinaryFile::Access::ReadWrite, kSource);
    if (before.hasTrailer) {
        // The trailer sat in the last 128 bytes of the old size, whether the
        // write replaced it in place or a removal cut it off.
        file.WriteBlockAt(before.size - kLength, before.trailer.data(), before.trailer.size());
        if (file.Size() > before.size && ftruncate(file.Descriptor(), before.size) != 0)
            throw Platform::RuntimeError::fromErrno(errno, kSource);
    } else if (ftruncate(file.Descriptor(), before.size) != 0) {
        throw Platform::RuntimeError::fromErrno(errno, kSource);
    }
    const timespec times[2] = {{0, UTIME_OMIT}, {before.modifiedSeconds, before.modifiedNanoseconds}};
    if (before.modifiedSeconds && futimens(file.Descriptor(), times) != 0)
        throw Platform::RuntimeError::fromErrno(errno, kSource);
    if (fdatasync(file.Descriptor()) != 0)
        throw Platform::RuntimeError::fromErrno(errno, kSource);
    file.Close();
}

std::uint64_t Digest(const FileEnd& end)
{
    std::uint64_t hash = 14695981039346656037ULL;
    for (const std::uint8_t byte : end.trailer) {
        hash ^= byte;
        hash *= 1099511628211ULL;
    }
    return end.hasTrailer ? hash : 0;
}

} // namespace Journal
