#pragma once

#include "UndoJournal.h"

#include <memory>
#include <string>
#include <vector>

// The command line's side of the undo journal: every verb that changes files
// begins a run first, and writes nothing when the journal cannot be written.
namespace CliJournal {

// Files are recorded, made durable and then written in groups of this many,
// so a long run pays for one disk flush per group, not per file.
constexpr std::size_t kGroup = 256;

// A new run in the user's journal; nullptr after printing why not
// ("cadenza-cli VERB: Cannot write the undo journal in ...; nothing was written").
std::unique_ptr<Journal::JournalRun> Begin(const char* verb, const std::string& description);

// "a.mp3", "a.mp3 and 2 more files": the files of a run as --list shows them.
std::string Describe(const std::vector<std::string>& files);

} // namespace CliJournal
