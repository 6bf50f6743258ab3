#pragma once

#include "BatchRun.h"

#include "IFrame.h"

#include <QElapsedTimer>
#include <QModelIndex>
#include <QWidget>

#include <memory>

class OtherTagsView;
class PathDropEdit;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QShortcut;
class QTabWidget;
class QTreeView;
class BatchResultModel;
class TagFormatCollection;
class ucID3v1xTag;

// The panel "Batch processing": the user names a directory, a file-name format
// and a default tag, and "&Process" tags every MP3 file below the directory
// from its name. Each file's outcome is listed under "Ok" or "Error" (by its
// name below the chosen folder; the full name is the tool tip); clicking a
// file previews the tag a run would write next to the tag it has now and its
// other tags (an ID3v2 tag that differs from the new tag is marked). During
// a run the button reads "&Stop", and it or Escape ends the run after the
// file in hand. The work itself is BatchRun's; this panel only gathers the
// settings and shows the outcomes.
class ucBatch : public QWidget, public IFrame
{
    Q_OBJECT
public:
    // Designed size in twips; the panel is not resized. Below the designed
    // area, one more row holds the ID3v2 check boxes.
    static constexpr int DesignedWidth = 9510;
    static constexpr int DesignedHeight = 6630;
    static constexpr int Id3v2RowHeight = 330;

    explicit ucBatch(QWidget* parent = nullptr);
    ~ucBatch() override;

    QLabel* AppImage() override;
    QString AppImageKey() override;
    QString AppTitle() override;
    QString AppNodeText() override;
    QString Key() override;
    bool HasImage() override;
    bool SupportsResize() override;
    QString NodeToolTip() override { return tr("Tag all MP3 files below a folder from their names"); }

    // "&Process": runs the batch over txtPath's tree. Returns when done or
    // stopped. A path that is no readable folder is reported in a message box
    // and nothing runs.
    void Process();
    // "&Stop" or Escape during a run: the run ends after the file in hand.
    void Stop();
    // Shows the preview for a node of the result tree: the tag the run derived for the file and the tag the
    // file has now. A group node changes nothing.
    void PreviewItem(const QModelIndex& index);
    // What showing the panel does: path, switches, formats and tree reset.
    void Reset();
    bool IsRunning() const { return m_Busy; }

    // The result tree's two group nodes, for the keys
    // "ok" and "error"; invalid for any other key.
    QModelIndex GroupNode(const QString& key) const;

signals:
    void ShowMessage(const QString& Message);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void BuildControls();
    void ChoosePath();
    void ProcessClicked();
    void SetRunning(bool running);
    void FetchInView();
    void Id3v2Clicked();

    PathDropEdit* txtPath = nullptr;
    QPushButton* cmdChoosePath = nullptr;
    QLabel* lblFormat = nullptr;
    QComboBox* cmbFormat = nullptr;
    QCheckBox* chkOverwrite = nullptr;
    QCheckBox* chkTestMode = nullptr;
    QPushButton* cmdOk = nullptr;
    QTreeView* trvFiles = nullptr;
    QGroupBox* fraNewTag = nullptr;
    ucID3v1xTag* ucNewTag = nullptr;
    QTabWidget* tabTags = nullptr;
    ucID3v1xTag* ucOldTag = nullptr;
    ucID3v1xTag* ucDefaultTag = nullptr;
    QLabel* imgAppImage = nullptr;
    OtherTagsView* vwOtherTags = nullptr;
    QCheckBox* chkAlsoId3v2 = nullptr;
    QCheckBox* chkCreateId3v2 = nullptr;
    QShortcut* m_StopKey = nullptr;

    std::shared_ptr<TagFormatCollection> m_Formats;
    BatchRun m_Run;
    BatchResultModel* m_Results = nullptr;
    bool m_Busy = false;
    // Since the last Stop: the second click of a double click on "&Stop" must
    // not start the next run.
    QElapsedTimer m_SinceStop;
};
