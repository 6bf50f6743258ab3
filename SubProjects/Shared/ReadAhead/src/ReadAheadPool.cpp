#include "ReadAhead/ReadAheadPool.h"

#include "RingFetcher.h"

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <deque>
#include <dirent.h>
#include <fcntl.h>
#include <mutex>
#include <set>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <system_error>
#include <thread>
#include <unistd.h>
#include <utility>

namespace ReadAhead {

std::string ReadAheadPool::Tail::End() const
{
    std::string end(reinterpret_cast<const char*>(Before.data()), BeforeCount);
    end.append(reinterpret_cast<const char*>(Bytes.data()), Count);
    return end;
}

ReadAheadPool::OpenFile::~OpenFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

ReadAheadPool::OpenFile::OpenFile(OpenFile&& other) noexcept
    : m_fd(std::exchange(other.m_fd, -1)), m_writable(other.m_writable)
{
}

ReadAheadPool::OpenFile& ReadAheadPool::OpenFile::operator=(OpenFile&& other) noexcept
{
    if (this != &other) {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = std::exchange(other.m_fd, -1);
        m_writable = other.m_writable;
    }
    return *this;
}

int ReadAheadPool::OpenFile::Release()
{
    return std::exchange(m_fd, -1);
}

using Clock = std::chrono::steady_clock;

struct ReadAheadPool::State : std::enable_shared_from_this<State>
{
    struct Item
    {
        std::string path;
        bool listedRegular = false;
        bool done = false;
        Clock::time_point claimed{};
        Tail tail;
    };

    State(Source s, Options o, Action a) : source(std::move(s)), action(std::move(a)), options(o) {}

    Source source;
    Action action;
    Options options;

    std::mutex mutex;
    std::condition_variable feederWake;
    std::condition_variable workerWake;
    std::condition_variable consumerWake;
    // The paths fed and not yet passed by the consumer; items.front() has the
    // number base in the source's order.
    std::deque<Item> items;
    std::uint64_t base = 0;
    std::uint64_t nextClaim = 0;
    // Paths the consumer passed before the feeder got to them: dropped unfetched.
    std::uint64_t behind = 0;
    bool exhausted = false;
    bool stop = false;
    bool consumerWaits = false;
    bool direct = false; // no feeder thread could be started: Next reads the source itself
    unsigned started = 0;
    unsigned idle = 0;
    unsigned stuck = 0;
    // SkipWhileCached: fetches in a row that found the file cached, whether
    // fetching is paused, and the files fed since the last probe.
    unsigned cachedInRow = 0;
    bool warm = false;
    unsigned sinceProbe = 0;
    static constexpr unsigned kWarmAfter = 64;
    // With io_uring, one thread keeps up to this many fetches in flight
    // instead of the workers; ringFull says the ring had no room left.
    std::unique_ptr<detail::RingFetcher> ring;
    bool ringFull = false;
    // KeepOpen: whether the last file fetched is about to be written.
    bool lastWrites = false;
    static constexpr unsigned kRingFiles = 256;
    // The kernel's helper threads for the ring's opens that must wait on the
    // device: a few suffice, since a folder's files share their inode table
    // blocks, and more cost processor time. One more for each file given up
    // on as hung, up to MaxThreads.
    static constexpr unsigned kRingHelpers = 4;
    static constexpr std::chrono::milliseconds kRingTurn{10};

    bool Claimable() const { return std::max(nextClaim, base) < base + items.size(); }

    // Starts workers while files wait unclaimed and no free one is there to
    // take them: up to Threads working ones, stuck ones replaced up to
    // MaxThreads in all.
    void Grow()
    {
        if (ring)
            return;
        const std::uint64_t waiting = base + items.size() - std::max(nextClaim, base);
        while (waiting > idle && started - std::min(stuck, started) < options.Threads &&
               started < options.MaxThreads) {
            try {
                std::thread([self = shared_from_this()] { self->Work(); }).detach();
            } catch (const std::system_error&) {
                return; // fewer threads only means fewer requests in flight
            }
            ++started;
            ++idle;
        }
    }

    // Takes the next file to fetch, skipping those passed on unfetched,
    // and notes when; null when none is left to claim.
    Item* Claim(std::uint64_t& number)
    {
        while (Claimable()) {
            number = std::max(nextClaim, base);
            nextClaim = number + 1;
            Item& item = items[number - base];
            if (!item.done) {
                item.claimed = Clock::now();
                return &item;
            }
        }
        return nullptr;
    }

    void Work()
    {
        std::unique_lock lock(mutex);
        for (;;) {
            workerWake.wait(lock, [this] { return stop || Claimable(); });
            if (stop)
                return;
            std::uint64_t number = 0;
            const Item* item = Claim(number);
            if (!item)
                continue;
            const std::string path = item->path;
            const bool listedRegular = item->listedRegular;
            --idle;
            lock.unlock();
            Tail tail =
                action ? action(path) : FetchFile(path, options.What, options.SkipWhileCached, listedRegular);
            lock.lock();
            ++idle;
            Store(number, std::move(tail));
        }
    }

    // One thread drives the ring: it starts fetching every file it may
    // claim while the ring has room, then hands over what has completed.
    // It looks for new files at least every kRingTurn, so files stuck in
    // flight do not keep it from the others.
    void RingWork()
    {
        detail::RingFetcher::Finished finished;
        unsigned helpersFor = 0;
        std::unique_lock lock(mutex);
        for (;;) {
            if (ring->InFlight() == 0)
                workerWake.wait(lock, [this] { return stop || Claimable(); });
            if (stop)
                break;
            if (stuck != helpersFor) {
                helpersFor = stuck;
                ring->SetKernelThreads(std::min(kRingHelpers + stuck, options.MaxThreads));
            }
            std::uint64_t number = 0;
            while (ring->HasRoom()) {
                const Item* item = Claim(number);
                if (!item)
                    break;
                const bool writable = options.KeepOpen && lastWrites;
                if (auto tail = ring->Start(number, item->path, options.What, options.SkipWhileCached,
                                            item->listedRegular, options.KeepOpen, writable))
                    Store(number, std::move(*tail));
            }
            ringFull = !ring->HasRoom();
            lock.unlock();
            finished.clear();
            const bool usable = ring->Turn(kRingTurn, finished);
            if (!usable)
                ring->Abandon(finished);
            lock.lock();
            for (auto& [number, tail] : finished)
                Store(number, std::move(tail));
            if (!usable) {
                // The files given up on come to the consumer unfetched; from
                // here this thread is one of the workers, which fetch the rest
                // and hand over nothing open.
                ring.reset();
                ringFull = false;
                options.KeepOpen = false;
                ++started;
                ++idle;
                lock.unlock();
                Work();
                return;
            }
        }
        lock.unlock();
        // Whatever is still in flight ends (or is cancelled) before the ring goes.
        ring->Drain();
    }

    // A fetch is done: its file gets what was found, unless the consumer has passed it.
    void Store(std::uint64_t number, Tail tail)
    {
        if (options.SkipWhileCached) {
            cachedInRow = tail.Cached ? cachedInRow + 1 : 0;
            warm = cachedInRow >= kWarmAfter;
        }
        if (options.KeepOpen && tail.Read)
            lastWrites = options.Writes(tail);
        if (number >= base) {
            Item& fetched = items[number - base];
            fetched.tail = std::move(tail);
            fetched.done = true;
            if (number == base && consumerWaits)
                consumerWake.notify_one();
        }
    }

    // No fetch can start soon: every worker is busy and the pool may not
    // grow, or the ring is full while some fetch in it hangs.
    bool NoneFree() const
    {
        if (ring)
            return ringFull && stuck > 0;
        return idle == 0 && started >= options.MaxThreads;
    }

    // How many files the consumer passes before the feeder tops the window
    // up: few enough that the fetches never run dry while the consumer is
    // busy, enough to wake the feeder seldom.
    std::size_t Refill() const { return std::clamp<std::size_t>(options.Window / 2, 1, 64); }

    // Fills the window in batches: woken when Refill files have left it, the
    // feeder takes paths until it is full again, handing them over in chunks
    // so that threads wake once per chunk rather than once per file.
    void Feed()
    {
        const std::size_t refill = Refill();
        constexpr std::size_t kChunk = 64;
        std::vector<Entry> paths;
        bool first = true;
        for (;;) {
            std::size_t room = 0;
            {
                std::unique_lock lock(mutex);
                feederWake.wait(lock, [&] { return stop || items.size() + refill <= options.Window; });
                if (stop)
                    return;
                room = options.Window - items.size();
            }
            while (room > 0) {
                // The first path goes out alone: the consumer is waiting for it.
                const std::size_t chunk = first ? 1 : std::min(room, kChunk);
                first = false;
                bool end = false;
                paths.clear();
                while (paths.size() < chunk) {
                    std::optional<Entry> path = source();
                    if (!path) {
                        end = true;
                        break;
                    }
                    paths.push_back(std::move(*path));
                }
                room -= paths.size();
                std::lock_guard lock(mutex);
                std::size_t toFetch = 0;
                for (Entry& path : paths) {
                    if (behind > 0) {
                        --behind;
                        continue;
                    }
                    Item& item = items.emplace_back();
                    item.path = std::move(path.Path);
                    item.listedRegular = path.ListedRegular;
                    if (warm && ++sinceProbe % std::max(options.Probe, 1U) != 0) {
                        item.done = true;
                        item.tail.Skipped = true;
                        item.tail.Regular = path.ListedRegular;
                    } else {
                        ++toFetch;
                    }
                }
                Grow();
                exhausted = end;
                // As many workers as there are files to fetch: while files
                // are passed on unfetched, most chunks need one or two.
                if (toFetch >= options.Threads)
                    workerWake.notify_all();
                else
                    for (std::size_t i = 0; i < toFetch; ++i)
                        workerWake.notify_one();
                consumerWake.notify_all();
                if (end || stop)
                    return;
            }
        }
    }

    // Removes the front item: the consumer has passed it.
    void Pass()
    {
        items.pop_front();
        ++base;
        if (!exhausted && items.size() + Refill() == options.Window)
            feederWake.notify_one();
    }
};

ReadAheadPool::ReadAheadPool(Source source) : ReadAheadPool(std::move(source), Options{}) {}

ReadAheadPool::ReadAheadPool(Source source, Options options, Action action)
{
    options.Threads = std::max(options.Threads, 1U);
    options.MaxThreads = std::max(options.MaxThreads, options.Threads);
    options.Window = std::max<std::size_t>(options.Window, 1);
    m_state = std::make_shared<State>(std::move(source), options, std::move(action));
    // Only the ring hands files over open; its options are settled before
    // its thread starts.
    m_state->options.KeepOpen = false;
    if (!m_state->action && options.Ring) {
        // Every fetch in flight holds a file open: leave most of the
        // process's descriptors to the consumer.
        rlimit files{};
        std::size_t quarter = options.Window;
        if (::getrlimit(RLIMIT_NOFILE, &files) == 0 && files.rlim_cur != RLIM_INFINITY)
            quarter = std::max<std::size_t>(files.rlim_cur / 4, 1);
        const auto limit =
            static_cast<unsigned>(std::min({std::size_t{State::kRingFiles}, options.Window, quarter}));
        m_state->ring = detail::RingFetcher::Create(limit, State::kRingHelpers);
        // Files handed over open are worth fetching also when cached; but
        // each one in the window holds a descriptor, so the window is kept
        // to a quarter of the process's limit as well.
        if (m_state->ring && options.KeepOpen && options.Writes) {
            m_state->options.KeepOpen = true;
            m_state->options.SkipWhileCached = false;
            m_state->options.Window = std::min(options.Window, quarter);
        }
        if (m_state->ring) {
            try {
                std::thread([state = m_state] { state->RingWork(); }).detach();
            } catch (const std::system_error&) {
                // The workers fetch, and hand over nothing open.
                m_state->ring.reset();
                m_state->options = options;
                m_state->options.KeepOpen = false;
            }
        }
    }
    try {
        std::thread([state = m_state] { state->Feed(); }).detach();
    } catch (const std::system_error&) {
        m_state->direct = true;
    }
}

ReadAheadPool::~ReadAheadPool()
{
    // Threads still working (or stuck in a system call) hold the state and
    // leave as soon as they look at it again.
    std::lock_guard lock(m_state->mutex);
    m_state->stop = true;
    m_state->feederWake.notify_all();
    m_state->workerWake.notify_all();
}

std::optional<ReadAheadPool::File> ReadAheadPool::Next()
{
    return Take(false);
}

std::optional<ReadAheadPool::File> ReadAheadPool::TryNext()
{
    return Take(true);
}

std::optional<ReadAheadPool::File> ReadAheadPool::Take(bool boundedSource)
{
    State& s = *m_state;
    if (s.direct) {
        auto path = s.source();
        if (!path)
            return std::nullopt;
        return File{std::move(path->Path), {}};
    }
    std::unique_lock lock(s.mutex);
    s.consumerWaits = true;
    const auto fed = [&] { return !s.items.empty() || s.exhausted; };
    // The clock is read only when there is something to wait for: mostly
    // the next file is there, fetched.
    if (!fed()) {
        if (boundedSource)
            s.consumerWake.wait_for(lock, s.options.Wait, fed);
        else
            s.consumerWake.wait(lock, fed);
    }
    if (s.items.empty()) {
        s.consumerWaits = false;
        return std::nullopt;
    }
    const auto asked = s.items.front().done ? Clock::time_point{} : Clock::now();
    while (!s.items.front().done) {
        const bool claimed = s.nextClaim > s.base;
        // Nobody will fetch this file soon, so the consumer reads it itself.
        if (!claimed && s.NoneFree())
            break;
        const auto deadline = (claimed ? s.items.front().claimed : asked) + s.options.Wait;
        if (s.consumerWake.wait_until(lock, deadline) == std::cv_status::timeout && !s.items.front().done) {
            // The worker on this file hangs: the rest go on without it.
            if (claimed) {
                ++s.stuck;
                s.Grow();
            }
            break;
        }
    }
    s.consumerWaits = false;
    State::Item& item = s.items.front();
    File file{std::move(item.path), item.done ? std::move(item.tail) : Tail{}};
    s.Pass();
    return file;
}

void ReadAheadPool::Consumed()
{
    State& s = *m_state;
    std::lock_guard lock(s.mutex);
    if (s.items.empty())
        ++s.behind;
    else
        s.Pass();
}

ReadAheadPool::Source ReadAheadPool::List(std::vector<std::string> paths)
{
    return [paths = std::move(paths), next = std::size_t{0}]() mutable -> std::optional<Entry> {
        if (next == paths.size())
            return std::nullopt;
        return std::move(paths[next++]);
    };
}

namespace {

class TreeWalk
{
public:
    TreeWalk(std::string root, std::function<bool(std::string_view)> matches)
        : m_folders{std::move(root)}, m_matches(std::move(matches))
    {
    }

    std::optional<ReadAheadPool::Entry> operator()()
    {
        while (m_files.empty()) {
            if (m_folders.empty())
                return std::nullopt;
            std::string folder = std::move(m_folders.back());
            m_folders.pop_back();
            List(folder);
        }
        ReadAheadPool::Entry file = std::move(m_files.front());
        m_files.pop_front();
        return file;
    }

private:
    bool IsFolder(const std::string& path, unsigned char type)
    {
        if (type == DT_DIR)
            return true;
        if (type != DT_LNK && type != DT_UNKNOWN)
            return false;
        struct stat info
        {
        };
        return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
    }

    void List(const std::string& folder)
    {
        // An empty root is the current folder; names below it stay relative.
        const char* name = folder.empty() ? "." : folder.c_str();
        struct stat info
        {
        };
        if (::stat(name, &info) == 0 &&
            !m_entered
                 .emplace(static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino))
                 .second)
            return;
        DIR* dir = ::opendir(name);
        if (dir == nullptr)
            return;
        std::vector<std::string> subfolders;
        while (const dirent* entry = ::readdir(dir)) {
            const std::string_view entryName = entry->d_name;
            if (entryName == "." || entryName == "..")
                continue;
            std::string path = folder;
            path += entryName;
            if (entryName.front() != '.' && IsFolder(path, entry->d_type))
                subfolders.push_back(path + '/');
            if (m_matches(entryName))
                m_files.emplace_back(std::move(path), entry->d_type == DT_REG);
        }
        ::closedir(dir);
        // Last pushed, first listed: the subfolders in the order they came.
        m_folders.insert(m_folders.end(), std::make_move_iterator(subfolders.rbegin()),
                         std::make_move_iterator(subfolders.rend()));
    }

    std::vector<std::string> m_folders;
    std::deque<ReadAheadPool::Entry> m_files;
    std::function<bool(std::string_view)> m_matches;
    std::set<std::pair<std::uint64_t, std::uint64_t>> m_entered;
};

} // namespace

ReadAheadPool::Source ReadAheadPool::Tree(std::string root,
                                          std::function<bool(std::string_view name)> matches)
{
    return [walk = std::make_shared<TreeWalk>(std::move(root), std::move(matches))] { return (*walk)(); };
}

ReadAheadPool::Tail ReadAheadPool::FetchFile(const std::string& path, Fetch what, bool tellCached,
                                             bool listedRegular)
{
    // Only a regular file is opened, and without waiting: a FIFO or a device
    // put in its place after the stat (or the listing) does not block either.
    Tail tail;
    struct stat info
    {
    };
    if (!listedRegular && (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)))
        return tail;
    tail.Regular = true;
    if (what == Fetch::Status)
        return tail;
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return tail;
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
        const auto readAt = [fd](std::uint8_t* into, off_t count, off_t offset) {
            ssize_t got = 0;
            do {
                got = ::pread(fd, into, static_cast<std::size_t>(count), offset);
            } while (got < 0 && errno == EINTR);
            return got == count;
        };
        // Whether the last bytes are cached: a read that must not wait for
        // the device says so (and reads them when they are).
        const auto readCached = [fd](std::uint8_t* into, off_t count, off_t offset) {
            iovec span{into, static_cast<std::size_t>(count)};
            return ::preadv2(fd, &span, 1, offset, RWF_NOWAIT) == count;
        };
        // The trailer and the bytes before it in one read.
        detail::EndBytes end{};
        const off_t count = std::min<off_t>(info.st_size, static_cast<off_t>(end.size()));
        const off_t lead =
            what == Fetch::End ? 0 : std::min<off_t>(info.st_size, static_cast<off_t>(tail.Lead.size()));
        tail.Cached = tellCached && readCached(end.data(), count, info.st_size - count);
        if ((tail.Cached || readAt(end.data(), count, info.st_size - count)) &&
            (lead == 0 || readAt(tail.Lead.data(), lead, 0)))
            detail::FillTail(tail, end, count, lead, info.st_size);
    }
    ::close(fd);
    return tail;
}

} // namespace ReadAhead
