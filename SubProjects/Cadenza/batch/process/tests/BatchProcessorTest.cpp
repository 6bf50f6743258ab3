#include "BatchProcessor.h"
#include "BatchFixtures.h"
#include "BatchMessages.h"
#include "Id3v2Bytes.h"

#include "Quaver/FileHandler.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <fstream>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace BatchFixtures;
using BatchProcessor::ProcessFile;
using Group = BatchOutcome::Group;
using LegatoTest::readAll;

namespace {

// Makes a file read-only for the length of a test: by its mode, or for root,
// whom modes do not stop, by the file system's immutable flag.
class ReadOnly
{
public:
    explicit ReadOnly(const std::string& path) : m_path(path)
    {
        if (geteuid() != 0) {
            m_ok = chmod(path.c_str(), 0444) == 0;
            return;
        }
        const int fd = open(path.c_str(), O_RDONLY);
        int flags = 0;
        if (fd >= 0 && ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) {
            flags |= FS_IMMUTABLE_FL;
            m_immutable = m_ok = ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        }
        if (fd >= 0)
            close(fd);
    }
    ~ReadOnly()
    {
        if (!m_immutable)
            return;
        const int fd = open(m_path.c_str(), O_RDONLY);
        int flags = 0;
        if (fd >= 0 && ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) {
            flags &= ~FS_IMMUTABLE_FL;
            ioctl(fd, FS_IOC_SETFLAGS, &flags);
        }
        if (fd >= 0)
            close(fd);
    }
    explicit operator bool() const { return m_ok; }

private:
    std::string m_path;
    bool m_ok = false;
    bool m_immutable = false;
};

Quaver::TagPtr ReadBack(const std::string& path)
{
    Quaver::FileHandler handler;
    handler.setFileName(path);
    if (handler.ReadTag() == Quaver::ID3Unknown)
        return nullptr;
    return handler.ID3v1xTag();
}

} // namespace

TEST(BatchProcessor, TestModeDerivesTheTagButWritesNothing)
{
    LegatoTest::TempDir dir;
    const std::string file = dir.write("Artist - Album - 07.Title.mp3", Audio());
    const BatchOutcome outcome = ProcessFile(Settings(0, true), file);
    EXPECT_EQ(outcome.Result, Group::Ok);
    EXPECT_EQ(outcome.Message, "Testmode: Don't write Tag.");
    EXPECT_EQ(outcome.FileName, file);
    ASSERT_TRUE(outcome.NewTag);
    EXPECT_EQ(outcome.NewTag->Artist(), "Artist");
    EXPECT_EQ(outcome.NewTag->Album(), "Album");
    EXPECT_EQ(outcome.NewTag->Track(), 7);
    EXPECT_EQ(outcome.NewTag->Title(), "Title");
    EXPECT_EQ(outcome.NewTag->TagType(), Quaver::ID3V11);
    EXPECT_EQ(readAll(file), Audio());
}

TEST(BatchProcessor, WritesANewTagAfterTheAudio)
{
    LegatoTest::TempDir dir;
    const std::string file = dir.write("Artist - Album - 07.Title.mp3", Audio());
    auto defaults = std::make_shared<Quaver::Tag>();
    defaults->setYear("2001");
    defaults->setGenre(17);
    const BatchOutcome outcome = ProcessFile(Settings(0, false, false, defaults), file);
    EXPECT_EQ(outcome.Result, Group::Ok);
    EXPECT_EQ(outcome.Message, "New Tag.");
    const std::string bytes = readAll(file);
    ASSERT_EQ(bytes.size(), Audio().size() + 128);
    EXPECT_EQ(bytes.substr(0, Audio().size()), Audio());
    const auto tag = ReadBack(file);
    ASSERT_TRUE(tag);
    EXPECT_EQ(tag->Artist(), "Artist");
    EXPECT_EQ(tag->Title(), "Title");
    EXPECT_EQ(tag->Track(), 7);
    EXPECT_EQ(tag->Year(), "2001");
    EXPECT_EQ(tag->Genre(), 17);
}

TEST(BatchProcessor, TheSourceId3v2TakesTheFieldsFromTheFrontTag)
{
    LegatoTest::TempDir dir;
    const std::string tagged =
        dir.write("x.mp3", LegatoTest::Id3v23({{"TIT2", "From front"}, {"TRCK", "4"}}) + Audio());
    const std::string plain = dir.write("y.mp3", Audio());
    auto defaults = std::make_shared<Quaver::Tag>();
    defaults->setArtist("Default artist");
    BatchSettings settings = Settings(0, false, false, defaults);
    settings.FromId3v2 = true;
    const BatchOutcome outcome = ProcessFile(settings, tagged);
    EXPECT_EQ(outcome.Result, Group::Ok);
    const auto tag = ReadBack(tagged);
    ASSERT_TRUE(tag);
    EXPECT_EQ(tag->Title(), "From front");
    EXPECT_EQ(tag->Artist(), "Default artist");
    EXPECT_EQ(tag->Track(), 4);

    const BatchOutcome missing = ProcessFile(settings, plain);
    EXPECT_EQ(missing.Result, Group::Error);
    EXPECT_EQ(missing.Message, "No ID3v2 tag.");
    EXPECT_EQ(readAll(plain), Audio());
}

TEST(BatchProcessor, AnExistingTagIsKeptUnlessOverwriteIsOn)
{
    LegatoTest::TempDir dir;
    const std::string original = Audio() + Trailer("Old");
    const std::string file = dir.write("Artist - New.mp3", original);

    BatchOutcome outcome = ProcessFile(Settings(1, false, false), file);
    EXPECT_EQ(outcome.Result, Group::Ok);
    EXPECT_EQ(outcome.Message, "A Tag exists: Tag not overwritten.");
    EXPECT_EQ(readAll(file), original);

    outcome = ProcessFile(Settings(1, false, true), file);
    EXPECT_EQ(outcome.Result, Group::Ok);
    EXPECT_EQ(outcome.Message, "Overwrite Tag.");
    EXPECT_EQ(readAll(file).size(), original.size())
        << "the old trailer is replaced, not followed by a new one";
    ASSERT_TRUE(ReadBack(file));
    EXPECT_EQ(ReadBack(file)->Title(), "New");
}

TEST(BatchProcessor, APatternWithoutTrackWritesAVersionOneZeroTag)
{
    LegatoTest::TempDir dir;
    const std::string file = dir.write("Artist - Title.mp3", Audio());
    const BatchOutcome outcome = ProcessFile(Settings(1, false), file);
    EXPECT_EQ(outcome.Message, "New Tag.");
    const auto tag = ReadBack(file);
    ASSERT_TRUE(tag);
    EXPECT_EQ(tag->TagType(), Quaver::ID3V1);
    EXPECT_EQ(tag->Track(), 0);
    EXPECT_EQ(tag->Artist(), "Artist");
    EXPECT_EQ(tag->Title(), "Title");
}

TEST(BatchProcessor, NamesThatDoNotFitAreErrorsAndNeverWritten)
{
    LegatoTest::TempDir dir;
    for (const char* name :
         {"A - B.mp3", "Artist - Album - 7a.Title.mp3", "Artist - Album - 70000.Title.mp3"}) {
        SCOPED_TRACE(name);
        const std::string file = dir.write(name, Audio());
        const BatchOutcome outcome = ProcessFile(Settings(0, false, true), file);
        EXPECT_EQ(outcome.Result, Group::Error);
        EXPECT_EQ(outcome.Message, "Parsing error: Filename doesn't match with the format.");
        EXPECT_FALSE(outcome.NewTag);
        EXPECT_EQ(readAll(file), Audio());
    }
}

TEST(BatchProcessor, AFailedWriteIsAnErrorWithTheLibrarysLineAndKeepsTheFile)
{
    LegatoTest::TempDir dir;
    // A track the trailer cannot hold: the library refuses before writing.
    const std::string file = dir.write("Artist - Album - 300.Title.mp3", Audio());
    const BatchOutcome outcome = ProcessFile(Settings(0, false), file);
    EXPECT_EQ(outcome.Result, Group::Error);
    EXPECT_TRUE(outcome.Message.startsWith("New Tag. - 6, ")) << outcome.Message.toStdString();
    EXPECT_EQ(readAll(file), Audio());
}

TEST(BatchProcessor, AFileThatVanishedIsAnError)
{
    LegatoTest::TempDir dir;
    const BatchOutcome outcome = ProcessFile(Settings(1, false), dir.file("Gone - Away.mp3"));
    EXPECT_EQ(outcome.Result, Group::Error);
    EXPECT_EQ(outcome.Message, "New Tag. - 0, Write Tag, File does not exist.");
}

TEST(BatchProcessor, AReadOnlyFileIsAnErrorAndUnchanged)
{
    LegatoTest::TempDir dir;
    const std::string file = dir.write("Artist - Title.mp3", Audio());
    ReadOnly readOnly(file);
    if (!readOnly)
        GTEST_SKIP() << "cannot make a file read-only for this user";
    const BatchOutcome outcome = ProcessFile(Settings(1, false), file);
    EXPECT_EQ(outcome.Result, Group::Error);
    EXPECT_TRUE(outcome.Message.startsWith("New Tag. - 70, ")) << outcome.Message.toStdString();
    EXPECT_EQ(readAll(file), Audio());
}

TEST(BatchProcessor, NamesThatAreNotUtf8AreWrittenToTheRightFile)
{
    LegatoTest::TempDir dir;
    const std::string file = dir.write("Art\xE9 - Title.mp3", Audio());
    const BatchOutcome outcome = ProcessFile(Settings(1, false), file);
    EXPECT_EQ(outcome.Message, "New Tag.");
    EXPECT_EQ(readAll(file).size(), Audio().size() + 128);
    ASSERT_TRUE(ReadBack(file));
    EXPECT_EQ(ReadBack(file)->Title(), "Title");
    EXPECT_EQ(ReadBack(file)->Artist(), "Art\xC3\xA9")
        << "the name's Latin-1 byte is its Windows-1252 character";
}

TEST(BatchProcessor, OnlyRegularFilesAndVanishedNamesAreProcessed)
{
    LegatoTest::TempDir dir;
    EXPECT_TRUE(BatchProcessor::IsProcessable(dir.write("a.mp3", Audio())));
    EXPECT_TRUE(BatchProcessor::IsProcessable(dir.file("missing.mp3")));
    ASSERT_EQ(mkdir(dir.file("folder.mp3").c_str(), 0755), 0);
    EXPECT_FALSE(BatchProcessor::IsProcessable(dir.file("folder.mp3")));
    ASSERT_EQ(mkfifo(dir.file("pipe.mp3").c_str(), 0644), 0);
    EXPECT_FALSE(BatchProcessor::IsProcessable(dir.file("pipe.mp3")));
}

TEST(BatchProcessor, AnId3v2TagThatDiffersFromTheNewTagIsNoted)
{
    LegatoTest::TempDir dir;
    const std::string front = LegatoTest::Id3v23({{"TIT2", "Other title"}, {"TPE1", "Artist"}});
    const std::string differs = dir.write("Artist - Title.mp3", front + Audio());
    const std::string agrees = dir.write("Artist - Other title.mp3", front + Audio());
    const std::string kept = dir.write("Artist - New.mp3", front + Audio() + Trailer("Kept"));
    BatchSettings settings = Settings(1, true);
    EXPECT_EQ(ProcessFile(settings, differs).Note, "") << "only when asked for";
    settings.NoteId3v2 = true;
    EXPECT_EQ(ProcessFile(settings, differs).Note,
              "The ID3v2.3 tag holds another title; players show it first.");
    EXPECT_EQ(ProcessFile(settings, differs, false).Note, "") << "its bytes showed no other tag";
    EXPECT_EQ(ProcessFile(settings, agrees).Note, "");
    EXPECT_NE(ProcessFile(settings, kept).Note, "");

    // A write notes it too, unless it brings the ID3v2 tag in step or writes nothing.
    settings.TestMode = false;
    EXPECT_EQ(ProcessFile(settings, kept).Note, "") << "the existing tag is kept";
    settings.AlsoId3v2 = OtherTags::Id3v2Sync::Update;
    EXPECT_EQ(ProcessFile(settings, differs).Note, "");
    settings.AlsoId3v2 = OtherTags::Id3v2Sync::Off;
    dir.write("Artist - Title.mp3", front + Audio());
    const BatchOutcome written = ProcessFile(settings, differs);
    EXPECT_EQ(written.Message, BatchMessages::NewTag());
    EXPECT_EQ(written.Note, "The ID3v2.3 tag holds another title; players show it first.");
}

namespace {

// A file as the read-ahead hands it over: open, looked at, and its end read.
BatchProcessor::OpenedFile Opened(const std::string& path, bool writable)
{
    BatchProcessor::OpenedFile opened;
    opened.Writable = writable;
    opened.File =
        std::make_unique<Platform::BinaryFile>(::open(path.c_str(), writable ? O_RDWR : O_RDONLY), "test");
    fstat(opened.File->Descriptor(), &opened.Status);
    const std::string bytes = readAll(path);
    opened.End = bytes.substr(bytes.size() - std::min<std::size_t>(bytes.size(), 355));
    return opened;
}

} // namespace

TEST(BatchProcessor, AFileHandedOverOpenIsWrittenAtItsEndAsItIsThen)
{
    LegatoTest::TempDir dir;
    const auto sizeLimit = std::optional<std::uint64_t>{};
    // Writable and untouched: written, with the end it was handed.
    const std::string file = dir.write("Artist - Title.mp3", Audio());
    BatchProcessor::OpenedFile opened = Opened(file, true);
    BatchProcessor::PreparedFile prepared =
        BatchProcessor::PrepareFile(Settings(1, false), file, true, false, &opened);
    ASSERT_TRUE(prepared.Write);
    EXPECT_EQ(prepared.Before.size, static_cast<std::int64_t>(Audio().size()));
    EXPECT_EQ(CompleteFile(prepared, sizeLimit).Result, Group::Ok);
    ASSERT_TRUE(ReadBack(file));
    EXPECT_EQ(ReadBack(file)->Artist(), "Artist");

    // Read-only, or changed since its end was read (audio appended): the
    // trailer goes by name to the file's end as it is then.
    for (const bool writable : {false, true}) {
        const std::string other = dir.write("Other - Title.mp3", Audio());
        opened = Opened(other, writable);
        prepared = BatchProcessor::PrepareFile(Settings(1, false), other, true, false, &opened);
        ASSERT_TRUE(prepared.Write);
        {
            std::ofstream append(other, std::ios::binary | std::ios::app);
            append << Audio();
        }
        EXPECT_EQ(CompleteFile(prepared, sizeLimit).Result, Group::Ok);
        EXPECT_EQ(readAll(other).size(), 2 * Audio().size() + 128) << writable;
        ASSERT_TRUE(ReadBack(other));
        EXPECT_EQ(ReadBack(other)->Artist(), "Other");
    }
}

TEST(BatchProcessor, AFileChangedBetweenItsLookAndItsWriteIsWrittenAsItIsThen)
{
    LegatoTest::TempDir dir;
    const std::string file = dir.write("Artist - Title.mp3", Audio());
    const auto sizeLimit = std::optional<std::uint64_t>{};
    // Untouched: written through the descriptor kept open since the look,
    // and the journal learns the time the write left.
    BatchProcessor::WriteTime written;
    BatchProcessor::PreparedFile untouched = BatchProcessor::PrepareFile(Settings(1, false), file);
    BatchOutcome outcome = CompleteFile(untouched, sizeLimit, &written);
    EXPECT_EQ(outcome.Message, "New Tag.");
    struct stat info
    {
    };
    ASSERT_EQ(stat(file.c_str(), &info), 0);
    EXPECT_TRUE(written.Known);
    EXPECT_EQ(written.Seconds, info.st_mtim.tv_sec);
    EXPECT_EQ(written.Nanoseconds, info.st_mtim.tv_nsec);

    // Another program adds audio in between: the write goes by name and
    // appends the trailer to the file as it is then, not at the old end.
    const std::string other = dir.write("Other - Title.mp3", Audio());
    BatchProcessor::PreparedFile prepared = BatchProcessor::PrepareFile(Settings(1, false), other);
    ASSERT_TRUE(prepared.Write);
    {
        std::ofstream append(other, std::ios::binary | std::ios::app);
        append << Audio();
    }
    outcome = CompleteFile(prepared, sizeLimit);
    EXPECT_EQ(outcome.Result, Group::Ok);
    EXPECT_EQ(readAll(other).substr(0, 2 * Audio().size()), Audio() + Audio());
    ASSERT_TRUE(ReadBack(other));
    EXPECT_EQ(ReadBack(other)->Artist(), "Other");
}
