#include "UnixSocket.h"

#include <cstring>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace LegatoTest {

int bindUnixSocket(const std::string& path, bool listening)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    EXPECT_LT(path.size(), sizeof addr.sun_path);
    std::strncpy(addr.sun_path, path.c_str(), sizeof addr.sun_path - 1);
    EXPECT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0) << path;
    if (!listening) {
        ::close(fd);
        return -1;
    }
    EXPECT_EQ(::listen(fd, 8), 0);
    return fd;
}

} // namespace LegatoTest
