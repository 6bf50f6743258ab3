#pragma once

#include <QWidget>

class PlayerEngine;
class QListWidget;

// The playlist window (window class "Jukebox PE"): the entries, the current
// one marked; a double-click plays an entry.
class PlaylistWindow : public QWidget
{
    Q_OBJECT
public:
    explicit PlaylistWindow(PlayerEngine& engine, QWidget* parent = nullptr);

    // "n. Artist - Title (m:ss)" for an entry, from its trailer and frames, or
    // its file name.
    static QString entryText(const PlayerEngine& engine, int index);

signals:
    void addRequested();

private:
    void refresh();

    PlayerEngine& m_engine;
    QListWidget* m_list;
};
