#include "PlayerEngine.h"

#include "Platform/FileNameCodec.h"

#include <QAudioDevice>
#include <QAudioOutput>
#include <QFileInfo>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <algorithm>

PlayerEngine::PlayerEngine(bool withAudio, PlaybackClock::Now now, QObject* parent)
    : QObject(parent), m_clock(std::move(now))
{
    if (withAudio) {
        m_media = new QMediaPlayer(this);
        m_audio = new QAudioOutput(this);
        m_media->setAudioOutput(m_audio);
        applyVolume();
    }
    m_timer.setInterval(100);
    connect(&m_timer, &QTimer::timeout, this, &PlayerEngine::tick);
    m_timer.start();
}

PlayerEngine::~PlayerEngine()
{
    // The media player may still read from the current source's device; it
    // goes before the members, not after them with the other children.
    delete m_media;
    m_media = nullptr;
}

bool PlayerEngine::audioAvailable()
{
    return !qEnvironmentVariableIsSet("JUKEBOX_NO_AUDIO") && !QMediaDevices::audioOutputs().isEmpty();
}

int PlayerEngine::stateCode() const
{
    switch (m_state) {
    case State::Playing:
        return 1;
    case State::Paused:
        return 3;
    case State::Stopped:
        return 0;
    }
    return 0;
}

void PlayerEngine::addFile(const QString& path)
{
    m_playlist.append(path);
    if (m_current < 0)
        m_current = 0;
    const int added = static_cast<int>(m_playlist.size()) - 1;
    emit entriesAdded(added, added);
    emit changed();
}

int PlayerEngine::clear()
{
    const int count = static_cast<int>(m_playlist.size());
    stop();
    m_playlist.clear();
    m_current = -1;
    emit changed();
    return count;
}

void PlayerEngine::removeAt(int index)
{
    if (index < 0 || index >= m_playlist.size())
        return;
    if (index == m_current)
        stop();
    m_playlist.removeAt(index);
    if (m_playlist.isEmpty())
        m_current = -1;
    else if (index < m_current || m_current >= m_playlist.size())
        m_current = std::max(0, m_current - 1);
    emit changed();
}

bool PlayerEngine::select(int index)
{
    if (index < 0 || index >= m_playlist.size())
        return false;
    stop();
    m_current = index;
    emit changed();
    return true;
}

void PlayerEngine::startCurrent(std::int64_t fromMs)
{
    m_clock.stop();
    m_clock.seek(fromMs);
    m_clock.start();
    m_state = State::Playing;
    if (m_media) {
        // The player lets go of the previous source's device before it is closed.
        MediaSource source = MediaSource::forPath(m_playlist.at(m_current));
        source.applyTo(*m_media);
        m_source = std::move(source);
        m_media->setPosition(fromMs);
        m_media->play();
    }
}

void PlayerEngine::play()
{
    if (m_current < 0)
        return;
    if (m_state == State::Paused) {
        togglePause();
        return;
    }
    startCurrent(0);
    emit changed();
}

void PlayerEngine::togglePause()
{
    if (m_state == State::Playing) {
        m_clock.pause();
        m_state = State::Paused;
        if (m_media)
            m_media->pause();
    } else if (m_state == State::Paused) {
        m_clock.start();
        m_state = State::Playing;
        if (m_media)
            m_media->play();
    } else {
        return;
    }
    emit changed();
}

void PlayerEngine::stop()
{
    if (m_state == State::Stopped)
        return;
    m_clock.stop();
    m_state = State::Stopped;
    if (m_media)
        m_media->stop();
    emit changed();
}

void PlayerEngine::next()
{
    if (m_current < 0)
        return;
    const bool wasPlaying = m_state == State::Playing;
    if (m_current + 1 < m_playlist.size())
        select(m_current + 1);
    else if (m_repeat)
        select(0);
    else
        return;
    if (wasPlaying)
        play();
}

void PlayerEngine::previous()
{
    if (m_current <= 0)
        return;
    const bool wasPlaying = m_state == State::Playing;
    select(m_current - 1);
    if (wasPlaying)
        play();
}

void PlayerEngine::skip(std::int64_t deltaMs)
{
    if (m_state != State::Playing)
        return;
    jumpTo(std::clamp<std::int64_t>(positionMs() + deltaMs, 0, trackLengthMs()));
}

int PlayerEngine::jumpTo(std::int64_t positionMs)
{
    if (m_state == State::Stopped)
        return -1;
    if (positionMs > trackLengthMs())
        return 1;
    m_clock.seek(std::max<std::int64_t>(positionMs, 0));
    if (m_media)
        m_media->setPosition(positionMs);
    emit changed();
    return 0;
}

std::int64_t PlayerEngine::positionMs() const
{
    return std::min(m_clock.position(), trackLengthMs());
}

std::int64_t PlayerEngine::trackLengthMs() const
{
    return m_current < 0 ? 0 : trackInfo().durationMs;
}

int PlayerEngine::trackLengthSeconds() const
{
    if (m_current < 0)
        return -1;
    return static_cast<int>((trackLengthMs() + 500) / 1000);
}

const Mp3Info& PlayerEngine::trackInfo() const
{
    static const Mp3Info none;
    return m_current < 0 ? none : cachedInfo(m_playlist.at(m_current));
}

Mp3Info PlayerEngine::infoOf(const QString& path) const
{
    return cachedInfo(path);
}

QString PlayerEngine::displayName(int index) const
{
    const QString& path = m_playlist.at(index);
    const Mp3Info& info = cachedInfo(path);
    QString name =
        info.title.empty() ? QFileInfo(path).completeBaseName() : QString::fromStdString(info.title);
    if (!info.artist.empty())
        name = QString::fromStdString(info.artist) + QStringLiteral(" - ") + name;
    return name;
}

const Mp3Info& PlayerEngine::cachedInfo(const QString& path) const
{
    auto it = m_infos.find(path);
    if (it == m_infos.end())
        it = m_infos.emplace(path, Mp3Info::fromFile(Platform::EncodeFileName(path))).first;
    return it->second;
}

void PlayerEngine::setVolume(int volume)
{
    m_volume = std::clamp(volume, 0, 255);
    applyVolume();
    emit changed();
}

void PlayerEngine::setPreamp(int percent)
{
    m_preamp = std::clamp(percent, 0, 100);
    applyVolume();
    emit changed();
}

void PlayerEngine::applyVolume()
{
    if (m_audio)
        m_audio->setVolume(static_cast<float>(m_volume) / 255.0f * static_cast<float>(m_preamp) / 100.0f);
}

void PlayerEngine::tick()
{
    if (m_state != State::Playing)
        return;
    if (m_clock.position() < trackLengthMs())
        return;
    // The track has ended: on to the next entry, or stop after the last one.
    if (m_current + 1 < m_playlist.size() || m_repeat) {
        m_current = m_current + 1 < m_playlist.size() ? m_current + 1 : 0;
        startCurrent(0);
        emit changed();
    } else {
        stop();
    }
}
