#pragma once

#include <QTreeWidget>

#include <QMimeData>

// The editor's file list: a one-column report list that takes any drop and
// hands the dropped data to its owner, which decides what to keep. Drags are
// accepted on enter and on every move, or drops from a file manager never land.
class FileListView : public QTreeWidget
{
    Q_OBJECT

public:
    explicit FileListView(QWidget* parent = nullptr);

signals:
    void dataDropped(const QMimeData* data);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    Qt::DropActions supportedDropActions() const override;
};
