#include "Jukebox/API.h"

#include "Jukebox/PlayerProtocol.h"
#include "PlayerPath.h"
#include "PlayerWindow.h"
#include "TrailerReader.h"

#include "Platform/RuntimeError.h"
#include "Platform/Shell.h"

#include <limits>

namespace Jukebox {

using namespace Protocol;

std::string API::GetAlbum(std::string& MP3Datei)
{
    return TrailerReader::Album(MP3Datei);
}

std::string API::GetBand(std::string& MP3Datei)
{
    return TrailerReader::Band(MP3Datei);
}

std::string API::GetComment(std::string& MP3Datei)
{
    return TrailerReader::Comment(MP3Datei);
}

std::string API::GetSongGenre(std::string& MP3Datei)
{
    return TrailerReader::Genre(MP3Datei);
}

std::string API::GetSongYear(std::string& MP3Datei)
{
    return TrailerReader::Year(MP3Datei);
}

std::string API::GetSongName(std::string& MP3Datei)
{
    return TrailerReader::SongName(MP3Datei);
}

void API::EnsurePlayer()
{
    if (PlayerWindow::FindPlayerWindow() == 0)
        StartJukebox();
}

bool API::EnsureAndPost(std::int32_t command)
{
    EnsurePlayer();
    return PlayerWindow::PostCommand(command);
}

std::int32_t API::EnsureAndQuery(std::int64_t argument, std::int32_t code)
{
    EnsurePlayer();
    // The reply is taken as a 32-bit number, as the message's result type is.
    return static_cast<std::int32_t>(PlayerWindow::SendQuery(argument, code));
}

bool API::AboutJukeboxDLG()
{
    return EnsureAndPost(CmdAbout);
}

std::int32_t API::CurPos()
{
    return EnsureAndQuery(0, QueryOutputTime);
}

std::int32_t API::CLSPlayList()
{
    return EnsureAndQuery(0, QueryClearPlaylist);
}

std::int32_t API::GetTrackSamples()
{
    return EnsureAndQuery(0, QueryTrackInfo);
}

std::int32_t API::GetTrackBits()
{
    return EnsureAndQuery(1, QueryTrackInfo);
}

std::int32_t API::GetPlayListLength()
{
    return EnsureAndQuery(0, QueryPlaylistLength);
}

std::int32_t API::GetCurPlayListTrack()
{
    return EnsureAndQuery(0, QueryPlaylistPosition);
}

bool API::FWDJukebox()
{
    EnsurePlayer();
    return JukeboxIsPlaying() == 1 && PlayerWindow::PostCommand(CmdForward);
}

std::int32_t API::KillJukebox()
{
    const Platform::HWND window = PlayerWindow::FindPlayerWindow();
    if (window == 0)
        return 0;
    return Platform::PostMessageA(window, kCloseMessage, 0, 0) ? 1 : 0;
}

bool API::RWDJukebox()
{
    EnsurePlayer();
    return JukeboxIsPlaying() == 1 && PlayerWindow::PostCommand(CmdRewind);
}

std::int32_t API::GetTrackLength()
{
    return EnsureAndQuery(1, QueryOutputTime);
}

bool API::GoToTime(std::int32_t& Zeit)
{
    const std::int64_t end = static_cast<std::int64_t>(GetTrackLength()) * 1000;
    if (end > std::numeric_limits<std::int32_t>::max() || end < std::numeric_limits<std::int32_t>::min())
        throw Platform::RuntimeError::overflow("Jukebox");
    if (Zeit > end)
        return false;
    EnsurePlayer();
    PlayerWindow::SendQuery(Zeit, QueryJumpToTime);
    return true;
}

bool API::HideJukebox()
{
    for (const char* windowClass : {kMainWindowClass, kEqualizerWindowClass, kPlaylistWindowClass}) {
        if (const Platform::HWND window = Platform::FindWindowA(windowClass, nullptr))
            Platform::ShowWindowA(window, Platform::SW_HIDE);
    }
    return false;
}

std::int16_t API::JukeboxIsPlaying()
{
    const std::int32_t reply = EnsureAndQuery(0, QueryIsPlaying);
    if (reply > std::numeric_limits<std::int16_t>::max() || reply < std::numeric_limits<std::int16_t>::min())
        throw Platform::RuntimeError::overflow("Jukebox");
    return static_cast<std::int16_t>(reply);
}

bool API::PopUpKntMenu()
{
    return EnsureAndPost(CmdContextMenu);
}

bool API::OpenTagEditorDLG()
{
    return EnsureAndPost(CmdTagEditor);
}

bool API::FileOpenDLG()
{
    EnsurePlayer();
    PlayerWindow::SendQuery(0, QueryClearPlaylist);
    return PlayerWindow::PostCommand(CmdFileOpen);
}

bool API::PauseJukeboxPlay()
{
    EnsurePlayer();
    switch (JukeboxIsPlaying()) {
    case 1:
        return PlayerWindow::PostCommand(CmdPause);
    case 0:
    case 3:
        return true;
    default:
        return false;
    }
}

void API::LoadFile(std::string& MpegDatei)
{
    const std::string file = MpegDatei;
    MpegDatei = "\"" + MpegDatei + "\"";
    CLSPlayList();
    const std::string path = JukeboxPfad();
    // Both parts are quoted so that the started program gets each as one
    // argument whatever blanks or quotes the names hold.
    Platform::Shell(Platform::QuoteArgument(path) + " /ADD " + Platform::QuoteArgument(file),
                    Platform::WindowStyle::Hide);
    PlayerWindow::PostCommand(CmdStop);
}

bool API::SetVolume(std::int16_t& Level)
{
    return EnsureAndQuery(Level, QuerySetVolume) != 0;
}

bool API::ShowJukebox()
{
    for (const char* windowClass : {kEqualizerWindowClass, kPlaylistWindowClass, kMainWindowClass}) {
        if (const Platform::HWND window = Platform::FindWindowA(windowClass, nullptr))
            Platform::ShowWindowA(window, Platform::SW_SHOWNORMAL);
    }
    return false;
}

bool API::JumpToTimeDLG()
{
    return EnsureAndPost(CmdJumpToTime);
}

bool API::PrefJukeboxDLG()
{
    return EnsureAndPost(CmdPreferences);
}

bool API::JupToFileDLG()
{
    return EnsureAndPost(CmdJumpToFile);
}

bool API::StartJukebox()
{
    if (PlayerWindow::FindPlayerWindow() == 0) {
        const std::string path = JukeboxPfad();
        if (path.size() > 1)
            Platform::Shell(Platform::QuoteArgument(path), Platform::WindowStyle::NormalNoFocus);
    }
    HideJukebox();
    return true;
}

bool API::StopJukeboxPlay()
{
    return EnsureAndPost(CmdStop);
}

bool API::StartJukeboxPlay()
{
    return EnsureAndPost(CmdPlay);
}

std::string API::JukeboxPfad()
{
    return PlayerPath::FromCommandLine(
        PlayerPath::GetRegistryValue(Platform::HKEY_CLASSES_ROOT, kFileAssociationKey, ""));
}

} // namespace Jukebox
