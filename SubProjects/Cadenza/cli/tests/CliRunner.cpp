#include "CliRunner.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>

extern char** environ;

namespace {

CliResult run(const LegatoTest::TempDir& dir, std::vector<std::string> args)
{
    std::vector<char*> argv;
    for (auto& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    const std::string outPath = dir.file(".out"), errPath = dir.file(".err");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t pid = 0;
    CliResult result;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
        int wstatus = 0;
        waitpid(pid, &wstatus, 0);
        result.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    result.out = LegatoTest::readAll(outPath);
    result.err = LegatoTest::readAll(errPath);
    return result;
}

} // namespace

CliResult runCli(const LegatoTest::TempDir& dir, std::vector<std::string> args)
{
    // Each test's runs go to an undo journal of its own.
    setenv("XDG_STATE_HOME", dir.file(".state").c_str(), 1);
    args.insert(args.begin(), CADENZA_CLI);
    return run(dir, std::move(args));
}

std::optional<CliResult> runCliUnprivileged(const LegatoTest::TempDir& dir, std::vector<std::string> args)
{
    chmod(dir.path().c_str(), 0755);
    args.insert(args.begin(), {"/bin/sh", RUN_UNPRIVILEGED, CADENZA_CLI});
    CliResult result = run(dir, std::move(args));
    if (result.status == 77) // the script could not do it and said why
        return std::nullopt;
    return result;
}
