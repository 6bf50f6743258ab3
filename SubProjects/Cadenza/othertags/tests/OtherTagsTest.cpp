#include "OtherTags/OtherTags.h"
#include "OtherTags/EndBlocks.h"
#include "OtherTags/Id3v2Write.h"

#include "Quaver/TrailerCodec.h"

#include "TempDir.h"

#include <gtest/gtest.h>
#include <taglib/apetag.h>
#include <taglib/id3v1tag.h>
#include <taglib/id3v2tag.h>
#include <taglib/mpegfile.h>

#include <fstream>
#include <sstream>

namespace {

std::string audio()
{
    std::string frame(417, '\0');
    frame[0] = '\xFF';
    frame[1] = '\xFB';
    frame[2] = '\x90';
    frame[3] = '\x64';
    std::string bytes;
    for (int i = 0; i < 8; ++i)
        bytes += frame;
    return bytes;
}

std::string contents(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

std::string padded(std::string text, std::size_t size)
{
    text.resize(size, '\0');
    return text;
}

std::string lyricsField(const std::string& id, const std::string& data)
{
    char size[6];
    std::snprintf(size, sizeof size, "%05zu", data.size());
    return id + size + data;
}

std::string lyricsBlock(const std::string& fields)
{
    const std::string block = "LYRICSBEGIN" + fields;
    char size[7];
    std::snprintf(size, sizeof size, "%06zu", block.size());
    return block + size + "LYRICS200";
}

std::string extendedBlock(const std::string& title, const std::string& genre)
{
    return "TAG+" + padded(title, 60) + padded("", 120) + '\0' + padded(genre, 30) + padded("", 12);
}

} // namespace

TEST(OtherTags, FindsEveryKindInFileOrderWithItsFields)
{
    LegatoTest::TempDir dir;
    const std::string song = dir.write("song.mp3", audio());
    {
        TagLib::MPEG::File file(song.c_str());
        TagLib::ID3v2::Tag* id3 = file.ID3v2Tag(true);
        id3->setTitle(TagLib::String("Caf\u00E9 \u00FC\u6771", TagLib::String::UTF8));
        id3->setArtist("Artist");
        id3->setYear(2004);
        id3->setTrack(12);
        id3->setGenre("Jazz");
        file.APETag(true)->setAlbum("Ape Album");
        file.ID3v1Tag(true)->setTitle("A title of exactly thirty char");
        ASSERT_TRUE(file.save(TagLib::MPEG::File::AllTags, TagLib::File::StripOthers, TagLib::ID3v2::v4));
    }
    // Lyrics3v2 and TAG+ go between the APEv2 tag and the trailer.
    std::string bytes = contents(song);
    const std::string lyrics = lyricsBlock(
        lyricsField("IND", "00") + lyricsField("ETT", "Long lyrics title") + lyricsField("INF", "Info"));
    bytes.insert(bytes.size() - 128, lyrics + extendedBlock("s continued", "Space Rock"));
    dir.write("song.mp3", bytes);

    const auto found = OtherTags::Read(song);
    ASSERT_EQ(found.size(), 4u);
    EXPECT_EQ(found[0].Kind, "ID3v2.4");
    EXPECT_EQ(found[0].Offset, 0);
    OtherTags::Fields id3;
    id3.Title = "Caf\u00E9 \u00FC\u6771";
    id3.Artist = "Artist";
    id3.Year = "2004";
    id3.Track = 12;
    id3.Genre = "Jazz";
    EXPECT_EQ(found[0].Values, id3);

    EXPECT_EQ(found[1].Kind, "APEv2");
    EXPECT_EQ(found[1].Values.Album, "Ape Album");
    EXPECT_EQ(found[2].Kind, "Lyrics3v2");
    EXPECT_EQ(found[2].Values.Title, "Long lyrics title");
    EXPECT_EQ(found[2].Values.Comment, "Info");
    EXPECT_EQ(found[3].Kind, "TAG+");
    EXPECT_EQ(found[3].Values.Title, "A title of exactly thirty chars continued");
    EXPECT_EQ(found[3].Values.Genre, "Space Rock");
    EXPECT_FALSE(found[3].Values.Artist);
    // Each block ends where the next begins; the trailer follows the last.
    EXPECT_EQ(found[2].Offset + found[2].Length, found[3].Offset);
    EXPECT_EQ(found[1].Offset + found[1].Length, found[2].Offset);
    EXPECT_EQ(found[3].Offset + found[3].Length + 128, static_cast<std::int64_t>(bytes.size()));
}

TEST(OtherTags, NamesTheId3v2VersionAndGenreNumbers)
{
    LegatoTest::TempDir dir;
    // An ID3v2.2 tag with one title frame (three-letter id, three-byte size).
    const std::string frame = std::string("TT2\0\0\x04", 6) + '\0' + "Old";
    const std::string genre = std::string("TCO\0\0\x05", 6) + '\0' + "(17)";
    const std::string frames = frame + genre;
    const std::string v22 = std::string("ID3\x02\0\0\0\0\0", 9) + static_cast<char>(frames.size()) + frames;
    const auto found = OtherTags::Read(dir.write("old.mp3", v22 + audio()));
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].Kind, "ID3v2.2");
    EXPECT_EQ(found[0].Length, static_cast<std::int64_t>(v22.size()));
    EXPECT_EQ(found[0].Values.Title, "Old");
    EXPECT_EQ(found[0].Values.Genre, "Rock");

    const std::string v23 = dir.write("v23.mp3", audio());
    {
        TagLib::MPEG::File file(v23.c_str());
        file.ID3v2Tag(true)->setTitle("Three");
        ASSERT_TRUE(file.save(TagLib::MPEG::File::ID3v2, TagLib::File::StripOthers, TagLib::ID3v2::v3));
    }
    const auto three = OtherTags::Read(v23);
    ASSERT_EQ(three.size(), 1u);
    EXPECT_EQ(three[0].Kind, "ID3v2.3");
    EXPECT_EQ(OtherTags::FirstId3v2(three), &three[0]);
}

TEST(OtherTags, PlainAndDamagedFilesGiveNothingOrWhatIsWhole)
{
    LegatoTest::TempDir dir;
    const std::string trailer = padded("TAGTitle", 128);
    EXPECT_TRUE(OtherTags::Read(dir.write("plain.mp3", audio() + trailer)).empty());
    EXPECT_FALSE(OtherTags::MayHold("\xFF\xFB", audio() + trailer, 10000));
    EXPECT_TRUE(OtherTags::Read(dir.file("missing.mp3")).empty());
    EXPECT_TRUE(OtherTags::Read(dir.write("tiny.mp3", "ID3")).empty());

    // A footer whose size reaches before the file's start, and a block whose
    // field sizes run past its end, are not taken for tags.
    const std::string huge = audio() + "999999LYRICS200" + trailer;
    EXPECT_TRUE(OtherTags::MayHold("", huge.substr(huge.size() - OtherTags::EndBytes),
                                   static_cast<std::int64_t>(huge.size())));
    EXPECT_TRUE(OtherTags::Read(dir.write("huge.mp3", huge)).empty());
    std::string broken = lyricsBlock(lyricsField("ETT", "Title"));
    broken.replace(broken.find("00005"), 5, "00099");
    EXPECT_TRUE(OtherTags::Read(dir.write("broken.mp3", audio() + broken + trailer)).empty());
    // An ID3v2 header with a size byte above 0x7F is no header.
    EXPECT_FALSE(OtherTags::MayHold(std::string("ID3\x03\0\0\0\0\x80\0", 10), "", 10));
}

TEST(OtherTagsEndBlocks, UpdateExtendedRewritesOnlyTheContinuations)
{
    const std::string block = extendedBlock("old continuation", "Genre");
    const std::string title = std::string(30, 'a') + "b\u00E9" + std::string(70, 'c');
    const std::string updated = OtherTags::EndBlocks::UpdateExtended(block, title, std::string("Short"), {});
    ASSERT_EQ(updated.size(), block.size());
    EXPECT_EQ(updated.substr(4, 60), "b\xE9" + std::string(58, 'c'));
    EXPECT_EQ(updated.substr(64, 60), std::string(60, '\0'));
    EXPECT_EQ(updated.substr(124), block.substr(124));
    EXPECT_EQ(updated.substr(0, 4), "TAG+");
}

TEST(OtherTagsEndBlocks, FollowTrailerKeepsAContinuationTheRecordOnlyShowsCut)
{
    std::string trailer = padded("TAGA title of exactly thirty char", 128);
    const std::string block = extendedBlock("s continued", "Genre");
    Quaver::Tag record;
    Quaver::TrailerCodec::Parse(*reinterpret_cast<const Quaver::TrailerCodec::Block*>(trailer.data()),
                                record);
    EXPECT_EQ(OtherTags::EndBlocks::FollowTrailer(block, trailer, record), block);

    record.setTitle("A title of exactly thirty chars, and its new end");
    std::string updated = OtherTags::EndBlocks::FollowTrailer(block, trailer, record);
    EXPECT_EQ(updated.substr(4, 60), padded("s, and its new end", 60));
    record.setTitle("Short");
    updated = OtherTags::EndBlocks::FollowTrailer(block, trailer, record);
    EXPECT_EQ(updated.substr(4, 60), std::string(60, '\0'));
    EXPECT_EQ(updated.substr(64), block.substr(64));
}

TEST(OtherTagsId3v2Write, WritesFullTextsKeepsTheVersionTheLengthAndWhatTheTrailerShowsCut)
{
    LegatoTest::TempDir dir;
    const std::string song = dir.write("v23.mp3", audio());
    const std::string longArtist = "An artist whose name is longer than thirty characters";
    {
        TagLib::MPEG::File file(song.c_str());
        TagLib::ID3v2::Tag* id3 = file.ID3v2Tag(true);
        id3->setTitle("Old");
        id3->setArtist(longArtist);
        id3->setComment("Kept comment");
        id3->setTrack(3);
        ASSERT_TRUE(file.save(TagLib::MPEG::File::ID3v2, TagLib::File::StripOthers, TagLib::ID3v2::v3));
    }
    const std::string old = contents(song);
    const std::string tag = old.substr(0, static_cast<std::size_t>(OtherTags::Id3v2Length(old)));

    // The record as the editor collects it from the trailer: the artist cut
    // to 30 characters, no comment; a new Unicode title beyond 30.
    Quaver::Tag record;
    record.setTitle("Caf\u00E9 \u6771\u4EAC and a title longer than thirty");
    record.setArtist(longArtist.substr(0, 30));
    record.setTrack(7);
    record.setTagType(Quaver::ID3V11);
    const auto rendered = OtherTags::RenderId3v2(tag, record, OtherTags::AllFields());
    ASSERT_TRUE(rendered.Changed);
    EXPECT_EQ(rendered.Kind, "ID3v2.3");
    EXPECT_EQ(rendered.Bytes.size(), tag.size()) << "the frames fit into the old padding";
    const auto found = OtherTags::Read(dir.write("new.mp3", rendered.Bytes + old.substr(tag.size())));
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].Kind, "ID3v2.3");
    EXPECT_EQ(found[0].Values.Title, record.Title());
    EXPECT_EQ(found[0].Values.Artist, longArtist);
    EXPECT_EQ(found[0].Values.Comment, "Kept comment");
    EXPECT_EQ(found[0].Values.Track, 7u);

    // Nothing to write leaves the bytes; a new tag is ID3v2.4; 2.2 becomes 2.4.
    EXPECT_FALSE(OtherTags::RenderId3v2(tag, record, {{"artist"}, true}).Changed);
    EXPECT_FALSE(OtherTags::RenderId3v2("", Quaver::Tag(), OtherTags::AllFields()).Changed);
    EXPECT_EQ(OtherTags::RenderId3v2("", record, OtherTags::AllFields()).Kind, "ID3v2.4");
    const std::string v22 = std::string("ID3\x02\0\0\0\0\0\x0a", 10) + std::string("TT2\0\0\x04\0Old", 10);
    const auto upgraded = OtherTags::RenderId3v2(v22, record, OtherTags::AllFields());
    EXPECT_EQ(upgraded.Kind, "ID3v2.4");
    EXPECT_EQ(upgraded.Bytes.substr(0, 4), "ID3\x04");
}

TEST(OtherTags, ToTrailerTakesWhatTheTrailerCanHold)
{
    OtherTags::Fields fields;
    fields.Title = std::string(40, 't');
    fields.Genre = "classic ROCK";
    fields.Track = 300;
    auto tag = OtherTags::ToTrailer(fields);
    EXPECT_EQ(tag->Title(), std::string(40, 't'));
    EXPECT_EQ(tag->Genre(), 1);
    EXPECT_EQ(tag->Track(), 0);
    EXPECT_EQ(tag->TagType(), Quaver::ID3Unknown);
    fields.Genre = "No such genre";
    fields.Track = 7;
    tag = OtherTags::ToTrailer(fields);
    EXPECT_EQ(tag->Genre(), 255);
    EXPECT_EQ(tag->Track(), 7);
    EXPECT_EQ(tag->TagType(), Quaver::ID3V11);
}

TEST(OtherTags, DifferingComparesWithWhatTheTrailerCanHold)
{
    Quaver::Tag trailer;
    trailer.setTitle(std::string(30, 'x'));
    trailer.setArtist("Same");
    trailer.setTrack(3);
    trailer.setGenre(17);
    trailer.setTagType(Quaver::ID3V11);
    OtherTags::Fields fields;
    fields.Title = std::string(45, 'x'); // continues the trailer's text
    fields.Artist = "Same";
    fields.Album = "Only here";
    fields.Track = 3;
    fields.Genre = "rock";
    EXPECT_EQ(OtherTags::Differing(fields, trailer), std::vector<std::string>{"album"});
    fields.Title = "Other";
    fields.Track = 4;
    fields.Genre = "Jazz";
    EXPECT_EQ(OtherTags::Differing(fields, trailer),
              (std::vector<std::string>{"title", "album", "track", "genre"}));
}
