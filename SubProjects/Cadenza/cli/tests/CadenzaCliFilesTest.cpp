// End-to-end tests of how the verbs that take files find them: folders,
// --files-from lists, and the names printed for scripts.
#include "CliRunner.h"
#include "TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

using LegatoTest::readAll;

namespace {

std::string audio()
{
    return std::string(2000, '\x33');
}

// The text between the first and the second tab of each record ended by end.
std::vector<std::string> secondFields(const std::string& text, char end)
{
    std::vector<std::string> fields;
    for (std::size_t at = 0, stop; (stop = text.find(end, at)) != std::string::npos; at = stop + 1) {
        const std::size_t tab = text.find('\t', at);
        fields.push_back(text.substr(tab + 1, text.rfind('\t', stop) - tab - 1));
    }
    return fields;
}

} // namespace

TEST(CadenzaCliFiles, AFolderIsWalkedAsBatchWalksIt)
{
    LegatoTest::TempDir dir;
    std::filesystem::create_directories(dir.file("m/sub/x.mp3")); // a folder with a music name
    std::filesystem::create_directories(dir.file("m/.hidden"));
    dir.write("m/a.mp3", audio());
    dir.write("m/sub/B.MP3", audio());
    dir.write("m/sub/c.mp3", audio());
    dir.write("m/.hidden/d.mp3", audio());
    dir.write("m/notes.txt", audio());
    const std::string single = dir.write("single.mp3", audio());

    const auto batch = runCli(dir, {"batch", dir.file("m"), "--format", "1", "-0"});
    std::vector<std::string> walked;
    for (const std::string& name : secondFields(batch.out, '\0'))
        walked.push_back(name + ": tag written (ID3v1.1)\n");
    ASSERT_EQ(walked.size(), 3u) << batch.out;

    const auto write = runCli(dir, {"write", "--track", "1", single, dir.file("m")});
    EXPECT_EQ(write.status, 0) << write.err;
    std::string expected = single + ": tag written (ID3v1.1)\n";
    for (const std::string& line : walked)
        expected += line;
    EXPECT_EQ(write.out, expected);
    EXPECT_EQ(readAll(dir.file("m/.hidden/d.mp3")), audio());

    // A folder that cannot be walked is an error line; the rest still runs.
    chmod(dir.file("m/sub").c_str(), 0);
    const auto denied = runCliUnprivileged(dir, {"read", dir.file("m/sub"), single});
    chmod(dir.file("m/sub").c_str(), 0755);
    if (!denied)
        GTEST_SKIP() << "no unprivileged run";
    EXPECT_EQ(denied->status, 1);
    EXPECT_EQ(denied->err, "cadenza-cli: " + dir.file("m/sub") + ": Permission denied\n");
    EXPECT_EQ(denied->out.rfind(single + ": ID3v1.1", 0), 0u) << denied->out;
}

TEST(CadenzaCliFiles, ListsGiveOneNameALineOrNulEndedNames)
{
    LegatoTest::TempDir dir;
    const std::string a = dir.write("a.mp3", audio());
    const std::string odd = dir.write("line\nbreak \xE9.mp3", audio()); // any byte but NUL
    dir.write("lines.txt", a + "\n\n" + a); // empty lines are passed over, the last needs no end
    dir.write("nul.txt", odd + '\0' + a + '\0');

    const auto lines = runCli(dir, {"write", "--title", "T", "--files-from", dir.file("lines.txt")});
    EXPECT_EQ(lines.status, 0) << lines.err;
    EXPECT_EQ(lines.out, a + ": tag written (ID3v1.0)\n" + a + ": tag written (ID3v1.0)\n");

    const auto nul = runCli(dir, {"read", "--files-from=" + dir.file("nul.txt"), "-0", "--json"});
    EXPECT_EQ(nul.status, 0) << nul.err;
    // The odd name reached its file, which has no tag, and the list's order holds.
    const std::size_t firstEnd = nul.out.find('\n');
    EXPECT_NE(nul.out.substr(0, firstEnd).find("The file contains no tag."), std::string::npos) << nul.out;
    EXPECT_NE(nul.out.find("\"title\":\"T\"", firstEnd), std::string::npos) << nul.out;

    // A name no file can have is passed over with its line; the list goes on.
    dir.write("long.txt", std::string(5000, 'n') + "\n" + a + "\n");
    const auto tooLong = runCli(dir, {"read", "--files-from", dir.file("long.txt")});
    EXPECT_EQ(tooLong.status, 1);
    EXPECT_EQ(tooLong.err,
              "cadenza-cli: " + dir.file("long.txt") + ": a name longer than 4096 bytes is passed over\n");
    EXPECT_EQ(tooLong.out.rfind(a + ": ID3v1.0\n", 0), 0u) << tooLong.out;
}

TEST(CadenzaCliFiles, AListThatCannotBeReadIsAWrongCommandLine)
{
    LegatoTest::TempDir dir;
    const std::string song = dir.write("song.mp3", audio());
    for (const std::string& list : {dir.file("missing.txt"), dir.path()}) {
        const auto write = runCli(dir, {"write", "--title", "T", song, "--files-from", list});
        EXPECT_EQ(write.status, 2) << list;
        EXPECT_EQ(write.out, "");
        EXPECT_EQ(write.err.rfind("cadenza-cli write: --files-from " + list + ": ", 0), 0u) << write.err;
    }
    EXPECT_EQ(readAll(song), audio());
    EXPECT_EQ(runCli(dir, {"read", "-0", song}).status, 2); // -0 describes a list

    dir.write("empty.txt", "");
    const auto empty = runCli(dir, {"read", "--files-from", dir.file("empty.txt")});
    EXPECT_EQ(empty.status, 0);
    EXPECT_EQ(empty.out, "");
    EXPECT_EQ(empty.err, "0 files\n");
}

TEST(CadenzaCliFiles, GenresAreNamedOrNumbered)
{
    LegatoTest::TempDir dir;
    const std::string song = dir.write("song.mp3", audio());
    ASSERT_EQ(runCli(dir, {"write", "--genre", "cLASSIC rock", song}).status, 0);
    EXPECT_NE(runCli(dir, {"read", "--json", song}).out.find("\"genre\":1,"), std::string::npos);

    const auto unknown = runCli(dir, {"write", "--genre", "Jaz", song});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_EQ(unknown.err.substr(0, unknown.err.find('\n')),
              "cadenza-cli write: --genre: no genre is called 'Jaz'; closest: Jazz, Jazz Funk, Acid Jazz "
              "(cadenza-cli genres lists them all)");
    const auto misspelt = runCli(dir, {"batch", dir.path(), "--format", "0", "--genre", "reggea"});
    EXPECT_EQ(misspelt.status, 2);
    EXPECT_NE(misspelt.err.find("'reggea'; closest: Reggae ("), std::string::npos) << misspelt.err;

    const auto json = runCli(dir, {"genres", "--json"});
    EXPECT_EQ(json.status, 0);
    EXPECT_EQ(std::count(json.out.begin(), json.out.end(), '\n'), 149);
    EXPECT_EQ(json.out.rfind("{\"genre\":0,\"genreName\":\"Blues\"}\n", 0), 0u);
    EXPECT_NE(json.out.find("{\"genre\":255,\"genreName\":\"<Undefined>\"}\n"), std::string::npos);
    EXPECT_EQ(runCli(dir, {"genres"}).out.substr(0, 23), "0\tBlues\n1\tClassic Rock\n");
}

TEST(CadenzaCliFiles, NulEndedOutputGivesNamesExactly)
{
    LegatoTest::TempDir dir;
    mkdir(dir.file("m").c_str(), 0755);
    const std::string odd = dir.write("m/tab\tand\nbreak.mp3", audio());

    EXPECT_EQ(runCli(dir, {"scan", "-0", dir.file("m")}).out, odd + '\0');
    const auto batch = runCli(dir, {"batch", dir.file("m"), "--format", "1", "-0"});
    EXPECT_EQ(secondFields(batch.out, '\0'), std::vector<std::string>{odd});
    EXPECT_EQ(batch.out.back(), '\0');
    EXPECT_EQ(batch.err.rfind("1 files: ", 0), 0u) << batch.err; // the summary keeps out of the way
}
