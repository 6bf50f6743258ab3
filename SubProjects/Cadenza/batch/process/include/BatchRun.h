#pragma once

#include "BatchOutcome.h"
#include "BatchProcessor.h"
#include "BatchSettings.h"
#include "UndoJournal.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>

#include <atomic>
#include <chrono>
#include <deque>
#include <future>
#include <memory>
#include <vector>

class cDrvScan;
template <typename Result> class TaskThreads;
namespace ReadAhead {
class ReadAheadPool;
}

// One batch run over a directory tree: the scanner finds the MP3 files
// (*.mp3, letter case ignored), and each one is processed as it is found, in
// the scanner's order. The batch panel and the command line both drive it.
// Paths and the outcomes' names are the bytes the file system holds; only the
// status texts carry a folder decoded for the user.
class BatchRun : public QObject
{
    Q_OBJECT
public:
    // ShowProgress comes at most this often while files are processed.
    static constexpr std::chrono::milliseconds ProgressInterval{100};

    explicit BatchRun(QObject* parent = nullptr);
    ~BatchRun() override;

    // Why a run from path could not work, in words for the user: empty when
    // path names a folder that can be read. The scanner would take an empty
    // path for the current folder and a missing one for an empty tree.
    static QString FolderProblem(const std::string& path);

    // Scans path and processes every file found; returns when the tree is
    // done or the run was cancelled. Window events are processed between
    // steps by the scanner.
    void Run(const std::string& path, const BatchSettings& settings);

    // Asks the run going on to stop: the file in hand is finished, no further
    // file is touched. Between runs it does nothing.
    void Cancel();

    bool IsRunning() const { return m_running; }
    // Whether the current or last run was cancelled.
    bool WasCancelled() const { return m_cancelled; }
    // The files of the current or last run so far.
    const BatchCounts& Counts() const { return m_counts; }

    // The scanner of the current or last run; null before the first.
    cDrvScan* DrvScan() const { return m_pDrvScan.get(); }

    // Why the current or last run did not start or stopped early: the undo
    // journal could not be written (nothing, or nothing more, was written
    // then). Empty otherwise.
    const QString& Problem() const { return m_problem; }

    // Writes are recorded in the undo journal in groups of this many, made
    // durable together before any of them happens; a group also goes out
    // when the oldest waiting file has waited GroupWait. A waiting write
    // holds its file open, so a group stays within an eighth of the files
    // the process may have open.
    static constexpr std::size_t GroupSize = 256;
    static constexpr std::chrono::milliseconds GroupWait{200};
    // Whether a folder's files are written and reported before the next
    // folder's status (on by default: a window shows them in that order).
    // A caller that shows no status turns it off, and a group then spans
    // folders: fewer flushes of the journal. Its groups are also written on
    // a second thread while the next group is gathered; their outcomes are
    // reported, in order, before anything found after them.
    void SetReportEachFolderFirst(bool first) { m_reportEachFolderFirst = first; }

signals:
    // A status text: the scanner's "Searching <folder>" as it goes.
    void ShowMessage(const QString& message);
    // The status with the counts so far (BatchMessages::Progress): on each
    // folder entered, and after a file when ProgressInterval has passed.
    // Silent once the run is cancelled.
    void ShowProgress(const QString& message);
    // One file done.
    void FileProcessed(const BatchOutcome& outcome);

private:
    void ProcessFound(const std::string& fileName, const BatchSettings& settings);
    // Writes and reports every file in hand. With overlap (and no status
    // to keep in step) the waiting group is written on the writer thread
    // and reported at the next call.
    void WriteWaiting(bool overlap = false);
    // Reports the groups written alongside, oldest first, until fewer than
    // keep are left in writing.
    void ReportWritten(std::size_t keep = 0);
    // Empties a group reported, keeping its room for the next.
    void Recycle(std::vector<BatchProcessor::PreparedFile>& group);
    // One file's outcome, and the time its write left.
    struct Written
    {
        BatchOutcome Outcome;
        BatchProcessor::WriteTime Time;
    };
    // Writes the files of a group whose records are durable, in order,
    // until they are done or the run is cancelled.
    std::vector<Written> WriteGroup(std::vector<BatchProcessor::PreparedFile>& group) const;
    // Notes a write in the journal once it is done.
    void NoteWritten(const BatchProcessor::PreparedFile& prepared, const Written& written);
    void Publish(BatchOutcome outcome);
    // What the read-ahead found of a file: whether it is regular, and whether
    // its first and last bytes leave room for other tags. Nothing when it
    // is out of step.
    struct Fetched
    {
        bool Known = true; // false: passed on unfetched, Regular is what the listing showed
        bool Regular = false;
        bool MayHoldOthers = true;
        bool EndsInTag = false;
        // The file as the read-ahead opened and read it, when it hands it over.
        std::optional<BatchProcessor::OpenedFile> Opened{};
    };
    std::optional<Fetched> FetchedFile(const std::string& fileName);
    void EmitProgress();

    std::unique_ptr<cDrvScan> m_pDrvScan;
    // Walks the same tree ahead of the scanner while a run goes on and
    // fetches what processing needs to know of each file. Its walk stays in
    // step with the scanner's unless the tree changes under the run; from
    // the first file where they differ its findings are no longer used.
    ReadAhead::ReadAheadPool* m_readAhead = nullptr;
    bool m_readAheadInStep = false;
    bool m_headsFetched = false; // the read-ahead fetches the files' first bytes too
    bool m_running = false;
    bool m_cancelled = false;
    BatchCounts m_counts;
    QString m_searching;
    QElapsedTimer m_sinceProgress;
    QString m_problem;
    // While writing: the run's journal, and the files found but not yet
    // reported, in order, with the writes among them recorded but not done.
    std::unique_ptr<Journal::JournalRun> m_journal;
    std::vector<BatchProcessor::PreparedFile> m_waiting;
    std::size_t m_waitingWrites = 0;
    // The room of groups reported already, kept for the next ones (as many
    // as may be in hand at once): a group is large enough that fresh room
    // would come from the system each time.
    std::vector<std::vector<BatchProcessor::PreparedFile>> m_spareGroups;
    // The groups being written on writer threads, oldest first (each left
    // alone here until its writer is done). Three at a time: while one waits
    // for its records to reach the disk, the others write, and the run's
    // thread goes on gathering instead of waiting for a writer.
    struct Writing
    {
        std::vector<BatchProcessor::PreparedFile> Group;
        std::future<std::vector<Written>> Done;
    };
    static constexpr std::size_t MaxWriting = 3;
    std::deque<Writing> m_writing;
    std::unique_ptr<TaskThreads<std::vector<Written>>> m_writers; // one per group in writing
    std::atomic<bool> m_stopWriting = false;
    std::size_t m_groupSize = GroupSize;
    std::optional<std::uint64_t> m_sizeLimit; // the file-size limit, asked once per run
    bool m_lastKept = false;                  // the file before ended in a tag that was kept
    bool m_reportEachFolderFirst = true;
    QElapsedTimer m_sinceWaiting;
};
