#include "CliProgress.h"

#include <ostream>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The run whose line may be on show; runs do not nest.
CliProgress* g_current = nullptr;

} // namespace

bool CliProgress::Wanted()
{
    if (!::isatty(STDERR_FILENO))
        return false;
    struct stat out
    {
    }, err{};
    if (!::isatty(STDOUT_FILENO) || ::fstat(STDOUT_FILENO, &out) != 0 || ::fstat(STDERR_FILENO, &err) != 0)
        return true;
    return out.st_rdev != err.st_rdev;
}

CliProgress::CliProgress(std::ostream& out, bool enabled, std::function<Clock::time_point()> now)
    : m_out(out), m_enabled(enabled), m_now(std::move(now))
{
    if (!m_enabled)
        return;
    m_start = m_now();
    g_current = this;
}

CliProgress::~CliProgress()
{
    Finish();
}

void CliProgress::Step()
{
    ++m_done;
    if (!m_enabled)
        return;
    const Clock::time_point now = m_now();
    if (now - m_start < Delay || (m_drawn && now - *m_drawn < Interval))
        return;
    Draw(now);
}

void CliProgress::Finish()
{
    if (!m_enabled)
        return;
    Wipe();
    m_enabled = false;
    if (g_current == this)
        g_current = nullptr;
}

void CliProgress::Interrupt()
{
    if (g_current != nullptr)
        g_current->Wipe();
}

void CliProgress::Draw(Clock::time_point now)
{
    const double seconds = std::chrono::duration<double>(now - m_start).count();
    std::string line = std::to_string(m_done) + (m_done == 1 ? " file, " : " files, ") +
                       std::to_string(static_cast<std::uint64_t>(static_cast<double>(m_done) / seconds)) +
                       " files/s";
    const std::size_t length = line.size();
    if (length < m_shown)
        line.append(m_shown - length, ' '); // covers the rest of a longer line
    m_out << '\r' << line << std::flush;
    m_shown = line.size();
    m_drawn = now;
}

void CliProgress::Wipe()
{
    if (m_shown == 0)
        return;
    m_out << '\r' << std::string(m_shown, ' ') << '\r' << std::flush;
    m_shown = 0;
}
