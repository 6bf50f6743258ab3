#include "BatchRun.h"

#include "BatchMessages.h"
#include "BatchProcessor.h"

#include "Platform/FileNameCodec.h"
#include "cDrvScan.h"

#include <QCoreApplication>
#include <QScopeGuard>

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <sys/stat.h>

BatchRun::BatchRun(QObject* parent) : QObject(parent) {}

BatchRun::~BatchRun() = default;

QString BatchRun::FolderProblem(const std::string& path)
{
    if (path.empty())
        return BatchMessages::NoFolder();
    // The messages are text for the user, with the folder decoded.
    const QString shown = Platform::DecodeFileName(path);
    struct stat info
    {
    };
    if (::stat(path.c_str(), &info) != 0)
        return BatchMessages::FolderMissing().arg(shown);
    if (!S_ISDIR(info.st_mode))
        return BatchMessages::NotAFolder().arg(shown);
    DIR* dir = ::opendir(path.c_str());
    if (dir == nullptr)
        return BatchMessages::FolderUnreadable().arg(shown, QString::fromLocal8Bit(std::strerror(errno)));
    ::closedir(dir);
    return {};
}

void BatchRun::Run(const std::string& path, const BatchSettings& settings)
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
    m_pDrvScan->setFileSpec("*.mp3"); // "*." and "MP3" in lower case
    m_pDrvScan->setPath(path);
    m_pDrvScan->setUseFileSpec(true);
    connect(m_pDrvScan.get(), &cDrvScan::Progress, this, [this](const std::string& searching) {
        // The status is text for the user: the folder in it is decoded and
        // the words translated here, once per folder.
        constexpr std::string_view prefix = "Searching ";
        m_searching = searching.compare(0, prefix.size(), prefix) == 0
                          ? QCoreApplication::translate("cDrvScan", "Searching %1")
                                .arg(Platform::DecodeFileName(searching.substr(prefix.size())))
                          : Platform::DecodeFileName(searching);
        emit ShowMessage(m_searching);
        EmitProgress();
    });
    connect(m_pDrvScan.get(), &cDrvScan::FileFound, this,
            [this, &settings](const std::string& fileName) { ProcessFound(fileName, settings); });
    m_pDrvScan->SearchFiles();
}

void BatchRun::Cancel()
{
    if (!m_running)
        return;
    m_cancelled = true;
    m_pDrvScan->setCancel(true);
}

void BatchRun::ProcessFound(const std::string& fileName, const BatchSettings& settings)
{
    if (!BatchProcessor::IsProcessable(fileName))
        return;
    BatchOutcome outcome = BatchProcessor::ProcessFile(settings, fileName);
    const std::string& root = m_pDrvScan->Path();
    outcome.RelativeName = fileName.starts_with(root) ? fileName.substr(root.size()) : fileName;
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
