#include "WindowPlacement.h"

#include <gtest/gtest.h>

using WindowPlacement::Place;
using WindowPlacement::Stored;
using WindowPlacement::StoredPixels;

namespace {

const QSize designed(627, 380);
const QSize minimum(300, 220);
const QRect screen(0, 0, 1280, 800);

} // namespace

TEST(WindowPlacement, StoredTextsBecomePixelsOnlyWithinAWindowsReach)
{
    EXPECT_EQ(StoredPixels(QVariant()), std::nullopt);
    EXPECT_EQ(StoredPixels(QString("wide")), std::nullopt);
    EXPECT_EQ(StoredPixels(QString("1e38")), std::nullopt);
    EXPECT_EQ(StoredPixels(QString("-1e38")), std::nullopt);
    EXPECT_EQ(StoredPixels(QString("1000000")), 66667);
    EXPECT_EQ(StoredPixels(QString("-5000")), -333);
    EXPECT_EQ(StoredPixels(QString("7500.5")), 500);
}

TEST(WindowPlacement, UnusableSizesTakeTheDesignedOneAndEverySizeFitsTheScreen)
{
    const auto size = [](std::optional<int> width, std::optional<int> height) {
        return Place(Stored{std::nullopt, std::nullopt, width, height}, designed, minimum, {}, screen).size;
    };
    EXPECT_EQ(size(std::nullopt, std::nullopt), designed);
    EXPECT_EQ(size(-333, 0), designed);
    EXPECT_EQ(size(700, 450), QSize(700, 450));
    EXPECT_EQ(size(10, 10), minimum);
    EXPECT_EQ(size(66667, 2000), QSize(1280, 800));
    // A screen smaller than the minimum still gets the minimum.
    EXPECT_EQ(Place({}, designed, minimum, {}, QRect(0, 0, 200, 100)).size, minimum);
}

TEST(WindowPlacement, APositionKeepsTheWholeWindowOnTheScreen)
{
    const auto at = [](std::optional<int> left, std::optional<int> top) {
        return Place(Stored{left, top, 700, 450}, designed, minimum, QPoint(5, 6), QRect(0, 30, 1280, 770))
            .position;
    };
    EXPECT_EQ(at(std::nullopt, std::nullopt), std::nullopt); // the window system places it
    EXPECT_EQ(at(37, 41), QPoint(37, 41));
    EXPECT_EQ(at(-6667, -6667), QPoint(0, 30));
    EXPECT_EQ(at(100000, 100000), QPoint(1280 - 700, 800 - 450));
    EXPECT_EQ(at(std::nullopt, 100), QPoint(5, 100));
    // On a screen smaller than the window its top left corner stays on it.
    EXPECT_EQ(Place(Stored{500, 500, 700, 450}, designed, minimum, {}, QRect(0, 0, 200, 100)).position,
              QPoint(0, 0));
}
