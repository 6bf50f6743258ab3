#include "PlaylistModel.h"

#include "PlayerEngine.h"

#include <QFont>

PlaylistModel::PlaylistModel(PlayerEngine& engine, QObject* parent)
    : QAbstractListModel(parent), m_engine(engine), m_rows(static_cast<int>(engine.playlist().size())),
      m_current(engine.currentIndex())
{
    connect(&m_engine, &PlayerEngine::entriesAdded, this, &PlaylistModel::onInserted);
    connect(&m_engine, &PlayerEngine::changed, this, &PlaylistModel::onChanged);
}

int PlaylistModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

QVariant PlaylistModel::data(const QModelIndex& index, int role) const
{
    const int row = index.row();
    if (!index.isValid() || row >= m_rows || row >= m_engine.playlist().size())
        return {};
    if (role == Qt::DisplayRole) {
        return QStringLiteral("%1. %2 (%3)")
            .arg(row + 1)
            .arg(m_engine.displayName(row),
                 formatTime(m_engine.infoOf(m_engine.playlist().at(row)).durationMs));
    }
    if (role == Qt::FontRole && row == m_engine.currentIndex()) {
        QFont bold;
        bold.setBold(true);
        return bold;
    }
    return {};
}

QString PlaylistModel::formatTime(qint64 ms)
{
    const qint64 seconds = ms / 1000;
    return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

void PlaylistModel::onInserted(int first, int last)
{
    beginInsertRows({}, first, last);
    m_rows = last + 1;
    endInsertRows();
}

void PlaylistModel::onChanged()
{
    const int rows = static_cast<int>(m_engine.playlist().size());
    if (rows != m_rows) {
        // Entries were removed: the rows are laid out anew.
        beginResetModel();
        m_rows = rows;
        m_current = m_engine.currentIndex();
        endResetModel();
        return;
    }
    const int current = m_engine.currentIndex();
    if (current == m_current)
        return;
    const int previous = m_current;
    m_current = current;
    for (const int row : {previous, current}) {
        if (row >= 0 && row < m_rows)
            emit dataChanged(index(row), index(row), {Qt::FontRole});
    }
}
