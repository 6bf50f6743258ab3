#include "RingFetcher.h"

#include <algorithm>

#if LEGATO_HAVE_LIBURING
#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <liburing.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace ReadAhead::detail {

void FillTail(ReadAheadPool::Tail& tail, const EndBytes& end, off_t count, off_t lead, off_t size)
{
    const off_t last = std::min<off_t>(count, static_cast<off_t>(tail.Bytes.size()));
    std::copy(end.begin() + (count - last), end.begin() + count, tail.Bytes.begin());
    std::copy(end.begin(), end.begin() + (count - last), tail.Before.begin());
    tail.Read = true;
    tail.Size = size;
    tail.Count = static_cast<std::size_t>(last);
    tail.BeforeCount = static_cast<std::size_t>(count - last);
    tail.LeadCount = static_cast<std::size_t>(lead);
}

#if LEGATO_HAVE_LIBURING

namespace {

// What a completion answers, kept in the low bits of its user data; the
// slot's index is above them.
enum Step : std::uint64_t
{
    Look = 0,
    Open = 1,
    ReadEnd = 2,
    ReadLead = 3,
    TryEnd = 4, // reads the last bytes only if they are cached
};
constexpr unsigned kStepBits = 3;
constexpr std::uint64_t kCancel = ~std::uint64_t{0};

} // namespace

struct RingFetcher::Impl
{
    struct Slot
    {
        std::uint64_t id = 0;
        std::string path;
        Fetch what = Fetch::Trailer;
        bool tellCached = false;
        bool openAsync = false;
        bool noAccessTime = false;
        bool keepOpen = false;
        bool writable = false;
        bool busy = false; // a file is in flight in this slot
        int fd = -1;
        unsigned pending = 0;
        bool failed = false;
        off_t count = 0;
        off_t lead = 0;
        off_t size = 0;
        struct statx look
        {
        };
        EndBytes end{};
        Tail tail;
    };

    io_uring ring{};
    std::vector<Slot> slots;
    std::vector<unsigned> free;
    bool draining = false;
    // Reads that were asked whether the last bytes were cached, in a row,
    // that found them not; and the files started since the last one asked.
    unsigned missedInRow = 0;
    unsigned sinceAsked = 0;
    // Files are opened without touching their access time until the kernel
    // refuses that for one (only its owner may ask it).
    bool noAccessTime = true;
    static constexpr unsigned kColdAfter = 2;
    static constexpr unsigned kAskEvery = 16;

    io_uring_sqe* Sqe()
    {
        io_uring_sqe* sqe = io_uring_get_sqe(&ring);
        while (sqe == nullptr) {
            // The queue holds two entries per slot, so this only happens if
            // a submit was cut short: send what is there and try again.
            io_uring_submit(&ring);
            sqe = io_uring_get_sqe(&ring);
        }
        return sqe;
    }

    static std::uint64_t Data(unsigned slot, Step step)
    {
        return (static_cast<std::uint64_t>(slot) << kStepBits) | step;
    }

    void QueueOpen(unsigned index)
    {
        Slot& slot = slots[index];
        io_uring_sqe* sqe = Sqe();
        // A look at a file's first and last bytes is no access to what it
        // holds: without O_NOATIME each one would also mark the file's
        // record changed, to be written back to the disk.
        io_uring_prep_openat(sqe, AT_FDCWD, slot.path.c_str(),
                             (slot.writable ? O_RDWR : O_RDONLY) | O_NONBLOCK | O_NOCTTY | O_CLOEXEC |
                                 (slot.noAccessTime ? O_NOATIME : 0),
                             0);
        // On a cold tree an open finds no cached entry and goes to a kernel
        // helper anyway: sent there right away, it is not tried here first.
        if (slot.openAsync)
            sqe->flags |= IOSQE_ASYNC;
        io_uring_sqe_set_data64(sqe, Data(index, Open));
    }

    void QueueRead(unsigned index, Step step, void* into, off_t count, off_t offset)
    {
        Slot& slot = slots[index];
        io_uring_sqe* sqe = Sqe();
        io_uring_prep_read(sqe, slot.fd, into, static_cast<unsigned>(count),
                           static_cast<std::uint64_t>(offset));
        if (step == TryEnd)
            sqe->rw_flags = RWF_NOWAIT;
        io_uring_sqe_set_data64(sqe, Data(index, step));
        ++slot.pending;
    }

    void Finish(unsigned index, Finished& finished)
    {
        Slot& slot = slots[index];
        if (slot.keepOpen && slot.tail.Read && !draining)
            slot.tail.Open = ReadAheadPool::OpenFile(std::exchange(slot.fd, -1), slot.writable);
        else if (slot.fd >= 0)
            ::close(slot.fd);
        slot.fd = -1;
        if (!draining)
            finished.emplace_back(slot.id, std::move(slot.tail));
        slot.path.clear();
        slot.busy = false;
        free.push_back(index);
    }

    // The file is open: reads its first and last bytes, unless it is no
    // longer a regular file. With tellCached, a read that must not wait
    // tells whether the last bytes are cached, and takes them when they are;
    // when they are not, it has started reading them in, and a plain read
    // then waits for them.
    void Opened(unsigned index, Finished& finished)
    {
        Slot& slot = slots[index];
        struct stat& info = slot.tail.Status;
        if (::fstat(slot.fd, &info) != 0 || !S_ISREG(info.st_mode)) {
            Finish(index, finished);
            return;
        }
        slot.size = info.st_size;
        slot.count = std::min<off_t>(slot.size, static_cast<off_t>(slot.end.size()));
        slot.lead = slot.what == Fetch::End
                        ? 0
                        : std::min<off_t>(slot.size, static_cast<off_t>(slot.tail.Lead.size()));
        QueueRead(index, slot.tellCached ? TryEnd : ReadEnd, slot.end.data(), slot.count,
                  slot.size - slot.count);
        if (slot.lead > 0)
            QueueRead(index, ReadLead, slot.tail.Lead.data(), slot.lead, 0);
    }

    void Complete(const io_uring_cqe& cqe, Finished& finished)
    {
        const std::uint64_t data = io_uring_cqe_get_data64(&cqe);
        if (data == kCancel)
            return;
        const auto index = static_cast<unsigned>(data >> kStepBits);
        Slot& slot = slots[index];
        const auto step = static_cast<Step>(data & ((1U << kStepBits) - 1));
        switch (step) {
        case Look:
            if (cqe.res < 0 || !S_ISREG(slot.look.stx_mode)) {
                Finish(index, finished);
                return;
            }
            slot.tail.Regular = true;
            if (slot.what == Fetch::Status || draining)
                Finish(index, finished);
            else
                QueueOpen(index);
            return;
        case Open:
            slot.tail.Regular = true;
            if (cqe.res == -EPERM && slot.noAccessTime && !draining) {
                // Somebody else's file: opened plainly, as are the rest.
                slot.noAccessTime = noAccessTime = false;
                QueueOpen(index);
                return;
            }
            if (cqe.res < 0 && slot.writable && !draining) {
                // Not to be written (read-only, say): read it all the same.
                slot.writable = false;
                QueueOpen(index);
                return;
            }
            if (cqe.res < 0) {
                Finish(index, finished);
                return;
            }
            slot.fd = cqe.res;
            if (draining)
                Finish(index, finished);
            else
                Opened(index, finished);
            return;
        case TryEnd:
            // Not cached (or a file system that cannot tell): read them plainly.
            if (cqe.res == slot.count) {
                slot.tail.Cached = true;
                missedInRow = 0;
            } else if (!draining) {
                ++missedInRow;
                --slot.pending;
                QueueRead(index, ReadEnd, slot.end.data(), slot.count, slot.size - slot.count);
                return;
            } else {
                slot.failed = true;
            }
            if (--slot.pending > 0)
                return;
            Done(index, finished);
            return;
        case ReadEnd:
        case ReadLead:
            if (cqe.res != (step == ReadEnd ? slot.count : slot.lead))
                slot.failed = true; // short, failed, or a file system that would have to wait
            if (--slot.pending > 0)
                return;
            Done(index, finished);
            return;
        }
    }

    // Every read of the file has ended.
    void Done(unsigned index, Finished& finished)
    {
        Slot& slot = slots[index];
        if (!slot.failed)
            FillTail(slot.tail, slot.end, slot.count, slot.lead, slot.size);
        Finish(index, finished);
    }

    void TakeCompleted(Finished& finished)
    {
        unsigned head = 0;
        unsigned seen = 0;
        io_uring_cqe* cqe = nullptr;
        io_uring_for_each_cqe(&ring, head, cqe)
        {
            Complete(*cqe, finished);
            ++seen;
        }
        io_uring_cq_advance(&ring, seen);
    }
};

std::unique_ptr<RingFetcher> RingFetcher::Create(unsigned limit, unsigned kernelThreads)
{
    auto impl = std::make_unique<Impl>();
    limit = std::max(limit, 1U);
    // Two queue entries per file: at most its two reads are queued at once.
    const unsigned entries = 2 * limit;
    // Completions are handled when the thread next enters the kernel, not
    // by interrupting it: fewer switches while it is busy handing them out.
    if (io_uring_queue_init(entries, &impl->ring, IORING_SETUP_COOP_TASKRUN) < 0 &&
        io_uring_queue_init(entries, &impl->ring, 0) < 0)
        return nullptr;
    impl->slots.resize(limit);
    impl->free.reserve(limit);
    for (unsigned i = limit; i-- > 0;)
        impl->free.push_back(i);
    auto fetcher = std::unique_ptr<RingFetcher>(new RingFetcher(std::move(impl)));
    fetcher->SetKernelThreads(kernelThreads);
    return fetcher;
}

void RingFetcher::SetKernelThreads(unsigned count)
{
    // Without this (kernels before 5.15) the kernel's own cap applies.
    unsigned workers[2] = {count, count};
    io_uring_register_iowq_max_workers(&m_impl->ring, workers);
}

RingFetcher::RingFetcher(std::unique_ptr<Impl> impl) : m_impl(std::move(impl)) {}

RingFetcher::~RingFetcher()
{
    io_uring_queue_exit(&m_impl->ring);
}

bool RingFetcher::HasRoom() const
{
    return !m_impl->free.empty();
}

unsigned RingFetcher::InFlight() const
{
    return static_cast<unsigned>(m_impl->slots.size() - m_impl->free.size());
}

std::optional<RingFetcher::Tail> RingFetcher::Start(std::uint64_t id, const std::string& path, Fetch what,
                                                    bool tellCached, bool listedRegular, bool keepOpen,
                                                    bool writable)
{
    if (what == Fetch::Status && listedRegular) {
        Tail tail;
        tail.Regular = true;
        return tail;
    }
    Impl& ring = *m_impl;
    const unsigned index = ring.free.back();
    ring.free.pop_back();
    Impl::Slot& slot = ring.slots[index];
    slot.id = id;
    slot.path = path;
    slot.busy = true;
    slot.what = what;
    // Whether the last bytes are cached is asked of every file when the
    // caller wants to know, else of one in kAskEvery: the answers tell a cold
    // tree. Once files are found not cached, only one in kAskEvery is asked
    // (a read that must not wait costs a round trip when it misses), and the
    // others' opens go straight to the kernel's helpers.
    const bool cold = ring.missedInRow >= Impl::kColdAfter;
    slot.tellCached = (tellCached && !cold) || ++ring.sinceAsked % Impl::kAskEvery == 0;
    slot.openAsync = cold && !slot.tellCached;
    slot.noAccessTime = ring.noAccessTime;
    slot.keepOpen = keepOpen;
    slot.writable = writable;
    slot.fd = -1;
    slot.pending = 0;
    slot.failed = false;
    slot.tail = Tail{};
    if (what == Fetch::Status || !listedRegular) {
        io_uring_sqe* sqe = ring.Sqe();
        io_uring_prep_statx(sqe, AT_FDCWD, slot.path.c_str(), 0, STATX_TYPE, &slot.look);
        io_uring_sqe_set_data64(sqe, Impl::Data(index, Look));
    } else {
        ring.QueueOpen(index);
    }
    return std::nullopt;
}

bool RingFetcher::Turn(std::chrono::milliseconds wait, Finished& finished)
{
    Impl& ring = *m_impl;
    if (InFlight() == 0)
        return true;
    __kernel_timespec timeout{};
    timeout.tv_sec = wait.count() / 1000;
    timeout.tv_nsec = (wait.count() % 1000) * 1000000;
    io_uring_cqe* cqe = nullptr;
    // A signal, the time running out or the kernel short of room only means
    // that this turn took nothing; what is queued goes out on the next. Any
    // other refusal would come again on every turn.
    const int result = io_uring_submit_and_wait_timeout(&ring.ring, &cqe, 1, &timeout, nullptr);
    ring.TakeCompleted(finished);
    return result >= 0 || result == -ETIME || result == -EINTR || result == -EAGAIN || result == -EBUSY;
}

void RingFetcher::Abandon(Finished& finished)
{
    Impl& ring = *m_impl;
    for (unsigned index = 0; index < ring.slots.size(); ++index) {
        Impl::Slot& slot = ring.slots[index];
        if (!slot.busy)
            continue;
        slot.tail = Tail{};
        ring.Finish(index, finished);
    }
}

void RingFetcher::Drain()
{
    Impl& ring = *m_impl;
    ring.draining = true;
    if (InFlight() == 0)
        return;
    io_uring_sqe* sqe = ring.Sqe();
    io_uring_prep_cancel64(sqe, 0, IORING_ASYNC_CANCEL_ANY);
    io_uring_sqe_set_data64(sqe, kCancel);
    io_uring_submit(&ring.ring);
    Finished none;
    while (InFlight() > 0) {
        io_uring_cqe* cqe = nullptr;
        const int result = io_uring_wait_cqe(&ring.ring, &cqe);
        if (result < 0 && result != -EINTR && result != -EAGAIN)
            return; // the ring is unusable; closing it ends what is left
        ring.TakeCompleted(none);
    }
}

#else // no io_uring at build time: the pool uses threads

struct RingFetcher::Impl
{
};

std::unique_ptr<RingFetcher> RingFetcher::Create(unsigned, unsigned)
{
    return nullptr;
}

RingFetcher::RingFetcher(std::unique_ptr<Impl> impl) : m_impl(std::move(impl)) {}
RingFetcher::~RingFetcher() = default;
void RingFetcher::SetKernelThreads(unsigned) {}
bool RingFetcher::HasRoom() const
{
    return false;
}
unsigned RingFetcher::InFlight() const
{
    return 0;
}
std::optional<RingFetcher::Tail> RingFetcher::Start(std::uint64_t, const std::string&, Fetch, bool, bool,
                                                    bool, bool)
{
    return std::nullopt;
}
bool RingFetcher::Turn(std::chrono::milliseconds, Finished&)
{
    return false;
}
void RingFetcher::Abandon(Finished&) {}
void RingFetcher::Drain() {}

#endif

} // namespace ReadAhead::detail
