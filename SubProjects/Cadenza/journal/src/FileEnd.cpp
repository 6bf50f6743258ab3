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
    FileEnd end;
    end.size = info.st_size;
    end.modifiedSeconds = info.st_mtim.tv_sec;
    end.modifiedNanoseconds = info.st_mtim.tv_nsec;
    if (end.size > kLength) {
        // One read takes the trailer and the TAG+ block that may precede it.
        const auto count = static_cast<std::size_t>(std::min(end.size, kLength + kExtended));
        std::uint8_t bytes[kLength + kExtended];
        const std::uint8_t* trailer = bytes + count - kLength;
        if (file.ReadAt(end.size - static_cast<std::int64_t>(count), bytes, count) == count &&
            std::memcmp(trailer, "TAG", 3) == 0) {
            end.hasTrailer = true;
            std::memcpy(end.trailer.data(), trailer, end.trailer.size());
            end.extended =
                count == static_cast<std::size_t>(kLength + kExtended) && std::memcmp(bytes, "TAG+", 4) == 0;
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
