#pragma once

#include "TempDir.h"

#include <optional>
#include <string>
#include <vector>

// Runs the real cadenza-cli for end-to-end tests.
struct CliResult
{
    int status = -1;
    std::string out;
    std::string err;
};

// Runs cadenza-cli with raw byte arguments (file names need not be UTF-8),
// capturing stdout and stderr in files of the temporary directory.
CliResult runCli(const LegatoTest::TempDir& dir, std::vector<std::string> args);

// The same as a user whom file modes bind, through run-unprivileged.sh: as
// root, a copy runs as the user "nobody" (dir is opened to others for that).
// Nothing when that cannot be done; the test then skips that part.
std::optional<CliResult> runCliUnprivileged(const LegatoTest::TempDir& dir, std::vector<std::string> args);
