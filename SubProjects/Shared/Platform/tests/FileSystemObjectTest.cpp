#include "Platform/FileSystemObject.h"
#include "Platform/RuntimeError.h"
#include "TempDir.h"

#include <cerrno>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

using Platform::FileSystemObject;

TEST(FileSystemObjectTest, NamePartsFollowTheLastExtensionRule)
{
    EXPECT_EQ(FileSystemObject::GetBaseName("a/b/song.live.mp3"), "song.live");
    EXPECT_EQ(FileSystemObject::GetExtensionName("a/b/song.live.mp3"), "mp3");
    EXPECT_EQ(FileSystemObject::GetBaseName("noext"), "noext");
    EXPECT_EQ(FileSystemObject::GetExtensionName("noext"), "");
    EXPECT_EQ(FileSystemObject::GetExtensionName("dir.d/noext"), "");
    EXPECT_EQ(FileSystemObject::GetBaseName("dir.d/noext"), "noext");
    EXPECT_EQ(FileSystemObject::GetBaseName("trailing."), "trailing");
    EXPECT_EQ(FileSystemObject::GetExtensionName("trailing."), "");
    EXPECT_EQ(FileSystemObject::GetBaseName("/music/album/"), "album");
    EXPECT_EQ(FileSystemObject::GetBaseName("Artist - Title.MP3"), "Artist - Title");
    EXPECT_EQ(FileSystemObject::GetExtensionName("Artist - Title.MP3"), "MP3");
}

TEST(FileSystemObjectTest, ParentFolderIsTheFolderPart)
{
    EXPECT_EQ(FileSystemObject::GetParentFolderName("a/b/song.mp3"), "a/b");
    EXPECT_EQ(FileSystemObject::GetParentFolderName("song.mp3"), "");
    EXPECT_EQ(FileSystemObject::GetParentFolderName("/song.mp3"), "/");
    EXPECT_EQ(FileSystemObject::GetParentFolderName("/a//b/"), "/a");
    EXPECT_EQ(FileSystemObject::GetParentFolderName("/"), "");
}

TEST(FileSystemObjectTest, NamesAreRawBytes)
{
    const std::string latin1 = "dir\xE9/caf\xE9.mp\xB3";
    EXPECT_EQ(FileSystemObject::GetBaseName(latin1), "caf\xE9");
    EXPECT_EQ(FileSystemObject::GetExtensionName(latin1), "mp\xB3");
    EXPECT_EQ(FileSystemObject::GetParentFolderName(latin1), "dir\xE9");

    LegatoTest::TempDir dir;
    const std::string path = dir.write("caf\xE9.mp3", "12345");
    FileSystemObject fso;
    EXPECT_TRUE(fso.FileExists(path));
    EXPECT_EQ(fso.GetFile(path).Size, 5);
}

TEST(FileSystemObjectTest, ExistenceAndSizeOfFilesFoldersAndMissingNames)
{
    LegatoTest::TempDir dir;
    FileSystemObject fso;
    EXPECT_TRUE(fso.FileExists(dir.write("empty", "")));
    EXPECT_EQ(fso.GetFile(dir.file("empty")).Size, 0);
    EXPECT_FALSE(fso.FileExists(dir.path()));
    EXPECT_FALSE(fso.FileExists(dir.file("missing")));
    EXPECT_FALSE(fso.FileExists(""));
    try {
        fso.GetFile(dir.file("missing"));
        FAIL() << "GetFile of a missing file must raise";
    } catch (const Platform::RuntimeError& e) {
        EXPECT_EQ(e.Number(), Platform::ErrFileNotFound);
    }
    EXPECT_THROW(fso.GetFile(dir.path()), Platform::RuntimeError);
}

TEST(FileSystemObjectTest, FileKindTellsMissingFromOtherAndUnreachable)
{
    using Platform::FileKind;
    LegatoTest::TempDir dir;
    FileSystemObject fso;
    const std::string file = dir.write("song.mp3", "x");
    ASSERT_EQ(::mkfifo(dir.file("fifo.mp3").c_str(), 0600), 0);
    EXPECT_EQ(fso.GetFileKind(file), FileKind::Regular);
    EXPECT_EQ(fso.GetFileKind(dir.file("missing.mp3")), FileKind::Missing);
    EXPECT_EQ(fso.GetFileKind(file + "/inner.mp3"), FileKind::Missing);
    EXPECT_EQ(fso.GetFileKind(dir.path()), FileKind::Other);
    EXPECT_EQ(fso.GetFileKind(dir.file("fifo.mp3")), FileKind::Other);
    EXPECT_EQ(fso.GetFileKind("/dev/null"), FileKind::Other);
    int error = 0;
    EXPECT_EQ(fso.GetFileKind(dir.file(std::string(300, 'n')), &error), FileKind::Unreachable);
    EXPECT_EQ(error, ENAMETOOLONG);
}

TEST(FileSystemObjectTest, SizeBeyondFourGigabytesIsExact)
{
    LegatoTest::TempDir dir;
    const std::string path = dir.write("big", "");
    const std::uintmax_t size = (std::uintmax_t{5} << 30) + 7;
    std::filesystem::resize_file(path, size); // sparse: takes no disk space
    EXPECT_EQ(FileSystemObject().GetFile(path).Size, static_cast<std::int64_t>(size));
}
