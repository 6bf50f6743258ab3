#include "Quaver/Tag.h"

#include <gtest/gtest.h>

using namespace Quaver;

TEST(TagTest, NewRecordHasTheDocumentedInitialValues)
{
    const Tag tag;
    EXPECT_EQ(tag.Title(), "");
    EXPECT_EQ(tag.Artist(), "");
    EXPECT_EQ(tag.Album(), "");
    EXPECT_EQ(tag.Year(), "");
    EXPECT_EQ(tag.Comment(), "");
    EXPECT_EQ(tag.Track(), 0);
    EXPECT_EQ(tag.Genre(), 255);
    EXPECT_EQ(tag.TagType(), ID3Unknown);
    EXPECT_EQ(tag.TagLength(), 128);
    EXPECT_EQ(tag.TagIdentifier(), "TAG");
    EXPECT_EQ(tag.TagTerminator(), "0");
}

TEST(TagTest, GenreListIsTheRecordsOwnAndStable)
{
    const Tag a;
    const Tag b;
    EXPECT_EQ(a.GenreList(), a.GenreList());
    EXPECT_NE(a.GenreList(), b.GenreList());
    EXPECT_EQ(a.GenreList()->Item(std::to_string(18))->Description(), "Techno");
}

TEST(TagTest, SettersAcceptValuesBeyondTheTrailerLimits)
{
    Tag tag;
    tag.setTrack(300);
    tag.setTitle(std::string(100, 'x'));
    EXPECT_EQ(tag.Track(), 300);
    EXPECT_EQ(tag.Title().size(), 100u);
}

TEST(TagTest, CopiesTakeTheFieldsButNotTheGenreList)
{
    Tag tag;
    tag.setTitle("T");
    tag.setTrack(4);
    tag.setGenre(17);
    tag.setTagType(ID3V11);
    const auto list = tag.GenreList();
    Tag copy(tag);
    EXPECT_EQ(copy.Title(), "T");
    EXPECT_EQ(copy.Track(), 4);
    EXPECT_EQ(copy.Genre(), 17);
    EXPECT_EQ(copy.TagType(), ID3V11);
    EXPECT_NE(copy.GenreList(), list);
    Tag assigned;
    assigned = tag;
    EXPECT_EQ(assigned.Title(), "T");
    EXPECT_EQ(tag.GenreList(), list);
}

TEST(TagTest, TrackDecidesTheVariant)
{
    EXPECT_EQ(Quaver::TagTypeForTrack(1), Quaver::ID3V11);
    EXPECT_EQ(Quaver::TagTypeForTrack(255), Quaver::ID3V11);
    EXPECT_EQ(Quaver::TagTypeForTrack(0), Quaver::ID3V1);
    EXPECT_EQ(Quaver::TagTypeForTrack(256), Quaver::ID3V1);
    EXPECT_EQ(Quaver::TagTypeForTrack(-1), Quaver::ID3V1);
}
