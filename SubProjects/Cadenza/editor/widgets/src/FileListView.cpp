#include "FileListView.h"

#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>

FileListView::FileListView(QWidget* parent) : QTreeWidget(parent)
{
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DropOnly);
    setDropIndicatorShown(false);
}

Qt::DropActions FileListView::supportedDropActions() const
{
    return Qt::CopyAction | Qt::LinkAction;
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
