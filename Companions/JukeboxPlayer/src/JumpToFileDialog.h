#pragma once

#include <QDialog>

class PlayerEngine;
class QLineEdit;
class QListWidget;

// Finds a playlist entry by typing part of its name and plays it.
class JumpToFileDialog : public QDialog
{
    Q_OBJECT
public:
    JumpToFileDialog(PlayerEngine& engine, QWidget* parent = nullptr);

private:
    void filter(const QString& text);
    void jump();

    PlayerEngine& m_engine;
    QLineEdit* m_search;
    QListWidget* m_list;
};
