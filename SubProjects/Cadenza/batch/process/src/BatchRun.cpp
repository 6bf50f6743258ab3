#include "BatchRun.h"

#include "BatchMessages.h"
#include "BatchProcessor.h"

#include "Platform/FileFind.h"
#include "Platform/FileNameCodec.h"
#include "Quaver/TrailerCodec.h"
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
        {.What = settings.TestMode ? ReadAheadPool::Fetch::Status : ReadAheadPool::Fetch::Trailer});
    m_readAhead = &readAhead;
    m_readAheadInStep = true;
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

std::optional<BatchProcessor::FileFacts> BatchRun::FetchedFacts(const QString& fileName)
{
    if (!m_readAhead)
        return std::nullopt;
    if (!m_readAheadInStep) {
        m_readAhead->Consumed();
        return std::nullopt;
    }
    const auto file = m_readAhead->TryNext();
    if (!file || file->Path != Platform::EncodeFileName(fileName)) {
        m_readAheadInStep = false;
        return std::nullopt;
    }
    const auto& tail = file->Fetched;
    BatchProcessor::FileFacts facts;
    facts.Regular = tail.Regular;
    // The file handler's test: longer than a trailer, and its last 128 bytes
    // begin with "TAG".
    if (tail.Read)
        facts.HasTag = tail.Size > Quaver::Tag::TagLength() && tail.Count == tail.Bytes.size() &&
                       Quaver::TrailerCodec::HasIdentifier(tail.Bytes.data());
    return facts;
}

void BatchRun::ProcessFound(const QString& fileName, const BatchSettings& settings)
{
    const auto facts = FetchedFacts(fileName);
    // A regular file a moment ago is processed; anything else is looked at again.
    if (!(facts && facts->Regular) && !BatchProcessor::IsProcessable(fileName))
        return;
    BatchOutcome outcome = BatchProcessor::ProcessFile(settings, fileName, facts ? &*facts : nullptr);
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
