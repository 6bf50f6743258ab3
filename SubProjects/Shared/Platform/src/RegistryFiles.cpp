#include "Platform/RegistryStore.h"

#include "Platform/FileDescriptor.h"
#include "Platform/FileSystemObject.h"
#include "Platform/RuntimeError.h"

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <mutex>
#include <string_view>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Platform {

namespace {

constexpr const char* kSource = "Registry";

std::string parentOfFile(const std::string& path)
{
    const auto pos = path.rfind('/');
    return pos == std::string::npos || pos == 0 ? std::string() : path.substr(0, pos);
}

RuntimeError untrusted(const std::string& what, const std::string& path, const char* why)
{
    return RuntimeError(ErrPermissionDenied, kSource, "The registry " + what + " " + path + " " + why);
}

// The two layers of a root: the user's own files and, beneath them, the
// read-only machine-wide ones.
enum class Layer
{
    User,
    System
};

// A folder or file of the store must belong to the user running the program
// (the system layer: or to root) and be closed to writes by anybody else.
bool ownedByTrusted(const struct stat& st, Layer layer)
{
    return st.st_uid == ::geteuid() || (layer == Layer::System && st.st_uid == 0);
}

void requireOwnedPrivate(const struct stat& st, const std::string& what, const std::string& path,
                         Layer layer = Layer::User)
{
    if (!ownedByTrusted(st, layer))
        throw untrusted(what, path, "belongs to another user");
    if (st.st_mode & (S_IWGRP | S_IWOTH))
        throw untrusted(what, path, "can be changed by other users");
}

// Missing folders are created private to the user.
void makeFolders(const std::string& path)
{
    if (path.empty())
        return;
    struct stat st
    {
    };
    if (stat(path.c_str(), &st) == 0)
        return;
    makeFolders(parentOfFile(path));
    if (mkdir(path.c_str(), 0700) != 0 && errno != EEXIST)
        throw RuntimeError::fromErrno(errno, kSource);
}

// A layer's folder, known and trusted; raises saying why not. The system
// layer may have no folder at all.
std::string checkedFolder(const std::string& folder, Layer layer)
{
    if (folder.empty()) {
        if (layer == Layer::System)
            return folder;
        throw RuntimeError(
            ErrFileNotFound, kSource,
            "No registry folder: neither LEGATO_REGISTRY_DIR, XDG_DATA_HOME nor a home folder is known");
    }
    struct stat st
    {
    };
    if (::stat(folder.c_str(), &st) != 0) {
        if (errno == ENOENT)
            return folder; // nothing stored yet
        throw RuntimeError::fromErrno(errno, kSource);
    }
    if (!S_ISDIR(st.st_mode))
        throw untrusted("folder", folder, "is not a folder");
    requireOwnedPrivate(st, "folder", folder, layer);
    return folder;
}

void writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throw RuntimeError::fromErrno(errno, kSource);
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
}

// One root's file as found: missing, or its identity, mode and content.
struct StoredFile
{
    bool exists = false;
    struct stat st
    {
    };
    std::string text;
};

// Opens the file without blocking (a FIFO or device is refused, never waited
// on), checks that it is a trusted regular file within the size limit, and
// reads it.
StoredFile readStoredFile(const std::string& path, Layer layer = Layer::User)
{
    StoredFile file;
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (fd.get() < 0) {
        if (errno == ENOENT)
            return file;
        throw RuntimeError::fromErrno(errno, kSource);
    }
    if (::fstat(fd.get(), &file.st) != 0)
        throw RuntimeError::fromErrno(errno, kSource);
    if (!S_ISREG(file.st.st_mode))
        throw untrusted("file", path, "is not a regular file");
    requireOwnedPrivate(file.st, "file", path, layer);
    const auto tooLarge = [&] {
        return RuntimeError(ErrPathFileAccess, kSource,
                            "The registry file " + path + " is larger than " +
                                std::to_string(kRegistryFileLimit / 1024) + " KiB");
    };
    if (static_cast<std::uint64_t>(file.st.st_size) > kRegistryFileLimit)
        throw tooLarge();
    file.exists = true;
    char buf[8192];
    for (;;) {
        const ssize_t n = ::read(fd.get(), buf, sizeof buf);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            throw RuntimeError::fromErrno(errno, kSource);
        if (n == 0)
            break;
        file.text.append(buf, static_cast<std::size_t>(n));
        if (file.text.size() > kRegistryFileLimit)
            throw tooLarge(); // grew while being read
    }
    return file;
}

// Removes the temporary files of writers that were killed before their
// rename. Runs under the root's writer lock, so no live writer has one.
void removeStaleTemporaries(const std::string& folder, const std::string& fileName)
{
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return;
    const std::string prefix = fileName + ".tmp.";
    while (const dirent* entry = ::readdir(dir)) {
        if (std::string_view(entry->d_name).substr(0, prefix.size()) == prefix)
            ::unlinkat(::dirfd(dir), entry->d_name, 0);
    }
    ::closedir(dir);
}

// The registry of the build tree the running program sits in (the folder
// above the program's holds registry/.legato-build-tree); "" when none.
// The program does not move, so this is looked up once.
const std::string& buildTreeRegistry()
{
    static const std::string folder = [] {
        char exe[PATH_MAX];
        const ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
        if (n <= 0)
            return std::string();
        const std::string tree = parentOfFile(parentOfFile(std::string(exe, static_cast<std::size_t>(n))));
        struct stat st
        {
        };
        if (tree.empty() || stat((tree + "/registry/.legato-build-tree").c_str(), &st) != 0)
            return std::string();
        return tree + "/registry";
    }();
    return folder;
}

} // namespace

const char* RegistryRootName(RegistryRoot root)
{
    return root == RegistryRoot::ClassesRoot ? "HKEY_CLASSES_ROOT" : "HKEY_CURRENT_USER";
}

std::optional<RegistryRoot> RegistryRootFromName(const std::string& name)
{
    std::string f;
    for (unsigned char c : name)
        f += static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
    if (f == "HKEY_CLASSES_ROOT" || f == "HKCR")
        return RegistryRoot::ClassesRoot;
    if (f == "HKEY_CURRENT_USER" || f == "HKCU")
        return RegistryRoot::CurrentUser;
    return std::nullopt;
}

std::string RegistryFolder()
{
    if (const char* dir = std::getenv("LEGATO_REGISTRY_DIR"); dir && *dir)
        return dir;
    if (const std::string& tree = buildTreeRegistry(); !tree.empty())
        return tree;
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data == '/')
        return std::string(data) + "/legato/registry";
    const std::string home = HomeFolder();
    return home.empty() ? std::string() : home + "/.local/share/legato/registry";
}

std::string SystemRegistryFolder()
{
    if (const char* dir = std::getenv("LEGATO_SYSTEM_REGISTRY_DIR"))
        return dir;
    if (const char* dir = std::getenv("LEGATO_REGISTRY_DIR"); (dir && *dir) || !buildTreeRegistry().empty())
        return {};
    return LEGATO_SYSTEM_REGISTRY;
}

std::string RegistryFile(RegistryRoot root)
{
    return RegistryFolder() + "/" + RegistryRootName(root) + ".reg";
}

namespace {

// One layer's file of one root as last parsed. What identifies one version of
// a file: a write renames a new file into place (a new inode), and a hand edit
// changes the time or the size.
struct CachedLayer
{
    std::string path;
    ino_t inode = 0;
    std::int64_t modifiedNs = -1;
    off_t size = -1;
    std::shared_ptr<const RegistryHive> hive;
};

std::int64_t modifiedNs(const struct stat& st)
{
    return std::int64_t(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
}

std::mutex g_cacheMutex;

const std::shared_ptr<const RegistryHive>& emptyHive()
{
    static const auto empty = std::make_shared<const RegistryHive>();
    return empty;
}

// The current content of one layer's file: parsed again only when it changed.
std::shared_ptr<const RegistryHive> currentLayer(RegistryRoot root, const std::string& layerFolder,
                                                 Layer layer, CachedLayer& slot)
{
    const std::string folder = checkedFolder(layerFolder, layer);
    if (folder.empty())
        return emptyHive();
    const std::string path = folder + "/" + RegistryRootName(root) + ".reg";
    struct stat st
    {
    };
    if (::stat(path.c_str(), &st) != 0) {
        if (errno == ENOENT)
            return emptyHive();
        throw RuntimeError::fromErrno(errno, kSource);
    }
    {
        std::lock_guard lock(g_cacheMutex);
        // A cached version is used only while the file is still trusted.
        if (slot.hive && slot.path == path && slot.inode == st.st_ino && slot.modifiedNs == modifiedNs(st) &&
            slot.size == st.st_size && S_ISREG(st.st_mode) && ownedByTrusted(st, layer) &&
            !(st.st_mode & (S_IWGRP | S_IWOTH)))
            return slot.hive;
    }
    const StoredFile file = readStoredFile(path, layer);
    if (!file.exists)
        return emptyHive();
    auto hive = std::make_shared<const RegistryHive>(RegistryHive::parse(file.text));
    std::lock_guard lock(g_cacheMutex);
    slot = CachedLayer{path, file.st.st_ino, modifiedNs(file.st), file.st.st_size, hive};
    return hive;
}

} // namespace

std::shared_ptr<const RegistryHive> CurrentRegistry(RegistryRoot root)
{
    // Per root: both layers, and the view that lays the user's over the
    // system's, made again only when either layer changed.
    struct Cached
    {
        CachedLayer user, system;
        std::shared_ptr<const RegistryHive> userHive, systemHive, merged;
    };
    static Cached cache[2];
    Cached& slot = cache[root == RegistryRoot::ClassesRoot ? 0 : 1];

    const std::string userFolder = RegistryFolder();
    const std::string systemFolder = SystemRegistryFolder();
    auto user = currentLayer(root, userFolder, Layer::User, slot.user);
    if (systemFolder == userFolder)
        return user;
    auto system = currentLayer(root, systemFolder, Layer::System, slot.system);
    if (system == emptyHive())
        return user;
    std::lock_guard lock(g_cacheMutex);
    if (slot.merged && slot.userHive == user && slot.systemHive == system)
        return slot.merged;
    auto merged = std::make_shared<RegistryHive>(*system);
    merged->overlay(*user);
    slot.userHive = std::move(user);
    slot.systemHive = std::move(system);
    slot.merged = std::move(merged);
    return slot.merged;
}

RegistryHive LoadRegistry(RegistryRoot root)
{
    return *CurrentRegistry(root);
}

void UpdateRegistry(RegistryRoot root, const std::function<void(RegistryHive&)>& change)
{
    const std::string name = RegistryFolder();
    if (!name.empty())
        makeFolders(name);
    const std::string folder = checkedFolder(name, Layer::User);
    const std::string fileName = std::string(RegistryRootName(root)) + ".reg";
    const std::string file = folder + "/" + fileName;

    FileDescriptor lock(::open((folder + "/" + RegistryRootName(root) + ".lock").c_str(),
                               O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600));
    if (lock.get() < 0)
        throw RuntimeError::fromErrno(errno, kSource);
    while (flock(lock.get(), LOCK_EX) != 0) {
        if (errno != EINTR)
            throw RuntimeError::fromErrno(errno, kSource);
    }
    removeStaleTemporaries(folder, fileName);

    const StoredFile old = readStoredFile(file);
    if (old.exists && !(old.st.st_mode & S_IWUSR))
        throw RuntimeError(ErrPermissionDenied, kSource, "The registry file " + file + " is read-only");
    RegistryHive hive = RegistryHive::parse(old.text);
    change(hive);
    const std::string text = hive.serialize(root);
    if (text.size() > kRegistryFileLimit)
        throw RuntimeError(ErrPathFileAccess, kSource,
                           "The registry file " + file + " would grow beyond " +
                               std::to_string(kRegistryFileLimit / 1024) + " KiB");

    const std::string temp = file + ".tmp." + std::to_string(getpid());
    {
        FileDescriptor out(::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644));
        if (out.get() < 0)
            throw RuntimeError::fromErrno(errno, kSource);
        try {
            // The replaced file's mode stays (a private 0600 file stays private).
            if (old.exists && fchmod(out.get(), old.st.st_mode & 07777) != 0)
                throw RuntimeError::fromErrno(errno, kSource);
            writeAll(out.get(), text);
            if (fsync(out.get()) != 0)
                throw RuntimeError::fromErrno(errno, kSource);
        } catch (...) {
            ::unlink(temp.c_str());
            throw;
        }
        if (::close(out.release()) != 0) {
            const int err = errno;
            ::unlink(temp.c_str());
            throw RuntimeError::fromErrno(err, kSource);
        }
    }
    if (::rename(temp.c_str(), file.c_str()) != 0) {
        const int err = errno;
        ::unlink(temp.c_str());
        throw RuntimeError::fromErrno(err, kSource);
    }
    // The rename itself must reach the disk before the lock lets the next writer in.
    FileDescriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0)
        fsync(dir.get());
}

} // namespace Platform
