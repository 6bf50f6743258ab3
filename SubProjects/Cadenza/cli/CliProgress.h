#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>

// One line on standard error that tells how a long run goes: "N files, R
// files/s", first drawn once the run has lasted a second, then redrawn in
// place ("\r") at most every quarter second, and wiped at the end. Any other
// line for stderr goes after Interrupt(), which wipes a line on show; a later
// step draws it again.
class CliProgress
{
public:
    using Clock = std::chrono::steady_clock;

    static constexpr std::chrono::milliseconds Delay{1000};
    static constexpr std::chrono::milliseconds Interval{250};

    // Whether a run should show the line: only when stderr is a terminal, so
    // logs and pipes stay clean, and not when stdout writes to that same
    // terminal, whose lines would break into it.
    static bool Wanted();

    // Draws on out when enabled; now is the clock (tests hand in their own).
    CliProgress(std::ostream& out, bool enabled, std::function<Clock::time_point()> now = &Clock::now);
    ~CliProgress();
    CliProgress(const CliProgress&) = delete;
    CliProgress& operator=(const CliProgress&) = delete;

    // One more file done.
    void Step();
    // Wipes the line for good; later steps draw nothing.
    void Finish();

    // Wipes the line of the run going on, if one is shown.
    static void Interrupt();

private:
    void Draw(Clock::time_point now);
    void Wipe();

    std::ostream& m_out;
    bool m_enabled;
    std::function<Clock::time_point()> m_now;
    Clock::time_point m_start;
    std::optional<Clock::time_point> m_drawn; // last drawn, also when wiped since
    std::uint64_t m_done = 0;
    std::size_t m_shown = 0; // length of the line on show; 0: none
};
