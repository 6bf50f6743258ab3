#include "modListView.h"

#include <QHeaderView>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

QTreeWidget* reportList(QWidget* parent)
{
    auto* list = new QTreeWidget(parent);
    list->setHeaderLabels({"Property", "Value", "Location"});
    list->setRootIsDecorated(false);
    return list;
}

} // namespace

TEST(modListView, FitsEachColumnToTheWiderOfHeaderAndContents)
{
    QWidget window;
    QTreeWidget* list = reportList(&window);
    const QString longText(60, QLatin1Char('W'));
    new QTreeWidgetItem(list, {longText, "x", ""});
    for (int column = 0; column < 3; ++column)
        list->setColumnWidth(column, 5);

    modListView::AutoSizeColumns(list, modListView::AutoSizeUseHeader);

    const QFontMetrics metrics(list->font());
    EXPECT_GE(list->columnWidth(0), metrics.horizontalAdvance(longText));
    // Column 2 holds a short item: the header decides.
    EXPECT_GE(list->columnWidth(1), metrics.horizontalAdvance("Value"));
    // An empty column still shows its header.
    EXPECT_GE(list->columnWidth(2), metrics.horizontalAdvance("Location"));
}

TEST(modListView, IgnoresColumnsOutOfRangeAndListsNotInReportForm)
{
    QWidget window;
    QTreeWidget* list = reportList(&window);
    list->setColumnWidth(0, 40);
    modListView::SetColumnWidth(list, 0, 90);
    modListView::SetColumnWidth(list, 4, 90);
    EXPECT_EQ(list->columnWidth(0), 40);

    modListView::SetColumnWidth(list, 1, 90);
    EXPECT_EQ(list->columnWidth(0), 90);

    list->setHeaderHidden(true);
    modListView::SetColumnWidth(list, 1, 30);
    modListView::AutoSizeColumns(list, modListView::AutoSizeUseHeader);
    EXPECT_EQ(list->columnWidth(0), 90);
    modListView::AutoSizeColumns(nullptr, modListView::AutoSizeUseHeader);
}
