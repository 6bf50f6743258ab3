#include "modListView.h"

#include <QHeaderView>
#include <QTreeView>

namespace modListView {

namespace {

bool inReportForm(const QTreeView* list)
{
    return list && list->header() && !list->isHeaderHidden();
}

} // namespace

void SetColumnWidth(QTreeView* list, int column, int width)
{
    if (!inReportForm(list) || column < 1 || column > list->header()->count())
        return;
    const int index = column - 1;
    if (width == AutoSizeUseHeader) {
        // Qt's own fit takes the larger of contents and header when the header shows.
        list->resizeColumnToContents(index);
    } else if (width >= 0) {
        list->setColumnWidth(index, width);
    }
}

void AutoSizeColumns(QTreeView* list, int width)
{
    if (!inReportForm(list))
        return;
    const int count = list->header()->count();
    for (int column = 1; column <= count; ++column)
        SetColumnWidth(list, column, width);
}

} // namespace modListView
