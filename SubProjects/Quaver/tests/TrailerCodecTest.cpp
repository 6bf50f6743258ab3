#include "Quaver/TrailerCodec.h"
#include "Quaver/Tag.h"

#include "Platform/RuntimeError.h"

#include <cstring>
#include <gtest/gtest.h>

using namespace Quaver;
using TrailerCodec::Block;

namespace {

Block blockWith(std::size_t offset, const std::string& bytes)
{
    Block block{};
    std::memcpy(block.data(), "TAG", 3);
    for (std::size_t i = 0; i < bytes.size() && offset + i < block.size(); ++i)
        block[offset + i] = static_cast<unsigned char>(bytes[i]);
    return block;
}

std::string bytesOf(const Block& block, std::size_t first, std::size_t count)
{
    return std::string(reinterpret_cast<const char*>(block.data()) + first, count);
}

} // namespace

TEST(TrailerCodecTest, VersionIsDecidedByBytes125And126)
{
    Tag tag;
    Block v11 = blockWith(97, "comment");
    v11[126] = 5;
    EXPECT_EQ(TrailerCodec::Parse(v11, tag), ID3V11);
    EXPECT_EQ(tag.TagType(), ID3V11);
    EXPECT_EQ(tag.Track(), 5);
    EXPECT_EQ(tag.Comment(), "comment");

    Block zeroTrack = blockWith(97, "x");
    EXPECT_EQ(TrailerCodec::Parse(zeroTrack, tag), ID3V1);
    EXPECT_EQ(tag.Track(), 0);

    // A comment that reaches byte 125 makes bytes 125 and 126 part of it.
    Block v10 = blockWith(97, std::string(28, 'c') + "AB");
    EXPECT_EQ(TrailerCodec::Parse(v10, tag), ID3V1);
    EXPECT_EQ(tag.Comment(), std::string(28, 'c') + "AB");
    EXPECT_EQ(tag.Track(), 0);
}

TEST(TrailerCodecTest, TextsStopAtTheFillByteAndLoseOnlySpaces)
{
    Tag tag;
    Block block = blockWith(3, "  Abc  ");
    std::memcpy(block.data() + 33, "Abc\0Def", 7);
    std::memcpy(block.data() + 63, "\tTab ", 5);
    std::memcpy(block.data() + 93, "19", 2);
    block[127] = 17;
    ASSERT_EQ(TrailerCodec::Parse(block, tag), ID3V1);
    EXPECT_EQ(tag.Title(), "Abc");
    EXPECT_EQ(tag.Artist(), "Abc");
    EXPECT_EQ(tag.Album(), "\tTab");
    EXPECT_EQ(tag.Year(), "19");
    EXPECT_EQ(tag.Genre(), 17);

    // A field without a fill byte is read to its last byte, not into the next.
    Block full = blockWith(3, std::string(30, 'T') + std::string(30, 'A'));
    TrailerCodec::Parse(full, tag);
    EXPECT_EQ(tag.Title(), std::string(30, 'T'));
    EXPECT_EQ(tag.Artist(), std::string(30, 'A'));
}

TEST(TrailerCodecTest, WithoutIdentifierTheRecordIsUntouched)
{
    Tag tag;
    tag.setTitle("kept");
    tag.setTagType(ID3V11);
    Block lower = blockWith(3, "new");
    std::memcpy(lower.data(), "tag", 3);
    EXPECT_EQ(TrailerCodec::Parse(lower, tag), ID3Unknown);
    EXPECT_EQ(tag.Title(), "kept");
    EXPECT_EQ(tag.TagType(), ID3V11);
}

TEST(TrailerCodecTest, RenderSetsEveryByteAndCutsOrFillsFields)
{
    Tag tag;
    tag.setTagType(ID3V1);
    tag.setTitle(std::string(30, 'x') + "y");
    tag.setArtist("Abc");
    tag.setYear("19");
    tag.setComment(std::string(30, 'c'));
    tag.setTrack(9); // not stored in v1.0
    tag.setGenre(18);
    const Block block = TrailerCodec::Render(tag);
    EXPECT_EQ(bytesOf(block, 0, 3), "TAG");
    EXPECT_EQ(bytesOf(block, 3, 30), std::string(30, 'x'));
    EXPECT_EQ(bytesOf(block, 33, 30), "Abc" + std::string(27, '\0'));
    EXPECT_EQ(bytesOf(block, 63, 30), std::string(30, '\0'));
    EXPECT_EQ(bytesOf(block, 93, 4), std::string("19\0\0", 4));
    EXPECT_EQ(bytesOf(block, 97, 30), std::string(30, 'c'));
    EXPECT_EQ(block[127], 18);

    tag.setTagType(ID3V11);
    tag.setTrack(255);
    const Block v11 = TrailerCodec::Render(tag);
    EXPECT_EQ(bytesOf(v11, 97, 28), std::string(28, 'c'));
    EXPECT_EQ(v11[125], 0);
    EXPECT_EQ(v11[126], 255);

    Tag back;
    EXPECT_EQ(TrailerCodec::Parse(v11, back), ID3V11);
    EXPECT_EQ(back.Track(), 255);
    EXPECT_EQ(back.Year(), "19");
}

TEST(TrailerCodecTest, TextIsWindows1252AndCountsCharacters)
{
    Tag tag;
    tag.setTagType(ID3V1);
    // 30 two-byte UTF-8 characters fill the 30-byte title exactly.
    std::string accents;
    for (int i = 0; i < 31; ++i)
        accents += "\u00E9";
    tag.setTitle(accents);
    tag.setArtist("\u20AC \u0100"); // euro has a code; A with macron has none
    tag.setAlbum("ab\u00E9c");      // plain letters, then one of two bytes
    const Block block = TrailerCodec::Render(tag);
    EXPECT_EQ(bytesOf(block, 3, 30), std::string(30, '\xE9'));
    EXPECT_EQ(bytesOf(block, 33, 4), std::string("\x80 ?\0", 4));
    EXPECT_EQ(bytesOf(block, 63, 5), std::string("ab\xE9"
                                                 "c\0",
                                                 5));

    Tag back;
    TrailerCodec::Parse(block, back);
    EXPECT_EQ(back.Title(), accents.substr(0, 60));
    EXPECT_EQ(back.Artist(), "\u20AC ?");
}

TEST(TrailerCodecTest, TrackOutOfRangeRaisesOverflowForV11Only)
{
    Tag tag;
    tag.setTagType(ID3V11);
    for (std::int16_t track : {std::int16_t(256), std::int16_t(300), std::int16_t(-1)}) {
        tag.setTrack(track);
        try {
            TrailerCodec::Render(tag);
            FAIL() << "track " << track;
        } catch (const Platform::RuntimeError& e) {
            EXPECT_EQ(e.Number(), Platform::ErrOverflow);
        }
    }
    tag.setTagType(ID3V1);
    EXPECT_NO_THROW(TrailerCodec::Render(tag));
}

TEST(TrailerCodecTest, WriteChangesNameWhatRenderWouldLose)
{
    Tag tag;
    tag.setTagType(ID3V11);
    tag.setTitle("Plain \u00E9\u20AC"); // both have codes
    tag.setArtist("\u6771\u4EAC\u4E8B\u5909\u6771");
    tag.setComment(std::string(28, 'c') + "\u0100z"); // cut beside the track
    tag.setTrack(3);
    const auto changes = TrailerCodec::WriteChanges(tag);
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[0].Field, TrailerCodec::TextField::Artist);
    EXPECT_EQ(changes[0].Fit.Unstorable, "\u6771\u4EAC\u4E8B\u5909");
    EXPECT_EQ(changes[0].Fit.Stored, "?????");
    EXPECT_EQ(changes[0].Fit.Cut, "");
    EXPECT_EQ(changes[1].Field, TrailerCodec::TextField::Comment);
    EXPECT_EQ(changes[1].Fit.Cut, "\u0100z");
    EXPECT_EQ(changes[1].Fit.Unstorable, "") << "a character that is cut off is not stored either";

    // What the fit says is stored is exactly what the trailer holds.
    const Block block = TrailerCodec::Render(tag);
    EXPECT_EQ(TrailerCodec::BytesToText(block, 33, 62), changes[0].Fit.Stored);
    EXPECT_EQ(TrailerCodec::BytesToText(block, 97, 124), changes[1].Fit.Stored);

    // Without a track the comment holds 30 characters; the year holds 4.
    tag.setTagType(ID3V1);
    tag.setArtist("");
    EXPECT_EQ(TrailerCodec::WriteChanges(tag)[0].Fit.Unstorable, "\u0100");
    EXPECT_EQ(TrailerCodec::FieldWidth(TrailerCodec::TextField::Year, ID3V1), 4);
    EXPECT_EQ(TrailerCodec::FitField("19999", 4).Cut, "9");
}
