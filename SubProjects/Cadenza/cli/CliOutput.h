#pragma once

#include <string>

// Standard output for verbs that print a line or more per file: text gathers
// in one large buffer that goes out in big writes, and at the end. On a
// terminal every finished line goes out at once, so it stays in step with the
// failure lines on stderr. Nothing else may write to stdout meanwhile.
class CliOutput
{
public:
    CliOutput();
    ~CliOutput();
    CliOutput(const CliOutput&) = delete;
    CliOutput& operator=(const CliOutput&) = delete;

    // Where the next text goes.
    std::string& text() { return m_buffer; }
    // What text() holds is whole lines: written now on a terminal, otherwise
    // once enough has gathered.
    void linesDone();
    void flush();

private:
    std::string m_buffer;
    bool m_terminal;
};
