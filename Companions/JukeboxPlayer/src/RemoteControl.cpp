#include "RemoteControl.h"

#include "Jukebox/PlayerProtocol.h"
#include "PlayerEngine.h"
#include "PlayerUi.h"

#include "Platform/FileNameCodec.h"

#include <algorithm>

using namespace Jukebox::Protocol;

Platform::LRESULT RemoteControl::handle(const QString& windowClass, std::uint32_t message,
                                        Platform::WPARAM wParam, Platform::LPARAM lParam,
                                        const QByteArray& payload)
{
    switch (message) {
    case Platform::WM_SHOWWINDOW:
        m_ui.showWindow(windowClass, static_cast<int>(wParam));
        return 0;
    case kCloseMessage:
        m_ui.closePlayer();
        return 0;
    default:
        break;
    }
    // Commands, queries and added files are the main window's business.
    if (windowClass != QLatin1String(kMainWindowClass))
        return 0;
    switch (message) {
    case kCommandMessage:
        return command(wParam);
    case kQueryMessage:
        return query(wParam, lParam);
    case Platform::WM_COPYDATA: {
        if (wParam != kCopyDataAddFile)
            return 0;
        const std::optional<QString> path = fileNameOf(payload);
        if (!path)
            return 0;
        m_engine.addFile(*path);
        return 1;
    }
    default:
        return 0;
    }
}

std::optional<QString> RemoteControl::fileNameOf(const QByteArray& payload)
{
    // A sender may count the C string's terminating zero; any other zero byte
    // would make the name open a different file than it says.
    const QByteArray name = payload.endsWith('\0') ? payload.chopped(1) : payload;
    if (name.isEmpty() || name.size() >= kMaxFileNameBytes || name.contains('\0'))
        return std::nullopt;
    return Platform::DecodeFileName(name.toStdString());
}

Platform::LRESULT RemoteControl::command(std::int64_t number)
{
    switch (number) {
    case CmdPlay:
        m_engine.play();
        break;
    case CmdPause:
        m_engine.togglePause();
        break;
    case CmdStop:
        m_engine.stop();
        break;
    case CmdForward:
        m_engine.skip(kSkipMs);
        break;
    case CmdRewind:
        m_engine.skip(-kSkipMs);
        break;
    case CmdAbout:
        m_ui.showAbout();
        break;
    case CmdContextMenu:
        m_ui.showContextMenu();
        break;
    case CmdFileOpen:
        m_ui.showFileOpen();
        break;
    case CmdTagEditor:
        m_ui.showFileInfo();
        break;
    case CmdJumpToTime:
        m_ui.showJumpToTime();
        break;
    case CmdPreferences:
        m_ui.showPreferences();
        break;
    case CmdJumpToFile:
        m_ui.showJumpToFile();
        break;
    default:
        return 0;
    }
    return 1;
}

Platform::LRESULT RemoteControl::query(std::int64_t argument, std::int64_t code)
{
    switch (code) {
    case QueryClearPlaylist:
        return m_engine.clear();
    case QueryIsPlaying:
        return m_engine.stateCode();
    case QueryOutputTime:
        return argument == 0 ? m_engine.positionMs() : m_engine.trackLengthSeconds();
    case QueryJumpToTime:
        return m_engine.jumpTo(argument);
    case QuerySetVolume:
        if (argument != -666)
            m_engine.setVolume(static_cast<int>(std::clamp<std::int64_t>(argument, 0, 255)));
        return m_engine.volume();
    case QueryPlaylistLength:
        return m_engine.playlist().size();
    case QueryPlaylistPosition:
        return m_engine.currentIndex() < 0 ? 0 : m_engine.currentIndex();
    case QueryTrackInfo: {
        const Mp3Info& info = m_engine.trackInfo();
        switch (argument) {
        case 0:
            return info.sampleRate;
        case 1:
            return info.bitrateKbps;
        case 2:
            return info.channels;
        default:
            return 0;
        }
    }
    default:
        return 0;
    }
}
