#pragma once

#include "FileEnd.h"
#include "FileSplice.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// The undo journal: every run that writes files (a save in the editor, a batch
// run, a write or remove from the command line) first records, per file, what
// the end of the file looked like before and what the write will leave. The
// record is on disk before the file is touched, so a run that crashed or was
// killed can still be undone exactly.
//
// One file per run, `run-NNNNNN.journal`, in the journal folder, written by
// one process only; every line ends in a checksum, so a cut or damaged line
// is recognised and never read as a record.
namespace Journal {

// $XDG_STATE_HOME/legato, else ~/.local/state/legato.
std::string DefaultFolder();

// The journal keeps the newest runs within both bounds; older ones are
// deleted when a new run begins (never the new run itself).
constexpr int kKeepRuns = 100;
constexpr std::int64_t kKeepBytes = 200LL * 1024 * 1024;

// Records one run. Begin creates its file; Intend records files to be written,
// Sync makes every intent recorded so far durable (write them before touching
// any file they name), Done notes that a file was written, Finish closes the
// run (a run that recorded no file is deleted then, having nothing to undo).
// Every failure raises Platform::RuntimeError with the system's reason.
class JournalRun
{
public:
    static std::unique_ptr<JournalRun> Begin(const std::string& folder, const std::string& kind,
                                             const std::string& description);
    ~JournalRun();
    JournalRun(const JournalRun&) = delete;
    JournalRun& operator=(const JournalRun&) = delete;

    int Id() const { return m_id; }
    // Returns the entry's number, for Done. name is made absolute.
    int Intend(const std::string& name, const FileEnd& before, const FileEnd& after);
    // The same for a write that changes more than the trailer: the old bytes
    // of both ends are recorded, and what the write leaves there.
    int Intend(const std::string& name, const FileEnd& before, const Splice& splice);
    void Sync();
    // Sync in two halves: Write puts what was recorded out to the run's
    // file, SyncWritten makes that durable. SyncWritten touches nothing the
    // recording does, so it may run on another thread while more is recorded.
    void Write();
    void SyncWritten() const;
    void Done(int entry, const std::string& name);
    // The same for a writer that knows the modification time the write left.
    void Done(int entry, std::int64_t modifiedSeconds, std::int64_t modifiedNanoseconds);
    void Finish();

private:
    JournalRun(int fd, int id, std::string folder);
    void flush();
    std::string absolute(const std::string& name);

    int m_fd;
    int m_id;
    int m_entries = 0;
    std::string m_folder;
    std::string m_buffer;
    // The working folder relative names are made absolute against, read once
    // at the first of them: a run's program does not change it.
    std::string m_workingFolder;
};

struct RunSummary
{
    int id = 0;
    std::int64_t time = 0; // seconds since the epoch
    std::string kind;      // "write", "remove", "batch" (command line, panel); "save", "remove tag" (editor)
    std::string description;
    int files = 0;         // files the run recorded
    bool finished = false; // false for a run that was interrupted (or is still going)
    bool undone = false;
    std::string problem; // why the file could not be read in full, when it could not
    std::int64_t bytes = 0;
};

enum class UndoResult
{
    Restored,        // the file's end is as it was before the run
    AlreadyAsBefore, // nothing to do: the run never changed it, or it was put back already
    ChangedSince,    // something else changed the file after the run; not touched
    Failed,          // the file could not be read or written (reason says why)
};

struct FileUndo
{
    std::string name;
    UndoResult result = UndoResult::Failed;
    std::string reason;
};

class UndoJournal
{
public:
    explicit UndoJournal(std::string folder = DefaultFolder());

    const std::string& Folder() const { return m_folder; }

    // Every run in the folder, oldest first; a damaged file is listed with its
    // problem, never raised.
    std::vector<RunSummary> List() const;

    // The newest run that is not undone yet, of one of the kinds when given.
    std::optional<RunSummary> Last(const std::vector<std::string>& kinds = {}) const;

    // Puts every file the run changed back, newest change first, and marks the
    // run undone when no file failed. Raises Platform::RuntimeError when the
    // run is unknown, undone already, still being written, or unreadable.
    std::vector<FileUndo> Undo(int id) const;

    // Deletes the oldest runs until at most keepRuns remain and they take at
    // most keepBytes, never the run numbered spare.
    void Prune(int spare, int keepRuns = kKeepRuns, std::int64_t keepBytes = kKeepBytes) const;

private:
    std::string m_folder;
};

} // namespace Journal
