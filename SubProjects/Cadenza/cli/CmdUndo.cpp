#include "CliOptions.h"
#include "CliVerb.h"
#include "TagPrinting.h"

#include "UndoJournal.h"

#include "Platform/RuntimeError.h"

#include <ctime>
#include <iostream>

namespace {

std::string when(std::int64_t seconds)
{
    const std::time_t time = static_cast<std::time_t>(seconds);
    std::tm local{};
    localtime_r(&time, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    return text;
}

int list(const Journal::UndoJournal& journal)
{
    std::cout << "Undo journal " << TagPrinting::visible(journal.Folder()) << ": the last "
              << Journal::kKeepRuns << " runs are kept, within " << Journal::kKeepBytes / (1024 * 1024)
              << " MB.\n";
    for (const Journal::RunSummary& run : journal.List()) {
        std::cout << run.id << '\t' << (run.time ? when(run.time) : "?") << '\t'
                  << (run.kind.empty() ? "?" : TagPrinting::visible(run.kind)) << '\t' << run.files
                  << (run.files == 1 ? " file" : " files") << '\t' << TagPrinting::visible(run.description);
        if (run.undone)
            std::cout << " (undone)";
        if (!run.finished && !run.kind.empty())
            std::cout << " (interrupted)";
        if (!run.problem.empty())
            std::cout << " (damaged: " << run.problem << ')';
        std::cout << '\n';
    }
    return ExitOk;
}

int undo(const Journal::UndoJournal& journal, std::optional<int> id)
{
    if (!id) {
        const auto last = journal.Last();
        if (!last) {
            std::cerr << "cadenza-cli undo: nothing to undo\n";
            return ExitFailed;
        }
        id = last->id;
    }
    std::vector<Journal::FileUndo> results;
    try {
        results = journal.Undo(*id);
    } catch (const Platform::RuntimeError& error) {
        std::cerr << "cadenza-cli undo: " << error.Description() << '\n';
        return ExitFailed;
    }
    int restored = 0, unchanged = 0, untouched = 0;
    for (const Journal::FileUndo& file : results) {
        switch (file.result) {
        case Journal::UndoResult::Restored:
            ++restored;
            std::cout << TagPrinting::visible(file.name) << ": restored\n";
            break;
        case Journal::UndoResult::AlreadyAsBefore:
            ++unchanged;
            std::cout << TagPrinting::visible(file.name) << ": already as before\n";
            break;
        case Journal::UndoResult::ChangedSince:
        case Journal::UndoResult::Failed:
            ++untouched;
            std::cerr << "cadenza-cli undo: " << TagPrinting::visible(file.name) << ": " << file.reason
                      << "; not touched\n";
            break;
        }
    }
    std::cout << "Run " << *id << ": " << restored << " restored, " << unchanged << " already as before, "
              << untouched << " not touched.\n";
    return untouched ? ExitFailed : ExitOk;
}

} // namespace

// Puts back what a run changed: the newest run not undone yet, or run RUN;
// --list shows the runs the journal holds.
int runUndo(const CliArgs& args)
{
    bool listRuns = false;
    std::optional<int> id;
    bool bad = false;
    const bool read = ReadArgs(
        args, "undo", {"--list"},
        [&](const std::string& name, const std::string&) {
            if (name == "--list")
                return listRuns = true;
            std::cerr << "cadenza-cli undo: unknown option " << name << '\n';
            return false;
        },
        [&](const std::string& operand) {
            const auto number = ReadNumber(operand, 999999);
            if (!number || *number == 0 || id || operand.find_first_not_of("0123456789") != std::string::npos)
                bad = true;
            else
                id = *number;
        });
    if (!read || bad || (listRuns && id)) {
        if (bad)
            std::cerr << "cadenza-cli undo: give one run number, as undo --list shows it\n";
        return ExitUsage;
    }
    const Journal::UndoJournal journal;
    return listRuns ? list(journal) : undo(journal, id);
}
