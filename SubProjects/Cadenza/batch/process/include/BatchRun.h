#pragma once

#include "BatchOutcome.h"
#include "BatchSettings.h"

#include <QObject>
#include <QString>

#include <memory>

class cDrvScan;

// One batch run over a directory tree: the scanner finds the MP3 files
// (*.mp3, letter case ignored), and each one is processed as it is found, in
// the scanner's order. The batch panel and the command line both drive it.
class BatchRun : public QObject
{
    Q_OBJECT
public:
    explicit BatchRun(QObject* parent = nullptr);
    ~BatchRun() override;

    // Scans path and processes every file found; returns when the tree is
    // done. Window events are processed between steps by the scanner.
    void Run(const QString& path, const BatchSettings& settings);

    bool IsRunning() const { return m_running; }

    // The scanner of the current or last run; null before the first.
    cDrvScan* DrvScan() const { return m_pDrvScan.get(); }

signals:
    // A status text: the scanner's "Searching <folder>" as it goes.
    void ShowMessage(const QString& message);
    // One file done.
    void FileProcessed(const BatchOutcome& outcome);

private:
    std::unique_ptr<cDrvScan> m_pDrvScan;
    bool m_running = false;
};
