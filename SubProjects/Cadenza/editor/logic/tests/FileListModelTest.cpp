#include "FileListModel.h"
#include "EditorTestFiles.h"

#include "Quaver/Tag.h"
#include "Quaver/TrailerCodec.h"
#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <gtest/gtest.h>
#include <sys/stat.h>

using LegatoTest::TempDir;

namespace {

// A file of audio stand-in bytes ending in a v1.1 tag with these fields.
std::string tagged(const TempDir& dir, const std::string& name, const std::string& title,
                   const std::string& artist, const std::string& year, std::int16_t track)
{
    Quaver::Tag tag;
    tag.setTitle(title);
    tag.setArtist(artist);
    tag.setYear(year);
    tag.setTrack(track);
    tag.setGenre(17);
    tag.setTagType(Quaver::ID3V11);
    const auto block = Quaver::TrailerCodec::Render(tag);
    return dir.write(name, std::string(500, 'a') + std::string(block.begin(), block.end()));
}

QString text(const QAbstractItemModel& model, int row, int column, int role = Qt::DisplayRole)
{
    return model.data(model.index(row, column), role).toString();
}

void waitLoaded(FileListModel& model)
{
    QSignalSpy finished(&model, &FileListModel::loadingFinished);
    if (model.loading()) {
        ASSERT_TRUE(finished.wait(10000));
    }
}

QStringList column(const QAbstractItemModel& model, int column)
{
    QStringList texts;
    for (int row = 0; row < model.rowCount(); ++row)
        texts << text(model, row, column);
    return texts;
}

} // namespace

TEST(FileListModel, RowsAppearAtOnceAndTheirTagsFillInTheBackground)
{
    TempDir dir;
    std::vector<std::string> paths;
    for (int i = 0; i < 300; ++i)
        paths.push_back(tagged(dir, "song" + std::to_string(i) + ".mp3", "Title " + std::to_string(i),
                               "Artist", "1999", static_cast<std::int16_t>(i % 255 + 1)));
    paths.push_back(EditorTest::writeUntagged(dir, "plain.mp3"));
    FileListModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);

    model.append(paths);
    model.append({paths[0]}); // already listed
    ASSERT_EQ(model.rowCount(), 301);
    EXPECT_EQ(text(model, 0, FileListModel::Name).toStdString(), paths[0]);
    EXPECT_TRUE(model.loading());

    waitLoaded(model);
    EXPECT_EQ(text(model, 7, FileListModel::Title), "Title 7");
    EXPECT_EQ(text(model, 7, FileListModel::Artist), "Artist");
    EXPECT_EQ(text(model, 7, FileListModel::Track), "08");
    EXPECT_EQ(text(model, 7, FileListModel::Year), "1999");
    EXPECT_EQ(text(model, 7, FileListModel::Genre), "Rock");
    EXPECT_EQ(text(model, 7, FileListModel::Type), "ID3v1.1");
    EXPECT_EQ(text(model, 300, FileListModel::Type), "No tag");
    EXPECT_EQ(text(model, 300, FileListModel::Title), "");
}

TEST(FileListModel, OfferedNamesAreSortedOutAndFoldersWalkedInTheBackground)
{
    TempDir dir;
    ASSERT_EQ(::mkdir(dir.file("sub").c_str(), 0700), 0);
    ASSERT_EQ(::mkdir(dir.file("sub/.hidden").c_str(), 0700), 0);
    ASSERT_EQ(::mkdir(dir.file("folder.mp3").c_str(), 0700), 0);
    const std::string listed = EditorTest::writeUntagged(dir, "a.mp3");
    const std::string below = EditorTest::writeUntagged(dir, "sub/b.MP3");
    const std::string text = EditorTest::writeUntagged(dir, "c.txt");
    EditorTest::writeUntagged(dir, "sub/.hidden/d.mp3");
    FileListModel model;
    QSignalSpy appended(&model, &FileListModel::filesAppended);
    model.append({listed});
    // As dropped: folders are left out, whatever their names.
    model.offer({dir.file("sub"), dir.file("folder.mp3"), text, listed}, false);
    waitLoaded(model);
    EXPECT_EQ(model.paths(), std::vector<std::string>{listed});
    // As added from the File menu: folders are walked, in the order offered.
    model.offer({dir.file("sub"), text, listed}, true);
    waitLoaded(model);
    EXPECT_EQ(model.paths(), (std::vector<std::string>{listed, below}));
    EXPECT_EQ(appended.count(), 2);
    EXPECT_EQ(model.data(model.index(1, FileListModel::Type)).toString(), "No tag");
}

TEST(FileListModel, FilesThatCannotBeReadAreMarkedWithTheReason)
{
    TempDir dir;
    const std::string folder = dir.file("folder.mp3");
    ASSERT_EQ(::mkdir(folder.c_str(), 0700), 0);
    // A pipe without a writer would block a plain open for ever.
    const std::string pipe = dir.file("pipe.mp3");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    FileListModel model;
    model.append({dir.file("gone.mp3"), folder, pipe});
    waitLoaded(model);

    for (int row = 0; row < 3; ++row) {
        EXPECT_EQ(model.data(model.index(row, 0), FileListModel::StateRole).toInt(),
                  static_cast<int>(FileListModel::LoadState::Unreadable));
        EXPECT_EQ(text(model, row, FileListModel::Type), "Unreadable");
    }
    EXPECT_EQ(text(model, 0, FileListModel::Title, Qt::ToolTipRole), "No such file or directory");
    EXPECT_EQ(text(model, 1, FileListModel::Name, Qt::ToolTipRole), "Not a regular file");
    EXPECT_EQ(text(model, 2, FileListModel::Name, Qt::ToolTipRole), "Not a regular file");
}

TEST(FileListModel, ClearingDropsReadsUnderWayAndRefreshReadsAgain)
{
    TempDir dir;
    std::vector<std::string> many;
    for (int i = 0; i < 200; ++i)
        many.push_back(tagged(dir, "old" + std::to_string(i) + ".mp3", "Old", "", "", 1));
    const std::string song = tagged(dir, "song.mp3", "Before", "", "", 1);
    FileListModel model;
    model.append(many);
    model.clear();
    model.append({song});
    waitLoaded(model);
    ASSERT_EQ(model.rowCount(), 1);
    EXPECT_EQ(text(model, 0, FileListModel::Title), "Before");

    tagged(dir, "song.mp3", "After", "", "", 1);
    model.refresh({song, dir.file("not-listed.mp3")});
    waitLoaded(model);
    EXPECT_EQ(text(model, 0, FileListModel::Title), "After");
}

TEST(FileListProxy, SortsTrackAndYearByNumberAndFiltersAnyColumnIgnoringCase)
{
    TempDir dir;
    FileListModel model;
    model.append({tagged(dir, "a.mp3", "Yesterday", "The Beatles", "2001", 10),
                  tagged(dir, "b.mp3", "Imagine", "Lennon", "800", 9),
                  tagged(dir, "c.mp3", "Help", "BEATLES", "1999", 2)});
    waitLoaded(model);
    FileListProxy shown;
    shown.setSourceModel(&model);
    QAbstractItemModelTester tester(&shown, QAbstractItemModelTester::FailureReportingMode::Fatal);

    EXPECT_EQ(column(shown, FileListModel::Title), QStringList({"Yesterday", "Imagine", "Help"}));
    shown.sort(FileListModel::Year);
    EXPECT_EQ(column(shown, FileListModel::Year), QStringList({"800", "1999", "2001"}));
    shown.sort(FileListModel::Track, Qt::DescendingOrder);
    EXPECT_EQ(column(shown, FileListModel::Track), QStringList({"10", "09", "02"}));
    shown.sort(FileListModel::Artist);
    EXPECT_EQ(column(shown, FileListModel::Artist), QStringList({"BEATLES", "Lennon", "The Beatles"}));

    shown.setFilterFixedString("beatles");
    EXPECT_EQ(column(shown, FileListModel::Title), QStringList({"Help", "Yesterday"}));
    shown.setFilterFixedString("b.mp3");
    EXPECT_EQ(column(shown, FileListModel::Title), QStringList({"Imagine"}));
}
