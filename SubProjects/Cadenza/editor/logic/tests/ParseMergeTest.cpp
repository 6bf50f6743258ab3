#include "ParseMerge.h"
#include "modTagFormat.h"

#include "Platform/FileNameCodec.h"
#include "Quaver/Tag.h"
#include <gtest/gtest.h>

namespace {

std::shared_ptr<TagFormats> pattern(int index)
{
    static auto formats = modTagFormat::DefaultFormats();
    return formats->Item(QString::number(index));
}

ParseOptions allChecked(bool emptyOnly)
{
    ParseOptions o;
    o.Overwrite.fill(true);
    o.EmptyOnly = emptyOnly;
    return o;
}

} // namespace

TEST(ParseMerge, NoBoxCheckedChangesNothing)
{
    Quaver::Tag tag;
    tag.setArtist("X");
    ParseIntoFields(*pattern(0), "A - B - 3.C", ParseOptions{}, tag);
    EXPECT_EQ(tag.Artist(), "X");
    EXPECT_EQ(tag.Title(), "");
    EXPECT_EQ(tag.Track(), 0);
    EXPECT_EQ(tag.TagType(), Quaver::ID3Unknown);
}

TEST(ParseMerge, EmptyOnlyFillsOnlyEmptyFields)
{
    Quaver::Tag tag;
    tag.setArtist("X");
    ParseIntoFields(*pattern(1), "A - B", allChecked(true), tag);
    EXPECT_EQ(tag.Artist(), "X");
    EXPECT_EQ(tag.Title(), "B");
    EXPECT_EQ(tag.Album(), "");
    EXPECT_EQ(tag.Track(), 0) << "pattern 1 has no track";
}

TEST(ParseMerge, NameBytesThatAreNotUtf8ReadAsWindows1252)
{
    Quaver::Tag tag;
    ParseIntoFields(*pattern(2), Platform::DecodeFileName("Caf\xE9 \xC3\xB6 - 04.\x80"), allChecked(false),
                    tag);
    EXPECT_EQ(tag.Artist(), "Caf\xC3\xA9 \xC3\xB6");
    EXPECT_EQ(tag.Title(), "\xE2\x82\xAC");
    EXPECT_EQ(tag.Track(), 4);
}

TEST(ParseMerge, OverwritingStoresEvenEmptyResults)
{
    Quaver::Tag tag;
    tag.setArtist("X");
    tag.setAlbum("Y");
    tag.setComment("kept");
    tag.setYear("1999");
    tag.setGenre(17);
    ParseIntoFields(*pattern(1), "A - B", allChecked(false), tag);
    EXPECT_EQ(tag.Artist(), "A");
    EXPECT_EQ(tag.Album(), "") << "pattern 1 has no album: the album is cleared";
    EXPECT_EQ(tag.Title(), "B");
    // Year, genre and comment are never parsed, checked or not.
    EXPECT_EQ(tag.Comment(), "kept");
    EXPECT_EQ(tag.Year(), "1999");
    EXPECT_EQ(tag.Genre(), 17);
}

TEST(ParseMerge, NumericTrackMakesTheRecordV11)
{
    ParseOptions trackOnly;
    trackOnly.Overwrite[ParseOptions::Track] = true;
    Quaver::Tag tag;
    tag.setTitle("untouched");
    ParseIntoFields(*pattern(0), "Artist - Album - 7.Title", trackOnly, tag);
    EXPECT_EQ(tag.Track(), 7);
    EXPECT_EQ(tag.TagType(), Quaver::ID3V11);
    EXPECT_EQ(tag.Title(), "untouched");

    // With "Empty only" a track that is already set stays.
    ParseIntoFields(*pattern(0), "Artist - Album - 9.Title", trackOnly, tag);
    EXPECT_EQ(tag.Track(), 7);
}

TEST(ParseMerge, UnusableTrackLeavesTrackAndType)
{
    ParseOptions trackOnly;
    trackOnly.Overwrite[ParseOptions::Track] = true;
    trackOnly.EmptyOnly = false;
    for (const char* name : {"Artist - Album - 7a.Title", "Artist - Album - 70000.Title", "Artist - Album"}) {
        Quaver::Tag tag;
        tag.setTrack(5);
        tag.setTagType(Quaver::ID3V1);
        ParseIntoFields(*pattern(0), name, trackOnly, tag);
        EXPECT_EQ(tag.Track(), 5) << name;
        EXPECT_EQ(tag.TagType(), Quaver::ID3V1) << name;
    }
}
