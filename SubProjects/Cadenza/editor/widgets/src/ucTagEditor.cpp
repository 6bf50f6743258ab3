#include "ucTagEditor.h"

#include "ApplicationVersion.h"
#include "EditorTexts.h"
#include "FileDrop.h"
#include "FileListView.h"
#include "FillFormatList.h"
#include "Id3v2SyncOption.h"
#include "OtherTagsView.h"
#include "PlayerRemote.h"
#include "TwipsLayout.h"
#include "modListView.h"
#include "ucID3v1xTag.h"

#include "Platform/FileNameCodec.h"
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
#include <QShortcut>
#include <QShowEvent>
#include <filesystem>

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

bool isDirectory(const std::string& path)
{
    std::error_code ec;
    return std::filesystem::is_directory(path, ec);
}

// How much further right than designed everything beside the field panel sits.
// At the designed size the field panel has its full width; a narrower editor
// takes the difference from the fields first, so that nothing is cut off.
constexpr int Wider = ucID3v1xTag::FullWidth - ucID3v1xTag::DesignedWidth;

// The column right of the parsing options (which end at 6735 twips): the
// ID3v2 check boxes and the other tags. At least this wide, wider with the panel.
constexpr int OtherTagsLeft = 6840;
constexpr int OtherTagsWidth = 3300;

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
    resize(sizeHint());
    applyCommands();
}

ucTagEditor::~ucTagEditor()
{
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
    lvwData->setHeaderLabels({tr("Files")});
    placeTwips(lvwData, 0, 3120, 4935 + Wider, 1095);

    imgAppImage = new QLabel(this);
    imgAppImage->setObjectName(QStringLiteral("imgAppImage"));
    imgAppImage->setPixmap(noteIcon());
    imgAppImage->hide();

    createId3v2Controls();
    placeBesideFields(Wider);

    connect(lvwData, &FileListView::dataDropped, this, &ucTagEditor::lvwData_Drop);
    connect(lvwData, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { lvwData_Choose(item); });
    // Moving through the list with the keyboard shows each file as a click does.
    connect(lvwData, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current) {
        if (current && current->isSelected())
            lvwData_Choose(current);
    });
    connect(lvwData, &QTreeWidget::itemSelectionChanged, this, &ucTagEditor::lvwData_SelectionChanged);
    connect(lvwData, &QTreeWidget::itemDoubleClicked, this, &ucTagEditor::lvwData_DblClick);
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
    lvwData->setHeaderLabels({tr("Files")});
    m_session.PanelShown();
    applyCommands();
    modTagFormat::FillFormatList(m_Formats, cmbFormat);
    chkOverwriteEmpty->setChecked(true);
    modListView::AutoSizeColumns(lvwData, modListView::AutoSizeUseHeader);
}

void ucTagEditor::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    if (event->spontaneous())
        return;
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

QTreeWidgetItem* ucTagEditor::selectedEntry() const
{
    const QList<QTreeWidgetItem*> selected = lvwData->selectedItems();
    return selected.isEmpty() ? nullptr : selected.first();
}

std::string ucTagEditor::entryPath(const QTreeWidgetItem* item)
{
    return Platform::EncodeFileName(item->text(0));
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
    lvwData->clear();
    for (const std::string& path : *files) {
        // A folder is never a file to tag, whatever its name.
        if (IsMp3Name(path) && !isDirectory(path))
            new QTreeWidgetItem(lvwData, {Platform::DecodeFileName(path)});
    }
    ReportStatus(QString::number(files->size()), 2);
    modListView::AutoSizeColumns(lvwData, modListView::AutoSizeUseHeader);
}

void ucTagEditor::lvwData_Choose(QTreeWidgetItem* item)
{
    // Several chosen files are shown when the selection changes, and so is the
    // one left chosen when Ctrl+click takes another out of the selection.
    const auto selected = lvwData->selectedItems();
    if (!item || selected.size() > 1 || (!item->isSelected() && !selected.isEmpty()))
        return;
    showView(m_session.Choose(entryPath(item)));
    applyCommands();
}

void ucTagEditor::lvwData_DblClick()
{
    ReportStatus(EditorTexts::PleaseWait(), 1);
    QTreeWidgetItem* entry = selectedEntry();
    if (!entry) {
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
    std::vector<std::string> listed, offered;
    for (int i = 0; i < lvwData->topLevelItemCount(); ++i)
        listed.push_back(entryPath(lvwData->topLevelItem(i)));
    for (const QString& name : names) {
        const std::string path = Platform::EncodeFileName(name);
        if (isDirectory(path)) {
            const auto below = Mp3FilesBelow(path);
            offered.insert(offered.end(), below.begin(), below.end());
        } else {
            offered.push_back(path);
        }
    }
    const auto added = FilesToAdd(listed, offered);
    for (const std::string& path : added)
        new QTreeWidgetItem(lvwData, {Platform::DecodeFileName(path)});
    ReportStatus(QString::number(lvwData->topLevelItemCount()), 2);
    modListView::AutoSizeColumns(lvwData, modListView::AutoSizeUseHeader);
    if (!lvwData->currentItem() && lvwData->topLevelItemCount() > 0)
        lvwData->setCurrentItem(lvwData->topLevelItem(0));
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
}
