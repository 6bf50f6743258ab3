// The undo journal at its own layer: what a run records, what undo puts back,
// and that a damaged journal or a changed file is reported, never guessed at.
#include "UndoJournal.h"

#include "TempDir.h"

#include "Platform/RuntimeError.h"

#include <algorithm>
#include <fcntl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace Journal;

namespace {

std::string trailer(char fill)
{
    std::string t = "TAG" + std::string(125, fill);
    return t;
}

Trailer block(char fill)
{
    Trailer b{};
    const std::string t = trailer(fill);
    std::copy(t.begin(), t.end(), b.begin());
    return b;
}

// Writes the trailer block the way a tag write does, recording it first.
void journaledWrite(JournalRun& run, const std::string& name, char fill)
{
    const FileEnd before = ReadFileEnd(name);
    const FileEnd after = AfterWrite(before, block(fill));
    const int entry = run.Intend(name, before, after);
    run.Sync();
    std::string bytes = LegatoTest::readAll(name);
    bytes.resize(static_cast<std::size_t>(before.hasTrailer ? before.size - 128 : before.size));
    std::ofstream(name, std::ios::binary | std::ios::trunc) << bytes << trailer(fill);
    run.Done(entry, name);
}

struct JournalTest : ::testing::Test
{
    LegatoTest::TempDir dir;
    std::string folder = dir.file("state/legato");
};

} // namespace

TEST_F(JournalTest, UndoPutsEveryKindOfFileBackByteForByte)
{
    const std::string tagged = dir.write("tagged.mp3", std::string(1000, 'a') + trailer('o'));
    const std::string plain = dir.write("plain.mp3", std::string(1000, 'b'));
    const std::string tiny = dir.write("tiny.mp3", trailer('x')); // 128 bytes: no trailer by the rule
    const std::string removed = dir.write("removed.mp3", std::string(300, 'c') + trailer('r'));
    const auto originals = std::vector{LegatoTest::readAll(tagged), LegatoTest::readAll(plain),
                                       LegatoTest::readAll(tiny), LegatoTest::readAll(removed)};

    auto run = JournalRun::Begin(folder, "write", "three files");
    journaledWrite(*run, tagged, 'n');
    journaledWrite(*run, plain, 'n');
    journaledWrite(*run, tiny, 'n');
    journaledWrite(*run, tagged, 'm'); // the same file twice in one run
    run->Finish();
    // A later run removes two trailers; undoing it first lets the first run undo too.
    auto removal = JournalRun::Begin(folder, "remove", "two files");
    for (const std::string& name : {removed, tagged}) {
        const FileEnd before = ReadFileEnd(name);
        removal->Intend(name, before, AfterRemove(before));
        removal->Sync();
        ASSERT_EQ(truncate(name.c_str(), before.size - 128), 0);
    }
    removal->Finish();
    const int first = run->Id(), second = removal->Id();
    run.reset(); // closing a run lets undo take it
    removal.reset();
    ASSERT_EQ(LegatoTest::readAll(tiny).size(), 256u);

    UndoJournal journal(folder);
    const auto last = journal.Last({"write"});
    ASSERT_TRUE(last);
    EXPECT_EQ(last->description, "three files");
    EXPECT_EQ(last->files, 4);
    EXPECT_TRUE(last->finished);
    ASSERT_EQ(journal.Last()->id, second);

    for (const int id : {second, first})
        for (const FileUndo& result : journal.Undo(id))
            EXPECT_EQ(result.result, UndoResult::Restored) << result.name << ": " << result.reason;
    EXPECT_EQ(LegatoTest::readAll(tagged), originals[0]);
    EXPECT_EQ(LegatoTest::readAll(plain), originals[1]);
    EXPECT_EQ(LegatoTest::readAll(tiny), originals[2]);
    EXPECT_EQ(LegatoTest::readAll(removed), originals[3]);

    EXPECT_FALSE(journal.Last());
    EXPECT_THROW(journal.Undo(last->id), Platform::RuntimeError);
}

TEST_F(JournalTest, FileChangedSinceTheRunIsNotTouched)
{
    const std::string retagged = dir.write("retagged.mp3", std::string(500, 'a'));
    const std::string touched = dir.write("touched.mp3", std::string(500, 'b'));
    const std::string kept = dir.write("kept.mp3", std::string(500, 'c'));
    auto run = JournalRun::Begin(folder, "batch", dir.path());
    journaledWrite(*run, retagged, 'n');
    journaledWrite(*run, touched, 'n');
    journaledWrite(*run, kept, 'n');
    run->Finish();
    const int id = run->Id();
    run.reset();

    // Another program writes another tag, or the same bytes later.
    std::ofstream(retagged, std::ios::binary | std::ios::trunc) << std::string(500, 'a') << trailer('z');
    const std::string same = LegatoTest::readAll(touched);
    const timespec later[2] = {{0, UTIME_OMIT}, {time(nullptr) + 60, 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, touched.c_str(), later, 0), 0);

    const auto results = UndoJournal(folder).Undo(id);
    ASSERT_EQ(results.size(), 3u);
    EXPECT_EQ(results[0].result, UndoResult::Restored); // newest first: kept.mp3
    EXPECT_EQ(results[1].result, UndoResult::ChangedSince);
    EXPECT_EQ(results[2].result, UndoResult::ChangedSince);
    EXPECT_EQ(LegatoTest::readAll(kept), std::string(500, 'c'));
    EXPECT_EQ(LegatoTest::readAll(touched), same);
    EXPECT_EQ(LegatoTest::readAll(retagged), std::string(500, 'a') + trailer('z'));
}

TEST_F(JournalTest, InterruptedRunUndoesWhatWasDone)
{
    const std::string written = dir.write("written.mp3", std::string(400, 'a'));
    const std::string pending = dir.write("pending.mp3", std::string(400, 'b'));
    {
        auto run = JournalRun::Begin(folder, "batch", dir.path());
        journaledWrite(*run, written, 'n');
        const FileEnd before = ReadFileEnd(pending);
        run->Intend(pending, before, AfterWrite(before, block('n')));
        run->Sync();
        // The process dies here: no Done for pending.mp3, no end of the run.
    }
    // A crash may also cut the last line in half.
    const std::string path = folder + "/run-000001.journal";
    std::ofstream(path, std::ios::binary | std::ios::app) << "D\t2\t17";

    UndoJournal journal(folder);
    const auto runs = journal.List();
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_FALSE(runs[0].finished);
    EXPECT_EQ(runs[0].problem, "");
    const auto results = journal.Undo(1);
    ASSERT_EQ(results.size(), 2u);
    EXPECT_EQ(results[0].result, UndoResult::AlreadyAsBefore);
    EXPECT_EQ(results[1].result, UndoResult::Restored);
    EXPECT_EQ(LegatoTest::readAll(written), std::string(400, 'a'));
}

TEST_F(JournalTest, DamagedJournalsAreReportedAndOtherRunsStillUndo)
{
    const std::string file = dir.write("song.mp3", std::string(200, 'a'));
    auto first = JournalRun::Begin(folder, "write", "first");
    journaledWrite(*first, file, 'n');
    first->Finish();
    first.reset();
    // A flipped byte in the first run's record, a foreign file beside it.
    std::string text = LegatoTest::readAll(folder + "/run-000001.journal");
    text[text.find("\nF\t") + 5] ^= 1;
    std::ofstream(folder + "/run-000001.journal", std::ios::binary | std::ios::trunc) << text;
    std::ofstream(folder + "/run-000002.journal") << "hello\n";

    auto second = JournalRun::Begin(folder, "write", "second");
    EXPECT_EQ(second->Id(), 3);
    journaledWrite(*second, file, 'm');
    second->Finish();
    second.reset();

    UndoJournal journal(folder);
    const auto runs = journal.List();
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[0].problem, "1 damaged line(s)");
    EXPECT_NE(runs[1].problem, "");
    const auto results = journal.Undo(3);
    ASSERT_EQ(results.size(), 1u);
    EXPECT_EQ(results[0].result, UndoResult::Restored);
    EXPECT_EQ(LegatoTest::readAll(file), std::string(200, 'a') + trailer('n'));
    EXPECT_THROW(journal.Undo(2), Platform::RuntimeError);
}

TEST_F(JournalTest, UnwritableFolderRefusesTheRunWithItsReason)
{
    dir.write("state", "a file where the folder should be");
    try {
        JournalRun::Begin(folder, "write", "x");
        FAIL() << "a run began without a journal";
    } catch (const Platform::RuntimeError& error) {
        EXPECT_NE(error.Description().find("Cannot write the undo journal in " + folder), std::string::npos);
    }
}

TEST_F(JournalTest, OldRunsArePrunedAndConcurrentRunsGetTheirOwnNumbers)
{
    std::vector<int> ids(8);
    std::vector<std::thread> threads;
    for (std::size_t i = 0; i < ids.size(); ++i)
        threads.emplace_back([&, i] { ids[i] = JournalRun::Begin(folder, "write", "x")->Id(); });
    for (auto& thread : threads)
        thread.join();
    std::sort(ids.begin(), ids.end());
    EXPECT_EQ(std::adjacent_find(ids.begin(), ids.end()), ids.end());

    UndoJournal journal(folder);
    journal.Prune(0, 3);
    auto runs = journal.List();
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs.front().id, 6);
    journal.Prune(8, 100, 1); // byte bound: only the spared run stays
    runs = journal.List();
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].id, 8);
}

TEST_F(JournalTest, ReadingTheEndOfAPipeOrFolderFailsWithoutWaiting)
{
    // A pipe without a writer would hold a plain open forever.
    const std::string pipe = dir.file("pipe.mp3");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_THROW(ReadFileEnd(pipe), Platform::RuntimeError);
    EXPECT_THROW(ReadFileEnd(dir.path()), Platform::RuntimeError);
}

TEST_F(JournalTest, AFileRecordIsWrittenAsEarlierVersionsWroteIt)
{
    // Runs recorded by an earlier version are undone by a later one, so the
    // record's bytes may not change.
    FileEnd before;
    before.size = 1668;
    before.modifiedSeconds = 1700000000;
    before.modifiedNanoseconds = 123456789;
    const FileEnd after = AfterWrite(before, block('x'));
    FileEnd tagged = after;
    tagged.modifiedNanoseconds = 5;
    auto run = JournalRun::Begin(folder, "batch", "/music");
    EXPECT_EQ(run->Intend("/music/a b.mp3", before, after), 1);
    EXPECT_EQ(run->Intend("/music/c.mp3", tagged, after), 2);
    run->Done(1, 1700000001, 42);
    run->Write();
    const std::string text = LegatoTest::readAll(folder + "/run-000001.journal");
    // "TAG" and 125 times 'x', in base64.
    std::string tag = "VEFH";
    for (int i = 0; i < 41; ++i)
        tag += "eHh4";
    tag += "eHg=";
    EXPECT_NE(text.find("\nF\t1\tL211c2ljL2EgYi5tcDM=\t1668\t-\t1700000000.123456789\t1796\t"
                        "7e3ad55cb4c63a61\t76a314c1\n"
                        "F\t2\tL211c2ljL2MubXAz\t1796\t" +
                        tag +
                        "\t0.5\t1796\t7e3ad55cb4c63a61\tac11dad5\n"
                        "D\t1\t1700000001\t42\tf812f784\n"),
              std::string::npos)
        << text;
}
