#include "Quaver/TestFixture.h"

#include "TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace Quaver;

namespace {

struct RecordingManager : ITestManager
{
    std::vector<std::string> steps;
    std::vector<std::pair<bool, std::string>> checks;
    void LogStep(const std::string& text) override { steps.push_back(text); }
    void Check(bool condition, const std::string& message) override
    {
        checks.emplace_back(condition, message);
    }
};

// Runs the fixture with the given directory as the current one.
std::shared_ptr<RecordingManager> runIn(const std::string& dir)
{
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir);
    auto manager = std::make_shared<RecordingManager>();
    TestFixture fixture;
    fixture.Setup(manager, "project");
    fixture.RunTest();
    fixture.TearDown();
    std::filesystem::current_path(previous);
    return manager;
}

} // namespace

TEST(TestFixtureTest, CleanDirectoryFailsOnlyTheDeleteCheck)
{
    LegatoTest::TempDir dir;
    const auto manager = runIn(dir.path());
    ASSERT_EQ(manager->checks.size(), 22u);
    EXPECT_FALSE(manager->checks[0].first);
    EXPECT_EQ(manager->checks[0].second, "Couldn't delete the Test-File");
    for (std::size_t i = 1; i < manager->checks.size(); ++i)
        EXPECT_TRUE(manager->checks[i].first) << manager->checks[i].second;
    EXPECT_EQ(manager->steps.front(), "Deleting Test-File");
    EXPECT_NE(std::find(manager->steps.begin(), manager->steps.end(), "- REWRITE TAG -"),
              manager->steps.end());
    // The rewrite replaced the trailer: content plus one trailer.
    EXPECT_EQ(std::filesystem::file_size(dir.file("MP3Tst00.mp3")), 138u);
}

TEST(TestFixtureTest, SecondRunPassesEveryCheckAndMessagesNameExpectedAndFound)
{
    LegatoTest::TempDir dir;
    runIn(dir.path());
    const auto manager = runIn(dir.path());
    ASSERT_EQ(manager->checks.size(), 21u);
    for (const auto& [passed, message] : manager->checks)
        EXPECT_TRUE(passed) << message;
    EXPECT_EQ(manager->checks[0].second, "Size incorrect. 10 expected, found: 10");
    EXPECT_EQ(manager->checks[1].second, "HasTag incorrect. 'True' expected, found: True");
    EXPECT_EQ(manager->checks[3].second, "TagType incorrect. 2 expected, found : 2");
    EXPECT_EQ(manager->checks[4].second, "Title incorrect. Title expected, found : Title");
    EXPECT_EQ(manager->checks[10].second, "Year incorrect. 2001 expected, found : 2001");
}

TEST(TestFixtureTest, NameAndContinuation)
{
    const TestFixture fixture;
    EXPECT_EQ(fixture.Name(), "Quaver Test");
    EXPECT_TRUE(fixture.ContinueAfterError());
}
