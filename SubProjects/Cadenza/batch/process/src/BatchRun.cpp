#include "BatchRun.h"

#include "BatchMessages.h"
#include "BatchProcessor.h"

#include "Platform/FileFind.h"
#include "Platform/FileNameCodec.h"
#include "ReadAhead/ReadAheadPool.h"
#include "cDrvScan.h"

#include <QScopeGuard>

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <sys/stat.h>

BatchRun::BatchRun(QObject* parent) : QObject(parent) {}

BatchRun::~BatchRun() = default;

QString BatchRun::FolderProblem(const QString& path)
{
    if (path.isEmpty())
        return BatchMessages::NoFolder;
    const std::string name = Platform::EncodeFileName(path);
    struct stat info
    {
    };
    if (::stat(name.c_str(), &info) != 0)
        return BatchMessages::FolderMissing.arg(path);
    if (!S_ISDIR(info.st_mode))
        return BatchMessages::NotAFolder.arg(path);
    DIR* dir = ::opendir(name.c_str());
    if (dir == nullptr)
        return BatchMessages::FolderUnreadable.arg(path, QString::fromLocal8Bit(std::strerror(errno)));
    ::closedir(dir);
    return {};
}

void BatchRun::Run(const QString& path, const BatchSettings& settings)
{
    // Window events are processed during a run; a second run must not start
    // from one of them and replace the scanner under the first.
    if (m_running)
        return;
    m_running = true;
    // Whatever leaves the scan, an exception from a handler included, ends the
    // run: a stuck flag would refuse every later run.
    const auto finished = qScopeGuard([this] { m_running = false; });
    m_cancelled = false;
    m_counts = {};
    m_pDrvScan = std::make_unique<cDrvScan>();
    m_pDrvScan->setFileSpec(QStringLiteral("*.") + QStringLiteral("MP3").toLower());
    m_pDrvScan->setPath(path);
    m_pDrvScan->setUseFileSpec(true);
    connect(m_pDrvScan.get(), &cDrvScan::Progress, this, &BatchRun::ShowMessage);
    connect(m_pDrvScan.get(), &cDrvScan::Progress, this, [this](const QString& searching) {
        m_searching = searching;
        EmitProgress();
    });
    connect(m_pDrvScan.get(), &cDrvScan::FileFound, this,
            [this, &settings](const QString& fileName) { ProcessFound(fileName, settings); });

    // Test mode only looks at each file; a write reads its trailer first.
    using ReadAhead::ReadAheadPool;
    ReadAheadPool readAhead(
        ReadAheadPool::Tree(Platform::EncodeFileName(m_pDrvScan->Path()),
                            [spec = Platform::EncodeFileName(m_pDrvScan->FileSpec())](std::string_view name) {
                                return Platform::MatchesWildcard(name, spec);
                            }),
        {.What = settings.TestMode ? ReadAheadPool::Fetch::Status : ReadAheadPool::Fetch::Trailer,
         .IdleWhenCached = true});
    m_readAhead = &readAhead;
    const auto walked = qScopeGuard([this] { m_readAhead = nullptr; });
    m_pDrvScan->SearchFiles();
}

void BatchRun::Cancel()
{
    if (!m_running)
        return;
    m_cancelled = true;
    m_pDrvScan->setCancel(true);
}

void BatchRun::ProcessFound(const QString& fileName, const BatchSettings& settings)
{
    if (m_readAhead)
        m_readAhead->Consumed();
    if (!BatchProcessor::IsProcessable(fileName))
        return;
    BatchOutcome outcome = BatchProcessor::ProcessFile(settings, fileName);
    const QString& root = m_pDrvScan->Path();
    outcome.RelativeName = fileName.startsWith(root) ? fileName.mid(root.size()) : fileName;
    ++m_counts.Done;
    ++(outcome.Result == BatchOutcome::Group::Ok ? m_counts.Ok : m_counts.Error);
    emit FileProcessed(outcome);
    if (m_sinceProgress.hasExpired(ProgressInterval.count()))
        EmitProgress();
}

void BatchRun::EmitProgress()
{
    if (m_cancelled)
        return;
    m_sinceProgress.start();
    emit ShowProgress(BatchMessages::Progress(m_counts, m_searching));
}
