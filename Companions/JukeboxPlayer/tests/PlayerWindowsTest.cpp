#include "PlayerWindows.h"
#include "Jukebox/PlayerProtocol.h"
#include "PlayerEngine.h"

#include <QApplication>
#include <QMessageBox>
#include <QWidget>
#include <gtest/gtest.h>

using namespace Jukebox::Protocol;

TEST(PlayerWindows, OpensDockedBelowTheMainWindow)
{
    PlayerEngine engine(false);
    PlayerWindows windows(engine);
    const QWidget* main = windows.window(kMainWindowClass);
    const QWidget* equalizer = windows.window(kEqualizerWindowClass);
    const QWidget* playlist = windows.window(kPlaylistWindowClass);
    EXPECT_EQ(equalizer->x(), main->x());
    EXPECT_EQ(playlist->x(), main->x());
    EXPECT_GE(equalizer->y(), main->y() + main->height());
    EXPECT_GE(playlist->y(), equalizer->y() + equalizer->height());
    EXPECT_EQ(equalizer->width(), main->width()) << "room for the whole title";
}

TEST(PlayerWindows, ShowsOneAboutBoxHoweverOftenAsked)
{
    PlayerEngine engine(false);
    PlayerWindows windows(engine);
    for (int i = 0; i < 50; ++i)
        windows.showAbout();
    int boxes = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        boxes += qobject_cast<QMessageBox*>(w) && w->isVisible();
    EXPECT_EQ(boxes, 1);
}
