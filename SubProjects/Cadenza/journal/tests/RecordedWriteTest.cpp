// A single file changed the way the windows change it, and the undo the
// windows offer: recorded first, refused without a journal, put back whole.
#include "RecordedWrite.h"
#include "UndoReport.h"

#include "Id3v2Bytes.h"
#include "TempDir.h"

#include "OtherTags/OtherTags.h"

#include "Quaver/FileHandler.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

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

namespace {

std::vector<std::string> names(const std::string& folder)
{
    std::vector<std::string> found;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        found.push_back(entry.path().filename().string());
    std::sort(found.begin(), found.end());
    return found;
}

// A file with an ID3v2.3 tag without padding, audio, a TAG+ block continuing
// the trailer's title, and the trailer.
std::string taggedFile(std::string& audio)
{
    audio.assign(5000, '\0');
    for (std::size_t i = 0; i < audio.size(); ++i)
        audio[i] = static_cast<char>(i * 7 + 1);
    std::string extended = "TAG+" + std::string("s continued") + std::string(49, '\0');
    extended.resize(227, '\0');
    std::string trailer = "TAGA title of exactly thirty char";
    trailer.resize(128, '\0');
    trailer[127] = '\xFF'; // no genre
    return LegatoTest::Id3v23({{"TIT2", "Front"}}) + audio + extended + trailer;
}

} // namespace

TEST_F(RecordedWriteTest, AnId3v2WriteKeepsTheAudioAndModeAndIsUndoneByteForByte)
{
    std::string audio;
    const std::string file = dir.write("song.mp3", taggedFile(audio));
    ASSERT_EQ(chmod(file.c_str(), 0640), 0);
    const std::string original = LegatoTest::readAll(file);

    auto save = retitled(file, "A title of exactly thirty chars and more");
    ASSERT_EQ(RecordedWrite(save, Change::Save, folder, OtherTags::Id3v2Sync::Update),
              RecordedResult::Written);
    const std::string saved = LegatoTest::readAll(file);
    const auto front = static_cast<std::size_t>(OtherTags::Id3v2Length(saved));
    ASSERT_GT(front, 0u);
    EXPECT_EQ(saved.substr(front, audio.size()), audio);
    EXPECT_EQ(saved.substr(front + audio.size(), 4 + 15), "TAG+s and more" + std::string(5, '\0'));
    const auto found = OtherTags::Read(file);
    ASSERT_FALSE(found.empty());
    EXPECT_EQ(found.front().Values.Title, "A title of exactly thirty chars and more");
    struct stat info
    {
    };
    ASSERT_EQ(stat(file.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);

    EXPECT_EQ(UndoLast(SaveKinds(), "Legato", journal).Box.text, "Files restored: 1");
    EXPECT_EQ(LegatoTest::readAll(file), original);
    EXPECT_EQ(names(dir.path()), (std::vector<std::string>{"song.mp3", "state"}));
}

TEST_F(RecordedWriteTest, AHardLinkedFileIsWrittenInPlaceOnlyWhenItsTagKeepsItsLength)
{
    std::string audio;
    const std::string file = dir.write("song.mp3", taggedFile(audio));
    ASSERT_EQ(link(file.c_str(), dir.file("link.mp3").c_str()), 0);
    const std::string original = LegatoTest::readAll(file);

    auto grow = retitled(file, "A much longer title than the tag has room for");
    ASSERT_EQ(RecordedWrite(grow, Change::Save, folder, OtherTags::Id3v2Sync::Update),
              RecordedResult::Failed);
    EXPECT_NE(grow.LastError()->Description().find("2 hard links"), std::string::npos)
        << grow.LastError()->Description();
    EXPECT_EQ(LegatoTest::readAll(file), original);
    EXPECT_FALSE(journal.Last());

    auto same = retitled(file, "Fronz"); // as long as "Front"
    ASSERT_EQ(RecordedWrite(same, Change::Save, folder, OtherTags::Id3v2Sync::Update),
              RecordedResult::Written);
    EXPECT_EQ(LegatoTest::readAll(dir.file("link.mp3")), LegatoTest::readAll(file));
    EXPECT_EQ(OtherTags::Read(file).front().Values.Title, "Fronz");
}

TEST_F(RecordedWriteTest, UndoPutsBackASpliceStoppedBetweenItsTwoEnds)
{
    const std::string file = dir.write("song.mp3", "FRONT" + std::string(300, 'a') + "BACK");
    const std::string original = LegatoTest::readAll(file);
    Splice splice{static_cast<std::int64_t>(original.size()), "FRONT", "front", "BACK", "back and more"};
    {
        const auto run = JournalRun::Begin(folder, "write", file);
        run->Intend(file, ReadFileEnd(file), splice);
        run->Sync();
    }
    // Killed after the front was written in place, before the back.
    dir.write("song.mp3", "front" + original.substr(5));
    const auto undone = journal.Undo(journal.Last()->id);
    ASSERT_EQ(undone.size(), 1u);
    EXPECT_EQ(undone[0].result, UndoResult::Restored) << undone[0].reason;
    EXPECT_EQ(LegatoTest::readAll(file), original);
}

TEST_F(RecordedWriteTest, ATrailerWriteAloneKeepsATagPlusBlockInStep)
{
    std::string audio;
    const std::string file = dir.write("song.mp3", taggedFile(audio));
    const std::string original = LegatoTest::readAll(file);
    auto save = retitled(file, "A title of exactly thirty char, new end");
    ASSERT_EQ(RecordedWrite(save, Change::Save, folder), RecordedResult::Written);
    const std::string saved = LegatoTest::readAll(file);
    ASSERT_EQ(saved.size(), original.size());
    EXPECT_EQ(saved.substr(0, saved.size() - 355), original.substr(0, original.size() - 355));
    EXPECT_EQ(saved.substr(saved.size() - 355, 14), "TAG+, new end" + std::string(1, '\0'));
    EXPECT_EQ(UndoLast(SaveKinds(), "Legato", journal).Box.text, "Files restored: 1");
    EXPECT_EQ(LegatoTest::readAll(file), original);
}
