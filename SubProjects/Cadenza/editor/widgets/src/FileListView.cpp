#include "FileListView.h"

#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QStyledItemDelegate>

#include "FileListModel.h"

namespace {

// Greys the rows of files that could not be read and marks their first column.
class UnreadableDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        if (index.data(FileListModel::StateRole).toInt() !=
            static_cast<int>(FileListModel::LoadState::Unreadable))
            return;
        option->palette.setColor(QPalette::Text, option->palette.color(QPalette::Disabled, QPalette::Text));
        if (index.column() == FileListModel::Name) {
            option->features |= QStyleOptionViewItem::HasDecoration;
            option->icon = option->widget->style()->standardIcon(QStyle::SP_MessageBoxWarning);
        }
    }
};

} // namespace

FileListView::FileListView(QWidget* parent) : QTreeView(parent)
{
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DropOnly);
    setDropIndicatorShown(false);
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setItemDelegate(new UnreadableDelegate(this));
}

namespace {

// Files are only read, never taken over: a drop answered with "move" would let
// the file manager delete the originals, so copy (or link) is answered.
void acceptAsCopy(QDropEvent* event)
{
    if (event->possibleActions() & Qt::CopyAction)
        event->setDropAction(Qt::CopyAction);
    else if (event->possibleActions() & Qt::LinkAction)
        event->setDropAction(Qt::LinkAction);
    else
        event->setDropAction(event->proposedAction());
    event->accept();
}

} // namespace

void FileListView::dragEnterEvent(QDragEnterEvent* event)
{
    // Every kind of data is taken, so that a wrong kind can be reported.
    acceptAsCopy(event);
}

void FileListView::dragMoveEvent(QDragMoveEvent* event)
{
    acceptAsCopy(event);
}

void FileListView::dropEvent(QDropEvent* event)
{
    acceptAsCopy(event);
    emit dataDropped(event->mimeData());
}
