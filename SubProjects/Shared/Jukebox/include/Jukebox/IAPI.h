#pragma once

#include "Platform/Component.h"

#include <cstdint>
#include <string>

namespace Jukebox {

// The player remote's interface, created as "Jukebox.API" through
// Platform::CreateObject. Callers compile against this header only and bind to
// the members by their order, so the order below never changes; new members
// may only be added at the end.
//
// Texts are UTF-8. Arguments passed by reference are the caller's variables:
// LoadFile changes its argument (it encloses it in double quotes), the others
// leave theirs alone.
class IAPI : public Platform::Object
{
public:
    // Track information read from a file's 128-byte trailer, with German texts
    // when the file has none.
    virtual std::string GetAlbum(std::string& MP3Datei) = 0;
    virtual std::string GetBand(std::string& MP3Datei) = 0;
    virtual std::string GetComment(std::string& MP3Datei) = 0;
    virtual std::string GetSongGenre(std::string& MP3Datei) = 0;
    virtual std::string GetSongYear(std::string& MP3Datei) = 0;
    virtual std::string GetSongName(std::string& MP3Datei) = 0;

    // Commands and queries to the external player ("Jukebox v1.x"). Those that
    // need the player start it first when none runs, without waiting for it.
    virtual bool AboutJukeboxDLG() = 0;
    virtual std::int32_t CurPos() = 0;
    virtual std::int32_t CLSPlayList() = 0;
    virtual std::int32_t GetTrackSamples() = 0;
    virtual std::int32_t GetTrackBits() = 0;
    virtual std::int32_t GetPlayListLength() = 0;
    virtual std::int32_t GetCurPlayListTrack() = 0;
    virtual bool FWDJukebox() = 0;
    virtual std::int32_t KillJukebox() = 0;
    virtual bool RWDJukebox() = 0;
    virtual std::int32_t GetTrackLength() = 0;
    virtual bool GoToTime(std::int32_t& Zeit) = 0;
    virtual bool HideJukebox() = 0;
    virtual std::int16_t JukeboxIsPlaying() = 0;
    virtual bool PopUpKntMenu() = 0;
    virtual bool OpenTagEditorDLG() = 0;
    virtual bool FileOpenDLG() = 0;
    virtual bool PauseJukeboxPlay() = 0;
    virtual void LoadFile(std::string& MpegDatei) = 0;
    virtual bool SetVolume(std::int16_t& Level) = 0;
    virtual bool ShowJukebox() = 0;
    virtual bool JumpToTimeDLG() = 0;
    virtual bool PrefJukeboxDLG() = 0;
    virtual bool JupToFileDLG() = 0;
    virtual bool StartJukebox() = 0;
    virtual bool StopJukeboxPlay() = 0;
    virtual bool StartJukeboxPlay() = 0;
    virtual std::string JukeboxPfad() = 0;
};

} // namespace Jukebox
