#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

// Starting a program by command line, never through a shell.
namespace Platform {

// Window states handed to the started program (the classic values).
enum class WindowStyle : int
{
    Hide = 0,
    NormalFocus = 1,
    MinimizedFocus = 2,
    MaximizedFocus = 3,
    NormalNoFocus = 4,
    MinimizedNoFocus = 6,
};

// The environment variable through which a started program learns the window
// state asked for (its number); Qt programs read it with the WindowHost helpers.
inline constexpr const char* kWindowStyleVariable = "LEGATO_WINDOW_STYLE";

// Splits a command line into arguments: blanks separate arguments, double
// quotes group (and are removed). Backslashes are literal except before a
// double quote: 2k of them there give k backslashes and the quote delimits,
// 2k+1 give k backslashes and a literal quote. Every other character, including
// ; $ ( ) & | and `, is taken as it stands.
std::vector<std::string> SplitCommandLine(const std::string& commandLine);

// The argument in double quotes so that SplitCommandLine gives it back unchanged.
std::string QuoteArgument(const std::string& argument);

// Starts the command line's program (a name without '/' is searched in PATH)
// with the window state in the environment, and returns at once with its
// process id; the process is reaped when it ends. A command line whose program
// cannot be started throws RuntimeError 53 "File not found" (or the matching
// classic number), naming the program.
pid_t Shell(const std::string& commandLine, WindowStyle style);

} // namespace Platform
