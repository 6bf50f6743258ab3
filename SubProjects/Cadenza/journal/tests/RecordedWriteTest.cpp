// A single file changed the way the windows change it, and the undo the
// windows offer: recorded first, refused without a journal, put back whole.
#include "RecordedWrite.h"
#include "UndoReport.h"

#include "TempDir.h"

#include "Quaver/FileHandler.h"

#include <gtest/gtest.h>

using namespace Journal;

namespace {

struct RecordedWriteTest : ::testing::Test
{
    LegatoTest::TempDir dir;
    std::string folder = dir.file("state/legato");
    UndoJournal journal{folder};

    // A handler for name holding the file's tag with a new title.
    Quaver::FileHandler retitled(const std::string& name, const std::string& title)
    {
        Quaver::FileHandler handler;
        handler.setFileName(name);
        handler.ReadTag();
        handler.ID3v1xTag()->setTitle(title);
        handler.ID3v1xTag()->setTagType(Quaver::ID3V11);
        return handler;
    }
};

} // namespace

TEST_F(RecordedWriteTest, SaveAndRemoveAreRecordedAndUndoneNewestFirst)
{
    const std::string file = dir.write("a.mp3", std::string(1000, 'a'));
    const std::string original = LegatoTest::readAll(file);

    auto save = retitled(file, "New");
    ASSERT_EQ(RecordedWrite(save, Change::Save, folder), RecordedResult::Written);
    const std::string saved = LegatoTest::readAll(file);
    ASSERT_EQ(saved.size(), 1128u);
    const auto last = journal.Last(SaveKinds());
    ASSERT_TRUE(last);
    EXPECT_EQ(last->kind, "save");
    EXPECT_EQ(last->description, file);
    EXPECT_TRUE(last->finished);

    Quaver::FileHandler remove;
    remove.setFileName(file);
    ASSERT_EQ(RecordedWrite(remove, Change::Remove, folder), RecordedResult::Written);
    EXPECT_EQ(LegatoTest::readAll(file), original);
    EXPECT_FALSE(journal.Last(BatchKinds())); // neither run is a batch run

    const auto undoRemove = UndoLast(SaveKinds(), "Legato", journal);
    EXPECT_EQ(undoRemove.Box.text, "Files restored: 1");
    EXPECT_EQ(undoRemove.Box.caption, "Legato");
    EXPECT_EQ(undoRemove.Restored, std::vector<std::string>{file});
    EXPECT_EQ(LegatoTest::readAll(file), saved);
    UndoLast(SaveKinds(), "Legato", journal);
    EXPECT_EQ(LegatoTest::readAll(file), original);
    EXPECT_EQ(UndoLast(SaveKinds(), "Legato", journal).Box.text, "There is nothing to undo.");
}

TEST_F(RecordedWriteTest, NothingIsRecordedForAChangeThatDoesNotHappen)
{
    const std::string plain = dir.write("plain.mp3", std::string(1000, 'p'));
    Quaver::FileHandler remove;
    remove.setFileName(plain);
    EXPECT_EQ(RecordedWrite(remove, Change::Remove, folder), RecordedResult::NoTrailer);

    // A record the library refuses to write: the file stays, and so no run does.
    auto unknown = retitled(plain, "X");
    unknown.ID3v1xTag()->setTagType(Quaver::ID3Unknown);
    EXPECT_EQ(RecordedWrite(unknown, Change::Save, folder), RecordedResult::Failed);
    EXPECT_EQ(unknown.LastError()->Description(), "Tag unknown.");
    EXPECT_EQ(LegatoTest::readAll(plain), std::string(1000, 'p'));
    EXPECT_TRUE(journal.List().empty());
}

TEST_F(RecordedWriteTest, UnwritableJournalLeavesTheFileUntouchedAndSaysWhy)
{
    dir.write("state", "a file where the folder should be");
    const std::string file = dir.write("a.mp3", std::string(1000, 'a'));
    for (const Change change : {Change::Save, Change::Remove}) {
        auto handler = retitled(file, "New");
        if (change == Change::Remove) {
            ASSERT_TRUE(handler.WriteTag()); // a trailer to remove
        }
        const std::string before = LegatoTest::readAll(file);
        EXPECT_EQ(RecordedWrite(handler, change, folder), RecordedResult::Failed);
        EXPECT_EQ(LegatoTest::readAll(file), before);
        EXPECT_NE(handler.LastError()->Description().find("Cannot write the undo journal in " + folder),
                  std::string::npos);
    }
}

TEST_F(RecordedWriteTest, UndoBoxListsEachFileLeftUntouchedWithItsReason)
{
    const std::string file = dir.write("a.mp3", std::string(1000, 'a'));
    auto save = retitled(file, "New");
    ASSERT_EQ(RecordedWrite(save, Change::Save, folder), RecordedResult::Written);
    dir.write("a.mp3", std::string(900, 'b')); // changed by another program since

    const auto report = UndoLast(SaveKinds(), "Legato", journal);
    EXPECT_EQ(report.Box.text,
              "Files restored: 0\r\n\r\nFiles not touched: 1\r\n" + file + ": changed since the run");
    EXPECT_EQ(report.Box.icon, Platform::MsgIcon::Warning);
    EXPECT_TRUE(report.Restored.empty());
    EXPECT_EQ(LegatoTest::readAll(file), std::string(900, 'b'));
}

TEST_F(RecordedWriteTest, SeveralSavesAreOneRunAndAFailedFileStopsNoOther)
{
    const std::string a = dir.write("a.mp3", std::string(1000, 'a'));
    const std::string b = dir.write("b.mp3", std::string(1000, 'b'));
    std::vector<Quaver::FileHandler> handlers{retitled(a, "A"), retitled(dir.file("gone.mp3"), "G"),
                                              retitled(b, "B")};
    const auto results = RecordedWrites(handlers, folder);
    EXPECT_EQ(results, (std::vector<RecordedResult>{RecordedResult::Written, RecordedResult::Failed,
                                                    RecordedResult::Written}));
    EXPECT_EQ(handlers[1].LastError()->Description(), "File does not exist.");
    const auto runs = journal.List();
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].kind, "save");
    EXPECT_EQ(runs[0].description, a + " and 2 more");
    EXPECT_EQ(runs[0].files, 2);

    EXPECT_EQ(UndoLast(SaveKinds(), "Legato", journal).Box.text, "Files restored: 2");
    EXPECT_EQ(LegatoTest::readAll(a), std::string(1000, 'a'));
    EXPECT_EQ(LegatoTest::readAll(b), std::string(1000, 'b'));

    // Without a journal no file is touched, and each says why.
    dir.write("blocked", "a file where the folder should be");
    std::vector<Quaver::FileHandler> refused{retitled(a, "A"), retitled(b, "B")};
    EXPECT_EQ(RecordedWrites(refused, dir.file("blocked/legato")),
              (std::vector<RecordedResult>{RecordedResult::Failed, RecordedResult::Failed}));
    EXPECT_EQ(LegatoTest::readAll(a), std::string(1000, 'a'));
    EXPECT_NE(refused[1].LastError()->Description().find("Cannot write the undo journal"), std::string::npos);
}
