#include "Vellum/ScrollAxis.h"

#include <gtest/gtest.h>

using VellumCtl::ScrollAxis;

TEST(ScrollAxis, WithinTheRangeAPositionIsAnOffsetInTwipsAndAPageIsTheViewport)
{
    const ScrollAxis axis(3000, 1000);
    EXPECT_TRUE(axis.Scrolls());
    EXPECT_EQ(axis.Maximum(), 2000);
    EXPECT_EQ(axis.SingleStep(), 200);
    EXPECT_EQ(axis.PageStep(), 1000);
    EXPECT_EQ(axis.OffsetAt(1234), 1234);

    const ScrollAxis fits(1000, 1000);
    EXPECT_FALSE(fits.Scrolls());
    EXPECT_EQ(fits.Maximum(), 0);
    EXPECT_EQ(fits.OffsetAt(0), 0);
    // An empty viewport still pages by one position.
    EXPECT_EQ(ScrollAxis(500, 0).PageStep(), 1);
}

TEST(ScrollAxis, PastTheRangePositionsShareTheExcessSoEveryPixelIsReachable)
{
    // A 3000-pixel pane in a 300-pixel viewport: 40500 twips to scroll.
    const ScrollAxis axis(45000, 4500);
    EXPECT_EQ(axis.Maximum(), 32767);
    EXPECT_DOUBLE_EQ(axis.OffsetAt(32767), 40500);
    EXPECT_LE(axis.OffsetAt(1) - axis.OffsetAt(0), 15);
    EXPECT_EQ(axis.SingleStep(), 3277);
    // The thumb still shows that a ninth of the content is visible.
    EXPECT_EQ(axis.PageStep(), 3641);
}

TEST(ScrollAxis, PositionShowingASpanMovesAsLittleAsPossible)
{
    const ScrollAxis axis(10000, 2000);
    EXPECT_EQ(axis.PositionShowing(500, 300, 0), 0);         // in view
    EXPECT_EQ(axis.PositionShowing(3000, 300, 0), 1300);     // below: its bottom edge at the viewport's
    EXPECT_EQ(axis.PositionShowing(1000, 200, 5000), 1000);  // above: its top edge at the viewport's
    EXPECT_EQ(axis.PositionShowing(4000, 3000, 5000), 5000); // longer than the viewport, partly in view
    EXPECT_EQ(axis.PositionShowing(4000, 3000, 0), 4000);    // longer and out of view: its start
    EXPECT_EQ(axis.PositionShowing(9900, 400, 0), 8000);     // never past the end

    const ScrollAxis scaled(100000, 2000);
    for (const double start : {12345.0, 55555.0, 97000.0}) {
        const int position = scaled.PositionShowing(start, 900, 0);
        EXPECT_LE(scaled.OffsetAt(position), start) << start;
        EXPECT_GE(scaled.OffsetAt(position) + 2000, start + 900) << start;
    }
}
