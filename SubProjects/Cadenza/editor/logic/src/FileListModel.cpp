#include "FileListModel.h"
#include "FileDrop.h"

#include "Platform/BinaryFile.h"
#include "Platform/FileNameCodec.h"
#include "Platform/RuntimeError.h"
#include "Quaver/Tag.h"
#include "Quaver/TrailerCodec.h"
#include <algorithm>
#include <climits>
#include <condition_variable>
#include <deque>
#include <filesystem>
#include <iterator>
#include <mutex>
#include <sys/stat.h>
#include <thread>
#include <utility>

namespace {

// How many of the files found among offered names one delivery appends.
constexpr std::size_t AppendShare = 500;

} // namespace

// The reading thread: jobs in, results out, both under one lock. Clearing the
// list starts a new generation; jobs and results of an older one are dropped.
struct FileListModel::Worker
{
    struct Job
    {
        int Row; // -1: sort out (and walk) Offered
        std::string Path;
        std::vector<std::string> Offered;
        bool WalkFolders = false;
    };
    struct Result
    {
        int Row;
        Listed Tag;
    };

    std::mutex Lock;
    std::condition_variable Wake;
    std::deque<Job> Jobs;
    std::vector<Result> Done;
    std::vector<std::string> Found;
    std::size_t WalksDone = 0;
    std::uint64_t Generation = 0;
    bool Stop = false;
    std::thread Thread;

    // The MP3 files among names, in their order, folders walked or left out.
    static std::vector<std::string> Offered(const std::vector<std::string>& names, bool walkFolders)
    {
        if (!walkFolders)
            return FilesToAdd({}, names);
        std::vector<std::string> found;
        for (const std::string& name : names) {
            std::error_code ec;
            const std::vector<std::string> files =
                std::filesystem::is_directory(name, ec) ? Mp3FilesBelow(name) : FilesToAdd({}, {name});
            found.insert(found.end(), files.begin(), files.end());
        }
        return found;
    }

    void run()
    {
        std::unique_lock lock(Lock);
        for (;;) {
            Wake.wait(lock, [this] { return Stop || !Jobs.empty(); });
            if (Stop)
                return;
            Job job = std::move(Jobs.front());
            Jobs.pop_front();
            const std::uint64_t generation = Generation;
            lock.unlock();
            if (job.Row < 0) {
                std::vector<std::string> found = Offered(job.Offered, job.WalkFolders);
                lock.lock();
                if (generation == Generation) {
                    Found.insert(Found.end(), std::make_move_iterator(found.begin()),
                                 std::make_move_iterator(found.end()));
                    ++WalksDone;
                }
                continue;
            }
            Listed tag = ReadFile(job.Path);
            lock.lock();
            if (generation == Generation)
                Done.push_back({job.Row, std::move(tag)});
        }
    }
};

FileListModel::Listed FileListModel::ReadFile(const std::string& path)
{
    Listed listed;
    listed.State = LoadState::Unreadable;
    try {
        const Platform::BinaryFile file(path, Platform::BinaryFile::Access::ReadNoWait, "FileList");
        struct stat st = {};
        if (::fstat(file.Descriptor(), &st) != 0)
            throw Platform::RuntimeError::fromErrno(errno, "FileList");
        if (!S_ISREG(st.st_mode)) {
            listed.Reason = tr("Not a regular file");
            return listed;
        }
        listed.State = LoadState::Read;
        // As the tag library reads it: a file of 128 bytes or fewer has no tag.
        const std::int64_t size = st.st_size;
        if (size <= Quaver::Tag::TagLength())
            return listed;
        Quaver::TrailerCodec::Block block{};
        if (file.ReadAt(size - Quaver::Tag::TagLength(), block.data(), block.size()) != block.size())
            return listed;
        Quaver::Tag tag;
        listed.Type = Quaver::TrailerCodec::Parse(block, tag);
        if (listed.Type != Quaver::ID3Unknown)
            listed.Texts = TagFieldTexts::fromTag(tag);
    } catch (const Platform::RuntimeError& error) {
        listed.State = LoadState::Unreadable;
        listed.Reason = QString::fromStdString(error.Description());
    }
    return listed;
}

FileListModel::FileListModel(QObject* parent, std::chrono::milliseconds deliverEvery)
    : QAbstractTableModel(parent), m_worker(std::make_unique<Worker>())
{
    m_deliver.setInterval(deliverEvery);
    connect(&m_deliver, &QTimer::timeout, this, &FileListModel::deliver);
}

FileListModel::~FileListModel()
{
    {
        const std::lock_guard lock(m_worker->Lock);
        m_worker->Stop = true;
    }
    m_worker->Wake.notify_all();
    if (m_worker->Thread.joinable())
        m_worker->Thread.join();
}

int FileListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int FileListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

namespace {

QString typeText(const FileListModel::Listed& tag)
{
    switch (tag.State) {
    case FileListModel::LoadState::Waiting:
        return {};
    case FileListModel::LoadState::Unreadable:
        return FileListModel::tr("Unreadable");
    case FileListModel::LoadState::Read:
        break;
    }
    switch (tag.Type) {
    case Quaver::ID3V1:
        return QStringLiteral("ID3v1.0");
    case Quaver::ID3V11:
        return QStringLiteral("ID3v1.1");
    default:
        return FileListModel::tr("No tag");
    }
}

// A number to sort by; rows without one come first.
int sortNumber(const QString& text)
{
    bool ok = false;
    const int n = text.toInt(&ok);
    return ok ? n : -1;
}

} // namespace

QVariant FileListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= ColumnCount)
        return {};
    const Row& row = m_rows[static_cast<std::size_t>(index.row())];
    const TagFieldTexts& t = row.Tag.Texts;
    if (role == Qt::DisplayRole || role == SortRole) {
        switch (index.column()) {
        case Name:
            return row.Shown;
        case Title:
            return t.Title;
        case Artist:
            return t.Artist;
        case Album:
            return t.Album;
        case Track:
            return role == SortRole ? QVariant(sortNumber(t.Track)) : QVariant(t.Track);
        case Year:
            return role == SortRole ? QVariant(sortNumber(t.Year)) : QVariant(t.Year);
        case Genre:
            return t.GenreText;
        case Type:
            return typeText(row.Tag);
        }
    }
    if (role == Qt::ToolTipRole && row.Tag.State == LoadState::Unreadable)
        return row.Tag.Reason;
    if (role == StateRole)
        return static_cast<int>(row.Tag.State);
    return {};
}

QVariant FileListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case Name:
        return tr("Files");
    case Title:
        return tr("Title");
    case Artist:
        return tr("Artist");
    case Album:
        return tr("Album");
    case Track:
        return tr("Track");
    case Year:
        return tr("Year");
    case Genre:
        return tr("Genre");
    case Type:
        return tr("Tag");
    }
    return {};
}

void FileListModel::clear()
{
    {
        const std::lock_guard lock(m_worker->Lock);
        ++m_worker->Generation;
        m_worker->Jobs.clear();
        m_worker->Done.clear();
        m_worker->Found.clear();
        m_worker->WalksDone = 0;
    }
    m_outstanding = 0;
    m_found.clear();
    m_foundNext = 0;
    m_deliver.stop();
    beginResetModel();
    m_rows.clear();
    m_index.clear();
    endResetModel();
}

void FileListModel::append(const std::vector<std::string>& paths)
{
    std::vector<std::pair<int, std::string>> jobs;
    std::vector<Row> added;
    for (const std::string& path : paths) {
        const int row = static_cast<int>(m_rows.size() + added.size());
        if (!m_index.emplace(path, row).second)
            continue;
        added.push_back({path, Platform::DecodeFileName(path), {}});
        jobs.emplace_back(row, path);
    }
    if (added.empty())
        return;
    m_rows.reserve(m_rows.size() + added.size());
    beginInsertRows({}, rowCount(), rowCount() + static_cast<int>(added.size()) - 1);
    std::move(added.begin(), added.end(), std::back_inserter(m_rows));
    endInsertRows();
    enqueue(std::move(jobs));
}

void FileListModel::offer(std::vector<std::string> names, bool walkFolders)
{
    if (names.empty())
        return;
    {
        const std::lock_guard lock(m_worker->Lock);
        m_worker->Jobs.push_back({-1, {}, std::move(names), walkFolders});
    }
    startWorker(1);
}

void FileListModel::refresh(const std::vector<std::string>& paths)
{
    std::vector<std::pair<int, std::string>> jobs;
    for (const std::string& path : paths) {
        if (const auto row = rowOf(path))
            jobs.emplace_back(*row, path);
    }
    enqueue(std::move(jobs));
}

std::vector<std::string> FileListModel::paths() const
{
    std::vector<std::string> all;
    all.reserve(m_rows.size());
    for (const Row& row : m_rows)
        all.push_back(row.Path);
    return all;
}

std::optional<int> FileListModel::rowOf(const std::string& path) const
{
    const auto found = m_index.find(path);
    if (found == m_index.end())
        return std::nullopt;
    return found->second;
}

void FileListModel::enqueue(std::vector<std::pair<int, std::string>> jobs)
{
    if (jobs.empty())
        return;
    {
        const std::lock_guard lock(m_worker->Lock);
        for (auto& [row, path] : jobs)
            m_worker->Jobs.push_back({row, std::move(path), {}, false});
    }
    startWorker(jobs.size());
}

void FileListModel::startWorker(std::size_t added)
{
    {
        const std::lock_guard lock(m_worker->Lock);
        if (!m_worker->Thread.joinable())
            m_worker->Thread = std::thread([worker = m_worker.get()] { worker->run(); });
    }
    m_worker->Wake.notify_one();
    m_outstanding += added;
    if (!m_deliver.isActive())
        m_deliver.start();
}

void FileListModel::deliver()
{
    std::vector<Worker::Result> done;
    std::size_t walks = 0;
    {
        const std::lock_guard lock(m_worker->Lock);
        done.swap(m_worker->Done);
        walks = std::exchange(m_worker->WalksDone, 0);
        m_found.insert(m_found.end(), std::make_move_iterator(m_worker->Found.begin()),
                       std::make_move_iterator(m_worker->Found.end()));
        m_worker->Found.clear();
    }
    if (!done.empty()) {
        int first = INT_MAX;
        int last = -1;
        for (Worker::Result& result : done) {
            m_rows[static_cast<std::size_t>(result.Row)].Tag = std::move(result.Tag);
            first = std::min(first, result.Row);
            last = std::max(last, result.Row);
        }
        emit dataChanged(index(first, 0), index(last, ColumnCount - 1));
    }
    m_outstanding -= std::min(m_outstanding, done.size() + walks);
    if (m_foundNext < m_found.size()) {
        const std::size_t end = std::min(m_found.size(), m_foundNext + AppendShare);
        const std::vector<std::string> share(m_found.begin() + static_cast<std::ptrdiff_t>(m_foundNext),
                                             m_found.begin() + static_cast<std::ptrdiff_t>(end));
        m_foundNext = end;
        if (m_foundNext == m_found.size()) {
            m_found.clear();
            m_foundNext = 0;
        }
        append(share);
        emit filesAppended();
    }
    if (!loading()) {
        m_deliver.stop();
        emit loadingFinished();
    }
}

FileListProxy::FileListProxy(QObject* parent) : QSortFilterProxyModel(parent)
{
    setSortRole(FileListModel::SortRole);
    setSortCaseSensitivity(Qt::CaseInsensitive);
    setFilterCaseSensitivity(Qt::CaseInsensitive);
    setFilterKeyColumn(-1);
}
