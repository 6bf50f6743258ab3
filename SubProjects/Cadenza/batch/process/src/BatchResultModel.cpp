#include "BatchResultModel.h"

#include "BatchMessages.h"

#include "Platform/FileNameCodec.h"

#include <algorithm>
#include <cstring>

namespace {

// The group captions, translated where they are shown.
const char* const OkCaption = QT_TRANSLATE_NOOP("BatchResultModel", "Ok");
const char* const ErrorCaption = QT_TRANSLATE_NOOP("BatchResultModel", "Error");

// Names are stored back to back in chunks of this size; a longer name gets a
// chunk of its own.
constexpr std::size_t ChunkSize = 256 * 1024;

// An index's internal id says where it sits: the low two bits the level (0
// group, 1 file, 2 message), the next bit the group of a file or message
// node, and the bits above those the row of a message node's file.
constexpr quintptr LevelMask = 3;
constexpr quintptr FileLevel = 1;
constexpr quintptr MessageLevel = 2;

constexpr int GroupOf(quintptr id)
{
    return static_cast<int>((id >> 2) & 1);
}

constexpr int FileRowOf(quintptr id)
{
    return static_cast<int>(id >> 3);
}

constexpr quintptr FileId(int group)
{
    return FileLevel | static_cast<quintptr>(group) << 2;
}

constexpr quintptr MessageId(int group, int fileRow)
{
    return MessageLevel | static_cast<quintptr>(group) << 2 | static_cast<quintptr>(fileRow) << 3;
}

// The image keys in the order of m_images: the groups', then the messages'.
const std::array<QString, 3>& ImageKeys()
{
    static const std::array<QString, 3> keys{BatchResultModel::ImageOk, BatchResultModel::ImageError,
                                             BatchResultModel::ImageInfo};
    return keys;
}

int GroupNumber(BatchOutcome::Group group)
{
    return group == BatchOutcome::Group::Ok ? 0 : 1;
}

} // namespace

BatchResultModel::BatchResultModel(QObject* parent) : QAbstractItemModel(parent)
{
    m_window.fill(WindowRows);
    m_sinceBatch.start();
}

BatchResultModel::~BatchResultModel() = default;

void BatchResultModel::Clear()
{
    beginResetModel();
    for (auto& rows : m_rows)
        std::deque<Row>().swap(rows);
    m_published = {};
    m_shown = {};
    m_window.fill(WindowRows);
    m_counted = false;
    m_chunks.clear();
    m_chunkSize = 0;
    m_chunkUsed = 0;
    m_messages.clear();
    m_messageIndex.clear();
    m_settings = {};
    endResetModel();
    m_sinceBatch.restart();
}

void BatchResultModel::Start(const BatchSettings& settings)
{
    Clear();
    m_settings = settings;
}

void BatchResultModel::Append(const BatchOutcome& outcome)
{
    const std::string& name = outcome.FileName;
    const std::string& relative = outcome.RelativeName;
    const bool below = name.size() >= relative.size() &&
                       name.compare(name.size() - relative.size(), relative.size(), relative) == 0;
    Row row{};
    Store(name, row);
    row.size = static_cast<quint32>(name.size());
    row.relative = below ? static_cast<quint32>(name.size() - relative.size()) : 0;
    row.message = MessageIndex(outcome.Message);
    row.note = outcome.Note.isEmpty() ? NoNote : MessageIndex(outcome.Note);
    m_rows[GroupNumber(outcome.Result)].push_back(row);

    const std::size_t waiting = m_rows[0].size() - m_published[0] + m_rows[1].size() - m_published[1];
    if (waiting >= BatchSize || m_sinceBatch.elapsed() >= BatchMilliseconds)
        Publish();
}

void BatchResultModel::Publish()
{
    for (int group = 0; group < Groups; ++group) {
        m_published[group] = static_cast<int>(m_rows[group].size());
        ShowPublished(group);
    }
    m_counted = true;
    emit dataChanged(index(0, 0), index(Groups - 1, 0), {Qt::DisplayRole});
    m_sinceBatch.restart();
}

void BatchResultModel::ShowPublished(int group)
{
    const int shown = std::min(m_published[group], m_window[group]);
    if (shown == m_shown[group])
        return;
    beginInsertRows(index(group, 0), m_shown[group], shown - 1);
    m_shown[group] = shown;
    endInsertRows();
}

bool BatchResultModel::HasMore(const QModelIndex& group) const
{
    return group.isValid() && group.model() == this && LevelOf(group) == Level::Group &&
           m_shown[group.row()] < m_published[group.row()];
}

void BatchResultModel::ShowMore(const QModelIndex& group)
{
    if (!HasMore(group))
        return;
    m_window[group.row()] = m_shown[group.row()] + WindowRows;
    ShowPublished(group.row());
}

int BatchResultModel::Count(BatchOutcome::Group group) const
{
    return m_published[GroupNumber(group)];
}

void BatchResultModel::SetImage(const QString& key, const QVariant& image)
{
    const auto& keys = ImageKeys();
    const auto found = std::find(keys.begin(), keys.end(), key);
    if (found != keys.end())
        m_images[found - keys.begin()] = image;
}

QModelIndex BatchResultModel::GroupIndex(BatchOutcome::Group group) const
{
    return index(GroupNumber(group), 0);
}

void BatchResultModel::Store(const std::string& bytes, Row& row)
{
    if (m_chunks.empty() || bytes.size() > m_chunkSize - m_chunkUsed) {
        // A name longer than a chunk fills one of its own.
        m_chunkSize = std::max(ChunkSize, bytes.size());
        m_chunks.push_back(std::make_unique_for_overwrite<char[]>(m_chunkSize));
        m_chunkUsed = 0;
    }
    row.chunk = static_cast<quint32>(m_chunks.size() - 1);
    row.offset = static_cast<quint32>(m_chunkUsed);
    std::memcpy(m_chunks.back().get() + m_chunkUsed, bytes.data(), bytes.size());
    m_chunkUsed += bytes.size();
}

quint32 BatchResultModel::MessageIndex(const QString& message)
{
    const auto found = m_messageIndex.constFind(message);
    if (found != m_messageIndex.constEnd())
        return found.value();
    const auto next = static_cast<quint32>(m_messages.size());
    m_messages.append(message);
    m_messageIndex.insert(message, next);
    return next;
}

std::string BatchResultModel::Bytes(const Row& row, quint32 from) const
{
    const char* name = m_chunks[row.chunk].get() + row.offset;
    return std::string(name + from, row.size - from);
}

QString BatchResultModel::Decode(const Row& row, quint32 from) const
{
    return Platform::DecodeFileName(Bytes(row, from));
}

BatchResultModel::Level BatchResultModel::LevelOf(const QModelIndex& index)
{
    switch (index.internalId() & LevelMask) {
    case FileLevel:
        return Level::File;
    case MessageLevel:
        return Level::Message;
    default:
        return Level::Group;
    }
}

const BatchResultModel::Row* BatchResultModel::RowOf(const QModelIndex& index) const
{
    if (!index.isValid() || index.model() != this)
        return nullptr;
    const quintptr id = index.internalId();
    switch (LevelOf(index)) {
    case Level::File:
        return &m_rows[GroupOf(id)][index.row()];
    case Level::Message:
        return &m_rows[GroupOf(id)][FileRowOf(id)];
    case Level::Group:
        break;
    }
    return nullptr;
}

QString BatchResultModel::Caption(int group) const
{
    const QString caption = tr(group == 0 ? OkCaption : ErrorCaption);
    return m_counted ? BatchMessages::GroupCaption(caption, m_published[group]) : caption;
}

std::string BatchResultModel::FileName(const QModelIndex& index) const
{
    const Row* row = RowOf(index);
    return row ? Bytes(*row, 0) : std::string();
}

BatchPreview BatchResultModel::Preview(const QModelIndex& index) const
{
    const std::string fileName = FileName(index);
    if (fileName.empty() || !m_settings.Format || !m_settings.DefaultTag)
        return {};
    return PreviewFile(m_settings.Format, *m_settings.DefaultTag, fileName);
}

// A view calls index, flags and hasChildren for every row it lays out, a
// million times when a group of a million files is expanded: they answer
// from the ids and counts directly, without the base class's checks that
// call back into rowCount.
QModelIndex BatchResultModel::index(int row, int column, const QModelIndex& parent) const
{
    if (row < 0 || column != 0)
        return {};
    if (!parent.isValid())
        return row < Groups ? createIndex(row, column, quintptr{0}) : QModelIndex();
    if (parent.column() != 0 || parent.model() != this)
        return {};
    switch (LevelOf(parent)) {
    case Level::Group:
        return row < m_shown[parent.row()] ? createIndex(row, column, FileId(parent.row())) : QModelIndex();
    case Level::File:
        return row == 0 ? createIndex(row, column, MessageId(GroupOf(parent.internalId()), parent.row()))
                        : QModelIndex();
    case Level::Message:
        break;
    }
    return {};
}

QModelIndex BatchResultModel::parent(const QModelIndex& child) const
{
    if (!child.isValid())
        return {};
    const quintptr id = child.internalId();
    switch (LevelOf(child)) {
    case Level::File:
        return createIndex(GroupOf(id), 0, quintptr{0});
    case Level::Message:
        return createIndex(FileRowOf(id), 0, FileId(GroupOf(id)));
    case Level::Group:
        break;
    }
    return {};
}

int BatchResultModel::rowCount(const QModelIndex& parent) const
{
    if (!parent.isValid())
        return Groups;
    if (parent.column() != 0)
        return 0;
    switch (LevelOf(parent)) {
    case Level::Group:
        return m_shown[parent.row()];
    case Level::File:
        return 1;
    case Level::Message:
        break;
    }
    return 0;
}

int BatchResultModel::columnCount(const QModelIndex&) const
{
    return 1;
}

QVariant BatchResultModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    const Level level = LevelOf(index);
    // The image of a group or a file is its group's, of a message "Info".
    const int image = level == Level::Group  ? index.row()
                      : level == Level::File ? GroupOf(index.internalId())
                                             : 2;
    if (role == ImageRole)
        return ImageKeys()[image];
    if (role == Qt::DecorationRole)
        return m_images[image];
    if (level == Level::Group) {
        if (role == Qt::DisplayRole)
            return Caption(index.row());
        if (role == KeyRole)
            return index.row() == 0 ? OkKey : ErrorKey;
        return {};
    }
    const Row& row = *RowOf(index);
    switch (role) {
    case Qt::DisplayRole:
        return level == Level::File ? Decode(row, row.relative) : m_messages.at(row.message);
    case Qt::ToolTipRole: {
        const QString tip = level == Level::File ? Decode(row, 0) : m_messages.at(row.message);
        return row.note == NoNote ? tip : tip + QLatin1Char('\n') + m_messages.at(row.note);
    }
    case NoteRole:
        return row.note == NoNote ? QString() : m_messages.at(row.note);
    case FileNameRole:
        return QByteArray::fromStdString(Bytes(row, 0));
    default:
        return {};
    }
}

Qt::ItemFlags BatchResultModel::flags(const QModelIndex& index) const
{
    if (!index.isValid() || index.model() != this)
        return {};
    const Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    return LevelOf(index) == Level::Message ? flags | Qt::ItemNeverHasChildren : flags;
}

bool BatchResultModel::hasChildren(const QModelIndex& parent) const
{
    if (!parent.isValid())
        return true;
    if (parent.column() != 0)
        return false;
    switch (LevelOf(parent)) {
    case Level::Group:
        return m_shown[parent.row()] > 0;
    case Level::File:
        return true;
    case Level::Message:
        break;
    }
    return false;
}
