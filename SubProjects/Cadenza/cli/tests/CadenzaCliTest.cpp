// End-to-end tests: the real cadenza-cli binary on temporary files.
#include "CliRunner.h"
#include "TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {

std::string untagged(std::size_t size = 4096)
{
    return std::string(size, '\x55');
}

} // namespace

TEST(CadenzaCliTest, WriteThenReadRoundTripsEveryField)
{
    LegatoTest::TempDir dir;
    const std::string song = dir.write("song.mp3", untagged());
    const auto written =
        runCli(dir, {"write", "--title", "Caf\u00E9 \u20AC", "--artist", "Artist", "--album=Album", "--year",
                     "1999", "--comment", "Nice", "--track", "7", "--genre", "17", song});
    ASSERT_EQ(written.status, 0) << written.err;
    EXPECT_EQ(std::filesystem::file_size(song), 4096u + 128u);

    const auto json = runCli(dir, {"read", "--json", song});
    ASSERT_EQ(json.status, 0) << json.err;
    const std::string expected =
        "{\"album\":\"Album\",\"artist\":\"Artist\",\"comment\":\"Nice\",\"file\":\"" + song +
        "\",\"genre\":17,\"genreName\":\"Rock\",\"tagType\":2,\"title\":\"Caf\u00E9 "
        "\u20AC\",\"track\":7,\"year\":\"1999\"}\n";
    EXPECT_EQ(json.out, expected);

    const auto text = runCli(dir, {"read", song});
    EXPECT_NE(text.out.find("ID3v1.1"), std::string::npos);
    EXPECT_NE(text.out.find("Title:   Caf\u00E9 \u20AC\n"), std::string::npos);
    EXPECT_NE(text.out.find("Genre:   17 Rock\n"), std::string::npos);
}

TEST(CadenzaCliTest, WriteChangesOnlyNamedFieldsAndDecidesTheVersion)
{
    LegatoTest::TempDir dir;
    const std::string song = dir.write("song.mp3", untagged());
    ASSERT_EQ(runCli(dir, {"write", "--title", "T", "--track", "3", song}).status, 0);
    ASSERT_EQ(runCli(dir, {"write", "--artist", "A", song}).status, 0);
    auto read = runCli(dir, {"read", "--json", song});
    EXPECT_NE(read.out.find("\"title\":\"T\""), std::string::npos) << read.out;
    EXPECT_NE(read.out.find("\"artist\":\"A\""), std::string::npos);
    EXPECT_NE(read.out.find("\"tagType\":2"), std::string::npos);
    EXPECT_NE(read.out.find("\"genre\":255,\"genreName\":\"<Undefined>\""), std::string::npos);

    // Clearing the track makes it v1.0; the trailer is replaced, not appended.
    ASSERT_EQ(runCli(dir, {"write", "--track", "0", "--comment", std::string(30, 'c'), song}).status, 0);
    read = runCli(dir, {"read", "--json", song});
    EXPECT_NE(read.out.find("\"tagType\":1"), std::string::npos) << read.out;
    EXPECT_NE(read.out.find("\"comment\":\"" + std::string(30, 'c') + "\""), std::string::npos);
    EXPECT_EQ(std::filesystem::file_size(song), 4096u + 128u);
}

TEST(CadenzaCliTest, FailuresAreOneLinePerFileAndTheOthersStillRun)
{
    LegatoTest::TempDir dir;
    const std::string good = dir.write("good.mp3", untagged());
    const std::string missing = dir.file("missing.mp3");
    const auto write = runCli(dir, {"write", "--title", "x", missing, dir.path(), good});
    EXPECT_EQ(write.status, 1);
    EXPECT_EQ(write.err, "cadenza-cli: " + missing + ": File does not exist.\ncadenza-cli: " + dir.path() +
                             ": File does not exist.\n");
    EXPECT_EQ(std::filesystem::file_size(good), 4096u + 128u);
    EXPECT_FALSE(std::filesystem::exists(missing));

    const auto read = runCli(dir, {"read", "--json", missing, good});
    EXPECT_EQ(read.status, 1);
    EXPECT_EQ(
        read.out.substr(0, read.out.find('\n') + 1),
        "{\"error\":{\"description\":\"File does not exist.\",\"mode\":1,\"number\":0,\"source\":\"Read "
        "Tag\"},\"file\":\"" +
            missing + "\",\"tagType\":0}\n");
    EXPECT_NE(read.out.find("\"title\":\"x\""), std::string::npos);
    EXPECT_EQ(read.err, "cadenza-cli: " + missing + ": File does not exist.\n");
}

TEST(CadenzaCliTest, UntaggedAndShortFilesAreReportedWithoutFailing)
{
    LegatoTest::TempDir dir;
    const std::string plain = dir.write("plain.mp3", untagged(1000));
    const std::string tiny = dir.write("tiny.mp3", "TAG");
    const auto read = runCli(dir, {"read", plain, tiny});
    EXPECT_EQ(read.status, 0) << read.err;
    EXPECT_EQ(read.out, plain + ": no tag (The file contains no tag.)\n" + tiny +
                            ": no tag (The file is too short to contain a tag.)\n");
    const auto json = runCli(dir, {"read", "--json", plain});
    EXPECT_NE(json.out.find("\"mode\":0"), std::string::npos);
    EXPECT_NE(json.out.find("\"tagType\":0"), std::string::npos);
}

TEST(CadenzaCliTest, BadTrackValuesLeaveTheFileUnchanged)
{
    LegatoTest::TempDir dir;
    const std::string content = untagged();
    const std::string song = dir.write("song.mp3", content);
    const auto overflow = runCli(dir, {"write", "--title", "x", "--track", "300", song});
    EXPECT_EQ(overflow.status, 1);
    EXPECT_EQ(overflow.err, "cadenza-cli: " + song + ": Overflow (error 6)\n");
    EXPECT_EQ(LegatoTest::readAll(song), content);

    const auto notNumber = runCli(dir, {"write", "--track", "seven", song});
    EXPECT_EQ(notNumber.status, 2);
    EXPECT_NE(notNumber.err.find("--track needs a number"), std::string::npos);
    EXPECT_EQ(runCli(dir, {"write", "--genre", "256", song}).status, 2);
    EXPECT_EQ(runCli(dir, {"write", "--title"}).status, 2);
    EXPECT_EQ(LegatoTest::readAll(song), content);
}

TEST(CadenzaCliTest, NonUtf8FileNamesReachTheFileUnchanged)
{
    LegatoTest::TempDir dir;
    const std::string song = dir.write("Caf\xE9 \xFF.mp3", untagged());
    ASSERT_EQ(runCli(dir, {"write", "--title", "raw", song}).status, 0);
    const auto read = runCli(dir, {"read", song});
    EXPECT_EQ(read.status, 0) << read.err;
    EXPECT_EQ(read.out.substr(0, song.size() + 10), song + ": ID3v1.0\n");
}

TEST(CadenzaCliTest, CommandLineMistakesExitWithUsage)
{
    LegatoTest::TempDir dir;
    EXPECT_EQ(runCli(dir, {}).status, 2);
    EXPECT_EQ(runCli(dir, {"frobnicate"}).status, 2);
    EXPECT_EQ(runCli(dir, {"read"}).status, 2);
    EXPECT_EQ(runCli(dir, {"read", "--bogus", "x"}).status, 2);
    const auto help = runCli(dir, {"help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("cadenza-cli read [--json] FILE..."), std::string::npos);
}
