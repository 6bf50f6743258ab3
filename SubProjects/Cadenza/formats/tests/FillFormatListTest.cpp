#include "FillFormatList.h"

#include <QComboBox>
#include <gtest/gtest.h>

using namespace modTagFormat;

TEST(FillFormatList, FillsListAndCollectionTogether)
{
    QComboBox list;
    std::shared_ptr<TagFormatCollection> formats;
    FillFormatList(formats, &list);
    ASSERT_TRUE(formats);
    ASSERT_EQ(list.count(), 3);
    EXPECT_EQ(list.currentIndex(), 0);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(list.itemText(i), formats->Item(QString::number(i))->Serialize());
        EXPECT_EQ(formats->ItemAt(i + 1), formats->Item(QString::number(i)));
    }
    EXPECT_EQ(list.itemText(1), "#AR# - #TI#");
}

TEST(FillFormatList, RefillingReplacesEverything)
{
    QComboBox list;
    std::shared_ptr<TagFormatCollection> formats;
    FillFormatList(formats, &list);
    const auto first = formats;
    list.setCurrentIndex(2);
    list.addItem("stray entry");
    FillFormatList(formats, &list);
    EXPECT_EQ(list.count(), 3);
    EXPECT_EQ(list.currentIndex(), 0);
    EXPECT_NE(formats, first); // a new collection; the caller's old one is let go
    EXPECT_EQ(formats->Count(), 3);
}
