#include "Jukebox/API.h"
#include "Jukebox/PlayerProtocol.h"

#include "Platform/Component.h"
#include "Platform/FileSystemObject.h"
#include "Platform/RegistryStore.h"
#include "Platform/WindowMessages.h"
#include "Quaver/FileHandler.h"

#include "Mp3Fixture.h"
#include "TempDir.h"
#include "UnixSocket.h"

#include <chrono>
#include <functional>
#include <gtest/gtest.h>
#include <thread>
#include <unistd.h>

using namespace Jukebox::Protocol;

namespace {

// The real player in its own process, found through its file association in
// a private registry, with private window sockets.
class PlayerEndToEnd : public ::testing::Test
{
protected:
    void SetUp() override
    {
        setenv("LEGATO_REGISTRY_DIR", m_registry.path().c_str(), 1);
        setenv("LEGATO_WINDOW_DIR", m_windows.path().c_str(), 1);
        Platform::SetSendMessageTimeout(3000);
        m_track = makeMp3(m_files.path(), "Track One.mp3", 2.0);
        if (m_track.empty())
            GTEST_SKIP() << "sox and lame are needed";
        ASSERT_EQ(std::system((std::string("'") + JUKEBOX_PROGRAM + "' --register").c_str()), 0);
    }
    void TearDown() override
    {
        // Whatever a failed test left running is closed.
        if (Platform::FindWindowA(kMainWindowClass, nullptr)) {
            api.KillJukebox();
            waitUntil([] { return Platform::FindWindowA(kMainWindowClass, nullptr) == 0; });
        }
        unsetenv("LEGATO_REGISTRY_DIR");
        unsetenv("LEGATO_WINDOW_DIR");
    }

    static bool waitUntil(const std::function<bool()>& condition, int ms = 15000)
    {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        while (std::chrono::steady_clock::now() < end) {
            if (condition())
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return condition();
    }
    static bool anyWindow()
    {
        for (const char* c : {kMainWindowClass, kEqualizerWindowClass, kPlaylistWindowClass})
            if (Platform::FindWindowA(c, nullptr))
                return true;
        return false;
    }
    static int playerWindowsUp()
    {
        int n = 0;
        for (const char* c : {kMainWindowClass, kEqualizerWindowClass, kPlaylistWindowClass})
            n += Platform::FindWindowA(c, nullptr) != 0;
        return n;
    }

    LegatoTest::TempDir m_registry, m_windows, m_files;
    std::string m_track;
    Jukebox::API api;
};

} // namespace

TEST_F(PlayerEndToEnd, LoadPlaySeekPauseAndClose)
{
    EXPECT_EQ(api.JukeboxPfad(), JUKEBOX_PROGRAM);
    std::string file = m_track;
    api.LoadFile(file);
    EXPECT_EQ(file, "\"" + m_track + "\"");
    ASSERT_TRUE(waitUntil([] { return Platform::FindWindowA(kMainWindowClass, nullptr) != 0; }))
        << "the player started through the association";
    ASSERT_TRUE(waitUntil([&] { return api.GetPlayListLength() == 1; }));
    EXPECT_EQ(playerWindowsUp(), 3);

    EXPECT_TRUE(api.StartJukeboxPlay());
    ASSERT_TRUE(waitUntil([&] { return api.JukeboxIsPlaying() == 1; }));
    EXPECT_EQ(api.GetCurPlayListTrack(), 0);
    const std::int32_t length = api.GetTrackLength();
    EXPECT_EQ(length, 2);
    EXPECT_EQ(api.GetTrackSamples(), 44100);
    EXPECT_EQ(api.GetTrackBits(), 128);

    std::int32_t end = length * 1000, past = length * 1000 + 1, start = 0;
    EXPECT_FALSE(api.GoToTime(past));
    EXPECT_TRUE(api.GoToTime(start));
    EXPECT_LT(api.CurPos(), 1500);
    EXPECT_TRUE(api.PauseJukeboxPlay());
    ASSERT_TRUE(waitUntil([&] { return api.JukeboxIsPlaying() == 3; }));
    const std::int32_t pausedAt = api.CurPos();
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_EQ(api.CurPos(), pausedAt) << "paused time stands still";
    EXPECT_TRUE(api.PauseJukeboxPlay()) << "paused: nothing sent, true";
    EXPECT_FALSE(api.FWDJukebox()) << "not playing";
    EXPECT_TRUE(api.GoToTime(end)) << "the exact end is allowed";

    std::int16_t volume = 100;
    EXPECT_TRUE(api.SetVolume(volume));
    EXPECT_FALSE(api.HideJukebox());
    EXPECT_FALSE(api.ShowJukebox());

    EXPECT_NE(api.KillJukebox(), 0);
    EXPECT_TRUE(waitUntil([] { return !anyWindow(); })) << "no window left afterwards";
    EXPECT_EQ(api.KillJukebox(), 0);
}

TEST_F(PlayerEndToEnd, AddGoesToTheRunningPlayerAndStartsOneWhenNoneRuns)
{
    const std::string second = makeMp3(m_files.path(), "two ; $(x).mp3", 1.0);
    ASSERT_EQ(std::system(("'" + std::string(JUKEBOX_PROGRAM) + "' /ADD '" + m_track + "' &").c_str()), 0);
    ASSERT_TRUE(waitUntil([] { return Platform::FindWindowA(kMainWindowClass, nullptr) != 0; }));
    ASSERT_TRUE(waitUntil([&] { return api.GetPlayListLength() == 1; }));
    ASSERT_EQ(std::system(("'" + std::string(JUKEBOX_PROGRAM) + "' /ADD '" + second + "'").c_str()), 0)
        << "the second process hands over its file and ends";
    EXPECT_TRUE(waitUntil([&] { return api.GetPlayListLength() == 2; }));
    EXPECT_EQ(api.JukeboxIsPlaying(), 0) << "/ADD does not play";
}

TEST_F(PlayerEndToEnd, PlaysARelativeNameThatIsNotUtf8)
{
    ASSERT_FALSE(makeMp3(m_files.path(), "caf\xE9.mp3", 2.0).empty());
    const std::string start =
        "cd '" + m_files.path() + "' && '" + std::string(JUKEBOX_PROGRAM) + "' 'caf\xE9.mp3' &";
    ASSERT_EQ(std::system(start.c_str()), 0);
    ASSERT_TRUE(waitUntil([] { return Platform::FindWindowA(kMainWindowClass, nullptr) != 0; }));
    ASSERT_TRUE(waitUntil([&] { return api.GetPlayListLength() == 1; }));
    EXPECT_TRUE(waitUntil([&] { return api.JukeboxIsPlaying() == 1; }));
    EXPECT_EQ(api.GetTrackLength(), 2) << "the file was found by its real bytes";
    EXPECT_EQ(api.GetTrackBits(), 128);
}

TEST_F(PlayerEndToEnd, StaleSocketOfACrashedPlayerIsTakenOver)
{
    // A crashed player left its socket file behind.
    LegatoTest::bindUnixSocket(Platform::WindowSocketPath(kMainWindowClass), false);
    EXPECT_EQ(Platform::FindWindowA(kMainWindowClass, nullptr), 0);

    EXPECT_TRUE(api.StartJukebox());
    ASSERT_TRUE(waitUntil([] { return Platform::FindWindowA(kMainWindowClass, nullptr) != 0; }));
    EXPECT_EQ(api.GetPlayListLength(), 0);
    EXPECT_TRUE(api.StartJukebox()) << "running: starts nothing, hides the windows";
    EXPECT_NE(api.KillJukebox(), 0);
    EXPECT_TRUE(waitUntil([] { return !anyWindow(); }));
}

TEST_F(PlayerEndToEnd, CreatedByProgIdThroughTheBuildRegistration)
{
    // The component host finds the library the way the editor does.
    setenv("LEGATO_REGISTRY_DIR", (std::string(LEGATO_BUILD_REGISTRY)).c_str(), 1);
    std::shared_ptr<Jukebox::IAPI> remote;
    try {
        remote = Platform::CreateObjectAs<Jukebox::IAPI>("Jukebox.API");
    } catch (const Platform::RuntimeError& e) {
        FAIL() << e.Description();
    }
    std::string track = m_track;
    EXPECT_EQ(remote->GetSongName(track), "Unbekannter Song");
    EXPECT_EQ(remote->JukeboxPfad(), JUKEBOX_PROGRAM) << "the build registered the association too";
}

TEST(BuildRegistration, EveryComponentOfTheBuildIsCreatable)
{
    // The build tree's registry, as programs started from build/bin see it.
    setenv("LEGATO_REGISTRY_DIR", LEGATO_BUILD_REGISTRY, 1);
    const Platform::RegistryHive hive = Platform::LoadRegistry(Platform::RegistryRoot::ClassesRoot);
    for (const char* progId : {"Quaver.FileHandler", "Quaver.Tag", "Quaver.Genres", "Quaver.TestFixture",
                               "Scripting.FileSystemObject", "Jukebox.API", "VellumCtl.Vellum"}) {
        const Platform::RegistryValue* name = hive.findValue(progId, "");
        EXPECT_TRUE(name && name->data.size() > 1) << progId << " has a description";
        EXPECT_NO_THROW(Platform::CreateObject(progId)) << progId;
    }
    auto handler = Platform::CreateObjectOf<Quaver::FileHandler>("Quaver.FileHandler");
    EXPECT_TRUE(handler);
    EXPECT_TRUE(Platform::CreateObjectOf<Platform::FileSystemObject>("Scripting.FileSystemObject"));
    unsetenv("LEGATO_REGISTRY_DIR");
}
