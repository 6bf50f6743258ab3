#pragma once

#include "Platform/WindowMessages.h"

#include <QByteArray>
#include <QString>
#include <climits>
#include <optional>

class PlayerEngine;
class PlayerUi;

// Answers the window messages of the player protocol (Jukebox/PlayerProtocol.h)
// arriving at one of the player's windows: commands and queries change or
// report the engine's state, the dialog commands open the windows' dialogs.
class RemoteControl
{
public:
    RemoteControl(PlayerEngine& engine, PlayerUi& ui) : m_engine(engine), m_ui(ui) {}

    // The reply to a message arriving at the window of that class.
    Platform::LRESULT handle(const QString& windowClass, std::uint32_t message, Platform::WPARAM wParam,
                             Platform::LPARAM lParam, const QByteArray& payload);

    // The step of the forward and rewind commands.
    static constexpr std::int64_t kSkipMs = 5000;
    // The longest file name an add message may carry: PATH_MAX counts the
    // terminating zero, so no longer name can be opened by the system.
    static constexpr qsizetype kMaxFileNameBytes = PATH_MAX;

    // The playlist entry an add message names: the path's bytes (a trailing
    // zero byte allowed), or nothing for an empty, too long or cut name.
    static std::optional<QString> fileNameOf(const QByteArray& payload);

private:
    Platform::LRESULT command(std::int64_t number);
    Platform::LRESULT query(std::int64_t argument, std::int64_t code);

    PlayerEngine& m_engine;
    PlayerUi& m_ui;
};
