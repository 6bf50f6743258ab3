#pragma once

#include "MediaSource.h"
#include "Mp3Info.h"
#include "PlaybackClock.h"

#include <QObject>
#include <QStringList>
#include <QTimer>
#include <map>

class QAudioOutput;
class QMediaPlayer;

// The player's state: the playlist, the current entry, playing/paused/stopped,
// the position and the volume. The position is kept by a clock; when the
// machine has an audio output, Qt Multimedia plays the file along and follows
// every command.
class PlayerEngine : public QObject
{
    Q_OBJECT
public:
    enum class State
    {
        Stopped,
        Playing,
        Paused
    };

    // withAudio: play the sound through Qt Multimedia (needs an audio output).
    explicit PlayerEngine(bool withAudio, PlaybackClock::Now now = {}, QObject* parent = nullptr);
    ~PlayerEngine() override;

    // Whether this machine can play sound (an audio output exists and
    // JUKEBOX_NO_AUDIO is not set).
    static bool audioAvailable();

    const QStringList& playlist() const { return m_playlist; }
    int currentIndex() const { return m_current; }
    State state() const { return m_state; }
    // 1 playing, 3 paused, 0 stopped: the answer to the playing query.
    int stateCode() const;

    // Appends an entry; costs the same however long the playlist is, and reads
    // nothing from the file.
    void addFile(const QString& path);
    // Empties the playlist and stops; returns how many entries there were.
    int clear();
    void removeAt(int index);
    // Makes the entry current (stopping what plays); false for a bad index.
    bool select(int index);

    // Starts the current entry from its beginning, or resumes when paused.
    void play();
    // Pauses while playing, resumes while paused; nothing when stopped.
    void togglePause();
    void stop();
    void next();
    void previous();
    // Moves the position by the given milliseconds within the track, while playing.
    void skip(std::int64_t deltaMs);
    // Jumps to the position: 0 done, 1 beyond the end of the track, -1 when
    // nothing plays or is paused.
    int jumpTo(std::int64_t positionMs);

    std::int64_t positionMs() const;
    // The current track's length in whole seconds (rounded), -1 without a track.
    int trackLengthSeconds() const;
    std::int64_t trackLengthMs() const;
    const Mp3Info& trackInfo() const;
    Mp3Info infoOf(const QString& path) const;
    // "Artist - Title" of an entry from its trailer, or its file name without extension.
    QString displayName(int index) const;

    int volume() const { return m_volume; }
    void setVolume(int volume); // clamped to 0..255
    // The equaliser's preamplification, 0..100 percent of the volume.
    int preamp() const { return m_preamp; }
    void setPreamp(int percent);
    bool repeat() const { return m_repeat; }
    void setRepeat(bool on) { m_repeat = on; }

    // Looks for the end of the track; the player calls it on a timer.
    void tick();

signals:
    // Anything changed (state, position, current entry, entries removed).
    void changed();
    // Entries first..last were appended to the playlist (before changed()).
    void entriesAdded(int first, int last);

private:
    void startCurrent(std::int64_t fromMs);
    void applyVolume();
    const Mp3Info& cachedInfo(const QString& path) const;

    QStringList m_playlist;
    int m_current = -1;
    State m_state = State::Stopped;
    PlaybackClock m_clock;
    int m_volume = 200;
    int m_preamp = 100;
    bool m_repeat = false;
    QMediaPlayer* m_media = nullptr;
    MediaSource m_source; // what m_media plays
    QAudioOutput* m_audio = nullptr;
    QTimer m_timer;
    mutable std::map<QString, Mp3Info> m_infos;
};
