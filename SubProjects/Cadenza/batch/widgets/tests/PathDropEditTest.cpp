#include "PathDropEdit.h"

#include "Platform/MessageBox.h"

#include "TempDir.h"
#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

QMimeData* Files(const QList<QUrl>& urls)
{
    auto* data = new QMimeData;
    data->setUrls(urls);
    return data;
}

// Delivers enter, move and drop as a drag that offers copy or move does, then
// lets queued work run; returns the action the drop was accepted with
// (IgnoreAction when it was refused).
Qt::DropAction Drop(PathDropEdit& edit, QMimeData* data)
{
    const QPointF at(5, 5);
    const Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction;
    QDragEnterEvent enter(at.toPoint(), offered, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&edit, &enter);
    QDragMoveEvent move(at.toPoint(), offered, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&edit, &move);
    EXPECT_TRUE(enter.isAccepted() && move.isAccepted()) << "every drag must reach the drop";
    QDropEvent drop(at, offered, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&edit, &drop);
    QCoreApplication::processEvents();
    delete data;
    return drop.isAccepted() ? drop.dropAction() : Qt::IgnoreAction;
}

} // namespace

TEST(PathDrop, TheFirstDroppedFileGivesItsFolder)
{
    std::unique_ptr<QMimeData> data(
        Files({QUrl::fromLocalFile("/music/a b/song.mp3"), QUrl::fromLocalFile("/other/x.mp3")}));
    const PathDrop drop = PathFromDrop(data.get());
    EXPECT_EQ(drop.kind, PathDrop::Kind::Folder);
    EXPECT_EQ(drop.folder, "/music/a b");

    data.reset(Files({QUrl::fromLocalFile("/song.mp3")}));
    EXPECT_EQ(PathFromDrop(data.get()).folder, "/");
}

TEST(PathDrop, ADroppedFolderIsThePathItself)
{
    LegatoTest::TempDir dir;
    mkdir(dir.file("album").c_str(), 0755);
    for (const char* name : {"album", "album/"}) {
        std::unique_ptr<QMimeData> data(Files(
            {QUrl::fromLocalFile(QString::fromStdString(dir.file(name))), QUrl::fromLocalFile("/x.mp3")}));
        const PathDrop drop = PathFromDrop(data.get());
        EXPECT_EQ(drop.kind, PathDrop::Kind::Folder);
        EXPECT_EQ(drop.folder, QString::fromStdString(dir.file("album"))) << name;
    }
}

TEST(PathDrop, AFolderNameThatIsNotUtf8SurvivesTheDrop)
{
    auto data = std::make_unique<QMimeData>();
    data->setData("text/uri-list", "file:///music/Caf%E9/song.mp3\r\n");
    const PathDrop drop = PathFromDrop(data.get());
    ASSERT_EQ(drop.kind, PathDrop::Kind::Folder);
    EXPECT_EQ(drop.folder.size(), QString("/music/Caf?").size());
    EXPECT_NE(drop.folder, "/music/Caf\uFFFD") << "the byte must not be replaced";
}

TEST(PathDrop, TextOrRemoteLinksAreWrongDataAndAnEmptyListIsNothing)
{
    auto text = std::make_unique<QMimeData>();
    text->setText("/music/song.mp3");
    EXPECT_EQ(PathFromDrop(text.get()).kind, PathDrop::Kind::WrongData);

    std::unique_ptr<QMimeData> remote(Files({QUrl("https://example.invalid/song.mp3")}));
    EXPECT_EQ(PathFromDrop(remote.get()).kind, PathDrop::Kind::WrongData);

    auto empty = std::make_unique<QMimeData>();
    empty->setData("text/uri-list", "");
    EXPECT_EQ(PathFromDrop(empty.get()).kind, PathDrop::Kind::Nothing);
}

TEST(PathDropEdit, ADroppedFileSetsItsFolderAndDroppedTextShowsTheMessage)
{
    QApplication::setApplicationDisplayName("Legato");
    Platform::MessageBoxRecorder boxes;
    PathDropEdit edit;
    edit.setText("/start");

    EXPECT_EQ(Drop(edit, Files({QUrl::fromLocalFile("/a/b/song.mp3")})), Qt::CopyAction)
        << "never a move: the file manager must keep its file";
    EXPECT_EQ(edit.text(), "/a/b");
    EXPECT_TRUE(boxes.boxes().empty());

    auto* text = new QMimeData;
    text->setText("dropped words");
    EXPECT_EQ(Drop(edit, text), Qt::IgnoreAction) << "the source keeps its text";
    EXPECT_EQ(edit.text(), "/a/b") << "dropped text is not typed into the field";
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text, "Wrong data fromat (Only Files are valid).");
    EXPECT_EQ(boxes.boxes()[0].caption, "Legato");
    EXPECT_EQ(boxes.boxes()[0].buttons, Platform::MsgButtons::Ok);

    auto* empty = new QMimeData;
    empty->setData("text/uri-list", "");
    Drop(edit, empty);
    EXPECT_EQ(edit.text(), "/a/b");
    EXPECT_EQ(boxes.boxes().size(), 1u);
}
