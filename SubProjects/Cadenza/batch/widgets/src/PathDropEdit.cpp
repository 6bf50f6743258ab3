#include "PathDropEdit.h"

#include <Platform/FileNameCodec.h>
#include <Platform/FileSystemObject.h>
#include <Platform/MessageBox.h>

#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QMimeData>
#include <QUrl>

const QString PathDropEdit::WrongDataMessage = QStringLiteral("Wrong data fromat (Only Files are valid).");

PathDrop PathFromDrop(const QMimeData* data)
{
    if (data == nullptr || !data->hasFormat(QStringLiteral("text/uri-list")))
        return {PathDrop::Kind::WrongData, {}};
    const QList<QUrl> urls = data->urls();
    if (urls.isEmpty())
        return {PathDrop::Kind::Nothing, {}};
    const QUrl& first = urls.first();
    if (!first.isLocalFile())
        return {PathDrop::Kind::WrongData, {}};
    // The folder part is cut from the name's own bytes (the URL's percent
    // escapes decoded as bytes), so names that are not UTF-8 stay intact.
    const QByteArray name = QByteArray::fromPercentEncoding(first.path(QUrl::FullyEncoded).toLatin1());
    const std::string folder = Platform::FileSystemObject::GetParentFolderName(name.toStdString());
    return {PathDrop::Kind::Folder, Platform::DecodeFileName(folder)};
}

PathDropEdit::PathDropEdit(QWidget* parent) : QLineEdit(parent)
{
    setAcceptDrops(true);
}

void PathDropEdit::dragEnterEvent(QDragEnterEvent* event)
{
    event->acceptProposedAction();
}

void PathDropEdit::dragMoveEvent(QDragMoveEvent* event)
{
    event->acceptProposedAction();
}

void PathDropEdit::dropEvent(QDropEvent* event)
{
    event->acceptProposedAction();
    const PathDrop drop = PathFromDrop(event->mimeData());
    switch (drop.kind) {
    case PathDrop::Kind::Folder:
        setText(drop.folder);
        break;
    case PathDrop::Kind::Nothing:
        break;
    case PathDrop::Kind::WrongData:
        Platform::MsgBox({WrongDataMessage.toStdString(),
                          QGuiApplication::applicationDisplayName().toStdString(), Platform::MsgIcon::None,
                          Platform::MsgButtons::Ok});
        break;
    }
}
