#include "WindowDock.h"

#include <gtest/gtest.h>

TEST(WindowDock, StacksTheWindowsCentredAndBelowEachOther)
{
    const QRect screen(0, 30, 1280, 770);
    const QList<QPoint> at = DockedBelow(screen, {QSize(420, 140), QSize(420, 190), QSize(420, 290)});
    ASSERT_EQ(at.size(), 3);
    EXPECT_EQ(at[0], QPoint(430, 30 + (770 - 620) / 2));
    EXPECT_EQ(at[1], at[0] + QPoint(0, 140)) << "the equaliser docks below the main window";
    EXPECT_EQ(at[2], at[1] + QPoint(0, 190)) << "the playlist below the equaliser";
}

TEST(WindowDock, KeepsEveryWindowOnASmallScreen)
{
    const QRect screen(100, 0, 400, 500);
    const QList<QPoint> at = DockedBelow(screen, {QSize(420, 200), QSize(420, 200), QSize(420, 300)});
    EXPECT_EQ(at[0], QPoint(100, 0)) << "never left of or above the free area";
    EXPECT_EQ(at[1], QPoint(100, 200));
    EXPECT_EQ(at[2], QPoint(100, 200)) << "lifted to end at the area's bottom";
}
