#pragma once

#include "CliFiles.h"
#include "UndoJournal.h"

#include <memory>
#include <string>
#include <vector>

// The command line's side of the undo journal: every verb that changes files
// begins a run first and writes nothing when the journal cannot be written.
// Files are taken in groups: each file of a group is read and recorded, the
// group is made durable with one flush, then its files are written. A long
// run so pays for one disk flush per group, not per file.
namespace CliJournal {

constexpr std::size_t kGroup = 256;

// A new run in the user's journal; nullptr after printing why not
// ("cadenza-cli VERB: Cannot write the undo journal in ...; nothing was written").
std::unique_ptr<Journal::JournalRun> Begin(const char* verb, const std::string& description);

// Makes the run's records durable; false after printing why not (the
// remaining files are then not written).
bool Sync(Journal::JournalRun& run, const char* verb);

// "a.mp3", "a.mp3 and 2 more", "names from LIST": the files of a run as
// undo --list shows them.
std::string Describe(const CliFiles::FileArgs& files);

// Fills group with the next names (up to kGroup), planning each one with
// plan(name, item); false when no name was left.
template <typename Item, typename Plan>
bool NextGroup(CliFiles::FileNames& names, std::vector<Item>& group, const Plan& plan)
{
    group.clear();
    group.reserve(kGroup);
    while (group.size() < kGroup) {
        const auto name = names.next();
        if (!name)
            break;
        plan(*name, group.emplace_back());
    }
    return !group.empty();
}

} // namespace CliJournal
