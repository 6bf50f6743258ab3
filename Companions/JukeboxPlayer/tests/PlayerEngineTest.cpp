#include "PlayerEngine.h"
#include "Jukebox/PlayerProtocol.h"
#include "PlaybackClock.h"
#include "PlayerUi.h"
#include "RemoteControl.h"

#include "Mp3Fixture.h"
#include "TempDir.h"

#include <gtest/gtest.h>

using namespace Jukebox::Protocol;

namespace {

struct RecordingUi : PlayerUi
{
    std::vector<std::string> calls;
    void showAbout() override { calls.push_back("about"); }
    void showContextMenu() override { calls.push_back("menu"); }
    void showFileOpen() override { calls.push_back("open"); }
    void showFileInfo() override { calls.push_back("info"); }
    void showJumpToTime() override { calls.push_back("time"); }
    void showPreferences() override { calls.push_back("prefs"); }
    void showJumpToFile() override { calls.push_back("file"); }
    void showWindow(const QString& c, int s) override
    {
        calls.push_back(c.toStdString() + ":" + std::to_string(s));
    }
    void closePlayer() override { calls.push_back("close"); }
};

// A player with a hand-driven clock and two real 2-second tracks.
class Player : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_first = makeMp3(m_dir.path(), "one.mp3", 2.0);
        m_second = makeMp3(m_dir.path(), "two.mp3", 2.0);
        if (m_first.empty())
            GTEST_SKIP() << "sox and lame are needed";
    }
    Platform::LRESULT query(std::int64_t argument, std::int64_t code)
    {
        return remote.handle(kMainWindowClass, kQueryMessage, argument, code, {});
    }
    Platform::LRESULT command(std::int64_t number)
    {
        return remote.handle(kMainWindowClass, kCommandMessage, number, 0, {});
    }
    void add(const std::string& path)
    {
        EXPECT_EQ(remote.handle(kMainWindowClass, Platform::WM_COPYDATA, kCopyDataAddFile, 0,
                                QByteArray::fromStdString(path)),
                  1);
    }

    LegatoTest::TempDir m_dir;
    std::string m_first, m_second;
    std::int64_t now = 1000;
    PlayerEngine engine{false, [this] { return now; }};
    RecordingUi ui;
    RemoteControl remote{engine, ui};
};

} // namespace

TEST_F(Player, AnswersEveryQueryFromItsState)
{
    EXPECT_EQ(query(0, QueryPlaylistLength), 0);
    EXPECT_EQ(query(1, QueryOutputTime), -1) << "no track";
    add(m_first);
    add(m_second);
    EXPECT_EQ(query(0, QueryPlaylistLength), 2);
    EXPECT_EQ(query(0, QueryPlaylistPosition), 0);
    EXPECT_EQ(query(1, QueryOutputTime), 2);
    EXPECT_EQ(query(0, QueryTrackInfo), 44100);
    EXPECT_EQ(query(1, QueryTrackInfo), 128);
    EXPECT_EQ(query(2, QueryTrackInfo), 2);
    EXPECT_EQ(query(0, QueryIsPlaying), 0);
    EXPECT_EQ(query(500, QueryJumpToTime), -1) << "nothing plays";

    EXPECT_EQ(command(CmdPlay), 1);
    EXPECT_EQ(query(0, QueryIsPlaying), 1);
    now += 700;
    EXPECT_EQ(query(0, QueryOutputTime), 700) << "time runs by the clock";
    EXPECT_EQ(query(1500, QueryJumpToTime), 0);
    EXPECT_EQ(query(0, QueryOutputTime), 1500);
    EXPECT_EQ(query(engine.trackLengthMs() + 1, QueryJumpToTime), 1) << "past the end";

    command(CmdPause);
    EXPECT_EQ(query(0, QueryIsPlaying), 3);
    now += 5000;
    EXPECT_EQ(query(0, QueryOutputTime), 1500) << "paused time stands still";
    command(CmdPause);
    EXPECT_EQ(query(0, QueryIsPlaying), 1);

    command(CmdRewind);
    EXPECT_EQ(query(0, QueryOutputTime), 0) << "rewinding stops at the start";
    command(CmdForward);
    EXPECT_EQ(query(0, QueryOutputTime), engine.trackLengthMs()) << "forwarding stops at the end";

    EXPECT_EQ(query(300, QuerySetVolume), 255) << "clamped";
    EXPECT_EQ(query(-666, QuerySetVolume), 255) << "asks without changing";
    EXPECT_EQ(query(0, QuerySetVolume), 0);

    command(CmdStop);
    EXPECT_EQ(query(0, QueryIsPlaying), 0);
    EXPECT_EQ(query(0, QueryOutputTime), 0);
    EXPECT_EQ(query(0, QueryClearPlaylist), 2);
    EXPECT_EQ(query(0, QueryPlaylistLength), 0);
}

TEST_F(Player, MovesOnAtTheEndOfATrackAndStopsAfterTheLast)
{
    add(m_first);
    add(m_second);
    command(CmdPlay);
    now += engine.trackLengthMs();
    engine.tick();
    EXPECT_EQ(query(0, QueryPlaylistPosition), 1);
    EXPECT_EQ(query(0, QueryIsPlaying), 1);
    EXPECT_EQ(query(0, QueryOutputTime), 0);
    now += engine.trackLengthMs();
    engine.tick();
    EXPECT_EQ(query(0, QueryIsPlaying), 0);
    EXPECT_EQ(query(0, QueryPlaylistPosition), 1);
}

TEST_F(Player, DialogCommandsShowAndCloseReachTheWindows)
{
    for (auto c :
         {CmdAbout, CmdContextMenu, CmdFileOpen, CmdTagEditor, CmdJumpToTime, CmdPreferences, CmdJumpToFile})
        EXPECT_EQ(command(c), 1);
    EXPECT_EQ(command(12345), 0) << "unknown commands do nothing";
    remote.handle(kPlaylistWindowClass, Platform::WM_SHOWWINDOW, Platform::SW_HIDE, 0, {});
    remote.handle(kPlaylistWindowClass, kQueryMessage, 0, QueryClearPlaylist,
                  {}); // only the main window answers
    remote.handle(kMainWindowClass, kCloseMessage, 0, 0, {});
    EXPECT_EQ(ui.calls, (std::vector<std::string>{"about", "menu", "open", "info", "time", "prefs", "file",
                                                  "Jukebox PE:0", "close"}));
}

TEST(RemoteControlNames, TakesNamesTheSystemCanOpenOnly)
{
    EXPECT_EQ(RemoteControl::fileNameOf("/music/a.mp3"), QStringLiteral("/music/a.mp3"));
    EXPECT_EQ(RemoteControl::fileNameOf(QByteArray("/music/a.mp3\0", 13)), QStringLiteral("/music/a.mp3"))
        << "a C string's terminating zero";
    EXPECT_FALSE(RemoteControl::fileNameOf(QByteArray("/music/a.mp3\0/etc", 17))) << "a name cut short";
    EXPECT_FALSE(RemoteControl::fileNameOf(QByteArray()));
    const QByteArray longest = "/" + QByteArray(RemoteControl::kMaxFileNameBytes - 2, 'a');
    EXPECT_TRUE(RemoteControl::fileNameOf(longest));
    EXPECT_FALSE(RemoteControl::fileNameOf(longest + "a")) << "longer than the system's limit";
    EXPECT_FALSE(RemoteControl::fileNameOf(QByteArray(1 << 20, 'a')));
}
