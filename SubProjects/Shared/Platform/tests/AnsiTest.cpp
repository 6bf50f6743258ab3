#include "Platform/Ansi.h"

#include <gtest/gtest.h>

using namespace Platform;

TEST(AnsiTest, EveryByteSurvivesARoundTrip)
{
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    const std::string utf8 = AnsiToUtf8(all);
    EXPECT_EQ(Utf8ToAnsi(utf8), all);
    EXPECT_EQ(DecodeUtf8(utf8).size(), 256u);
}

TEST(AnsiTest, HighControlRangeUsesTheCodePageCharacters)
{
    EXPECT_EQ(AnsiToChar(0x80), U'\u20AC'); // euro sign
    EXPECT_EQ(AnsiToChar(0x9F), U'\u0178');
    EXPECT_EQ(AnsiToChar(0x8A), U'\u0160');
    for (unsigned char undefined : {0x81, 0x8D, 0x8F, 0x90, 0x9D})
        EXPECT_EQ(AnsiToChar(undefined), static_cast<char32_t>(undefined));
    EXPECT_EQ(AnsiToChar(0xE9), U'\u00E9');
    EXPECT_EQ(Utf8ToAnsi("\u20AC \u00E9\u00FF"), "\x80 \xE9\xFF");
}

TEST(AnsiTest, UnmappableCharactersAndBrokenUtf8BecomeQuestionMarks)
{
    EXPECT_EQ(Utf8ToAnsi("a\u0100b"), "a?b");       // Latin Extended-A, not in the code page
    EXPECT_EQ(Utf8ToAnsi("\xF0\x9F\x8E\xB5"), "?"); // one character outside the BMP
    EXPECT_EQ(Utf8ToAnsi("x\xE9y"), "x?y");         // a lone Latin-1 byte is not UTF-8
    EXPECT_EQ(Utf8ToAnsi("\xC0\xAF"), "??");        // overlong '/'
    EXPECT_EQ(Utf8ToAnsi("\xED\xA0\x80"), "???");   // a surrogate
    EXPECT_EQ(Utf8ToAnsi("\xE2\x82"), "??");        // cut short
    EXPECT_EQ(CharToAnsi(U'\u0080'), std::nullopt); // C1 control the code page replaced
}

TEST(AnsiTest, DecodeCountsCharactersNotBytes)
{
    EXPECT_EQ(DecodeUtf8("\u00E9t\u00E9"), U"\u00E9t\u00E9");
    std::string out;
    for (char32_t ch : std::u32string(U"a\u00E9\u20AC\U0001F3B5"))
        AppendUtf8(out, ch);
    EXPECT_EQ(out, "a\u00E9\u20AC\U0001F3B5");
}
