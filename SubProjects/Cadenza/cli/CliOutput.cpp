#include "CliOutput.h"

#include <cerrno>
#include <unistd.h>

namespace {

constexpr std::size_t kChunk = 256 * 1024;

} // namespace

CliOutput::CliOutput() : m_terminal(::isatty(STDOUT_FILENO) == 1)
{
    m_buffer.reserve(kChunk + 4096);
}

CliOutput::~CliOutput()
{
    flush();
}

void CliOutput::linesDone()
{
    if (m_terminal || m_buffer.size() >= kChunk)
        flush();
}

void CliOutput::flush()
{
    std::size_t done = 0;
    while (done < m_buffer.size()) {
        const ssize_t n = ::write(STDOUT_FILENO, m_buffer.data() + done, m_buffer.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break; // a closed or full output: what is left cannot go anywhere
        done += static_cast<std::size_t>(n);
    }
    m_buffer.clear();
}
