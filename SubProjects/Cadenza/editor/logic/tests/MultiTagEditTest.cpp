#include "MultiTagEdit.h"
#include "EditorTestFiles.h"
#include "EditorTexts.h"
#include "Id3v2Bytes.h"
#include "StateHome.h"
#include "TagEditorSession.h"

#include "OtherTags/OtherTags.h"
#include "Platform/MessageBox.h"
#include "Quaver/FileHandler.h"
#include "UndoReport.h"
#include <gtest/gtest.h>

using EditorTest::stored;
using EditorTest::TagValues;
using LegatoTest::TempDir;

namespace {

TagFieldSet fields(std::initializer_list<TagField> list)
{
    TagFieldSet set;
    for (const TagField field : list)
        set.set(static_cast<std::size_t>(field));
    return set;
}

} // namespace

TEST(MultiTagEdit, FieldsShowWhatTheFilesShareAndKeepWhereTheyDiffer)
{
    TempDir dir;
    const std::string a = EditorTest::writeTagged(dir, "a.mp3", {"A", "Band", "Album", 1, 17});
    const std::string b = EditorTest::writeTagged(dir, "b.mp3", {"B", "Band", "Album", 2, 17});
    const MultiTagEdit two({a, b});
    EXPECT_EQ(two.Common().Artist, "Band");
    EXPECT_EQ(two.Common().Album, "Album");
    EXPECT_EQ(two.Common().GenreText, "Rock");
    EXPECT_EQ(two.Common().GenreByte, "17");
    EXPECT_EQ(two.Common().Title, "");
    EXPECT_EQ(two.Common().Track, "");
    EXPECT_EQ(two.Differing(), fields({TagField::Title, TagField::Track}));

    // A file without a tag counts as empty fields.
    const MultiTagEdit three({a, b, EditorTest::writeUntagged(dir, "plain.mp3")});
    EXPECT_EQ(three.Differing(),
              fields({TagField::Title, TagField::Artist, TagField::Album, TagField::Genre, TagField::Track}));
    EXPECT_EQ(three.Common().GenreText, "");
    EXPECT_EQ(three.Common().Comment, "");
}

TEST(MultiTagEdit, SaveReplacesOnlyTheChangedFieldsAndOneFailureStopsNoOther)
{
    TempDir dir;
    const LegatoTest::StateHome state(dir.file("state"));
    const std::string a = EditorTest::writeTagged(dir, "a.mp3", {"A", "Band", "Old", 7, 17});
    const std::string plain = EditorTest::writeUntagged(dir, "plain.mp3");
    const EditorTest::BusyFile busy(dir, "busy.mp3");
    const std::string b = EditorTest::writeTagged(dir, "b.mp3", {"B", "Other", "Old", 0, 3, Quaver::ID3V1});
    const std::string beforeA = LegatoTest::readAll(a), beforeB = LegatoTest::readAll(b);
    const MultiTagEdit edit({a, plain, busy.path(), b});

    TagFieldTexts typed = edit.Common();
    typed.Album = "New";
    typed.Title = "typed but not changed";
    const auto out = edit.Save(edit.Edited(typed, fields({TagField::Album})));
    EXPECT_EQ(out.Saved, 3);
    EXPECT_EQ(out.Failed, 1);
    EXPECT_EQ(out.Status, EditorTexts::TagsSaved(3, 1));
    ASSERT_EQ(out.Files.size(), 4u);
    EXPECT_EQ(out.Files[0].Text, "saved");
    EXPECT_FALSE(out.Files[2].Saved);
    EXPECT_NE(out.Files[2].Text.indexOf("busy"), -1) << out.Files[2].Text.toStdString();

    const auto tagA = stored(a);
    EXPECT_EQ(tagA->Album(), "New");
    EXPECT_EQ(tagA->Title(), "A");
    EXPECT_EQ(tagA->Track(), 7);
    EXPECT_EQ(tagA->Genre(), 17);
    const auto tagB = stored(b);
    EXPECT_EQ(tagB->Album(), "New");
    EXPECT_EQ(tagB->Artist(), "Other");
    EXPECT_EQ(tagB->TagType(), Quaver::ID3V1);
    const auto tagPlain = stored(plain);
    EXPECT_EQ(tagPlain->Album(), "New");
    EXPECT_EQ(tagPlain->Title(), "");

    // One run, undone whole; the file that failed was never changed.
    EXPECT_EQ(Journal::UndoLast(Journal::SaveKinds(), "Legato").Box.text,
              "Files restored: 3\r\nFiles already as before: 1");
    EXPECT_EQ(LegatoTest::readAll(a), beforeA);
    EXPECT_EQ(LegatoTest::readAll(b), beforeB);
    EXPECT_EQ(LegatoTest::readAll(plain), std::string(1000, '\x01'));
}

TEST(MultiTagEdit, OneBoxListsEachChangeOnceNamingFilesOnlySomeUndergo)
{
    TempDir dir;
    const std::string full = EditorTest::writeTagged(dir, "full.mp3", {"F", "", "", 0, 1, Quaver::ID3V1});
    {
        Quaver::FileHandler handler;
        handler.setFileName(full);
        handler.ReadTag();
        handler.ID3v1xTag()->setComment(std::string(30, 'c'));
        ASSERT_TRUE(handler.WriteTag());
    }
    const std::string other = EditorTest::writeTagged(dir, "other.mp3", {"O", "", "", 2});
    const MultiTagEdit edit({full, other});
    TagFieldTexts typed = edit.Common();
    typed.Album = QString::fromUtf8("Łódź");
    typed.Track = "05";
    const auto texts = edit.Edited(typed, fields({TagField::Album, TagField::Track}));

    Platform::MessageBoxRecorder no(Platform::MsgResult::No);
    EXPECT_EQ(edit.CheckSave(texts, "Legato"), TagField::Album);
    ASSERT_EQ(no.boxes().size(), 1u);
    const std::string& text = no.boxes()[0].text;
    EXPECT_NE(text.find("\r\nAlbum: \xC5\x81 \xC5\xBA cannot be stored"), std::string::npos) << text;
    EXPECT_NE(text.find("\r\nfull.mp3 - Comment: only 28 characters fit beside a track number"),
              std::string::npos)
        << text;
    EXPECT_EQ(text.find("other.mp3"), std::string::npos) << text;

    Platform::MessageBoxRecorder yes(Platform::MsgResult::Yes);
    EXPECT_FALSE(edit.CheckSave(texts, "Legato"));
    EXPECT_FALSE(edit.CheckSave(edit.Edited(typed, fields({TagField::Title})), "Legato"));
    EXPECT_EQ(yes.boxes().size(), 1u) << "no box when every tag is stored as typed";
}

TEST(MultiTagEdit, SessionNumbersTracksInListOrderAndEditsSeveralFiles)
{
    TempDir dir;
    const LegatoTest::StateHome state(dir.file("state"));
    const std::string a = EditorTest::writeTagged(dir, "a.mp3", {"A", "", "", 9});
    const std::string b = EditorTest::writeTagged(dir, "b.mp3", {"B", "", "", 0, 5, Quaver::ID3V1});
    const std::string c = EditorTest::writeUntagged(dir, "c.mp3");
    TagEditorSession s;
    s.Choose(a);
    s.ChooseSeveral({c, b, a});
    EXPECT_TRUE(s.Commands().Edit);
    EXPECT_TRUE(s.Commands().NumberTracks);
    EXPECT_FALSE(s.Commands().Remove);

    const auto numbered = s.NumberTracks("Legato");
    ASSERT_TRUE(numbered);
    EXPECT_EQ(numbered->Saved, 3);
    EXPECT_EQ(stored(c)->Track(), 1);
    EXPECT_EQ(stored(b)->Track(), 2);
    EXPECT_EQ(stored(b)->TagType(), Quaver::ID3V11);
    EXPECT_EQ(stored(b)->Genre(), 5);
    EXPECT_EQ(stored(a)->Track(), 3);
    EXPECT_EQ(stored(a)->Title(), "A");
    EXPECT_EQ(s.Several()->Differing(), fields({TagField::Title, TagField::Genre, TagField::Track}));

    s.Edit(s.Several()->Common());
    EXPECT_FALSE(s.Commands().NumberTracks);
    EXPECT_FALSE(s.Commands().Parse());
    EXPECT_FALSE(s.NumberTracks("Legato")) << "not during an edit";
    const auto nothing = s.OkSeveral(s.Several()->Common(), {});
    EXPECT_EQ(nothing.Status, EditorTexts::NothingChanged());
    EXPECT_FALSE(s.Editing());

    s.Edit(s.Several()->Common());
    TagFieldTexts typed = s.Several()->Common();
    typed.Artist = "All";
    {
        Platform::MessageBoxRecorder stay(Platform::MsgResult::Cancel);
        EXPECT_EQ(s.QueryLeave(typed, "Legato"), TagEditorSession::LeaveChoice::Stay);
        ASSERT_EQ(stay.boxes().size(), 1u);
        EXPECT_EQ(stay.boxes()[0].text.rfind("The tags of 3 files have been changed.", 0), 0u);
    }
    EXPECT_EQ(s.OkSeveral(typed, fields({TagField::Artist})).Saved, 3);
    EXPECT_FALSE(s.Editing());
    EXPECT_EQ(s.Several()->Common().Artist, "All");

    // Undo Last Save takes back the whole save of the three files.
    Journal::UndoLast(Journal::SaveKinds(), "Legato");
    EXPECT_FALSE(s.FilesRestored({a}));
    EXPECT_EQ(s.Several()->Common().Artist, "");
    EXPECT_EQ(stored(a)->Track(), 3);
}

TEST(MultiTagEdit, AlsoUpdatingId3v2WritesOnlyTheChangedFieldsThere)
{
    TempDir dir;
    const LegatoTest::StateHome state(dir.file("state"));
    const std::string longTitle = "A front title longer than thirty characters";
    const std::string a = dir.write("a.mp3", LegatoTest::Id3v23({{"TIT2", longTitle}, {"TALB", "Old"}}) +
                                                 std::string(2000, '\xFF'));
    const std::string b = EditorTest::writeUntagged(dir, "b.mp3");
    const MultiTagEdit edit({a, b});
    TagFieldTexts typed = edit.Common();
    typed.Album = "New";
    const auto out = edit.Save(edit.Edited(typed, fields({TagField::Album})), OtherTags::Id3v2Sync::Update,
                               fields({TagField::Album}));
    EXPECT_EQ(out.Saved, 2);
    const auto others = OtherTags::Read(a);
    const OtherTags::Found* front = OtherTags::FirstId3v2(others);
    ASSERT_TRUE(front);
    EXPECT_EQ(front->Values.Album, "New");
    EXPECT_EQ(front->Values.Title, longTitle);
    EXPECT_EQ(stored(a)->Album(), "New");
    EXPECT_TRUE(OtherTags::Read(b).empty()) << "Update makes no new ID3v2 tag";
}
