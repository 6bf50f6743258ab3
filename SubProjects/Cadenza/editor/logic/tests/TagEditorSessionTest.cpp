#include "TagEditorSession.h"
#include "EditorTestFiles.h"
#include "EditorTexts.h"
#include "Id3v2Bytes.h"
#include "OtherTags/OtherTags.h"
#include "StateHome.h"

#include "Id3v2Bytes.h"
#include "Platform/MessageBox.h"
#include "Platform/RuntimeError.h"
#include "Quaver/FileHandler.h"
#include "UndoReport.h"
#include <filesystem>
#include <gtest/gtest.h>

using EditorTest::TagValues;
using LegatoTest::TempDir;

namespace {

EditorCommands commands(bool fields, bool list, bool edit, bool okCancelParse, bool remove = false)
{
    return {fields, list, edit, okCancelParse, remove};
}

} // namespace

TEST(TagEditorSession, ReadFileTagReportsWhatItFound)
{
    TempDir dir;
    auto v11 = TagEditorSession::ReadFileTag(
        EditorTest::writeTagged(dir, "Artist - Song.mp3", {"Song", "Artist", "", 3}));
    EXPECT_EQ(v11.BaseName, "Artist - Song");
    EXPECT_EQ(v11.Type, Quaver::ID3V11);
    EXPECT_EQ(v11.Status, EditorTexts::V11Found());
    ASSERT_TRUE(v11.Tag);
    EXPECT_EQ(v11.Tag->Track(), 3);

    TagValues v10values{"T", "", "", 0};
    v10values.type = Quaver::ID3V1;
    auto v10 = TagEditorSession::ReadFileTag(EditorTest::writeTagged(dir, "v10.mp3", v10values));
    EXPECT_EQ(v10.Status, EditorTexts::V10Found());

    for (const std::string& path : {EditorTest::writeUntagged(dir, "plain.mp3"), dir.file("gone.mp3")}) {
        auto none = TagEditorSession::ReadFileTag(path);
        EXPECT_EQ(none.Type, Quaver::ID3Unknown);
        EXPECT_EQ(none.Status, EditorTexts::NoTag());
        EXPECT_FALSE(none.Tag);
    }
    // Only a name with an extension has a base name to show.
    EXPECT_EQ(TagEditorSession::ReadFileTag(dir.file("noext")).BaseName, "");
    EXPECT_EQ(TagEditorSession::ReadFileTag(dir.file("a.b.mp3")).BaseName, "a.b");
}

TEST(TagEditorSession, CommandStatesThroughTheEditCycle)
{
    TempDir dir;
    const std::string file = EditorTest::writeTagged(dir, "a.mp3", {"Old", "", "", 1});
    TagEditorSession s;
    EXPECT_EQ(s.Commands(), commands(false, true, false, false));

    s.Choose(file);
    EXPECT_EQ(s.Commands(), commands(false, true, true, false, true));
    s.Edit();
    EXPECT_EQ(s.Commands(), commands(true, false, true, true));

    auto collected = EditorTest::stored(file);
    collected->setTitle("New");
    auto saved = s.Ok([&] { return collected; });
    EXPECT_EQ(saved.Result, TagEditorSession::SaveResult::Saved);
    EXPECT_EQ(saved.Status, EditorTexts::TagSaved());
    EXPECT_EQ(saved.Shown.Tag->Title(), "New");
    EXPECT_EQ(s.Commands(), commands(false, true, true, false, true));

    s.Edit();
    auto cancelled = s.Cancel();
    ASSERT_TRUE(cancelled);
    EXPECT_EQ(cancelled->Tag->Title(), "New");
    EXPECT_EQ(s.Commands(), commands(false, true, true, false, true));

    s.PanelShown();
    EXPECT_EQ(s.Commands(), commands(false, true, false, false));
}

TEST(TagEditorSession, FailedSaveShowsTheLibraryErrorAndKeepsEditing)
{
    TempDir dir;
    EditorTest::BusyFile busy(dir, "busy.mp3");
    TagEditorSession s;
    EXPECT_EQ(s.Choose(busy.path()).Status, EditorTexts::NoTag());
    s.Edit();
    Platform::MessageBoxRecorder boxes;
    auto tag = std::make_shared<Quaver::Tag>();
    tag->setTagType(Quaver::ID3V1);
    auto out = s.Ok([&] { return tag; });
    EXPECT_EQ(out.Result, TagEditorSession::SaveResult::Failed);
    EXPECT_EQ(out.Status, EditorTexts::TagNotSaved());
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].caption, "Quaver");
    EXPECT_EQ(boxes.boxes()[0].icon, Platform::MsgIcon::Critical);
    EXPECT_EQ(s.Commands(), commands(true, false, true, true));
}

TEST(TagEditorSession, FileDeletedAfterItWasChosen)
{
    TempDir dir;
    const std::string file = EditorTest::writeTagged(dir, "a.mp3", {"T", "", "", 1});
    TagEditorSession s;
    s.Choose(file);
    s.Edit();
    std::filesystem::remove(file);
    Platform::MessageBoxRecorder boxes;
    auto tag = std::make_shared<Quaver::Tag>();
    tag->setTagType(Quaver::ID3V1);
    EXPECT_EQ(s.Ok([&] { return tag; }).Status, EditorTexts::TagNotSaved());
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text, "Write Tag\r\nFile does not exist.");
    EXPECT_FALSE(std::filesystem::exists(file)) << "saving must not create the file again";
    EXPECT_EQ(s.Cancel()->Status, EditorTexts::NoTag());
}

TEST(TagEditorSession, OkWritesTheShownFileOnly)
{
    TempDir dir;
    TagEditorSession s;
    auto tag = std::make_shared<Quaver::Tag>();
    tag->setTagType(Quaver::ID3V1);
    // Nothing shown yet: nothing is written, and Edit goes off.
    auto none = s.Ok([&] { return tag; });
    EXPECT_EQ(none.Result, TagEditorSession::SaveResult::NoFile);
    EXPECT_EQ(none.Status, "");
    EXPECT_FALSE(s.Commands().Edit);

    const std::string shown = EditorTest::writeUntagged(dir, "shown.mp3");
    s.Choose(shown);
    s.Edit();
    tag->setTitle("Mine");
    EXPECT_EQ(s.Ok([&] { return tag; }).Result, TagEditorSession::SaveResult::Saved);
    EXPECT_EQ(EditorTest::stored(shown)->Title(), "Mine");
    EXPECT_EQ(s.ShownFile(), shown);
}

TEST(TagEditorSession, HidingDuringAnEditCancelsIt)
{
    TempDir dir;
    const std::string file = EditorTest::writeTagged(dir, "a.mp3", {"Kept", "", "", 2});
    TagEditorSession s;
    s.Choose(file);
    EXPECT_FALSE(s.PanelHidden()) << "no edit under way: nothing to restore";
    s.Edit();
    auto restored = s.PanelHidden();
    ASSERT_TRUE(restored);
    EXPECT_EQ(restored->Tag->Title(), "Kept");
    EXPECT_FALSE(s.Editing());
    s.PanelShown();
    EXPECT_EQ(s.Commands(), commands(false, true, false, false));
}

TEST(TagEditorSession, PlayFailureGivesTheFourLineBox)
{
    TagEditorSession s;
    auto box = s.Play(
        "/music/a.mp3",
        [](const std::string&) {
            throw Platform::RuntimeError(429, "Jukebox.API", "ActiveX component can't create object");
        },
        "Legato");
    ASSERT_TRUE(box);
    EXPECT_EQ(box->text, "Couldn't access Jukebox.\r\n"
                         "Please ensure that Jukebox.dll is registered and Jukebox is installed.\r\n"
                         "(Regsvr32 <Path>\\Jukebox.dll)\r\n"
                         "429 - Jukebox.API- ActiveX component can't create object");
    EXPECT_EQ(box->caption, "Legato");
    EXPECT_EQ(box->icon, Platform::MsgIcon::Warning);
    EXPECT_FALSE(s.PlayerStarted());
}

TEST(TagEditorSession, PlayHandsThePathToThePlayer)
{
    TagEditorSession s;
    std::string played;
    EXPECT_FALSE(s.Play(
        "/music/a b;$(x).mp3", [&](const std::string& p) { played = p; }, "Legato"));
    EXPECT_EQ(played, "/music/a b;$(x).mp3");
    EXPECT_TRUE(s.PlayerStarted());
}

TEST(TagEditorSession, SaveThatChangesTextAndLeavingWithEditsAskFirst)
{
    using Leave = TagEditorSession::LeaveChoice;
    TempDir dir;
    const std::string file = EditorTest::writeTagged(dir, "a.mp3", {"T", "", "", 1});
    TagEditorSession s;
    s.Choose(file);
    const TagFieldTexts shown = TagFieldTexts::fromTag(*EditorTest::stored(file));
    s.Edit(shown);
    {
        Platform::MessageBoxRecorder boxes;
        EXPECT_FALSE(s.CheckSave(shown, "Legato")) << "stored as shown";
        EXPECT_EQ(s.QueryLeave(shown, "Legato"), Leave::Leave) << "nothing typed since Edit";
        EXPECT_TRUE(boxes.boxes().empty());
    }
    TagFieldTexts typed = shown;
    typed.Artist = QString::fromUtf8("\u6771\u4EAC");
    {
        Platform::MessageBoxRecorder no(Platform::MsgResult::No);
        EXPECT_EQ(s.CheckSave(typed, "Legato"), TagField::Artist);
        EXPECT_EQ(s.QueryLeave(typed, "Legato"), Leave::Leave) << "No discards";
        ASSERT_EQ(no.boxes().size(), 2u);
        EXPECT_EQ(no.boxes()[0].buttons, Platform::MsgButtons::YesNo);
        EXPECT_EQ(no.boxes()[1].buttons, Platform::MsgButtons::YesNoCancel);
        EXPECT_EQ(no.boxes()[1].caption, "Legato");
        EXPECT_EQ(no.boxes()[1].text,
                  "The tag of \"a.mp3\" has been changed.\r\nSave the changes before leaving the "
                  "editor?");
    }
    {
        Platform::MessageBoxRecorder yes(Platform::MsgResult::Yes);
        EXPECT_FALSE(s.CheckSave(typed, "Legato"));
        EXPECT_EQ(s.QueryLeave(typed, "Legato"), Leave::Save);
    }
    Platform::MessageBoxRecorder cancel(Platform::MsgResult::Cancel);
    EXPECT_EQ(s.QueryLeave(typed, "Legato"), Leave::Stay);
    s.Cancel();
    EXPECT_EQ(s.QueryLeave(typed, "Legato"), Leave::Leave) << "no edit, nothing to lose";
    EXPECT_EQ(cancel.boxes().size(), 1u);
}

TEST(TagEditorSession, OkAndRemoveTagAreRecordedAndUndone)
{
    TempDir dir;
    const LegatoTest::StateHome state(dir.file("state"));
    const std::string file = EditorTest::writeTagged(dir, "a.mp3", {"Old", "", "", 1});
    TagEditorSession s;
    s.Choose(file);
    s.Edit();
    auto collected = EditorTest::stored(file);
    collected->setTitle("New");
    ASSERT_EQ(s.Ok([&] { return collected; }).Result, TagEditorSession::SaveResult::Saved);
    const auto save = Journal::UndoJournal().Last(Journal::SaveKinds());
    ASSERT_TRUE(save);
    EXPECT_EQ(save->kind, "save");
    EXPECT_EQ(save->description, file);

    Platform::MessageBoxRecorder yes(Platform::MsgResult::Yes);
    const auto removed = s.RemoveTag("Legato");
    ASSERT_EQ(yes.boxes().size(), 1u);
    EXPECT_EQ(yes.boxes()[0].text,
              "Remove the tag of \"a.mp3\"?\r\nEvery other byte of the file stays as it is.");
    EXPECT_EQ(yes.boxes()[0].buttons, Platform::MsgButtons::YesNo);
    EXPECT_EQ(removed.Result, TagEditorSession::RemoveResult::Removed);
    EXPECT_EQ(removed.Status, EditorTexts::TagRemoved());
    EXPECT_EQ(removed.Shown.Type, Quaver::ID3Unknown);
    EXPECT_FALSE(s.Commands().Remove);
    EXPECT_EQ(std::filesystem::file_size(file), 1000u);

    // Undone newest first; the fields follow the file, but never an edit.
    Journal::UndoLast(Journal::SaveKinds(), "Legato");
    s.Edit();
    EXPECT_FALSE(s.FilesRestored({file}));
    s.Cancel();
    const auto afterRemove = s.FilesRestored({dir.path() + "//./a.mp3"});
    ASSERT_TRUE(afterRemove && afterRemove->Tag);
    EXPECT_EQ(afterRemove->Tag->Title(), "New");
    EXPECT_TRUE(s.Commands().Remove);
    Journal::UndoLast(Journal::SaveKinds(), "Legato");
    EXPECT_EQ(EditorTest::stored(file)->Title(), "Old");
    EXPECT_FALSE(s.FilesRestored({dir.file("other.mp3")}));
}

TEST(TagEditorSession, OkWritesTheFieldsIntoTheId3v2TagOnlyWhenAsked)
{
    TempDir dir;
    const LegatoTest::StateHome state(dir.file("state"));
    const std::string file =
        dir.write("a.mp3", LegatoTest::Id3v23({{"TIT2", "Front"}}) + std::string(1000, 'a'));
    TagEditorSession s;
    s.Choose(file);
    s.Edit();
    auto collected = std::make_shared<Quaver::Tag>();
    collected->setTitle("Caf\u00E9 \u2603");
    collected->setTagType(Quaver::ID3V1);
    ASSERT_EQ(s.Ok([&] { return collected; }).Result, TagEditorSession::SaveResult::Saved);
    EXPECT_EQ(OtherTags::Read(file).front().Values.Title, "Front");

    s.SetAlsoId3v2(OtherTags::Id3v2Sync::Update);
    s.Edit();
    ASSERT_EQ(s.Ok([&] { return collected; }).Result, TagEditorSession::SaveResult::Saved);
    EXPECT_EQ(OtherTags::Read(file).front().Values.Title, "Caf\u00E9 \u2603");
    EXPECT_EQ(EditorTest::stored(file)->Title(), "Caf\u00E9 ?");
}

TEST(TagEditorSession, RemoveTagAsksFirstAndLeavesAFileWithoutATagAlone)
{
    TempDir dir;
    const LegatoTest::StateHome state(dir.file("state"));
    const std::string tagged = EditorTest::writeTagged(dir, "a.mp3", {"T", "", "", 1});
    TagEditorSession s;
    s.Choose(tagged);
    {
        Platform::MessageBoxRecorder no(Platform::MsgResult::No);
        EXPECT_EQ(s.RemoveTag("Legato").Result, TagEditorSession::RemoveResult::Declined);
        EXPECT_EQ(EditorTest::stored(tagged)->Title(), "T");
    }
    const std::string plain = EditorTest::writeUntagged(dir, "plain.mp3");
    s.Choose(plain);
    EXPECT_FALSE(s.Commands().Remove);
    Platform::MessageBoxRecorder yes(Platform::MsgResult::Yes);
    const auto out = s.RemoveTag("Legato");
    EXPECT_EQ(out.Result, TagEditorSession::RemoveResult::NoTag);
    EXPECT_EQ(out.Status, EditorTexts::NoTagToRemove());
    EXPECT_EQ(LegatoTest::readAll(plain), std::string(1000, '\x01'));
    EXPECT_TRUE(Journal::UndoJournal().List().empty());
}

TEST(TagEditorSession, UnwritableJournalStopsTheSaveAndSaysWhy)
{
    TempDir dir;
    const std::string file = EditorTest::writeTagged(dir, "a.mp3", {"Old", "", "", 1});
    const std::string before = LegatoTest::readAll(file);
    const LegatoTest::StateHome state(dir.write("state", "a file, not a folder"));
    TagEditorSession s;
    s.Choose(file);
    s.Edit();
    auto collected = EditorTest::stored(file);
    collected->setTitle("New");
    Platform::MessageBoxRecorder boxes;
    const auto out = s.Ok([&] { return collected; });
    EXPECT_EQ(out.Result, TagEditorSession::SaveResult::Failed);
    EXPECT_EQ(out.Status, EditorTexts::TagNotSaved());
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_NE(boxes.boxes()[0].text.find("Cannot write the undo journal in"), std::string::npos);
    EXPECT_EQ(LegatoTest::readAll(file), before);
    EXPECT_TRUE(s.Editing());
}

TEST(TagEditorSession, CopyFromId3v2DuringAnEditThroughTheWarning)
{
    TempDir dir;
    const std::string longTitle = "The front tag's title, longer than a trailer holds";
    const std::string file =
        dir.write("a.mp3", LegatoTest::Id3v23({{"TIT2", longTitle}, {"TPE1", "Front artist"}}) +
                               std::string(500, '\xFF'));
    const std::string plain = EditorTest::writeUntagged(dir, "plain.mp3");
    TagEditorSession s;
    const FileTagView view = s.Choose(file);
    ASSERT_EQ(view.Others.size(), 1u);
    EXPECT_EQ(view.Others[0].Kind, "ID3v2.3");
    EXPECT_EQ(view.Status, EditorTexts::NoTag()) << "the status texts stay as they are";
    EXPECT_FALSE(s.Commands().CopyId3v2) << "only during an edit";
    TagFieldTexts shown;
    shown.Comment = "Typed comment";
    EXPECT_FALSE(s.CopyFromId3v2(shown, "Legato"));
    s.Edit();
    EXPECT_TRUE(s.Commands().CopyId3v2);
    {
        Platform::MessageBoxRecorder no(Platform::MsgResult::No);
        EXPECT_FALSE(s.CopyFromId3v2(shown, "Legato")) << "No keeps the fields";
        ASSERT_EQ(no.boxes().size(), 1u);
        EXPECT_NE(no.boxes()[0].text.find("Title: only 30 characters fit;"), std::string::npos);
    }
    Platform::MessageBoxRecorder yes(Platform::MsgResult::Yes);
    const auto copied = s.CopyFromId3v2(shown, "Legato");
    ASSERT_TRUE(copied);
    EXPECT_EQ(copied->Title(), longTitle);
    EXPECT_EQ(copied->Artist(), "Front artist");
    EXPECT_EQ(copied->Comment(), "Typed comment") << "a field the tag does not hold stays";

    s.Cancel();
    s.Choose(plain);
    s.Edit();
    EXPECT_FALSE(s.Commands().CopyId3v2) << "no ID3v2 tag";
    EXPECT_FALSE(s.CopyFromId3v2(shown, "Legato"));
}
