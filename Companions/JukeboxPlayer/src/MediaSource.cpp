#include "MediaSource.h"

#include "RegularFile.h"

#include "Platform/FileNameCodec.h"

#include <QMediaPlayer>
#include <unistd.h>

MediaSource MediaSource::forPath(const QString& path)
{
    MediaSource source;
    const std::string bytes = Platform::EncodeFileName(path);
    const QString utf8 = QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
    if (utf8 == path) {
        source.m_url = QUrl::fromLocalFile(path);
        return source;
    }
    // The URL only names the media for the backend (its type is guessed from
    // the extension); the data comes from the device.
    source.m_url = QUrl::fromLocalFile(utf8);
    const int fd = OpenRegularFile(bytes);
    if (fd < 0)
        return source;
    auto file = std::make_unique<QFile>();
    if (!file->open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return source;
    }
    source.m_device = std::move(file);
    return source;
}

void MediaSource::applyTo(QMediaPlayer& player) const
{
    if (m_device)
        player.setSourceDevice(m_device.get(), m_url);
    else
        player.setSource(m_url);
}
