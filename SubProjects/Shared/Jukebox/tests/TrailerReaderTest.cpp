#include "TrailerReader.h"

#include "Platform/RuntimeError.h"

#include "TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>

using Jukebox::TrailerReader;
using Platform::RuntimeError;

namespace {

// A 128-byte trailer with space-filled fields, the given genre, and the
// fields' bytes placed as given.
std::string trailer(const std::string& title, const std::string& artist, const std::string& album,
                    const std::string& year, const std::string& comment, unsigned char genre)
{
    std::string t = "TAG" + std::string(125, ' ');
    t.replace(3, title.size(), title);
    t.replace(33, artist.size(), artist);
    t.replace(63, album.size(), album);
    t.replace(93, year.size(), year);
    t.replace(97, comment.size(), comment);
    t[127] = static_cast<char>(genre);
    return t;
}

std::int32_t errorOf(std::string (*reader)(const std::string&), const std::string& path)
{
    try {
        reader(path);
    } catch (const RuntimeError& e) {
        return e.Number();
    }
    return 0;
}

} // namespace

TEST(TrailerReader, TrimsSpacesButKeepsZeroBytes)
{
    LegatoTest::TempDir dir;
    const std::string spaced = dir.write(
        "spaced.mp3", std::string(500, '\xff') + trailer("Abc", "  Band  ", "Album", "1999", "Nice", 84));
    EXPECT_EQ(TrailerReader::SongName(spaced), "Abc");
    EXPECT_EQ(TrailerReader::Band(spaced), "Band");
    EXPECT_EQ(TrailerReader::Album(spaced), "Album");
    EXPECT_EQ(TrailerReader::Year(spaced), "1999");
    EXPECT_EQ(TrailerReader::Comment(spaced), "Nice");
    EXPECT_EQ(TrailerReader::Genre(spaced), "Fast Fusion");

    const std::string zeros =
        dir.write("zeros.mp3", trailer("Abc" + std::string(27, '\0'), "", "", "", "", 0));
    EXPECT_EQ(TrailerReader::SongName(zeros), "Abc" + std::string(27, '\0')) << "a trailer-only file counts";

    // ID3v1.1: zero marker and track 7 end the comment's 30 characters.
    std::string v11 = trailer("", "", "", "", "Hi", 0);
    for (int i = 99; i < 125; ++i)
        v11[i] = '\0';
    v11[125] = '\0';
    v11[126] = '\x07';
    const std::string track = dir.write("v11.mp3", v11);
    const std::string comment = TrailerReader::Comment(track);
    ASSERT_EQ(comment.size(), 30u);
    EXPECT_EQ(comment.substr(0, 2), "Hi");
    EXPECT_EQ(comment[28], '\0');
    EXPECT_EQ(comment[29], '\x07');
}

TEST(TrailerReader, TextIsWindows1252)
{
    LegatoTest::TempDir dir;
    const std::string path = dir.write("a.mp3", trailer("M\xfcller \x80", "", "", "", "", 255));
    EXPECT_EQ(TrailerReader::SongName(path), "Müller €");
}

TEST(TrailerReader, GenreTableHasItsOwnNames)
{
    EXPECT_EQ(TrailerReader::GenreName(0), "Blues");
    EXPECT_EQ(TrailerReader::GenreName(29), "Jazz+Funk");
    EXPECT_EQ(TrailerReader::GenreName(40), "AlternRock");
    EXPECT_EQ(TrailerReader::GenreName(99), "Acoustic");
    EXPECT_EQ(TrailerReader::GenreName(124), "Euro-House");
    EXPECT_EQ(TrailerReader::GenreName(125), "");
    LegatoTest::TempDir dir;
    EXPECT_EQ(TrailerReader::Genre(dir.write("125.mp3", trailer("", "", "", "", "", 125))), "Kein Genre");
    EXPECT_EQ(TrailerReader::Genre(dir.write("255.mp3", trailer("", "", "", "", "", 255))), "Kein Genre");
    EXPECT_EQ(TrailerReader::Genre(dir.write("124.mp3", trailer("", "", "", "", "", 124))), "Euro-House");
}

TEST(TrailerReader, FilesWithoutTrailerGiveGermanTexts)
{
    LegatoTest::TempDir dir;
    std::string noTag = trailer("Abc", "B", "C", "1999", "D", 1);
    noTag.replace(0, 3, "tag"); // the identifier is case-sensitive
    const std::string path = dir.write("plain.mp3", std::string(300, 'x') + noTag);
    EXPECT_EQ(TrailerReader::SongName(path), "Unbekannter Song");
    EXPECT_EQ(TrailerReader::Band(path), "Unbekannter Künstler");
    EXPECT_EQ(TrailerReader::Album(path), "Unbekanntes Album");
    EXPECT_EQ(TrailerReader::Year(path), "Nicht angegeben");
    EXPECT_EQ(TrailerReader::Comment(path), "Es steht kein Kommentar zur Verfügung.");
    EXPECT_EQ(TrailerReader::Genre(path), "Kein Genre");
}

TEST(TrailerReader, ShortAndMissingFiles)
{
    LegatoTest::TempDir dir;
    const std::string shortFile = dir.write("short.mp3", std::string(100, 'T'));
    EXPECT_EQ(TrailerReader::SongName(shortFile), "Unbekannter Song");
    EXPECT_EQ(TrailerReader::Band(shortFile), "Unbekannter Künstler");
    EXPECT_EQ(errorOf(TrailerReader::Album, shortFile), 63);
    EXPECT_EQ(errorOf(TrailerReader::Year, shortFile), 63);
    EXPECT_EQ(errorOf(TrailerReader::Comment, shortFile), 63);
    EXPECT_EQ(errorOf(TrailerReader::Genre, shortFile), 63);

    const std::string missing = dir.file("missing.mp3");
    EXPECT_EQ(TrailerReader::SongName(missing), "Unbekannter Song");
    EXPECT_EQ(errorOf(TrailerReader::Band, missing), Platform::ErrFileNotFound);
    EXPECT_EQ(errorOf(TrailerReader::Genre, missing), Platform::ErrFileNotFound);
    EXPECT_FALSE(std::filesystem::exists(missing)) << "reading never creates the file";

    // Every failure gave "file number 1" back: a good file reads fine afterwards.
    EXPECT_EQ(TrailerReader::Album(dir.write("ok.mp3", trailer("", "", "Back", "", "", 0))), "Back");
}
