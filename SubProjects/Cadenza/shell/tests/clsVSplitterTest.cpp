#include "clsVSplitter.h"

#include <QFontMetrics>
#include <QPalette>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

// A window 600 wide with a left pane at 0, a 4-pixel bar and a right pane.
struct SplitWindow
{
    QWidget form;
    QWidget* left = new QWidget(&form);
    QWidget* right = new QWidget(&form);
    QWidget* bar = new QWidget(&form);
    clsVSplitter splitter;
    int m = 0;

    explicit SplitWindow(int width = 600)
    {
        form.resize(width, 300);
        left->setGeometry(0, 0, 150, 300);
        bar->setGeometry(150, 0, 4, 300);
        right->setGeometry(154, 0, width - 154, 300);
        splitter.setLeftControl(left);
        splitter.setRightControl(right);
        splitter.setSplitControl(bar);
        splitter.setSplitForm(&form);
        m = 10 * QFontMetrics(form.font()).horizontalAdvance(QLatin1Char('A'));
    }
};

} // namespace

TEST(clsVSplitter, MarginIsTenWidthsOfAInTheWindowFont)
{
    SplitWindow w;
    EXPECT_GT(w.m, 0);
    EXPECT_EQ(w.splitter.margin(), w.m);
    QFont bigger = w.form.font();
    bigger.setPointSizeF(bigger.pointSizeF() * 2);
    w.form.setFont(bigger);
    EXPECT_EQ(w.splitter.margin(), 10 * QFontMetrics(bigger).horizontalAdvance(QLatin1Char('A')));
}

TEST(clsVSplitter, DoesNothingUntilAllFourReferencesAreSet)
{
    QWidget form;
    form.resize(600, 300);
    QWidget* left = new QWidget(&form);
    QWidget* bar = new QWidget(&form);
    bar->setGeometry(2, 0, 4, 300); // far left of any margin
    clsVSplitter splitter;
    splitter.setLeftControl(left);
    splitter.setSplitControl(bar);
    splitter.setSplitForm(&form);
    EXPECT_FALSE(splitter.CheckSpiltPosition());
    EXPECT_EQ(bar->x(), 2);
    QSignalSpy resized(&splitter, &clsVSplitter::Resize);
    splitter.MouseDown(clsVSplitter::LeftButton, 0, 1, 1);
    splitter.MouseMove(clsVSplitter::LeftButton, 0, 200, 1);
    // The bar itself is set, so the step is tried; the check fails and moves nothing.
    EXPECT_EQ(bar->x(), 2);
    EXPECT_FALSE(splitter.dragging());
    EXPECT_EQ(resized.count(), 1);
}

TEST(clsVSplitter, ClampsToTheNearerMarginAndReportsIt)
{
    SplitWindow w;
    EXPECT_TRUE(w.splitter.CheckSpiltPosition());
    EXPECT_EQ(w.bar->x(), 150);

    w.bar->move(w.m - 1, 0);
    EXPECT_FALSE(w.splitter.CheckSpiltPosition());
    EXPECT_EQ(w.bar->x(), w.m);
    EXPECT_TRUE(w.bar->isEnabled());

    const int maxLeft = 600 - w.m - 4;
    w.bar->move(maxLeft + 1, 0);
    EXPECT_FALSE(w.splitter.CheckSpiltPosition());
    EXPECT_EQ(w.bar->x(), maxLeft);
    EXPECT_TRUE(w.splitter.CheckSpiltPosition());
}

TEST(clsVSplitter, NarrowWindowPutsABarLeftOfTheMarginAtItAndAnyOtherAtTheRightLimit)
{
    SplitWindow w(120);
    const int minLeft = w.m;
    const int maxLeft = 120 - w.m - 4;
    ASSERT_LT(maxLeft, minLeft);
    w.bar->move(minLeft - 5, 0);
    EXPECT_FALSE(w.splitter.CheckSpiltPosition());
    EXPECT_EQ(w.bar->x(), minLeft);
    EXPECT_FALSE(w.splitter.CheckSpiltPosition());
    EXPECT_EQ(w.bar->x(), maxLeft);
    EXPECT_FALSE(w.splitter.CheckSpiltPosition());
    EXPECT_EQ(w.bar->x(), minLeft);
}

TEST(clsVSplitter, LeftDragMovesTheBarByTheMouseAndRaisesResizeEachStep)
{
    SplitWindow w;
    QSignalSpy resized(&w.splitter, &clsVSplitter::Resize);
    const QColor idle = w.bar->palette().color(QPalette::Window);
    w.splitter.MouseDown(clsVSplitter::LeftButton, 0, 2, 10);
    EXPECT_TRUE(w.splitter.dragging());
    EXPECT_NE(w.bar->palette().color(QPalette::Window), idle);
    // Coordinates are the bar's own: each step moves it by X minus the start.
    w.splitter.MouseMove(clsVSplitter::LeftButton, 0, 12, 10);
    EXPECT_EQ(w.bar->x(), 160);
    w.splitter.MouseMove(clsVSplitter::LeftButton, 0, -18, 10);
    EXPECT_EQ(w.bar->x(), 140);
    EXPECT_EQ(resized.count(), 2);
    w.splitter.MouseUp(clsVSplitter::LeftButton, 0, -18, 10);
    EXPECT_FALSE(w.splitter.dragging());
    EXPECT_EQ(w.bar->palette().color(QPalette::Window), idle);
}

TEST(clsVSplitter, DraggingLeftPastTheMarginEndsAtTheMargin)
{
    SplitWindow w;
    w.splitter.MouseDown(clsVSplitter::LeftButton, 0, 0, 0);
    // One step may carry the bar past the margin; the next one pulls it back
    // and ends the drag.
    w.splitter.MouseMove(clsVSplitter::LeftButton, 0, -145, 0);
    EXPECT_EQ(w.bar->x(), 5);
    w.splitter.MouseMove(clsVSplitter::LeftButton, 0, -10, 0);
    EXPECT_EQ(w.bar->x(), w.left->x() + w.m);
    EXPECT_FALSE(w.splitter.dragging());
}

TEST(clsVSplitter, OtherButtonsOrSeveralButtonsAreIgnored)
{
    SplitWindow w;
    QSignalSpy resized(&w.splitter, &clsVSplitter::Resize);
    w.splitter.MouseDown(clsVSplitter::RightButton, 0, 0, 0);
    EXPECT_FALSE(w.splitter.dragging());
    w.splitter.MouseMove(clsVSplitter::RightButton, 0, 50, 0);
    w.splitter.MouseMove(clsVSplitter::LeftButton | clsVSplitter::RightButton, 0, 50, 0);
    EXPECT_EQ(w.bar->x(), 150);
    EXPECT_EQ(resized.count(), 0);
}
