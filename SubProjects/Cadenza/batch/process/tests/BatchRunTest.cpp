#include "BatchRun.h"
#include "BatchFixtures.h"
#include "BatchMessages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sys/inotify.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace BatchFixtures;

namespace {

struct Recorded
{
    QStringList messages;
    QStringList progress;
    std::vector<BatchOutcome> outcomes;
};

Recorded RunOver(const std::string& path, const BatchSettings& settings)
{
    Recorded recorded;
    BatchRun run;
    QObject::connect(&run, &BatchRun::ShowMessage, [&](const QString& m) { recorded.messages << m; });
    QObject::connect(&run, &BatchRun::ShowProgress, [&](const QString& m) { recorded.progress << m; });
    QObject::connect(&run, &BatchRun::FileProcessed, [&](const BatchOutcome& o) {
        EXPECT_TRUE(run.IsRunning());
        recorded.outcomes.push_back(o);
    });
    run.Run(path, settings);
    EXPECT_FALSE(run.IsRunning());
    return recorded;
}

std::vector<std::string> Names(const Recorded& recorded)
{
    std::vector<std::string> names;
    for (const BatchOutcome& o : recorded.outcomes)
        names.push_back(o.FileName);
    return names;
}

// A status text as the run shows it; the temporary folders' names are ASCII.
QString Text(const std::string& text)
{
    return QString::fromStdString(text);
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

    const Recorded recorded = RunOver(dir.path(), Settings(1, true));
    EXPECT_EQ(Names(recorded),
              (std::vector<std::string>{dir.path() + "/A - One.mp3", dir.path() + "/sub/B - Two.MP3"}));
    for (const BatchOutcome& o : recorded.outcomes)
        EXPECT_EQ(o.Message, "Testmode: Don't write Tag.");
    EXPECT_EQ(recorded.outcomes[0].RelativeName, "A - One.mp3");
    EXPECT_EQ(recorded.outcomes[1].RelativeName, "sub/B - Two.MP3");
    ASSERT_FALSE(recorded.messages.isEmpty());
    EXPECT_EQ(recorded.messages.first(), Text("Searching " + dir.path() + "/"));
    EXPECT_EQ(LegatoTest::readAll(dir.file("A - One.mp3")), Audio());
}

TEST(BatchRun, NamesThatAreNotUtf8ReachTheFileAndTheOutcomeByteForByte)
{
    LegatoTest::TempDir dir;
    mkdir(dir.file("caf\xE9").c_str(), 0755);
    const std::string file = dir.write("caf\xE9/Art\xFF - Title.mp3", Audio());
    const Recorded recorded = RunOver(dir.path(), Settings(1, false));
    ASSERT_EQ(recorded.outcomes.size(), 1u);
    EXPECT_EQ(recorded.outcomes[0].FileName, file);
    EXPECT_EQ(recorded.outcomes[0].RelativeName, "caf\xE9/Art\xFF - Title.mp3");
    EXPECT_EQ(recorded.outcomes[0].Message, "New Tag.");
    EXPECT_EQ(LegatoTest::readAll(file).size(), Audio().size() + 128) << "the tag went to that very file";
}

TEST(BatchRun, APathWithOrWithoutTrailingSlashFindsTheSameFiles)
{
    LegatoTest::TempDir dir;
    dir.write("A - One.mp3", Audio());
    const auto plain = Names(RunOver(dir.path(), Settings(1, true)));
    const auto slashed = Names(RunOver(dir.path() + "/", Settings(1, true)));
    EXPECT_EQ(plain, slashed);
    EXPECT_EQ(plain.size(), 1u);
}

TEST(BatchRun, AStartDirectoryThatDoesNotExistFindsNothing)
{
    LegatoTest::TempDir dir;
    const Recorded recorded = RunOver(dir.file("nowhere"), Settings(1, false));
    EXPECT_TRUE(recorded.outcomes.empty());
    EXPECT_EQ(recorded.messages.size(), 1);
}

TEST(BatchRun, ProgressCountsTheFilesDoneAsEachFolderIsEntered)
{
    LegatoTest::TempDir dir;
    dir.write("Artist - Album - 01.Title.mp3", Audio());
    dir.write("NoMatch.mp3", Audio());
    mkdir(dir.file("sub").c_str(), 0755);
    const Recorded recorded = RunOver(dir.path(), Settings(0, true));
    // A slow machine may add a message after a file; the folders' ones come always.
    ASSERT_GE(recorded.progress.size(), 2);
    EXPECT_EQ(recorded.progress.first(), Text("0 files: 0 Ok, 0 Error - Searching " + dir.path() + "/"));
    EXPECT_EQ(recorded.progress.last(), Text("2 files: 1 Ok, 1 Error - Searching " + dir.path() + "/sub/"));
}

TEST(BatchRun, ACancelledRunEndsAfterTheFileInHandAndTouchesNoOther)
{
    LegatoTest::TempDir dir;
    dir.write("A - One.mp3", Audio());
    mkdir(dir.file("sub").c_str(), 0755);
    dir.write("sub/B - Two.mp3", Audio());
    BatchRun run;
    run.Cancel(); // between runs: no effect on the next one
    int processed = 0;
    QStringList progress;
    QObject::connect(&run, &BatchRun::ShowProgress, [&](const QString& m) { progress << m; });
    QObject::connect(&run, &BatchRun::FileProcessed, [&](const BatchOutcome&) {
        if (++processed == 1)
            run.Cancel();
    });
    const BatchSettings settings = Settings(1, false);
    run.Run(dir.path(), settings);

    EXPECT_EQ(processed, 1);
    EXPECT_TRUE(run.WasCancelled());
    EXPECT_EQ(run.Counts().Done, 1);
    EXPECT_EQ(run.Counts().Ok, 1);
    EXPECT_EQ(progress.size(), 1) << "no progress once cancelled";
    EXPECT_NE(LegatoTest::readAll(dir.file("A - One.mp3")), Audio()) << "the file in hand is written";
    EXPECT_EQ(LegatoTest::readAll(dir.file("sub/B - Two.mp3")), Audio());

    processed = 1; // the handler cancels no more
    run.Run(dir.path(), settings);
    EXPECT_FALSE(run.WasCancelled());
    EXPECT_EQ(run.Counts().Done, 2);
    EXPECT_NE(LegatoTest::readAll(dir.file("sub/B - Two.mp3")), Audio());
}

TEST(BatchRun, AnExceptionFromAHandlerEndsTheRunAndAllowsTheNext)
{
    LegatoTest::TempDir dir;
    dir.write("A - One.mp3", Audio());
    BatchRun run;
    const auto thrower =
        QObject::connect(&run, &BatchRun::FileProcessed, [](const BatchOutcome&) { throw std::bad_alloc(); });
    EXPECT_THROW(run.Run(dir.path(), Settings(1, true)), std::bad_alloc);
    EXPECT_FALSE(run.IsRunning());

    QObject::disconnect(thrower);
    run.Run(dir.path(), Settings(1, true));
    EXPECT_EQ(run.Counts().Done, 1) << "a later run is not refused";
}

TEST(BatchRun, FolderProblemNamesAMissingFileOrEmptyPath)
{
    LegatoTest::TempDir dir;
    const std::string file = dir.write("A - One.mp3", Audio());
    EXPECT_EQ(BatchRun::FolderProblem(dir.path()), "");
    EXPECT_EQ(BatchRun::FolderProblem(dir.path() + "/"), "");
    EXPECT_EQ(BatchRun::FolderProblem(""), "No folder chosen.");
    EXPECT_EQ(BatchRun::FolderProblem(dir.file("gone")),
              Text("The folder \"" + dir.file("gone") + "\" does not exist."));
    EXPECT_EQ(BatchRun::FolderProblem(file), Text("\"" + file + "\" is not a folder."));
    mkdir(dir.file("closed").c_str(), 0);
    if (geteuid() != 0) { // modes do not stop root
        EXPECT_EQ(BatchRun::FolderProblem(dir.file("closed")),
                  Text("The folder \"" + dir.file("closed") + "\" cannot be read: Permission denied"));
    }
    chmod(dir.file("closed").c_str(), 0755);
}

TEST(BatchRun, AWritingRunIsRecordedAndUndoneWhileTestModeRecordsNothing)
{
    LegatoTest::TempDir dir;
    dir.write("A - One.mp3", Audio());
    mkdir(dir.file("sub").c_str(), 0755);
    dir.write("sub/B - Two.mp3", Audio() + "TAG" + std::string(125, 'x'));
    const std::string old = LegatoTest::readAll(dir.file("sub/B - Two.mp3"));
    setenv("XDG_STATE_HOME", dir.file("state").c_str(), 1);
    Journal::UndoJournal journal;

    RunOver(dir.path(), Settings(1, true));
    EXPECT_TRUE(journal.List().empty()) << "test mode records nothing";

    BatchSettings overwrite = Settings(1, false);
    overwrite.Overwrite = true;
    EXPECT_EQ(RunOver(dir.path(), overwrite).outcomes.size(), 2u);
    const auto last = journal.Last();
    ASSERT_TRUE(last);
    EXPECT_EQ(last->kind, "batch");
    EXPECT_EQ(last->files, 2);
    for (const Journal::FileUndo& file : journal.Undo(last->id))
        EXPECT_EQ(file.result, Journal::UndoResult::Restored) << file.name;
    EXPECT_EQ(LegatoTest::readAll(dir.file("A - One.mp3")), Audio());
    EXPECT_EQ(LegatoTest::readAll(dir.file("sub/B - Two.mp3")), old);

    // Without a journal nothing is written, and the run says why.
    dir.write("blocked", "");
    setenv("XDG_STATE_HOME", dir.file("blocked").c_str(), 1);
    BatchRun run;
    run.Run(dir.path(), overwrite);
    EXPECT_NE(run.Problem().indexOf("Cannot write the undo journal"), -1) << run.Problem().toStdString();
    EXPECT_EQ(run.Counts().Done, 0);
    EXPECT_EQ(LegatoTest::readAll(dir.file("A - One.mp3")), Audio());
    unsetenv("XDG_STATE_HOME");
}

TEST(BatchRun, ALongRunWithoutStatusWritesItsGroupsAlongsideAndReportsInOrder)
{
    // More files than a group, so groups are written on the writer thread
    // while the next is gathered, a folder named like a file among them. The
    // run keeps many files open at once (read ahead, gathered, in writing):
    // under a low limit on open files, it must stay within it.
    LegatoTest::TempDir dir;
    std::vector<std::string> names;
    for (int i = 0; i < 700; ++i)
        names.push_back(dir.write("A - " + std::to_string(1000 + i) + ".mp3", Audio()));
    mkdir(dir.file("z").c_str(), 0755);
    mkdir(dir.file("z/x.mp3").c_str(), 0755);
    names.push_back(dir.write("z/B - Two.mp3", Audio()));
    setenv("XDG_STATE_HOME", dir.file("state").c_str(), 1);

    BatchRun run;
    run.SetReportEachFolderFirst(false);
    std::vector<std::string> reported;
    QObject::connect(&run, &BatchRun::FileProcessed, [&](const BatchOutcome& o) {
        EXPECT_EQ(o.Message, "New Tag.") << o.FileName;
        reported.push_back(o.FileName);
    });
    // The run raises a low soft limit where it may, so the hard one is
    // lowered too where it can be raised again afterwards.
    rlimit files{};
    ASSERT_EQ(getrlimit(RLIMIT_NOFILE, &files), 0);
    const rlimit before = files;
    files.rlim_cur = 64;
    if (geteuid() == 0)
        files.rlim_max = 64;
    ASSERT_EQ(setrlimit(RLIMIT_NOFILE, &files), 0);
    run.Run(dir.path(), Settings(1, false));
    setrlimit(RLIMIT_NOFILE, &before);
    std::vector<std::string> sorted = reported;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(sorted, names) << "every file once, the folder not at all";
    EXPECT_EQ(reported.back(), names.back()) << "in the order found";
    EXPECT_EQ(LegatoTest::readAll(names.front()).size(), Audio().size() + 128);

    Journal::UndoJournal journal;
    const auto last = journal.Last();
    ASSERT_TRUE(last);
    EXPECT_EQ(last->files, 701);
    for (const Journal::FileUndo& file : journal.Undo(last->id))
        EXPECT_EQ(file.result, Journal::UndoResult::Restored) << file.name;
    EXPECT_EQ(LegatoTest::readAll(names.back()), Audio());
    unsetenv("XDG_STATE_HOME");
}

TEST(BatchRun, ARunThatKeepsEveryTagOpensNoFileForWriting)
{
    // Programs that watch a music folder take a file closed after being open
    // for writing for a changed one; a run that keeps every tag changes none.
    LegatoTest::TempDir dir;
    for (int i = 0; i < 700; ++i)
        dir.write("A - " + std::to_string(i) + ".mp3", Audio() + "TAG" + std::string(125, 'x'));
    setenv("XDG_STATE_HOME", dir.file("state").c_str(), 1);
    const int watch = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    ASSERT_GE(watch, 0);
    ASSERT_GE(inotify_add_watch(watch, dir.path().c_str(), IN_CLOSE_WRITE), 0);

    const Recorded recorded = RunOver(dir.path(), Settings(1, false));
    ASSERT_EQ(recorded.outcomes.size(), 700u);
    EXPECT_EQ(recorded.outcomes.back().Message, BatchMessages::TagExists());
    char events[4096];
    EXPECT_LT(read(watch, events, sizeof events), 0) << "a file was closed after writing";
    close(watch);
    unsetenv("XDG_STATE_HOME");
}
