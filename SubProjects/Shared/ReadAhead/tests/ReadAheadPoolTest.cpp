#include "ReadAhead/ReadAheadPool.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <fcntl.h>
#include <filesystem>
#include <grp.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <mutex>
#include <set>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <thread>
#include <unistd.h>
#include <utility>

using ReadAhead::ReadAheadPool;

namespace {

// Records which paths a worker has fetched; "hang" blocks until released. Held
// by the action, since a stuck worker may outlive its pool.
struct Fetches : std::enable_shared_from_this<Fetches>
{
    std::mutex mutex;
    std::condition_variable released;
    bool open = false;
    std::set<std::string> done;

    ReadAheadPool::Action action()
    {
        return [self = shared_from_this()](const std::string& path) {
            std::unique_lock lock(self->mutex);
            if (path == "hang")
                self->released.wait(lock, [&] { return self->open; });
            self->done.insert(path);
            ReadAheadPool::Tail tail;
            tail.Read = true;
            tail.Size = static_cast<std::int64_t>(path.size());
            return tail;
        };
    }
    bool fetched(const std::string& path)
    {
        std::lock_guard lock(mutex);
        return done.count(path) == 1;
    }
    void release()
    {
        std::lock_guard lock(mutex);
        open = true;
        released.notify_all();
    }
};

std::vector<std::string> drain(ReadAheadPool& pool)
{
    std::vector<std::string> out;
    while (auto file = pool.Next())
        out.push_back(file->Path);
    return out;
}

} // namespace

TEST(ReadAheadPool, HandsBackEveryPathInOrderOnceFetched)
{
    std::vector<std::string> paths;
    for (int i = 0; i < 300; ++i)
        paths.push_back("file " + std::to_string(i));
    const auto fetches = std::make_shared<Fetches>();
    ReadAheadPool pool(ReadAheadPool::List(paths), {.Threads = 8, .Window = 16}, fetches->action());
    std::vector<std::string> out;
    while (auto file = pool.Next()) {
        EXPECT_TRUE(fetches->fetched(file->Path)) << file->Path;
        EXPECT_EQ(file->Fetched.Size, static_cast<std::int64_t>(file->Path.size()));
        out.push_back(file->Path);
    }
    EXPECT_EQ(out, paths);
}

TEST(ReadAheadPool, AHungFileCostsABoundedWaitAndTheRestGoOn)
{
    const auto fetches = std::make_shared<Fetches>();
    const std::vector<std::string> paths{"a", "hang", "b", "c", "d"};
    std::vector<std::string> out;
    {
        ReadAheadPool pool(ReadAheadPool::List(paths),
                           {.Threads = 2, .MaxThreads = 3, .Wait = std::chrono::milliseconds(50)},
                           fetches->action());
        const auto start = std::chrono::steady_clock::now();
        out = drain(pool);
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
        EXPECT_FALSE(fetches->fetched("hang"));
        EXPECT_TRUE(fetches->fetched("d"));
    }
    // The pool is gone; its stuck worker leaves once the file answers.
    fetches->release();
    EXPECT_EQ(out, paths);
}

TEST(ReadAheadPool, TheFeederStaysWithinTheWindow)
{
    const auto fed = std::make_shared<std::atomic<int>>(0);
    ReadAheadPool pool([fed]() -> std::optional<std::string> { return "file " + std::to_string((*fed)++); },
                       {.Threads = 2, .Window = 8}, [](const std::string&) { return ReadAheadPool::Tail{}; });
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(pool.Next());
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_LE(fed->load(), 3 + 8 + 1);
}

TEST(ReadAheadPool, FetchingReadsTheTailOfRegularFilesAndNeverOpensAFifo)
{
    LegatoTest::TempDir dir;
    const std::string fifo = dir.file("pipe.mp3");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // Opening the FIFO for reading would block here for good.
    EXPECT_FALSE(ReadAheadPool::FetchFile(fifo, ReadAheadPool::Fetch::Trailer).Regular);
    // Listed as a regular file (replaced since): opened without waiting, and nothing read.
    EXPECT_FALSE(ReadAheadPool::FetchFile(fifo, ReadAheadPool::Fetch::Trailer, false, true).Read);
    EXPECT_FALSE(ReadAheadPool::FetchFile(dir.file("missing.mp3"), ReadAheadPool::Fetch::Trailer).Read);
    const auto tail = ReadAheadPool::FetchFile(dir.write("short.mp3", "abc"), ReadAheadPool::Fetch::Trailer);
    EXPECT_TRUE(tail.Regular && tail.Read);
    EXPECT_EQ(std::string(tail.Bytes.begin(), tail.Bytes.begin() + static_cast<long>(tail.Count)), "abc");
    EXPECT_EQ(tail.BeforeCount, 0u);
    EXPECT_EQ(std::string(tail.Lead.begin(), tail.Lead.begin() + static_cast<long>(tail.LeadCount)), "abc");

    // A longer file: its first 10 bytes, and the 227 before its last 128.
    std::string bytes(1000, 'x');
    bytes.replace(0, 10, "ID3head...");
    bytes.replace(1000 - 128 - 227, 4, "TAG+");
    bytes.replace(1000 - 128, 3, "TAG");
    const auto big = ReadAheadPool::FetchFile(dir.write("long.mp3", bytes), ReadAheadPool::Fetch::Trailer);
    ASSERT_TRUE(big.Read);
    EXPECT_EQ(std::string(big.Lead.begin(), big.Lead.end()), "ID3head...");
    EXPECT_EQ(big.BeforeCount, 227u);
    EXPECT_EQ(std::string(big.Before.begin(), big.Before.begin() + 4), "TAG+");
    EXPECT_EQ(std::string(big.Bytes.begin(), big.Bytes.begin() + 3), "TAG");
    // Without the first bytes, the rest alike.
    const auto end = ReadAheadPool::FetchFile(dir.file("long.mp3"), ReadAheadPool::Fetch::End);
    ASSERT_TRUE(end.Read);
    EXPECT_EQ(end.LeadCount, 0u);
    EXPECT_EQ(end.End(), big.End());
}

TEST(ReadAheadPool, TreeListsAFoldersFilesBeforeItsSubfoldersAndEntersEachOnce)
{
    namespace fs = std::filesystem;
    LegatoTest::TempDir dir;
    for (const char* folder : {"sub/deep", ".hidden", "other"})
        fs::create_directories(dir.file(folder));
    for (const char* file :
         {"top.mp3", "notes.txt", "sub/one.MP3", "sub/deep/two.mp3", ".hidden/no.mp3", "other/three.mp3"})
        dir.write(file, "x");
    fs::create_directory_symlink(dir.path(), dir.file("sub/up"));

    ReadAheadPool pool(ReadAheadPool::Tree(dir.path() + "/",
                                           [](std::string_view name) {
                                               return name.size() > 4 &&
                                                      (name.ends_with(".mp3") || name.ends_with(".MP3"));
                                           }),
                       {}, [](const std::string&) { return ReadAheadPool::Tail{}; });
    const std::vector<std::string> out = drain(pool);
    const auto at = [&](const std::string& name) {
        return std::find(out.begin(), out.end(), dir.file(name)) - out.begin();
    };
    ASSERT_EQ(out.size(), 4U);
    EXPECT_EQ(at("top.mp3"), 0);
    EXPECT_EQ(at("sub/deep/two.mp3"), at("sub/one.MP3") + 1);
}

TEST(ReadAheadPool, TryNextGivesUpOnASourceThatHangs)
{
    const auto fetches = std::make_shared<Fetches>();
    ReadAheadPool pool(
        [fetches, first = true]() mutable -> std::optional<std::string> {
            if (std::exchange(first, false))
                return "a";
            fetches->action()("hang"); // a folder on a dead mount
            return std::nullopt;
        },
        {.Wait = std::chrono::milliseconds(50)}, [](const std::string&) { return ReadAheadPool::Tail{}; });
    ASSERT_TRUE(pool.TryNext());
    EXPECT_FALSE(pool.TryNext());
    fetches->release();
}

TEST(ReadAheadPool, WhileFilesAreCachedMostArePassedOnUnfetchedUntilAProbeMisses)
{
    LegatoTest::TempDir dir;
    std::vector<std::string> paths;
    for (int i = 0; i < 400; ++i)
        paths.push_back(dir.write("f" + std::to_string(i), std::string(300, 'a')));
    const auto run = [&] {
        ReadAheadPool pool(ReadAheadPool::List(paths),
                           {.Threads = 2, .Window = 8, .SkipWhileCached = true, .Probe = 4});
        std::vector<bool> skipped;
        while (auto file = pool.Next()) {
            EXPECT_EQ(file->Path, paths[skipped.size()]);
            EXPECT_TRUE(file->Fetched.Skipped || file->Fetched.Read) << file->Path;
            skipped.push_back(file->Fetched.Skipped);
        }
        return skipped;
    };
    // Just written, so cached: after a run of cached fetches, only the probes are fetched.
    const std::vector<bool> warm = run();
    ASSERT_EQ(warm.size(), paths.size());
    EXPECT_GT(std::count(warm.begin(), warm.end(), true), 200);

    // Evicted from the cache (flushed first): the probes miss, and so every file is fetched.
    for (const std::string& path : paths) {
        const int fd = open(path.c_str(), O_RDONLY);
        fdatasync(fd);
        posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
        close(fd);
    }
    const std::vector<bool> cold = run();
    EXPECT_EQ(std::count(cold.begin(), cold.end(), true), 0);
}

TEST(ReadAheadPool, TheRingFetchesWhatAWorkerFetchesAndClosesEverythingWhenCutShort)
{
    namespace fs = std::filesystem;
    const auto openFiles = [] {
        return std::distance(fs::directory_iterator("/proc/self/fd"), fs::directory_iterator{});
    };
    const auto before = openFiles();
    LegatoTest::TempDir dir;
    ASSERT_EQ(::mkfifo(dir.file("pipe.mp3").c_str(), 0600), 0);
    std::string bytes(5000, 'x');
    bytes.replace(0, 10, "ID3head...");
    bytes.replace(5000 - 128, 3, "TAG");
    fs::create_directories(dir.file("folder.mp3"));
    fs::create_symlink(dir.write("long.mp3", bytes), dir.file("link.mp3"));
    fs::create_symlink(dir.file("pipe.mp3"), dir.file("pipelink.mp3"));
    // Each name plain and as listed regular (a FIFO listed so was put in the file's place since).
    std::vector<ReadAheadPool::Entry> entries;
    for (const std::string name : {"pipe.mp3", "pipelink.mp3", "missing.mp3", "folder.mp3", "long.mp3",
                                   "link.mp3", "empty.mp3", "short.mp3"})
        for (const bool listed : {false, true})
            entries.emplace_back(dir.file(name), listed);
    dir.write("empty.mp3", "");
    dir.write("short.mp3", "abc");
    const auto same = [](const ReadAheadPool::Tail& a, const ReadAheadPool::Tail& b) {
        return a.Regular == b.Regular && a.Read == b.Read && a.Size == b.Size && a.Count == b.Count &&
               a.Bytes == b.Bytes && a.Head() == b.Head() && a.End() == b.End();
    };
    for (const auto what :
         {ReadAheadPool::Fetch::Trailer, ReadAheadPool::Fetch::End, ReadAheadPool::Fetch::Status}) {
        ReadAheadPool pool(
            [&, next = std::size_t{0}]() mutable -> std::optional<ReadAheadPool::Entry> {
                return next < entries.size() ? std::optional(entries[next++]) : std::nullopt;
            },
            {.What = what});
        for (const auto& entry : entries) {
            const auto file = pool.Next();
            ASSERT_TRUE(file);
            EXPECT_EQ(file->Path, entry.Path);
            EXPECT_TRUE(
                same(file->Fetched, ReadAheadPool::FetchFile(entry.Path, what, false, entry.ListedRegular)))
                << entry.Path << (entry.ListedRegular ? " listed" : "");
        }
        EXPECT_FALSE(pool.Next());
    }

    // A pool dropped with fetches in flight leaves no file open once they end.
    {
        ReadAheadPool pool(ReadAheadPool::List(std::vector<std::string>(2000, dir.file("long.mp3"))));
        ASSERT_TRUE(pool.Next());
    }
    for (int i = 0; i < 500 && openFiles() > before; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(openFiles(), before);
}

TEST(ReadAheadPool, KeptOpenAFileFollowingOneToBeWrittenComesOpenForWriting)
{
    LegatoTest::TempDir dir;
    std::vector<std::string> paths;
    for (const char* end : {"x", "w", "x", "x"})
        paths.push_back(dir.write("f" + std::to_string(paths.size()), std::string(400, 'a') + end));
    // One file at a time, so each open follows the fetch before it.
    ReadAheadPool pool(ReadAheadPool::List(paths),
                       {.Window = 1, .KeepOpen = true, .Writes = [](const ReadAheadPool::Tail& tail) {
                            return tail.Bytes[tail.Count - 1] == 'w';
                        }});
    std::vector<bool> writable;
    while (auto file = pool.Next()) {
        ReadAheadPool::OpenFile& open = file->Fetched.Open;
        if (!open.IsOpen())
            GTEST_SKIP() << "no io_uring here: the workers hand nothing over";
        EXPECT_EQ(file->Fetched.Status.st_size, 401);
        const int descriptor = open.Release();
        EXPECT_EQ((fcntl(descriptor, F_GETFL) & O_ACCMODE) == O_RDWR, open.Writable());
        close(descriptor);
        writable.push_back(open.Writable());
    }
    EXPECT_EQ(writable, (std::vector<bool>{false, false, true, false}));
}

namespace {

// Run in a child process: a filter lets the ring be set up but refuses every
// use of it, as some sandboxes do. 0 when every file came back in order,
// those not in flight at the refusal fetched, and none waited out the wait.
int FetchUnderARefusedRing(const std::vector<std::string>& paths)
{
    sock_filter filter[] = {
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_io_uring_enter, 0, 1),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | EPERM),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
    };
    sock_fprog program{static_cast<unsigned short>(std::size(filter)), filter};
    if (prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0 ||
        prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) != 0)
        return 2;
    const auto start = std::chrono::steady_clock::now();
    ReadAheadPool pool(ReadAheadPool::List(paths), {.Window = 8, .Wait = std::chrono::seconds(5)});
    std::size_t next = 0;
    std::size_t read = 0;
    while (auto file = pool.Next()) {
        if (file->Path != paths[next++])
            return 3;
        read += file->Fetched.Read;
    }
    const bool quick = std::chrono::steady_clock::now() - start < std::chrono::seconds(2);
    return next == paths.size() && read >= paths.size() - 8 && quick ? 0 : 4;
}

} // namespace

TEST(ReadAheadPool, ARingTheKernelRefusesToRunGivesWayToWorkersAtOnce)
{
    LegatoTest::TempDir dir;
    std::vector<std::string> paths;
    for (int i = 0; i < 100; ++i)
        paths.push_back(dir.write("f" + std::to_string(i), std::string(400, 'x')));
    EXPECT_EXIT(std::_Exit(FetchUnderARefusedRing(paths)), testing::ExitedWithCode(0), "");
}

namespace {

// Run in a child process as an ordinary user, to whom every file belongs to
// somebody else: 0 when each came back read in full.
int FetchSomebodyElsesFiles(const std::vector<std::string>& paths)
{
    constexpr uid_t nobody = 65534;
    if (setgroups(0, nullptr) != 0 || setresgid(nobody, nobody, nobody) != 0 ||
        setresuid(nobody, nobody, nobody) != 0)
        return 2;
    ReadAheadPool pool(ReadAheadPool::List(paths), {});
    std::size_t read = 0;
    while (auto file = pool.Next())
        read += file->Fetched.Read && file->Fetched.Size == 400;
    return read == paths.size() ? 0 : 3;
}

} // namespace

TEST(ReadAheadPool, SomebodyElsesFilesAreReadAsWell)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "the files are made somebody else's by running as another user";
    LegatoTest::TempDir dir;
    ASSERT_EQ(chmod(dir.path().c_str(), 0755), 0);
    std::vector<std::string> paths;
    for (int i = 0; i < 40; ++i)
        paths.push_back(dir.write("f" + std::to_string(i), std::string(400, 'x')));
    EXPECT_EXIT(std::_Exit(FetchSomebodyElsesFiles(paths)), testing::ExitedWithCode(0), "");
}
