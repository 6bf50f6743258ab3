#include "Mp3Info.h"

#include "Mp3Fixture.h"
#include "TempDir.h"

#include <chrono>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

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

TEST(Mp3Info, RefusesWhatIsNoRegularFileWithoutWaiting)
{
    LegatoTest::TempDir dir;
    EXPECT_FALSE(Mp3Info::fromFile(dir.path()).valid) << "a folder";
    EXPECT_FALSE(Mp3Info::fromFile("/dev/zero").valid) << "a device that never ends";
    const std::string fifo = dir.file("pipe.mp3");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_FALSE(Mp3Info::fromFile(fifo).valid) << "a pipe nobody writes to";
}

TEST(Mp3Info, ReadsLittleOfAHugeFile)
{
    LegatoTest::TempDir dir;
    const std::string path = makeMp3(dir.path(), "t.mp3", 1.0);
    if (path.empty())
        GTEST_SKIP() << "sox and lame are needed";
    const Mp3Info plain = Mp3Info::fromFile(path);
    // 3 GiB of nothing, once alone and once behind real audio.
    const std::string hole = dir.write("hole.mp3", "");
    const std::string tail = dir.write("tail.mp3", LegatoTest::readAll(path));
    const auto start = std::chrono::steady_clock::now();
    for (const std::string& p : {hole, tail})
        ASSERT_EQ(truncate(p.c_str(), 3LL << 30), 0);
    EXPECT_FALSE(Mp3Info::fromFile(hole).valid);
    const Mp3Info behind = Mp3Info::fromFile(tail);
    EXPECT_EQ(behind.durationMs, plain.durationMs);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
}

TEST(Mp3Info, WalksFramesWithoutAnEncoderFrameAndExtrapolatesLongOnes)
{
    LegatoTest::TempDir dir;
    const std::string path = makeMp3(dir.path(), "t.mp3", 2.0);
    if (path.empty())
        GTEST_SKIP() << "sox and lame are needed";
    const std::string audio = LegatoTest::readAll(path);
    const Mp3Info counted = Mp3Info::fromBytes(audio);
    // Without the encoder's Info frame (the first: 417 bytes at 128 kbit/s
    // and 44.1 kHz without padding) the frames are walked.
    ASSERT_EQ(audio.compare(36, 4, "Info"), 0);
    const std::string frames = audio.substr(417);
    const Mp3Info walked = Mp3Info::fromBytes(frames);
    ASSERT_TRUE(walked.valid);
    EXPECT_EQ(walked.durationMs, counted.durationMs);
    EXPECT_EQ(walked.bitrateKbps, counted.bitrateKbps);

    // A stream longer than the walk goes: the rest is taken to be alike.
    const std::string frame = frames.substr(0, 417 + ((frames[2] >> 1) & 1)); // with its padding byte
    const std::int64_t count = Mp3Info::kMaxWalkedFrames + 5000;
    std::string longStream;
    longStream.reserve(static_cast<std::size_t>(count) * frame.size());
    for (std::int64_t i = 0; i < count; ++i)
        longStream += frame;
    const Mp3Info extrapolated = Mp3Info::fromBytes(longStream);
    EXPECT_NEAR(static_cast<double>(extrapolated.durationMs), count * 1152 * 1000.0 / 44100, 2.0);
    EXPECT_EQ(extrapolated.bitrateKbps, 128);
}
