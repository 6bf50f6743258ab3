#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <vector>

namespace ReadAhead {

// Keeps many file requests in flight ahead of a consumer that works through
// files one at a time, in order. A feeder takes the next paths (file names as
// bytes) from a source, at most Window ahead of the consumer, and worker
// threads fetch what the consumer will read (the file's status, and for
// Fetch::Trailer its last 128 bytes and the few bytes that tell other tags) into the system's cache. The
// consumer then finds them there: its own reads, the order of its work and its outcomes stay exactly what
// they are without the pool, and nothing is read twice from the device.
//
// Where the system offers io_uring, one thread keeps up to 256 files' requests
// in flight through it instead of the worker threads (Options::Ring).
//
// Only regular files are opened, non-blocking, so a FIFO or a device never
// blocks a worker. A file that hangs anyway (a dead network mount) holds its
// worker, not the run: the consumer waits at most Wait for a file, a stuck
// worker is replaced (up to MaxThreads in all), and threads still stuck when
// the pool goes away are left to finish on their own.
class ReadAheadPool
{
public:
    enum class Fetch
    {
        Status,  // stat only (the consumer looks at the files but reads none)
        Trailer, // stat, then the first and the last bytes of a regular file
        End,     // the same without the first bytes (one read less from the device)
    };

    struct Tail;

    struct Options
    {
        unsigned Threads = 16;
        unsigned MaxThreads = 64;
        std::size_t Window = 512;
        std::chrono::milliseconds Wait{1000};
        Fetch What = Fetch::Trailer;
        // For a consumer that reads each file again itself, so that a fetch
        // only brings it into the cache: while fetches keep finding the files
        // there already, the pool stops fetching most of them (they come
        // with Tail::Skipped) and fetches one in Probe to notice when they no
        // longer are. It costs the consumer nothing on a warm cache and at
        // most a window of files read one at a time where the cold part of a
        // tree begins. Only the default fetch of the last bytes tells.
        bool SkipWhileCached = false;
        unsigned Probe = 16;
        // The default fetch goes through one io_uring where the system
        // offers it: one thread submits the steps of up to 256 files at a
        // time, so requests reach the device in batches, with far less
        // processor time than a thread per request. A few of the kernel's
        // helper threads take the opens that wait on the device, one more
        // for each file given up on as hung, up to MaxThreads. Without
        // io_uring (or with Ring off) the workers fetch.
        bool Ring = true;
        // With the ring: each fetched file stays open and goes to the
        // consumer with the fetch (Tail::Open), so it need not open and read
        // the file again. Files are then fetched also while cached. A file
        // is opened for reading and writing when the last file fetched was
        // one that Writes says is about to be written (a file that cannot
        // be opened so is opened for reading); otherwise for reading.
        // Writes is called on the pool's own thread. Each file in the
        // window may hold a descriptor, so the window is then kept within a
        // quarter of the process's limit on open files.
        bool KeepOpen = false;
        std::function<bool(const Tail&)> Writes{};
    };

    // A file descriptor handed over with a fetch; closed with its owner.
    class OpenFile
    {
    public:
        OpenFile() = default;
        OpenFile(int descriptor, bool writable) : m_fd(descriptor), m_writable(writable) {}
        ~OpenFile();
        OpenFile(OpenFile&& other) noexcept;
        OpenFile& operator=(OpenFile&& other) noexcept;
        OpenFile(const OpenFile&) = delete;
        OpenFile& operator=(const OpenFile&) = delete;

        bool IsOpen() const { return m_fd >= 0; }
        bool Writable() const { return m_writable; }
        // Gives up the descriptor to the caller, who closes it.
        int Release();

    private:
        int m_fd = -1;
        bool m_writable = false;
    };

    // What a worker found: whether the path named a regular file, and when it
    // could be read, its size as opened and its last min(size, 128) bytes;
    // besides, its first bytes and the bytes right before the last 128 (as
    // many of each as the file holds), where other tags show themselves.
    struct Tail
    {
        bool Regular = false;
        bool Read = false;
        bool Cached = false;  // the last bytes were in the cache already
        bool Skipped = false; // not fetched at all (SkipWhileCached): Regular is what the listing showed
        std::int64_t Size = 0;
        std::size_t Count = 0;
        std::array<std::uint8_t, 128> Bytes{};
        std::size_t LeadCount = 0;
        std::array<std::uint8_t, 10> Lead{};
        std::size_t BeforeCount = 0;
        std::array<std::uint8_t, 227> Before{};
        // Options::KeepOpen: the file as the fetch opened and read it, and
        // what fstat said of it then.
        OpenFile Open;
        struct stat Status
        {
        };

        // The first bytes fetched; and the last ones, those before the last
        // 128 followed by those.
        std::string_view Head() const { return {reinterpret_cast<const char*>(Lead.data()), LeadCount}; }
        std::string End() const;
    };

    // A path as the source gave it, with what was fetched for it (nothing
    // read when the fetch was only the status, failed, or not done in time).
    struct File
    {
        std::string Path;
        Tail Fetched;
    };

    // A path from the source, and whether its listing (a folder's entry
    // types) or a look a moment ago showed a regular file; a plain path
    // tells nothing. The default fetch opens such a file without a look of
    // its own.
    struct Entry
    {
        Entry(std::string path, bool listedRegular = false)
            : Path(std::move(path)), ListedRegular(listedRegular)
        {
        }
        std::string Path;
        bool ListedRegular = false;
    };
    // The next path, or nothing at the end. Called on the pool's own feeder
    // thread, so it must own what it reads.
    using Source = std::function<std::optional<Entry>()>;
    // What a worker does for one path; the default fetches per Options::What.
    // Like the source it must own what it uses: a stuck worker may outlive
    // the pool.
    using Action = std::function<Tail(const std::string& path)>;

    explicit ReadAheadPool(Source source);
    ReadAheadPool(Source source, Options options, Action action = {});
    ~ReadAheadPool();
    ReadAheadPool(const ReadAheadPool&) = delete;
    ReadAheadPool& operator=(const ReadAheadPool&) = delete;

    // The next path of the source, in its order, once its fetch is done or
    // Options::Wait has passed; nothing when the source is exhausted.
    std::optional<File> Next();

    // Like Next, but waits at most Options::Wait for the source as well
    // (a tree walk may hang in a folder on a dead mount): nothing when the
    // source is exhausted or slower than that.
    std::optional<File> TryNext();

    // For a consumer that finds the same paths by its own walk: one file is
    // done, so the window moves on by one (nothing is waited for).
    void Consumed();

    // The paths in the given order.
    static Source List(std::vector<std::string> paths);

    // The files below root, in the order of a depth-first walk that lists
    // each folder once: the matching entries of a folder first (names that
    // are not "." or ".." and for which matches is true), then its
    // subfolders one by one, skipping those whose names begin with "." and
    // any folder already entered (same device and inode). root ends in "/".
    static Source Tree(std::string root, std::function<bool(std::string_view name)> matches);

    // Fetches what Options::What names for path, as a worker does.
    // With tellCached, Tail::Cached says whether its last bytes were cached
    // (one more system call for a file that was not). A file listedRegular
    // (its source looked already) is opened without a look of its own.
    static Tail FetchFile(const std::string& path, Fetch what, bool tellCached = false,
                          bool listedRegular = false);

private:
    std::optional<File> Take(bool boundedSource);

    struct State;
    std::shared_ptr<State> m_state;
};

} // namespace ReadAhead
