#pragma once

#include <QString>

// What the remote control asks of the player's windows; the widgets implement
// it, tests record it.
class PlayerUi
{
public:
    virtual ~PlayerUi() = default;
    virtual void showAbout() = 0;
    virtual void showContextMenu() = 0;
    virtual void showFileOpen() = 0;
    virtual void showFileInfo() = 0;
    virtual void showJumpToTime() = 0;
    virtual void showPreferences() = 0;
    virtual void showJumpToFile() = 0;
    // Shows or hides one of the three windows by its window class, with a
    // ShowWindow state.
    virtual void showWindow(const QString& windowClass, int showCommand) = 0;
    // Closes every window and ends the player.
    virtual void closePlayer() = 0;
};

// A player without windows: what the remote control asks of them is dropped.
class NoPlayerUi : public PlayerUi
{
public:
    void showAbout() override {}
    void showContextMenu() override {}
    void showFileOpen() override {}
    void showFileInfo() override {}
    void showJumpToTime() override {}
    void showPreferences() override {}
    void showJumpToFile() override {}
    void showWindow(const QString&, int) override {}
    void closePlayer() override {}
};
