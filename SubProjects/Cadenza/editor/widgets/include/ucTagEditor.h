#pragma once

#include "IFrame.h"
#include "ParseMerge.h"
#include "TagEditorSession.h"

#include <QWidget>
#include <array>
#include <memory>
#include <string>
#include <vector>

class FileListModel;
class FileListProxy;
class FileListView;
class OtherTagsView;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMimeData;
class QModelIndex;
class QPushButton;
class TagFormatCollection;
class ucID3v1xTag;

// The tag editor panel "Marcato": MP3 files dropped on the list, the chosen
// file's tag in the field panel (or what several chosen files have in common),
// the edit cycle (Edit, Ok, Cancel), numbering the tracks of several files
// (Number Tracks), removing the tag (Remove Tag), filling
// fields from the file name (Parse, with the "Parsing Options"), and playing a
// file on double-click. The edit cycle and the file bookkeeping live in
// TagEditorSession; this class owns the controls and applies its states.
class ucTagEditor : public QWidget, public IFrame
{
    Q_OBJECT

public:
    // The field panel is laid out at its full width, which moves the buttons
    // and the parsing options right by the difference to its designed width.
    static constexpr int DesignedWidth = 7530;
    static constexpr int DesignedHeight = 4230;

    using PlayerCall = TagEditorSession::PlayerCall;

    explicit ucTagEditor(QWidget* parent = nullptr);
    ~ucTagEditor() override;

    QLabel* AppImage() override;
    QString AppImageKey() override;
    QString AppTitle() override;
    QString AppNodeText() override;
    QString Key() override;
    bool HasImage() override;
    bool SupportsResize() override;
    QString NodeToolTip() override;
    // During an edit with changes, asks whether to save, discard or stay.
    bool QueryLeave() override;

    // State of the Overwrite button: 0 or 1.
    int OverwriteState() const { return m_OverwriteState; }

    // Replaces how a file is handed to the player (tests); the default is the
    // program-wide player remote.
    void setPlayerCall(PlayerCall play) { m_play = std::move(play); }

    QSize sizeHint() const override;

    // The paths (as the file system holds them) of the selected files, and of
    // every file the list shows, in the order the list shows them (sorted and
    // filtered as the user chose).
    std::vector<std::string> selectedFiles() const;
    std::vector<std::string> shownFiles() const;

public slots:
    // Files were put back by an undo (names as the file system holds them,
    // decoded): the fields show the shown file's stored tag again when it is
    // one of them.
    void RefreshFiles(const QStringList& names);
    // Adds the MP3 files among names (decoded) to the list, each once; a
    // folder adds every MP3 file below it, walked in the background. The list
    // keeps what it held.
    void AddFiles(const QStringList& names);

signals:
    void ShowMessage(const QString& Message);
    void ShowCounter(const QString& Counter);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    // During an edit, Enter is Ok and Escape is Cancel.
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The caption of the panel's boxes: the application's title.
    static std::string applicationTitle();
    void createControls();
    void createParsingOptions();
    void createId3v2Controls();
    // Places the field panel at its width plus wider (twips) and what stands
    // beside and right of it.
    void placeBesideFields(int wider);
    void ReportStatus(const QString& text, int area);
    void applyCommands();
    void showView(const FileTagView& view);
    // The entry a single-file command works on: the focused entry when it is
    // selected, else the first selected one; invalid when none is.
    QModelIndex selectedEntry() const;
    std::string entryPath(const QModelIndex& index) const;
    void createListColumnMenu();
    // Files came into the list: after an addition, counts them and chooses the
    // first when nothing is chosen yet.
    void listGrew();
    // Fits the columns to their contents, unless the user laid them out.
    void autoSizeList();
    void restoreListLayout();
    void saveListLayout() const;

    void lvwData_Drop(const QMimeData* data);
    void lvwData_Choose(const QModelIndex& index);
    void lvwData_DblClick();
    void cmdEdit_Click();
    void cmdOk_Click();
    void cmdCancel_Click();
    void cmdRemove_Click();
    void cmdParse_Click();
    void cmdOverwrite_Click();
    void cmdCopyId3v2_Click();
    void chkAlsoId3v2_Click();

    // Several files at once (ucTagEditorMulti.cpp).
    void refreshRows(const MultiTagEdit::Outcome& outcome);
    void lvwData_SelectionChanged();
    void showSeveral();
    void okSeveral();
    void cmdNumber_Click();
    void showResults(const MultiTagEdit::Outcome& outcome);

    TagEditorSession m_session;
    std::shared_ptr<TagFormatCollection> m_Formats;
    int m_OverwriteState = 0;
    PlayerCall m_play;

    QLineEdit* txtFile = nullptr;
    QLabel* Label8 = nullptr;
    QComboBox* cmbFormat = nullptr;
    QPushButton* cmdParse = nullptr;
    ::ucID3v1xTag* ucID3v1xTag = nullptr;
    QPushButton* cmdEdit = nullptr;
    QPushButton* cmdOk = nullptr;
    QPushButton* cmdCancel = nullptr;
    QPushButton* cmdRemove = nullptr;
    QPushButton* cmdNumber = nullptr;
    QGroupBox* Frame1 = nullptr;
    QPushButton* cmdOverwrite = nullptr;
    std::array<QCheckBox*, 7> chkOverwrite{};
    QCheckBox* chkOverwriteEmpty = nullptr;
    QLineEdit* txtFilter = nullptr;
    FileListView* lvwData = nullptr;
    FileListModel* m_files = nullptr;
    FileListProxy* m_shown = nullptr;
    // Whether the columns keep a layout the user chose (or one remembered
    // from an earlier start) rather than being fitted to their contents.
    bool m_listLayoutKept = false;
    bool m_autoSizing = false;
    // Whether the files coming in were added (File menu), which counts the
    // list and chooses its first file, rather than dropped.
    bool m_countAdded = false;
    QLabel* imgAppImage = nullptr;
    // Right of the parsing options: whether Ok also writes the ID3v2 tag, the
    // shown file's other tags, with Copy from ID3v2 above them.
    QCheckBox* chkAlsoId3v2 = nullptr;
    QCheckBox* chkCreateId3v2 = nullptr;
    OtherTagsView* vwOtherTags = nullptr;
    QPushButton* cmdCopyId3v2 = nullptr;
};
