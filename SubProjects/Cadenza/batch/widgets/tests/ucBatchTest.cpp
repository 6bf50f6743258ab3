#include "ucBatch.h"
#include "BatchImages.h"
#include "BatchMessages.h"
#include "BatchResultModel.h"
#include "Id3v2Bytes.h"
#include "OtherTagsView.h"

#include "Platform/MessageBox.h"
#include "Platform/RuntimeError.h"
#include "Quaver/FileHandler.h"
#include "TempDir.h"
#include "ucID3v1xTag.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <gtest/gtest.h>

#include <sys/stat.h>

using LegatoTest::readAll;

// Readable failure messages for texts.
void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace {

std::string Audio()
{
    return std::string(1000, '\x55');
}

// "A - One.mp3" and, in the folder "sub", the second name.
void WriteTwoFiles(const LegatoTest::TempDir& dir, const std::string& second = "B - Two.mp3")
{
    dir.write("A - One.mp3", Audio());
    mkdir(dir.file("sub").c_str(), 0755);
    dir.write("sub/" + second, Audio());
}

std::string Trailer(const std::string& title, const std::string& artist)
{
    std::string t(128, '\0');
    t.replace(0, 3, "TAG");
    t.replace(3, title.size(), title);
    t.replace(33, artist.size(), artist);
    t[127] = static_cast<char>(17);
    return t;
}

// The panel as a user finds it: shown (which resets it) with its controls.
struct Panel
{
    Panel()
    {
        panel.show();
        path = panel.findChild<QLineEdit*>("txtPath");
        format = panel.findChild<QComboBox*>("cmbFormat");
        overwrite = panel.findChild<QCheckBox*>("chkOverwrite");
        testMode = panel.findChild<QCheckBox*>("chkTestMode");
        process = panel.findChild<QPushButton*>("cmdOk");
        choose = panel.findChild<QPushButton*>("cmdChoosePath");
        tree = panel.findChild<QTreeView*>("trvFiles");
        newTag = panel.findChild<ucID3v1xTag*>("ucNewTag");
        oldTag = panel.findChild<ucID3v1xTag*>("ucOldTag");
        defaultTag = panel.findChild<ucID3v1xTag*>("ucDefaultTag");
        QObject::connect(&panel, &ucBatch::ShowMessage, [this](const QString& m) {
            messages << m;
            if (m.contains(" - Searching "))
                stopDuringRun = stopDuringRun && process->isEnabled() && process->text() == "&Stop" &&
                                !testMode->isEnabled();
        });
    }

    QString Field(ucID3v1xTag* tag, const char* name) const
    {
        return tag->findChild<QLineEdit*>(name)->text();
    }

    // The file nodes under a group, and their texts.
    QModelIndex File(const QString& key, int row) const
    {
        return tree->model()->index(row, 0, panel.GroupNode(key));
    }
    QStringList Children(const QString& key) const
    {
        QStringList texts;
        for (int row = 0; row < tree->model()->rowCount(panel.GroupNode(key)); ++row)
            texts << File(key, row).data().toString();
        return texts;
    }
    // The message node under a file node.
    QModelIndex Message(const QModelIndex& file) const { return tree->model()->index(0, 0, file); }

    ucBatch panel;
    QLineEdit* path;
    QComboBox* format;
    QCheckBox* overwrite;
    QCheckBox* testMode;
    QPushButton* process;
    QPushButton* choose;
    QTreeView* tree;
    ucID3v1xTag* newTag;
    ucID3v1xTag* oldTag;
    ucID3v1xTag* defaultTag;
    QStringList messages;
    bool stopDuringRun = true;
};

bool SameImage(const QModelIndex& node, const QString& key)
{
    return qvariant_cast<QIcon>(node.data(Qt::DecorationRole)).cacheKey() ==
           BatchImages::Image(key).cacheKey();
}

} // namespace

TEST(ucBatch, PanelContract)
{
    ucBatch panel;
    EXPECT_EQ(panel.objectName(), "ucBatch");
    EXPECT_EQ(panel.Key(), "ucBatch");
    EXPECT_EQ(panel.AppImageKey(), "ucBatch");
    EXPECT_EQ(panel.AppNodeText(), "Batch processing");
    EXPECT_EQ(panel.AppTitle(), "Batch processing");
    EXPECT_TRUE(panel.HasImage());
    EXPECT_FALSE(panel.SupportsResize());
    ASSERT_NE(panel.AppImage(), nullptr);
    EXPECT_FALSE(panel.AppImage()->pixmap().isNull());
    try {
        panel.ShowInMenu();
        ADD_FAILURE() << "ShowInMenu is not provided";
    } catch (const Platform::RuntimeError& e) {
        EXPECT_EQ(e.Number(), Platform::ErrNotImplemented);
    }
}

TEST(ucBatch, ControlsCarryTheirCaptions)
{
    Panel p;
    EXPECT_EQ(p.overwrite->text(), "Overwrite exsisting tag");
    EXPECT_EQ(p.testMode->text(), "Test mode");
    EXPECT_EQ(p.process->text(), "&Process");
    EXPECT_EQ(p.choose->text(), "...");
    EXPECT_EQ(p.choose->toolTip(), "Choose path");
    EXPECT_TRUE(p.choose->isEnabled());
    EXPECT_EQ(p.path->toolTip(), "Drag and drop a file from the directory you want to parse.");
    auto* tabs = p.panel.findChild<QTabWidget*>();
    ASSERT_NE(tabs, nullptr);
    EXPECT_EQ(tabs->tabText(0), "Original Tag");
    EXPECT_EQ(tabs->tabText(1), "Default Tag");
    EXPECT_EQ(p.oldTag->parentWidget(), tabs->widget(0));
    EXPECT_EQ(p.defaultTag->parentWidget(), tabs->widget(1));
    EXPECT_EQ(p.panel.minimumSize(), p.panel.maximumSize()) << "the panel keeps its designed size";
}

TEST(ucBatch, ShowingThePanelResetsPathSwitchesFormatsAndTree)
{
    Panel p;
    EXPECT_EQ(p.path->text(), QCoreApplication::applicationDirPath());
    EXPECT_TRUE(p.testMode->isChecked());
    EXPECT_FALSE(p.overwrite->isChecked());
    EXPECT_TRUE(p.defaultTag->Enabled());
    ASSERT_EQ(p.format->count(), 3);
    EXPECT_EQ(p.format->currentIndex(), 0);
    EXPECT_EQ(p.format->itemText(1), "#AR# - #TI#");
    const QAbstractItemModel* tree = p.tree->model();
    ASSERT_EQ(tree->rowCount(), 2);
    EXPECT_EQ(tree->index(0, 0), p.panel.GroupNode("ok"));
    EXPECT_EQ(tree->index(0, 0).data().toString(), "Ok");
    EXPECT_TRUE(SameImage(tree->index(0, 0), "Ok"));
    EXPECT_EQ(tree->index(1, 0), p.panel.GroupNode("error"));
    EXPECT_EQ(tree->index(1, 0).data().toString(), "Error");
    EXPECT_TRUE(SameImage(tree->index(1, 0), "Error"));

    p.path->setText("/elsewhere");
    p.testMode->setChecked(false);
    p.overwrite->setChecked(true);
    p.format->setCurrentIndex(2);
    p.panel.hide();
    p.panel.show();
    EXPECT_EQ(p.path->text(), QCoreApplication::applicationDirPath());
    EXPECT_TRUE(p.testMode->isChecked());
    EXPECT_FALSE(p.overwrite->isChecked());
    EXPECT_EQ(p.format->count(), 3);
    EXPECT_EQ(p.format->currentIndex(), 0);
}

TEST(ucBatch, ATestModeRunListsEveryFileUnderOkAndWritesNothing)
{
    LegatoTest::TempDir dir;
    WriteTwoFiles(dir, "B - Two.MP3");
    Panel p;
    p.path->setText(QString::fromStdString(dir.path()));
    p.format->setCurrentIndex(1);

    p.process->click();

    EXPECT_EQ(p.Children("ok"), (QStringList{"A - One.mp3", "sub/B - Two.MP3"}))
        << "named below the chosen folder";
    EXPECT_TRUE(p.Children("error").isEmpty());
    const QModelIndex ok = p.panel.GroupNode("ok");
    EXPECT_EQ(ok.data().toString(), "Ok (2)");
    EXPECT_EQ(p.panel.GroupNode("error").data().toString(), "Error (0)");
    EXPECT_EQ(p.File("ok", 1).data(Qt::ToolTipRole).toString(),
              QString::fromStdString(dir.file("sub/B - Two.MP3")));
    EXPECT_TRUE(p.tree->isExpanded(ok));
    EXPECT_TRUE(p.tree->isExpanded(p.panel.GroupNode("error")));
    for (int i = 0; i < 2; ++i) {
        const QModelIndex file = p.File("ok", i);
        EXPECT_TRUE(SameImage(file, "Ok"));
        ASSERT_EQ(p.tree->model()->rowCount(file), 1);
        EXPECT_EQ(p.Message(file).data().toString(), "Testmode: Don't write Tag.");
        EXPECT_TRUE(SameImage(p.Message(file), "Info"));
    }
    EXPECT_EQ(readAll(dir.file("A - One.mp3")), Audio());
    EXPECT_EQ(readAll(dir.file("sub/B - Two.MP3")), Audio());

    ASSERT_GE(p.messages.size(), 3);
    EXPECT_EQ(p.messages.first(), "Please wait...");
    EXPECT_TRUE(p.messages.contains("1 file: 1 Ok, 0 Error - Searching " +
                                    QString::fromStdString(dir.path()) + "/sub/"));
    EXPECT_EQ(p.messages.last(), "");
    EXPECT_TRUE(p.stopDuringRun) << "the button stops and test mode is disabled while the run goes on";
    EXPECT_EQ(p.process->text(), "&Process");
    EXPECT_TRUE(p.process->isEnabled());
    EXPECT_TRUE(p.testMode->isEnabled());
}

TEST(ucBatch, AWritingRunSortsFilesIntoOkAndError)
{
    LegatoTest::TempDir dir;
    dir.write("Artist - Album - 01.Title.mp3", Audio());
    dir.write("NoMatch.mp3", Audio());
    dir.write("Tagged - Album - 02.Song.mp3", Audio() + Trailer("Old", "Someone"));
    Panel p;
    p.path->setText(QString::fromStdString(dir.path()) + "/");
    p.testMode->setChecked(false);
    p.defaultTag->findChild<QLineEdit*>("txtYear")->setText("1999");

    p.process->click();

    ASSERT_EQ(p.Children("error"), QStringList{"NoMatch.mp3"});
    EXPECT_EQ(p.Message(p.File("error", 0)).data().toString(),
              "Parsing error: Filename doesn't match with the format.");
    EXPECT_TRUE(SameImage(p.File("error", 0), "Error"));
    ASSERT_EQ(p.Children("ok").size(), 2);
    QStringList messages;
    for (int i = 0; i < 2; ++i)
        messages << p.Message(p.File("ok", i)).data().toString();
    messages.sort();
    EXPECT_EQ(messages, (QStringList{"A Tag exists: Tag not overwritten.", "New Tag."}));

    Quaver::FileHandler handler;
    handler.setFileName(dir.file("Artist - Album - 01.Title.mp3"));
    ASSERT_EQ(handler.ReadTag(), Quaver::ID3V11);
    EXPECT_EQ(handler.ID3v1xTag()->Year(), "1999");
    EXPECT_EQ(handler.ID3v1xTag()->Track(), 1);
    EXPECT_EQ(readAll(dir.file("NoMatch.mp3")), Audio());
}

TEST(ucBatch, ClickingAFileShowsTheTagTheRunDerivedBesideTheFilesOwn)
{
    LegatoTest::TempDir dir;
    dir.write("Artist - Album - 03.Title.mp3", Audio() + Trailer("Old Title", "Old Artist"));
    dir.write("Other - Album - 04.Song.mp3", Audio());
    Panel p;
    p.path->setText(QString::fromStdString(dir.path()));
    p.defaultTag->findChild<QLineEdit*>("txtComment")->setText("from default");
    p.process->click();
    // What the run used counts, not what the panel shows now.
    p.defaultTag->findChild<QLineEdit*>("txtComment")->setText("edited later");
    p.format->setCurrentIndex(1);

    ASSERT_EQ(p.Children("ok").size(), 2);
    const bool firstTagged = p.Children("ok").first().contains("Artist - ");
    const QModelIndex tagged = p.File("ok", firstTagged ? 0 : 1);
    const QModelIndex untagged = p.File("ok", firstTagged ? 1 : 0);

    p.tree->setCurrentIndex(tagged);
    EXPECT_EQ(p.Field(p.newTag, "txtArtist"), "Artist");
    EXPECT_EQ(p.Field(p.newTag, "txtTrack"), "03");
    EXPECT_EQ(p.Field(p.newTag, "txtComment"), "from default");
    EXPECT_EQ(p.Field(p.oldTag, "txtTitle"), "Old Title");
    EXPECT_EQ(p.Field(p.oldTag, "txtArtist"), "Old Artist");

    // The group nodes change nothing.
    p.panel.PreviewItem(p.panel.GroupNode("ok"));
    p.panel.PreviewItem(p.panel.GroupNode("error"));
    EXPECT_EQ(p.Field(p.newTag, "txtArtist"), "Artist");
    EXPECT_EQ(p.Field(p.oldTag, "txtTitle"), "Old Title");

    // A message node previews the file it belongs to; a file without a tag
    // clears the original tag.
    p.panel.PreviewItem(p.Message(untagged));
    EXPECT_EQ(p.Field(p.newTag, "txtArtist"), "Other");
    EXPECT_EQ(p.Field(p.newTag, "txtTitle"), "Song");
    EXPECT_EQ(p.Field(p.oldTag, "txtTitle"), "");
    EXPECT_EQ(p.oldTag->TagType(), Quaver::ID3Unknown);
}

TEST(ucBatch, ScrollingToTheLastShownRowOfAGroupShowsItsNextRows)
{
    // "Ok" is not the last group, so the view itself would never ask for it.
    Panel p;
    auto* results = static_cast<BatchResultModel*>(p.tree->model());
    BatchOutcome outcome;
    outcome.Message = BatchMessages::TestMode();
    for (int i = 0; i < BatchResultModel::WindowRows + 1; ++i) {
        outcome.FileName = outcome.RelativeName = std::to_string(i) + ".mp3";
        results->Append(outcome);
    }
    outcome.Result = BatchOutcome::Group::Error;
    results->Append(outcome);
    results->Publish();
    const QModelIndex ok = p.panel.GroupNode("ok");
    p.tree->expand(ok);
    p.tree->expand(p.panel.GroupNode("error"));
    ASSERT_EQ(results->rowCount(ok), BatchResultModel::WindowRows);
    p.tree->scrollTo(results->index(BatchResultModel::WindowRows / 2, 0, ok));
    EXPECT_EQ(results->rowCount(ok), BatchResultModel::WindowRows) << "not yet at the last shown row";
    p.tree->verticalScrollBar()->setValue(p.tree->verticalScrollBar()->maximum());
    EXPECT_EQ(results->rowCount(ok), BatchResultModel::WindowRows + 1);
}

TEST(ucBatch, ShowingThePanelAgainDuringARunKeepsTheRunsResults)
{
    LegatoTest::TempDir dir;
    WriteTwoFiles(dir);
    Panel p;
    p.path->setText(QString::fromStdString(dir.path()));
    p.format->setCurrentIndex(1);
    bool switched = false;
    QObject::connect(&p.panel, &ucBatch::ShowMessage, [&](const QString& m) {
        // The main window hides and shows panels when the user clicks its tree.
        if (m.endsWith("/sub/") && !switched) {
            switched = true;
            p.panel.hide();
            p.panel.show();
        }
    });
    p.process->click();
    EXPECT_TRUE(switched);
    EXPECT_EQ(p.Children("ok").size(), 2);
    EXPECT_EQ(p.path->text(), QString::fromStdString(dir.path()));
}

TEST(ucBatch, AStartDirectoryThatDoesNotExistIsReportedAndNothingRuns)
{
    LegatoTest::TempDir dir;
    QApplication::setApplicationDisplayName("Legato");
    Platform::MessageBoxRecorder boxes;
    Panel p;
    const QString missing = QString::fromStdString(dir.file("missing"));
    p.path->setText(missing);
    p.process->click();
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text, ("The folder \"" + missing + "\" does not exist.").toStdString());
    EXPECT_EQ(boxes.boxes()[0].caption, "Legato");
    EXPECT_TRUE(p.messages.isEmpty()) << "no run started";
    EXPECT_EQ(p.panel.GroupNode("ok").data().toString(), "Ok");
    EXPECT_EQ(p.tree->model()->rowCount(p.panel.GroupNode("ok")), 0);
}

TEST(ucBatch, StopOrEscapeEndsTheRunAfterTheFileInHand)
{
    for (const bool escape : {false, true}) {
        SCOPED_TRACE(escape ? "Escape" : "Stop");
        LegatoTest::TempDir dir;
        WriteTwoFiles(dir);
        Panel p;
        p.panel.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&p.panel));
        p.path->setText(QString::fromStdString(dir.path()));
        p.format->setCurrentIndex(1);
        p.testMode->setChecked(false);
        const auto stopper = QObject::connect(&p.panel, &ucBatch::ShowMessage, [&](const QString& m) {
            if (!m.endsWith("/sub/"))
                return;
            if (escape)
                QTest::keyClick(p.tree, Qt::Key_Escape);
            else
                p.process->click();
        });
        p.process->click();

        EXPECT_EQ(p.Children("ok"), QStringList{"A - One.mp3"});
        EXPECT_NE(readAll(dir.file("A - One.mp3")), Audio());
        EXPECT_EQ(readAll(dir.file("sub/B - Two.mp3")), Audio()) << "not touched after the stop";
        EXPECT_EQ(p.messages.last(), "Stopped: 1 file processed (1 Ok, 0 Error).");
        EXPECT_EQ(p.process->text(), "&Process");

        QObject::disconnect(stopper);
        p.process->click(); // the second click of a double click on "Stop"
        EXPECT_EQ(readAll(dir.file("sub/B - Two.mp3")), Audio()) << "no new run";
    }
}

TEST(ucBatch, AnExceptionDuringARunLeavesThePanelReady)
{
    LegatoTest::TempDir dir;
    WriteTwoFiles(dir);
    Panel p;
    p.path->setText(QString::fromStdString(dir.path()));
    p.format->setCurrentIndex(1);
    const auto thrower = QObject::connect(&p.panel, &ucBatch::ShowMessage, [](const QString& m) {
        if (m.contains(" - Searching "))
            throw std::bad_alloc();
    });
    EXPECT_THROW(p.panel.Process(), std::bad_alloc);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_FALSE(p.panel.IsRunning());
    EXPECT_EQ(p.process->text(), "&Process");
    EXPECT_TRUE(p.process->isEnabled());
    EXPECT_TRUE(p.testMode->isEnabled());

    QObject::disconnect(thrower);
    p.panel.Process();
    EXPECT_EQ(p.Children("ok").size(), 2) << "the next run works";
}

TEST(ucBatch, TheChooseButtonTakesTheChosenFolder)
{
    LegatoTest::TempDir dir;
    mkdir(dir.file("music").c_str(), 0755);
    Panel p;
    const QString chosen = QString::fromStdString(dir.file("music"));
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->setDirectory(chosen);
        dialog->selectFile(chosen);
        QMetaObject::invokeMethod(dialog, "accept");
    });
    p.choose->click();
    EXPECT_EQ(QDir(p.path->text()), QDir(chosen));
}

TEST(ucBatch, AnId3v2TagThatDiffersIsNotedAndPreviewedAndTheSwitchRemembered)
{
    LegatoTest::TempDir dir;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, QString::fromStdString(dir.path()));
    dir.write("A - One.mp3", LegatoTest::Id3v23({{"TIT2", "Front"}}) + Audio());
    Panel p;
    p.path->setText(QString::fromStdString(dir.path()));
    p.format->setCurrentIndex(1); // Artist - Title
    p.process->click();
    ASSERT_EQ(p.Children("ok").size(), 1);
    const QString note = "The ID3v2.3 tag holds another title; players show it first.";
    EXPECT_TRUE(p.File("ok", 0).data(Qt::ToolTipRole).toString().endsWith("\n" + note));
    EXPECT_EQ(p.Message(p.File("ok", 0)).data().toString(), BatchMessages::TestMode()) << "outcome text kept";
    p.panel.PreviewItem(p.File("ok", 0));
    auto* view = p.panel.findChild<OtherTagsView*>();
    EXPECT_TRUE(view->Caption().startsWith("ID3v2.3 tag: players show it first."));

    auto* also = p.panel.findChild<QCheckBox*>("chkAlsoId3v2");
    auto* create = p.panel.findChild<QCheckBox*>("chkCreateId3v2");
    EXPECT_FALSE(create->isEnabled());
    also->click();
    EXPECT_TRUE(create->isEnabled());
    ucBatch again;
    again.show();
    EXPECT_TRUE(again.findChild<QCheckBox*>("chkAlsoId3v2")->isChecked()) << "kept past a reset";
    EXPECT_FALSE(again.findChild<QCheckBox*>("chkCreateId3v2")->isChecked());
}
