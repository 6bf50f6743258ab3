#include "BatchRun.h"
#include "BatchFixtures.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace BatchFixtures;

namespace {

struct Recorded
{
    QStringList messages;
    std::vector<BatchOutcome> outcomes;
};

Recorded RunOver(const QString& path, const BatchSettings& settings)
{
    Recorded recorded;
    BatchRun run;
    QObject::connect(&run, &BatchRun::ShowMessage, [&](const QString& m) { recorded.messages << m; });
    QObject::connect(&run, &BatchRun::FileProcessed, [&](const BatchOutcome& o) {
        EXPECT_TRUE(run.IsRunning());
        recorded.outcomes.push_back(o);
    });
    run.Run(path, settings);
    EXPECT_FALSE(run.IsRunning());
    return recorded;
}

QStringList Names(const Recorded& recorded)
{
    QStringList names;
    for (const BatchOutcome& o : recorded.outcomes)
        names << o.FileName;
    return names;
}

} // namespace

TEST(BatchRun, ProcessesEveryMp3FileOfTheTreeInTheScannersOrder)
{
    LegatoTest::TempDir dir;
    dir.write("A - One.mp3", Audio());
    dir.write("notes.txt", "not music");
    mkdir(dir.file("sub").c_str(), 0755);
    dir.write("sub/B - Two.MP3", Audio());
    mkdir(dir.file("x.mp3").c_str(), 0755); // a folder named like a file

    const Recorded recorded = RunOver(Q(dir.path()), Settings(1, true));
    EXPECT_EQ(Names(recorded),
              (QStringList{Q(dir.path() + "/A - One.mp3"), Q(dir.path() + "/sub/B - Two.MP3")}));
    for (const BatchOutcome& o : recorded.outcomes)
        EXPECT_EQ(o.Message, "Testmode: Don't write Tag.");
    ASSERT_FALSE(recorded.messages.isEmpty());
    EXPECT_EQ(recorded.messages.first(), Q("Searching " + dir.path() + "/"));
    EXPECT_EQ(LegatoTest::readAll(dir.file("A - One.mp3")), Audio());
}

TEST(BatchRun, APathWithOrWithoutTrailingSlashFindsTheSameFiles)
{
    LegatoTest::TempDir dir;
    dir.write("A - One.mp3", Audio());
    const QStringList plain = Names(RunOver(Q(dir.path()), Settings(1, true)));
    const QStringList slashed = Names(RunOver(Q(dir.path() + "/"), Settings(1, true)));
    EXPECT_EQ(plain, slashed);
    EXPECT_EQ(plain.size(), 1);
}

TEST(BatchRun, AStartDirectoryThatDoesNotExistFindsNothing)
{
    LegatoTest::TempDir dir;
    const Recorded recorded = RunOver(Q(dir.file("nowhere")), Settings(1, false));
    EXPECT_TRUE(recorded.outcomes.empty());
    EXPECT_EQ(recorded.messages.size(), 1);
}
