#include "FileSplice.h"

#include "OtherTags/EndBlocks.h"
#include "OtherTags/OtherTags.h"

#include "Platform/BinaryFile.h"
#include "Platform/FileDescriptor.h"
#include "Platform/RuntimeError.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <functional>
#include <random>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <vector>

namespace Journal {

namespace {

constexpr const char* kSource = "Write Tag";
constexpr std::int64_t kTrailer = 128;

[[noreturn]] void failErrno(int error = errno)
{
    throw Platform::RuntimeError::fromErrno(error, kSource);
}

[[noreturn]] void refuse(const std::string& text)
{
    throw Platform::RuntimeError(75, kSource, text);
}

std::string readAt(const Platform::BinaryFile& file, std::int64_t offset, std::size_t count)
{
    std::string bytes(count, '\0');
    if (file.ReadAt(offset, bytes.data(), count) != count)
        refuse("The file has changed since it was read; it was not written.");
    return bytes;
}

struct stat statOf(int fd)
{
    struct stat info
    {
    };
    if (fstat(fd, &info) != 0)
        failErrno();
    return info;
}

void writeAll(int fd, const char* data, std::size_t count)
{
    while (count > 0) {
        const ssize_t n = write(fd, data, count);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            failErrno(n < 0 ? errno : ENOSPC);
        data += n;
        count -= static_cast<std::size_t>(n);
    }
}

// Copies count bytes from offset of in to the end of out.
void copyRange(int in, std::int64_t offset, int out, std::int64_t count)
{
    off_t from = static_cast<off_t>(offset);
    while (count > 0) {
        const ssize_t n = copy_file_range(in, &from, out, nullptr, static_cast<std::size_t>(count), 0);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EXDEV || errno == ENOSYS || errno == EINVAL || errno == EOPNOTSUPP))
            break; // copied below by reading and writing
        if (n <= 0)
            failErrno(n < 0 ? errno : EIO);
        count -= n;
    }
    std::vector<char> buffer(1 << 16);
    while (count > 0) {
        const ssize_t n =
            pread(in, buffer.data(), static_cast<std::size_t>(std::min<std::int64_t>(count, 1 << 16)), from);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            failErrno(n < 0 ? errno : EIO);
        writeAll(out, buffer.data(), static_cast<std::size_t>(n));
        from += n;
        count -= n;
    }
}

// Extended attributes (access lists among them) go along where the file
// system allows; one it refuses is not a reason to leave the tags unwritten.
void copyAttributes(int from, int to)
{
    const ssize_t length = flistxattr(from, nullptr, 0);
    if (length <= 0)
        return;
    std::string names(static_cast<std::size_t>(length), '\0');
    const ssize_t got = flistxattr(from, names.data(), names.size());
    if (got <= 0)
        return;
    names.resize(static_cast<std::size_t>(got));
    for (std::size_t at = 0; at < names.size();) {
        const std::string name = names.c_str() + at;
        at += name.size() + 1;
        const ssize_t size = fgetxattr(from, name.c_str(), nullptr, 0);
        if (size < 0)
            continue;
        std::string value(static_cast<std::size_t>(size), '\0');
        if (fgetxattr(from, name.c_str(), value.data(), value.size()) == size)
            fsetxattr(to, name.c_str(), value.data(), value.size(), 0);
    }
}

void setTimes(int fd, const timespec& accessed, const timespec* modified)
{
    const timespec times[2] = {accessed, modified ? *modified : timespec{0, UTIME_NOW}};
    if (futimens(fd, times) != 0)
        failErrno();
}

// The whole new file written beside the old one and renamed over it.
void rewrite(const std::string& name, int fd, const struct stat& info, const Splice& splice,
             const timespec* modified)
{
    // A symbolic link stays one: the file it leads to is replaced.
    char* resolved = realpath(name.c_str(), nullptr);
    if (!resolved)
        failErrno();
    const std::string real = resolved;
    std::free(resolved);
    const auto slash = real.rfind('/');
    const std::string folder = slash == 0 ? "/" : real.substr(0, slash);
    const std::string base = real.substr(slash + 1);

    // The new file is written without a name where the file system allows,
    // so a process killed while copying leaves nothing behind; it is named
    // (hidden, unique) only to be renamed over the old one.
    std::random_device random;
    std::string temporary;
    const auto nameTemporary = [&](const std::function<int(const std::string&)>& create) {
        for (int attempt = 0;; ++attempt) {
            temporary = folder + "/." + base + ".legato-" + std::to_string(random() % 1000000000u);
            if (create(temporary) == 0)
                return;
            if (errno != EEXIST || attempt > 100)
                failErrno();
        }
    };
    int out = open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    const bool unnamed = out >= 0;
    if (!unnamed) {
        nameTemporary([&](const std::string& path) {
            out = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
            return out >= 0 ? 0 : -1;
        });
    }
    const Platform::FileDescriptor outFile(out);
    bool named = !unnamed;
    try {
        writeAll(out, splice.newFront.data(), splice.newFront.size());
        const auto middle = static_cast<std::int64_t>(splice.oldFront.size());
        copyRange(fd, middle, out, splice.size - middle - static_cast<std::int64_t>(splice.oldBack.size()));
        writeAll(out, splice.newBack.data(), splice.newBack.size());
        const struct stat made = statOf(out);
        if ((made.st_uid != info.st_uid || made.st_gid != info.st_gid) &&
            fchown(out, info.st_uid, info.st_gid) != 0)
            refuse("The file could not be rewritten with its owner and group kept (" +
                   Platform::RuntimeError::fromErrno(errno, kSource).Description() +
                   "); it was not written.");
        copyAttributes(fd, out);
        if (fchmod(out, info.st_mode & 07777) != 0)
            failErrno();
        setTimes(out, info.st_atim, modified);
        if (fsync(out) != 0)
            failErrno();
        if (unnamed) {
            const std::string self = "/proc/self/fd/" + std::to_string(out);
            nameTemporary([&](const std::string& path) {
                return linkat(AT_FDCWD, self.c_str(), AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW);
            });
            named = true;
        }
        if (rename(temporary.c_str(), real.c_str()) != 0)
            failErrno();
    } catch (...) {
        if (named)
            unlink(temporary.c_str());
        throw;
    }
    // The rename itself is made durable with the folder.
    const Platform::FileDescriptor dir(open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0)
        fsync(dir.get());
}

// The back written as one block: in place of the old one, the file cut when
// it is shorter.
void writeBack(Platform::BinaryFile& file, const Splice& splice)
{
    const std::int64_t at = splice.size - static_cast<std::int64_t>(splice.oldBack.size());
    if (!splice.newBack.empty())
        file.WriteBlockAt(at, splice.newBack.data(), splice.newBack.size());
    if (splice.newBack.size() < splice.oldBack.size() &&
        ftruncate(file.Descriptor(), at + static_cast<std::int64_t>(splice.newBack.size())) != 0)
        failErrno();
}

std::string hardLinkRefusal(nlink_t links)
{
    return "The file has " + std::to_string(links) +
           " hard links and its ID3v2 tag does not fit into the room it has; it was not written.";
}

} // namespace

std::int64_t Splice::AfterSize() const
{
    return size - static_cast<std::int64_t>(oldFront.size() + oldBack.size()) +
           static_cast<std::int64_t>(newFront.size() + newBack.size());
}

std::optional<PlannedSplice> PlanSplice(const std::string& name, const FileEnd& before,
                                        const Quaver::Tag& record, const Trailer& block,
                                        OtherTags::Id3v2Sync sync, const OtherTags::Id3v2Update& update)
{
    if (sync == OtherTags::Id3v2Sync::Off && !before.extended)
        return std::nullopt;
    const Platform::BinaryFile file(name, Platform::BinaryFile::Access::ReadNoWait, kSource);
    const struct stat info = statOf(file.Descriptor());
    if (info.st_size != before.size)
        refuse("The file has changed since it was read; it was not written.");

    PlannedSplice planned;
    Splice& splice = planned.Change;
    splice.size = before.size;
    const std::string trailer(reinterpret_cast<const char*>(block.data()), block.size());
    if (before.hasTrailer) {
        const std::string old(reinterpret_cast<const char*>(before.trailer.data()), before.trailer.size());
        if (before.extended) {
            const auto length = static_cast<std::int64_t>(OtherTags::EndBlocks::ExtendedLength);
            const std::string extended =
                readAt(file, before.size - kTrailer - length, static_cast<std::size_t>(length));
            splice.oldBack = extended + old;
            splice.newBack = OtherTags::EndBlocks::FollowTrailer(extended, old, record) + trailer;
            planned.Extended = true;
        } else {
            splice.oldBack = old;
            splice.newBack = trailer;
        }
    } else {
        splice.newBack = trailer;
    }

    if (sync != OtherTags::Id3v2Sync::Off) {
        const std::int64_t room = before.size - static_cast<std::int64_t>(splice.oldBack.size());
        const std::string head =
            readAt(file, 0, static_cast<std::size_t>(std::min<std::int64_t>(room, OtherTags::HeadBytes)));
        const std::int64_t length = OtherTags::Id3v2Length(head);
        if (length > 0 && length <= room) {
            splice.oldFront = readAt(file, 0, static_cast<std::size_t>(length));
        } else if (length > 0 || sync != OtherTags::Id3v2Sync::Create) {
            // No tag to update, or one that reaches into the end blocks (damaged).
            return planned.Extended ? std::optional(planned) : std::nullopt;
        }
        OtherTags::RenderedId3v2 rendered = OtherTags::RenderId3v2(splice.oldFront, record, update);
        if (rendered.Changed) {
            splice.newFront = std::move(rendered.Bytes);
            planned.Id3v2Kind = rendered.Kind;
        } else {
            splice.newFront = splice.oldFront;
        }
    }
    if (splice.FrontChanges() && info.st_nlink > 1 && splice.newFront.size() != splice.oldFront.size())
        refuse(hardLinkRefusal(info.st_nlink));
    if (!splice.FrontChanges() && !planned.Extended)
        return std::nullopt;
    return planned;
}

void ApplySplice(const std::string& name, const Splice& splice, const timespec* modified)
{
    Platform::BinaryFile file(name, Platform::BinaryFile::Access::ReadWrite, kSource);
    const struct stat info = statOf(file.Descriptor());
    if (!S_ISREG(info.st_mode))
        failErrno(EINVAL);
    if (info.st_size != splice.size || readAt(file, 0, splice.oldFront.size()) != splice.oldFront ||
        readAt(file, splice.size - static_cast<std::int64_t>(splice.oldBack.size()), splice.oldBack.size()) !=
            splice.oldBack)
        refuse("The file has changed since it was read; it was not written.");
    if (splice.FrontChanges() && info.st_nlink == 1) {
        rewrite(name, file.Descriptor(), info, splice, modified);
        return;
    }
    if (splice.FrontChanges()) {
        if (splice.newFront.size() != splice.oldFront.size())
            refuse(hardLinkRefusal(info.st_nlink));
        file.WriteBlockAt(0, splice.newFront.data(), splice.newFront.size());
    }
    writeBack(file, splice);
    setTimes(file.Descriptor(), timespec{0, UTIME_OMIT}, modified);
    if (fdatasync(file.Descriptor()) != 0)
        failErrno();
    file.Close();
}

} // namespace Journal
