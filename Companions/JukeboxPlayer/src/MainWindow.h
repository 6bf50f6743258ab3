#pragma once

#include <QWidget>

class PlayerEngine;
class QLabel;
class QSlider;
class QToolButton;

// The player's main window (window class "Jukebox v1.x"): what plays, the
// time, the transport buttons, the position and the volume.
class MainWindow : public QWidget
{
    Q_OBJECT
public:
    explicit MainWindow(PlayerEngine& engine, QWidget* parent = nullptr);

signals:
    void equalizerToggled();
    void playlistToggled();
    void openRequested();
    void menuRequested();

private:
    void refresh();

    PlayerEngine& m_engine;
    QLabel* m_title;
    QLabel* m_time;
    QSlider* m_position;
    QSlider* m_volume;
    QToolButton* m_play;
    QToolButton* m_pause;
};
