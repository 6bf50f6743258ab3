#pragma once

#include "Jukebox/IAPI.h"

namespace Jukebox {

// The player remote. It holds no state: every call looks the player up again.
// Programs create it as "Jukebox.API" and use it through IAPI; tests of this
// library may construct it directly.
class API : public IAPI
{
public:
    std::string GetAlbum(std::string& MP3Datei) override;
    std::string GetBand(std::string& MP3Datei) override;
    std::string GetComment(std::string& MP3Datei) override;
    std::string GetSongGenre(std::string& MP3Datei) override;
    std::string GetSongYear(std::string& MP3Datei) override;
    std::string GetSongName(std::string& MP3Datei) override;

    bool AboutJukeboxDLG() override;
    std::int32_t CurPos() override;
    std::int32_t CLSPlayList() override;
    std::int32_t GetTrackSamples() override;
    std::int32_t GetTrackBits() override;
    std::int32_t GetPlayListLength() override;
    std::int32_t GetCurPlayListTrack() override;
    bool FWDJukebox() override;
    std::int32_t KillJukebox() override;
    bool RWDJukebox() override;
    std::int32_t GetTrackLength() override;
    bool GoToTime(std::int32_t& Zeit) override;
    bool HideJukebox() override;
    std::int16_t JukeboxIsPlaying() override;
    bool PopUpKntMenu() override;
    bool OpenTagEditorDLG() override;
    bool FileOpenDLG() override;
    bool PauseJukeboxPlay() override;
    void LoadFile(std::string& MpegDatei) override;
    bool SetVolume(std::int16_t& Level) override;
    bool ShowJukebox() override;
    bool JumpToTimeDLG() override;
    bool PrefJukeboxDLG() override;
    bool JupToFileDLG() override;
    bool StartJukebox() override;
    bool StopJukeboxPlay() override;
    bool StartJukeboxPlay() override;
    std::string JukeboxPfad() override;

private:
    // Starts the player when no main window exists (not waiting for it).
    void EnsurePlayer();
    // Ensures the player, then posts the command to its main window.
    bool EnsureAndPost(std::int32_t command);
    // Ensures the player, then sends the query and returns the reply as a 32-bit number.
    std::int32_t EnsureAndQuery(std::int64_t argument, std::int32_t code);
};

} // namespace Jukebox
