#include "Platform/Shell.h"
#include "Platform/RuntimeError.h"

#include "TempDir.h"

#include <chrono>
#include <filesystem>
#include <gtest/gtest.h>
#include <thread>

using namespace Platform;
using Args = std::vector<std::string>;

namespace {

bool waitForFile(const std::string& path, bool withContent = false)
{
    for (int i = 0; i < 200; ++i) {
        if (std::filesystem::exists(path) && (!withContent || std::filesystem::file_size(path) > 0))
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return std::filesystem::exists(path);
}

} // namespace

TEST(SplitCommandLine, QuotesGroupAndEverythingElseIsLiteral)
{
    EXPECT_EQ(SplitCommandLine("\"/opt/my apps/jukebox\" /ADD \"a b.mp3\""),
              (Args{"/opt/my apps/jukebox", "/ADD", "a b.mp3"}));
    EXPECT_EQ(SplitCommandLine("  prog   x\ty  "), (Args{"prog", "x", "y"}));
    EXPECT_EQ(SplitCommandLine("p \"\" x"), (Args{"p", "", "x"}));
    EXPECT_EQ(SplitCommandLine("p \"a;b && $(rm -rf x) `y` | z\""),
              (Args{"p", "a;b && $(rm -rf x) `y` | z"}));
    EXPECT_EQ(SplitCommandLine(R"(p a\b "c\\" "d\"e")"), (Args{"p", "a\\b", "c\\", "d\"e"}));
    EXPECT_EQ(SplitCommandLine(""), Args{});
}

TEST(SplitCommandLine, QuoteArgumentRoundTrips)
{
    for (const std::string s :
         {"plain", "with space", "quote\"inside", "ends\\", "\\\"mixed\\\\\"", "", "x\\y"}) {
        const Args back = SplitCommandLine("prog " + QuoteArgument(s) + " next");
        ASSERT_EQ(back.size(), 3u) << s;
        EXPECT_EQ(back[1], s);
        EXPECT_EQ(back[2], "next");
    }
}

TEST(Shell, HandsHostileNamesOverUnchangedWithTheWindowStyle)
{
    LegatoTest::TempDir dir;
    const std::string hostile = dir.file("a;b $(touch pwned) && c.mp3");
    Shell("/bin/touch " + QuoteArgument(hostile), WindowStyle::Hide);
    EXPECT_TRUE(waitForFile(hostile));
    EXPECT_FALSE(std::filesystem::exists(dir.file("pwned")));
    EXPECT_FALSE(std::filesystem::exists("pwned"));

    // The started program learns the window state from its environment.
    const std::string out = dir.file("style");
    Shell("sh -c " + QuoteArgument("echo $LEGATO_WINDOW_STYLE > \"$0\"") + " " + QuoteArgument(out),
          WindowStyle::NormalNoFocus);
    ASSERT_TRUE(waitForFile(out, true));
    EXPECT_EQ(LegatoTest::readAll(out), "4\n");
}

TEST(Shell, ProgramsThatCannotStartRaiseErrors)
{
    try {
        Shell("0 /ADD \"x.mp3\"", WindowStyle::Hide);
        FAIL();
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.Number(), ErrFileNotFound);
        EXPECT_NE(e.Description().find('0'), std::string::npos);
    }
    EXPECT_THROW(Shell("", WindowStyle::Hide), RuntimeError);
    EXPECT_THROW(Shell("\"\" /ADD x", WindowStyle::Hide), RuntimeError);
}
