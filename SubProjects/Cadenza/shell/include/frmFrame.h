#pragma once

#include "Frames.h"

#include <QHash>
#include <QList>
#include <QMainWindow>
#include <QPixmap>
#include <memory>
#include <string>
#include <vector>

class QLabel;
class QTreeWidget;
class QTreeWidgetItem;
class clsVSplitter;

namespace VellumCtl {
class PictureBox;
class Vellum;
} // namespace VellumCtl

// The main window: a flat tree of panels on the left (trvApplications), the
// splitter bar picSplit, the scroll container scrPanel showing the content pane
// picRightPanel with the selected panel, and the status bar stbMain.
//
// Panels are handed over in placement order. Every one whose objectName starts
// with "uc" and that implements IFrame is registered under its Key. A panel may
// declare any of these Qt signals; the window connects them by name:
//   ShowMessage(QString)  -> status-bar panel 1 ("MSG")
//   ShowCounter(QString)  -> status-bar panel 2 ("DATA_GIVEN"), kept per panel
//                            and shown again with its panel
//   ExitApplication()     -> closes the window
// and any of these slots; the window calls them by name:
//   RefreshFiles(QStringList) <- an undo put these files back (decoded names)
//   AddFiles(QStringList)     <- File, Open Files or Add Folder chose these
//                                files or this folder (the panel is shown first)
//
// The Edit menu takes back the newest save or removal of the editor ("Undo
// Last Save") or the newest batch run ("Undo Last Run") through the undo
// journal; each command is on only while there is such a run.
//
// Position, size and splitter position are kept in the per-user settings
// (INI, organisation and application "Legato") as twips.
class frmFrame : public QMainWindow
{
    Q_OBJECT

public:
    explicit frmFrame(const QList<QWidget*>& panels, QWidget* parent = nullptr);
    ~frmFrame() override;

    // Sets the text of status-bar panel 1 or 2 and paints it at once.
    void ShowStatus(const QString& text, int number);
    // Fits the visible panel to the scroll container when it can be resized.
    void ResizeFrame();

    // Shows the panel registered under key and highlights its tree node, as
    // highlighting the node by mouse or keyboard does. The shown panel is
    // asked first whether it may be left (IFrame::QueryLeave); when it says
    // no, its node is highlighted again. Returns whether key's panel is shown.
    bool showPanel(const QString& key);

    const Frames& registry() const { return *m_Frames; }
    QString statusText(int number) const;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    void onShowMessage(const QString& Message);
    void onShowCounter(const QString& Counter);
    void onExitApplication();
    void mnuInfo_Click();
    void mnuAbout_Click();
    void mnuEdit_AboutToShow();
    void mnuOpenFiles_Click();
    void mnuAddFolder_Click();
    void mnuRecent_AboutToShow();

private:
    void createControls();
    void createMenus();
    // Undoes the newest run of the kinds, refreshes the panels and shows how it went.
    void undoLast(const std::vector<std::string>& kinds);
    // Shows the panel that takes files and hands it names; remembers folder.
    void addToList(const QStringList& names, const QString& folder);
    void Form_Load(const QList<QWidget*>& panels);
    void registerPanels();
    void Add(IFrame* Frame);
    void connectPanelEvents(QWidget* panel);
    void restoreGeometry();
    void saveGeometry();
    void Form_Resize();
    void followHighlight();
    void switchPanel(const QString& key);
    void highlightNode(const FrameMember* member);
    std::shared_ptr<FrameMember> shownMember() const;
    bool mayLeaveShownPanel();

    QWidget* m_inner = nullptr;
    QWidget* picLeftPanel = nullptr;
    QTreeWidget* trvApplications = nullptr;
    QWidget* picSplit = nullptr;
    VellumCtl::Vellum* scrPanel = nullptr;
    VellumCtl::PictureBox* picRightPanel = nullptr;
    QMenu* mnuRecent = nullptr;
    QAction* mnuUndoSave = nullptr;
    QAction* mnuUndoRun = nullptr;
    QLabel* m_msg = nullptr;
    QLabel* m_dataGiven = nullptr;
    QHash<QString, QPixmap> imlFrame;

    // The last counter text of each panel, by hosting control.
    QHash<const QObject*, QString> m_counters;
    bool m_highlighting = false;
    bool m_followPending = false;

    clsVSplitter* m_VSplitter = nullptr;
    std::unique_ptr<Frames> m_Frames;
};
