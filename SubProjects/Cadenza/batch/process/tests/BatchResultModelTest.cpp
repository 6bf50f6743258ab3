#include "BatchResultModel.h"
#include "BatchFixtures.h"
#include "BatchMessages.h"
#include "Id3v2Bytes.h"

#include "Platform/FileNameCodec.h"

#include <QAbstractItemModelTester>
#include <QElapsedTimer>
#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace BatchFixtures;
using Group = BatchOutcome::Group;

// Readable failure messages for texts.
void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace {

BatchOutcome Outcome(const std::string& root, const std::string& relative, Group group,
                     const QString& message)
{
    BatchOutcome outcome;
    outcome.FileName = root + relative;
    outcome.RelativeName = relative;
    outcome.Result = group;
    outcome.Message = message;
    return outcome;
}

QStringList Texts(const QAbstractItemModel& model, const QModelIndex& parent, int role = Qt::DisplayRole)
{
    QStringList texts;
    for (int row = 0; row < model.rowCount(parent); ++row)
        texts << model.index(row, 0, parent).data(role).toString();
    return texts;
}

} // namespace

TEST(BatchResultModel, ListsTheOutcomesUnderTheirGroupsWithMessagesAndImages)
{
    BatchResultModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    const QModelIndex ok = model.GroupIndex(Group::Ok);
    const QModelIndex error = model.GroupIndex(Group::Error);
    EXPECT_EQ(Texts(model, {}), (QStringList{"Ok", "Error"}));
    EXPECT_EQ(Texts(model, {}, BatchResultModel::KeyRole), (QStringList{"ok", "error"}));
    EXPECT_EQ(Texts(model, {}, BatchResultModel::ImageRole), (QStringList{"Ok", "Error"}));

    // A non-UTF-8 byte in a name, and a name not below the start folder.
    const std::string latin1 = "/music/caf\xE9.mp3";
    const QString shown = Platform::DecodeFileName(latin1);
    model.Start(Settings(1, true));
    model.Append(Outcome("/music/", "A - One.mp3", Group::Ok, BatchMessages::TestMode()));
    model.Append(Outcome("/music/", "NoMatch.mp3", Group::Error, BatchMessages::ParseError()));
    model.Append(Outcome("", latin1, Group::Ok, BatchMessages::TestMode()));
    model.Publish();

    EXPECT_EQ(Texts(model, {}), (QStringList{"Ok (2)", "Error (1)"}));
    EXPECT_EQ(Texts(model, ok), (QStringList{"A - One.mp3", shown}));
    EXPECT_EQ(Texts(model, ok, Qt::ToolTipRole), (QStringList{"/music/A - One.mp3", shown}));
    EXPECT_EQ(Texts(model, ok, BatchResultModel::ImageRole), (QStringList{"Ok", "Ok"}));
    EXPECT_EQ(Texts(model, error), QStringList{"NoMatch.mp3"});
    EXPECT_EQ(Texts(model, error, BatchResultModel::ImageRole), QStringList{"Error"});

    // A note shows in the tool tips of the file and of its message.
    BatchOutcome noted = Outcome("/music/", "B.mp3", Group::Ok, BatchMessages::TestMode());
    noted.Note = "The ID3v2.3 tag holds another title; players show it first.";
    model.Append(noted);
    model.Publish();
    const QModelIndex notedFile = model.index(2, 0, ok);
    EXPECT_EQ(notedFile.data(Qt::ToolTipRole).toString(), "/music/B.mp3\n" + noted.Note);
    EXPECT_EQ(model.index(0, 0, notedFile).data(Qt::ToolTipRole).toString(),
              BatchMessages::TestMode() + "\n" + noted.Note);
    EXPECT_EQ(notedFile.data(BatchResultModel::NoteRole).toString(), noted.Note);
    EXPECT_EQ(model.index(0, 0, ok).data(BatchResultModel::NoteRole).toString(), "");

    const QModelIndex file = model.index(0, 0, error);
    ASSERT_EQ(model.rowCount(file), 1);
    const QModelIndex message = model.index(0, 0, file);
    EXPECT_EQ(message.data().toString(), BatchMessages::ParseError());
    EXPECT_EQ(message.data(Qt::ToolTipRole).toString(), BatchMessages::ParseError());
    EXPECT_EQ(message.data(BatchResultModel::ImageRole).toString(), "Info");
    EXPECT_EQ(model.rowCount(message), 0);
    model.SetImage("Info", 42);
    EXPECT_EQ(message.data(Qt::DecorationRole), QVariant(42)) << "the picture handed in for its key";
    EXPECT_FALSE(file.data(Qt::DecorationRole).isValid());
    EXPECT_EQ(message.parent(), file);
    EXPECT_EQ(model.FileName(message), "/music/NoMatch.mp3");
    EXPECT_EQ(model.FileName(model.index(1, 0, ok)), latin1);
    EXPECT_EQ(model.index(1, 0, ok).data(BatchResultModel::FileNameRole).toByteArray().toStdString(), latin1);
    EXPECT_EQ(model.FileName(ok), "");

    model.Clear();
    EXPECT_EQ(Texts(model, {}), (QStringList{"Ok", "Error"}));
    EXPECT_EQ(model.rowCount(ok), 0);
}

TEST(BatchResultModel, NamesOfAnyLengthAndManyOutcomesKeepTheirBytes)
{
    BatchResultModel model;
    model.Start(Settings(1, true));
    // Longer than a chunk of the name store, then enough names to fill
    // several chunks.
    const std::string longName = std::string(300 * 1024, 'x') + ".mp3";
    model.Append(Outcome("/r/", longName, Group::Error, BatchMessages::ParseError()));
    constexpr int Files = 5000;
    const auto name = [](int i) {
        return "Artist " + std::to_string(i) + " - Title " + std::to_string(i) + ".mp3";
    };
    for (int i = 0; i < Files; ++i)
        model.Append(Outcome("/r/", name(i), Group::Ok, BatchMessages::TestMode()));
    model.Publish();
    const QModelIndex ok = model.GroupIndex(Group::Ok);
    ASSERT_EQ(model.rowCount(ok), Files);
    for (const int i : {0, 1, 2345, Files - 1})
        EXPECT_EQ(model.index(i, 0, ok).data().toString().toStdString(), name(i));
    EXPECT_EQ(model.index(0, 0, model.GroupIndex(Group::Error)).data().toString().toStdString(), longName);
}

TEST(BatchResultModel, OutcomesEnterTheTreeInBatches)
{
    BatchResultModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    QElapsedTimer clock;
    clock.start();
    model.Start(Settings(1, true));
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    const QModelIndex ok = model.GroupIndex(Group::Ok);
    for (int i = 0; i < BatchResultModel::BatchSize - 1; ++i)
        model.Append(Outcome("/r/", std::to_string(i) + ".mp3", Group::Ok, BatchMessages::TestMode()));
    if (clock.elapsed() < BatchResultModel::BatchMilliseconds) {
        EXPECT_EQ(model.rowCount(ok), 0) << "waiting for the batch";
        EXPECT_EQ(inserted.count(), 0);
        EXPECT_EQ(model.index(0, 0).data().toString(), "Ok") << "no count before the first batch";
    }
    model.Append(Outcome("/r/", "last.mp3", Group::Ok, BatchMessages::TestMode()));
    EXPECT_EQ(model.rowCount(ok), BatchResultModel::BatchSize);
    if (clock.elapsed() < BatchResultModel::BatchMilliseconds) {
        EXPECT_EQ(inserted.count(), 1) << "one insertion for the whole batch";
    }
    EXPECT_EQ(model.index(0, 0).data().toString(),
              QStringLiteral("Ok (%1)").arg(BatchResultModel::BatchSize));

    // Publish shows the rest at once, and an empty run still shows its counts.
    model.Append(Outcome("/r/", "late.mp3", Group::Error, BatchMessages::ParseError()));
    model.Publish();
    EXPECT_EQ(model.rowCount(model.GroupIndex(Group::Error)), 1);
    model.Start(Settings(1, true));
    model.Publish();
    EXPECT_EQ(Texts(model, {}), (QStringList{"Ok (0)", "Error (0)"}));
}

TEST(BatchResultModel, AGroupShowsAWindowOfRowsAndFetchesTheRestOnDemand)
{
    BatchResultModel model;
    model.Start(Settings(1, true));
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    constexpr int Files = BatchResultModel::WindowRows + 10;
    for (int i = 0; i < Files; ++i)
        model.Append(Outcome("/r/", std::to_string(i) + ".mp3", Group::Ok, BatchMessages::TestMode()));
    model.Publish();
    const QModelIndex ok = model.GroupIndex(Group::Ok);
    EXPECT_EQ(model.rowCount(ok), BatchResultModel::WindowRows);
    EXPECT_EQ(model.Count(Group::Ok), Files);
    EXPECT_EQ(ok.data().toString(), QStringLiteral("Ok (%1)").arg(Files)) << "the caption counts every file";
    ASSERT_TRUE(model.HasMore(ok));
    EXPECT_FALSE(model.HasMore(model.GroupIndex(Group::Error)));
    inserted.clear();
    model.ShowMore(ok);
    ASSERT_EQ(inserted.count(), 1);
    EXPECT_EQ(inserted[0][1].toInt(), BatchResultModel::WindowRows);
    EXPECT_EQ(inserted[0][2].toInt(), Files - 1);
    EXPECT_EQ(model.rowCount(ok), Files);
    EXPECT_FALSE(model.HasMore(ok));
    EXPECT_EQ(model.index(Files - 1, 0, ok).data().toString(), QString::number(Files - 1) + ".mp3");
}

TEST(BatchResultModel, ThePreviewShowsTheTagTheRunDerivedAndTheFilesOwn)
{
    LegatoTest::TempDir dir;
    const std::string root = dir.path() + "/";
    dir.write("Artist - Title.mp3", LegatoTest::Id3v23({{"TIT2", "Front"}}) + Audio() + Trailer("Old Title"));
    dir.write("NoMatch.mp3", Audio());
    auto defaults = std::make_shared<Quaver::Tag>();
    defaults->setComment("from default");

    BatchResultModel model;
    model.Start(Settings(1, true, false, defaults));
    model.Append(Outcome(root, "Artist - Title.mp3", Group::Ok, BatchMessages::TestMode()));
    model.Append(Outcome(root, "NoMatch.mp3", Group::Error, BatchMessages::ParseError()));
    model.Publish();

    const QModelIndex tagged = model.index(0, 0, model.GroupIndex(Group::Ok));
    for (const QModelIndex& node : {tagged, model.index(0, 0, tagged)}) {
        const BatchPreview preview = model.Preview(node);
        ASSERT_NE(preview.NewTag, nullptr);
        EXPECT_EQ(preview.NewTag->Artist(), "Artist");
        EXPECT_EQ(preview.NewTag->Title(), "Title");
        EXPECT_EQ(preview.NewTag->Comment(), "from default");
        ASSERT_NE(preview.OldTag, nullptr);
        EXPECT_EQ(preview.OldTag->Title(), "Old Title");
        ASSERT_EQ(preview.Others.size(), 1u);
        EXPECT_EQ(preview.Others[0].Values.Title, "Front");
    }
    // A name that did not fit still previews what it gives; no tag, no old one.
    const BatchPreview failed = model.Preview(model.index(0, 0, model.GroupIndex(Group::Error)));
    ASSERT_NE(failed.NewTag, nullptr);
    EXPECT_EQ(failed.OldTag, nullptr);
    EXPECT_EQ(failed.NewTag->Comment(), "from default");
    // Group nodes preview nothing.
    EXPECT_EQ(model.Preview(model.GroupIndex(Group::Ok)).NewTag, nullptr);
    EXPECT_EQ(model.Preview({}).NewTag, nullptr);
}
