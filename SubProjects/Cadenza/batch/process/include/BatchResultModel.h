#pragma once

#include "BatchOutcome.h"
#include "BatchPreview.h"
#include "BatchSettings.h"

#include <QAbstractItemModel>
#include <QElapsedTimer>
#include <QHash>
#include <QString>
#include <QStringList>

#include <array>
#include <deque>
#include <memory>
#include <string>
#include <vector>

// The outcomes of a batch run as a tree: two groups, "Ok" and "Error", with
// one node per processed file (its name below the start folder; the full name
// is the tool tip) and under each file one node with the outcome message.
//
// A run may process millions of files, so an outcome is kept small: its full
// name once, as the file system's bytes, in a shared store; where the name
// below the start folder begins; and the message as an index into the run's
// distinct messages. The tag for the preview is derived again on demand from
// the name with the run's own format and default tag, which gives the tag the
// run computed without keeping one per file.
//
// Outcomes enter the tree in batches (beginInsertRows over the new range), so
// a view is not laid out again per file. A view lays out every row of an
// expanded group, so a group shows its first WindowRows outcomes, and a view
// that reaches the end of them asks for the next WindowRows (HasMore,
// ShowMore): a run of millions does not make the window wait for millions of
// rows at once. The group captions count every outcome. (Not canFetchMore and
// fetchMore: a tree view calls those on every layout, and would show all.)
class BatchResultModel : public QAbstractItemModel
{
    Q_OBJECT
public:
    // Data roles beside the display text and the tool tip.
    enum Role
    {
        KeyRole = Qt::UserRole, // a group node's key, "ok" or "error"
        ImageRole,              // the key of the node's image: ImageOk, ImageError or ImageInfo
        FileNameRole,           // a file or message node's full file name, its bytes as a QByteArray
        NoteRole,               // a file or message node's BatchOutcome::Note (also in its tool tip)
    };

    // The keys of the result tree's images.
    static inline const QString ImageOk = QStringLiteral("Ok");
    static inline const QString ImageError = QStringLiteral("Error");
    static inline const QString ImageInfo = QStringLiteral("Info");

    // The keys of the two group nodes.
    static inline const QString OkKey = QStringLiteral("ok");
    static inline const QString ErrorKey = QStringLiteral("error");

    // Stored outcomes enter the tree when this many wait, or with the next
    // one after this much time since the last batch.
    static constexpr int BatchSize = 512;
    static constexpr int BatchMilliseconds = 150;
    // A group shows this many more outcomes with each fetch.
    static constexpr int WindowRows = 100000;

    explicit BatchResultModel(QObject* parent = nullptr);
    ~BatchResultModel() override;

    // Removes every outcome: the groups read "Ok" and "Error" again.
    void Clear();
    // Clear, and remember the run's settings for the previews of its files.
    void Start(const BatchSettings& settings);
    // Stores one outcome; it shows with the next batch.
    void Append(const BatchOutcome& outcome);
    // Shows every stored outcome now, and the counts in the group captions.
    void Publish();
    // The picture (Qt::DecorationRole) of the nodes whose ImageRole is key;
    // the widgets hand them in, so this model needs no GUI library.
    void SetImage(const QString& key, const QVariant& image);

    // The group node of a group.
    QModelIndex GroupIndex(BatchOutcome::Group group) const;
    // How many outcomes of a group have been published (its caption's count),
    // the rows not yet fetched included.
    int Count(BatchOutcome::Group group) const;
    // Whether a group node has published rows beyond those it shows; and
    // showing the next WindowRows of them.
    bool HasMore(const QModelIndex& group) const;
    void ShowMore(const QModelIndex& group);
    // The full file name (the file system's bytes) of a file node or of its
    // message node; empty for a group node.
    std::string FileName(const QModelIndex& index) const;
    // The preview of a file node or of its message node: the tag the run
    // derived for the file, and the tag the file has now. Both null for a
    // group node.
    BatchPreview Preview(const QModelIndex& index) const;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool hasChildren(const QModelIndex& parent = {}) const override;

private:
    struct Row
    {
        quint32 chunk;    // the store chunk holding the full name
        quint32 offset;   // where in the chunk it starts
        quint32 size;     // its length in bytes
        quint32 relative; // where in it the name below the start folder begins
        quint32 message;  // index into m_messages
        quint32 note;     // index into m_messages, or NoNote
    };
    static constexpr quint32 NoNote = ~quint32{0};

    enum class Level
    {
        Group,
        File,
        Message,
    };
    static Level LevelOf(const QModelIndex& index);
    const Row* RowOf(const QModelIndex& index) const;
    // The row's name from byte from on, and the same decoded for a view.
    std::string Bytes(const Row& row, quint32 from) const;
    QString Decode(const Row& row, quint32 from) const;
    // Copies a name into the store; sets the row's chunk and offset.
    void Store(const std::string& bytes, Row& row);
    quint32 MessageIndex(const QString& message);
    QString Caption(int group) const;

    static constexpr int Groups = 2;
    std::array<std::deque<Row>, Groups> m_rows;
    // Shows a group's published rows up to its window.
    void ShowPublished(int group);

    // How many of each group's rows are published, how many the tree shows
    // (at most the window), and up to how many it may show.
    std::array<int, Groups> m_published{};
    std::array<int, Groups> m_shown{};
    std::array<int, Groups> m_window{};
    // False until the first batch of a run: the captions carry no count.
    bool m_counted = false;
    QElapsedTimer m_sinceBatch;

    std::vector<std::unique_ptr<char[]>> m_chunks;
    std::size_t m_chunkSize = 0; // of the last chunk
    std::size_t m_chunkUsed = 0; // of the last chunk
    // The pictures for ImageOk, ImageError and ImageInfo.
    std::array<QVariant, 3> m_images;
    QStringList m_messages;
    QHash<QString, quint32> m_messageIndex;

    BatchSettings m_settings;
};
