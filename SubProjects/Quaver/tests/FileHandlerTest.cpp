#include "Quaver/FileHandler.h"

#include "Platform/RuntimeError.h"
#include "TempDir.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Quaver;
using LegatoTest::readAll;

namespace {

// A trailer built by hand, independent of the code under test.
std::string trailer(const std::string& title, int track = 0, int genre = 255)
{
    std::string t = "TAG" + title;
    t.resize(128, '\0');
    t[126] = static_cast<char>(track);
    t[127] = static_cast<char>(genre);
    return t;
}

FileHandler handlerFor(const std::string& path)
{
    FileHandler handler;
    handler.setFileName(path);
    return handler;
}

void fillV11(Tag& tag)
{
    tag.setTagType(ID3V11);
    tag.setTitle("Title");
    tag.setArtist("Artist");
    tag.setAlbum("Album");
    tag.setYear("2001");
    tag.setComment("Comment");
    tag.setTrack(77);
    tag.setGenre(18);
}

void expectError(const FileHandler& handler, ErrorConstants mode, const std::string& source,
                 const std::string& description)
{
    const auto error = handler.LastError();
    EXPECT_EQ(error->Mode(), mode);
    EXPECT_EQ(error->Source(), source);
    EXPECT_EQ(error->Description(), description);
    EXPECT_EQ(error->Number(), 0);
}

bool runningAsRoot()
{
    return ::geteuid() == 0;
}

} // namespace

TEST(FileHandlerTest, UntaggedFileGetsATrailerAppendedThenReplaced)
{
    LegatoTest::TempDir dir;
    const std::string path = dir.write("song.mp3", std::string(1000, 'a'));
    FileHandler handler = handlerFor(path);
    EXPECT_FALSE(handler.HasTag());
    EXPECT_EQ(handler.ReadTag(), ID3Unknown);
    expectError(handler, Information, "Read Tag", "The file contains no tag.");

    handler.ID3v1xTag()->setTagType(ID3V1);
    handler.ID3v1xTag()->setTitle("first");
    ASSERT_TRUE(handler.WriteTag());
    EXPECT_EQ(std::filesystem::file_size(path), 1128u);
    EXPECT_TRUE(handler.HasTag());

    handler.ID3v1xTag()->setTitle("second");
    ASSERT_TRUE(handler.WriteTag());
    const std::string bytes = readAll(path);
    ASSERT_EQ(bytes.size(), 1128u);
    EXPECT_EQ(bytes.substr(0, 1000), std::string(1000, 'a'));
    EXPECT_EQ(bytes.substr(1000, 9), "TAGsecond");
}

TEST(FileHandlerTest, ReadFillsTheSharedRecord)
{
    LegatoTest::TempDir dir;
    const std::string path = dir.write("song.mp3", std::string(10, 'x') + trailer("Hello", 7, 17));
    FileHandler handler = handlerFor(path);
    const TagPtr held = handler.ID3v1xTag();
    ASSERT_EQ(handler.ReadTag(), ID3V11);
    EXPECT_EQ(held->Title(), "Hello");
    EXPECT_EQ(held->Track(), 7);
    EXPECT_EQ(held->Genre(), 17);
    EXPECT_EQ(held->TagType(), ID3V11);

    // A record handed in is the one written from then on.
    auto mine = std::make_shared<Tag>();
    fillV11(*mine);
    handler.setID3v1xTag(mine);
    EXPECT_EQ(handler.ID3v1xTag(), mine);
    ASSERT_TRUE(handler.WriteTag());
    FileHandler reader = handlerFor(path);
    ASSERT_EQ(reader.ReadTag(), ID3V11);
    EXPECT_EQ(reader.ID3v1xTag()->Title(), "Title");
    EXPECT_EQ(reader.ID3v1xTag()->Track(), 77);
    EXPECT_EQ(std::filesystem::file_size(path), 138u);
}

TEST(FileHandlerTest, FilesOf128BytesOrLessHaveNoTag)
{
    LegatoTest::TempDir dir;
    for (std::size_t size : {std::size_t(0), std::size_t(127), std::size_t(128)}) {
        const std::string content = size == 128 ? trailer("Only") : std::string(size, 'T');
        const std::string path = dir.write("short.mp3", content);
        FileHandler handler = handlerFor(path);
        handler.LastError()->setSource("untouched");
        EXPECT_FALSE(handler.HasTag()) << size;
        EXPECT_EQ(handler.ReadTag(), ID3Unknown) << size;
        EXPECT_EQ(handler.LastError()->Source(), "untouched") << size;
        EXPECT_EQ(handler.LastError()->Number(), -1) << size;
    }
    // A 128-byte trailer alone gets a second one appended.
    const std::string path = dir.write("only.mp3", trailer("Only"));
    FileHandler handler = handlerFor(path);
    handler.ID3v1xTag()->setTagType(ID3V1);
    ASSERT_TRUE(handler.WriteTag());
    EXPECT_EQ(std::filesystem::file_size(path), 256u);
    EXPECT_EQ(readAll(path).substr(0, 128), trailer("Only"));
}

TEST(FileHandlerTest, A129ByteFileReadsItsTrailerAtOffsetOne)
{
    LegatoTest::TempDir dir;
    const std::string path = dir.write("s.mp3", "x" + trailer("Edge"));
    FileHandler handler = handlerFor(path);
    EXPECT_TRUE(handler.HasTag());
    EXPECT_EQ(handler.ReadTag(), ID3V1);
    EXPECT_EQ(handler.ID3v1xTag()->Title(), "Edge");
}

TEST(FileHandlerTest, MissingFilesAndFoldersDoNotExist)
{
    LegatoTest::TempDir dir;
    for (const std::string& path : {dir.file("missing.mp3"), dir.path(), std::string()}) {
        FileHandler handler = handlerFor(path);
        EXPECT_EQ(handler.ReadTag(), ID3Unknown);
        expectError(handler, Exclamation, "Read Tag", "File does not exist.");
        handler.ID3v1xTag()->setTagType(ID3V1);
        EXPECT_FALSE(handler.WriteTag());
        expectError(handler, Exclamation, "Write Tag", "File does not exist.");
        EXPECT_FALSE(handler.HasTag());
    }
    EXPECT_FALSE(std::filesystem::exists(dir.file("missing.mp3")));
}

TEST(FileHandlerTest, UnknownTypeIsCheckedBeforeTheFile)
{
    FileHandler handler = handlerFor("/nonexistent/file.mp3");
    EXPECT_FALSE(handler.WriteTag());
    expectError(handler, Exclamation, "Write Tag", "Tag unknown.");
}

TEST(FileHandlerTest, TrackOutOfRangeFailsAndLeavesTheFileAlone)
{
    LegatoTest::TempDir dir;
    const std::string original = std::string(500, 'm') + trailer("Old", 3);
    const std::string path = dir.write("s.mp3", original);
    FileHandler handler = handlerFor(path);
    fillV11(*handler.ID3v1xTag());
    handler.ID3v1xTag()->setTrack(300);
    EXPECT_FALSE(handler.WriteTag());
    EXPECT_EQ(handler.LastError()->Mode(), Critical);
    EXPECT_EQ(handler.LastError()->Number(), Platform::ErrOverflow);
    EXPECT_EQ(readAll(path), original);
}

TEST(FileHandlerTest, FailedReadKeepsRecordAndLaterSuccessKeepsTheError)
{
    LegatoTest::TempDir dir;
    FileHandler handler = handlerFor(dir.write("tagged.mp3", std::string(200, 'x') + trailer("Kept", 4)));
    ASSERT_EQ(handler.ReadTag(), ID3V11);
    handler.setFileName(dir.write("plain.mp3", std::string(300, 'x')));
    EXPECT_EQ(handler.ReadTag(), ID3Unknown);
    EXPECT_EQ(handler.ID3v1xTag()->Title(), "Kept");
    EXPECT_EQ(handler.ID3v1xTag()->TagType(), ID3V11);

    handler.setFileName(dir.file("tagged.mp3"));
    EXPECT_EQ(handler.ReadTag(), ID3V11);
    expectError(handler, Information, "Read Tag", "The file contains no tag.");
}

TEST(FileHandlerTest, RemoveTagChangesNothing)
{
    LegatoTest::TempDir dir;
    const std::string content = std::string(200, 'x') + trailer("Stay");
    const std::string path = dir.write("s.mp3", content);
    FileHandler handler = handlerFor(path);
    EXPECT_FALSE(handler.RemoveTag());
    EXPECT_EQ(readAll(path), content);
    EXPECT_EQ(handler.LastError()->Number(), -1);
}

TEST(FileHandlerTest, CutTagRemovesOnlyTheTrailer)
{
    LegatoTest::TempDir dir;
    const std::string audio(300, 'a');
    const std::string tagged = dir.write("tagged.mp3", audio + trailer("Old"));
    const std::string plain = dir.write("plain.mp3", audio);
    const std::string tiny = dir.write("tiny.mp3", trailer("Short"));

    auto handler = handlerFor(tagged);
    EXPECT_TRUE(handler.CutTag());
    EXPECT_EQ(readAll(tagged), audio);
    for (const std::string& path : {plain, tiny, dir.file("missing.mp3")}) {
        const std::string before = readAll(path);
        handler.setFileName(path);
        EXPECT_FALSE(handler.CutTag()) << path;
        EXPECT_EQ(readAll(path), before);
    }
    EXPECT_EQ(handler.LastError()->Description(), "File does not exist.");
    handler.setFileName(plain);
    handler.CutTag();
    EXPECT_EQ(handler.LastError()->Description(), "The file contains no tag.");
}

TEST(FileHandlerTest, NullRecordIsAFailureNotACrash)
{
    LegatoTest::TempDir dir;
    FileHandler handler = handlerFor(dir.write("s.mp3", std::string(200, 'x') + trailer("T")));
    handler.setID3v1xTag(nullptr);
    EXPECT_EQ(handler.ReadTag(), ID3Unknown);
    EXPECT_EQ(handler.LastError()->Mode(), Critical);
    EXPECT_FALSE(handler.WriteTag());
    EXPECT_EQ(handler.LastError()->Mode(), Critical);
}

TEST(FileHandlerTest, NonUtf8FileNamesWork)
{
    LegatoTest::TempDir dir;
    const std::string path = dir.write("Caf\xE9 \xFF.mp3", std::string(300, 'x'));
    FileHandler handler = handlerFor(path);
    handler.ID3v1xTag()->setTagType(ID3V1);
    handler.ID3v1xTag()->setTitle("Caf\u00E9");
    ASSERT_TRUE(handler.WriteTag());
    FileHandler reader = handlerFor(path);
    ASSERT_EQ(reader.ReadTag(), ID3V1);
    EXPECT_EQ(reader.ID3v1xTag()->Title(), "Caf\u00E9");
    EXPECT_EQ(readAll(path).substr(303, 4), "Caf\xE9");
}

TEST(FileHandlerTest, SparseFileBeyondFourGigabytesUsesTheTrueEnd)
{
    LegatoTest::TempDir dir;
    const std::string path = dir.write("big.mp3", "");
    // 4 GiB + 1000: a 32-bit size would put the trailer 1000 - 128 bytes in.
    const std::uintmax_t size = (std::uintmax_t{4} << 30) + 1000;
    std::filesystem::resize_file(path, size);
    FileHandler handler = handlerFor(path);
    EXPECT_FALSE(handler.HasTag());
    handler.ID3v1xTag()->setTagType(ID3V1);
    handler.ID3v1xTag()->setTitle("Big");
    ASSERT_TRUE(handler.WriteTag());
    EXPECT_EQ(std::filesystem::file_size(path), size + 128);
    ASSERT_TRUE(handler.WriteTag());
    EXPECT_EQ(std::filesystem::file_size(path), size + 128);

    FileHandler reader = handlerFor(path);
    ASSERT_EQ(reader.ReadTag(), ID3V1);
    EXPECT_EQ(reader.ID3v1xTag()->Title(), "Big");
    std::ifstream in(path, std::ios::binary);
    std::string head(1000, '\1');
    in.read(head.data(), 1000);
    EXPECT_EQ(head, std::string(1000, '\0')); // nothing landed at the 32-bit offset
}

TEST(FileHandlerTest, ReadOnlyFileFailsCriticallyAndStaysUnchanged)
{
    if (runningAsRoot())
        GTEST_SKIP() << "file permissions do not bind root";
    LegatoTest::TempDir dir;
    const std::string content = std::string(300, 'x');
    const std::string path = dir.write("ro.mp3", content);
    ::chmod(path.c_str(), 0444);
    FileHandler handler = handlerFor(path);
    handler.ID3v1xTag()->setTagType(ID3V1);
    EXPECT_FALSE(handler.WriteTag());
    EXPECT_EQ(handler.LastError()->Mode(), Critical);
    EXPECT_EQ(handler.LastError()->Number(), Platform::ErrPermissionDenied);
    EXPECT_EQ(readAll(path), content);
}

TEST(FileHandlerTest, UnreadableFileFailsReadAndRaisesFromHasTag)
{
    if (runningAsRoot())
        GTEST_SKIP() << "file permissions do not bind root";
    LegatoTest::TempDir dir;
    const std::string path = dir.write("wo.mp3", std::string(300, 'x'));
    ::chmod(path.c_str(), 0200);
    FileHandler handler = handlerFor(path);
    EXPECT_EQ(handler.ReadTag(), ID3Unknown);
    EXPECT_EQ(handler.LastError()->Mode(), Critical);
    EXPECT_EQ(handler.LastError()->Number(), Platform::ErrPermissionDenied);
    EXPECT_THROW(handler.HasTag(), Platform::RuntimeError);
    handler.ID3v1xTag()->setTagType(ID3V1);
    EXPECT_FALSE(handler.WriteTag());
    EXPECT_EQ(std::filesystem::file_size(path), 300u);
}
