#include "PlaylistModel.h"
#include "PlayerEngine.h"

#include <QFont>
#include <QSignalSpy>
#include <gtest/gtest.h>

TEST(PlaylistModel, AddsOneRowPerEntryAndMovesTheMarkWithTheCurrentEntry)
{
    PlayerEngine engine(false);
    PlaylistModel model(engine);
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    for (int i = 0; i < 3; ++i)
        engine.addFile(QStringLiteral("/no/such/Track %1.mp3").arg(i));
    ASSERT_EQ(model.rowCount(), 3);
    EXPECT_EQ(inserted.count(), 3) << "each add is one inserted row";
    EXPECT_EQ(inserted.at(2).at(1).toInt(), 2);
    EXPECT_EQ(reset.count(), 0) << "nothing is laid out anew";
    EXPECT_EQ(model.data(model.index(1)).toString(), QStringLiteral("2. Track 1 (0:00)"));
    EXPECT_TRUE(model.data(model.index(0), Qt::FontRole).value<QFont>().bold());

    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    engine.select(2);
    EXPECT_EQ(changed.count(), 2) << "the old and the new current row";
    EXPECT_FALSE(model.data(model.index(0), Qt::FontRole).isValid());
    EXPECT_TRUE(model.data(model.index(2), Qt::FontRole).value<QFont>().bold());

    engine.removeAt(0);
    EXPECT_EQ(model.rowCount(), 2);
    EXPECT_EQ(model.data(model.index(0)).toString(), QStringLiteral("1. Track 1 (0:00)"));
    engine.clear();
    EXPECT_EQ(model.rowCount(), 0);
}
