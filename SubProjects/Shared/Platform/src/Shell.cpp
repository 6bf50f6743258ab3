#include "Platform/Shell.h"

#include "Platform/RuntimeError.h"

#include <cstring>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

extern char** environ;

namespace Platform {

std::vector<std::string> SplitCommandLine(const std::string& commandLine)
{
    std::vector<std::string> args;
    std::string current;
    bool inArgument = false, quoted = false;
    for (std::size_t i = 0; i < commandLine.size(); ++i) {
        const char c = commandLine[i];
        if (c == '\\') {
            std::size_t n = 0;
            while (i + n < commandLine.size() && commandLine[i + n] == '\\')
                ++n;
            inArgument = true;
            if (i + n < commandLine.size() && commandLine[i + n] == '"') {
                // 2k backslashes before a quote: k backslashes, the quote delimits;
                // 2k+1: k backslashes and a literal quote.
                current.append(n / 2, '\\');
                if (n % 2)
                    current += '"';
                else
                    quoted = !quoted;
                i += n;
            } else {
                current.append(n, '\\');
                i += n - 1;
            }
        } else if (c == '"') {
            quoted = !quoted;
            inArgument = true;
        } else if ((c == ' ' || c == '\t') && !quoted) {
            if (inArgument)
                args.push_back(current);
            current.clear();
            inArgument = false;
        } else {
            current += c;
            inArgument = true;
        }
    }
    if (inArgument)
        args.push_back(current);
    return args;
}

std::string QuoteArgument(const std::string& argument)
{
    std::string out = "\"";
    std::size_t backslashes = 0;
    for (char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        if (c == '"') {
            out.append(backslashes * 2 + 1, '\\');
        } else {
            out.append(backslashes, '\\');
        }
        backslashes = 0;
        out += c;
    }
    out.append(backslashes * 2, '\\');
    return out + "\"";
}

pid_t Shell(const std::string& commandLine, WindowStyle style)
{
    const std::vector<std::string> args = SplitCommandLine(commandLine);
    if (args.empty() || args[0].empty())
        throw RuntimeError(5, "Shell",
                           "Invalid procedure call or argument: no program in \"" + commandLine + "\"");

    std::vector<char*> argv;
    for (const auto& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);

    const std::string styleEntry =
        std::string(kWindowStyleVariable) + "=" + std::to_string(static_cast<int>(style));
    std::vector<char*> envp;
    const std::size_t prefix = std::strlen(kWindowStyleVariable) + 1;
    for (char** e = environ; e && *e; ++e) {
        if (std::strncmp(*e, styleEntry.c_str(), prefix) != 0)
            envp.push_back(*e);
    }
    envp.push_back(const_cast<char*>(styleEntry.c_str()));
    envp.push_back(nullptr);

    pid_t pid = 0;
    const int err = posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), envp.data());
    if (err != 0) {
        RuntimeError e = RuntimeError::fromErrno(err, "Shell");
        throw RuntimeError(e.Number(), "Shell", e.Description() + ": " + args[0]);
    }
    // The program runs on its own; this thread only collects its exit status.
    std::thread([pid] {
        int status = 0;
        while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
    }).detach();
    return pid;
}

} // namespace Platform
