#pragma once

#include <QLineEdit>
#include <QString>

class QMimeData;

// What a drop onto the batch panel's path field amounts to.
struct PathDrop
{
    enum class Kind
    {
        Folder,    // a list of files: folder is the first entry when it is a folder, else its parent
        Nothing,   // a file list without entries: the path stays
        WrongData, // anything but files: the user is told, the path stays
    };
    Kind kind = Kind::Nothing;
    QString folder;
};

// Decides what dropped data means for the path field.
PathDrop PathFromDrop(const QMimeData* data);

// The path field: a line edit that takes a dropped folder as the path and a
// dropped file as "the folder of this file" instead of inserting dropped text. Any drop is accepted, so that
// dropped text reaches dropEvent and gets its message box rather than being typed in.
class PathDropEdit : public QLineEdit
{
    Q_OBJECT
public:
    explicit PathDropEdit(QWidget* parent = nullptr);

    // The message shown when something other than files is dropped.
    static const char* const WrongDataMessage;

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
};
