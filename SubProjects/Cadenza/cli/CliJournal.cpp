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

std::string Describe(const std::vector<std::string>& files)
{
    if (files.empty())
        return {};
    if (files.size() == 1)
        return files.front();
    return files.front() + " and " + std::to_string(files.size() - 1) + " more file" +
           (files.size() == 2 ? "" : "s");
}

} // namespace CliJournal
