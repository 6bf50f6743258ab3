#pragma once

#include "ReadAhead/ReadAheadPool.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <sys/types.h>
#include <utility>
#include <vector>

namespace ReadAhead::detail {

// A file's last bytes as one read takes them: the trailer and the bytes before it.
using EndBytes = std::array<std::uint8_t, std::tuple_size_v<decltype(ReadAheadPool::Tail::Before)> +
                                              std::tuple_size_v<decltype(ReadAheadPool::Tail::Bytes)>>;

// Completes tail for a file of the given size from its last `count` bytes
// (min(size, end.size())) in end and its first `lead` bytes in tail.Lead.
void FillTail(ReadAheadPool::Tail& tail, const EndBytes& end, off_t count, off_t lead, off_t size);

// Fetches many files at once through one io_uring instance, for a single
// thread: each file's steps (a look when its listing did not show a regular
// file, the open, the reads of its first and last bytes) go to the kernel in
// batches, so one system call submits many requests and the block layer sees
// them together. It fetches what ReadAheadPool::FetchFile does, by the same
// rules: only a regular file is opened, without waiting, and read only when
// fstat on the open file says it is one.
class RingFetcher
{
public:
    using Tail = ReadAheadPool::Tail;
    using Fetch = ReadAheadPool::Fetch;
    using Finished = std::vector<std::pair<std::uint64_t, Tail>>;

    // Nothing when the system offers no io_uring (too old, switched off, or
    // refused by a sandbox): the pool then uses threads. At most `limit`
    // files are in flight; the kernel's helper threads for the steps that
    // block (an open that must read from the device) are capped at
    // kernelThreads.
    static std::unique_ptr<RingFetcher> Create(unsigned limit, unsigned kernelThreads);
    ~RingFetcher();
    RingFetcher(const RingFetcher&) = delete;
    RingFetcher& operator=(const RingFetcher&) = delete;

    // Changes the cap on the kernel's helper threads (for this thread's rings).
    void SetKernelThreads(unsigned count);

    bool HasRoom() const;
    unsigned InFlight() const;

    // Queues the first step for path; the id comes back with its Tail. A
    // fetch that needs no step (the status of a file listed as regular) is
    // done at once: its Tail is returned and nothing is queued. With
    // keepOpen, a file read goes back open (Tail::Open), for reading and
    // writing when writable asks so and the file allows it.
    std::optional<Tail> Start(std::uint64_t id, const std::string& path, Fetch what, bool tellCached,
                              bool listedRegular, bool keepOpen = false, bool writable = false);

    // Submits what is queued, waits up to `wait` for a step to complete
    // (not at all with nothing in flight), takes every completed step,
    // queues the next ones, and appends the files now done to finished.
    // False when the kernel refuses the ring from now on (a sandbox that
    // lets it be set up but not used, say): see Abandon.
    bool Turn(std::chrono::milliseconds wait, Finished& finished);

    // Gives up the ring: every file in flight comes back unfetched (an
    // empty Tail), and what was opened for it is closed.
    void Abandon(Finished& finished);

    // Cancels what is in flight and waits until every step has ended,
    // closing what they opened. A step stuck in the kernel (a dead network
    // mount) holds the caller until it ends.
    void Drain();

private:
    struct Impl;
    explicit RingFetcher(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> m_impl;
};

} // namespace ReadAhead::detail
