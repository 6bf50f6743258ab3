// The editor and the real stand-in player: a double-click reaches the player
// through the registered player remote, and closing the panel closes the
// player it started.
#include "ucTagEditor.h"

#include "Jukebox/IAPI.h"
#include "Jukebox/PlayerProtocol.h"
#include "Platform/Component.h"
#include "Platform/MessageBox.h"
#include "Platform/WindowMessages.h"
#include "TempDir.h"
#include <QDragEnterEvent>
#include <QElapsedTimer>
#include <QMimeData>
#include <QTest>
#include <QTreeView>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

using LegatoTest::TempDir;

namespace {

bool waitFor(const std::function<bool()>& condition, int milliseconds = 10000)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > milliseconds)
            return false;
        QTest::qWait(50);
    }
    return true;
}

bool playerRunning()
{
    return Platform::FindWindowA(Jukebox::Protocol::kMainWindowClass, nullptr) != 0;
}

void dropFile(QTreeView* list, const std::string& path)
{
    QMimeData data;
    data.setData("text/uri-list",
                 "file://" + QByteArray::fromStdString(path).toPercentEncoding("/") + "\r\n");
    QWidget* target = list->viewport();
    const QPoint at = target->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    // The list takes its files in from its worker.
    EXPECT_TRUE(QTest::qWaitFor([list] { return list->model()->rowCount() > 0; }));
}

void doubleClick(QTreeView* list, int row)
{
    const QPoint at = list->visualRect(list->model()->index(row, 0)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mousePress(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, at);
}

} // namespace

TEST(PlayEndToEnd, DoubleClickPlaysAndClosingThePanelClosesThePlayer)
{
    TempDir dir;
    // The build tree's registrations, and windows of this test's own.
    qputenv("LEGATO_REGISTRY_DIR", LEGATO_BUILD_REGISTRY);
    qputenv("LEGATO_WINDOW_DIR", QByteArray::fromStdString(dir.file("windows")));
    std::filesystem::create_directory(dir.file("windows"));
    std::filesystem::permissions(dir.file("windows"), std::filesystem::perms::owner_all);

    const std::string wav = dir.file("tone.wav");
    const std::string mp3 = dir.file("Tone - Test.mp3");
    const std::string make = "sox -q -n -r 44100 -c 2 '" + wav +
                             "' synth 20 sine 440 && lame --quiet -b 64 '" + wav + "' '" + mp3 + "'";
    if (std::system(make.c_str()) != 0)
        GTEST_SKIP() << "sox and lame are needed to make an MP3";

    Platform::MessageBoxRecorder boxes;
    auto* panel = new ucTagEditor;
    panel->show();
    auto* list = panel->findChild<QTreeView*>("lvwData");
    dropFile(list, mp3);
    ASSERT_EQ(list->model()->rowCount(), 1);

    // The first request starts the player, which then plays the file.
    doubleClick(list, 0);
    ASSERT_TRUE(waitFor(playerRunning)) << "the player did not start";
    auto remote = Platform::CreateObjectAs<Jukebox::IAPI>("Jukebox.API");
    EXPECT_TRUE(waitFor([&] { return remote->JukeboxIsPlaying() == 1; })) << "the player is not playing";
    EXPECT_EQ(remote->GetPlayListLength(), 1);

    // A request to the running player replaces its playlist and plays again.
    remote->StopJukeboxPlay();
    ASSERT_TRUE(waitFor([&] { return remote->JukeboxIsPlaying() == 0; }));
    doubleClick(list, 0);
    EXPECT_TRUE(waitFor([&] { return remote->JukeboxIsPlaying() == 1; })) << "the player is not playing";
    EXPECT_EQ(remote->GetPlayListLength(), 1);
    EXPECT_TRUE(boxes.boxes().empty());

    delete panel;
    const bool closed = waitFor([] { return !playerRunning(); });
    if (!closed)
        remote->KillJukebox();
    EXPECT_TRUE(closed) << "closing the panel left the player running";
    qunsetenv("LEGATO_WINDOW_DIR");
    qunsetenv("LEGATO_REGISTRY_DIR");
}
