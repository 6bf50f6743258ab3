#include "MediaSource.h"
#include "Jukebox/PlayerProtocol.h"
#include "PlayerEngine.h"
#include "PlayerUi.h"
#include "RemoteControl.h"

#include "Mp3Fixture.h"
#include "Platform/FileNameCodec.h"
#include "TempDir.h"

#include <QEventLoop>
#include <QMediaPlayer>
#include <QTimer>
#include <gtest/gtest.h>

using namespace Jukebox::Protocol;

namespace {

// "caf\xE9.mp3": a Latin-1 name, not valid UTF-8.
const std::string kLatin1Name = "caf\xE9.mp3";

class NonUtf8Name : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_path = makeMp3(m_dir.path(), kLatin1Name, 2.0);
        if (m_path.empty())
            GTEST_SKIP() << "sox and lame are needed";
    }

    LegatoTest::TempDir m_dir;
    std::string m_path;
};

} // namespace

TEST_F(NonUtf8Name, AddedByMessageKeepsItsBytesAndIsMeasured)
{
    PlayerEngine engine(false);
    NoPlayerUi ui;
    RemoteControl remote(engine, ui);
    ASSERT_EQ(remote.handle(kMainWindowClass, Platform::WM_COPYDATA, kCopyDataAddFile, 0,
                            QByteArray::fromStdString(m_path)),
              1);
    ASSERT_EQ(engine.playlist().size(), 1);
    EXPECT_EQ(Platform::EncodeFileName(engine.playlist().at(0)), m_path);
    EXPECT_EQ(remote.handle(kMainWindowClass, kQueryMessage, 1, QueryOutputTime, {}), 2) << "track length";
    EXPECT_EQ(remote.handle(kMainWindowClass, kQueryMessage, 1, QueryTrackInfo, {}), 128) << "bit rate";
}

TEST_F(NonUtf8Name, SourceReadsTheRealFileWhileUtf8NamesStayUrls)
{
    const MediaSource latin1 = MediaSource::forPath(Platform::DecodeFileName(m_path));
    ASSERT_NE(latin1.device(), nullptr);
    EXPECT_EQ(latin1.device()->readAll().toStdString(), LegatoTest::readAll(m_path));
    EXPECT_TRUE(latin1.url().path().endsWith(QStringLiteral(".mp3")))
        << "the backend guesses the type from it";

    const QString utf8 = QString::fromStdString(m_dir.path()) + QStringLiteral("/caf\u00e9.mp3");
    const MediaSource plain = MediaSource::forPath(utf8);
    EXPECT_EQ(plain.device(), nullptr);
    EXPECT_EQ(plain.url().toLocalFile(), utf8);

    const MediaSource missing = MediaSource::forPath(Platform::DecodeFileName(m_dir.file("gone\xE9.mp3")));
    EXPECT_EQ(missing.device(), nullptr);
}

TEST_F(NonUtf8Name, MediaPlayerLoadsIt)
{
    QMediaPlayer player;
    const MediaSource source = MediaSource::forPath(Platform::DecodeFileName(m_path));
    QEventLoop loop;
    QObject::connect(&player, &QMediaPlayer::mediaStatusChanged, &loop, [&](QMediaPlayer::MediaStatus s) {
        if (s != QMediaPlayer::LoadingMedia)
            loop.quit();
    });
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    source.applyTo(player);
    if (player.mediaStatus() == QMediaPlayer::LoadingMedia)
        loop.exec();
    EXPECT_EQ(player.mediaStatus(), QMediaPlayer::LoadedMedia) << player.errorString().toStdString();
    EXPECT_EQ(player.error(), QMediaPlayer::NoError);
}
