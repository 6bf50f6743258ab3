#pragma once

#include <cstdint>
#include <functional>

// The playing position of a track, kept by a clock: it advances while running
// and stands still while paused or stopped. The player takes its position from
// here whether or not an audio device plays along, so queries answer the same
// on machines without sound.
class PlaybackClock
{
public:
    using Now = std::function<std::int64_t()>; // milliseconds of a monotonic clock

    explicit PlaybackClock(Now now = {});

    void start(); // runs from the current position
    void pause(); // stands still at the current position
    void stop();  // stands still at 0
    void seek(std::int64_t positionMs);
    std::int64_t position() const;
    bool running() const { return m_running; }

private:
    Now m_now;
    bool m_running = false;
    std::int64_t m_base = 0; // position when it last started or was set
    std::int64_t m_startedAt = 0;
};
