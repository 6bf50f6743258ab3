#include "Platform/BinaryFile.h"
#include "Platform/RuntimeError.h"
#include "TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using Platform::BinaryFile;

TEST(BinaryFileTest, ReadsAndWritesAtOffsetsKeepingTheRest)
{
    LegatoTest::TempDir dir;
    const std::string path = dir.write("f", "0123456789");
    {
        BinaryFile file(path, BinaryFile::Access::ReadWrite);
        char buf[4] = {};
        EXPECT_EQ(file.ReadAt(8, buf, 4), 2u); // short read at the end
        EXPECT_EQ(std::string(buf, 2), "89");
        file.WriteAt(2, "ab", 2);
        file.WriteAt(10, "XY", 2); // grows the file
        EXPECT_EQ(file.Size(), 12);
        file.Close();
        file.Close(); // a second close is harmless
    }
    EXPECT_EQ(LegatoTest::readAll(path), "01ab456789XY");
}

TEST(BinaryFileTest, CreateMakesMissingFilesAndKeepsExistingContent)
{
    LegatoTest::TempDir dir;
    {
        BinaryFile file(dir.file("new"), BinaryFile::Access::Create);
        file.WriteAt(0, "abc", 3);
    }
    {
        BinaryFile file(dir.file("new"), BinaryFile::Access::Create);
        file.WriteAt(1, "Z", 1);
    }
    EXPECT_EQ(LegatoTest::readAll(dir.file("new")), "aZc");
}

TEST(BinaryFileTest, FailuresRaiseClassicNumbers)
{
    LegatoTest::TempDir dir;
    try {
        BinaryFile file(dir.file("missing"), BinaryFile::Access::Read, "Test");
        FAIL() << "opening a missing file must raise";
    } catch (const Platform::RuntimeError& e) {
        EXPECT_EQ(e.Number(), Platform::ErrFileNotFound);
        EXPECT_EQ(e.Source(), "Test");
        EXPECT_FALSE(e.Description().empty());
    }
    EXPECT_THROW(BinaryFile(dir.path(), BinaryFile::Access::ReadWrite), Platform::RuntimeError);
    EXPECT_THROW(BinaryFile(dir.file("missing"), BinaryFile::Access::ReadWrite), Platform::RuntimeError);
}

TEST(BinaryFileTest, OffsetsBeyondFourGigabytes)
{
    LegatoTest::TempDir dir;
    const std::string path = dir.write("big", "");
    const std::int64_t size = (std::int64_t{4} << 30) + 100;
    std::filesystem::resize_file(path, static_cast<std::uintmax_t>(size));
    {
        BinaryFile file(path, BinaryFile::Access::ReadWrite);
        file.WriteAt(size - 3, "end", 3);
        char buf[3] = {};
        ASSERT_EQ(file.ReadAt(size - 3, buf, 3), 3u);
        EXPECT_EQ(std::string(buf, 3), "end");
        EXPECT_EQ(file.Size(), size);
        // The low 32 bits of the offset hold nothing.
        ASSERT_EQ(file.ReadAt(97, buf, 3), 3u);
        EXPECT_EQ(std::string(buf, 3), std::string(3, '\0'));
    }
}

TEST(BinaryFileTest, DeleteFileRemovesOrRaises)
{
    LegatoTest::TempDir dir;
    const std::string path = dir.write("gone", "x");
    Platform::DeleteFile(path);
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_THROW(Platform::DeleteFile(path), Platform::RuntimeError);
}

// The process's file-size limit leaves room for only part of the block: the
// write is refused before a byte lands, and SIGXFSZ does not end the process.
TEST(BinaryFileTest, BlockBeyondTheFileSizeLimitLeavesTheFileAsItWas)
{
    LegatoTest::TempDir dir;
    const std::string original(8163, 'a');
    const std::string path = dir.write("f.mp3", original);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const rlimit limit{8192, 8192};
        setrlimit(RLIMIT_FSIZE, &limit);
        const std::string block(128, 'T');
        try {
            BinaryFile file(path, BinaryFile::Access::ReadWrite);
            file.WriteBlockAt(8163, block.data(), block.size());
            _exit(1); // written past the limit
        } catch (const Platform::RuntimeError& e) {
            _exit(e.Number() == Platform::ErrPathFileAccess ? 0 : 2);
        }
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(LegatoTest::readAll(path), original);

    // Within the limit, a block that replaces bytes and one that grows the file both land whole.
    BinaryFile file(path, BinaryFile::Access::ReadWrite);
    file.WriteBlockAt(8160, "xyz!", 4);
    file.WriteBlockAt(8164, "end", 3);
    file.Close();
    EXPECT_EQ(LegatoTest::readAll(path), std::string(8160, 'a') + "xyz!end");
}
