#pragma once

#include <QMimeData>
#include <QTreeView>

// The editor's file list: a report list of the files and their tags that takes
// any drop and hands the dropped data to its owner, which decides what to
// keep. Drags are accepted on enter and on every move, or drops from a file
// manager never land. Rows whose tag could not be read are shown greyed with
// a warning sign (the model gives the reason as their tooltip).
class FileListView : public QTreeView
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
};
