#include "cDrvScan.h"

#include "Platform/FileFind.h"
#include "TempDir.h"

#include <QTimer>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Runs a scan and records its events as "P <progress>" and "F <file>".
struct Recorder
{
    explicit Recorder(cDrvScan& scan)
    {
        QObject::connect(&scan, &cDrvScan::Progress,
                         [this](const std::string& p) { events.push_back("P " + p); });
        QObject::connect(&scan, &cDrvScan::FileFound,
                         [this](const std::string& f) { events.push_back("F " + f); });
    }
    long count(char kind) const
    {
        return std::count_if(events.begin(), events.end(),
                             [kind](const std::string& e) { return e[0] == kind; });
    }
    std::vector<std::string> events;
};

void lookForMp3(cDrvScan& scan, const std::string& path)
{
    scan.setPath(path);
    scan.setFileSpec("*.mp3");
    scan.setUseFileSpec(true);
}

std::vector<std::string> scanEvents(const std::string& path, const std::string& fileSpec = "*.mp3")
{
    cDrvScan scan;
    Recorder rec(scan);
    lookForMp3(scan, path);
    scan.setFileSpec(fileSpec);
    scan.SearchFiles();
    return rec.events;
}

// Subdirectory names in the order the file system lists them.
std::vector<std::string> listedDirs(const std::string& dir)
{
    std::vector<std::string> names;
    Platform::FindData d;
    auto h = Platform::FindFirstFile(dir + "/*.*", d);
    if (h.valid()) {
        do {
            if ((d.dwFileAttributes & Platform::FileAttributeDirectory) && d.cFileName[0] != '.')
                names.push_back(d.cFileName);
        } while (Platform::FindNextFile(h, d));
    }
    return names;
}

int openDescriptors()
{
    return static_cast<int>(std::distance(fs::directory_iterator("/proc/self/fd"), fs::directory_iterator()));
}

} // namespace

TEST(cDrvScan, PathGetsATrailingSeparatorAndSpecIsTrimmed)
{
    cDrvScan scan;
    EXPECT_EQ(scan.Path(), "");
    EXPECT_EQ(scan.FileSpec(), "");
    EXPECT_FALSE(scan.UseFileSpec());
    scan.setPath("/music");
    EXPECT_EQ(scan.Path(), "/music/");
    scan.setPath("/music/");
    EXPECT_EQ(scan.Path(), "/music/");
    scan.setPath("C");
    EXPECT_EQ(scan.Path(), "C/");
    scan.setPath("");
    EXPECT_EQ(scan.Path(), "");
    scan.setFileSpec("   *.mp3  ");
    EXPECT_EQ(scan.FileSpec(), "*.mp3");
}

TEST(cDrvScan, ReportsFilesBeforeVisitingSubdirectoriesDepthFirst)
{
    LegatoTest::TempDir tmp;
    const std::string music = tmp.file("music");
    fs::create_directories(music + "/b/deep");
    fs::create_directories(music + "/c");
    tmp.write("music/x.mp3", "");
    tmp.write("music/x.txt", "");
    tmp.write("music/b/y.mp3", "");
    tmp.write("music/b/deep/w.mp3", "");
    tmp.write("music/c/Z.MP3", "");

    std::vector<std::string> expected = {"P Searching " + music + "/", "F " + music + "/x.mp3"};
    for (const auto& sub : listedDirs(music)) {
        if (sub == "b") {
            for (const char* e :
                 {"P Searching @/b/", "F @/b/y.mp3", "P Searching @/b/deep/", "F @/b/deep/w.mp3"}) {
                std::string line = e;
                line.replace(line.find('@'), 1, music);
                expected.push_back(line);
            }
        } else {
            expected.push_back("P Searching " + music + "/c/");
            expected.push_back("F " + music + "/c/Z.MP3"); // letter case is ignored
        }
    }
    EXPECT_EQ(scanEvents(music), expected);
}

TEST(cDrvScan, DotDirectoriesAreNotEnteredButMatchingEntriesAreReported)
{
    LegatoTest::TempDir tmp;
    fs::create_directories(tmp.file(".hidden"));
    fs::create_directories(tmp.file("album.mp3"));
    tmp.write(".hidden/a.mp3", "");
    tmp.write(".b.mp3", "");
    const auto events = scanEvents(tmp.path());
    const std::string root = tmp.path() + "/";
    EXPECT_EQ(std::count(events.begin(), events.end(), "F " + root + ".b.mp3"), 1);
    // A matching directory is reported like a file, and then entered.
    EXPECT_EQ(std::count(events.begin(), events.end(), "F " + root + "album.mp3"), 1);
    EXPECT_EQ(std::count(events.begin(), events.end(), "P Searching " + root + "album.mp3/"), 1);
    for (const auto& e : events)
        EXPECT_EQ(e.find(".hidden"), std::string::npos) << e;
}

TEST(cDrvScan, CatchAllPatternsReportEntriesButNotTheFolderItself)
{
    LegatoTest::TempDir tmp;
    fs::create_directories(tmp.file("sub"));
    tmp.write("README", "");
    tmp.write("sub/inner.mp3", "");
    const std::string root = tmp.path() + "/";
    for (const char* fileSpec : {"*", "*.*"}) {
        std::vector<std::string> found;
        for (const auto& e : scanEvents(tmp.path(), fileSpec)) {
            if (e[0] == 'F')
                found.push_back(e.substr(2));
        }
        std::sort(found.begin(), found.end());
        EXPECT_EQ(found, (std::vector<std::string>{root + "README", root + "sub", root + "sub/inner.mp3"}));
    }
    // A pattern with a folder part names no entry of any folder.
    const auto events = scanEvents(tmp.path(), "sub/*.mp3");
    EXPECT_EQ(std::count_if(events.begin(), events.end(), [](const std::string& e) { return e[0] == 'F'; }),
              0);
}

TEST(cDrvScan, WithoutFileSpecOnlyProgressIsRaised)
{
    LegatoTest::TempDir tmp;
    for (int i = 0; i < 25; ++i) {
        fs::create_directories(tmp.file("d" + std::to_string(i)));
        tmp.write("d" + std::to_string(i) + "/s.mp3", "");
    }
    cDrvScan scan;
    Recorder rec(scan);
    scan.setPath(tmp.path());
    scan.setFileSpec("*.mp3");
    scan.SearchFiles();
    EXPECT_EQ(rec.count('P'), 26); // more than ten subdirectories, all visited
    EXPECT_EQ(rec.count('F'), 0);
    scan.setUseFileSpec(true);
    scan.SearchFiles(); // the same object scans again from the start
    EXPECT_EQ(rec.count('F'), 25);
}

TEST(cDrvScan, MissingStartDirectoryGivesOneProgress)
{
    LegatoTest::TempDir tmp;
    tmp.write("file.mp3", "");
    EXPECT_EQ(scanEvents(tmp.file("none")),
              std::vector<std::string>{"P Searching " + tmp.file("none") + "/"});
    EXPECT_EQ(scanEvents(tmp.file("file.mp3")),
              std::vector<std::string>{"P Searching " + tmp.file("file.mp3") + "/"});
}

// An empty path is the current folder; a one-letter folder, "." and ".." are
// walked as themselves, never as a name prefix in the folder around them.
TEST(cDrvScan, RelativePathsWalkExactlyTheNamedFolder)
{
    LegatoTest::TempDir tmp;
    fs::create_directories(tmp.file("m/sub"));
    tmp.write("mmix.mp3", "");
    tmp.write("m/in.mp3", "");
    tmp.write("m/sub/there.mp3", "");
    const auto found = [](const std::string& path) {
        std::vector<std::string> files;
        for (const auto& e : scanEvents(path)) {
            if (e[0] == 'F')
                files.push_back(e.substr(2));
        }
        std::sort(files.begin(), files.end());
        return files;
    };
    const auto old = fs::current_path();
    fs::current_path(tmp.file("m/sub"));
    const auto dotDot = found("..");
    fs::current_path(tmp.file("m"));
    const auto empty = scanEvents("");
    fs::current_path(tmp.path());
    const auto m = found("m");
    const auto dot = found(".");
    fs::current_path(old);
    EXPECT_EQ(empty,
              (std::vector<std::string>{"P Searching ", "F in.mp3", "P Searching sub/", "F sub/there.mp3"}));
    EXPECT_EQ(m, (std::vector<std::string>{"m/in.mp3", "m/sub/there.mp3"}));
    EXPECT_EQ(dot, (std::vector<std::string>{"./m/in.mp3", "./m/sub/there.mp3", "./mmix.mp3"}));
    EXPECT_EQ(dotDot, (std::vector<std::string>{"../in.mp3", "../sub/there.mp3"}));
}

TEST(cDrvScan, CancelInFileFoundStopsReportingAndUnwinds)
{
    LegatoTest::TempDir tmp;
    for (const char* d : {"s1", "s2", "s1/inner"})
        fs::create_directories(tmp.file(d));
    for (const char* f : {"a.mp3", "b.mp3", "s1/c.mp3", "s2/d.mp3"})
        tmp.write(f, "");

    cDrvScan scan;
    Recorder rec(scan);
    QObject::connect(&scan, &cDrvScan::FileFound, [&scan] { scan.setCancel(true); });
    lookForMp3(scan, tmp.path());
    const int before = openDescriptors();
    scan.SearchFiles();
    EXPECT_EQ(openDescriptors(), before); // every enumeration was closed

    // One file, then only the Progress of the subdirectories still waiting at
    // the top level (s1's own subdirectory is never read, so never listed).
    ASSERT_EQ(rec.events.size(), 4u);
    EXPECT_EQ(rec.events[0], "P Searching " + tmp.path() + "/");
    EXPECT_EQ(rec.count('F'), 1);
    EXPECT_EQ(rec.count('P'), 3);
    for (const auto& e : rec.events)
        EXPECT_EQ(e.find("inner"), std::string::npos);

    // A new scan starts with the flag cleared.
    rec.events.clear();
    QObject::disconnect(&scan, &cDrvScan::FileFound, nullptr, nullptr);
    Recorder again(scan);
    scan.SearchFiles();
    EXPECT_EQ(again.count('F'), 4);
}

TEST(cDrvScan, CancelFromAQueuedEventIsSeenDuringThePause)
{
    LegatoTest::TempDir tmp;
    fs::create_directories(tmp.file("sub"));
    tmp.write("a.mp3", "");
    cDrvScan scan;
    Recorder rec(scan);
    QTimer::singleShot(0, &scan, [&scan] { scan.setCancel(true); });
    lookForMp3(scan, tmp.path());
    scan.SearchFiles();
    EXPECT_EQ(rec.events, std::vector<std::string>{"P Searching " + tmp.path() + "/"});
}

TEST(cDrvScan, EventsKeepBeingProcessedDuringALongScan)
{
    LegatoTest::TempDir tmp;
    for (int i = 0; i < 2000; ++i)
        std::ofstream(tmp.file("f" + std::to_string(i) + ".mp3"));
    cDrvScan scan;
    Recorder rec(scan);
    // Each file takes half a millisecond, so the whole scan would take a second;
    // a timer due after 20 ms must get its turn long before that.
    QObject::connect(&scan, &cDrvScan::FileFound, [] { usleep(500); });
    QTimer::singleShot(20, &scan, [&scan] { scan.setCancel(true); });
    lookForMp3(scan, tmp.path());
    scan.SearchFiles();
    EXPECT_GT(rec.count('F'), 0);
    EXPECT_LT(rec.count('F'), 1000);
}

TEST(cDrvScan, LinkLoopsAndSharedDirectoriesAreEnteredOnce)
{
    LegatoTest::TempDir tmp;
    fs::create_directories(tmp.file("root/a/b"));
    fs::create_directories(tmp.file("root/shared"));
    tmp.write("root/shared/s.mp3", "");
    fs::create_directory_symlink(tmp.file("root"), tmp.file("root/a/b/up"));
    fs::create_directory_symlink(tmp.file("root/shared"), tmp.file("root/a/alias"));
    const auto events = scanEvents(tmp.file("root"));
    EXPECT_EQ(std::count_if(events.begin(), events.end(), [](const std::string& e) { return e[0] == 'P'; }),
              4);
    EXPECT_EQ(std::count_if(events.begin(), events.end(), [](const std::string& e) { return e[0] == 'F'; }),
              1);
    for (const auto& e : events)
        EXPECT_EQ(e.find("/up/"), std::string::npos) << e;
}

TEST(cDrvScan, DeepTreesAndCrowdedDirectoriesAreScannedCompletely)
{
    LegatoTest::TempDir tmp;
    std::string dir = tmp.path();
    for (int level = 0; level < 200; ++level) {
        dir += "/d";
        fs::create_directory(dir);
        std::ofstream(dir + "/t.mp3");
    }
    cDrvScan scan;
    Recorder rec(scan);
    lookForMp3(scan, tmp.path());
    scan.SearchFiles();
    EXPECT_EQ(rec.count('P'), 201);
    EXPECT_EQ(rec.count('F'), 200);

    LegatoTest::TempDir crowded;
    for (int i = 0; i < 10000; ++i)
        std::ofstream(crowded.file("f" + std::to_string(i) + (i % 2 ? ".mp3" : ".MP3")));
    const auto events = scanEvents(crowded.path());
    EXPECT_EQ(events.size(), 10001u);
}

TEST(cDrvScan, NamesThatAreNotUtf8ComeBackAsTheSameBytes)
{
    LegatoTest::TempDir tmp;
    const std::string dir = tmp.file("caf\xE9");
    fs::create_directory(dir);
    const std::string file = dir + "/\xFF\xFE song.mp3";
    std::ofstream(file) << "x";
    cDrvScan scan;
    std::vector<std::string> found;
    QObject::connect(&scan, &cDrvScan::FileFound, [&found](const std::string& f) { found.push_back(f); });
    lookForMp3(scan, tmp.path());
    scan.SearchFiles();
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0], file);
    EXPECT_TRUE(fs::exists(found[0]));
}

// Root reads every directory, so the unreadable case runs in a child process
// that has given up root; an ordinary user just takes the permission away.
TEST(cDrvScanDeathTest, UnreadableDirectoryIsPassedOverWithItsProgress)
{
    LegatoTest::TempDir tmp;
    fs::create_directories(tmp.file("locked"));
    fs::create_directories(tmp.file("open"));
    tmp.write("locked/x.mp3", "");
    tmp.write("open/b.mp3", "");
    tmp.write("a.mp3", "");
    chmod(tmp.path().c_str(), 0755);
    chmod(tmp.file("locked").c_str(), 0);

    const auto check = [&] {
        const auto events = scanEvents(tmp.path());
        const std::string root = tmp.path() + "/";
        const bool ok = events.size() == 5 &&
                        std::count(events.begin(), events.end(), "P Searching " + root + "locked/") == 1 &&
                        std::count(events.begin(), events.end(), "F " + root + "open/b.mp3") == 1 &&
                        std::count(events.begin(), events.end(), "F " + root + "a.mp3") == 1;
        return ok;
    };
    if (geteuid() != 0) {
        EXPECT_TRUE(check());
        return;
    }
    // The child is forked right here, so the parent removes the tree afterwards.
    GTEST_FLAG_SET(death_test_style, "fast");
    EXPECT_EXIT(
        {
            if (setgid(65534) != 0 || setuid(65534) != 0)
                _exit(2);
            _exit(check() ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
}
