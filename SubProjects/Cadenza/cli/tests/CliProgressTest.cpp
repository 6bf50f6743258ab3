// The progress line: when it shows, what it says, and that it goes again.
#include "CliProgress.h"

#include <gtest/gtest.h>
#include <sstream>

namespace {

CliProgress::Clock::time_point g_now;

CliProgress::Clock::time_point fakeNow()
{
    return g_now;
}

} // namespace

TEST(CliProgress, ShowsAfterASecondInPlaceAndWipesItself)
{
    using std::chrono::milliseconds;
    g_now = CliProgress::Clock::time_point(std::chrono::hours(1));
    std::ostringstream out;
    {
        CliProgress progress(out, true, fakeNow);
        for (int i = 0; i < 50; ++i)
            progress.Step();
        g_now += milliseconds(999);
        progress.Step();
        EXPECT_EQ(out.str(), ""); // quick runs show nothing
        g_now += milliseconds(1001);
        progress.Step();
        EXPECT_EQ(out.str(), "\r52 files, 26 files/s");
        g_now += milliseconds(100);
        progress.Step();
        EXPECT_EQ(out.str(), "\r52 files, 26 files/s"); // not redrawn at every file
        CliProgress::Interrupt();
        EXPECT_EQ(out.str(), "\r52 files, 26 files/s\r" + std::string(20, ' ') + '\r');
        out.str("");
        g_now += milliseconds(2100);
        progress.Step();
        EXPECT_EQ(out.str(), "\r54 files, 12 files/s");
    }
    EXPECT_EQ(out.str(), "\r54 files, 12 files/s\r" + std::string(20, ' ') + '\r');

    std::ostringstream off;
    CliProgress disabled(off, false, fakeNow);
    g_now += milliseconds(5000);
    disabled.Step();
    disabled.Finish();
    EXPECT_EQ(off.str(), "");
}
