#include "modTagFormat.h"

#include <gtest/gtest.h>

using namespace modTagFormat;

namespace {

std::shared_ptr<TagFormats> threeElements()
{
    auto p = std::make_shared<TagFormats>();
    p->Add(NewArtistFormat());
    p->Add(NewSeparatorFormat(" - ", 1));
    p->Add(NewTitleFormat());
    return p;
}

} // namespace

TEST(TagFormats, DefaultPatternsSerializeInListOrder)
{
    const auto formats = DefaultFormats();
    ASSERT_EQ(formats->Count(), 3);
    EXPECT_EQ(formats->Item("0")->Serialize(), "#AR# - #AL# - #TR#.#TI#");
    EXPECT_EQ(formats->Item("1")->Serialize(), "#AR# - #TI#");
    EXPECT_EQ(formats->Item("2")->Serialize(), "#AR# - #TR#.#TI#");
    EXPECT_EQ(formats->ItemAt(1), formats->Item("0"));
    EXPECT_EQ(formats->ItemAt(3), formats->Item("2"));
    EXPECT_FALSE(formats->ItemAt(0));
    EXPECT_FALSE(formats->ItemAt(4));
    EXPECT_FALSE(formats->Item("3"));
    EXPECT_FALSE(formats->Add(std::make_shared<TagFormats>(), "1")); // keys are unique
    EXPECT_EQ(formats->Count(), 3);
}

TEST(TagFormats, SeparatorOccurrencesCountPerText)
{
    const auto p = DefaultFormats()->Item("0");
    EXPECT_EQ(p->ItemByIndex(2)->NumOccurrencies(), 1);
    EXPECT_EQ(p->ItemByIndex(4)->NumOccurrencies(), 2);
    EXPECT_EQ(p->ItemByIndex(6)->NumOccurrencies(), 1);
    EXPECT_EQ(p->ItemByIndex(5)->Value(), QVariant(TagAttributeTrack));
    EXPECT_EQ(p->ItemByIndex(1)->NumOccurrencies(), 1); // placeholders carry 1
}

TEST(TagFormats, UnknownPlaceholdersAndOddSeparatorsSerialize)
{
    TagFormats p;
    EXPECT_EQ(p.Serialize(), "");
    auto nine = std::make_shared<TagFormat>();
    nine->setFormatType(FormatTypePlaceholder);
    nine->setValue(9);
    p.Add(nine);
    p.Add(NewSeparatorFormat("_", 1));
    auto year = std::make_shared<TagFormat>();
    year->setFormatType(FormatTypePlaceholder);
    year->setValue(TagAttributeYear);
    p.Add(year);
    auto numberSeparator = std::make_shared<TagFormat>();
    numberSeparator->setFormatType(FormatTypeSeparator);
    numberSeparator->setValue(42);
    p.Add(numberSeparator);
    EXPECT_EQ(p.Serialize(), "<Unknown>_#YR#42");
}

TEST(TagFormats, SerializeKeepsTheCursor)
{
    auto p = threeElements();
    p->FirstElem();
    p->NextElem();
    ASSERT_EQ(p->AbsolutePosition(), 2);
    p->Serialize();
    EXPECT_EQ(p->AbsolutePosition(), 2);
}

TEST(TagFormats, CursorStopsAtBothEnds)
{
    auto p = threeElements();
    p->FirstElem();
    EXPECT_FALSE(p->HasPrev());
    EXPECT_TRUE(p->HasNext());
    p->PrevElem();
    EXPECT_EQ(p->AbsolutePosition(), 1);
    p->NextElem();
    EXPECT_TRUE(p->HasPrev());
    p->NextElem();
    EXPECT_FALSE(p->HasNext());
    EXPECT_EQ(p->AbsolutePosition(), 3);
    p->NextElem();
    EXPECT_EQ(p->AbsolutePosition(), 3);
    EXPECT_EQ(p->Item(), p->ItemByIndex(3));
}

TEST(TagFormats, ItemByIndexIsOneBasedAndLeavesTheCursor)
{
    auto p = threeElements();
    p->FirstElem();
    p->NextElem();
    EXPECT_FALSE(p->ItemByIndex(0));
    EXPECT_FALSE(p->ItemByIndex(4));
    EXPECT_EQ(p->ItemByIndex(1)->Value(), QVariant(TagAttributeArtist));
    EXPECT_EQ(p->AbsolutePosition(), 2);
}

TEST(TagFormats, EmptyPatternHasNoElements)
{
    TagFormats p;
    EXPECT_EQ(p.Count(), 0);
    EXPECT_EQ(p.AbsolutePosition(), 1);
    EXPECT_FALSE(p.Item());
    EXPECT_FALSE(p.HasNext());
    EXPECT_FALSE(p.HasPrev());
    p.NextElem();
    p.PrevElem();
    p.setItem(NewTitleFormat()); // nothing to replace
    EXPECT_EQ(p.Count(), 0);
    EXPECT_EQ(p.AbsolutePosition(), 1);
}

TEST(TagFormats, SettingValueResetsOccurrences)
{
    TagFormat f;
    EXPECT_EQ(f.FormatType(), 0);
    EXPECT_EQ(f.NumOccurrencies(), 0);
    EXPECT_FALSE(f.Value().isValid());
    f.setNumOccurrencies(2);
    f.setValue(QString("."));
    EXPECT_EQ(f.NumOccurrencies(), 1);
}

TEST(TagFormats, AddStoresACopyAndIgnoresNull)
{
    TagFormats p;
    auto sep = NewSeparatorFormat(" - ", 2);
    p.Add(sep);
    p.Add(nullptr);
    ASSERT_EQ(p.Count(), 1);
    sep->setValue(QString("x"));
    EXPECT_EQ(p.ItemByIndex(1)->Value(), QVariant(QString(" - ")));
    EXPECT_EQ(p.ItemByIndex(1)->NumOccurrencies(), 2);
    EXPECT_NE(p.ItemByIndex(1), sep);
}

TEST(TagFormats, SetItemStoresTheObjectItself)
{
    auto p = threeElements();
    p->FirstElem();
    p->NextElem();
    auto dot = NewSeparatorFormat(".", 1);
    p->setItem(dot);
    EXPECT_EQ(p->ItemByIndex(2), dot);
    dot->setValue(QString("_"));
    EXPECT_EQ(p->Serialize(), "#AR#_#TI#");
    // A null element ends HasNext but is skipped by Serialize.
    p->setItem(nullptr);
    EXPECT_FALSE(p->HasNext());
    EXPECT_EQ(p->Serialize(), "#AR##TI#");
}
