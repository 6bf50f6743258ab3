#include "Jukebox/API.h"
#include "Jukebox/PlayerProtocol.h"

#include "Platform/Component.h"
#include "Platform/RegistryStore.h"
#include "Platform/Shell.h"
#include "Platform/WindowMessages.h"

#include "FakePlayer.h"
#include "TempDir.h"
#include "UnixSocket.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <set>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace Jukebox::Protocol;
using Platform::RuntimeError;

namespace {

class JukeboxAPI : public ::testing::Test
{
protected:
    void SetUp() override
    {
        setenv("LEGATO_REGISTRY_DIR", m_registry.path().c_str(), 1);
        setenv("LEGATO_WINDOW_DIR", m_windows.path().c_str(), 1);
        Platform::SetSendMessageTimeout(3000); // generous: the machine may be busy
    }
    void TearDown() override
    {
        unsetenv("LEGATO_REGISTRY_DIR");
        unsetenv("LEGATO_WINDOW_DIR");
    }

    void associate(const std::string& commandLine)
    {
        Platform::UpdateRegistry(Platform::RegistryRoot::ClassesRoot, [&](Platform::RegistryHive& h) {
            h.setString(kFileAssociationKey, "", commandLine);
        });
    }

    // A program named "jukebox" that writes its arguments, one per line, to
    // "args" beside it; the association points at it.
    std::string recordingPlayer()
    {
        std::filesystem::create_directories(m_files.file("bin"));
        const std::string program =
            m_files.write("bin/jukebox", "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"$(dirname \"$0\")/args.tmp\"\n"
                                         "mv \"$(dirname \"$0\")/args.tmp\" \"$(dirname \"$0\")/args\"\n");
        chmod(program.c_str(), 0755);
        associate("\"" + program + "\" \"%1\"");
        return m_files.file("bin/args");
    }

    static std::string waitForContent(const std::string& path)
    {
        for (int i = 0; i < 300 && !std::filesystem::exists(path); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        return LegatoTest::readAll(path);
    }

    static std::vector<std::int64_t> commandsOf(const FakePlayer& player)
    {
        std::vector<std::int64_t> out;
        for (const auto& m : player.of(kCommandMessage))
            out.push_back(m.wParam);
        return out;
    }

    LegatoTest::TempDir m_registry, m_windows, m_files;
    Jukebox::API api;
};

} // namespace

TEST_F(JukeboxAPI, CommandsArePostedToTheMainWindow)
{
    FakePlayer player;
    const std::vector<std::pair<bool (Jukebox::API::*)(), std::int64_t>> commands = {
        {&Jukebox::API::StartJukeboxPlay, CmdPlay},      {&Jukebox::API::StopJukeboxPlay, CmdStop},
        {&Jukebox::API::AboutJukeboxDLG, CmdAbout},      {&Jukebox::API::PopUpKntMenu, CmdContextMenu},
        {&Jukebox::API::OpenTagEditorDLG, CmdTagEditor}, {&Jukebox::API::JumpToTimeDLG, CmdJumpToTime},
        {&Jukebox::API::PrefJukeboxDLG, CmdPreferences}, {&Jukebox::API::JupToFileDLG, CmdJumpToFile},
    };
    for (const auto& [method, number] : commands) {
        player.messages.clear();
        EXPECT_TRUE(whilePlayerServes([&] { return (api.*method)(); })) << number;
        ASSERT_EQ(player.messages.size(), 1u) << number;
        EXPECT_EQ(player.messages[0].windowClass, kMainWindowClass);
        EXPECT_EQ(player.messages[0].message, kCommandMessage);
        EXPECT_EQ(player.messages[0].wParam, number);
        EXPECT_EQ(player.messages[0].lParam, 0);
    }

    player.messages.clear();
    EXPECT_TRUE(whilePlayerServes([&] { return api.FileOpenDLG(); }));
    ASSERT_EQ(player.messages.size(), 2u);
    EXPECT_EQ(player.messages[0].lParam, QueryClearPlaylist);
    EXPECT_EQ(player.messages[1].wParam, CmdFileOpen);
}

TEST_F(JukeboxAPI, QueriesReturnThePlayersReply)
{
    FakePlayer player;
    player.replies = {
        {{QueryOutputTime, 0}, 1234},    {{QueryOutputTime, 1}, 2},    {{QueryClearPlaylist, 0}, 3},
        {{QueryTrackInfo, 0}, 44100},    {{QueryTrackInfo, 1}, 128},   {{QueryPlaylistLength, 0}, 5},
        {{QueryPlaylistPosition, 0}, 4}, {{QuerySetVolume, 200}, 200}, {{QueryIsPlaying, 0}, 3}};
    EXPECT_EQ(whilePlayerServes([&] { return api.CurPos(); }), 1234);
    EXPECT_EQ(whilePlayerServes([&] { return api.GetTrackLength(); }), 2);
    EXPECT_EQ(whilePlayerServes([&] { return api.CLSPlayList(); }), 3);
    EXPECT_EQ(whilePlayerServes([&] { return api.GetTrackSamples(); }), 44100);
    EXPECT_EQ(whilePlayerServes([&] { return api.GetTrackBits(); }), 128);
    EXPECT_EQ(whilePlayerServes([&] { return api.GetPlayListLength(); }), 5);
    EXPECT_EQ(whilePlayerServes([&] { return api.GetCurPlayListTrack(); }), 4);
    EXPECT_EQ(whilePlayerServes([&] { return api.JukeboxIsPlaying(); }), 3);
    std::int16_t level = 200;
    EXPECT_TRUE(whilePlayerServes([&] { return api.SetVolume(level); }));
    level = 7; // the fake answers 0 for this level
    EXPECT_FALSE(whilePlayerServes([&] { return api.SetVolume(level); }));
    EXPECT_EQ(player.of(kQueryMessage).back().wParam, 7);
}

TEST_F(JukeboxAPI, PauseForwardAndRewindDependOnThePlayingState)
{
    FakePlayer player;
    for (const auto& [state, pauseResult] :
         std::vector<std::pair<int, bool>>{{0, true}, {3, true}, {2, false}}) {
        player.replies[{QueryIsPlaying, 0}] = state;
        player.messages.clear();
        EXPECT_EQ(whilePlayerServes([&] { return api.PauseJukeboxPlay(); }), pauseResult) << state;
        EXPECT_FALSE(whilePlayerServes([&] { return api.FWDJukebox(); })) << state;
        EXPECT_FALSE(whilePlayerServes([&] { return api.RWDJukebox(); })) << state;
        EXPECT_TRUE(commandsOf(player).empty()) << "nothing is sent unless the player plays";
    }
    player.replies[{QueryIsPlaying, 0}] = 1;
    player.messages.clear();
    EXPECT_TRUE(whilePlayerServes([&] { return api.PauseJukeboxPlay(); }));
    EXPECT_TRUE(whilePlayerServes([&] { return api.FWDJukebox(); }));
    EXPECT_TRUE(whilePlayerServes([&] { return api.RWDJukebox(); }));
    EXPECT_EQ(commandsOf(player), (std::vector<std::int64_t>{CmdPause, CmdForward, CmdRewind}));

    player.replies[{QueryIsPlaying, 0}] = 70000;
    try {
        whilePlayerServes([&] { return api.JukeboxIsPlaying(); });
        FAIL() << "a reply beyond 16 bits must overflow";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.Number(), Platform::ErrOverflow);
    }
}

TEST_F(JukeboxAPI, GoToTimeStopsAtTheEndOfTheTrack)
{
    FakePlayer player;
    player.replies[{QueryOutputTime, 1}] = 2;
    std::int32_t end = 2000, past = 2001;
    EXPECT_TRUE(whilePlayerServes([&] { return api.GoToTime(end); }));
    auto jumps = [&] {
        std::vector<std::int64_t> out;
        for (const auto& m : player.of(kQueryMessage))
            if (m.lParam == QueryJumpToTime)
                out.push_back(m.wParam);
        return out;
    };
    EXPECT_EQ(jumps(), std::vector<std::int64_t>{2000});
    EXPECT_FALSE(whilePlayerServes([&] { return api.GoToTime(past); }));
    EXPECT_EQ(jumps().size(), 1u) << "nothing sent past the end";
    EXPECT_EQ(past, 2001);

    player.replies[{QueryOutputTime, 1}] = 3000000; // * 1000 leaves 32 bits
    EXPECT_THROW(whilePlayerServes([&] { return api.GoToTime(end); }), RuntimeError);
}

TEST_F(JukeboxAPI, HideShowAndKillOnlyTouchWindowsThatExist)
{
    EXPECT_EQ(api.KillJukebox(), 0) << "no player";
    EXPECT_FALSE(api.HideJukebox());
    {
        FakePlayer player;
        // Each window is a socket of its own, so only the set of windows per
        // call can be observed here, not the order between them.
        auto windowsShownWith = [&](int state) {
            std::set<std::string> out;
            for (const auto& m : player.of(Platform::WM_SHOWWINDOW))
                if (m.wParam == state)
                    out.insert(m.windowClass);
            return out;
        };
        const std::set<std::string> all{kMainWindowClass, kEqualizerWindowClass, kPlaylistWindowClass};
        EXPECT_FALSE(whilePlayerServes([&] { return api.HideJukebox(); }));
        EXPECT_EQ(windowsShownWith(Platform::SW_HIDE), all);
        EXPECT_FALSE(whilePlayerServes([&] { return api.ShowJukebox(); }));
        EXPECT_EQ(windowsShownWith(Platform::SW_SHOWNORMAL), all);
        EXPECT_EQ(player.of(Platform::WM_SHOWWINDOW).size(), 6u);
        EXPECT_NE(whilePlayerServes([&] { return api.KillJukebox(); }), 0);
        ASSERT_EQ(player.of(kCloseMessage).size(), 1u);
        EXPECT_EQ(player.of(kCloseMessage)[0].wParam, 0);
    }
    FakePlayer mainOnly(false);
    EXPECT_FALSE(whilePlayerServes([&] { return api.HideJukebox(); }));
    EXPECT_EQ(mainOnly.of(Platform::WM_SHOWWINDOW).size(), 1u);
}

TEST_F(JukeboxAPI, StartJukeboxStartsNothingWhileThePlayerRuns)
{
    const std::string args = recordingPlayer();
    FakePlayer player;
    EXPECT_TRUE(whilePlayerServes([&] { return api.StartJukebox(); }));
    EXPECT_EQ(player.of(Platform::WM_SHOWWINDOW).size(), 3u) << "the running player's windows are hidden";
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_FALSE(std::filesystem::exists(args));
}

TEST_F(JukeboxAPI, StartJukeboxStartsTheAssociatedProgram)
{
    const std::string args = recordingPlayer();
    EXPECT_TRUE(api.StartJukebox());
    EXPECT_EQ(waitForContent(args), "\n") << "started without arguments";
    EXPECT_TRUE(std::filesystem::exists(args));
}

TEST_F(JukeboxAPI, LoadFileQuotesInPlaceAndHandsTheNameOverUnchanged)
{
    const std::string args = recordingPlayer();
    FakePlayer player;
    const std::string name = m_files.file("a \"quoted\" $(touch pwned); b.mp3");
    std::string variable = name;
    whilePlayerServes([&] {
        api.LoadFile(variable);
        return 0;
    });
    EXPECT_EQ(variable, "\"" + name + "\"");
    EXPECT_EQ(waitForContent(args), "/ADD\n" + name + "\n");
    EXPECT_FALSE(std::filesystem::exists(m_files.file("pwned")));
    ASSERT_EQ(player.messages.size(), 2u);
    EXPECT_EQ(player.messages[0].lParam, QueryClearPlaylist);
    EXPECT_EQ(player.messages[1].wParam, CmdStop);
}

TEST_F(JukeboxAPI, WithoutPlayerOrPathNothingHappensButLoadFileFails)
{
    EXPECT_TRUE(api.StartJukebox());
    EXPECT_FALSE(api.StartJukeboxPlay());
    EXPECT_EQ(api.GetPlayListLength(), 0);
    EXPECT_TRUE(api.PauseJukeboxPlay()) << "a player that is not there answers 0";
    std::string file = "x.mp3";
    EXPECT_THROW(api.LoadFile(file), RuntimeError);
    EXPECT_EQ(file, "\"x.mp3\"");

    associate("\"/usr/bin/vlc\" \"%1\"");
    EXPECT_EQ(api.JukeboxPfad(), "");
    EXPECT_THROW(api.LoadFile(file), RuntimeError);

    // A player that was uninstalled: starting it is a run-time error.
    associate("\"" + m_files.file("gone/jukebox") + "\" \"%1\"");
    try {
        api.StartJukeboxPlay();
        FAIL() << "no error";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.Number(), Platform::ErrFileNotFound);
    }
}

TEST_F(JukeboxAPI, PlayerThatDoesNotAnswerCostsOnlyTheTimeout)
{
    Platform::SetSendMessageTimeout(300);
    // A listener that never accepts: the window exists, nobody answers.
    const int fd = LegatoTest::bindUnixSocket(Platform::WindowSocketPath(kMainWindowClass), true);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(api.GetPlayListLength(), 0);
    EXPECT_EQ(api.JukeboxIsPlaying(), 0);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    ::close(fd);
    EXPECT_EQ(api.KillJukebox(), 0) << "a stale socket is no window";
}

TEST_F(JukeboxAPI, CreatedThroughTheComponentHost)
{
    ASSERT_EQ(std::system((std::string(LEGATO_REGSVR32) + " /s " + JUKEBOX_LIBRARY).c_str()), 0);
    auto remote = Platform::CreateObjectAs<Jukebox::IAPI>("Jukebox.API");
    EXPECT_EQ(remote->JukeboxPfad(), "0");
    std::string missing = m_files.file("none.mp3");
    EXPECT_EQ(remote->GetSongName(missing), "Unbekannter Song");
    EXPECT_EQ(remote->KillJukebox(), 0);
}
