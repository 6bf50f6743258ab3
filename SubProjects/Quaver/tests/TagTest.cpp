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
