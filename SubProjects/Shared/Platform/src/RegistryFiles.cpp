#include "Platform/RegistryStore.h"

#include "Platform/RuntimeError.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
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
    if (mkdir(path.c_str(), 0755) != 0 && errno != EEXIST)
        throw RuntimeError::fromErrno(errno, kSource);
}

// Owns a descriptor for the length of one operation.
class Descriptor
{
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return m_fd; }
    int release()
    {
        const int fd = m_fd;
        m_fd = -1;
        return fd;
    }

private:
    int m_fd;
};

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

std::string readFile(const std::string& path)
{
    Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) {
        if (errno == ENOENT)
            return {};
        throw RuntimeError::fromErrno(errno, kSource);
    }
    std::string out;
    char buf[8192];
    for (;;) {
        const ssize_t n = ::read(fd.get(), buf, sizeof buf);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            throw RuntimeError::fromErrno(errno, kSource);
        if (n == 0)
            break;
        out.append(buf, static_cast<std::size_t>(n));
    }
    return out;
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
    char exe[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
    if (n > 0) {
        const std::string tree = parentOfFile(parentOfFile(std::string(exe, static_cast<std::size_t>(n))));
        struct stat st
        {
        };
        if (!tree.empty() && stat((tree + "/registry/.legato-build-tree").c_str(), &st) == 0)
            return tree + "/registry";
    }
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data == '/')
        return std::string(data) + "/legato/registry";
    const char* home = std::getenv("HOME");
    return std::string(home && *home ? home : "/tmp") + "/.local/share/legato/registry";
}

std::string RegistryFile(RegistryRoot root)
{
    return RegistryFolder() + "/" + RegistryRootName(root) + ".reg";
}

std::shared_ptr<const RegistryHive> CurrentRegistry(RegistryRoot root)
{
    // What identifies one version of a file: a write renames a new file into
    // place (a new inode), and a hand edit changes the time or the size.
    struct Cached
    {
        std::string path;
        ino_t inode = 0;
        std::int64_t modifiedNs = -1;
        off_t size = -1;
        std::shared_ptr<const RegistryHive> hive;
    };
    static std::mutex mutex;
    static Cached cache[2];

    const std::string path = RegistryFile(root);
    struct stat st
    {
    };
    if (::stat(path.c_str(), &st) != 0) {
        if (errno == ENOENT)
            return std::make_shared<const RegistryHive>();
        throw RuntimeError::fromErrno(errno, kSource);
    }
    const std::int64_t modified = std::int64_t(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    Cached& slot = cache[root == RegistryRoot::ClassesRoot ? 0 : 1];
    {
        std::lock_guard lock(mutex);
        if (slot.hive && slot.path == path && slot.inode == st.st_ino && slot.modifiedNs == modified &&
            slot.size == st.st_size)
            return slot.hive;
    }
    auto hive = std::make_shared<const RegistryHive>(RegistryHive::parse(readFile(path)));
    std::lock_guard lock(mutex);
    slot = Cached{path, st.st_ino, modified, st.st_size, hive};
    return hive;
}

RegistryHive LoadRegistry(RegistryRoot root)
{
    return *CurrentRegistry(root);
}

void UpdateRegistry(RegistryRoot root, const std::function<void(RegistryHive&)>& change)
{
    const std::string folder = RegistryFolder();
    makeFolders(folder);
    const std::string file = RegistryFile(root);

    Descriptor lock(::open((folder + "/" + RegistryRootName(root) + ".lock").c_str(),
                           O_RDWR | O_CREAT | O_CLOEXEC, 0644));
    if (lock.get() < 0)
        throw RuntimeError::fromErrno(errno, kSource);
    while (flock(lock.get(), LOCK_EX) != 0) {
        if (errno != EINTR)
            throw RuntimeError::fromErrno(errno, kSource);
    }

    RegistryHive hive = RegistryHive::parse(readFile(file));
    change(hive);
    const std::string text = hive.serialize(root);

    const std::string temp = file + ".tmp." + std::to_string(getpid());
    {
        Descriptor out(::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
        if (out.get() < 0)
            throw RuntimeError::fromErrno(errno, kSource);
        try {
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
    Descriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0)
        fsync(dir.get());
}

} // namespace Platform
