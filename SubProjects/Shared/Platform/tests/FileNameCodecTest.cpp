#include "Platform/FileNameCodec.h"

#include <gtest/gtest.h>

using namespace Platform;

TEST(FileNameCodec, Utf8NamesDecodeAsUsual)
{
    const std::string utf8 = "Caf\xC3\xA9 - \xF0\x9F\x8E\xB5 Song.mp3";
    EXPECT_EQ(DecodeFileName(utf8), QString::fromUtf8(utf8.c_str()));
    EXPECT_EQ(EncodeFileName(QString::fromUtf8(utf8.c_str())), utf8);
    EXPECT_EQ(DecodeFileName(""), QString());
}

TEST(FileNameCodec, EveryByteStringSurvivesTheRoundTrip)
{
    // Latin-1 names, stray continuation bytes, truncated sequences, overlong
    // forms and encoded surrogates are not UTF-8 and must come back unchanged.
    const std::string cases[] = {
        "caf\xE9.mp3", "\x80\xBF",     "ab\xC3",           "\xE2\x82",
        "\xC0\xAF",    "\xED\xA0\x80", "\xF4\x90\x80\x80", "ok \xC3\xA9 then \xFF\xFE",
    };
    for (const auto& bytes : cases) {
        const QString name = DecodeFileName(bytes);
        EXPECT_EQ(EncodeFileName(name), bytes);
        EXPECT_FALSE(name.contains(QChar(0xFFFD)));
    }
    std::string all;
    for (int b = 1; b < 256; ++b)
        all += static_cast<char>(b);
    EXPECT_EQ(EncodeFileName(DecodeFileName(all)), all);
}

TEST(FileNameCodec, InvalidBytesStayVisibleAsSingleCharacters)
{
    const QString name = DecodeFileName("a\xE9z");
    ASSERT_EQ(name.size(), 3);
    EXPECT_EQ(name.at(0), QChar('a'));
    EXPECT_EQ(name.at(2), QChar('z'));
}

TEST(FileNameCodec, TextOfANameReadsStrayBytesAsWindows1252)
{
    EXPECT_EQ(FileNameToText(DecodeFileName("caf\xE9")), "caf\xC3\xA9");
    EXPECT_EQ(FileNameToText(DecodeFileName("\x80\x81\xFF")), "\xE2\x82\xAC\xC2\x81\xC3\xBF");
    const std::string utf8 = "Caf\xC3\xA9 \xF0\x9F\x8E\xB5";
    EXPECT_EQ(FileNameToText(DecodeFileName(utf8)), utf8) << "valid UTF-8 stays as it is";
    EXPECT_EQ(FileNameToText(DecodeFileName("plain")), "plain");
    EXPECT_EQ(FileNameToText(QString(QChar(0xD800)) + QChar(0xDC41)), "\xF0\x90\x81\x81") << "a pair";
    EXPECT_EQ(FileNameToText(QString(QChar(0xDC41))), "?") << "a lone surrogate no name produced";
}
