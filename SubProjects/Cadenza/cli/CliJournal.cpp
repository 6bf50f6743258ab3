#include "CliJournal.h"

#include "Platform/RuntimeError.h"

#include <iostream>

namespace CliJournal {

std::unique_ptr<Journal::JournalRun> Begin(const char* verb, const std::string& description)
{
    try {
        return Journal::JournalRun::Begin(Journal::DefaultFolder(), verb, description);
    } catch (const Platform::RuntimeError& error) {
        std::cerr << "cadenza-cli " << verb << ": " << error.Description() << "; nothing was written\n";
        return nullptr;
    }
}

bool Sync(Journal::JournalRun& run, const char* verb)
{
    try {
        run.Sync();
        return true;
    } catch (const Platform::RuntimeError& error) {
        std::cerr << "cadenza-cli " << verb << ": " << error.Description()
                  << "; the remaining files were not changed\n";
        return false;
    }
}

std::string Describe(const CliFiles::FileArgs& files)
{
    std::string text;
    if (!files.operands.empty()) {
        text = files.operands.front();
        if (files.operands.size() > 1)
            text += " and " + std::to_string(files.operands.size() - 1) + " more";
    }
    if (files.filesFrom)
        text += (text.empty() ? "names from " : ", names from ") + *files.filesFrom;
    return text;
}

} // namespace CliJournal
