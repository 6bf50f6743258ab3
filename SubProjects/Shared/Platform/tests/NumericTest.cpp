#include "Platform/Numeric.h"

#include <gtest/gtest.h>

using namespace Platform;

TEST(Numeric, WhatReadsAsANumber)
{
    for (const char* yes : {"0", "7", "-5", "+3", " 12 ", "12.5", ".5", "5.", "1e3", "1E-2", "070000"})
        EXPECT_TRUE(IsNumeric(yes)) << yes;
    for (const char* no : {"", " ", "7a", "a7", ".", "-", "1e", "1.2.3", "#AR#", "1 2", "0x10"})
        EXPECT_FALSE(IsNumeric(no)) << no;
}

TEST(Numeric, RoundsHalvesToEven)
{
    EXPECT_EQ(*TextToInt16("12.5"), 12);
    EXPECT_EQ(*TextToInt16("13.5"), 14);
    EXPECT_EQ(*TextToInt16("-0.5"), 0);
    EXPECT_EQ(*TextToInt16("2.51"), 3);
    EXPECT_EQ(*TextToInt16("007"), 7);
}

TEST(Numeric, SixteenBitRangeIsEnforced)
{
    EXPECT_EQ(*TextToInt16("32767"), 32767);
    EXPECT_EQ(*TextToInt16("-32768"), -32768);
    EXPECT_FALSE(TextToInt16("32768"));
    EXPECT_FALSE(TextToInt16("70000"));
    EXPECT_FALSE(TextToInt16("32767.5")); // rounds to 32768
    EXPECT_FALSE(TextToInt16("1e10"));
    EXPECT_FALSE(TextToInt16("ab"));
    EXPECT_FALSE(ToInt16(1e300 * 10));
}
