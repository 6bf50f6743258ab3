#include "Quaver/Genres.h"

#include "Platform/RuntimeError.h"

#include <gtest/gtest.h>

using namespace Quaver;

TEST(GenresTest, TableHas149EntriesInCreationOrder)
{
    const Genres list;
    ASSERT_EQ(list.Count(), 149);
    std::vector<std::int16_t> numbers;
    for (const auto& genre : list)
        numbers.push_back(genre->Num());
    EXPECT_EQ(numbers.front(), 0);
    EXPECT_EQ(numbers[147], 147);
    EXPECT_EQ(numbers.back(), 255);
    EXPECT_EQ((*list.begin())->Description(), "Blues");
    EXPECT_EQ((*(list.end() - 1))->Description(), "<Undefined>");
}

TEST(GenresTest, NamesKeepTheirExactForms)
{
    const Genres list;
    const std::pair<const char*, const char*> expected[] = {
        {"17", "Rock"},
        {"255", "<Undefined>"},
        {"147", "Synthpop"},
        {"25", "Euro -Techno"},
        {"27", "Trip -Hop"},
        {"29", "Jazz Funk"},
        {"60", "Top40"},
        {"67", "Psychadelic"},
        {"71", "Lo -Fi"},
        {"81", "Folk -Rock"},
        {"93", "Psychedelic Rock"},
        {"99", "Accoustic"},
        {"107", "BootyBass"},
        {"118", "Rhytmic Soul"},
        {"123", "Acapella"},
        {"144", "Trash Metal"},
        {"146", "Jpop"},
        {"51", "Techno -Industrial"},
        {"53", "Pop -Folk"},
        {"14", "R&B"},
    };
    for (const auto& [key, name] : expected) {
        const auto genre = list.Item(key);
        ASSERT_NE(genre, nullptr) << key;
        EXPECT_EQ(genre->Description(), name) << key;
        EXPECT_EQ(std::to_string(genre->Num()), key);
    }
    EXPECT_STREQ(Genres::NameOf(18), "Techno");
    EXPECT_STREQ(Genres::NameOf(255), "<Undefined>");
    EXPECT_EQ(Genres::NameOf(148), nullptr);
}

TEST(GenresTest, KeyedEntriesAreSharedAndUndefinedOnesAreNew)
{
    const Genres list;
    EXPECT_EQ(list.Item("17"), list.Item("17"));
    list.Item("17")->setNum(99);
    EXPECT_EQ(list.Item("17")->Num(), 99);

    const auto a = list.Item("200");
    const auto b = list.Item("200");
    ASSERT_NE(a, nullptr);
    EXPECT_NE(a, b);
    EXPECT_EQ(a->Num(), 200);
    EXPECT_EQ(a->Description(), "<Not defined (200)>");
    EXPECT_EQ(list.Count(), 149);

    const auto leadingZero = list.Item("012");
    ASSERT_NE(leadingZero, nullptr);
    EXPECT_EQ(leadingZero->Num(), 12);
    EXPECT_EQ(leadingZero->Description(), "<Not defined (012)>");
}

TEST(GenresTest, OutOfRangeAndNonNumericKeysGiveNothing)
{
    const Genres list;
    EXPECT_EQ(list.Item("256"), nullptr);
    EXPECT_EQ(list.Item("-1"), nullptr);
    EXPECT_EQ(list.Item("Rock"), nullptr);
    EXPECT_EQ(list.Item(""), nullptr);
    EXPECT_EQ(list.Item(-1), nullptr);
    try {
        list.Item("40000");
        FAIL() << "a number beyond 16 bits must raise";
    } catch (const Platform::RuntimeError& e) {
        EXPECT_EQ(e.Number(), Platform::ErrOverflow);
    }
    EXPECT_THROW(list.Item(70000), Platform::RuntimeError);
}

TEST(GenresTest, NumbersSelectByPosition)
{
    const Genres list;
    EXPECT_EQ(list.Item(1)->Description(), "Blues");
    EXPECT_EQ(list.Item(19)->Description(), "Techno");
    EXPECT_EQ(list.Item(149)->Description(), "<Undefined>");
    EXPECT_EQ(list.Item(1.0), list.Item(1));
    const auto beyond = list.Item(150);
    ASSERT_NE(beyond, nullptr);
    EXPECT_EQ(beyond->Num(), 150);
    EXPECT_EQ(beyond->Description(), "<Not defined (150)>");
    EXPECT_EQ(list.Item(0)->Description(), "<Not defined (0)>");
    EXPECT_EQ(list.Item(200.5)->Description(), "<Not defined (200.5)>");
    EXPECT_EQ(list.Item(200.5)->Num(), 200); // half to even
}
