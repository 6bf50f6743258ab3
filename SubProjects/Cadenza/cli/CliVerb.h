#pragma once

#include <string>
#include <vector>

// Exit statuses shared by every verb.
enum CliExit : int
{
    ExitOk = 0,     // every file succeeded
    ExitFailed = 1, // at least one file failed; each failure has its line on stderr
    ExitUsage = 2,  // the command line was wrong; nothing was touched
};

// A verb's arguments after the verb itself, as raw bytes: file names need not
// be UTF-8, texts for tags are UTF-8.
using CliArgs = std::vector<std::string>;

// One verb of cadenza-cli.
struct CliVerb
{
    const char* name;
    const char* usage;
    int (*run)(const CliArgs& args);
    // What "cadenza-cli VERB --help" tells after the usage: the options in
    // words, how files are found when the verb takes files, then examples.
    const char* details = "";
    bool takesFiles = false;
    const char* examples = "";
};

int runRead(const CliArgs& args);
int runWrite(const CliArgs& args);
int runParse(const CliArgs& args);
int runScan(const CliArgs& args);
int runBatch(const CliArgs& args);
int runGenres(const CliArgs& args);
int runRemove(const CliArgs& args);
int runUndo(const CliArgs& args);
