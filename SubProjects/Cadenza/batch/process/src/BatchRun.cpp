#include "BatchRun.h"

#include "BatchMessages.h"
#include "BatchProcessor.h"
#include "TaskThreads.h"

#include "OtherTags/OtherTags.h"
#include "Platform/BinaryFile.h"
#include "Platform/FileFind.h"
#include "Platform/FileNameCodec.h"
#include "Platform/RuntimeError.h"
#include "ReadAhead/ReadAheadPool.h"
#include "cDrvScan.h"

#include <QCoreApplication>
#include <QScopeGuard>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <system_error>

namespace {

// Whether the read-ahead found the file ending in a tag (as the run's own read would).
bool EndsInTag(const ReadAhead::ReadAheadPool::Tail& tail)
{
    return tail.Read && tail.Size > 128 && tail.Count == 128 && tail.Bytes[0] == 'T' &&
           tail.Bytes[1] == 'A' && tail.Bytes[2] == 'G';
}

} // namespace

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
        // A folder's files are reported before the next folder is entered,
        // as when each file is written as it is found.
        if (m_reportEachFolderFirst)
            WriteWaiting();
        emit ShowMessage(m_searching);
        EmitProgress();
    });
    connect(m_pDrvScan.get(), &cDrvScan::FileFound, this,
            [this, &settings](const std::string& fileName) { ProcessFound(fileName, settings); });
    m_problem.clear();
    m_waiting.clear();
    m_waitingWrites = 0;
    // Each file gathered or in writing is held open, as are those the
    // read-ahead has fetched (a quarter of the limit at most): a group is an
    // eighth at most, so the four held at once (one gathered, three in
    // writing) leave a quarter for the rest of the process. The usual limit of
    // 1024 is raised, where the hard limit allows, to make room for whole
    // groups (nothing in the process waits on descriptors with select()).
    m_groupSize = GroupSize;
    rlimit files{};
    if (::getrlimit(RLIMIT_NOFILE, &files) == 0 && files.rlim_cur != RLIM_INFINITY) {
        constexpr rlim_t wanted = 8 * GroupSize;
        if (files.rlim_cur < wanted && files.rlim_max > files.rlim_cur) {
            files.rlim_cur = std::min(wanted, files.rlim_max);
            ::setrlimit(RLIMIT_NOFILE, &files);
            ::getrlimit(RLIMIT_NOFILE, &files);
        }
        m_groupSize = std::clamp<std::size_t>(files.rlim_cur / 8, 1, GroupSize);
    }
    m_sizeLimit = Platform::FileSizeLimit();
    m_lastKept = false;
    // A write reads the file's end first; when differing ID3v2 tags are
    // noted, the first and last bytes tell which files may hold one. The
    // first bytes are fetched only then: on a large file they are one more
    // read from the device.
    using ReadAhead::ReadAheadPool;
    m_headsFetched = settings.NotesId3v2();
    const ReadAheadPool::Fetch what = m_headsFetched      ? ReadAheadPool::Fetch::Trailer
                                      : settings.TestMode ? ReadAheadPool::Fetch::Status
                                                          : ReadAheadPool::Fetch::End;
    // The read-ahead starts before the journal is begun: its first fetches
    // then overlap the journal's first sync, and it only reads.
    ReadAheadPool readAhead(ReadAheadPool::Tree(m_pDrvScan->Path(),
                                                [spec = m_pDrvScan->FileSpec()](std::string_view name) {
                                                    return Platform::MatchesWildcard(name, spec);
                                                }),
                            // Through io_uring the read-ahead hands each file over open and read,
                            // so a write need not open and read it again. Without, a write reads
                            // each file's end again itself just before, so on a warm cache the
                            // fetches would only cost time.
                            {.What = what,
                             .SkipWhileCached = !settings.TestMode,
                             .KeepOpen = !settings.TestMode,
                             .Writes = [overwrite = settings.Overwrite](const ReadAheadPool::Tail& tail) {
                                 return overwrite || !EndsInTag(tail);
                             }});
    if (!settings.TestMode) {
        // Every write is recorded before it happens; without a journal the
        // run writes nothing. A run in test mode records nothing.
        try {
            m_journal = Journal::JournalRun::Begin(Journal::DefaultFolder(), "batch", path);
        } catch (const Platform::RuntimeError& error) {
            m_problem = QString::fromStdString(error.Description());
            return;
        }
    }
    m_stopWriting = false;
    const auto closeJournal = qScopeGuard([this] {
        // The writer threads are done before the files they use go away.
        for (Writing& writing : m_writing)
            writing.Done.wait();
        m_writing.clear();
        m_writers.reset();
        m_waiting.clear();
        m_spareGroups.clear();
        if (m_journal) {
            try {
                m_journal->Finish();
            } catch (const Platform::RuntimeError&) {
                // Its last notes are lost; undo then checks those files by content.
            }
            m_journal.reset();
        }
    });

    m_readAhead = &readAhead;
    m_readAheadInStep = true;
    const auto walked = qScopeGuard([this] { m_readAhead = nullptr; });
    m_pDrvScan->SearchFiles();
    WriteWaiting();
}

void BatchRun::Cancel()
{
    if (!m_running)
        return;
    m_cancelled = true;
    m_stopWriting = true;
    m_pDrvScan->setCancel(true);
}

std::optional<BatchRun::Fetched> BatchRun::FetchedFile(const std::string& fileName)
{
    if (!m_readAhead)
        return std::nullopt;
    if (!m_readAheadInStep) {
        m_readAhead->Consumed();
        return std::nullopt;
    }
    auto file = m_readAhead->TryNext();
    if (!file || file->Path != fileName) {
        m_readAheadInStep = false;
        return std::nullopt;
    }
    ReadAhead::ReadAheadPool::Tail& tail = file->Fetched;
    if (tail.Skipped)
        return Fetched{.Known = false, .Regular = tail.Regular};
    std::string end = tail.End();
    Fetched fetched{.Regular = tail.Regular,
                    .MayHoldOthers =
                        !tail.Read || !m_headsFetched || OtherTags::MayHold(tail.Head(), end, tail.Size),
                    .EndsInTag = EndsInTag(tail)};
    if (tail.Open.IsOpen()) {
        fetched.Opened.emplace();
        fetched.Opened->Writable = tail.Open.Writable();
        fetched.Opened->File = std::make_unique<Platform::BinaryFile>(tail.Open.Release(), "Quaver");
        fetched.Opened->Status = tail.Status;
        fetched.Opened->End = std::move(end);
    }
    return fetched;
}

void BatchRun::ProcessFound(const std::string& fileName, const BatchSettings& settings)
{
    // A regular file a moment ago (looked at, or listed so) is processed;
    // anything else is looked at again.
    auto fetched = FetchedFile(fileName);
    if (!(fetched && fetched->Regular) && !BatchProcessor::IsProcessable(fileName))
        return;
    const bool mayHoldOthers = !fetched || fetched->MayHoldOthers;
    if (!m_journal) {
        Publish(BatchProcessor::ProcessFile(settings, fileName, mayHoldOthers));
        return;
    }
    // A file not looked at is taken to be like the one before: in a tree of
    // tagged files whose tags are kept, none is opened for writing.
    const bool endsInTag = fetched && (fetched->Known ? fetched->EndsInTag : m_lastKept);
    BatchProcessor::PreparedFile prepared =
        BatchProcessor::PrepareFile(settings, fileName, mayHoldOthers, endsInTag,
                                    fetched && fetched->Opened ? &*fetched->Opened : nullptr);
    m_lastKept = !prepared.Write && prepared.HadTag;
    if (!prepared.Write && m_waiting.empty() && m_writing.empty()) {
        Publish(std::move(prepared.Outcome));
        return;
    }
    if (prepared.Write && prepared.Recordable) {
        try {
            prepared.Entry = prepared.Splice
                                 ? m_journal->Intend(fileName, prepared.Before, prepared.Splice->Change)
                                 : m_journal->Intend(fileName, prepared.Before, prepared.After);
        } catch (const Platform::RuntimeError& error) {
            m_problem = QString::fromStdString(error.Description());
            Cancel();
            return;
        }
    }
    if (m_waiting.empty()) {
        m_sinceWaiting.start();
        if (m_waiting.capacity() < m_groupSize && !m_spareGroups.empty()) {
            m_waiting.swap(m_spareGroups.back());
            m_spareGroups.pop_back();
        }
        m_waiting.reserve(m_groupSize);
    }
    m_waitingWrites += prepared.Write;
    m_waiting.push_back(std::move(prepared));
    if (m_waitingWrites >= m_groupSize || m_sinceWaiting.hasExpired(GroupWait.count()))
        WriteWaiting(true);
}

std::vector<BatchRun::Written> BatchRun::WriteGroup(std::vector<BatchProcessor::PreparedFile>& group) const
{
    std::vector<Written> written;
    written.reserve(group.size());
    for (BatchProcessor::PreparedFile& prepared : group) {
        if (m_stopWriting)
            break;
        Written& done = written.emplace_back();
        done.Outcome = BatchProcessor::CompleteFile(prepared, m_sizeLimit, &done.Time);
    }
    return written;
}

void BatchRun::ReportWritten(std::size_t keep)
{
    // Every file written is reported, a cancel meanwhile or not: it was written.
    while (!m_writing.empty() && m_writing.size() >= std::max<std::size_t>(keep, 1)) {
        Writing& writing = m_writing.front();
        try {
            std::vector<Written> written = writing.Done.get();
            for (std::size_t i = 0; i < written.size(); ++i) {
                NoteWritten(writing.Group[i], written[i]);
                Publish(std::move(written[i].Outcome));
            }
        } catch (const Platform::RuntimeError& error) {
            // The group's records could not be made durable: none of it was
            // written. A later group may have written some before the cancel.
            m_problem = QString::fromStdString(error.Description());
            m_waiting.clear();
            Cancel();
        }
        Recycle(writing.Group);
        m_writing.pop_front();
    }
}

void BatchRun::NoteWritten(const BatchProcessor::PreparedFile& prepared, const Written& written)
{
    if (!prepared.Entry || written.Outcome.Result != BatchOutcome::Group::Ok)
        return;
    if (written.Time.Known)
        m_journal->Done(prepared.Entry, written.Time.Seconds, written.Time.Nanoseconds);
    else
        m_journal->Done(prepared.Entry, written.Outcome.FileName);
}

void BatchRun::WriteWaiting(bool overlap)
{
    const bool alongside = overlap && !m_reportEachFolderFirst && !m_cancelled;
    ReportWritten(alongside ? MaxWriting : 0);
    if (m_waiting.empty())
        return;
    try {
        m_journal->Write();
        // Written alongside, the group's records are made durable on the
        // writer thread, before it writes the first file of the group.
        if (alongside) {
            Writing& writing = m_writing.emplace_back();
            writing.Group.swap(m_waiting);
            m_waitingWrites = 0;
            try {
                if (!m_writers)
                    m_writers = std::make_unique<TaskThreads<std::vector<Written>>>(MaxWriting);
                writing.Done = m_writers->Run([this, group = &writing.Group] {
                    m_journal->SyncWritten();
                    return WriteGroup(*group);
                });
                return;
            } catch (const std::system_error&) {
                // No thread to be had: the group is written here, after those before it.
                m_waiting.swap(writing.Group);
                m_writing.pop_back();
                ReportWritten();
            }
        }
        m_journal->SyncWritten();
    } catch (const Platform::RuntimeError& error) {
        // Not one of the waiting files is written: their records may not be on disk.
        m_problem = QString::fromStdString(error.Description());
        m_waiting.clear();
        Cancel();
        return;
    }
    std::vector<BatchProcessor::PreparedFile> group;
    group.swap(m_waiting);
    m_waitingWrites = 0;
    // The files were found before a cancel that came already (they are in
    // hand); a cancel while they are reported leaves the rest alone.
    const bool cancelledBefore = m_cancelled;
    for (BatchProcessor::PreparedFile& prepared : group) {
        if (m_cancelled && !cancelledBefore)
            break;
        Written written;
        written.Outcome = BatchProcessor::CompleteFile(prepared, m_sizeLimit, &written.Time);
        NoteWritten(prepared, written);
        Publish(std::move(written.Outcome));
    }
    Recycle(group);
}

void BatchRun::Recycle(std::vector<BatchProcessor::PreparedFile>& group)
{
    group.clear();
    if (group.capacity() > 0 && m_spareGroups.size() <= MaxWriting)
        m_spareGroups.push_back(std::move(group));
}

void BatchRun::Publish(BatchOutcome outcome)
{
    const std::string& root = m_pDrvScan->Path();
    const std::string& fileName = outcome.FileName;
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
