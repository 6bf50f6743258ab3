#include "MergeTags.h"

#include <gtest/gtest.h>

using Quaver::Tag;

namespace {

Quaver::TagPtr NewTag()
{
    return std::make_shared<Tag>();
}

} // namespace

TEST(MergeTags, TextsFromTheNameWinAndGapsComeFromTheDefault)
{
    auto parsed = NewTag();
    parsed->setArtist("Name Artist");
    parsed->setTitle("Name Title");
    auto defaults = NewTag();
    defaults->setArtist("Default Artist");
    defaults->setAlbum("Default Album");
    defaults->setYear("1999");
    defaults->setComment("Default Comment");
    defaults->setTitle("Default Title");

    const auto merged = MergeTags(*parsed, *defaults);
    EXPECT_EQ(merged->Artist(), "Name Artist");
    EXPECT_EQ(merged->Album(), "Default Album");
    EXPECT_EQ(merged->Year(), "1999");
    EXPECT_EQ(merged->Comment(), "Default Comment");
    EXPECT_EQ(merged->Title(), "Name Title") << "a default title is never used";

    parsed->setTitle("");
    EXPECT_EQ(MergeTags(*parsed, *defaults)->Title(), "");
}

TEST(MergeTags, OnlyTheEmptyTextCountsAsMissing)
{
    auto parsed = NewTag();
    parsed->setArtist(" ");
    parsed->setAlbum("x");
    auto defaults = NewTag();
    defaults->setArtist("Default");
    defaults->setAlbum("X");
    const auto merged = MergeTags(*parsed, *defaults);
    EXPECT_EQ(merged->Artist(), " ");
    EXPECT_EQ(merged->Album(), "x");
}

TEST(MergeTags, DefaultTrackBringsItsTagType)
{
    auto defaults = NewTag();
    defaults->setTrack(5);
    defaults->setTagType(Quaver::ID3V11);

    auto parsed = NewTag(); // a pattern without a track: type still unknown
    auto merged = MergeTags(*parsed, *defaults);
    EXPECT_EQ(merged->Track(), 5);
    EXPECT_EQ(merged->TagType(), Quaver::ID3V11);

    parsed->setTrack(3);
    parsed->setTagType(Quaver::ID3V11);
    merged = MergeTags(*parsed, *defaults);
    EXPECT_EQ(merged->Track(), 3);
    EXPECT_EQ(merged->TagType(), Quaver::ID3V11);
}

TEST(MergeTags, NoTrackAnywhereMakesAVersionOneZeroTag)
{
    auto parsed = NewTag();
    parsed->setArtist("A");
    auto defaults = NewTag();
    defaults->setTagType(Quaver::ID3V1);
    const auto merged = MergeTags(*parsed, *defaults);
    EXPECT_EQ(merged->Track(), 0);
    EXPECT_EQ(merged->TagType(), Quaver::ID3V1);
}

TEST(MergeTags, GenreFromTheDefaultOnlyWhenTheNameGaveNone)
{
    auto parsed = NewTag();
    auto defaults = NewTag();
    defaults->setGenre(17);
    EXPECT_EQ(MergeTags(*parsed, *defaults)->Genre(), 17);

    parsed->setGenre(0);
    EXPECT_EQ(MergeTags(*parsed, *defaults)->Genre(), 0);

    parsed->setGenre(255);
    defaults->setGenre(255);
    EXPECT_EQ(MergeTags(*parsed, *defaults)->Genre(), 255);
}

TEST(MergeTags, ReturnsANewRecordAndLeavesBothArgumentsAlone)
{
    auto parsed = NewTag();
    auto defaults = NewTag();
    defaults->setArtist("D");
    defaults->setTrack(4);
    defaults->setTagType(Quaver::ID3V11);
    const auto merged = MergeTags(*parsed, *defaults);
    EXPECT_NE(merged.get(), parsed.get());
    EXPECT_NE(merged.get(), defaults.get());
    EXPECT_EQ(parsed->Artist(), "");
    EXPECT_EQ(parsed->TagType(), Quaver::ID3Unknown);
    merged->setArtist("changed");
    EXPECT_EQ(defaults->Artist(), "D");
}
