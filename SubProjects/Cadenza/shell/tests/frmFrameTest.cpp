#include "frmFrame.h"
#include "FakePanel.h"

#include "StateHome.h"
#include "TempDir.h"

#include "RecordedWrite.h"

#include "Platform/MessageBox.h"
#include "Platform/Twips.h"
#include "Quaver/FileHandler.h"
#include "Vellum/Vellum.h"

#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <functional>
#include <gtest/gtest.h>

namespace {

// Every test gets its own settings folder, so no stored geometry leaks in.
class frmFrameTest : public testing::Test
{
protected:
    void SetUp() override
    {
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_dir.path().c_str());
    }

    QString settingsFile() const { return QString::fromStdString(m_dir.file("Legato/Legato.ini")); }

    QList<QWidget*> standardPanels()
    {
        batch = new FakePanel("ucBatch", "Batch processing", false, QSize(700, 500));
        editor = new FakePanel("ucTagEditor", "Marcato", true);
        info = new FakePanel("ucAppInfo", "Legato", true);
        return {batch, editor, info};
    }

    QTreeWidget* tree(frmFrame& w) { return w.findChild<QTreeWidget*>("trvApplications"); }
    QWidget* child(frmFrame& w, const char* name) { return w.findChild<QWidget*>(name); }

    LegatoTest::TempDir m_dir;
    FakePanel* batch = nullptr;
    FakePanel* editor = nullptr;
    FakePanel* info = nullptr;
};

// The scroll container's visible inner area in pixels.
QSize visibleArea(const VellumCtl::Vellum& scrPanel)
{
    return QSize(Platform::twipsToPixels(scrPanel.ScaleWidth()),
                 Platform::twipsToPixels(scrPanel.ScaleHeight()));
}

QStringList registeredKeys(const Frames& frames)
{
    QStringList keys;
    for (const auto& member : frames)
        keys << member->object()->Key();
    return keys;
}

} // namespace

TEST_F(frmFrameTest, RegistersUcPanelsInPlacementOrderHiddenWithOneNodeEach)
{
    auto* plain = new QWidget;
    plain->setObjectName("ucPlain"); // no contract
    auto* foreign = new FakePanel("xyPanel", "Foreign", true);
    auto* lower = new FakePanel("UcLower", "Lower", true); // "uc" is case-sensitive
    auto* broken = new BrokenPanel("ucBroken", "Broken", true);
    auto* twin = new FakePanel("ucTwin", "Twin", true);
    twin->m_key = "UCBATCH"; // same key as the batch panel in another case
    QList<QWidget*> panels = standardPanels();
    panels = {plain, panels[0], foreign, broken, panels[1], lower, twin, panels[2]};
    frmFrame w(panels);

    EXPECT_EQ(registeredKeys(w.registry()), (QStringList{"ucBatch", "ucTagEditor", "ucAppInfo"}));
    for (QWidget* panel :
         {static_cast<QWidget*>(batch), static_cast<QWidget*>(editor), static_cast<QWidget*>(info)})
        EXPECT_FALSE(panel->isVisibleTo(&w));
    QTreeWidget* trv = tree(w);
    ASSERT_EQ(trv->topLevelItemCount(), 3);
    EXPECT_EQ(trv->topLevelItem(0)->text(0), "Batch processing");
    EXPECT_EQ(trv->topLevelItem(1)->text(0), "Marcato");
    EXPECT_EQ(trv->topLevelItem(2)->text(0), "Legato");
    EXPECT_FALSE(trv->topLevelItem(0)->icon(0).isNull());
    EXPECT_EQ(trv->topLevelItem(0)->childCount(), 0);
    EXPECT_EQ(child(w, "picRightPanel")->size(), QSize(0, 0));

    // Nothing opens before the user picks a node, even when the tree takes the focus.
    w.show();
    trv->setFocus();
    QApplication::processEvents();
    for (QWidget* panel :
         {static_cast<QWidget*>(batch), static_cast<QWidget*>(editor), static_cast<QWidget*>(info)})
        EXPECT_FALSE(panel->isVisible());
    EXPECT_TRUE(trv->selectedItems().isEmpty());
}

TEST_F(frmFrameTest, ShownPanelFollowsTheHighlightedNode)
{
    frmFrame w(standardPanels());
    w.show();
    QTreeWidget* trv = tree(w);
    trv->setFocus();
    QApplication::processEvents();

    // The arrow keys move the highlight, and the panel with it.
    QTest::keyClick(trv, Qt::Key_Down);
    QApplication::processEvents();
    EXPECT_TRUE(editor->isVisible());
    QTest::keyClick(trv, Qt::Key_Up);
    QApplication::processEvents();
    EXPECT_TRUE(batch->isVisible());
    EXPECT_FALSE(editor->isVisible());

    // A click goes the same way.
    QTest::mouseClick(trv->viewport(), Qt::LeftButton, {},
                      trv->visualItemRect(trv->topLevelItem(2)).center());
    QApplication::processEvents();
    EXPECT_TRUE(info->isVisible());
    EXPECT_EQ(trv->currentItem(), trv->topLevelItem(2));

    // Showing by key highlights the node.
    EXPECT_TRUE(w.showPanel("ucTagEditor"));
    EXPECT_EQ(trv->selectedItems(), QList<QTreeWidgetItem*>{trv->topLevelItem(1)});
}

TEST_F(frmFrameTest, PanelThatMayNotBeLeftKeepsItsNodeAndTheWindow)
{
    frmFrame w(standardPanels());
    w.show();
    QTreeWidget* trv = tree(w);
    w.showPanel("ucTagEditor");
    editor->m_mayLeave = false;
    const int asked = editor->m_leaveAsked;

    trv->setFocus();
    QTest::keyClick(trv, Qt::Key_Down);
    QApplication::processEvents();
    EXPECT_EQ(editor->m_leaveAsked, asked + 1);
    EXPECT_TRUE(editor->isVisible());
    EXPECT_FALSE(info->isVisible());
    EXPECT_EQ(trv->currentItem(), trv->topLevelItem(1));
    EXPECT_EQ(trv->selectedItems(), QList<QTreeWidgetItem*>{trv->topLevelItem(1)});
    EXPECT_FALSE(w.showPanel("ucBatch"));

    // The shown panel's own node is no move and asks nothing.
    EXPECT_TRUE(w.showPanel("ucTagEditor"));
    EXPECT_EQ(editor->m_leaveAsked, asked + 2);

    EXPECT_FALSE(w.close());
    EXPECT_TRUE(w.isVisible());
    EXPECT_FALSE(QFile::exists(settingsFile())) << "a refused close stores nothing";

    editor->m_mayLeave = true;
    EXPECT_TRUE(w.close());
}

TEST_F(frmFrameTest, CounterShowsWithThePanelThatReportedIt)
{
    frmFrame w(standardPanels());
    w.show();
    w.showPanel("ucTagEditor");
    emit editor->ShowCounter("2");
    EXPECT_EQ(w.statusText(2), "2");
    w.showPanel("ucBatch");
    EXPECT_EQ(w.statusText(2), "");
    w.showPanel("ucTagEditor");
    EXPECT_EQ(w.statusText(2), "2");
}

TEST_F(frmFrameTest, NodeWithoutImageHasNoIcon)
{
    auto* panel = new FakePanel("ucPlainIcon", "Plain", true);
    panel->m_hasImage = false;
    frmFrame w({panel});
    EXPECT_TRUE(tree(w)->topLevelItem(0)->icon(0).isNull());
}

TEST_F(frmFrameTest, ClickingANodeShowsOnlyThatPanelInsideTheContentPane)
{
    frmFrame w(standardPanels());
    w.show();
    QWidget* picRightPanel = child(w, "picRightPanel");
    auto* scrPanel = w.findChild<VellumCtl::Vellum*>("scrPanel");

    w.showPanel("ucBatch");
    EXPECT_TRUE(batch->isVisible());
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(batch->parentWidget(), picRightPanel);
    EXPECT_EQ(batch->pos(), QPoint(0, 0));
    // Fixed size: designed size, scrolled.
    EXPECT_EQ(batch->size(), QSize(700, 500));
    EXPECT_EQ(picRightPanel->size(), QSize(700, 500));
    EXPECT_EQ(scrPanel->SliderAppereance(), VellumCtl::socBoth);
    EXPECT_EQ(w.statusText(1), "");

    w.showPanel("UCTAGEDITOR");
    EXPECT_FALSE(batch->isVisible());
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(scrPanel->SliderAppereance(), VellumCtl::socNone);
    EXPECT_EQ(editor->size(), visibleArea(*scrPanel));

    // The same node again shows the same panel.
    w.showPanel("ucTagEditor");
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(editor->parentWidget(), picRightPanel);
}

TEST_F(frmFrameTest, WindowResizeRefitsAResizablePanelButNotAFixedOne)
{
    frmFrame w(standardPanels());
    w.show();
    auto* scrPanel = w.findChild<VellumCtl::Vellum*>("scrPanel");
    w.showPanel("ucTagEditor");
    w.resize(w.width() + 80, w.height() + 40);
    QApplication::processEvents();
    EXPECT_EQ(editor->size(), visibleArea(*scrPanel));

    w.showPanel("ucBatch");
    w.resize(w.width() - 120, w.height() - 60);
    QApplication::processEvents();
    EXPECT_EQ(batch->size(), QSize(700, 500));
}

TEST_F(frmFrameTest, LayoutFollowsTheSplitterBar)
{
    frmFrame w(standardPanels());
    w.show();
    QWidget* left = child(w, "picLeftPanel");
    QWidget* bar = child(w, "picSplit");
    QWidget* scr = child(w, "scrPanel");
    EXPECT_EQ(bar->x(), Platform::twipsToPixels(2250));
    EXPECT_EQ(bar->width(), Platform::twipsToPixels(60));
    EXPECT_EQ(left->geometry(), QRect(0, 0, bar->x(), w.centralWidget()->height()));
    EXPECT_EQ(tree(w)->size(), left->size());
    EXPECT_EQ(scr->geometry(),
              QRect(bar->x() + bar->width(), 0, w.centralWidget()->width() - bar->x() - bar->width(),
                    w.centralWidget()->height()));

    // Dragging with the left button moves the bar and the areas with it.
    QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(2, 10));
    QTest::mouseMove(bar, QPoint(32, 10));
    QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(32, 10));
    EXPECT_EQ(bar->x(), Platform::twipsToPixels(2250) + 30);
    EXPECT_EQ(left->width(), bar->x());
    EXPECT_EQ(scr->x(), bar->x() + bar->width());

    // One fast step past the right margin ends at the margin when released
    // (while the bar holds the focus, as it does after a click).
    QApplication::setActiveWindow(&w);
    bar->setFocus();
    ASSERT_TRUE(bar->hasFocus());
    QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(2, 10));
    QTest::mouseMove(bar, QPoint(w.width(), 10));
    QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(w.width(), 10));
    const int m = 10 * QFontMetrics(w.font()).horizontalAdvance(QLatin1Char('A'));
    EXPECT_EQ(bar->x(), w.centralWidget()->width() - m - bar->width());
    EXPECT_EQ(scr->x(), bar->x() + bar->width());

    // A right-button drag does not move it.
    const int before = bar->x();
    QMouseEvent rightMove(QEvent::MouseMove, QPointF(40, 10), bar->mapToGlobal(QPointF(40, 10)), Qt::NoButton,
                          Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(bar, &rightMove);
    EXPECT_EQ(bar->x(), before);
}

TEST_F(frmFrameTest, NarrowWindowClampsTheBarToTheRightMarginAndKeepsTheLeftOne)
{
    frmFrame w(standardPanels());
    w.show();
    QWidget* bar = child(w, "picSplit");
    bar->move(400, bar->y());
    w.resize(120, w.height()); // stops at the minimum width
    QApplication::processEvents();
    const int m = 10 * QFontMetrics(w.font()).horizontalAdvance(QLatin1Char('A'));
    EXPECT_EQ(bar->x(), w.width() - m - bar->width());
    EXPECT_GE(bar->x(), m);
}

TEST_F(frmFrameTest, MinimizedWindowDoesNoLayout)
{
    frmFrame w(standardPanels());
    w.show();
    QWidget* bar = child(w, "picSplit");
    QWidget* left = child(w, "picLeftPanel");
    const QRect leftBefore = left->geometry();
    w.setWindowState(Qt::WindowMinimized);
    bar->move(2, bar->y()); // left of the margin: a layout would clamp it
    w.resize(w.width() + 50, w.height());
    QApplication::processEvents();
    EXPECT_EQ(bar->x(), 2);
    EXPECT_EQ(left->geometry(), leftBefore);
}

TEST_F(frmFrameTest, PanelEventsReachTheStatusBarAndExitClosesTheWindow)
{
    frmFrame w(standardPanels());
    w.show();
    emit editor->ShowMessage("Tag saved.");
    EXPECT_EQ(w.statusText(1), "Tag saved.");
    emit editor->ShowCounter("12");
    EXPECT_EQ(w.statusText(2), "12");
    emit batch->ShowMessage("Scanning");
    EXPECT_EQ(w.statusText(1), "Scanning");
    EXPECT_EQ(w.statusBar()->findChild<QWidget*>("MSG")->toolTip(), "Message");
    EXPECT_EQ(w.statusBar()->findChild<QWidget*>("DATA_GIVEN")->toolTip(), "Num data given");

    emit info->ExitApplication();
    EXPECT_FALSE(w.isVisible());
    EXPECT_TRUE(QFile::exists(settingsFile()));
}

TEST_F(frmFrameTest, MenusCarryTheirAccelerators)
{
    frmFrame w(standardPanels());
    QStringList titles;
    for (QAction* menu : w.menuBar()->actions()) {
        titles << menu->text();
        for (QAction* item : menu->menu()->actions())
            titles << (item->isSeparator() ? "-" : item->text());
    }
    EXPECT_EQ(titles, (QStringList{"&File", "&Open Files...", "Add &Folder...", "&Recent Folders", "-",
                                   "E&xit", "&Edit", "Undo Last &Save", "Undo Last &Run", "&Help", "&Info...",
                                   "-", "&About..."}));
    EXPECT_EQ(w.findChild<QAction*>("mnuExit")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
    EXPECT_EQ(w.findChild<QAction*>("mnuOpenFiles")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
    EXPECT_EQ(w.findChild<QAction*>("mnuAbout")->shortcut(), QKeySequence(Qt::Key_F1));
    // Every node explains itself; a panel without a description shows its node text.
    EXPECT_EQ(tree(w)->topLevelItem(1)->toolTip(0), "Marcato");
}

TEST_F(frmFrameTest, EditMenuUndoesTheNewestSaveAndRefreshesThePanels)
{
    const LegatoTest::StateHome state(m_dir.file("state"));
    const std::string file = m_dir.write("a.mp3", std::string(1000, 'a'));
    Quaver::FileHandler save;
    save.setFileName(file);
    save.ID3v1xTag()->setTagType(Quaver::ID3V11);
    ASSERT_EQ(Journal::RecordedWrite(save, Journal::Change::Save), Journal::RecordedResult::Written);

    frmFrame w(standardPanels());
    QMenu* edit = w.findChild<QMenu*>("mnuEdit");
    QAction* undoSave = w.findChild<QAction*>("mnuUndoSave");
    QAction* undoRun = w.findChild<QAction*>("mnuUndoRun");
    emit edit->aboutToShow();
    EXPECT_TRUE(undoSave->isEnabled());
    EXPECT_FALSE(undoRun->isEnabled()); // no batch run to undo

    Platform::MessageBoxRecorder boxes;
    undoSave->trigger();
    EXPECT_EQ(LegatoTest::readAll(file), std::string(1000, 'a'));
    EXPECT_EQ(editor->m_refreshed, QStringList{QString::fromStdString(file)});
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text, "Files restored: 1");
    emit edit->aboutToShow();
    EXPECT_FALSE(undoSave->isEnabled());
}

TEST_F(frmFrameTest, RecentFolderIsShownAndAddedToThePanelThatTakesFiles)
{
    QSettings(QSettings::IniFormat, QSettings::UserScope, "Legato", "Legato")
        .setValue("Recent/Folders", QStringList{"/m/old", "/m/a&b"});
    frmFrame w(standardPanels());
    w.show();
    QMenu* recent = w.findChild<QMenu*>("mnuRecent");
    emit recent->aboutToShow();
    ASSERT_EQ(recent->actions().size(), 2);
    EXPECT_EQ(recent->actions()[1]->text(), "/m/a&&b");
    recent->actions()[1]->trigger();
    QApplication::processEvents();
    // The first panel that takes files (in placement order) is shown and gets the folder.
    EXPECT_EQ(batch->m_added, QStringList{"/m/a&b"});
    EXPECT_TRUE(editor->m_added.isEmpty());
    EXPECT_TRUE(batch->isVisibleTo(batch->parentWidget()));
    EXPECT_EQ(QSettings(QSettings::IniFormat, QSettings::UserScope, "Legato", "Legato")
                  .value("Recent/Folders")
                  .toStringList(),
              (QStringList{"/m/a&b", "/m/old"}));
}

TEST_F(frmFrameTest, CtrlQClosesTheWindow)
{
    frmFrame w(standardPanels());
    w.show();
    QApplication::setActiveWindow(&w);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    QTest::keyClick(&w, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(w.isVisible());
}

namespace {

// Runs a menu command that opens a modal window and hands the window to
// inspect before closing it.
void withModalWindowOf(QAction* command, const std::function<void(QDialog*)>& inspect)
{
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        seen = true;
        inspect(dialog);
        dialog->accept();
    });
    command->trigger();
    EXPECT_TRUE(seen);
}

QStringList texts(QTreeWidget* list, int column, int from)
{
    QStringList result;
    for (int row = from; row < list->topLevelItemCount(); ++row)
        result << list->topLevelItem(row)->text(column);
    return result;
}

} // namespace

TEST_F(frmFrameTest, InfoListsTheFourComponentsAndAboutNamesTheProgram)
{
    setenv("LEGATO_REGISTRY_DIR", m_dir.path().c_str(), 1);
    frmFrame w(standardPanels());
    w.show();
    withModalWindowOf(w.findChild<QAction*>("mnuInfo"), [&](QDialog* info) {
        EXPECT_EQ(info->windowTitle(), "Information");
        EXPECT_EQ(info->parentWidget(), &w);
        auto* list = info->findChild<QTreeWidget*>("lvwInfo");
        EXPECT_EQ(texts(list, 0, 11),
                  (QStringList{"Quaver Reader/Writer", "File Version", "Scripting Library", "File Version",
                               "Jukebox DLL", "File Version", "Vellum Pane", "File Version"}));
        // Nothing is registered in this test's registry.
        EXPECT_EQ(texts(list, 1, 11), (QStringList{"False", "", "False", "", "False", "", "False", ""}));
        EXPECT_TRUE(list->topLevelItem(11)->font(0).bold());
    });
    withModalWindowOf(w.findChild<QAction*>("mnuAbout"), [&](QDialog* about) {
        EXPECT_EQ(about->windowTitle(), "About Legato");
        EXPECT_EQ(about->parentWidget(), nullptr);
        EXPECT_EQ(about->findChild<QLabel*>("lblVersion")->text(), "Version 1.0.0");
    });
    unsetenv("LEGATO_REGISTRY_DIR");
}

TEST_F(frmFrameTest, FirstRunUsesTheDesignedGeometry)
{
    frmFrame w(standardPanels());
    w.show();
    EXPECT_EQ(w.windowTitle(), "Legato");
    EXPECT_EQ(w.width(), Platform::twipsToPixels(9405));
    EXPECT_EQ(w.centralWidget()->height() + w.statusBar()->height(), Platform::twipsToPixels(5340));
    EXPECT_EQ(child(w, "picSplit")->x(), Platform::twipsToPixels(2250));
}

TEST_F(frmFrameTest, GeometryIsSavedAsTwipsAndRestoredExactly)
{
    QRect geometry;
    int splitLeft = 0;
    {
        frmFrame w(standardPanels());
        w.show();
        w.move(37, 41);
        w.resize(700, 450);
        QWidget* bar = child(w, "picSplit");
        bar->move(177, 0);
        geometry = QRect(w.pos(), w.size());
        splitLeft = bar->x();
        w.close();
    }
    QSettings stored(settingsFile(), QSettings::IniFormat);
    EXPECT_EQ(stored.value("Pos/Left").toString(), QString::number(geometry.x() * 15));
    EXPECT_EQ(stored.value("Pos/Top").toString(), QString::number(geometry.y() * 15));
    EXPECT_EQ(stored.value("Size/Width").toString(), "10500");
    EXPECT_EQ(stored.value("Size/Height").toString(), "6750");
    EXPECT_EQ(stored.value("SliderPos/X").toString(), "2655");

    frmFrame again(standardPanels());
    EXPECT_EQ(again.pos(), geometry.topLeft());
    EXPECT_EQ(again.size(), geometry.size());
    EXPECT_EQ(child(again, "picSplit")->x(), splitLeft);
}

TEST_F(frmFrameTest, UnusableStoredGeometryOpensAVisibleWindowOfUsableSize)
{
    {
        QSettings stored(settingsFile(), QSettings::IniFormat);
        stored.setValue("Size/Width", "-5000");
        stored.setValue("Size/Height", "1e38");
        stored.setValue("Pos/Left", "-100000");
        stored.setValue("Pos/Top", "100000");
    }
    frmFrame w(standardPanels());
    EXPECT_EQ(w.width(), Platform::twipsToPixels(9405));
    EXPECT_EQ(w.height(), Platform::twipsToPixels(5340) + w.menuBar()->sizeHint().height());
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(screen.contains(QRect(w.pos(), w.size()))) << w.x() << "," << w.y();

    // The window cannot be made so small that its controls are lost.
    w.show();
    w.resize(10, 10);
    QApplication::processEvents();
    EXPECT_EQ(w.size(), w.minimumSize());
    const int m = 10 * QFontMetrics(w.font()).horizontalAdvance(QLatin1Char('A'));
    EXPECT_GE(child(w, "scrPanel")->width(), m);
    EXPECT_GT(child(w, "trvApplications")->height(), 100);
    EXPECT_TRUE(w.statusBar()->isVisible());
}

TEST_F(frmFrameTest, StoredTextThatIsNotANumberKeepsTheDesignedValue)
{
    {
        QSettings stored(settingsFile(), QSettings::IniFormat);
        stored.setValue("Size/Width", "wide");
        stored.setValue("Size/Height", "7500.5");
        stored.setValue("SliderPos/X", "");
    }
    frmFrame w(standardPanels());
    EXPECT_EQ(w.width(), Platform::twipsToPixels(9405));
    EXPECT_EQ(w.height(), Platform::twipsToPixels(7500.5));
    EXPECT_EQ(child(w, "picSplit")->x(), Platform::twipsToPixels(2250));
}
