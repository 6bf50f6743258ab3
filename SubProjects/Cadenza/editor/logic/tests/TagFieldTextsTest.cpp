#include "TagFieldTexts.h"
#include "ZeroPad.h"

#include "Quaver/Tag.h"
#include <gtest/gtest.h>

using Quaver::Tag;

TEST(ZeroPad, PadsShortTextsOnly)
{
    EXPECT_EQ(ZeroPad("5", 2), "05");
    EXPECT_EQ(ZeroPad("12", 2), "12");
    EXPECT_EQ(ZeroPad("123", 2), "123");
    EXPECT_EQ(ZeroPad("", 2), "00");
}

TEST(TagFieldTexts, TrackShownOnlyForV11)
{
    Tag tag;
    tag.setTrack(7);
    tag.setTagType(Quaver::ID3V1);
    EXPECT_EQ(TagFieldTexts::fromTag(tag).Track, "");
    tag.setTagType(Quaver::ID3Unknown);
    EXPECT_EQ(TagFieldTexts::fromTag(tag).Track, "");
    tag.setTagType(Quaver::ID3V11);
    EXPECT_EQ(TagFieldTexts::fromTag(tag).Track, "07");
    tag.setTrack(12);
    EXPECT_EQ(TagFieldTexts::fromTag(tag).Track, "12");
}

TEST(TagFieldTexts, GenreNameAndNumber)
{
    Tag tag;
    TagFieldTexts t = TagFieldTexts::fromTag(tag);
    EXPECT_EQ(t.GenreByte, "255");
    EXPECT_EQ(t.GenreText, "<Undefined>");

    tag.setGenre(17);
    t = TagFieldTexts::fromTag(tag);
    EXPECT_EQ(t.GenreByte, "17");
    EXPECT_EQ(t.GenreText, "Rock");

    // Numbers without an entry still show, and collecting keeps them.
    tag.setGenre(200);
    t = TagFieldTexts::fromTag(tag);
    EXPECT_EQ(t.GenreByte, "200");
    EXPECT_EQ(t.GenreText, "<Not defined (200)>");
    Tag back;
    t.collectInto(back);
    EXPECT_EQ(back.Genre(), 200);
}

TEST(TagFieldTexts, CollectDecidesTypeFromTrack)
{
    struct Case
    {
        const char* typed;
        std::int16_t track;
        Quaver::EID3TagConstants type;
    };
    const Case cases[] = {
        {"", 0, Quaver::ID3V1},     {"0", 0, Quaver::ID3V1},    {"ab", 0, Quaver::ID3V1},
        {"-5", -5, Quaver::ID3V1},  {"7", 7, Quaver::ID3V11},   {"07", 7, Quaver::ID3V11},
        {"99", 99, Quaver::ID3V11}, {"2.5", 2, Quaver::ID3V11}, {" 3", 3, Quaver::ID3V11},
    };
    for (const Case& c : cases) {
        TagFieldTexts t;
        t.GenreByte = "255";
        t.Track = QString::fromLatin1(c.typed);
        Tag tag;
        tag.setTrack(42);
        t.collectInto(tag);
        EXPECT_EQ(tag.Track(), c.track) << c.typed;
        EXPECT_EQ(tag.TagType(), c.type) << c.typed;
    }
}

TEST(TagFieldTexts, CollectTakesTextsAsTyped)
{
    TagFieldTexts t;
    t.Title = "  Spaced Title ";
    t.Artist = QString::fromUtf8("Björk");
    t.Album = "album";
    t.Year = "19x";
    t.Comment = "c";
    t.GenreByte = "0";
    Tag tag;
    t.collectInto(tag);
    EXPECT_EQ(tag.Title(), "  Spaced Title ");
    EXPECT_EQ(tag.Artist(), "Björk");
    EXPECT_EQ(tag.Album(), "album");
    EXPECT_EQ(tag.Year(), "19x");
    EXPECT_EQ(tag.Comment(), "c");
    EXPECT_EQ(tag.Genre(), 0);
}

TEST(TagFieldTexts, RoundTripKeepsARecord)
{
    Tag tag;
    tag.setTitle("T");
    tag.setArtist("A");
    tag.setAlbum("L");
    tag.setYear("2001");
    tag.setComment("C");
    tag.setTrack(3);
    tag.setGenre(79);
    tag.setTagType(Quaver::ID3V11);
    Tag back;
    TagFieldTexts::fromTag(tag).collectInto(back);
    EXPECT_EQ(back.Title(), "T");
    EXPECT_EQ(back.Artist(), "A");
    EXPECT_EQ(back.Album(), "L");
    EXPECT_EQ(back.Year(), "2001");
    EXPECT_EQ(back.Comment(), "C");
    EXPECT_EQ(back.Track(), 3);
    EXPECT_EQ(back.Genre(), 79);
    EXPECT_EQ(back.TagType(), Quaver::ID3V11);
}
