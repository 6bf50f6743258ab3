#pragma once

class QTreeView;

// Column sizing for lists shown in report form (a QTreeView/QTreeWidget with
// its header showing). Columns are numbered from 1.
namespace modListView {

// Fit the column to its contents and its header text.
inline constexpr int AutoSizeUseHeader = -2;

// Sets the width of one column: pixels, or AutoSizeUseHeader; other negative
// widths are ignored.
// Does nothing unless the list is in report form and 1 <= column <= the number
// of its column headers.
void SetColumnWidth(QTreeView* list, int column, int width);

// SetColumnWidth for every column from 1 to the number of column headers.
void AutoSizeColumns(QTreeView* list, int width);

} // namespace modListView
