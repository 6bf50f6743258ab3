// The command line against the least work any tool must do per file, in one
// run over one generated tree (100 folders of files holding real MP3 frames,
// named in format 0 "#AR# - #AL# - #TR#.#TI#"):
//   read floor:  open, fstat, pread the last 128 bytes, close (a C loop)
//   write floor: open, pread the last 128 bytes, pwrite 128 bytes, close
//   warm:  cadenza-cli read --json, read, batch --write (best of the rounds)
//   cold:  the same, best of the rounds as well, with the page cache
//          dropped before each run (as root,
//          /proc/sys/vm/drop_caches; otherwise each file's pages are evicted
//          with posix_fadvise, folders stay cached: "partly cold"), against
//          the floors run cold on one thread and on 16; the program itself
//          is loaded by an untimed run before each timed one
//   --scale: batch --write and read --json over 10k, 100k and 1M files, with
//          the peak resident memory of the process
// The programs run as real processes with their output going to files; the
// output of a cold run is compared with that of the warm one.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;
namespace fs = std::filesystem;

namespace {

constexpr int Folders = 100;
constexpr int Frames = 4;
constexpr int FrameSize = 417; // MPEG-1 Layer III, 128 kbit/s, 44.1 kHz, no padding
constexpr off_t AudioSize = Frames * FrameSize;

struct Tree
{
    std::string root;
    std::vector<std::string> files;
};

std::string Audio()
{
    std::string audio;
    for (int i = 0; i < Frames; ++i) {
        std::string frame(FrameSize, '\0');
        frame[0] = '\xFF';
        frame[1] = '\xFB';
        frame[2] = '\x90';
        frame[3] = '\x64';
        for (int b = 36; b < FrameSize; ++b)
            frame[static_cast<std::size_t>(b)] = static_cast<char>((b * 7 + i) & 0x7F);
        audio += frame;
    }
    return audio;
}

Tree MakeTree(const std::string& base, int count)
{
    Tree tree;
    tree.root = base + "/tree-" + std::to_string(count);
    fs::remove_all(tree.root);
    tree.files.reserve(static_cast<std::size_t>(count));
    const std::string audio = Audio();
    const int perFolder = count / Folders;
    for (int d = 0; d < Folders; ++d) {
        const std::string dir = tree.root + "/Album " + std::to_string(d);
        fs::create_directories(dir);
        for (int f = 1; f <= perFolder; ++f) {
            std::string file = dir + "/Artist " + std::to_string(d) + " - Album " + std::to_string(d) +
                               " - " + std::to_string(f % 256) + ".Title " + std::to_string(f) + ".mp3";
            const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            if (fd < 0 || ::write(fd, audio.data(), audio.size()) != AudioSize) {
                std::perror(file.c_str());
                std::exit(1);
            }
            ::close(fd);
            tree.files.push_back(std::move(file));
        }
    }
    // The new files go to the disk now, not while the runs are timed.
    ::sync();
    return tree;
}

// Cuts every file back to its audio, so the next run finds no tags.
void Untag(const Tree& tree)
{
    for (const std::string& file : tree.files)
        if (::truncate(file.c_str(), AudioSize) != 0)
            std::perror(file.c_str());
}

// Wall-clock time and processor time (user + system) of one run. On a machine
// shared with other work the wall clock also counts waiting for a processor.
struct Timing
{
    double seconds = 1e9;
    double cpu = 1e9;
    long peakKiB = 0;
};

double CpuSeconds(const struct rusage& usage)
{
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

Timing Seconds(const std::function<void()>& run)
{
    struct rusage before
    {
    }, after{};
    ::getrusage(RUSAGE_SELF, &before);
    const auto t0 = std::chrono::steady_clock::now();
    run();
    Timing timing;
    timing.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    ::getrusage(RUSAGE_SELF, &after);
    timing.cpu = CpuSeconds(after) - CpuSeconds(before);
    return timing;
}

// The best of each, kept apart (the two need not come from the same round).
void Best(Timing& best, const Timing& run)
{
    best.seconds = std::min(best.seconds, run.seconds);
    best.cpu = std::min(best.cpu, run.cpu);
    best.peakKiB = std::max(best.peakKiB, run.peakKiB);
}

// True when the whole page cache could be dropped; otherwise the files' own
// pages are evicted and folders stay cached.
bool DropCaches(const Tree& tree)
{
    ::sync();
    if (std::FILE* drop = std::fopen("/proc/sys/vm/drop_caches", "w")) {
        const bool ok = std::fputs("3\n", drop) >= 0;
        if (std::fclose(drop) == 0 && ok)
            return true;
    }
    for (const std::string& file : tree.files) {
        const int fd = ::open(file.c_str(), O_RDONLY);
        if (fd >= 0) {
            ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
            ::close(fd);
        }
    }
    return false;
}

void ReadFloor(const std::vector<std::string>& files, std::size_t first, std::size_t step)
{
    char last[128];
    for (std::size_t i = first; i < files.size(); i += step) {
        const int fd = ::open(files[i].c_str(), O_RDONLY);
        struct stat info
        {
        };
        if (fd < 0 || ::fstat(fd, &info) != 0 || ::pread(fd, last, sizeof last, info.st_size - 128) != 128)
            std::perror(files[i].c_str());
        ::close(fd);
    }
}

void ReadFloorThreads(const Tree& tree, std::size_t threads)
{
    std::vector<std::thread> pool;
    for (std::size_t t = 0; t < threads; ++t)
        pool.emplace_back([&, t] { ReadFloor(tree.files, t, threads); });
    for (auto& thread : pool)
        thread.join();
}

void WriteFloor(const std::vector<std::string>& files, std::size_t first, std::size_t step)
{
    char trailer[128] = {'T', 'A', 'G'};
    char last[128];
    for (std::size_t i = first; i < files.size(); i += step) {
        const int fd = ::open(files[i].c_str(), O_RDWR);
        if (fd < 0 || ::pread(fd, last, sizeof last, AudioSize - 128) != 128 ||
            ::pwrite(fd, trailer, sizeof trailer, AudioSize) != 128)
            std::perror(files[i].c_str());
        ::close(fd);
    }
}

// Runs the command line with stdout into out (stderr is dropped).
Timing Cli(std::vector<std::string> args, const std::string& out)
{
    args.insert(args.begin(), CADENZA_CLI);
    std::vector<char*> argv;
    for (auto& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    Timing run;
    int exit = -1;
    const auto t0 = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
        struct rusage usage
        {
        };
        int status = 0;
        // The peak the kernel reports for a child includes the memory of this
        // process before the child's exec, so the child's own high-water mark
        // is sampled from /proc while it runs.
        const std::string statusFile = "/proc/" + std::to_string(pid) + "/status";
        const std::string program = fs::path(argv[0]).filename().string();
        pid_t done = 0;
        while ((done = ::wait4(pid, &status, WNOHANG, &usage)) == 0) {
            std::ifstream proc(statusFile);
            std::string line;
            bool ours = false;
            while (std::getline(proc, line)) {
                if (line.rfind("Name:", 0) == 0)
                    ours = line.find(program.substr(0, 15)) != std::string::npos;
                if (ours && line.rfind("VmHWM:", 0) == 0)
                    run.peakKiB = std::max(run.peakKiB, std::atol(line.c_str() + 6));
            }
            ::usleep(2000);
        }
        if (done == pid) {
            exit = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            run.cpu = CpuSeconds(usage);
        }
    }
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    posix_spawn_file_actions_destroy(&actions);
    if (exit != 0)
        std::fprintf(stderr, "cadenza-cli %s exited with %d\n", args[1].c_str(), exit);
    return run;
}

std::vector<std::string> ReadArgs(const Tree& tree, bool json)
{
    std::vector<std::string> args{"read"};
    if (json)
        args.emplace_back("--json");
    args.insert(args.end(), tree.files.begin(), tree.files.end());
    return args;
}

std::vector<std::string> BatchArgs(const Tree& tree)
{
    return {"batch", tree.root, "--format", "0", "--write"};
}

std::string Contents(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void Line(const char* what, double n, const Timing& run, const std::string& against = {})
{
    std::printf("  %-42s %8.0f files/s %7.3f s (cpu %6.3f s)%s\n", what, n / run.seconds, run.seconds,
                run.cpu, against.c_str());
}

// "time / floor time" (or a rate in percent) by wall clock and by processor time.
std::string Ratio(const Timing& run, const Timing& floor, const char* target, bool percent = false)
{
    char buf[200];
    if (percent)
        std::snprintf(buf, sizeof buf, "  %5.1f%% of the floor's rate (cpu %5.1f%%; target >= %s)",
                      100.0 * floor.seconds / run.seconds, 100.0 * floor.cpu / run.cpu, target);
    else
        std::snprintf(buf, sizeof buf, "  %5.2fx the floor's time (cpu %5.2fx; target < %s)",
                      run.seconds / floor.seconds, run.cpu / floor.cpu, target);
    return buf;
}

std::string Speedup(const Timing& run, const Timing& floor, const char* target)
{
    char buf[160];
    std::snprintf(buf, sizeof buf, "  %5.2fx the 1-thread floor's speed%s%s", floor.seconds / run.seconds,
                  *target ? " (target >= " : "", *target ? (std::string(target) + ")").c_str() : "");
    return buf;
}

// The kernel takes at most a quarter of the stack limit, and never more than
// 6 MB, of arguments: with the limit raised, read gets the names in runs of
// this many, one process each.
constexpr std::size_t NamesPerRead = 50000;

void AllowLongCommandLines()
{
    struct rlimit stack
    {
    };
    if (::getrlimit(RLIMIT_STACK, &stack) == 0) {
        stack.rlim_cur = std::min<rlim_t>(stack.rlim_max, rlim_t{64} << 20);
        ::setrlimit(RLIMIT_STACK, &stack);
    }
}

// read --json over every file of the tree: the summed time and processor
// time, and the largest peak of the processes.
Timing ReadInRuns(const Tree& tree, const std::string& out)
{
    Timing total{0, 0, 0};
    for (std::size_t first = 0; first < tree.files.size(); first += NamesPerRead) {
        std::vector<std::string> args{"read", "--json"};
        const std::size_t last = std::min(tree.files.size(), first + NamesPerRead);
        args.insert(args.end(), tree.files.begin() + static_cast<long>(first),
                    tree.files.begin() + static_cast<long>(last));
        const Timing run = Cli(args, out);
        total.seconds += run.seconds;
        total.cpu += run.cpu;
        total.peakKiB = std::max(total.peakKiB, run.peakKiB);
    }
    return total;
}

void Scale(const std::string& base)
{
    AllowLongCommandLines();
    std::printf(
        "\nscale (one run each, warm cache; peak = the process's resident high-water mark, sampled every\n"
        "2 ms while it runs; read takes its names on the command line, at most %zu per process, and holds "
        "them):\n",
        NamesPerRead);
    double batchRate10k = 0, readRate10k = 0;
    for (const int count : {10000, 100000, 1000000}) {
        const Tree tree = MakeTree(base, count);
        const double n = static_cast<double>(count);
        const std::string out = base + "/scale.out";
        const Timing batch = Cli(BatchArgs(tree), out);
        const Timing read = ReadInRuns(tree, out);
        if (count == 10000) {
            batchRate10k = n / batch.seconds;
            readRate10k = n / read.seconds;
        }
        std::printf("  %7d files: batch --write %8.0f files/s (%5.1f%% of 10k's) peak %7ld KiB | "
                    "read --json %8.0f files/s (%5.1f%% of 10k's) peak %7ld KiB\n",
                    count, n / batch.seconds, 100.0 * n / batch.seconds / batchRate10k, batch.peakKiB,
                    n / read.seconds, 100.0 * n / read.seconds / readRate10k, read.peakKiB);
        std::fflush(stdout);
        fs::remove_all(tree.root);
    }
}

} // namespace

int main(int argc, char** argv)
{
    int rounds = 3;
    bool scale = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--scale") == 0)
            scale = true;
        else if (std::strcmp(argv[i], "--rounds") == 0 && i + 1 < argc)
            rounds = std::max(1, std::atoi(argv[++i]));
        else {
            std::fprintf(stderr, "usage: bench_cli [--rounds N] [--scale]\n");
            return 2;
        }
    }
    const std::string base = (fs::temp_directory_path() / ("bench-cli-" + std::to_string(getpid()))).string();
    // The runs' undo journal goes with the tree: a benchmark neither fills the
    // user's own journal nor prunes its older runs.
    fs::create_directories(base + "/state");
    ::setenv("XDG_STATE_HOME", (base + "/state").c_str(), 1);
    const Tree tree = MakeTree(base, 10000);
    const double n = static_cast<double>(tree.files.size());
    const std::string warmOut = base + "/warm.out", coldOut = base + "/cold.out";

    // Batch first: it leaves every file tagged for the reads.
    Timing writeFloor, batch;
    for (int i = 0; i < rounds; ++i) {
        Untag(tree);
        Best(writeFloor, Seconds([&] { WriteFloor(tree.files, 0, 1); }));
        Untag(tree);
        Best(batch, Cli(BatchArgs(tree), warmOut));
    }
    const std::string batchWarm = Contents(warmOut);
    Timing readFloor, json, plain;
    for (int i = 0; i < rounds; ++i) {
        Best(readFloor, Seconds([&] { ReadFloor(tree.files, 0, 1); }));
        Best(json, Cli(ReadArgs(tree, true), warmOut));
        Best(plain, Cli(ReadArgs(tree, false), base + "/plain.out"));
    }
    const std::string jsonWarm = Contents(warmOut);

    std::printf("%zu files in %d folders (%d MP3 frames each), warm cache, best of %d\n", tree.files.size(),
                Folders, Frames, rounds);
    Line("read floor (open+fstat+pread 128+close)", n, readFloor);
    Line("cadenza-cli read --json", n, json, Ratio(json, readFloor, "2x"));
    Line("cadenza-cli read", n, plain, Ratio(plain, readFloor, "2x"));
    Line("write floor (open+pread+pwrite 128+close)", n, writeFloor);
    Line("cadenza-cli batch --write", n, batch, Ratio(batch, writeFloor, "50%", true));
    std::fflush(stdout);

    // Cold runs vary more than warm ones (the device's queue, the host): the
    // floors and the programs alike are taken as the best of the rounds.
    bool cold = true;
    const auto coldRun = [&](const std::function<void()>& run, bool untag = false) {
        Timing best;
        for (int r = 0; r < rounds; ++r) {
            if (untag)
                Untag(tree);
            cold = DropCaches(tree) && cold;
            Best(best, Seconds(run));
        }
        return best;
    };
    const Timing coldReadFloor = coldRun([&] { ReadFloor(tree.files, 0, 1); });
    const Timing coldReadFloor16 = coldRun([&] { ReadFloorThreads(tree, 16); });
    // Every cold run's output must equal the warm run's.
    const auto coldCli = [&](const std::vector<std::string>& args, const std::string& warm, bool untag,
                             bool& same) {
        Timing best;
        for (int r = 0; r < rounds; ++r) {
            if (untag)
                Untag(tree);
            cold = DropCaches(tree) && cold;
            // The collection is cold, not the program: it is loaded (and its
            // libraries) by an untimed run first, as the floors are in memory.
            Cli({"--version"}, base + "/version.out");
            Best(best, Cli(args, coldOut));
            same = same && Contents(coldOut) == warm;
        }
        return best;
    };
    bool jsonSame = true;
    bool batchSame = true;
    const Timing coldJson = coldCli(ReadArgs(tree, true), jsonWarm, false, jsonSame);
    const Timing coldWriteFloor = coldRun([&] { WriteFloor(tree.files, 0, 1); }, true);
    const Timing coldBatch = coldCli(BatchArgs(tree), batchWarm, true, batchSame);

    std::printf("%s\n", cold ? "cold cache (page cache dropped before each run; the program is loaded by an "
                               "untimed run first)"
                             : "partly cold (each file's pages evicted, folders still cached)");
    Line("read floor, 1 thread", n, coldReadFloor);
    Line("read floor, 16 threads", n, coldReadFloor16, Speedup(coldReadFloor16, coldReadFloor, ""));
    Line("cadenza-cli read --json", n, coldJson, Speedup(coldJson, coldReadFloor, "2.5x"));
    std::printf("  %-42s %s\n", "  output identical to the warm run:", jsonSame ? "yes" : "NO");
    Line("write floor, 1 thread", n, coldWriteFloor);
    Line("cadenza-cli batch --write", n, coldBatch, Speedup(coldBatch, coldWriteFloor, "2.5x"));
    std::printf("  %-42s %s\n", "  output identical to the warm run:", batchSame ? "yes" : "NO");
    std::fflush(stdout);
    fs::remove_all(tree.root);

    if (scale)
        Scale(base);
    fs::remove_all(base);
    return jsonSame && batchSame ? 0 : 1;
}
