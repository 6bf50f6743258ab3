// End-to-end tests: the real cadenza-cli binary on temporary files.
#include "CliRunner.h"
#include "Id3v2Bytes.h"
#include "TempDir.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

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
        "\",\"genre\":17,\"genreName\":\"Rock\",\"otherTags\":[],\"tagType\":2,\"title\":\"Caf\u00E9 "
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
    const std::string tooLong = dir.file(std::string(300, 'n') + ".mp3");
    ASSERT_EQ(mkfifo(dir.file("fifo.mp3").c_str(), 0600), 0);
    // FIFOs and devices are named for what they are, and a name the system
    // refuses gets the system's reason; the FIFO is never opened.
    const auto write =
        runCli(dir, {"write", "--title", "x", missing, dir.file("fifo.mp3"), "/dev/null", tooLong, good});
    EXPECT_EQ(write.status, 1);
    EXPECT_EQ(write.err,
              "cadenza-cli: " + missing + ": File does not exist.\ncadenza-cli: " + dir.file("fifo.mp3") +
                  ": Not a regular file.\ncadenza-cli: /dev/null: Not a regular file.\ncadenza-cli: " +
                  tooLong + ": File name too long (error 75)\n");
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
    EXPECT_EQ(runCli(dir, {"read", dir.file("fifo.mp3")}).err,
              "cadenza-cli: " + dir.file("fifo.mp3") + ": Not a regular file.\n");
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

TEST(CadenzaCliTest, ReadShowsTheOtherTagsOfAFile)
{
    LegatoTest::TempDir dir;
    const std::string song = dir.write(
        "front.mp3",
        LegatoTest::Id3v23({{"TIT2", "Only here"}, {"TRCK", "3/9"}, {"TCON", "(17)"}}) + untagged());
    const auto json = runCli(dir, {"read", "--json", song});
    ASSERT_EQ(json.status, 0) << json.err;
    const QJsonObject line = QJsonDocument::fromJson(QByteArray::fromStdString(json.out)).object();
    EXPECT_EQ(line["tagType"].toInt(), 0);
    EXPECT_EQ(QJsonDocument(line["otherTags"].toArray()).toJson(QJsonDocument::Compact),
              R"([{"genre":"Rock","kind":"ID3v2.3","title":"Only here","track":3}])");
    const auto text = runCli(dir, {"read", song});
    EXPECT_EQ(text.out, song + ": no tag (The file contains no tag.)\n"
                               "  ID3v2.3 tag: title \"Only here\", track 3, genre \"Rock\"\n");
}

TEST(CadenzaCliTest, WriteFromId3v2FillsTheTrailerAndItsGapsFromTheOptions)
{
    LegatoTest::TempDir dir;
    const std::string id3 = LegatoTest::Id3v23({{"TIT2", "Front title"}, {"TPE1", "Front artist"}});
    const std::string song = dir.write("song.mp3", id3 + untagged());
    const std::string plain = dir.write("plain.mp3", untagged());
    const auto write =
        runCli(dir, {"write", "--from-id3v2", "--artist", "Ignored", "--year", "1999", song, plain});
    EXPECT_EQ(write.status, 1);
    EXPECT_EQ(write.out, song + ": tag written (ID3v1.0)\n");
    EXPECT_EQ(write.err, "cadenza-cli: " + plain + ": No ID3v2 tag.\n");
    EXPECT_EQ(std::filesystem::file_size(plain), 4096u);
    const auto read = runCli(dir, {"read", "--json", song});
    EXPECT_NE(read.out.find("\"artist\":\"Front artist\""), std::string::npos) << read.out;
    EXPECT_NE(read.out.find("\"title\":\"Front title\",\"track\":0,\"year\":\"1999\""), std::string::npos);

    // A field written into the trailer alone leaves the ID3v2 tag stale: said, not failed.
    const auto title = runCli(dir, {"write", "--title", "New", "--year", "1999", song});
    EXPECT_EQ(title.status, 0);
    EXPECT_EQ(title.err, "cadenza-cli: " + song +
                             ": the ID3v2.3 tag still holds another title (players show it first)\n");
}

namespace {

// What mutagen (another program's ID3v2 reader) reads from a file's ID3v2
// tag: its version, then one line per text frame, "ID=text".
std::string mutagenFrames(const std::string& file)
{
    const std::string command = "PYTHONIOENCODING=utf-8 /usr/bin/python3 -c 'import sys\n"
                                "from mutagen.id3 import ID3\n"
                                "t = ID3(sys.argv[1], load_v1=False)\n"
                                "print(\"v2.%d\" % t.version[1])\n"
                                "for k in sorted(t.keys()): print(k + \"=\" + str(t[k]))' '" +
                                file + "' 2>&1";
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            out.append(buffer, n);
        pclose(pipe);
    }
    return out;
}

std::size_t id3v2Length(const std::string& bytes)
{
    std::size_t size = 0;
    for (std::size_t i = 6; i < 10; ++i)
        size = size << 7 | static_cast<unsigned char>(bytes[i]);
    return 10 + size;
}

} // namespace

TEST(CadenzaCliTest, WriteAlsoId3v2WritesWhatAnotherReaderReadsBackAndKeepsTheAudio)
{
    LegatoTest::TempDir dir;
    const std::string id3 = LegatoTest::Id3v23({{"TIT2", "Old"}, {"TPE1", "Kept artist"}, {"TRCK", "3/9"}});
    std::string id4 = id3;
    id4[3] = '\x04';
    const std::string v23 = dir.write("v23.mp3", id3 + untagged());
    const std::string v24 = dir.write("v24.mp3", id4 + untagged());
    const std::string plain = dir.write("plain.mp3", untagged());
    const std::string title = "Caf\u00E9 \u2603 \u6771\u4EAC, a title longer than thirty characters";
    const auto write =
        runCli(dir, {"write", "--also-id3v2", "--title", title, "--track", "5", v23, v24, plain});
    ASSERT_EQ(write.status, 0) << write.err;
    EXPECT_EQ(write.out, v23 + ": tag written (ID3v1.1)\n" + v23 + ": ID3v2.3 tag written\n" + v24 +
                             ": tag written (ID3v1.1)\n" + v24 + ": ID3v2.4 tag written\n" + plain +
                             ": tag written (ID3v1.1)\n");
    for (const auto& [file, version] : {std::pair(v23, "v2.3"), std::pair(v24, "v2.4")}) {
        EXPECT_EQ(mutagenFrames(file),
                  std::string(version) + "\nTIT2=" + title + "\nTPE1=Kept artist\nTRCK=5/9\n");
        const std::string bytes = LegatoTest::readAll(file);
        const std::size_t front = id3v2Length(bytes);
        EXPECT_EQ(bytes.substr(front, bytes.size() - front - 128), untagged()) << file;
    }
    EXPECT_EQ(LegatoTest::readAll(plain).substr(0, 4096), untagged()) << "no ID3v2 tag without =create";

    ASSERT_EQ(runCli(dir, {"write", "--also-id3v2=create", "--artist", "\u00C5se", plain}).status, 0);
    EXPECT_EQ(mutagenFrames(plain), "v2.4\nTPE1=\u00C5se\n");
    EXPECT_EQ(runCli(dir, {"write", "--also-id3v2=always", plain}).status, 2);
}

TEST(CadenzaCliTest, WriteAppendsATrailerToFilesOf128BytesOrLess)
{
    LegatoTest::TempDir dir;
    std::string onlyTrailer = "TAGold";
    onlyTrailer.resize(128, '\0');
    for (const std::string& content : {std::string(), std::string(50, 'a'), onlyTrailer}) {
        const std::string song = dir.write("short.mp3", content);
        const auto write = runCli(dir, {"write", "--title", "New", "--track", "2", song});
        EXPECT_EQ(write.status, 0) << write.err;
        EXPECT_EQ(write.out, song + ": tag written (ID3v1.1)\n");
        EXPECT_EQ(std::filesystem::file_size(song), content.size() + 128);
        const std::string bytes = LegatoTest::readAll(song);
        EXPECT_EQ(bytes.substr(0, content.size()), content);
        EXPECT_EQ(bytes.substr(content.size(), 6), "TAGNew");
    }
}

TEST(CadenzaCliTest, BadTrackValuesLeaveTheFileUnchanged)
{
    LegatoTest::TempDir dir;
    const std::string content = untagged();
    const std::string song = dir.write("song.mp3", content);
    for (const char* track : {"256", "300", "-1", "70000"}) {
        const auto overflow = runCli(dir, {"write", "--title", "x", "--track", track, song});
        EXPECT_EQ(overflow.status, 2);
        EXPECT_EQ(overflow.err.substr(0, overflow.err.find('\n')),
                  std::string("cadenza-cli write: --track needs a number from 0 to 255, not '") + track +
                      "'");
    }
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

    // JSON shows the name readably and keeps its bytes in base64 beside it.
    const auto json = runCli(dir, {"read", "--json", song});
    const QJsonObject object = QJsonDocument::fromJson(QByteArray::fromStdString(json.out)).object();
    EXPECT_EQ(object["file"].toString(), QString::fromUtf8(song.c_str()));
    EXPECT_EQ(QByteArray::fromBase64(object["fileBase64"].toString().toLatin1()).toStdString(), song);
}

TEST(CadenzaCliTest, ControlCharactersInNamesAndTagsAreShownEscaped)
{
    LegatoTest::TempDir dir;
    const std::string song = dir.write("a\nb\x1b.mp3", untagged());
    // ESC sequences that would retitle and clear a terminal, and C1 code U+009D.
    ASSERT_EQ(
        runCli(dir, {"write", "--title", "\x1b]0;x\x07\x1b[2J\xC2\x9D", "--comment", "a\tb", song}).status,
        0);
    const auto read = runCli(dir, {"read", song});
    const std::string shown = dir.path() + "/a\\nb\\x1b.mp3";
    EXPECT_EQ(read.out.substr(0, read.out.find('\n')), shown + ": ID3v1.0");
    EXPECT_NE(read.out.find("  Title:   \\x1b]0;x\\x07\\x1b[2J\\u009d\n"), std::string::npos) << read.out;
    EXPECT_NE(read.out.find("  Comment: a\\tb\n"), std::string::npos) << read.out;
    EXPECT_EQ(runCli(dir, {"scan", dir.path()}).out, shown + "\n");
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
    EXPECT_NE(help.out.find("cadenza-cli read [--json] [--files-from LIST [-0]] FILE..."), std::string::npos);
    EXPECT_EQ(runCli(dir, {"--help"}).out, help.out);

    // A verb's --help prints its usage and touches nothing, wherever an option may stand.
    for (const char* verb : {"read", "write", "parse", "scan", "batch", "genres"}) {
        const auto verbHelp = runCli(dir, {verb, "--help"});
        EXPECT_EQ(verbHelp.status, 0) << verb;
        EXPECT_EQ(verbHelp.out.rfind(std::string("usage: cadenza-cli ") + verb + " ", 0), 0u) << verbHelp.out;
    }
    const std::string song = dir.write("song.mp3", untagged());
    EXPECT_EQ(runCli(dir, {"write", "--title", "t", song, "-h"}).status, 0);
    EXPECT_EQ(LegatoTest::readAll(song), untagged());
    EXPECT_EQ(runCli(dir, {"read", "--", "--help"}).err, "cadenza-cli: --help: File does not exist.\n");
    const auto version = runCli(dir, {"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out.rfind("cadenza-cli 1.", 0), 0u) << version.out;
}

TEST(CadenzaCliTest, RemoveAndWriteAreUndoneRunByRun)
{
    LegatoTest::TempDir dir;
    const std::string tagged = dir.write("tagged.mp3", untagged(1000) + "TAG" + std::string(125, 'o'));
    const std::string plain = dir.write("plain.mp3", untagged(1000));
    const std::string before = LegatoTest::readAll(tagged);

    EXPECT_EQ(runCli(dir, {"write", "--title", "New", tagged, plain}).status, 0);
    const auto remove = runCli(dir, {"remove", tagged, dir.file("missing.mp3")});
    EXPECT_EQ(remove.status, 1);
    EXPECT_EQ(remove.out, tagged + ": tag removed\n");
    EXPECT_EQ(remove.err, "cadenza-cli: " + dir.file("missing.mp3") + ": File does not exist.\n");
    EXPECT_EQ(LegatoTest::readAll(tagged), untagged(1000));
    EXPECT_EQ(runCli(dir, {"remove", tagged}).out, tagged + ": no tag, left as it is\n");

    const auto undoRemove = runCli(dir, {"undo"});
    EXPECT_EQ(undoRemove.status, 0) << undoRemove.err;
    EXPECT_EQ(undoRemove.out,
              tagged + ": restored\nRun 2: 1 restored, 0 already as before, 0 not touched.\n");
    EXPECT_EQ(runCli(dir, {"undo", "1"}).status, 0);
    EXPECT_EQ(LegatoTest::readAll(tagged), before);
    EXPECT_EQ(LegatoTest::readAll(plain), untagged(1000));
    const auto again = runCli(dir, {"undo"});
    EXPECT_EQ(again.status, 1);
    EXPECT_EQ(again.err, "cadenza-cli undo: nothing to undo\n");
    const auto list = runCli(dir, {"undo", "--list"}).out;
    EXPECT_NE(list.find("1\t"), std::string::npos) << list;
    EXPECT_NE(list.find("\twrite\t2 files\t" + tagged + " and 1 more (undone)\n"), std::string::npos) << list;
}

TEST(CadenzaCliTest, NoJournalNoWrite)
{
    LegatoTest::TempDir dir;
    const std::string song = dir.write("song.mp3", untagged(1000));
    dir.write(".state", "a file where the journal folder should be");
    const auto write = runCli(dir, {"write", "--title", "New", song});
    EXPECT_EQ(write.status, 1);
    EXPECT_NE(write.err.find("Cannot write the undo journal in " + dir.file(".state/legato")),
              std::string::npos)
        << write.err;
    EXPECT_EQ(LegatoTest::readAll(song), untagged(1000));
}
