#pragma once

#include "Platform/Shell.h"
#include "PlayerUi.h"

#include <QObject>
#include <QPointer>
#include <memory>

class EqualizerWindow;
class MainWindow;
class PlayerEngine;
class PlaylistWindow;
class RemoteControl;
class QDialog;
class QMessageBox;
class QWidget;
namespace Platform {
class WindowHost;
}

// The player's three windows, their window-message endpoints and dialogs.
// Owns the widgets; the engine and the remote control do the work.
class PlayerWindows : public QObject, public PlayerUi
{
    Q_OBJECT
public:
    explicit PlayerWindows(PlayerEngine& engine);
    ~PlayerWindows() override;

    // Takes the main window's class; false when another player already has it
    // (or it cannot be had), and then nothing listens.
    bool claimMainWindow();
    // Shows the three windows as the program was asked to start.
    void showAtStart(Platform::WindowStyle style);

    QWidget* window(const QString& windowClass) const;

    void showAbout() override;
    void showContextMenu() override;
    void showFileOpen() override;
    void showFileInfo() override;
    void showJumpToTime() override;
    void showPreferences() override;
    void showJumpToFile() override;
    void showWindow(const QString& windowClass, int showCommand) override;
    void closePlayer() override;

private:
    // Places the equaliser and the playlist docked below the main window.
    void dock();
    void toggle(QWidget* window);

    PlayerEngine& m_engine;
    std::unique_ptr<RemoteControl> m_remote;
    MainWindow* m_main;
    EqualizerWindow* m_equalizer;
    PlaylistWindow* m_playlist;
    std::unique_ptr<Platform::WindowHost> m_mainHost, m_equalizerHost, m_playlistHost;
    // The dialogs open now (null when closed).
    QPointer<QMessageBox> m_about, m_fileInfo;
    QPointer<QDialog> m_fileOpen, m_jumpToTime, m_preferences, m_jumpToFile;
};
