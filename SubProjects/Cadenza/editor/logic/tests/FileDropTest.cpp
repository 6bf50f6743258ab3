#include "FileDrop.h"

#include "TempDir.h"

#include <QMimeData>
#include <QUrl>
#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>

using Files = std::vector<std::string>;

namespace {

std::optional<Files> drop(const QByteArray& uriList)
{
    QMimeData data;
    data.setData("text/uri-list", uriList);
    return DroppedFiles(data);
}

} // namespace

TEST(FileDrop, FileManagerListsGiveRawPaths)
{
    EXPECT_EQ(drop("file:///m/a.mp3\r\nfile:///m/b.MP3\r\nfile:///m/c.txt\r\n"),
              (Files{"/m/a.mp3", "/m/b.MP3", "/m/c.txt"}));
    // Spaces and bytes that are not UTF-8 arrive percent-encoded and come out as the bytes.
    EXPECT_EQ(drop("file:///m/my%20song.mp3\r\nfile:///m/%FF%FE.mp3"),
              (Files{"/m/my song.mp3", "/m/\xFF\xFE.mp3"}));
    // Host forms, comments and URIs that are no local files.
    EXPECT_EQ(
        drop("# comment\r\nfile://localhost/a.mp3\r\nfile:/b.mp3\r\nhttp://x/c.mp3\r\nfile://other/d.mp3\n"),
        (Files{"/a.mp3", "/b.mp3"}));
    EXPECT_EQ(drop(QByteArray("file:///a.mp3\r\n\0", 16)), Files{"/a.mp3"});
}

TEST(FileDrop, TextIsNoFileListAndAnEmptyListHasNoFiles)
{
    QMimeData text;
    text.setText("/m/a.mp3");
    EXPECT_FALSE(DroppedFiles(text));
    EXPECT_EQ(drop(""), Files{});
    QMimeData urls;
    urls.setUrls({QUrl::fromLocalFile("/m/x.mp3"), QUrl("https://example.org/y.mp3")});
    EXPECT_EQ(DroppedFiles(urls), (Files{"/m/x.mp3"}));
}

TEST(FileDrop, Mp3ExtensionInAnyCase)
{
    for (const char* yes : {"a.mp3", "/x/b.MP3", "c.Mp3", "d.e.mP3", "/dir.x/f.mp3"})
        EXPECT_TRUE(IsMp3Name(yes)) << yes;
    for (const char* no : {"a.mp4", "mp3", "/x.mp3/file", "a.mp3.txt", "a.mp", ""})
        EXPECT_FALSE(IsMp3Name(no)) << no;
}

TEST(FileDrop, AddedFilesAreNewMp3FilesAndFoldersAreWalked)
{
    LegatoTest::TempDir dir;
    const std::string a = dir.write("a.mp3", "a");
    const std::string b = dir.write("b.MP3", "b");
    std::filesystem::create_directories(dir.file("sub/deeper.mp3"));
    std::filesystem::create_directories(dir.file(".hidden"));
    const std::string c = dir.write("sub/c.mp3", "c");
    dir.write("sub/notes.txt", "x");
    dir.write(".hidden/h.mp3", "h");

    EXPECT_EQ(FilesToAdd({a}, {b, a, dir.file("sub/notes.txt"), b, dir.file("sub/deeper.mp3")}), Files{b});
    Files below = Mp3FilesBelow(dir.path());
    std::sort(below.begin(), below.end());
    EXPECT_EQ(below, (Files{a, b, c}));
}
