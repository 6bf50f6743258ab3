#include "BatchRun.h"

#include "BatchProcessor.h"

#include <cDrvScan.h>

BatchRun::BatchRun(QObject* parent) : QObject(parent) {}

BatchRun::~BatchRun() = default;

void BatchRun::Run(const QString& path, const BatchSettings& settings)
{
    // Window events are processed during a run; a second run must not start
    // from one of them and replace the scanner under the first.
    if (m_running)
        return;
    m_running = true;
    m_pDrvScan = std::make_unique<cDrvScan>();
    m_pDrvScan->setFileSpec(QStringLiteral("*.") + QStringLiteral("MP3").toLower());
    m_pDrvScan->setPath(path);
    m_pDrvScan->setUseFileSpec(true);
    connect(m_pDrvScan.get(), &cDrvScan::Progress, this, &BatchRun::ShowMessage);
    connect(m_pDrvScan.get(), &cDrvScan::FileFound, this, [this, &settings](const QString& fileName) {
        if (BatchProcessor::IsProcessable(fileName))
            emit FileProcessed(BatchProcessor::ProcessFile(settings, fileName));
    });
    m_pDrvScan->SearchFiles();
    m_running = false;
}
