#include "OtherTagFields.h"
#include "Id3v2SyncOption.h"

#include "TempDir.h"

#include <QSettings>
#include <gtest/gtest.h>

namespace {

OtherTags::Found found(const std::string& kind, OtherTags::Fields values)
{
    return {kind, 0, 100, std::move(values)};
}

const OtherTagsTable::Cell& cell(const OtherTagsTable& table, std::size_t column, TagField field)
{
    return table.Columns.at(column).Cells[static_cast<std::size_t>(field)];
}

} // namespace

TEST(OtherTagFields, TableMarksTheValuesTheTrailerDoesNotShow)
{
    Quaver::Tag trailer;
    trailer.setTitle("Same");
    trailer.setArtist("Old artist");
    OtherTags::Fields id3v2;
    id3v2.Title = "Same";
    id3v2.Artist = "New artist";
    id3v2.Track = 7;
    OtherTags::Fields ape;
    ape.Genre = "Rock";

    const auto table = TabulateOtherTags({found("ID3v2.3", id3v2), found("APEv2", ape)}, &trailer);
    ASSERT_EQ(table.Columns.size(), 2u);
    EXPECT_EQ(table.Columns[0].Kind, "ID3v2.3");
    EXPECT_EQ(table.Caption, "ID3v2.3 tag: players show it first. Marked values differ from the ID3v1 tag.");
    EXPECT_FALSE(cell(table, 0, TagField::Title).Differs);
    EXPECT_TRUE(cell(table, 0, TagField::Artist).Differs);
    EXPECT_EQ(cell(table, 0, TagField::Artist).Text, "New artist");
    EXPECT_EQ(cell(table, 0, TagField::Track).Text, "7");
    EXPECT_TRUE(cell(table, 0, TagField::Track).Differs);
    EXPECT_FALSE(cell(table, 0, TagField::Album).Differs) << "a field the tag does not hold";
    EXPECT_TRUE(cell(table, 1, TagField::Genre).Differs);

    // Without a trailer every value held differs; without an ID3v2 tag the
    // caption names no player; without tags it says so.
    const auto alone = TabulateOtherTags({found("APEv2", ape)}, nullptr);
    EXPECT_TRUE(cell(alone, 0, TagField::Genre).Differs);
    EXPECT_EQ(alone.Caption, "Other tags: Marked values differ from the ID3v1 tag.");
    EXPECT_EQ(TabulateOtherTags({}, &trailer).Caption, "No other tags.");
}

TEST(OtherTagFields, CopiedTextsTakeWhatTheTagHoldsWhole)
{
    Quaver::Tag shownTag;
    shownTag.setAlbum("Kept album");
    shownTag.setComment("Kept comment");
    shownTag.setGenre(17);
    const TagFieldTexts shown = TagFieldTexts::fromTag(shownTag);

    OtherTags::Fields fields;
    fields.Title = "A title longer than the thirty characters of a trailer";
    fields.Artist = "\u00C5ngstr\u00F6m \u4E16";
    fields.Track = 5;
    fields.Genre = "jazz";
    TagFieldTexts copied = CopiedTexts(shown, fields);
    EXPECT_EQ(copied.Title, QString::fromStdString(*fields.Title));
    EXPECT_EQ(copied.Artist, QString::fromUtf8("\u00C5ngstr\u00F6m \u4E16"));
    EXPECT_EQ(copied.Album, "Kept album");
    EXPECT_EQ(copied.Comment, "Kept comment");
    EXPECT_EQ(copied.Track, "05");
    EXPECT_EQ(copied.GenreText, "Jazz");
    EXPECT_EQ(copied.GenreByte, "8");
    // The check before saving names what the trailer cannot hold.
    const auto changes = ChangesOnSave(copied);
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[0].Field, TagField::Title);
    EXPECT_EQ(changes[1].Field, TagField::Artist);

    // A genre the list does not have and a track beyond 255 stay as text, for
    // the check to name; the genre number stays the shown one.
    fields = {};
    fields.Genre = "Synthwave";
    fields.Track = 300;
    copied = CopiedTexts(shown, fields);
    EXPECT_EQ(copied.GenreText, "Synthwave");
    EXPECT_EQ(copied.GenreByte, "17");
    EXPECT_EQ(copied.Track, "300");
    EXPECT_EQ(ChangesOnSave(copied).size(), 2u);
}

TEST(Id3v2SyncOption, TheSecondBoxCountsOnlyWithTheFirstAndEachPanelRemembersItsChoice)
{
    using OtherTags::Id3v2Sync;
    EXPECT_EQ(Id3v2SyncOption::FromChecks(false, true), Id3v2Sync::Off);
    EXPECT_EQ(Id3v2SyncOption::FromChecks(true, false), Id3v2Sync::Update);
    EXPECT_EQ(Id3v2SyncOption::FromChecks(true, true), Id3v2Sync::Create);

    LegatoTest::TempDir dir;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, QString::fromStdString(dir.path()));
    EXPECT_EQ(Id3v2SyncOption::Stored("ucBatch"), Id3v2Sync::Off);
    Id3v2SyncOption::Store("ucBatch", Id3v2Sync::Create);
    Id3v2SyncOption::Store("ucTagEditor", Id3v2Sync::Update);
    EXPECT_EQ(Id3v2SyncOption::Stored("ucBatch"), Id3v2Sync::Create);
    EXPECT_EQ(Id3v2SyncOption::Stored("ucTagEditor"), Id3v2Sync::Update);
    QSettings(QSettings::IniFormat, QSettings::UserScope, "Legato", "Legato")
        .setValue("ucBatch/AlsoId3v2", "x");
    EXPECT_EQ(Id3v2SyncOption::Stored("ucBatch"), Id3v2Sync::Off);
}
