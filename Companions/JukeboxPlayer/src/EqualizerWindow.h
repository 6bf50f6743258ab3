#pragma once

#include <QWidget>

class PlayerEngine;
class QSlider;

// The equaliser window (window class "Jukebox EQ"). Qt Multimedia offers no
// frequency bands, so it holds the one setting that really changes the sound
// here: the preamplification applied on top of the volume.
class EqualizerWindow : public QWidget
{
    Q_OBJECT
public:
    explicit EqualizerWindow(PlayerEngine& engine, QWidget* parent = nullptr);

private:
    PlayerEngine& m_engine;
    QSlider* m_preamp;
};
