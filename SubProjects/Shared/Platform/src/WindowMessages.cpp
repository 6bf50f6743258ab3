#include "Platform/WindowMessages.h"

#include "Platform/FileSystemObject.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#include <vector>

namespace Platform {

namespace {

std::atomic<int> g_timeout{[] {
    const char* env = std::getenv("LEGATO_SENDMESSAGE_TIMEOUT_MS");
    const int ms = env ? std::atoi(env) : 0;
    return ms > 0 ? ms : 5000;
}()};

std::mutex g_mutex;
std::vector<std::string> g_classes; // handle n stands for g_classes[n - 1]

std::string classOf(HWND window)
{
    std::lock_guard lock(g_mutex);
    if (window <= 0 || static_cast<std::size_t>(window) > g_classes.size())
        return {};
    return g_classes[static_cast<std::size_t>(window) - 1];
}

HWND handleOf(const std::string& className)
{
    std::lock_guard lock(g_mutex);
    for (std::size_t i = 0; i < g_classes.size(); ++i) {
        if (g_classes[i] == className)
            return static_cast<HWND>(i + 1);
    }
    g_classes.push_back(className);
    return static_cast<HWND>(g_classes.size());
}

class Socket
{
public:
    explicit Socket(int fd = -1) : m_fd(fd) {}
    ~Socket()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Socket(Socket&& other) noexcept : m_fd(other.m_fd) { other.m_fd = -1; }
    Socket& operator=(Socket&&) = delete;
    int fd() const { return m_fd; }
    bool valid() const { return m_fd >= 0; }

private:
    int m_fd;
};

using Clock = std::chrono::steady_clock;

int remainingMs(Clock::time_point deadline)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

// Connects to the class's socket; an invalid socket when nobody listens, the
// listener is another user, or its queue is full.
Socket connectTo(const std::string& className)
{
    const std::string path = WindowSocketPath(className);
    sockaddr_un addr{};
    if (path.empty() || path.size() >= sizeof addr.sun_path)
        return Socket();
    addr.sun_family = AF_UNIX;
    std::memcpy(addr.sun_path, path.c_str(), path.size() + 1);
    Socket s(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
    if (!s.valid())
        return Socket();
    int rc;
    do
        rc = ::connect(s.fd(), reinterpret_cast<const sockaddr*>(&addr), sizeof addr);
    while (rc != 0 && errno == EINTR);
    if (rc != 0)
        return Socket();
    ucred peer{};
    socklen_t len = sizeof peer;
    if (getsockopt(s.fd(), SOL_SOCKET, SO_PEERCRED, &peer, &len) != 0 || peer.uid != getuid())
        return Socket();
    return s;
}

bool sendAll(int fd, const char* data, std::size_t size, Clock::time_point deadline)
{
    while (size > 0) {
        const ssize_t n = ::send(fd, data, size, MSG_NOSIGNAL);
        if (n > 0) {
            data += n;
            size -= static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            pollfd p{fd, POLLOUT, 0};
            if (::poll(&p, 1, remainingMs(deadline)) > 0)
                continue;
        }
        return false;
    }
    return true;
}

bool receiveAll(int fd, char* data, std::size_t size, Clock::time_point deadline)
{
    while (size > 0) {
        pollfd p{fd, POLLIN, 0};
        const int ready = ::poll(&p, 1, remainingMs(deadline));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            return false;
        const ssize_t n = ::recv(fd, data, size, 0);
        if (n < 0 && (errno == EINTR || errno == EAGAIN))
            continue;
        if (n <= 0)
            return false;
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

// Delivers one record; with wantReply, waits for the result until the timeout.
bool deliver(HWND window, std::uint32_t message, WPARAM wParam, LPARAM lParam, const std::string& payload,
             bool wantReply, LRESULT* reply)
{
    const std::string className = classOf(window);
    if (className.empty() || payload.size() > kWindowPayloadLimit)
        return false;
    Socket s = connectTo(className);
    if (!s.valid())
        return false;
    const auto deadline = Clock::now() + std::chrono::milliseconds(SendMessageTimeout());
    const WindowRecordHeader header{kWindowRecordMagic,
                                    wantReply ? kWindowRecordReplyWanted : 0u,
                                    message,
                                    static_cast<std::uint32_t>(payload.size()),
                                    wParam,
                                    lParam};
    if (!sendAll(s.fd(), reinterpret_cast<const char*>(&header), sizeof header, deadline) ||
        !sendAll(s.fd(), payload.data(), payload.size(), deadline))
        return false;
    if (!wantReply)
        return true;
    LRESULT result = 0;
    if (!receiveAll(s.fd(), reinterpret_cast<char*>(&result), sizeof result, deadline))
        return false;
    *reply = result;
    return true;
}

// Whether a folder exists, belongs to the user and is closed to everybody else.
bool isPrivateFolder(const std::string& path)
{
    struct stat st
    {
    };
    return ::lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::getuid() &&
           (st.st_mode & 077) == 0;
}

// Room left in a socket address for "/" and an escaped class name.
constexpr std::size_t kLongestFolder = sizeof(sockaddr_un{}.sun_path) - 48;

// Where the window folder belongs, best first: the variable set for it, the
// session's runtime folder, the user's runtime folder under /run/user (which
// only the system creates), a folder in the user's home, and only then a
// folder in /tmp, which anybody could have created first.
std::string windowFolderName()
{
    if (const char* dir = std::getenv("LEGATO_WINDOW_DIR"); dir && *dir)
        return dir;
    if (const char* run = std::getenv("XDG_RUNTIME_DIR"); run && *run == '/')
        return std::string(run) + "/legato-windows";
    const std::string uid = std::to_string(::getuid());
    if (isPrivateFolder("/run/user/" + uid))
        return "/run/user/" + uid + "/legato-windows";
    const std::string home = HomeFolder();
    char host[64] = {};
    ::gethostname(host, sizeof host - 1);
    // The host name keeps machines that share a home folder apart.
    const std::string cache = home + "/.cache";
    const std::string inHome = cache + "/legato-windows-" + host;
    if (!home.empty() && inHome.size() <= kLongestFolder &&
        (::mkdir(cache.c_str(), 0700) == 0 || errno == EEXIST))
        return inHome;
    return "/tmp/legato-windows-" + uid;
}

// The window folder, created private when missing; "" with the reason in
// problem when it cannot be used. A folder found open to others is refused,
// never re-permissioned: it may be shared on purpose.
std::string resolveWindowFolder(std::string& problem)
{
    const std::string folder = windowFolderName();
    const auto refuse = [&](const std::string& why) {
        problem = "Programs cannot reach each other's windows: the window folder " + folder + " " + why;
        return std::string();
    };
    const bool created = ::mkdir(folder.c_str(), 0700) == 0;
    if (!created && errno != EEXIST)
        return refuse(std::string("cannot be created (") + std::strerror(errno) + ")");
    struct stat st
    {
    };
    if (::lstat(folder.c_str(), &st) != 0)
        return refuse(std::string("cannot be read (") + std::strerror(errno) + ")");
    if (!S_ISDIR(st.st_mode))
        return refuse("is not a folder");
    if (st.st_uid != ::getuid())
        return refuse("belongs to another user");
    // A folder made just now has no bits for others; the umask may have taken the owner's.
    if (created && (st.st_mode & 07777) != 0700 && ::chmod(folder.c_str(), 0700) != 0)
        return refuse(std::string("cannot be made private (") + std::strerror(errno) + ")");
    if (!created && (st.st_mode & 077) != 0) {
        char mode[8];
        std::snprintf(mode, sizeof mode, "%04o", static_cast<unsigned>(st.st_mode & 07777));
        return refuse(std::string("is open to other users (mode ") + mode + ")");
    }
    problem.clear();
    return folder;
}

} // namespace

std::string WindowFolder()
{
    std::string problem;
    return resolveWindowFolder(problem);
}

std::string WindowFolderProblem()
{
    std::string problem;
    resolveWindowFolder(problem);
    return problem;
}

std::string WindowSocketPath(const std::string& className)
{
    const std::string folder = WindowFolder();
    if (folder.empty() || className.empty())
        return {};
    static const char* hex = "0123456789ABCDEF";
    std::string name;
    for (unsigned char c : className) {
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '.' ||
            c == '_' || c == '-') {
            name += static_cast<char>(c);
        } else {
            name += '%';
            name += hex[c >> 4];
            name += hex[c & 15];
        }
    }
    return folder + "/" + name;
}

HWND FindWindowA(const char* className, const char*)
{
    if (!className || !*className)
        return 0;
    return connectTo(className).valid() ? handleOf(className) : 0;
}

bool PostMessageA(HWND window, std::uint32_t message, WPARAM wParam, LPARAM lParam)
{
    return deliver(window, message, wParam, lParam, {}, false, nullptr);
}

LRESULT SendMessageA(HWND window, std::uint32_t message, WPARAM wParam, LPARAM lParam)
{
    LRESULT reply = 0;
    return deliver(window, message, wParam, lParam, {}, true, &reply) ? reply : 0;
}

LRESULT SendCopyData(HWND window, WPARAM wParam, const std::string& bytes)
{
    LRESULT reply = 0;
    return deliver(window, WM_COPYDATA, wParam, 0, bytes, true, &reply) ? reply : 0;
}

bool ShowWindowA(HWND window, int showCommand)
{
    return PostMessageA(window, WM_SHOWWINDOW, showCommand, 0);
}

int SendMessageTimeout()
{
    return g_timeout.load();
}

void SetSendMessageTimeout(int milliseconds)
{
    g_timeout.store(milliseconds > 0 ? milliseconds : 1);
}

} // namespace Platform
