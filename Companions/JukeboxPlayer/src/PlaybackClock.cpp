#include "PlaybackClock.h"

#include <chrono>

PlaybackClock::PlaybackClock(Now now) : m_now(std::move(now))
{
    if (!m_now) {
        m_now = [] {
            return std::chrono::duration_cast<std::chrono::milliseconds>(
                       std::chrono::steady_clock::now().time_since_epoch())
                .count();
        };
    }
}

void PlaybackClock::start()
{
    if (m_running)
        return;
    m_startedAt = m_now();
    m_running = true;
}

void PlaybackClock::pause()
{
    m_base = position();
    m_running = false;
}

void PlaybackClock::stop()
{
    m_running = false;
    m_base = 0;
}

void PlaybackClock::seek(std::int64_t positionMs)
{
    m_base = positionMs < 0 ? 0 : positionMs;
    m_startedAt = m_now();
}

std::int64_t PlaybackClock::position() const
{
    return m_running ? m_base + (m_now() - m_startedAt) : m_base;
}
