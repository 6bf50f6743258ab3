#pragma once

#include <QDialog>

class PlayerEngine;

// The player's settings: volume and whether the playlist repeats. They apply
// at once and last as long as the player runs.
class PreferencesDialog : public QDialog
{
    Q_OBJECT
public:
    PreferencesDialog(PlayerEngine& engine, QWidget* parent = nullptr);
};
