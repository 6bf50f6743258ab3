// End-to-end tests of `cadenza-cli batch` on small generated trees.
#include "CliRunner.h"
#include "Id3v2Bytes.h"
#include "TempDir.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>
#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/stat.h>

using LegatoTest::readAll;

namespace {

std::string audio()
{
    return std::string(2000, '\x33');
}

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        result.push_back(line);
    return result;
}

QJsonObject object(const std::string& line)
{
    return QJsonDocument::fromJson(QByteArray::fromStdString(line)).object();
}

// music/Artist - Album - 01.First.mp3, music/bad name.mp3, music/b/Other - Album - 02.Second.MP3
struct Tree
{
    Tree()
    {
        mkdir(dir.file("music").c_str(), 0755);
        mkdir(dir.file("music/b").c_str(), 0755);
        first = dir.write("music/Artist - Album - 01.First.mp3", audio());
        bad = dir.write("music/bad name.mp3", audio());
        second = dir.write("music/b/Other - Album - 02.Second.MP3", audio());
    }
    LegatoTest::TempDir dir;
    std::string first, bad, second;
};

} // namespace

TEST(CadenzaCliBatch, WithoutWriteNothingIsWrittenAndEveryFileIsListedInScanOrder)
{
    Tree tree;
    const auto result = runCli(tree.dir, {"batch", tree.dir.file("music"), "--format", "0", "--artist", "X"});
    EXPECT_EQ(result.status, 1) << "a name that does not fit lands under Error";
    const auto out = lines(result.out);
    ASSERT_EQ(out.size(), 4u) << result.out;
    // Matches of a folder in the order the file system lists them, then its subfolders.
    const std::vector<std::string> firstTwo{out[0], out[1]};
    EXPECT_TRUE(std::count(firstTwo.begin(), firstTwo.end(),
                           "Ok\t" + tree.first + "\tTestmode: Don't write Tag.") == 1)
        << result.out;
    EXPECT_TRUE(
        std::count(firstTwo.begin(), firstTwo.end(),
                   "Error\t" + tree.bad + "\tParsing error: Filename doesn't match with the format.") == 1)
        << result.out;
    EXPECT_EQ(out[2], "Ok\t" + tree.second + "\tTestmode: Don't write Tag.");
    EXPECT_EQ(out[3], "3 files: 2 Ok, 1 Error (test mode: nothing written)");
    EXPECT_EQ(readAll(tree.first), audio());
    EXPECT_EQ(readAll(tree.second), audio());
}

TEST(CadenzaCliBatch, WriteTagsTheFilesAndReadShowsTheSameTag)
{
    Tree tree;
    const auto result = runCli(tree.dir, {"batch", tree.dir.file("music/b/"), "--format=0", "--year", "2001",
                                          "--genre", "17", "--comment", "Batch", "--write", "--json"});
    ASSERT_EQ(result.status, 0) << result.err;
    const auto out = lines(result.out);
    ASSERT_EQ(out.size(), 1u) << "the summary of a JSON run goes to stderr";
    const QJsonObject line = object(out[0]);
    EXPECT_EQ(line["file"].toString().toStdString(), tree.second);
    EXPECT_EQ(line["outcome"].toString(), "Ok");
    EXPECT_EQ(line["message"].toString(), "New Tag.");
    const QJsonObject tag = line["tag"].toObject();
    EXPECT_EQ(tag["artist"].toString(), "Other");
    EXPECT_EQ(tag["title"].toString(), "Second");
    EXPECT_EQ(tag["track"].toInt(), 2);
    EXPECT_EQ(tag["tagType"].toInt(), 2);
    EXPECT_EQ(tag["genreName"].toString(), "Rock");
    EXPECT_EQ(result.err, "1 files: 1 Ok, 0 Error\n");

    const auto read = runCli(tree.dir, {"read", "--json", tree.second});
    ASSERT_EQ(read.status, 0) << read.err;
    QJsonObject expected = tag;
    expected["file"] = QString::fromStdString(tree.second);
    expected["otherTags"] = QJsonArray();
    EXPECT_EQ(object(lines(read.out).at(0)), expected);
    EXPECT_EQ(readAll(tree.second).substr(0, audio().size()), audio());
}

TEST(CadenzaCliBatch, AnExistingTagIsKeptWithoutOverwrite)
{
    Tree tree;
    ASSERT_EQ(runCli(tree.dir, {"batch", tree.dir.file("music/b"), "--format", "1", "--write"}).status, 0);
    const std::string tagged = readAll(tree.second);

    auto again =
        runCli(tree.dir, {"batch", tree.dir.file("music/b"), "--format", "1", "--write", "--album", "New"});
    EXPECT_EQ(again.status, 0);
    EXPECT_EQ(lines(again.out).at(0), "Ok\t" + tree.second + "\tA Tag exists: Tag not overwritten.");
    EXPECT_EQ(readAll(tree.second), tagged);

    again = runCli(tree.dir,
                   {"batch", tree.dir.file("music/b"), "--format", "1", "--write", "--overwrite", "--json"});
    EXPECT_EQ(again.status, 0);
    EXPECT_EQ(object(lines(again.out).at(0))["message"].toString(), "Overwrite Tag.");
    EXPECT_EQ(readAll(tree.second).size(), tagged.size());
}

TEST(CadenzaCliBatch, AFailedWriteIsAnErrorWithTheLibrarysLine)
{
    LegatoTest::TempDir dir;
    const std::string song = dir.write("A - B - 300.C.mp3", audio());
    const auto result = runCli(dir, {"batch", dir.path(), "--format", "0", "--write", "--json"});
    EXPECT_EQ(result.status, 1);
    const QJsonObject line = object(lines(result.out).at(0));
    EXPECT_EQ(line["outcome"].toString(), "Error");
    EXPECT_TRUE(line["message"].toString().startsWith("New Tag. - 6, ")) << result.out;
    EXPECT_EQ(readAll(song), audio());
}

TEST(CadenzaCliBatch, AParseErrorHasNoTag)
{
    LegatoTest::TempDir dir;
    dir.write("nothing.mp3", audio());
    const auto result = runCli(dir, {"batch", dir.path(), "--format", "0", "--json"});
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(object(lines(result.out).at(0))["tag"].isNull());
}

TEST(CadenzaCliBatch, WrongCommandLinesAndMissingDirectoriesAreRefused)
{
    LegatoTest::TempDir dir;
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"batch", dir.path()},
                                               {"batch", dir.path(), "--format", "3"},
                                               {"batch", "--format", "0"},
                                               {"batch", dir.path(), dir.path(), "--format", "0"},
                                               {"batch", dir.path(), "--format", "0", "--track", "256"},
                                               {"batch", dir.path(), "--format", "0", "--track", "-1"},
                                               {"batch", dir.path(), "--format", "0", "--track", "70000"},
                                               {"batch", dir.path(), "--format", "0", "--genre", "x"},
                                               {"batch", dir.path(), "--format", "0", "--bogus", "1"}}) {
        const auto result = runCli(dir, args);
        EXPECT_EQ(result.status, 2) << args.size();
        EXPECT_TRUE(result.out.empty());
    }
    const auto missing = runCli(dir, {"batch", dir.file("nowhere"), "--format", "0"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("not a directory"), std::string::npos);
}

TEST(CadenzaCliBatch, AOneLetterFolderIsWalkedAsThatFolder)
{
    Tree tree;
    tree.dir.write("mmOutside - Victim.mp3", audio());
    const auto old = std::filesystem::current_path();
    std::filesystem::current_path(tree.dir.path());
    std::filesystem::rename("music", "m");
    const auto letter = runCli(tree.dir, {"batch", "m", "--format", "0"});
    std::filesystem::current_path(tree.dir.file("m"));
    const auto dot = runCli(tree.dir, {"batch", ".", "--format", "0"});
    std::filesystem::current_path(old);
    EXPECT_EQ(lines(letter.out).back(), "3 files: 2 Ok, 1 Error (test mode: nothing written)");
    EXPECT_EQ(letter.out.find("Victim"), std::string::npos) << letter.out;
    EXPECT_EQ(lines(dot.out).back(), "3 files: 2 Ok, 1 Error (test mode: nothing written)");
    EXPECT_NE(dot.out.find("Ok\t./b/Other - Album - 02.Second.MP3\t"), std::string::npos) << dot.out;
}

// Root reads every folder, so the denied cases run as an unprivileged user.
TEST(CadenzaCliBatch, FoldersThatCannotBeReadOrSearchedSaySo)
{
    Tree tree;
    chmod(tree.dir.file("music/b").c_str(), 0600); // listable, not searchable
    chmod(tree.dir.file("music").c_str(), 0311);   // searchable, not listable
    const auto batch = runCliUnprivileged(tree.dir, {"batch", tree.dir.file("music"), "--format", "0"});
    const auto scan = runCliUnprivileged(tree.dir, {"scan", tree.dir.file("music")});
    const auto read = runCliUnprivileged(tree.dir, {"read", tree.second});
    chmod(tree.dir.file("music").c_str(), 0755); // so that the folder can be removed
    chmod(tree.dir.file("music/b").c_str(), 0755);
    if (!batch)
        GTEST_SKIP() << "no unprivileged run: " << LegatoTest::readAll(tree.dir.file(".err"));
    EXPECT_EQ(batch->status, 1);
    EXPECT_EQ(batch->err, "cadenza-cli batch: " + tree.dir.file("music") + ": Permission denied\n");
    EXPECT_EQ(scan->err, "cadenza-cli: " + tree.dir.file("music") + ": Permission denied\n");
    EXPECT_EQ(read->status, 1);
    EXPECT_EQ(read->err, "cadenza-cli: " + tree.second + ": Permission denied (error 70)\n");
}

TEST(CadenzaCliBatch, FilesInAFolderThatCannotBeSearchedAreDenied)
{
    Tree tree;
    chmod(tree.dir.file("music/b").c_str(), 0744); // others may list it, not reach into it
    const auto batch =
        runCliUnprivileged(tree.dir, {"batch", tree.dir.file("music"), "--format", "0", "--write"});
    chmod(tree.dir.file("music/b").c_str(), 0755);
    if (!batch)
        GTEST_SKIP() << "no unprivileged run: " << LegatoTest::readAll(tree.dir.file(".err"));
    EXPECT_EQ(batch->status, 1);
    const auto line = batch->out.find("Error\t" + tree.second + "\t");
    ASSERT_NE(line, std::string::npos) << batch->out;
    EXPECT_NE(batch->out.find("Permission denied", line), std::string::npos) << batch->out;
}

TEST(CadenzaCliBatch, AnEmptyTreeSucceedsWithNothingListed)
{
    LegatoTest::TempDir dir;
    const auto result = runCli(dir, {"batch", dir.path(), "--format", "1", "--write"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "0 files: 0 Ok, 0 Error\n");
}

TEST(CadenzaCliBatch, AlsoId3v2WritesTheNameFieldsIntoTheId3v2TagAndLeavesItsOthers)
{
    LegatoTest::TempDir dir;
    ASSERT_EQ(mkdir(dir.file("music").c_str(), 0755), 0);
    const std::string front =
        LegatoTest::Id3v23({{"TIT2", "Old"}, {"COMM", std::string("eng\0", 4) + "Kept"}});
    const std::string song = dir.write("music/\u00C5se - Caf\u00E9 \u2603.mp3", front + audio());
    const auto run = runCli(dir, {"batch", dir.file("music"), "--format", "1", "--write", "--also-id3v2"});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto read = runCli(dir, {"read", "--json", song});
    const QJsonObject id3 = object(read.out)["otherTags"].toArray().at(0).toObject();
    EXPECT_EQ(id3["kind"].toString(), "ID3v2.3");
    EXPECT_EQ(id3["title"].toString(), QString::fromUtf8("Caf\u00E9 \u2603"));
    EXPECT_EQ(id3["artist"].toString(), QString::fromUtf8("\u00C5se"));
    EXPECT_EQ(id3["comment"].toString(), "Kept") << "an empty field of the run leaves the tag's own";
}
