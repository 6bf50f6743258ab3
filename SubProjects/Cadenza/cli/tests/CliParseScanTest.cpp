// End-to-end tests of the parse and scan verbs: the real cadenza-cli binary.
#include "TempDir.h"

#include <QProcess>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace {

struct CliRun
{
    int status = -1;
    std::string out;
};

CliRun cli(const QStringList& args)
{
    QProcess process;
    process.start(QStringLiteral(CADENZA_CLI), args);
    process.waitForFinished(30000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput().toStdString()};
}

} // namespace

TEST(CliParse, PrintsOneJsonObjectPerName)
{
    const CliRun run = cli({"parse", "--json", "--format", "0", "Artist - Album - 07.Title", "A - B"});
    EXPECT_EQ(run.status, 1); // one name did not fit
    EXPECT_EQ(run.out, "{\"album\":\"Album\",\"artist\":\"Artist\",\"name\":\"Artist - Album - "
                       "07.Title\",\"parseError\":false,"
                       "\"tagType\":2,\"title\":\"Title\",\"track\":7,\"year\":\"\"}\n"
                       "{\"album\":\"\",\"artist\":\"A\",\"name\":\"A - B\",\"parseError\":true,"
                       "\"tagType\":0,\"title\":\"\",\"track\":0,\"year\":\"\"}\n");
}

TEST(CliParse, TextOutputAndExitStatus)
{
    const CliRun ok = cli({"parse", "--format=1", "Artist - Title"});
    EXPECT_EQ(ok.status, 0);
    EXPECT_EQ(ok.out, "Artist - Title: ok\n  Tag type: 0\n  Title:    Title\n  Artist:   Artist\n"
                      "  Album:    \n  Year:     \n  Track:    0\n");
    const CliRun big = cli({"parse", "--format", "2", "A - 70000.T"});
    EXPECT_EQ(big.status, 1);
    EXPECT_NE(big.out.find("parse error"), std::string::npos);
    EXPECT_NE(big.out.find("Track:    0"), std::string::npos);
}

TEST(CliParse, WrongCommandLinesAreRefused)
{
    EXPECT_EQ(cli({"parse", "Artist - Title"}).status, 2);
    EXPECT_EQ(cli({"parse", "--format", "3", "x"}).status, 2);
    EXPECT_EQ(cli({"parse", "--format"}).status, 2);
    EXPECT_EQ(cli({"parse", "--format", "1"}).status, 2);
    EXPECT_EQ(cli({"parse", "--format", "1", "--bogus", "x"}).status, 2);
}

TEST(CliScan, ListsFilesInTheScannersOrder)
{
    LegatoTest::TempDir tmp;
    std::filesystem::create_directories(tmp.file("m/only"));
    tmp.write("m/x.mp3", "");
    tmp.write("m/notes.txt", "");
    tmp.write("m/only/Y.MP3", "");
    tmp.write("m/only/\xE9t\xE9.mp3", ""); // not UTF-8
    const std::string m = tmp.file("m");

    const CliRun run = cli({"scan", QString::fromStdString(m)});
    EXPECT_EQ(run.status, 0);
    const std::string first = m + "/x.mp3\n";
    ASSERT_EQ(run.out.substr(0, first.size()), first);
    const std::string rest = run.out.substr(first.size());
    const std::string a = m + "/only/Y.MP3\n", b = m + "/only/\xE9t\xE9.mp3\n";
    EXPECT_TRUE(rest == a + b || rest == b + a) << rest;

    EXPECT_EQ(cli({"scan", "--wildcard", "*.txt", QString::fromStdString(m)}).out, m + "/notes.txt\n");
    EXPECT_EQ(cli({"scan", QString::fromStdString(tmp.file("none"))}).status, 1);
    EXPECT_EQ(cli({"scan"}).status, 2);
}
