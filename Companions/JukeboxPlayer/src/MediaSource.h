#pragma once

#include <QFile>
#include <QString>
#include <QUrl>
#include <memory>

class QMediaPlayer;

// How a playlist entry reaches Qt Multimedia. Playlist entries are file names
// decoded with Platform::DecodeFileName, so a name that is not UTF-8 keeps its
// bytes. The media backends, however, turn a file URL back into a path through
// UTF-8 and would look for a file that does not exist; such a file is opened
// here by its real bytes and handed over as a device instead.
class MediaSource
{
public:
    // The source for a playlist entry. A name that is plain UTF-8 is given as
    // a file URL, as always; any other name is opened now (no device when it
    // cannot be opened or is no regular file: the player then reports the
    // media as missing).
    static MediaSource forPath(const QString& path);

    const QUrl& url() const { return m_url; }
    // The opened file for a name that is not UTF-8, null otherwise.
    QFile* device() const { return m_device.get(); }

    // Hands the source to the player. The source must outlive its use there.
    void applyTo(QMediaPlayer& player) const;

private:
    QUrl m_url;
    std::unique_ptr<QFile> m_device;
};
