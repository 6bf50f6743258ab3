#pragma once

#include "BatchOutcome.h"
#include "BatchProcessor.h"
#include "BatchSettings.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>

#include <chrono>
#include <memory>

class cDrvScan;
namespace ReadAhead {
class ReadAheadPool;
}

// One batch run over a directory tree: the scanner finds the MP3 files
// (*.mp3, letter case ignored), and each one is processed as it is found, in
// the scanner's order. The batch panel and the command line both drive it.
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
    static QString FolderProblem(const QString& path);

    // Scans path and processes every file found; returns when the tree is
    // done or the run was cancelled. Window events are processed between
    // steps by the scanner.
    void Run(const QString& path, const BatchSettings& settings);

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
    void ProcessFound(const QString& fileName, const BatchSettings& settings);
    std::optional<BatchProcessor::FileFacts> FetchedFacts(const QString& fileName);
    void EmitProgress();

    std::unique_ptr<cDrvScan> m_pDrvScan;
    // Walks the same tree ahead of the scanner while a run goes on and
    // fetches what processing needs to know of each file. Its walk stays in
    // step with the scanner's unless the tree changes under the run; from
    // the first file where they differ its findings are no longer used.
    ReadAhead::ReadAheadPool* m_readAhead = nullptr;
    bool m_readAheadInStep = false;
    bool m_running = false;
    bool m_cancelled = false;
    BatchCounts m_counts;
    QString m_searching;
    QElapsedTimer m_sinceProgress;
};
