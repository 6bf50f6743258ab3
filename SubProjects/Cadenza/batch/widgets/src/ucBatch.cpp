#include "ucBatch.h"

#include "RecentFolders.h"

#include "BatchImages.h"
#include "BatchMessages.h"
#include "BatchPreview.h"
#include "BatchResultModel.h"
#include "PathDropEdit.h"

#include "FillFormatList.h"
#include "Id3v2SyncOption.h"
#include "OtherTagsView.h"
#include "TwipsLayout.h"
#include "ucID3v1xTag.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>
#include <QScrollBar>
#include <QShortcut>
#include <QShowEvent>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTreeView>

#include "Platform/FileNameCodec.h"
#include "Platform/MessageBox.h"

namespace {

// Translated where they are shown (context "ucBatch").
const char* const NodeText = QT_TRANSLATE_NOOP("ucBatch", "Batch processing");
const char* const ProcessCaption = QT_TRANSLATE_NOOP("ucBatch", "&Process");
const char* const StopCaption = QT_TRANSLATE_NOOP("ucBatch", "&Stop");

// Marks a file whose outcome carries a note (an ID3v2 tag that differs from
// the new tag) after its name, in the view only; the note itself is the
// node's tool tip.
class NoteMarkDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        if (index.parent().isValid() && index.model()->hasChildren(index) &&
            !index.data(BatchResultModel::NoteRole).toString().isEmpty())
            option->text += ucBatch::tr("  [ID3v2 differs]");
    }
};

} // namespace

ucBatch::ucBatch(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("ucBatch"));
    BuildControls();
    setFixedSize(Platform::twipsToPixels(DesignedWidth),
                 Platform::twipsToPixels(DesignedHeight + Id3v2RowHeight));

    connect(&m_Run, &BatchRun::ShowProgress, this, &ucBatch::ShowMessage);
    connect(&m_Run, &BatchRun::FileProcessed, m_Results, &BatchResultModel::Append);
    connect(cmdOk, &QPushButton::clicked, this, &ucBatch::ProcessClicked);
    // Escape anywhere in the window stops a run while the panel shows it; a
    // hidden panel's key is off, so Escape keeps its meaning elsewhere.
    m_StopKey = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    m_StopKey->setContext(Qt::WindowShortcut);
    m_StopKey->setEnabled(false);
    connect(m_StopKey, &QShortcut::activated, this, &ucBatch::Stop);
    connect(cmdChoosePath, &QPushButton::clicked, this, &ucBatch::ChoosePath);
    connect(trvFiles, &QTreeView::clicked, this, &ucBatch::PreviewItem);
    connect(trvFiles->selectionModel(), &QItemSelectionModel::currentChanged, this, &ucBatch::PreviewItem);
    connect(trvFiles->verticalScrollBar(), &QScrollBar::valueChanged, this, &ucBatch::FetchInView);
    connect(chkAlsoId3v2, &QCheckBox::clicked, this, &ucBatch::Id3v2Clicked);
    connect(chkCreateId3v2, &QCheckBox::clicked, this, &ucBatch::Id3v2Clicked);
}

ucBatch::~ucBatch() = default;

void ucBatch::BuildControls()
{
    auto* lblPath = new QLabel(tr("Path"), this);
    lblPath->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    placeTwips(lblPath, 0, 120, 675, 315);

    txtPath = new PathDropEdit(this);
    txtPath->setObjectName(QStringLiteral("txtPath"));
    txtPath->setToolTip(tr("Drag and drop a file from the directory you want to parse."));
    placeTwips(txtPath, 780, 120, 8145, 315);
    lblPath->setBuddy(txtPath);

    cmdChoosePath = new QPushButton(QStringLiteral("..."), this);
    cmdChoosePath->setObjectName(QStringLiteral("cmdChoosePath"));
    cmdChoosePath->setToolTip(tr("Choose path"));
    cmdChoosePath->setAccessibleName(tr("Choose path"));
    placeTwips(cmdChoosePath, 8985, 120, 405, 315);

    lblFormat = new QLabel(tr("Format"), this);
    lblFormat->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    placeTwips(lblFormat, 0, 555, 675, 315);

    cmbFormat = new QComboBox(this);
    cmbFormat->setObjectName(QStringLiteral("cmbFormat"));
    cmbFormat->setAccessibleDescription(tr("The pattern of the file names the fields are read from"));
    lblFormat->setBuddy(cmbFormat);
    placeTwips(cmbFormat, 780, 540, 3120, 345);

    chkOverwrite = new QCheckBox(tr("Overwrite exsisting tag"), this);
    chkOverwrite->setObjectName(QStringLiteral("chkOverwrite"));
    chkOverwrite->setAccessibleDescription(tr("Replace the tag of files that have one"));
    placeTwips(chkOverwrite, 4020, 555, 2760, 315);

    chkTestMode = new QCheckBox(tr("Test mode"), this);
    chkTestMode->setObjectName(QStringLiteral("chkTestMode"));
    chkTestMode->setAccessibleDescription(tr("List what would be written without writing"));
    placeTwips(chkTestMode, 6840, 555, 1320, 315);

    cmdOk = new QPushButton(tr(ProcessCaption), this);
    cmdOk->setObjectName(QStringLiteral("cmdOk"));
    cmdOk->setAccessibleDescription(
        tr("Tag every MP3 file below the path; during a run it stops the run, as Escape does"));
    placeTwips(cmdOk, 8265, 510, 1125, 375);

    m_Results = new BatchResultModel(this);
    for (const QString& key : {BatchImages::OkKey, BatchImages::ErrorKey, BatchImages::InfoKey})
        m_Results->SetImage(key, BatchImages::Image(key));
    trvFiles = new QTreeView(this);
    trvFiles->setObjectName(QStringLiteral("trvFiles"));
    trvFiles->setModel(m_Results);
    trvFiles->setAccessibleName(tr("Results"));
    trvFiles->setAccessibleDescription(tr("The processed files under Ok and Error, each with its outcome"));
    trvFiles->setHeaderHidden(true);
    trvFiles->setItemDelegate(new NoteMarkDelegate(trvFiles));
    // Every row is one line of text: the view can then lay out tens of
    // thousands of rows without measuring each.
    trvFiles->setUniformRowHeights(true);
    trvFiles->setAnimated(false);
    // Full file names, with a horizontal scroll bar when they are long; the
    // header measures only the rows in view, never all of them.
    trvFiles->header()->setStretchLastSection(false);
    trvFiles->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    trvFiles->header()->setResizeContentsPrecision(0);
    placeTwips(trvFiles, 120, 1020, 5130, 5490);

    fraNewTag = new QGroupBox(tr("New Tag"), this);
    placeTwips(fraNewTag, 5370, 960, 4020, 2520);
    ucNewTag = new ucID3v1xTag(fraNewTag);
    ucNewTag->setObjectName(QStringLiteral("ucNewTag"));
    placeTwips(ucNewTag, 120, 300, ucID3v1xTag::DesignedWidth, ucID3v1xTag::DesignedHeight);

    tabTags = new QTabWidget(this);
    tabTags->setObjectName(QStringLiteral("tabTags"));
    placeTwips(tabTags, 5370, 3570, 4020, 2940);
    auto addTagTab = [this](const QString& caption, const QString& name) {
        auto* page = new QWidget;
        auto* panel = new ucID3v1xTag(page);
        panel->setObjectName(name);
        placeTwips(panel, 60, 120, ucID3v1xTag::DesignedWidth, ucID3v1xTag::DesignedHeight);
        tabTags->addTab(page, caption);
        return panel;
    };
    ucOldTag = addTagTab(tr("Original Tag"), QStringLiteral("ucOldTag"));
    ucDefaultTag = addTagTab(tr("Default Tag"), QStringLiteral("ucDefaultTag"));
    auto* othersPage = new QWidget;
    vwOtherTags = new OtherTagsView(othersPage);
    placeTwips(vwOtherTags, 60, 60, 3840, 2460);
    // A short caption, so the three tabs fit the designed width.
    const int othersTab = tabTags->addTab(othersPage, tr("Others"));
    tabTags->setTabToolTip(othersTab, tr("The file's other tags, marked where they differ from the new tag"));

    // The row below the designed area: whether a write also puts the fields
    // into each file's ID3v2 tag (remembered).
    chkAlsoId3v2 = new QCheckBox(tr("Also update &ID3v2"), this);
    chkAlsoId3v2->setObjectName(QStringLiteral("chkAlsoId3v2"));
    chkAlsoId3v2->setToolTip(
        tr("A write also puts the fields into the file's ID3v2 tag, with their full text"));
    placeTwips(chkAlsoId3v2, 120, DesignedHeight, 2400, 255);
    chkCreateId3v2 = new QCheckBox(tr("Create an ID3v2 tag &where there is none"), this);
    chkCreateId3v2->setObjectName(QStringLiteral("chkCreateId3v2"));
    chkCreateId3v2->setToolTip(tr("A file without an ID3v2 tag gets one (ID3v2.4)"));
    placeTwips(chkCreateId3v2, 2640, DesignedHeight, 4500, 255);
    const auto sync = Id3v2SyncOption::Stored(objectName());
    chkAlsoId3v2->setChecked(Id3v2SyncOption::AlsoChecked(sync));
    chkCreateId3v2->setChecked(Id3v2SyncOption::CreateChecked(sync));
    chkCreateId3v2->setEnabled(chkAlsoId3v2->isChecked());

    imgAppImage = new QLabel(this);
    imgAppImage->setObjectName(QStringLiteral("imgAppImage"));
    imgAppImage->setPixmap(BatchImages::AppImage());
    imgAppImage->hide();
}

QLabel* ucBatch::AppImage()
{
    return imgAppImage;
}

QString ucBatch::AppImageKey()
{
    return Key();
}

QString ucBatch::AppTitle()
{
    return AppNodeText();
}

QString ucBatch::AppNodeText()
{
    return tr(NodeText);
}

QString ucBatch::Key()
{
    return objectName();
}

bool ucBatch::HasImage()
{
    return true;
}

bool ucBatch::SupportsResize()
{
    return false;
}

void ucBatch::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // A window coming back from being minimised is no new showing of the
    // panel; and a run in progress keeps its tree and settings.
    if (!event->spontaneous() && !IsRunning())
        Reset();
}

void ucBatch::Reset()
{
    ucDefaultTag->setEnabled(true);
    txtPath->setText(QCoreApplication::applicationDirPath());
    chkTestMode->setChecked(true);
    chkOverwrite->setChecked(false);
    modTagFormat::FillFormatList(m_Formats, cmbFormat);
    m_Results->Clear();
}

QModelIndex ucBatch::GroupNode(const QString& key) const
{
    if (key == BatchResultModel::OkKey)
        return m_Results->GroupIndex(BatchOutcome::Group::Ok);
    if (key == BatchResultModel::ErrorKey)
        return m_Results->GroupIndex(BatchOutcome::Group::Error);
    return {};
}

void ucBatch::ChoosePath()
{
    // From the path typed, else the folder used last.
    const QString start = txtPath->text().isEmpty() ? RecentFolders::Stored().value(0) : txtPath->text();
    const QString folder = QFileDialog::getExistingDirectory(this, tr("Choose path"), start);
    if (folder.isEmpty())
        return;
    txtPath->setText(folder);
    RecentFolders::Store(folder);
}

void ucBatch::ProcessClicked()
{
    if (m_Run.IsRunning()) {
        Stop();
        return;
    }
    if (m_SinceStop.isValid() && !m_SinceStop.hasExpired(QApplication::doubleClickInterval()))
        return;
    Process();
}

void ucBatch::Stop()
{
    if (!m_Run.IsRunning())
        return;
    m_Run.Cancel();
    m_SinceStop.start();
}

// The button is "&Stop" and Escape is live exactly while the scanner runs.
void ucBatch::SetRunning(bool running)
{
    cmdOk->setText(tr(running ? StopCaption : ProcessCaption));
    cmdOk->setEnabled(true);
    m_StopKey->setEnabled(running);
}

void ucBatch::Process()
{
    if (IsRunning() || !m_Formats)
        return;
    BatchSettings settings;
    settings.Format = m_Formats->ItemAt(cmbFormat->currentIndex() + 1);
    if (!settings.Format)
        return;
    // The field shows the folder as text; the run takes the bytes it stands for.
    const std::string path = Platform::EncodeFileName(txtPath->text());
    const QString problem = BatchRun::FolderProblem(path);
    if (!problem.isEmpty()) {
        Platform::MsgBox({problem.toStdString(), QGuiApplication::applicationDisplayName().toStdString(),
                          Platform::MsgIcon::Warning, Platform::MsgButtons::Ok});
        return;
    }
    // A copy: editing the default tag while the run goes on (or previewing,
    // which collects the fields) must not change the files still to come.
    settings.DefaultTag = std::make_shared<Quaver::Tag>(*ucDefaultTag->ID3v1xTag());
    settings.TestMode = chkTestMode->isChecked();
    settings.Overwrite = chkOverwrite->isChecked();
    settings.AlsoId3v2 = Id3v2SyncOption::FromChecks(chkAlsoId3v2->isChecked(), chkCreateId3v2->isChecked());
    settings.NoteId3v2 = true;

    // Busy, not wait: the panel still takes the click on "&Stop".
    QApplication::setOverrideCursor(Qt::BusyCursor);
    m_Busy = true;
    chkTestMode->setEnabled(false);
    // Off while the status is shown (which lets events through) and until the
    // scanner runs, so that no click falls between two runs.
    cmdOk->setEnabled(false);
    {
        // However the run ends, an exception from deep inside included, the
        // panel is usable again afterwards.
        const auto idle = qScopeGuard([this] {
            SetRunning(false);
            chkTestMode->setEnabled(true);
            m_Busy = false;
            QApplication::restoreOverrideCursor();
        });
        emit ShowMessage(BatchMessages::PleaseWait());
        m_Results->Start(settings);

        SetRunning(true);
        m_Run.Run(path, settings);

        m_Results->Publish();
        trvFiles->expand(GroupNode(BatchResultModel::OkKey));
        trvFiles->expand(GroupNode(BatchResultModel::ErrorKey));
        ucNewTag->Clear();
        ucOldTag->Clear();
        vwOtherTags->Clear();
    }
    if (!m_Run.Problem().isEmpty()) {
        // The undo journal could not be written, so the run wrote nothing (more).
        emit ShowMessage(m_Run.Problem());
        Platform::MsgBox({m_Run.Problem().toStdString(),
                          QGuiApplication::applicationDisplayName().toStdString(),
                          Platform::MsgIcon::Critical});
        return;
    }
    emit ShowMessage(m_Run.WasCancelled() ? BatchMessages::Stopped(m_Run.Counts()) : QString());
}

// A group whose last shown row scrolls into view shows its next rows.
void ucBatch::FetchInView()
{
    for (const QString& key : {BatchResultModel::OkKey, BatchResultModel::ErrorKey}) {
        const QModelIndex group = GroupNode(key);
        if (!trvFiles->isExpanded(group) || !m_Results->HasMore(group))
            continue;
        const QModelIndex last = m_Results->index(m_Results->rowCount(group) - 1, 0, group);
        if (trvFiles->visualRect(last).intersects(trvFiles->viewport()->rect()))
            m_Results->ShowMore(group);
    }
}

void ucBatch::PreviewItem(const QModelIndex& index)
{
    const BatchPreview preview = m_Results->Preview(index);
    if (!preview.NewTag)
        return;
    ucNewTag->setID3v1xTag(preview.NewTag);
    ucNewTag->Show();
    if (preview.OldTag) {
        ucOldTag->setID3v1xTag(preview.OldTag);
        ucOldTag->Show();
    } else {
        ucOldTag->Clear();
    }
    vwOtherTags->Show(TabulateOtherTags(preview.Others, preview.NewTag.get()));
}

void ucBatch::Id3v2Clicked()
{
    chkCreateId3v2->setEnabled(chkAlsoId3v2->isChecked());
    Id3v2SyncOption::Store(
        objectName(), Id3v2SyncOption::FromChecks(chkAlsoId3v2->isChecked(), chkCreateId3v2->isChecked()));
}
