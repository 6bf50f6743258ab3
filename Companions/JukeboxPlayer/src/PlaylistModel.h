#pragma once

#include <QAbstractListModel>

class PlayerEngine;

// The engine's playlist as a list model: "n. Artist - Title (m:ss)" per entry,
// the current one bold. An added entry is one inserted row, so adding costs the
// same however long the list is, and a view asks for the text (and so reads
// the file's facts) only of the rows it shows.
class PlaylistModel : public QAbstractListModel
{
    Q_OBJECT
public:
    explicit PlaylistModel(PlayerEngine& engine, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // "m:ss" for a number of milliseconds.
    static QString formatTime(qint64 ms);

private:
    void onInserted(int first, int last);
    void onChanged();

    PlayerEngine& m_engine;
    int m_rows = 0;     // what the views have been told
    int m_current = -1; // the row shown bold
};
