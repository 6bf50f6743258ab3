// Kills `cadenza-cli write` and `batch --write` at random moments and checks
// that every file is either as it was or carries one whole trailer after its
// unchanged audio: a killed writer never leaves part of a trailer behind. After
// each kill, `undo` puts every file back as it was before the run.
// Every trailer here spans a 4 KiB page boundary, where the kernel may split
// a write.
#include "Id3v2Bytes.h"
#include "TempDir.h"

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <random>
#include <spawn.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {

constexpr int kKills = 100;
// A loaded or instrumented build finishes many runs before the kill comes;
// rounds go on (up to this many) until a quarter of kKills landed mid-run.
constexpr int kMaxKills = 4 * kKills;
constexpr std::size_t kTrailer = 128;

struct Original
{
    std::string path;
    std::string audio;   // the bytes before any trailer
    std::string trailer; // the file's own trailer, or empty
};

pid_t spawnCli(std::vector<std::string> args, const std::string& log)
{
    args.insert(args.begin(), CADENZA_CLI);
    std::vector<char*> argv;
    for (auto& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t pid = -1;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0)
        pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

// Runs cadenza-cli and kills it after delay microseconds; false when it could
// not be started. Returns once it, and any helper it left finishing a write,
// have ended.
bool killedRun(std::vector<std::string> args, const std::string& log, long delay)
{
    const pid_t pid = spawnCli(std::move(args), log);
    if (pid <= 0)
        return false;
    std::this_thread::sleep_for(std::chrono::microseconds(delay));
    ::kill(pid, SIGKILL);
    int status = 0;
    while (waitpid(-1, &status, __WALL) > 0) {
    }
    return true;
}

// Empty when the file is as it was or fully tagged, else what is wrong.
std::string damage(const Original& o)
{
    const std::string now = LegatoTest::readAll(o.path);
    if (now == o.audio + o.trailer)
        return {};
    if (now.size() != o.audio.size() + kTrailer)
        return "size " + std::to_string(now.size()) + " instead of " + std::to_string(o.audio.size()) +
               " or " + std::to_string(o.audio.size() + kTrailer);
    if (now.compare(0, o.audio.size(), o.audio) != 0)
        return "audio changed";
    if (now.compare(o.audio.size(), 3, "TAG") != 0)
        return "no trailer identifier";
    return {};
}

} // namespace

TEST(KillWrite, AKilledWriterLeavesEveryFileWholeOrUntouched)
{
    LegatoTest::TempDir dir;
    ASSERT_EQ(mkdir(dir.file("music").c_str(), 0755), 0);
    setenv("XDG_STATE_HOME", dir.file("state").c_str(), 1); // the runs' own undo journal
    // Processes the writer leaves behind become this test's children.
    ASSERT_EQ(prctl(PR_SET_CHILD_SUBREAPER, 1), 0);
    std::mt19937 random(20261208u);

    // Sizes put many trailers across a 4 KiB page boundary, where a write
    // could be split; every third file already carries a trailer to replace.
    // More files than a batch run's journal group, so kills also land while
    // a group is written beside the gathering of the next.
    std::vector<Original> files;
    for (int i = 0; i < 300; ++i) {
        Original o;
        o.path = dir.file("music/Artist - Song " + std::to_string(i) + ".mp3");
        const std::size_t size = 4096 * (1 + i % 4) - 1 - (random() % 127);
        o.audio.resize(size);
        for (char& c : o.audio)
            c = static_cast<char>('a' + random() % 26);
        if (i % 3 == 0)
            o.trailer = "TAG" + std::string(kTrailer - 3, '\0');
        files.push_back(o);
    }
    auto restore = [&] {
        for (const Original& o : files)
            dir.write(o.path.substr(dir.path().size() + 1), o.audio + o.trailer);
    };
    auto command = [&](int round) {
        if (round % 2)
            return std::vector<std::string>{"batch", dir.file("music"), "--format", "1", "--write"};
        std::vector<std::string> args{"write", "--title", "Killed " + std::to_string(round)};
        for (const Original& o : files)
            args.push_back(o.path);
        return args;
    };

    // How long a run takes before it writes (a run on a missing file) and in
    // all, so the kills spread over the part that writes.
    auto timeRun = [&](std::vector<std::string> args) {
        const auto start = std::chrono::steady_clock::now();
        const pid_t pid = spawnCli(std::move(args), dir.file("log"));
        int status = 0;
        waitpid(pid, &status, 0);
        return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start)
            .count();
    };
    const auto startup = timeRun({"write", "--title", "X", dir.file("missing.mp3")}) * 8 / 10;
    restore();
    const auto span = timeRun(command(0));
    ASSERT_EQ(damage(files.back()), "");
    ASSERT_NE(LegatoTest::readAll(files.back().path), files.back().audio + files.back().trailer)
        << LegatoTest::readAll(dir.file("log"));
    std::uniform_int_distribution<long> delay(std::min(startup, span / 2), span);
    int status = 0;

    int killedMidRun = 0; // rounds that ended with some files written and some not
    for (int round = 0; round < kMaxKills && (round < kKills || killedMidRun < kKills / 4); ++round) {
        restore();
        ASSERT_TRUE(killedRun(command(round), dir.file("log"), delay(random)));
        std::size_t written = 0;
        for (const Original& o : files) {
            ASSERT_EQ(damage(o), "") << o.path << " after kill " << round;
            written += LegatoTest::readAll(o.path) != o.audio + o.trailer;
        }
        killedMidRun += written > 0 && written < files.size();
        { // undo puts every file back, whatever the kill left
            waitpid(spawnCli({"undo"}, dir.file("undo.log")), &status, 0);
            for (const Original& o : files)
                ASSERT_EQ(LegatoTest::readAll(o.path), o.audio + o.trailer)
                    << o.path << " after kill " << round << " and undo:\n"
                    << LegatoTest::readAll(dir.file("undo.log"));
        }
    }
    EXPECT_GE(killedMidRun, kKills / 4) << "the kills must land while the writer works";
}

// The same with --also-id3v2 over files whose ID3v2 tag has no room to grow:
// each write puts a new file in place of the old one. After every kill each
// file is exactly as before or exactly as a whole run leaves it, and undo
// puts back every byte.
TEST(KillWrite, AKilledId3v2WriterLeavesEveryFileAsBeforeOrAsIntended)
{
    LegatoTest::TempDir dir;
    ASSERT_EQ(mkdir(dir.file("music").c_str(), 0755), 0);
    setenv("XDG_STATE_HOME", dir.file("state").c_str(), 1);
    ASSERT_EQ(prctl(PR_SET_CHILD_SUBREAPER, 1), 0);
    std::mt19937 random(20261209u);

    std::vector<Original> files; // here audio holds the whole original file
    for (int i = 0; i < 40; ++i) {
        Original o;
        o.path = dir.file("music/Artist - Song " + std::to_string(i) + ".mp3");
        o.audio = LegatoTest::Id3v23({{"TIT2", "Front " + std::to_string(i)}, {"TPE1", "Someone"}});
        for (std::size_t n = 0; n < 20000 + random() % 5000; ++n)
            o.audio += static_cast<char>('a' + random() % 26);
        if (i % 2 == 0) // a TAG+ block and a trailer to follow
            o.audio += "TAG+" + std::string(223, '\0') + "TAG" + std::string(kTrailer - 3, '\0');
        files.push_back(o);
    }
    const auto restore = [&] {
        for (const Original& o : files)
            dir.write(o.path.substr(dir.path().size() + 1), o.audio);
    };
    const auto command = [&](int round) {
        if (round % 2)
            return std::vector<std::string>{"batch",   dir.file("music"), "--format",    "1",
                                            "--write", "--overwrite",     "--also-id3v2"};
        std::vector<std::string> args{"write", "--also-id3v2", "--title",
                                      "Killed, with a title beyond thirty"};
        for (const Original& o : files)
            args.push_back(o.path);
        return args;
    };
    const auto run = [&](int round) {
        const auto start = std::chrono::steady_clock::now();
        int status = 0;
        waitpid(spawnCli(command(round), dir.file("log")), &status, 0);
        return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start)
            .count();
    };
    // What a whole run of each kind leaves.
    std::vector<std::string> intended[2];
    long span = 0;
    for (int kind = 0; kind < 2; ++kind) {
        restore();
        span = std::max(span, run(kind));
        for (const Original& o : files) {
            intended[kind].push_back(LegatoTest::readAll(o.path));
            ASSERT_NE(intended[kind].back(), o.audio) << LegatoTest::readAll(dir.file("log"));
        }
    }
    std::uniform_int_distribution<long> delay(span / 10, span);
    int status = 0;
    int killedMidRun = 0;
    for (int round = 0; round < kKills / 2 || (killedMidRun < kKills / 8 && round < kMaxKills / 2); ++round) {
        restore();
        ASSERT_TRUE(killedRun(command(round), dir.file("log"), delay(random)));
        std::size_t written = 0;
        for (std::size_t i = 0; i < files.size(); ++i) {
            const std::string now = LegatoTest::readAll(files[i].path);
            ASSERT_TRUE(now == files[i].audio || now == intended[round % 2][i])
                << files[i].path << " after kill " << round;
            written += now != files[i].audio;
        }
        killedMidRun += written > 0 && written < files.size();
        waitpid(spawnCli({"undo"}, dir.file("undo.log")), &status, 0);
        for (const Original& o : files)
            ASSERT_EQ(LegatoTest::readAll(o.path), o.audio)
                << o.path << " after kill " << round << " and undo:\n"
                << LegatoTest::readAll(dir.file("undo.log"));
    }
    EXPECT_GE(killedMidRun, kKills / 8) << "the kills must land while the writer works";
}
