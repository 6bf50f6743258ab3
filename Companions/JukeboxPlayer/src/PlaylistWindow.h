#pragma once

#include <QWidget>

class PlayerEngine;
class QListView;

// The playlist window (window class "Jukebox PE"): the entries, the current
// one marked; a double-click plays an entry. The rows come from PlaylistModel.
class PlaylistWindow : public QWidget
{
    Q_OBJECT
public:
    explicit PlaylistWindow(PlayerEngine& engine, QWidget* parent = nullptr);

signals:
    void addRequested();

private:
    PlayerEngine& m_engine;
    QListView* m_list;
};
