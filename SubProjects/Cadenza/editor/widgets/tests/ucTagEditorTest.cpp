#include "ucTagEditor.h"
#include "EditorTestFiles.h"
#include "EditorTexts.h"
#include "FileListModel.h"
#include "Id3v2Bytes.h"
#include "OtherTagsView.h"
#include "StateHome.h"
#include "ucID3v1xTag.h"

#include "Platform/FileNameCodec.h"
#include "Platform/MessageBox.h"
#include "Platform/RuntimeError.h"
#include "Platform/Twips.h"
#include "Quaver/FileHandler.h"
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QDropEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QSettings>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <QTreeWidget>
#include <QUrl>
#include <gtest/gtest.h>

using EditorTest::stored;
using EditorTest::TagValues;
using LegatoTest::TempDir;

namespace {

// The panels remember their list layout in the settings store: one of the
// tests' own, never the user's.
class SettingsHome : public testing::Environment
{
public:
    void SetUp() override
    {
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_dir.path().c_str());
    }

private:
    TempDir m_dir;
};
const testing::Environment* const settingsHome = testing::AddGlobalTestEnvironment(new SettingsHome);

// The panel shown on its own, with handles on its controls and a record of
// every status text it reports.
struct Editor
{
    Editor()
    {
        QObject::connect(&panel, &ucTagEditor::ShowMessage, [this](const QString& m) { messages << m; });
        QObject::connect(&panel, &ucTagEditor::ShowCounter, [this](const QString& c) { counters << c; });
        panel.show();
        list = panel.findChild<QTreeView*>("lvwData");
        file = panel.findChild<QLineEdit*>("txtFile");
        format = panel.findChild<QComboBox*>("cmbFormat");
        fields = panel.findChild<ucID3v1xTag*>("ucID3v1xTag");
        title = fields->findChild<QLineEdit*>("txtTitle");
        artist = fields->findChild<QLineEdit*>("txtArtist");
        track = fields->findChild<QLineEdit*>("txtTrack");
        comment = fields->findChild<QLineEdit*>("txtComment");
        edit = button("cmdEdit");
        ok = button("cmdOk");
        cancel = button("cmdCancel");
        parse = button("cmdParse");
        overwrite = button("cmdOverwrite");
        boxes = panel.findChildren<QCheckBox*>("chkOverwrite");
        emptyOnly = panel.findChild<QCheckBox*>("chkOverwriteEmpty");
    }

    QPushButton* button(const char* name) { return panel.findChild<QPushButton*>(name); }

    void drop(QMimeData* data)
    {
        QWidget* target = list->viewport();
        const QPoint at = target->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        QDragMoveEvent move(at, Qt::CopyAction | Qt::MoveAction, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &move);
        QDropEvent dropped(at, Qt::CopyAction | Qt::MoveAction, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &dropped);
        accepted = enter.isAccepted() && move.isAccepted() && dropped.isAccepted();
        action = dropped.dropAction();
        delete data;
        settle();
    }

    // Waits until the list has taken in and read every file it was given.
    void settle()
    {
        const auto* files = panel.findChild<FileListModel*>();
        EXPECT_TRUE(QTest::qWaitFor([files] { return !files->loading(); }, 10000));
    }

    void dropFiles(const std::vector<std::string>& paths)
    {
        auto* data = new QMimeData;
        QByteArray uris;
        for (const std::string& p : paths)
            uris += "file://" + QByteArray::fromStdString(p).toPercentEncoding("/") + "\r\n";
        data->setData("text/uri-list", uris);
        drop(data);
    }

    QModelIndex entry(int row) const { return list->model()->index(row, 0); }
    QString entryText(int row) const { return entry(row).data().toString(); }
    int rows() const { return list->model()->rowCount(); }

    static void press(QPushButton* b) { QTest::mouseClick(b, Qt::LeftButton); }

    // Drops one file, chooses it and starts editing it.
    void startEditing(const std::string& path)
    {
        dropFiles({path});
        click(0);
        press(edit);
    }

    static void retype(QLineEdit* field, const QString& text)
    {
        field->selectAll();
        QTest::keyClicks(field, text);
    }

    void click(int row)
    {
        list->scrollTo(entry(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(entry(row)).center());
    }

    // A real double-click starts with a press on the entry, which the view needs
    // to see before the double-click itself.
    void doubleClick(int row)
    {
        const QPoint at = list->visualRect(entry(row)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mousePress(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, at);
    }

    std::vector<bool> states() const
    {
        return {fields->Enabled(), list->isEnabled(),   edit->isEnabled(),
                ok->isEnabled(),   cancel->isEnabled(), parse->isEnabled()};
    }

    QString lastMessage() const { return messages.isEmpty() ? QStringLiteral("<none>") : messages.last(); }

    ucTagEditor panel;
    QTreeView* list;
    QLineEdit* file;
    QComboBox* format;
    ucID3v1xTag* fields;
    QLineEdit* title;
    QLineEdit* artist;
    QLineEdit* track;
    QLineEdit* comment;
    QPushButton* edit;
    QPushButton* ok;
    QPushButton* cancel;
    QPushButton* parse;
    QPushButton* overwrite;
    QList<QCheckBox*> boxes;
    QCheckBox* emptyOnly;
    QStringList messages;
    QStringList counters;
    bool accepted = false;
    Qt::DropAction action = Qt::IgnoreAction;
};

const std::vector<bool> Shown{false, true, false, false, false, false};
const std::vector<bool> Chosen{false, true, true, false, false, false};
const std::vector<bool> Editing{true, false, true, true, true, true};

} // namespace

TEST(ucTagEditor, PanelContract)
{
    ucTagEditor panel;
    EXPECT_EQ(panel.Key(), "ucTagEditor");
    EXPECT_EQ(panel.AppNodeText(), "Marcato");
    EXPECT_EQ(panel.AppTitle(), "Marcato");
    EXPECT_EQ(panel.AppImageKey(), "ucTagEditor");
    EXPECT_TRUE(panel.HasImage());
    EXPECT_TRUE(panel.SupportsResize());
    ASSERT_NE(panel.AppImage(), nullptr);
    EXPECT_FALSE(panel.AppImage()->pixmap().isNull());
    EXPECT_THROW(panel.ShowInMenu(), Platform::RuntimeError);
    EXPECT_THROW(panel.AppDescription(), Platform::RuntimeError);
}

TEST(ucTagEditor, DropKeepsMp3FilesAndCountsAllDropped)
{
    TempDir dir;
    Editor e;
    const std::string a = EditorTest::writeUntagged(dir, "a.mp3");
    const std::string b = EditorTest::writeUntagged(dir, "b.MP3");
    const std::string c = EditorTest::writeUntagged(dir, "c.txt");
    std::filesystem::create_directory(dir.file("folder.mp3"));
    e.dropFiles({a, b, c});
    EXPECT_TRUE(e.accepted);
    EXPECT_EQ(e.action, Qt::CopyAction) << "a drop must never be taken as a move";
    ASSERT_EQ(e.rows(), 2);
    EXPECT_EQ(e.entryText(0).toStdString(), a);
    EXPECT_EQ(e.entryText(1).toStdString(), b);
    EXPECT_EQ(e.counters, QStringList{"3"});

    // Text is not a file list: reported, the list stays.
    auto* text = new QMimeData;
    text->setText(QString::fromStdString(a));
    e.drop(text);
    EXPECT_EQ(e.lastMessage(), EditorTexts::WrongFormat());
    EXPECT_EQ(e.rows(), 2);

    auto* empty = new QMimeData;
    empty->setData("text/uri-list", "");
    e.drop(empty);
    EXPECT_EQ(e.lastMessage(), EditorTexts::NoData());
    EXPECT_EQ(e.rows(), 2);

    // A new list replaces the old one; folders are never listed.
    e.dropFiles({dir.file("folder.mp3"), b});
    ASSERT_EQ(e.rows(), 1);
    EXPECT_EQ(e.entryText(0).toStdString(), b);
    EXPECT_EQ(e.counters.last(), "2");
}

TEST(ucTagEditor, CommandStatesStepByStep)
{
    TempDir dir;
    const std::string song = EditorTest::writeTagged(dir, "Artist - Song.mp3", {"Song", "Artist", "", 3});
    Editor e;
    EXPECT_EQ(e.states(), Shown);
    e.dropFiles({song});
    EXPECT_EQ(e.states(), Shown) << "a drop changes no command state";

    e.click(0);
    EXPECT_EQ(e.states(), Chosen);
    EXPECT_EQ(e.file->text(), "Artist - Song");
    EXPECT_EQ(e.title->text(), "Song");
    EXPECT_EQ(e.track->text(), "03");
    EXPECT_EQ(e.lastMessage(), EditorTexts::V11Found());

    e.press(e.edit);
    EXPECT_EQ(e.states(), Editing);

    // Showing the panel again during an edit is not reachable without hiding it,
    // and hiding cancels the edit.
    e.panel.hide();
    e.panel.show();
    EXPECT_EQ(e.states(), Shown);

    e.click(0);
    e.press(e.edit);
    e.press(e.ok);
    EXPECT_EQ(e.states(), Chosen);
    EXPECT_EQ(e.lastMessage(), EditorTexts::TagSaved());
}

TEST(ucTagEditor, CancelRestoresTheStoredTag)
{
    TempDir dir;
    const std::string song = EditorTest::writeTagged(dir, "s.mp3", {"Stored", "", "", 1});
    Editor e;
    e.startEditing(song);
    e.retype(e.title, "Changed");
    e.press(e.cancel);
    EXPECT_EQ(e.title->text(), "Stored");
    EXPECT_EQ(e.states(), Chosen);
    EXPECT_EQ(stored(song)->Title(), "Stored");
}

TEST(ucTagEditor, ClearingTheTrackSavesV10)
{
    TempDir dir;
    const std::string song = EditorTest::writeTagged(dir, "s.mp3", {"T", "", "", 4});
    Editor e;
    e.startEditing(song);
    e.track->clear();
    e.messages.clear();
    e.press(e.ok);
    EXPECT_EQ(e.messages, (QStringList{EditorTexts::V10Found(), EditorTexts::TagSaved()}));
    EXPECT_EQ(stored(song)->TagType(), Quaver::ID3V1);
    EXPECT_EQ(e.track->text(), "");
}

TEST(ucTagEditor, UntaggedFileGetsATag)
{
    TempDir dir;
    const std::string plain = EditorTest::writeUntagged(dir, "plain.mp3");
    Editor e;
    e.dropFiles({plain});
    e.click(0);
    EXPECT_EQ(e.lastMessage(), EditorTexts::NoTag());
    EXPECT_EQ(e.fields->findChild<QLabel*>("lblGenreByte")->text(), "255");
    EXPECT_TRUE(e.edit->isEnabled());
    e.press(e.edit);
    QTest::keyClicks(e.title, "Fresh");
    QTest::keyClicks(e.track, "7");
    e.press(e.ok);
    EXPECT_EQ(stored(plain)->Title(), "Fresh");
    EXPECT_EQ(stored(plain)->Track(), 7);
    EXPECT_EQ(std::filesystem::file_size(plain), 1128u);
}

TEST(ucTagEditor, FailedSaveKeepsTheEditOpen)
{
    TempDir dir;
    EditorTest::BusyFile busy(dir, "busy.mp3");
    Editor e;
    e.startEditing(busy.path());
    QTest::keyClicks(e.title, "Typed");
    Platform::MessageBoxRecorder boxes;
    e.press(e.ok);
    EXPECT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(e.lastMessage(), EditorTexts::TagNotSaved());
    EXPECT_EQ(e.states(), Editing);
    EXPECT_EQ(e.title->text(), "Typed");
}

TEST(ucTagEditor, OkWritesTheShownFileEvenAfterANewDrop)
{
    TempDir dir;
    const std::string first = EditorTest::writeTagged(dir, "first.mp3", {"First", "", "", 1});
    const std::string second = EditorTest::writeTagged(dir, "second.mp3", {"Second", "", "", 2});
    Editor e;
    e.dropFiles({first});
    e.click(0);
    // New files arrive and one is selected while the fields still show the first.
    e.dropFiles({second});
    e.list->selectionModel()->select(e.entry(0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    EXPECT_EQ(e.title->text(), "First");
    e.press(e.edit);
    e.retype(e.title, "Edited");
    e.press(e.ok);
    EXPECT_EQ(stored(first)->Title(), "Edited");
    EXPECT_EQ(stored(second)->Title(), "Second");
}

TEST(ucTagEditor, ArrowKeysShowEachFile)
{
    TempDir dir;
    const std::string one = EditorTest::writeTagged(dir, "one.mp3", {"One", "", "", 1});
    const std::string two = EditorTest::writeTagged(dir, "two.mp3", {"Two", "", "", 2});
    Editor e;
    e.dropFiles({one, two});
    e.click(0);
    EXPECT_EQ(e.title->text(), "One");
    QTest::keyClick(e.list, Qt::Key_Down);
    EXPECT_EQ(e.title->text(), "Two");
    EXPECT_EQ(e.file->text(), "two");
    QTest::keyClick(e.list, Qt::Key_Up);
    EXPECT_EQ(e.title->text(), "One");
}

TEST(ucTagEditor, NamesThatAreNotUtf8)
{
    TempDir dir;
    const std::string odd = EditorTest::writeTagged(dir, "caf\xE9 - x.mp3", {"Latin1", "", "", 1});
    Editor e;
    e.dropFiles({odd});
    ASSERT_EQ(e.rows(), 1);
    EXPECT_EQ(Platform::EncodeFileName(e.entryText(0)), odd);
    e.click(0);
    EXPECT_EQ(e.title->text(), "Latin1");
    e.press(e.edit);
    e.retype(e.title, "Saved");
    e.press(e.ok);
    EXPECT_EQ(stored(odd)->Title(), "Saved");
}

TEST(ucTagEditor, ShowingAgainKeepsFilesAndThreePatterns)
{
    TempDir dir;
    Editor e;
    e.dropFiles({EditorTest::writeUntagged(dir, "a.mp3")});
    e.format->setCurrentIndex(2);
    e.emptyOnly->setChecked(false);
    e.panel.hide();
    e.panel.show();
    EXPECT_EQ(e.rows(), 1);
    ASSERT_EQ(e.format->count(), 3);
    EXPECT_EQ(e.format->itemText(0), "#AR# - #AL# - #TR#.#TI#");
    EXPECT_EQ(e.format->currentIndex(), 0);
    EXPECT_TRUE(e.emptyOnly->isChecked());
}

TEST(ucTagEditor, OverwriteButtonTogglesAllSevenBoxes)
{
    Editor e;
    ASSERT_EQ(e.boxes.size(), 7);
    for (QCheckBox* b : e.boxes)
        EXPECT_FALSE(b->isChecked());
    e.press(e.overwrite);
    EXPECT_EQ(e.panel.OverwriteState(), 1);
    for (QCheckBox* b : e.boxes)
        EXPECT_TRUE(b->isChecked());
    // The state belongs to the button: a box changed by hand does not count.
    e.boxes[0]->setChecked(false);
    e.press(e.overwrite);
    for (QCheckBox* b : e.boxes)
        EXPECT_FALSE(b->isChecked());
}

TEST(ucTagEditor, ParseFillsFromTheShownName)
{
    TempDir dir;
    const std::string song = EditorTest::writeUntagged(dir, "Artist - Album - 7.Title.mp3");
    Editor e;
    e.startEditing(song);

    // Nothing checked: Parse only redisplays the record, dropping typed text.
    QTest::keyClicks(e.comment, "typed");
    e.press(e.parse);
    EXPECT_EQ(e.comment->text(), "");
    EXPECT_EQ(e.title->text(), "");

    e.boxes[5]->setChecked(true); // track
    e.press(e.parse);
    EXPECT_EQ(e.track->text(), "07");
    EXPECT_EQ(e.fields->TagType(), Quaver::ID3V11);
    EXPECT_EQ(e.title->text(), "");

    e.press(e.overwrite);
    e.press(e.parse);
    EXPECT_EQ(e.fields->Artist(), "Artist");
    EXPECT_EQ(e.fields->Album(), "Album");
    EXPECT_EQ(e.title->text(), "Title");
    e.press(e.ok);
    EXPECT_EQ(stored(song)->Artist(), "Artist");
    EXPECT_EQ(stored(song)->Track(), 7);
}

TEST(ucTagEditor, PlayWithoutJukeboxShowsTheBoxAndStaysUsable)
{
    TempDir registry;
    qputenv("LEGATO_REGISTRY_DIR", QByteArray::fromStdString(registry.path()));
    TempDir dir;
    const std::string song = EditorTest::writeUntagged(dir, "a.mp3");
    {
        Editor e;
        e.dropFiles({song});
        e.messages.clear();
        Platform::MessageBoxRecorder boxes;
        e.doubleClick(0);
        ASSERT_EQ(boxes.boxes().size(), 1u) << e.messages.join("|").toStdString();
        const auto& box = boxes.boxes()[0];
        EXPECT_EQ(box.icon, Platform::MsgIcon::Warning);
        EXPECT_TRUE(QString::fromStdString(box.text).startsWith(
            "Couldn't access Jukebox.\r\nPlease ensure that Jukebox.dll is registered and Jukebox is "
            "installed.\r\n"
            "(Regsvr32 <Path>\\Jukebox.dll)\r\n429 - "));
        EXPECT_TRUE(e.messages.contains(EditorTexts::PleaseWait()));
        EXPECT_EQ(e.lastMessage(), "");
        // Still usable: the entry can be chosen and edited.
        e.click(0);
        EXPECT_TRUE(e.edit->isEnabled());
    }
    qunsetenv("LEGATO_REGISTRY_DIR");
}

TEST(ucTagEditor, ListAndFileNameFollowThePanelSize)
{
    Editor e;
    const int top = e.list->y();
    const QPoint okAt = e.ok->pos();
    e.panel.resize(800, 600);
    EXPECT_EQ(e.list->geometry(), QRect(0, top, 800, 600 - top));
    EXPECT_EQ(e.file->width(), 800);
    EXPECT_EQ(e.ok->pos(), okAt);
    // Narrower than designed: the fields give up their extra width first, so
    // the parsing options still fit a panel of the width first designed.
    const QWidget* options = e.panel.findChild<QWidget*>("Frame1");
    e.panel.resize(Platform::twipsToPixels(6765), 600);
    EXPECT_LE(options->geometry().right(), e.panel.width());
    EXPECT_LT(e.ok->x(), okAt.x());
    // Smaller than the list's top edge: the list keeps its size.
    const QSize before = e.list->size();
    e.panel.resize(300, top - 10);
    EXPECT_EQ(e.list->size(), before);
    EXPECT_EQ(e.file->width(), 300);
}

TEST(ucTagEditor, EditFocusesTheTitleEnterSavesEscapeCancels)
{
    TempDir dir;
    const std::string song = EditorTest::writeTagged(dir, "s.mp3", {"Stored", "", "", 1});
    Editor e;
    e.startEditing(song);
    EXPECT_EQ(e.panel.focusWidget(), e.title);
    e.retype(e.title, "Entered");
    QTest::keyClick(e.title, Qt::Key_Return);
    EXPECT_EQ(stored(song)->Title(), "Entered");
    EXPECT_EQ(e.states(), Chosen);

    e.press(e.edit);
    e.retype(e.title, "Escaped");
    QTest::keyClick(e.title, Qt::Key_Escape);
    EXPECT_EQ(e.states(), Chosen);
    EXPECT_EQ(e.title->text(), "Entered");

    // Enter in the genre box saves too; outside an edit Enter does nothing.
    e.press(e.edit);
    QTest::keyClick(e.fields->findChild<QComboBox*>("cmbGenre"), Qt::Key_Return);
    EXPECT_EQ(e.states(), Chosen);
    e.messages.clear();
    QTest::keyClick(e.title, Qt::Key_Return);
    EXPECT_TRUE(e.messages.isEmpty());
}

TEST(ucTagEditor, SaveThatWouldChangeTheTextAsksFirst)
{
    TempDir dir;
    const std::string song = EditorTest::writeTagged(dir, "s.mp3", {"T", "Band", "", 1});
    Editor e;
    e.startEditing(song);
    e.artist->setText(QString::fromUtf8("\u6771\u4EAC\u4E8B\u5909")); // as an input method types it
    {
        Platform::MessageBoxRecorder back(Platform::MsgResult::No);
        e.press(e.ok);
        ASSERT_EQ(back.boxes().size(), 1u);
        EXPECT_EQ(e.states(), Editing);
        EXPECT_EQ(e.panel.focusWidget(), e.artist);
        EXPECT_EQ(stored(song)->Artist(), "Band");
    }
    Platform::MessageBoxRecorder save(Platform::MsgResult::Yes);
    e.press(e.ok);
    EXPECT_EQ(stored(song)->Artist(), "????");
    EXPECT_EQ(e.lastMessage(), EditorTexts::TagSaved());
}

TEST(ucTagEditor, LeavingDuringAnEditAsksToSaveDiscardOrStay)
{
    TempDir dir;
    const std::string song = EditorTest::writeTagged(dir, "s.mp3", {"Stored", "", "", 1});
    Editor e;
    e.startEditing(song);
    {
        Platform::MessageBoxRecorder none;
        EXPECT_TRUE(e.panel.QueryLeave()) << "nothing typed: nothing to ask";
        EXPECT_TRUE(none.boxes().empty());
    }
    e.retype(e.title, "Typed");
    {
        Platform::MessageBoxRecorder stay(Platform::MsgResult::Cancel);
        EXPECT_FALSE(e.panel.QueryLeave());
        EXPECT_EQ(e.states(), Editing);
    }
    {
        Platform::MessageBoxRecorder save(Platform::MsgResult::Yes);
        EXPECT_TRUE(e.panel.QueryLeave());
        EXPECT_EQ(stored(song)->Title(), "Typed");
    }
    e.press(e.edit);
    e.retype(e.title, "Dropped");
    Platform::MessageBoxRecorder discard(Platform::MsgResult::No);
    EXPECT_TRUE(e.panel.QueryLeave());
    e.panel.hide();
    EXPECT_EQ(stored(song)->Title(), "Typed");
    EXPECT_EQ(e.title->text(), "Typed");
}

TEST(ucTagEditor, ParsingOptionsStandApart)
{
    Editor e;
    const auto* options = e.panel.findChild<QWidget*>("Frame1");
    for (int i = 0; i + 1 < e.boxes.size(); ++i)
        EXPECT_LT(e.boxes[i]->geometry().bottom(), e.boxes[i + 1]->y());
    for (const QLabel* caption : options->findChildren<QLabel*>())
        EXPECT_GE(caption->x(), 4) << caption->text().toStdString();
    EXPECT_LT(e.emptyOnly->geometry().bottom(), options->height() - 2);
    EXPECT_EQ(e.panel.NodeToolTip(), "Edit the tag of single MP3 files");
}

TEST(ucTagEditor, KeyboardPastesFilesAndEnterPlaysTheChosenOne)
{
    TempDir dir;
    const std::string song = EditorTest::writeUntagged(dir, "k.mp3");
    Editor e;
    std::vector<std::string> played;
    e.panel.setPlayerCall([&played](const std::string& path) { played.push_back(path); });
    auto* copied = new QMimeData;
    copied->setData("text/uri-list",
                    "file://" + QByteArray::fromStdString(song).toPercentEncoding("/") + "\r\n");
    QGuiApplication::clipboard()->setMimeData(copied);
    // Shortcuts work in the active window only.
    QApplication::setActiveWindow(&e.panel);
    e.list->setFocus();
    QTest::keySequence(e.list, QKeySequence::Paste);
    e.settle();
    ASSERT_EQ(e.rows(), 1);
    EXPECT_EQ(e.entryText(0), QString::fromStdString(song));

    e.click(0);
    QTest::keyClick(e.list, Qt::Key_Return);
    EXPECT_EQ(played, std::vector<std::string>{song});
}

namespace {

// Answers the next results dialog with Ok, keeping its rows ("file: result").
void acceptResults(QStringList& rows)
{
    QTimer::singleShot(0, [&rows] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        const auto* list = dialog->findChild<QTreeWidget*>("lvwResults");
        for (int i = 0; list && i < list->topLevelItemCount(); ++i)
            rows << list->topLevelItem(i)->text(0) + ": " + list->topLevelItem(i)->text(1);
        dialog->accept();
    });
}

} // namespace

TEST(ucTagEditor, SeveralChosenFilesAreEditedAndNumberedTogether)
{
    TempDir dir;
    const LegatoTest::StateHome state(dir.file("state"));
    const std::string a = EditorTest::writeTagged(dir, "a.mp3", {"A", "Band", "Old", 4});
    const std::string b = EditorTest::writeTagged(dir, "b.mp3", {"B", "Band", "Old", 9});
    const std::string c = EditorTest::writeTagged(dir, "c.mp3", {"C", "Band", "Old", 1});
    Editor e;
    e.dropFiles({a, b, c});
    e.click(0);
    QTest::keyClick(e.list, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(e.panel.selectedFiles(), (std::vector<std::string>{a, b, c}));
    EXPECT_EQ(e.file->text(), EditorTexts::FilesChosen(3));
    EXPECT_EQ(e.title->text(), "");
    EXPECT_EQ(e.title->placeholderText(), "<keep>");
    EXPECT_EQ(e.artist->text(), "Band");
    EXPECT_EQ(e.artist->placeholderText(), "");
    EXPECT_TRUE(e.button("cmdNumber")->isEnabled());
    EXPECT_FALSE(e.button("cmdRemove")->isEnabled());

    Editor::press(e.edit);
    EXPECT_FALSE(e.parse->isEnabled());
    EXPECT_FALSE(e.button("cmdNumber")->isEnabled());
    EXPECT_EQ(e.title->palette().color(QPalette::Base), e.artist->palette().color(QPalette::Base))
        << "a field left as <keep> is not marked as stored differently";
    Editor::retype(e.fields->findChild<QLineEdit*>("txtAlbum"), "New");
    QStringList rows;
    acceptResults(rows);
    Editor::press(e.ok);
    EXPECT_EQ(rows, (QStringList{QString::fromStdString(a) + ": saved", QString::fromStdString(b) + ": saved",
                                 QString::fromStdString(c) + ": saved"}));
    EXPECT_EQ(e.lastMessage(), EditorTexts::TagsSaved(3, 0));
    EXPECT_EQ(stored(b)->Album(), "New");
    EXPECT_EQ(stored(b)->Title(), "B");
    EXPECT_EQ(stored(b)->Track(), 9);

    rows.clear();
    acceptResults(rows);
    Editor::press(e.button("cmdNumber"));
    EXPECT_EQ(rows.size(), 3);
    EXPECT_EQ(stored(c)->Track(), 3);
    EXPECT_EQ(e.track->placeholderText(), "<keep>");

    // One file chosen again: its own tag, no "<keep>".
    e.click(1);
    EXPECT_EQ(e.panel.selectedFiles(), std::vector<std::string>{b});
    EXPECT_EQ(e.title->text(), "B");
    EXPECT_EQ(e.track->text(), "02");
    EXPECT_EQ(e.track->placeholderText(), "");
    EXPECT_FALSE(e.button("cmdNumber")->isEnabled());

    // Ctrl+click adds a file, and taking one out shows the one left chosen.
    const auto ctrlClick = [&](int row) {
        e.list->scrollTo(e.entry(row));
        QTest::mouseClick(e.list->viewport(), Qt::LeftButton, Qt::ControlModifier,
                          e.list->visualRect(e.entry(row)).center());
    };
    ctrlClick(0);
    EXPECT_EQ(e.file->text(), EditorTexts::FilesChosen(2));
    ctrlClick(1);
    EXPECT_EQ(e.panel.selectedFiles(), std::vector<std::string>{a});
    EXPECT_EQ(e.title->text(), "A");
}

TEST(ucTagEditor, OtherTagsBesideTheFieldsCopyFromId3v2AndTheRememberedSwitch)
{
    TempDir dir;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, QString::fromStdString(dir.path()));
    const std::string song = dir.write(
        "s.mp3", LegatoTest::Id3v23({{"TIT2", "Front title"}, {"TPE1", "Band"}}) + std::string(500, '\xFF'));
    Editor e;
    auto* copy = e.button("cmdCopyId3v2");
    auto* view = e.panel.findChild<OtherTagsView*>();
    e.dropFiles({song});
    e.click(0);
    EXPECT_EQ(e.lastMessage(), EditorTexts::NoTag());
    EXPECT_EQ(view->Caption(),
              "ID3v2.3 tag: players show it first. Marked values differ from the ID3v1 tag.");
    EXPECT_EQ(view->Table()->item(0, 0)->text(), "Front title");
    EXPECT_FALSE(copy->isEnabled());
    e.press(e.edit);
    ASSERT_TRUE(copy->isEnabled());
    e.press(copy);
    EXPECT_EQ(e.title->text(), "Front title");
    EXPECT_EQ(e.artist->text(), "Band");
    e.press(e.cancel);
    EXPECT_FALSE(copy->isEnabled());

    auto* also = e.panel.findChild<QCheckBox*>("chkAlsoId3v2");
    auto* create = e.panel.findChild<QCheckBox*>("chkCreateId3v2");
    EXPECT_FALSE(create->isEnabled());
    EXPECT_EQ(e.title->maxLength(), 30);
    also->click();
    EXPECT_TRUE(create->isEnabled());
    EXPECT_GT(e.title->maxLength(), 30) << "the ID3v2 tag takes the full text";
    create->click();
    Editor again;
    EXPECT_TRUE(again.panel.findChild<QCheckBox*>("chkAlsoId3v2")->isChecked());
    EXPECT_TRUE(again.panel.findChild<QCheckBox*>("chkCreateId3v2")->isChecked());
}

TEST(ucTagEditor, FilterNarrowsTheListAndTheColumnLayoutIsRemembered)
{
    TempDir dir;
    const std::string a = EditorTest::writeTagged(dir, "a.mp3", {"Alpha", "", "", 2});
    const std::string b = EditorTest::writeTagged(dir, "b.mp3", {"Beta", "", "", 1});
    const auto loaded = [](Editor& e) {
        return QTest::qWaitFor([&] { return e.list->model()->index(1, FileListModel::Type).data() != ""; });
    };
    {
        Editor e;
        e.dropFiles({a, b});
        ASSERT_TRUE(loaded(e));
        QTest::keyClicks(e.panel.findChild<QLineEdit*>("txtFilter"), "BETA");
        EXPECT_EQ(e.panel.shownFiles(), std::vector<std::string>{b});
        e.panel.findChild<QLineEdit*>("txtFilter")->clear();

        QHeaderView* header = e.list->header();
        header->setSortIndicator(FileListModel::Track, Qt::AscendingOrder);
        header->resizeSection(FileListModel::Title, 222);
        header->actions().at(FileListModel::Album - 1)->trigger();
        EXPECT_TRUE(header->isSectionHidden(FileListModel::Album));
        EXPECT_EQ(e.panel.shownFiles(), (std::vector<std::string>{b, a}));
        e.list->setFocus();
        QTest::keySequence(e.list, QKeySequence::SelectAll);
        EXPECT_EQ(e.panel.selectedFiles(), (std::vector<std::string>{b, a}));
    }
    Editor again;
    const QHeaderView* header = again.list->header();
    EXPECT_EQ(header->sortIndicatorSection(), FileListModel::Track);
    EXPECT_EQ(header->sectionSize(FileListModel::Title), 222);
    EXPECT_TRUE(header->isSectionHidden(FileListModel::Album));
    again.dropFiles({a, b});
    ASSERT_TRUE(loaded(again));
    EXPECT_EQ(again.panel.shownFiles(), (std::vector<std::string>{b, a}));
}
