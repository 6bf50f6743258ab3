#include "RecentFolders.h"

#include <gtest/gtest.h>

TEST(RecentFolders, NewestFirstOnceAndBounded)
{
    QStringList list;
    for (int i = 0; i < RecentFolders::kKeep + 2; ++i)
        list = RecentFolders::Remember(list, QStringLiteral("/m/%1").arg(i));
    ASSERT_EQ(list.size(), RecentFolders::kKeep);
    EXPECT_EQ(list.front(), "/m/9");
    EXPECT_EQ(list.back(), "/m/2");
    // A folder chosen again moves to the front, however it was written.
    list = RecentFolders::Remember(list, "/m/5/");
    EXPECT_EQ(list.front(), "/m/5");
    EXPECT_EQ(list.count("/m/5"), 1);
    EXPECT_EQ(list.size(), RecentFolders::kKeep);
    EXPECT_EQ(RecentFolders::Remember(list, ""), list);
}
