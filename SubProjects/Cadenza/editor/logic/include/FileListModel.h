#pragma once

#include "TagFieldTexts.h"

#include "Quaver/EID3TagConstants.h"
#include <QAbstractTableModel>
#include <QSortFilterProxyModel>
#include <QTimer>
#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

// The editor's file list as a table: per file its path (the bytes the file
// system holds, decoded only for display), the fields of its tag and its type,
// and whether the tag has been read yet or could not be read, and why.
//
// Rows appear at once, waiting; a worker thread reads the tags (and sorts out
// and walks what is offered to the list) and the model takes its results over on its
// own thread in batches (every deliverEvery), so a list of many thousand files
// never holds the event loop up for long. Rows are only appended or all
// cleared; results of a cleared list are dropped.
class FileListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column
    {
        Name,
        Title,
        Artist,
        Album,
        Track,
        Year,
        Genre,
        Type,
        ColumnCount
    };
    enum Role
    {
        // What the column sorts by: numbers for the track and the year.
        SortRole = Qt::UserRole + 1,
        // The row's LoadState as an int.
        StateRole,
    };
    enum class LoadState
    {
        Waiting,
        Read,
        Unreadable
    };

    // What reading one file's tag found.
    struct Listed
    {
        LoadState State = LoadState::Waiting;
        QString Reason; // why the file could not be read
        Quaver::EID3TagConstants Type = Quaver::ID3Unknown;
        TagFieldTexts Texts; // empty without a tag
    };

    // Reads the tag of one file as the list shows it. Only a regular file is
    // read, and opening it never waits (a pipe, a device); a file that is
    // missing, not a regular file or cannot be read is Unreadable with the
    // system's reason.
    static Listed ReadFile(const std::string& path);

    explicit FileListModel(QObject* parent = nullptr,
                           std::chrono::milliseconds deliverEvery = std::chrono::milliseconds(50));
    ~FileListModel() override;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // Removes every row; reads still under way for them are dropped.
    void clear();
    // Appends a waiting row per path and has their tags read.
    void append(const std::vector<std::string>& paths);
    // Appends, in the background and in their order, the MP3 files among
    // names that are not listed yet; a folder is never listed, whatever its
    // name, but with walkFolders every MP3 file below it is, walked as a batch
    // run walks it. filesAppended tells when rows came in.
    void offer(std::vector<std::string> names, bool walkFolders);
    // Has the tags of the listed ones among paths read again (after a write).
    void refresh(const std::vector<std::string>& paths);

    const std::string& path(int row) const { return m_rows[static_cast<std::size_t>(row)].Path; }
    std::vector<std::string> paths() const;
    std::optional<int> rowOf(const std::string& path) const;
    const Listed& listed(int row) const { return m_rows[static_cast<std::size_t>(row)].Tag; }
    // Whether reads or walks are still to be delivered.
    bool loading() const { return m_outstanding > 0 || m_foundNext < m_found.size(); }

signals:
    // Rows found by a walk were appended.
    void filesAppended();
    // Every read asked for has been delivered.
    void loadingFinished();

private:
    struct Row
    {
        std::string Path;
        QString Shown;
        Listed Tag;
    };
    struct Worker;

    void enqueue(std::vector<std::pair<int, std::string>> jobs);
    // Wakes the worker (started on first use) for added new jobs and delivers
    // until every job is done.
    void startWorker(std::size_t added);
    void deliver();

    std::vector<Row> m_rows;
    std::unordered_map<std::string, int> m_index;
    std::size_t m_outstanding = 0;
    // Files found by walks, appended a share per delivery.
    std::vector<std::string> m_found;
    std::size_t m_foundNext = 0;
    QTimer m_deliver;
    std::unique_ptr<Worker> m_worker;
};

// The list as shown: sorted by any column (numerically by track and year,
// letter case ignored elsewhere) and filtered by a text that any column may
// contain, letter case ignored. Unsorted, the rows keep the order they were added in.
class FileListProxy : public QSortFilterProxyModel
{
    Q_OBJECT

public:
    explicit FileListProxy(QObject* parent = nullptr);
};
