#include "PathDropEdit.h"

#include "Platform/FileNameCodec.h"
#include "Platform/FileSystemObject.h"
#include "Platform/MessageBox.h"

#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QMimeData>
#include <QUrl>

#include <sys/stat.h>

const char* const PathDropEdit::WrongDataMessage =
    QT_TRANSLATE_NOOP("PathDropEdit", "Wrong data fromat (Only Files are valid).");

namespace {

// "/a/b/" -> "/a/b"; "/" stays.
std::string WithoutTrailingSlashes(std::string name)
{
    while (name.size() > 1 && name.back() == '/')
        name.pop_back();
    return name;
}

} // namespace

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
    // The folder is taken from the name's own bytes (the URL's percent escapes
    // decoded as bytes), so names that are not UTF-8 stay intact.
    const std::string name =
        QByteArray::fromPercentEncoding(first.path(QUrl::FullyEncoded).toLatin1()).toStdString();
    // A dropped folder is the folder to process, never its parent: a run from
    // the parent would take in every folder beside it.
    struct stat info
    {
    };
    if (::stat(name.c_str(), &info) == 0 && S_ISDIR(info.st_mode))
        return {PathDrop::Kind::Folder, Platform::DecodeFileName(WithoutTrailingSlashes(name))};
    const std::string folder = Platform::FileSystemObject::GetParentFolderName(name);
    return {PathDrop::Kind::Folder, Platform::DecodeFileName(folder)};
}

PathDropEdit::PathDropEdit(QWidget* parent) : QLineEdit(parent)
{
    setAcceptDrops(true);
}

// Every drag is taken as a copy: the path field only reads the names, so the
// source must never take a drop here as a move and delete what it dragged.
void PathDropEdit::dragEnterEvent(QDragEnterEvent* event)
{
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void PathDropEdit::dragMoveEvent(QDragMoveEvent* event)
{
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void PathDropEdit::dropEvent(QDropEvent* event)
{
    const PathDrop drop = PathFromDrop(event->mimeData());
    switch (drop.kind) {
    case PathDrop::Kind::Folder:
        event->setDropAction(Qt::CopyAction);
        event->accept();
        setText(drop.folder);
        break;
    case PathDrop::Kind::Nothing:
        event->ignore();
        break;
    case PathDrop::Kind::WrongData:
        event->ignore();
        // Shown once the drop is over: a modal box inside the drop would keep
        // the dragging program waiting until the user closes it.
        QMetaObject::invokeMethod(
            this,
            [] {
                Platform::MsgBox({tr(WrongDataMessage).toStdString(),
                                  QGuiApplication::applicationDisplayName().toStdString(),
                                  Platform::MsgIcon::None, Platform::MsgButtons::Ok});
            },
            Qt::QueuedConnection);
        break;
    }
}
