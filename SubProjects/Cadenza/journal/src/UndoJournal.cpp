#include "UndoJournal.h"

#include "JournalFormat.h"

#include "Platform/BinaryFile.h"
#include "Platform/RuntimeError.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <map>
#include <set>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Journal {

namespace {

using Format::kSource;

struct Entry
{
    std::string name;
    FileEnd before;
    std::int64_t afterSize = 0;
    std::optional<std::string> afterDigest; // hex; nothing when the write leaves no trailer
    std::optional<std::pair<std::int64_t, std::int64_t>> mtime;
    // A write that changed more than the trailer (then before holds only
    // the size and time).
    std::optional<Format::SpliceRecord> splice;
};

struct ParsedRun
{
    RunSummary summary;
    std::vector<Entry> entries;
    int damagedLines = 0;
};

[[noreturn]] void raise(const std::string& text)
{
    throw Platform::RuntimeError(5, kSource, text);
}

std::int64_t toNumber(const std::string& text)
{
    std::int64_t value = -1;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

std::string readAll(int fd)
{
    std::string text;
    char buffer[1 << 16];
    for (;;) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            throw Platform::RuntimeError::fromErrno(errno, kSource);
        if (n == 0)
            return text;
        text.append(buffer, static_cast<std::size_t>(n));
    }
}

// Reads a run file. A cut last line is an interrupted run, not damage; a
// line whose checksum fails is counted and skipped.
ParsedRun parse(int id, const std::string& text)
{
    ParsedRun run;
    run.summary.id = id;
    run.summary.bytes = static_cast<std::int64_t>(text.size());
    std::map<int, std::size_t> byEntry;
    std::size_t start = 0;
    bool header = false;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            break;
        const auto fields = Format::ParseLine(std::string_view(text).substr(start, end - start));
        start = end + 1;
        if (!fields || fields->empty()) {
            ++run.damagedLines;
            continue;
        }
        const auto& f = *fields;
        if (!header) {
            if (f.size() < 5 || f[0] != Format::kMagic || f[1] != std::to_string(Format::kVersion))
                break;
            header = true;
            run.summary.time = toNumber(f[2]);
            run.summary.kind = f[3];
            run.summary.description = Format::FromBase64(f[4]).value_or(std::string());
        } else if (f[0] == "F" && f.size() == 8) {
            const auto name = Format::FromBase64(f[2]);
            const auto before = Format::DecodeEnd(f[3], f[4], f[5]);
            if (!name || !before) {
                ++run.damagedLines;
                continue;
            }
            Entry entry{*name, *before, toNumber(f[6]), std::nullopt, std::nullopt, std::nullopt};
            if (f[7] != "-")
                entry.afterDigest = f[7];
            byEntry[static_cast<int>(toNumber(f[1]))] = run.entries.size();
            run.entries.push_back(std::move(entry));
        } else if (f[0] == "S" && f.size() == 12) {
            const auto name = Format::FromBase64(f[2]);
            auto splice = Format::DecodeSplice(f, 3);
            if (!name || !splice) {
                ++run.damagedLines;
                continue;
            }
            FileEnd before;
            before.size = splice->beforeSize;
            before.modifiedSeconds = splice->modifiedSeconds;
            before.modifiedNanoseconds = splice->modifiedNanoseconds;
            Entry entry{*name, before, splice->afterSize, std::nullopt, std::nullopt, std::move(*splice)};
            byEntry[static_cast<int>(toNumber(f[1]))] = run.entries.size();
            run.entries.push_back(std::move(entry));
        } else if (f[0] == "D" && f.size() == 4) {
            if (const auto it = byEntry.find(static_cast<int>(toNumber(f[1]))); it != byEntry.end())
                run.entries[it->second].mtime = {toNumber(f[2]), toNumber(f[3])};
        } else if (f[0] == "E") {
            run.summary.finished = true;
        } else if (f[0] == "U") {
            run.summary.undone = true;
        } else {
            ++run.damagedLines;
        }
    }
    if (!header)
        run.summary.problem = "not a journal, or its first line is damaged";
    else if (run.damagedLines)
        run.summary.problem = std::to_string(run.damagedLines) + " damaged line(s)";
    run.summary.files = static_cast<int>(run.entries.size());
    return run;
}

// The first line of a run file (its header), read on its own.
std::string firstLine(int fd)
{
    std::string text;
    char buffer[4096];
    for (;;) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            throw Platform::RuntimeError::fromErrno(errno, kSource);
        const std::size_t end = text.size();
        text.append(buffer, static_cast<std::size_t>(std::max<ssize_t>(n, 0)));
        if (const std::size_t newline = text.find('\n', end); newline != std::string::npos)
            return text.substr(0, newline + 1);
        if (n == 0)
            return text;
    }
}

// The summary of run id; nothing when the file is gone (deleted by another
// program's pruning meanwhile) or, with kinds given, when its header names
// another kind. A file that cannot be read is summarised with its problem.
std::optional<RunSummary> readSummary(const std::string& folder, int id,
                                      const std::vector<std::string>& kinds)
{
    const std::string path = folder + '/' + Format::RunFileName(id);
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    struct Closer
    {
        int fd;
        ~Closer() { close(fd); }
    } closer{fd};
    try {
        if (!kinds.empty()) {
            const RunSummary header = parse(id, firstLine(fd)).summary;
            if (std::find(kinds.begin(), kinds.end(), header.kind) == kinds.end())
                return std::nullopt;
            if (lseek(fd, 0, SEEK_SET) != 0)
                throw Platform::RuntimeError::fromErrno(errno, kSource);
        }
        return parse(id, readAll(fd)).summary;
    } catch (const Platform::RuntimeError& error) {
        RunSummary summary;
        summary.id = id;
        summary.problem = error.Description();
        return summary;
    }
}

std::vector<int> runIds(const std::string& folder)
{
    std::vector<int> ids;
    if (DIR* dir = opendir(folder.c_str())) {
        while (const dirent* entry = readdir(dir))
            if (const auto id = Format::RunId(entry->d_name))
                ids.push_back(*id);
        closedir(dir);
    }
    std::sort(ids.begin(), ids.end());
    return ids;
}

std::string hex(std::uint64_t value)
{
    return Format::Hex(value, 16);
}

// Whether the file's end is still what the entry's write left.
bool leftByRun(const Entry& entry, const FileEnd& now, const struct stat& info, bool checkTime)
{
    if (now.size != entry.afterSize || now.hasTrailer != entry.afterDigest.has_value())
        return false;
    if (entry.afterDigest && hex(Digest(now)) != *entry.afterDigest)
        return false;
    if (checkTime && entry.mtime)
        return info.st_mtim.tv_sec == entry.mtime->first && info.st_mtim.tv_nsec == entry.mtime->second;
    return true;
}

// Undoes a splice: the file's ends are put back when each holds either what
// the write left or what was there before (a write in place may have been
// stopped between the two ends), and every byte between them is kept.
UndoResult undoSplice(const Entry& entry, const struct stat& info, bool checkTime)
{
    const Format::SpliceRecord& record = *entry.splice;
    const Platform::BinaryFile file(entry.name, Platform::BinaryFile::Access::ReadNoWait, kSource);
    const std::int64_t size = info.st_size;
    const auto read = [&](std::int64_t offset, std::size_t count) {
        std::string bytes(count, '\0');
        if (offset < 0 || file.ReadAt(offset, bytes.data(), count) != count)
            return std::string();
        return bytes;
    };
    const std::int64_t middle =
        record.beforeSize - static_cast<std::int64_t>(record.oldFront.size() + record.oldBack.size());
    for (const bool newFront : {true, false}) {
        for (const bool newBack : {true, false}) {
            const std::size_t frontLength = newFront ? record.newFrontLength : record.oldFront.size();
            const std::size_t backLength = newBack ? record.newBackLength : record.oldBack.size();
            if (size != middle + static_cast<std::int64_t>(frontLength + backLength))
                continue;
            const std::string front = read(0, frontLength);
            const std::string back = read(size - static_cast<std::int64_t>(backLength), backLength);
            if (front.size() != frontLength || back.size() != backLength ||
                (newFront ? Format::DigestHex(front) != record.newFrontDigest : front != record.oldFront) ||
                (newBack ? Format::DigestHex(back) != record.newBackDigest : back != record.oldBack))
                continue;
            if (!newFront && !newBack)
                return UndoResult::AlreadyAsBefore;
            if (newFront && newBack && checkTime && entry.mtime &&
                (info.st_mtim.tv_sec != entry.mtime->first || info.st_mtim.tv_nsec != entry.mtime->second))
                return UndoResult::ChangedSince;
            const timespec modified{record.modifiedSeconds, record.modifiedNanoseconds};
            ApplySplice(entry.name, Splice{size, front, record.oldFront, back, record.oldBack},
                        record.modifiedSeconds ? &modified : nullptr);
            return UndoResult::Restored;
        }
    }
    return UndoResult::ChangedSince;
}

FileUndo undoFile(const Entry& entry, bool checkTime)
{
    FileUndo result{entry.name, UndoResult::Failed, {}};
    try {
        struct stat info
        {
        };
        if (stat(entry.name.c_str(), &info) != 0)
            throw Platform::RuntimeError::fromErrno(errno, kSource);
        if (entry.splice) {
            result.result = undoSplice(entry, info, checkTime);
            if (result.result == UndoResult::ChangedSince)
                result.reason = "changed since the run";
            return result;
        }
        const FileEnd now = ReadFileEnd(entry.name);
        if (leftByRun(entry, now, info, checkTime)) {
            RestoreFileEnd(entry.name, entry.before);
            result.result = UndoResult::Restored;
        } else if (now == entry.before) {
            result.result = UndoResult::AlreadyAsBefore;
        } else {
            result.result = UndoResult::ChangedSince;
            result.reason = "changed since the run";
        }
    } catch (const Platform::RuntimeError& error) {
        result.reason = error.Description();
    }
    return result;
}

} // namespace

std::string DefaultFolder()
{
    if (const char* state = std::getenv("XDG_STATE_HOME"); state && *state == '/')
        return std::string(state) + "/legato";
    const char* home = std::getenv("HOME");
    return std::string(home && *home ? home : "") + "/.local/state/legato";
}

UndoJournal::UndoJournal(std::string folder) : m_folder(std::move(folder)) {}

std::vector<RunSummary> UndoJournal::List() const
{
    std::vector<RunSummary> runs;
    for (const int id : runIds(m_folder))
        if (auto summary = readSummary(m_folder, id, {}))
            runs.push_back(std::move(*summary));
    return runs;
}

std::optional<RunSummary> UndoJournal::Last(const std::vector<std::string>& kinds) const
{
    // Newest first, and a run of another kind is told by its first line: the
    // journal may hold hundreds of megabytes, and a menu asks this each time
    // it opens.
    const std::vector<int> ids = runIds(m_folder);
    for (auto it = ids.rbegin(); it != ids.rend(); ++it) {
        const auto run = readSummary(m_folder, *it, kinds);
        if (!run || run->undone || run->problem.rfind("not a journal", 0) == 0)
            continue;
        if (kinds.empty() || std::find(kinds.begin(), kinds.end(), run->kind) != kinds.end())
            return run;
    }
    return std::nullopt;
}

std::vector<FileUndo> UndoJournal::Undo(int id) const
{
    const std::string path = m_folder + '/' + Format::RunFileName(id);
    const int fd = open(path.c_str(), O_RDWR | O_APPEND | O_CLOEXEC);
    if (fd < 0)
        raise("There is no run " + std::to_string(id) + " in the undo journal.");
    struct Closer
    {
        int fd;
        ~Closer() { close(fd); }
    } closer{fd};
    if (flock(fd, LOCK_EX | LOCK_NB) != 0)
        raise("Run " + std::to_string(id) + " is still being written.");
    const ParsedRun run = parse(id, readAll(fd));
    if (run.summary.kind.empty())
        raise("Run " + std::to_string(id) + " cannot be read: " + run.summary.problem + ".");
    if (run.summary.undone)
        raise("Run " + std::to_string(id) + " is undone already.");

    std::vector<FileUndo> results;
    std::set<std::string> restored;
    bool failed = false;
    for (auto it = run.entries.rbegin(); it != run.entries.rend(); ++it) {
        // A file written twice in one run is put back step by step; the later
        // step's restore changed its time, so the earlier one checks content only.
        const bool checkTime = restored.count(it->name) == 0;
        FileUndo result = undoFile(*it, checkTime);
        if (result.result == UndoResult::Restored)
            restored.insert(it->name);
        failed = failed || result.result == UndoResult::Failed;
        results.push_back(std::move(result));
    }
    if (run.damagedLines) {
        results.push_back({path, UndoResult::Failed,
                           run.summary.problem + " in the journal; their files were not touched"});
    } else if (!failed) {
        std::string line;
        Format::AppendLine(line, {"U", std::to_string(std::time(nullptr))});
        if (write(fd, line.data(), line.size()) != static_cast<ssize_t>(line.size()) || fdatasync(fd) != 0)
            raise("The run was undone, but could not be marked so: " +
                  Platform::RuntimeError::fromErrno(errno, kSource).Description());
    }
    return results;
}

void UndoJournal::Prune(int spare, int keepRuns, std::int64_t keepBytes) const
{
    std::vector<std::pair<int, std::int64_t>> runs;
    std::int64_t total = 0;
    for (const int id : runIds(m_folder)) {
        struct stat info
        {
        };
        if (stat((m_folder + '/' + Format::RunFileName(id)).c_str(), &info) == 0) {
            runs.emplace_back(id, info.st_size);
            total += info.st_size;
        }
    }
    std::size_t remaining = runs.size();
    for (const auto& [id, bytes] : runs) {
        if (static_cast<std::int64_t>(remaining) <= keepRuns && total <= keepBytes)
            break;
        if (id == spare)
            continue;
        if (unlink((m_folder + '/' + Format::RunFileName(id)).c_str()) == 0) {
            --remaining;
            total -= bytes;
        }
    }
}

} // namespace Journal
