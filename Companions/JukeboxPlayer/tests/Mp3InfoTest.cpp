#include "Mp3Info.h"

#include "Mp3Fixture.h"
#include "TempDir.h"

#include <gtest/gtest.h>

TEST(Mp3Info, ReadsLengthRateAndChannelsOfRealFiles)
{
    LegatoTest::TempDir dir;
    const std::string stereo = makeMp3(dir.path(), "stereo.mp3", 2.0, 128);
    if (stereo.empty())
        GTEST_SKIP() << "sox and lame are needed";
    const Mp3Info info = Mp3Info::fromFile(stereo);
    ASSERT_TRUE(info.valid);
    EXPECT_NEAR(static_cast<double>(info.durationMs), 2000.0, 60.0); // the encoder pads to whole frames
    EXPECT_EQ(info.sampleRate, 44100);
    EXPECT_EQ(info.channels, 2);
    EXPECT_EQ(info.bitrateKbps, 128) << "the Info frame of the encoder is not audio";

    const Mp3Info mono = Mp3Info::fromFile(makeMp3(dir.path(), "mono.mp3", 1.0, 64, true));
    EXPECT_EQ(mono.channels, 1);
    EXPECT_EQ(mono.bitrateKbps, 64);
    EXPECT_NEAR(static_cast<double>(mono.durationMs), 1000.0, 60.0);
}

TEST(Mp3Info, SkipsTagsAndReadsTheTrailerForDisplay)
{
    LegatoTest::TempDir dir;
    const std::string path = makeMp3(dir.path(), "t.mp3", 1.0);
    if (path.empty())
        GTEST_SKIP() << "sox and lame are needed";
    const std::string audio = LegatoTest::readAll(path);
    const Mp3Info plain = Mp3Info::fromBytes(audio);

    // An ID3v2 block in front (its bytes hold sync-like values) and a trailer behind.
    std::string id3v2 = std::string("ID3\x03\x00\x00\x00\x00\x00\x14", 10) + std::string(20, '\xff');
    std::string trailer = "TAG" + std::string(125, '\0');
    trailer.replace(3, 5, "Title");
    trailer.replace(33, 8, "M\xfcller  ");
    const Mp3Info tagged = Mp3Info::fromBytes(id3v2 + audio + trailer);
    EXPECT_EQ(tagged.durationMs, plain.durationMs);
    EXPECT_EQ(tagged.title, "Title");
    EXPECT_EQ(tagged.artist, "Müller");
}

TEST(Mp3Info, NoAudioIsInvalid)
{
    EXPECT_FALSE(Mp3Info::fromBytes("").valid);
    EXPECT_FALSE(Mp3Info::fromBytes(std::string(5000, '\xff')).valid);
    EXPECT_FALSE(Mp3Info::fromBytes("just some text that is not audio at all").valid);
    EXPECT_FALSE(Mp3Info::fromFile("/nonexistent/x.mp3").valid);
}
