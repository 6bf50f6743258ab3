#include "Platform/WindowMessages.h"
#include "Platform/WindowHost.h"

#include "TempDir.h"
#include "UnixSocket.h"

#include <QCoreApplication>
#include <chrono>
#include <future>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Platform;

namespace {

class WindowMessages : public ::testing::Test
{
protected:
    void SetUp() override
    {
        setenv("LEGATO_WINDOW_DIR", m_dir.path().c_str(), 1);
        SetSendMessageTimeout(3000); // generous: the machine may be busy
    }
    void TearDown() override { unsetenv("LEGATO_WINDOW_DIR"); }

    // Runs the blocking client call on another thread while this thread serves
    // the host's event loop, as two processes would.
    template <class F> auto client(F f)
    {
        auto future = std::async(std::launch::async, f);
        while (future.wait_for(std::chrono::milliseconds(1)) != std::future_status::ready)
            QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        return future.get();
    }

    LegatoTest::TempDir m_dir;
};

struct Seen
{
    std::uint32_t message = 0;
    WPARAM w = 0;
    LPARAM l = 0;
    QByteArray payload;
    int count = 0;
};

} // namespace

TEST_F(WindowMessages, PostSendCopyDataAndShowReachTheHost)
{
    WindowHost host("Jukebox v1.x");
    Seen seen;
    host.setHandler([&](std::uint32_t m, WPARAM w, LPARAM l, const QByteArray& p) -> LRESULT {
        seen = {m, w, l, p, seen.count + 1};
        return m == WM_USER ? w * 1000 + l : 0;
    });
    ASSERT_EQ(host.listen(), WindowHost::ListenResult::Listening);

    const HWND hwnd = client([] { return FindWindowA("Jukebox v1.x", nullptr); });
    ASSERT_NE(hwnd, 0);
    EXPECT_EQ(client([] { return FindWindowA("Jukebox v1.x", nullptr); }), hwnd)
        << "handles stand for the class";

    EXPECT_EQ(client([&] { return SendMessageA(hwnd, WM_USER, 7, 105); }), 7105);
    EXPECT_TRUE(client([&] { return PostMessageA(hwnd, WM_COMMAND, 40045, 0); }));
    for (int i = 0; i < 100 && seen.message != WM_COMMAND; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_EQ(seen.message, WM_COMMAND);
    EXPECT_EQ(seen.w, 40045);

    const std::string name("/music/a \"b\"\xe4.mp3", 18);
    client([&] { return SendCopyData(hwnd, 100, name); });
    EXPECT_EQ(seen.message, WM_COPYDATA);
    EXPECT_EQ(seen.payload.toStdString(), name);

    EXPECT_TRUE(client([&] { return ShowWindowA(hwnd, SW_HIDE); }));
    for (int i = 0; i < 100 && seen.message != WM_SHOWWINDOW; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_EQ(seen.message, WM_SHOWWINDOW);
    EXPECT_EQ(seen.w, SW_HIDE);
}

TEST_F(WindowMessages, NoWindowMeansZeroAndFalse)
{
    EXPECT_EQ(FindWindowA("Jukebox v1.x", nullptr), 0);
    EXPECT_EQ(FindWindowA("", nullptr), 0);
    EXPECT_FALSE(PostMessageA(0, WM_CLOSE, 0, 0));
    EXPECT_EQ(SendMessageA(12345, WM_USER, 0, 104), 0);

    // A window that went away after it was found.
    HWND hwnd = 0;
    {
        WindowHost host("Gone");
        ASSERT_EQ(host.listen(), WindowHost::ListenResult::Listening);
        hwnd = client([] { return FindWindowA("Gone", nullptr); });
        ASSERT_NE(hwnd, 0);
    }
    EXPECT_FALSE(PostMessageA(hwnd, WM_CLOSE, 0, 0));
    EXPECT_EQ(FindWindowA("Gone", nullptr), 0);
}

TEST_F(WindowMessages, StaleSocketIsNoWindowAndIsTakenOver)
{
    LegatoTest::bindUnixSocket(WindowSocketPath("Jukebox v1.x"), false); // a crashed player's file
    struct stat st
    {
    };
    ASSERT_EQ(::stat(WindowSocketPath("Jukebox v1.x").c_str(), &st), 0);
    EXPECT_EQ(FindWindowA("Jukebox v1.x", nullptr), 0);

    WindowHost host("Jukebox v1.x");
    host.setHandler([](std::uint32_t, WPARAM, LPARAM, const QByteArray&) -> LRESULT { return 42; });
    ASSERT_EQ(host.listen(), WindowHost::ListenResult::Listening);
    EXPECT_EQ(client([] { return SendMessageA(FindWindowA("Jukebox v1.x", nullptr), WM_USER, 0, 0); }), 42);

    WindowHost second("Jukebox v1.x");
    EXPECT_EQ(second.listen(), WindowHost::ListenResult::Taken) << "a live window is never taken over";
}

TEST_F(WindowMessages, HungWindowCostsTheCallerOnlyTheTimeout)
{
    Platform::SetSendMessageTimeout(300);
    const int fd = LegatoTest::bindUnixSocket(WindowSocketPath("Hung"), true);
    const HWND hwnd = FindWindowA("Hung", nullptr);
    ASSERT_NE(hwnd, 0) << "a program that does not answer still has its window";
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(SendMessageA(hwnd, WM_USER, 0, 104), 0);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_LT(elapsed, std::chrono::seconds(3));
    ::close(fd);
}

TEST_F(WindowMessages, AFolderNotPrivateToTheUserIsRefusedAsItIs)
{
    ASSERT_EQ(::chmod(m_dir.path().c_str(), 01777), 0);
    EXPECT_EQ(WindowFolder(), "");
    EXPECT_EQ(WindowFolderProblem(), "Programs cannot reach each other's windows: the window folder " +
                                         m_dir.path() + " is open to other users (mode 1777)");
    struct stat st
    {
    };
    ASSERT_EQ(::stat(m_dir.path().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 01777u) << "a shared folder keeps its mode";
    WindowHost host("Jukebox v1.x");
    EXPECT_EQ(host.listen(), WindowHost::ListenResult::Failed);

    ASSERT_EQ(::chmod(m_dir.path().c_str(), 0700), 0);
    if (::getuid() == 0) {
        // Created first by somebody else.
        ASSERT_EQ(::chown(m_dir.path().c_str(), 65534, 65534), 0);
        EXPECT_EQ(WindowFolder(), "");
        EXPECT_NE(WindowFolderProblem().find("belongs to another user"), std::string::npos);
        ASSERT_EQ(::chown(m_dir.path().c_str(), 0, 0), 0);
    }
    EXPECT_EQ(WindowFolder(), m_dir.path());
    EXPECT_EQ(WindowFolderProblem(), "");
}

// Without a runtime folder the home folder comes before /tmp, where anybody
// could create the folder first.
TEST_F(WindowMessages, WithoutARuntimeFolderTheHomeFolderIsUsed)
{
    if (::access(("/run/user/" + std::to_string(::getuid())).c_str(), F_OK) == 0)
        GTEST_SKIP() << "the system's runtime folder for this user exists and comes first";
    const char* run = std::getenv("XDG_RUNTIME_DIR");
    const std::string savedRun = run ? run : "";
    const std::string savedHome = std::getenv("HOME") ? std::getenv("HOME") : "";
    unsetenv("LEGATO_WINDOW_DIR");
    unsetenv("XDG_RUNTIME_DIR");
    setenv("HOME", m_dir.path().c_str(), 1);
    char host[64] = {};
    ::gethostname(host, sizeof host - 1);
    EXPECT_EQ(WindowFolder(), m_dir.path() + "/.cache/legato-windows-" + host);
    setenv("HOME", savedHome.c_str(), 1);
    if (run)
        setenv("XDG_RUNTIME_DIR", savedRun.c_str(), 1);
}
