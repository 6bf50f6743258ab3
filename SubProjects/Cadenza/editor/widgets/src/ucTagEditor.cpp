#include "ucTagEditor.h"

#include "ApplicationVersion.h"
#include "EditorTexts.h"
#include "FileDrop.h"
#include "FileListModel.h"
#include "FileListView.h"
#include "FillFormatList.h"
#include "Id3v2SyncOption.h"
#include "OtherTagsView.h"
#include "PlayerRemote.h"
#include "TwipsLayout.h"
#include "modListView.h"
#include "ucID3v1xTag.h"

#include "Platform/FileNameCodec.h"
#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSettings>
#include <QShortcut>
#include <QShowEvent>

namespace {

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption, const QString& tip)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setToolTip(tip);
    return b;
}

QLabel* makeLabel(QWidget* parent, const QString& text, int left, int top, int width, int height)
{
    auto* l = new QLabel(text, parent);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    placeTwips(l, left, top, width, height);
    return l;
}

// The panel's 16 x 16 icon: a note.
QPixmap noteIcon()
{
    QPixmap pix(16, 16);
    pix.fill(Qt::transparent);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(30, 60, 140), 1.5));
    p.setBrush(QColor(30, 60, 140));
    p.drawEllipse(QRectF(2.5, 10.5, 5, 4));
    p.drawLine(QPointF(7.2, 12), QPointF(7.2, 2));
    p.drawLine(QPointF(7.2, 2), QPointF(12.5, 5));
    return pix;
}

// How much further right than designed everything beside the field panel sits.
// At the designed size the field panel has its full width; a narrower editor
// takes the difference from the fields first, so that nothing is cut off.
constexpr int Wider = ucID3v1xTag::FullWidth - ucID3v1xTag::DesignedWidth;

// The column right of the parsing options (which end at 6735 twips): the
// ID3v2 check boxes and the other tags. At least this wide, wider with the panel.
constexpr int OtherTagsLeft = 6840;
constexpr int OtherTagsWidth = 3300;

// Where the file list's column layout is remembered, beside the window's
// geometry and the recent folders.
constexpr char ListLayoutKey[] = "Editor/FileListColumns";

} // namespace

std::string ucTagEditor::applicationTitle()
{
    const std::string title = ApplicationVersion().title;
    return title.empty() ? QCoreApplication::applicationName().toStdString() : title;
}

ucTagEditor::ucTagEditor(QWidget* parent) : QWidget(parent), m_play(&PlayerRemote::Play)
{
    setObjectName(QStringLiteral("ucTagEditor"));
    useDesignedFontSize(this);
    createControls();
    restoreListLayout();
    resize(sizeHint());
    applyCommands();
}

ucTagEditor::~ucTagEditor()
{
    saveListLayout();
    // A player started from here is closed with the program.
    if (m_session.PlayerStarted())
        PlayerRemote::Close();
}

QSize ucTagEditor::sizeHint() const
{
    return {Platform::twipsToPixels(DesignedWidth), Platform::twipsToPixels(DesignedHeight)};
}

void ucTagEditor::createControls()
{
    txtFile = new QLineEdit(this);
    txtFile->setObjectName(QStringLiteral("txtFile"));
    txtFile->setReadOnly(true);
    txtFile->setAccessibleName(tr("File"));
    txtFile->setFocusPolicy(Qt::ClickFocus);
    QPalette face = txtFile->palette();
    face.setColor(QPalette::Base, face.color(QPalette::Button));
    txtFile->setPalette(face);
    placeTwips(txtFile, 0, 0, 4935 + Wider, 330);

    Label8 = makeLabel(this, tr("Format"), 0, 360, 855, 255);
    Label8->setObjectName(QStringLiteral("Label8"));
    cmbFormat = new QComboBox(this);
    cmbFormat->setObjectName(QStringLiteral("cmbFormat"));
    cmbFormat->setAccessibleDescription(tr("The pattern of the file name the fields are parsed from"));
    cmbFormat->setEditable(false);
    Label8->setBuddy(cmbFormat);

    cmdParse = makeButton(this, "cmdParse", tr("&Parse"), QString());
    cmdParse->setAccessibleDescription(
        tr("Fill the fields chosen in the parsing options from the file name"));

    ucID3v1xTag = new ::ucID3v1xTag(this);

    cmdEdit = makeButton(this, "cmdEdit", tr("&Edit"), tr("Edit tag"));
    cmdRemove = makeButton(this, "cmdRemove", tr("&Remove Tag"), tr("Remove the tag from the file"));
    cmdRemove->setAccessibleDescription(
        tr("Cut the tag off the end of the shown file; Edit, Undo Last Save puts it back"));
    cmdOk = makeButton(this, "cmdOk", tr("&Ok"), tr("Save tag"));
    cmdCancel = makeButton(this, "cmdCancel", tr("&Cancel"), tr("Undo changes"));
    cmdNumber =
        makeButton(this, "cmdNumber", tr("&Number"),
                   tr("Number Tracks: the chosen files get the tracks 1, 2, 3... in the list's order"));
    cmdNumber->setAccessibleName(tr("Number Tracks"));

    createParsingOptions();

    txtFilter = new QLineEdit(this);
    txtFilter->setObjectName(QStringLiteral("txtFilter"));
    txtFilter->setPlaceholderText(tr("Filter"));
    txtFilter->setClearButtonEnabled(true);
    txtFilter->setAccessibleName(tr("Filter"));
    txtFilter->setAccessibleDescription(tr("Shows only the files with this text in any column"));
    placeTwips(txtFilter, 0, 3120, 4935 + Wider, 315);

    m_files = new FileListModel(this);
    m_shown = new FileListProxy(this);
    m_shown->setSourceModel(m_files);
    lvwData = new FileListView(this);
    lvwData->setObjectName(QStringLiteral("lvwData"));
    lvwData->setToolTip(tr("Drag and drop MP3-Files."));
    lvwData->setAccessibleName(tr("Files"));
    lvwData->setAccessibleDescription(
        tr("Drop MP3 files here or paste them (Ctrl+V); Enter plays the chosen file"));
    lvwData->setRootIsDecorated(false);
    // Several files are chosen with Shift, Ctrl or Ctrl+A.
    lvwData->setSelectionMode(QAbstractItemView::ExtendedSelection);
    lvwData->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lvwData->setModel(m_shown);
    // Unsorted, the list keeps the order the files were added in; a third
    // click on a column's header goes back to it.
    lvwData->header()->setSortIndicatorClearable(true);
    lvwData->header()->setSortIndicator(-1, Qt::AscendingOrder);
    lvwData->setSortingEnabled(true);
    // Widths change only by the user or by fitting, so a changed width means
    // the user laid the columns out.
    lvwData->header()->setStretchLastSection(false);
    // Fitting a column measures the rows in view only, not thousands.
    lvwData->header()->setResizeContentsPrecision(0);
    createListColumnMenu();
    placeTwips(lvwData, 0, 3450, 4935 + Wider, 765);

    imgAppImage = new QLabel(this);
    imgAppImage->setObjectName(QStringLiteral("imgAppImage"));
    imgAppImage->setPixmap(noteIcon());
    imgAppImage->hide();

    createId3v2Controls();
    placeBesideFields(Wider);

    connect(txtFilter, &QLineEdit::textChanged, m_shown, &FileListProxy::setFilterFixedString);
    connect(m_files, &FileListModel::loadingFinished, this, &ucTagEditor::autoSizeList);
    connect(m_files, &FileListModel::filesAppended, this, &ucTagEditor::listGrew);
    connect(lvwData, &FileListView::dataDropped, this, &ucTagEditor::lvwData_Drop);
    connect(lvwData, &QAbstractItemView::clicked, this, &ucTagEditor::lvwData_Choose);
    // Moving through the list with the keyboard shows each file as a click does.
    connect(lvwData->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid() && lvwData->selectionModel()->isRowSelected(current.row()))
                    lvwData_Choose(current);
            });
    connect(lvwData, &QAbstractItemView::doubleClicked, this, &ucTagEditor::lvwData_DblClick);
    connect(lvwData->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &ucTagEditor::lvwData_SelectionChanged);
    // The keyboard's way to the same: a copied file list is pasted as its drop
    // would be, and Enter plays the chosen file as a double-click does.
    const auto listKey = [this](const QKeySequence& keys) {
        auto* shortcut = new QShortcut(keys, lvwData);
        shortcut->setContext(Qt::WidgetShortcut);
        return shortcut;
    };
    connect(listKey(QKeySequence::Paste), &QShortcut::activated, this,
            [this] { lvwData_Drop(QGuiApplication::clipboard()->mimeData()); });
    for (const int key : {Qt::Key_Return, Qt::Key_Enter})
        connect(listKey(QKeySequence(key)), &QShortcut::activated, this, &ucTagEditor::lvwData_DblClick);
    connect(cmdEdit, &QPushButton::clicked, this, &ucTagEditor::cmdEdit_Click);
    connect(cmdOk, &QPushButton::clicked, this, &ucTagEditor::cmdOk_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &ucTagEditor::cmdCancel_Click);
    connect(cmdRemove, &QPushButton::clicked, this, &ucTagEditor::cmdRemove_Click);
    connect(cmdNumber, &QPushButton::clicked, this, &ucTagEditor::cmdNumber_Click);
    connect(cmdParse, &QPushButton::clicked, this, &ucTagEditor::cmdParse_Click);
    connect(cmdOverwrite, &QPushButton::clicked, this, &ucTagEditor::cmdOverwrite_Click);
    connect(cmdCopyId3v2, &QPushButton::clicked, this, &ucTagEditor::cmdCopyId3v2_Click);
    connect(chkAlsoId3v2, &QCheckBox::clicked, this, &ucTagEditor::chkAlsoId3v2_Click);
    connect(chkCreateId3v2, &QCheckBox::clicked, this, &ucTagEditor::chkAlsoId3v2_Click);
}

void ucTagEditor::createId3v2Controls()
{
    // Its full name, "Copy from ID3v2", is also its tool tip and accessible name.
    cmdCopyId3v2 = makeButton(this, "cmdCopyId3v2", tr("Cop&y from ID3v2"),
                              tr("Copy from ID3v2: fill the fields from the file's ID3v2 tag"));
    cmdCopyId3v2->setAccessibleName(tr("Copy from ID3v2"));
    cmdCopyId3v2->setAccessibleDescription(
        tr("During an edit, fill the fields from the ID3v2 tag at the front of the shown file"));

    chkAlsoId3v2 = new QCheckBox(tr("Also update &ID3v2"), this);
    chkAlsoId3v2->setObjectName(QStringLiteral("chkAlsoId3v2"));
    chkAlsoId3v2->setToolTip(tr("Ok also writes the fields into the file's ID3v2 tag, with their full text"));
    chkCreateId3v2 = new QCheckBox(tr("Create an ID3v2 tag &where there is none"), this);
    chkCreateId3v2->setObjectName(QStringLiteral("chkCreateId3v2"));
    chkCreateId3v2->setToolTip(tr("A file without an ID3v2 tag gets one (ID3v2.4)"));
    const auto sync = Id3v2SyncOption::Stored(Key());
    chkAlsoId3v2->setChecked(Id3v2SyncOption::AlsoChecked(sync));
    chkCreateId3v2->setChecked(Id3v2SyncOption::CreateChecked(sync));
    chkCreateId3v2->setEnabled(chkAlsoId3v2->isChecked());
    m_session.SetAlsoId3v2(sync);
    ucID3v1xTag->SetFullTexts(chkAlsoId3v2->isChecked());

    vwOtherTags = new OtherTagsView(this);
}

void ucTagEditor::placeBesideFields(int wider)
{
    placeTwips(cmbFormat, 960, 360, 2775 + wider, 315);
    placeTwips(cmdParse, 3840 + wider, 360, 1095, 375);
    placeTwips(ucID3v1xTag, 0, 960, 3735 + wider, 2175);
    placeTwips(cmdEdit, 3840 + wider, 960, 1095, 375);
    placeTwips(cmdRemove, 3840 + wider, 1440, 1095, 375);
    placeTwips(cmdOk, 3840 + wider, 1920, 1095, 375);
    placeTwips(cmdCancel, 3840 + wider, 2280, 1095, 375);
    placeTwips(cmdNumber, 3840 + wider, 2700, 1095, 375);
    placeTwips(Frame1, 5160 + wider, 360, 1575, 2745);
    placeTwips(imgAppImage, 5280 + wider, 3360, 240, 240);
    const int left = OtherTagsLeft + wider;
    const int width = std::max(OtherTagsWidth, Platform::pixelsToTwips(contentsRect().width()) - left);
    placeTwips(chkAlsoId3v2, left, 360, width, 255);
    placeTwips(chkCreateId3v2, left + 240, 630, width - 240, 255);
    placeTwips(cmdCopyId3v2, left, 960, 1500, 375);
    placeTwips(vwOtherTags, left, 1395, width, 1710);
}

void ucTagEditor::createParsingOptions()
{
    Frame1 = new QGroupBox(tr("Parsing Options"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    QFont bold = Frame1->font();
    bold.setBold(true);
    Frame1->setFont(bold);
    // The children keep the panel's normal weight; only the caption is bold.
    QFont normal = bold;
    normal.setBold(false);

    cmdOverwrite = makeButton(Frame1, "cmdOverwrite", tr("O"), tr("Overwrite"));
    cmdOverwrite->setFont(normal);
    cmdOverwrite->setAccessibleName(tr("Overwrite"));
    cmdOverwrite->setAccessibleDescription(tr("Overwrite the checked fields with the parsed ones"));
    placeTwips(cmdOverwrite, 1080, 240, 255, 255);

    // One row per field: a caption clear of the frame's left edge, then the
    // box, the rows apart far enough that the boxes never touch.
    constexpr int FirstRow = 510;
    constexpr int RowPitch = 270;
    static const char* const captions[] = {QT_TR_NOOP("Title"),  QT_TR_NOOP("Artist"), QT_TR_NOOP("Album"),
                                           QT_TR_NOOP("Year"),   QT_TR_NOOP("Genre"),  QT_TR_NOOP("Track"),
                                           QT_TR_NOOP("Comment")};
    for (int i = 0; i < 7; ++i) {
        const int top = FirstRow + RowPitch * i;
        auto* box = new QCheckBox(Frame1);
        box->setObjectName(QStringLiteral("chkOverwrite"));
        box->setProperty("Index", i);
        box->setAccessibleDescription(tr("Parse this field from the file name"));
        placeTwips(box, 1080, top, 255, 255);
        chkOverwrite[static_cast<std::size_t>(i)] = box;
        QLabel* caption = makeLabel(Frame1, tr(captions[i]), 90, top, 930, 255);
        caption->setBuddy(box);
        caption->setFont(normal);
        fitCaption(caption);
    }

    chkOverwriteEmpty = new QCheckBox(tr("Empty only"), Frame1);
    chkOverwriteEmpty->setObjectName(QStringLiteral("chkOverwriteEmpty"));
    chkOverwriteEmpty->setToolTip(tr("Overwrite empty fields only"));
    chkOverwriteEmpty->setFont(normal);
    placeTwips(chkOverwriteEmpty, 60, FirstRow + RowPitch * 7 + 15, 1215, 255);
}

QLabel* ucTagEditor::AppImage()
{
    return imgAppImage;
}
QString ucTagEditor::AppImageKey()
{
    return Key();
}
QString ucTagEditor::AppTitle()
{
    return AppNodeText();
}
QString ucTagEditor::AppNodeText()
{
    return QStringLiteral("Marcato");
}
QString ucTagEditor::Key()
{
    return objectName();
}
bool ucTagEditor::HasImage()
{
    return true;
}
bool ucTagEditor::SupportsResize()
{
    return true;
}
QString ucTagEditor::NodeToolTip()
{
    return tr("Edit the tag of single MP3 files");
}

bool ucTagEditor::QueryLeave()
{
    switch (m_session.QueryLeave(ucID3v1xTag->TypedTexts(), applicationTitle())) {
    case TagEditorSession::LeaveChoice::Leave:
        return true;
    case TagEditorSession::LeaveChoice::Save:
        cmdOk_Click();
        return !m_session.Editing();
    case TagEditorSession::LeaveChoice::Stay:
        break;
    }
    return false;
}

void ucTagEditor::ReportStatus(const QString& text, int area)
{
    if (area == 1)
        emit ShowMessage(text);
    else if (area == 2)
        emit ShowCounter(text);
}

void ucTagEditor::applyCommands()
{
    const EditorCommands& c = m_session.Commands();
    ucID3v1xTag->setEnabled(c.Fields);
    lvwData->setEnabled(c.List);
    cmdEdit->setEnabled(c.Edit);
    cmdOk->setEnabled(c.OkCancelParse);
    cmdCancel->setEnabled(c.OkCancelParse);
    cmdParse->setEnabled(c.Parse());
    cmdRemove->setEnabled(c.Remove);
    cmdNumber->setEnabled(c.NumberTracks);
    cmdCopyId3v2->setEnabled(c.CopyId3v2);
}

void ucTagEditor::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (event->spontaneous())
        return;
    lvwData->move(0, lvwData->y());
    lvwData->setAllColumnsShowFocus(true);
    lvwData->setAlternatingRowColors(true);
    m_session.PanelShown();
    applyCommands();
    modTagFormat::FillFormatList(m_Formats, cmbFormat);
    chkOverwriteEmpty->setChecked(true);
    autoSizeList();
}

void ucTagEditor::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    if (event->spontaneous())
        return;
    saveListLayout();
    // An edit does not survive leaving the panel: the stored tag is shown again.
    const bool editing = m_session.Editing();
    const auto view = m_session.PanelHidden();
    if (!editing)
        return;
    applyCommands();
    if (view)
        showView(*view);
    else if (m_session.Several())
        showSeveral();
}

void ucTagEditor::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const QRect inner = contentsRect();
    const int narrower = DesignedWidth - Platform::pixelsToTwips(inner.width());
    placeBesideFields(Wider - std::clamp(narrower, 0, Wider));
    const int listHeight = inner.height() - lvwData->y();
    if (listHeight >= 0)
        lvwData->resize(inner.width(), listHeight);
    txtFile->resize(inner.width(), txtFile->height());
    txtFilter->resize(inner.width(), txtFilter->height());
}

void ucTagEditor::keyPressEvent(QKeyEvent* event)
{
    // Keys the focused control did not use arrive here.
    if (m_session.Editing()) {
        const int key = event->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            // A focused button takes Enter as a press, as in a dialog.
            if (auto* button = qobject_cast<QPushButton*>(focusWidget()))
                button->click();
            else
                cmdOk_Click();
            return;
        }
        if (key == Qt::Key_Escape) {
            cmdCancel_Click();
            return;
        }
    }
    QWidget::keyPressEvent(event);
}

void ucTagEditor::showView(const FileTagView& view)
{
    txtFile->setText(view.BaseName);
    vwOtherTags->Show(TabulateOtherTags(view.Others, view.Tag.get()));
    ucID3v1xTag->Clear();
    ucID3v1xTag->setTagType(view.Type);
    if (!view.Tag) {
        ReportStatus(view.Status, 1);
        return;
    }
    ucID3v1xTag->setID3v1xTag(view.Tag);
    ReportStatus(view.Status, 1);
    ucID3v1xTag->Show();
}

QModelIndex ucTagEditor::selectedEntry() const
{
    const QItemSelectionModel* selection = lvwData->selectionModel();
    const QModelIndex current = selection->currentIndex();
    if (current.isValid() && selection->isRowSelected(current.row()))
        return current;
    QModelIndexList rows = selection->selectedRows();
    if (rows.isEmpty())
        return {};
    return *std::min_element(rows.begin(), rows.end(),
                             [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
}

std::string ucTagEditor::entryPath(const QModelIndex& index) const
{
    return m_files->path(m_shown->mapToSource(index).row());
}

std::vector<std::string> ucTagEditor::selectedFiles() const
{
    QModelIndexList rows = lvwData->selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end(),
              [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    std::vector<std::string> files;
    files.reserve(static_cast<std::size_t>(rows.size()));
    for (const QModelIndex& row : rows)
        files.push_back(entryPath(row));
    return files;
}

std::vector<std::string> ucTagEditor::shownFiles() const
{
    std::vector<std::string> files;
    files.reserve(static_cast<std::size_t>(m_shown->rowCount()));
    for (int row = 0; row < m_shown->rowCount(); ++row)
        files.push_back(entryPath(m_shown->index(row, 0)));
    return files;
}

void ucTagEditor::createListColumnMenu()
{
    // The header's context menu shows and hides every column but the files.
    QHeaderView* header = lvwData->header();
    header->setContextMenuPolicy(Qt::ActionsContextMenu);
    for (int column = FileListModel::Name + 1; column < FileListModel::ColumnCount; ++column) {
        auto* action = new QAction(m_files->headerData(column, Qt::Horizontal).toString(), header);
        action->setCheckable(true);
        action->setChecked(true);
        connect(action, &QAction::toggled, this, [this, column](bool shown) {
            lvwData->setColumnHidden(column, !shown);
            m_listLayoutKept = true;
        });
        header->addAction(action);
    }
    const auto laidOut = [this] {
        if (!m_autoSizing)
            m_listLayoutKept = true;
    };
    connect(header, &QHeaderView::sectionResized, this, laidOut);
    connect(header, &QHeaderView::sectionMoved, this, laidOut);
    connect(header, &QHeaderView::sortIndicatorChanged, this, laidOut);
}

void ucTagEditor::autoSizeList()
{
    if (m_listLayoutKept)
        return;
    m_autoSizing = true;
    modListView::AutoSizeColumns(lvwData, modListView::AutoSizeUseHeader);
    m_autoSizing = false;
}

void ucTagEditor::restoreListLayout()
{
    const QSettings settings(QSettings::IniFormat, QSettings::UserScope, "Legato", "Legato");
    QHeaderView* header = lvwData->header();
    m_autoSizing = true;
    const bool restored = header->restoreState(settings.value(ListLayoutKey).toByteArray());
    m_autoSizing = false;
    if (!restored)
        return;
    m_listLayoutKept = true;
    const QList<QAction*> columns = header->actions();
    for (int i = 0; i < columns.size(); ++i) {
        const QSignalBlocker quiet(columns[i]);
        columns[i]->setChecked(!header->isSectionHidden(FileListModel::Name + 1 + i));
    }
    lvwData->sortByColumn(header->sortIndicatorSection(), header->sortIndicatorOrder());
}

void ucTagEditor::saveListLayout() const
{
    if (!m_listLayoutKept)
        return;
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, "Legato", "Legato");
    settings.setValue(ListLayoutKey, lvwData->header()->saveState());
}

void ucTagEditor::lvwData_Drop(const QMimeData* data)
{
    const auto files = data ? DroppedFiles(*data) : std::nullopt;
    if (!files) {
        ReportStatus(EditorTexts::WrongFormat(), 1);
        return;
    }
    if (files->empty()) {
        ReportStatus(EditorTexts::NoData(), 1);
        return;
    }
    m_files->clear();
    // The MP3 files among them come in as the list's worker finds them.
    m_countAdded = false;
    m_files->offer(*files, false);
    ReportStatus(QString::number(files->size()), 2);
    autoSizeList();
}

void ucTagEditor::lvwData_Choose(const QModelIndex& index)
{
    // Several chosen files are shown when the selection changes, and so is the
    // one left chosen when Ctrl+click takes another out of the selection.
    if (!index.isValid())
        return;
    const QItemSelectionModel* selection = lvwData->selectionModel();
    const QModelIndexList rows = selection->selectedRows();
    if (rows.size() > 1 || (!selection->isRowSelected(index.row()) && !rows.isEmpty()))
        return;
    showView(m_session.Choose(entryPath(index)));
    applyCommands();
}

void ucTagEditor::lvwData_DblClick()
{
    ReportStatus(EditorTexts::PleaseWait(), 1);
    const QModelIndex entry = selectedEntry();
    if (!entry.isValid()) {
        ReportStatus(QString(), 1);
        return;
    }
    const auto box = m_session.Play(entryPath(entry), m_play, applicationTitle());
    ReportStatus(QString(), 1);
    if (box)
        Platform::MsgBox(*box);
}

void ucTagEditor::cmdEdit_Click()
{
    m_session.Edit(ucID3v1xTag->TypedTexts());
    applyCommands();
    ucID3v1xTag->FocusField(TagField::Title);
}

void ucTagEditor::cmdOk_Click()
{
    if (m_session.Several()) {
        okSeveral();
        return;
    }
    if (const auto back = m_session.CheckSave(ucID3v1xTag->TypedTexts(), applicationTitle())) {
        ucID3v1xTag->FocusField(*back);
        return;
    }
    const auto outcome = m_session.Ok([this] { return ucID3v1xTag->ID3v1xTag(); });
    switch (outcome.Result) {
    case TagEditorSession::SaveResult::NoFile:
        applyCommands();
        ReportStatus(QString(), 1);
        break;
    case TagEditorSession::SaveResult::Saved:
        m_files->refresh({m_session.ShownFile()});
        applyCommands();
        showView(outcome.Shown);
        ReportStatus(outcome.Status, 1);
        break;
    case TagEditorSession::SaveResult::Failed:
        ReportStatus(outcome.Status, 1);
        break;
    }
}

void ucTagEditor::cmdCancel_Click()
{
    const auto view = m_session.Cancel();
    applyCommands();
    if (view)
        showView(*view);
    else if (m_session.Several())
        showSeveral();
}

void ucTagEditor::cmdRemove_Click()
{
    const auto outcome = m_session.RemoveTag(applicationTitle());
    switch (outcome.Result) {
    case TagEditorSession::RemoveResult::NoFile:
    case TagEditorSession::RemoveResult::Declined:
        break;
    case TagEditorSession::RemoveResult::Removed:
        m_files->refresh({m_session.ShownFile()});
        [[fallthrough]];
    case TagEditorSession::RemoveResult::NoTag:
        showView(outcome.Shown);
        ReportStatus(outcome.Status, 1);
        break;
    case TagEditorSession::RemoveResult::Failed:
        ReportStatus(outcome.Status, 1);
        break;
    }
    applyCommands();
}

void ucTagEditor::RefreshFiles(const QStringList& names)
{
    std::vector<std::string> files;
    files.reserve(static_cast<std::size_t>(names.size()));
    for (const QString& name : names)
        files.push_back(Platform::EncodeFileName(name));
    m_files->refresh(files);
    if (const auto view = m_session.FilesRestored(files)) {
        showView(*view);
        applyCommands();
    } else if (m_session.Several() && !m_session.Editing()) {
        showSeveral();
    }
}

void ucTagEditor::AddFiles(const QStringList& names)
{
    // Nothing is added while an edit locks the list.
    if (m_session.Editing())
        return;
    std::vector<std::string> offered;
    offered.reserve(static_cast<std::size_t>(names.size()));
    for (const QString& name : names)
        offered.push_back(Platform::EncodeFileName(name));
    // Sorted out and folders walked in the background; the files follow as found.
    m_countAdded = true;
    m_files->offer(std::move(offered), true);
}

void ucTagEditor::listGrew()
{
    // A drop counts what was dropped and chooses nothing.
    if (!m_countAdded) {
        autoSizeList();
        return;
    }
    ReportStatus(QString::number(m_files->rowCount()), 2);
    autoSizeList();
    // A walk may still deliver during an edit: the fields stay with their file.
    if (!m_session.Editing() && !lvwData->currentIndex().isValid() && m_shown->rowCount() > 0)
        lvwData->setCurrentIndex(m_shown->index(0, 0));
}

void ucTagEditor::cmdParse_Click()
{
    if (m_Formats) {
        if (auto pattern = m_Formats->Item(QString::number(cmbFormat->currentIndex()))) {
            ParseOptions options;
            for (std::size_t i = 0; i < chkOverwrite.size(); ++i)
                options.Overwrite[i] = chkOverwrite[i]->checkState() == Qt::Checked;
            options.EmptyOnly = chkOverwriteEmpty->checkState() == Qt::Checked;
            ParseIntoFields(*pattern, txtFile->text(), options, *ucID3v1xTag);
        }
    }
    ucID3v1xTag->Show();
}

void ucTagEditor::cmdOverwrite_Click()
{
    m_OverwriteState = m_OverwriteState == 1 ? 0 : 1;
    for (QCheckBox* box : chkOverwrite)
        box->setChecked(m_OverwriteState == 1);
}

void ucTagEditor::cmdCopyId3v2_Click()
{
    if (const auto record = m_session.CopyFromId3v2(ucID3v1xTag->TypedTexts(), applicationTitle())) {
        ucID3v1xTag->setID3v1xTag(record);
        ucID3v1xTag->Show();
    }
}

void ucTagEditor::chkAlsoId3v2_Click()
{
    chkCreateId3v2->setEnabled(chkAlsoId3v2->isChecked());
    const auto sync = Id3v2SyncOption::FromChecks(chkAlsoId3v2->isChecked(), chkCreateId3v2->isChecked());
    m_session.SetAlsoId3v2(sync);
    Id3v2SyncOption::Store(Key(), sync);
    ucID3v1xTag->SetFullTexts(chkAlsoId3v2->isChecked());
}
