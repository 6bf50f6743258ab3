#include "frmFrame.h"

#include "ApplicationVersion.h"
#include "IFrame.h"
#include "RecentFolders.h"
#include "UndoReport.h"
#include "WindowPlacement.h"
#include "clsVSplitter.h"
#include "frmInfo.h"

#include "About/frmAbout.h"

#include "Platform/FileNameCodec.h"
#include "Platform/MessageBox.h"
#include "Platform/Numeric.h"
#include "Platform/Twips.h"
#include "Vellum/Vellum.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QTreeWidget>

#include <optional>

namespace {

// Designed layout in twips: the inner area, the splitter bar's left edge and width.
constexpr int DesignedInnerWidth = 9405;
constexpr int DesignedInnerHeight = 5340;
constexpr int DesignedSplitLeft = 2250;
constexpr int DesignedSplitWidth = 60;
// The smallest inner area that keeps the tree, the splitter, the scroll
// container and both status-bar panels usable.
constexpr int MinimumInnerWidth = 4500;
constexpr int MinimumInnerHeight = 3000;

// Restores the default pointer however the switch ends.
struct WaitCursor
{
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

int mouseButtons(Qt::MouseButtons buttons)
{
    int result = 0;
    if (buttons & Qt::LeftButton)
        result |= clsVSplitter::LeftButton;
    if (buttons & Qt::RightButton)
        result |= clsVSplitter::RightButton;
    if (buttons & Qt::MiddleButton)
        result |= clsVSplitter::MiddleButton;
    return result;
}

int shiftState(Qt::KeyboardModifiers modifiers)
{
    int result = 0;
    if (modifiers & Qt::ShiftModifier)
        result |= 1;
    if (modifiers & Qt::ControlModifier)
        result |= 2;
    if (modifiers & Qt::AltModifier)
        result |= 4;
    return result;
}

QString applicationTitle()
{
    return QString::fromStdString(ApplicationVersion().title);
}

// The per-user settings store of the program.
constexpr const char* SettingsOrganisation = "Legato";
constexpr const char* SettingsApplication = "Legato";

} // namespace

frmFrame::frmFrame(const QList<QWidget*>& panels, QWidget* parent) : QMainWindow(parent)
{
    createControls();
    createMenus();
    Form_Load(panels);
}

frmFrame::~frmFrame() = default;

void frmFrame::createControls()
{
    m_inner = new QWidget(this);
    m_inner->setObjectName("frmFrameInner");
    setCentralWidget(m_inner);

    // The content pane belongs to the window; the scroll container only shows it.
    picRightPanel = new VellumCtl::PictureBox(m_inner);
    picRightPanel->setObjectName("picRightPanel");

    scrPanel = new VellumCtl::Vellum(m_inner);
    scrPanel->setObjectName("scrPanel");
    scrPanel->InitProperties();

    picLeftPanel = new QWidget(m_inner);
    picLeftPanel->setObjectName("picLeftPanel");
    picLeftPanel->installEventFilter(this);

    trvApplications = new QTreeWidget(picLeftPanel);
    trvApplications->setObjectName("trvApplications");
    trvApplications->setHeaderHidden(true);
    trvApplications->setAccessibleName(tr("Features"));
    trvApplications->setAccessibleDescription(tr("Choose the page to show on the right"));
    trvApplications->setRootIsDecorated(false);
    // The panel shown belongs to the highlighted node, however it was
    // highlighted (click, arrow keys). The switch runs once the tree has
    // finished handling the event, so that a panel asking the user whether it
    // may be left, and the highlight put back when the user stays, never cut
    // across the tree's own bookkeeping. The tree makes its first node current
    // without highlighting it when it takes the focus, so nothing opens at
    // start-up before the user asks.
    connect(trvApplications, &QTreeWidget::itemSelectionChanged, this, [this] {
        if (m_highlighting || m_followPending)
            return;
        m_followPending = true;
        QMetaObject::invokeMethod(this, &frmFrame::followHighlight, Qt::QueuedConnection);
    });
    // Enter on the current node highlights it.
    connect(trvApplications, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* node) { trvApplications->setCurrentItem(node); });

    picSplit = new QWidget(m_inner);
    picSplit->setObjectName("picSplit");
    picSplit->setCursor(Qt::SplitHCursor);
    picSplit->setAccessibleName(tr("Splitter"));
    picSplit->setFocusPolicy(Qt::ClickFocus);
    picSplit->installEventFilter(this);

    m_msg = new QLabel;
    m_msg->setObjectName("MSG");
    m_msg->setToolTip(tr("Message"));
    m_dataGiven = new QLabel;
    m_dataGiven->setObjectName("DATA_GIVEN");
    m_dataGiven->setToolTip(tr("Num data given"));
    m_dataGiven->setMinimumWidth(Platform::twipsToPixels(1500));
    statusBar()->setObjectName("stbMain");
    statusBar()->setSizeGripEnabled(false);
    statusBar()->addWidget(m_msg, 1);
    statusBar()->addPermanentWidget(m_dataGiven);

    // Designed geometry, before the stored settings are applied.
    picLeftPanel->setGeometry(0, 0, Platform::twipsToPixels(DesignedSplitLeft), 0);
    picSplit->setGeometry(Platform::twipsToPixels(DesignedSplitLeft), 0,
                          Platform::twipsToPixels(DesignedSplitWidth), 0);
    m_inner->installEventFilter(this);
}

void frmFrame::createMenus()
{
    QMenu* mnuFile = menuBar()->addMenu(tr("&File"));
    mnuFile->setObjectName("mnuFile");
    QAction* mnuOpenFiles = mnuFile->addAction(tr("&Open Files..."), this, &frmFrame::mnuOpenFiles_Click);
    mnuOpenFiles->setObjectName("mnuOpenFiles");
    mnuOpenFiles->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    QAction* mnuAddFolder = mnuFile->addAction(tr("Add &Folder..."), this, &frmFrame::mnuAddFolder_Click);
    mnuAddFolder->setObjectName("mnuAddFolder");
    mnuRecent = mnuFile->addMenu(tr("&Recent Folders"));
    mnuRecent->setObjectName("mnuRecent");
    connect(mnuRecent, &QMenu::aboutToShow, this, &frmFrame::mnuRecent_AboutToShow);
    mnuFile->addSeparator();
    QAction* mnuExit = mnuFile->addAction(tr("E&xit"), this, &QWidget::close);
    mnuExit->setObjectName("mnuExit");
    mnuExit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    QMenu* mnuEdit = menuBar()->addMenu(tr("&Edit"));
    mnuEdit->setObjectName("mnuEdit");
    mnuUndoSave = mnuEdit->addAction(tr("Undo Last &Save"), this, [this] { undoLast(Journal::SaveKinds()); });
    mnuUndoSave->setObjectName("mnuUndoSave");
    mnuUndoRun = mnuEdit->addAction(tr("Undo Last &Run"), this, [this] { undoLast(Journal::BatchKinds()); });
    mnuUndoRun->setObjectName("mnuUndoRun");
    // The journal may have changed since (the command line writes to it too).
    connect(mnuEdit, &QMenu::aboutToShow, this, &frmFrame::mnuEdit_AboutToShow);
    mnuEdit_AboutToShow();

    QMenu* mnuHelp = menuBar()->addMenu(tr("&Help"));
    mnuHelp->setObjectName("mnuHelp");
    QAction* mnuInfo = mnuHelp->addAction(tr("&Info..."), this, &frmFrame::mnuInfo_Click);
    mnuInfo->setObjectName("mnuInfo");
    mnuHelp->addSeparator();
    QAction* mnuAbout = mnuHelp->addAction(tr("&About..."), this, &frmFrame::mnuAbout_Click);
    mnuAbout->setObjectName("mnuAbout");
    mnuAbout->setShortcut(QKeySequence(Qt::Key_F1));
}

void frmFrame::Form_Load(const QList<QWidget*>& panels)
{
    // The panels come first among the window's children, in placement order.
    for (QWidget* panel : panels) {
        panel->setParent(m_inner);
        panel->stackUnder(scrPanel);
    }
    // The designed inner area holds the panes and the status bar; the menu bar
    // lies above it.
    const int menuHeight = menuBar()->sizeHint().height();
    resize(Platform::twipsToPixels(DesignedInnerWidth),
           Platform::twipsToPixels(DesignedInnerHeight) + menuHeight);
    // The splitter keeps a margin of ten "A" widths on either side of the bar.
    const int margins = 2 * 10 * fontMetrics().horizontalAdvance(QLatin1Char('A')) + picSplit->width();
    setMinimumSize(std::max(Platform::twipsToPixels(MinimumInnerWidth), margins),
                   Platform::twipsToPixels(MinimumInnerHeight) + menuHeight);

    setWindowTitle(applicationTitle());
    scrPanel->setSliderAppereance(VellumCtl::socNone);

    m_VSplitter = new clsVSplitter(this);
    m_VSplitter->setLeftControl(picLeftPanel);
    m_VSplitter->setRightControl(scrPanel);
    m_VSplitter->setSplitControl(picSplit);
    m_VSplitter->setSplitForm(this);
    connect(m_VSplitter, &clsVSplitter::Resize, this, &frmFrame::Form_Resize);

    restoreGeometry();

    scrPanel->setBorderInnerVisible(false);
    scrPanel->setBorderVisible(true);

    m_Frames = std::make_unique<Frames>();
    registerPanels();
    for (const auto& member : *m_Frames) {
        if (IFrame* frame = member->object())
            Add(frame);
    }

    picRightPanel->resize(0, 0);
    scrPanel->setScrollContent(picRightPanel);
}

void frmFrame::registerPanels()
{
    for (QObject* child : m_inner->children()) {
        try {
            auto* control = qobject_cast<QWidget*>(child);
            IFrame* frame = dynamic_cast<IFrame*>(child);
            if (!control || !frame || !control->objectName().startsWith(QLatin1String("uc")))
                continue;
            auto member = std::make_shared<FrameMember>();
            member->setFrame(control);
            const QString key = frame->Key();
            if (!m_Frames->HasFrame(key)) {
                control->setVisible(false);
                m_Frames->Add(member, key);
                connectPanelEvents(control);
            }
        } catch (...) {
            // A control that fails any step is skipped; the others still register.
        }
    }
}

void frmFrame::Add(IFrame* Frame)
{
    const bool hasImage = Frame->HasImage();
    QString imageKey;
    if (hasImage) {
        imageKey = Frame->AppImageKey();
        QLabel* image = Frame->AppImage();
        imlFrame.insert(imageKey, image ? image->pixmap() : QPixmap());
    }
    auto* node = new QTreeWidgetItem(trvApplications);
    node->setText(0, Frame->AppNodeText());
    node->setData(0, Qt::UserRole, Frame->Key());
    node->setToolTip(0, Frame->NodeToolTip());
    if (hasImage)
        node->setIcon(0, QIcon(imlFrame.value(imageKey)));
}

void frmFrame::connectPanelEvents(QWidget* panel)
{
    const QMetaObject* meta = panel->metaObject();
    if (meta->indexOfSignal("ShowMessage(QString)") >= 0)
        connect(panel, SIGNAL(ShowMessage(QString)), this, SLOT(onShowMessage(QString)));
    if (meta->indexOfSignal("ShowCounter(QString)") >= 0)
        connect(panel, SIGNAL(ShowCounter(QString)), this, SLOT(onShowCounter(QString)));
    if (meta->indexOfSignal("ExitApplication()") >= 0)
        connect(panel, SIGNAL(ExitApplication()), this, SLOT(onExitApplication()));
}

void frmFrame::followHighlight()
{
    m_followPending = false;
    const QList<QTreeWidgetItem*> selected = trvApplications->selectedItems();
    if (!selected.isEmpty())
        showPanel(selected.first()->data(0, Qt::UserRole).toString());
}

std::shared_ptr<FrameMember> frmFrame::shownMember() const
{
    for (const auto& member : *m_Frames) {
        QWidget* control = member->Frame();
        if (control && control->isVisibleTo(control->parentWidget()))
            return member;
    }
    return nullptr;
}

bool frmFrame::mayLeaveShownPanel()
{
    const auto shown = shownMember();
    IFrame* frame = shown ? shown->object() : nullptr;
    try {
        return !frame || frame->QueryLeave();
    } catch (...) {
        // A panel that fails to answer does not keep the user in it.
        return true;
    }
}

void frmFrame::highlightNode(const FrameMember* member)
{
    const QString key = member && member->object() ? member->object()->Key() : QString();
    QTreeWidgetItem* node = nullptr;
    for (int i = 0; i < trvApplications->topLevelItemCount() && !key.isEmpty() && !node; ++i) {
        QTreeWidgetItem* item = trvApplications->topLevelItem(i);
        if (item->data(0, Qt::UserRole).toString().compare(key, Qt::CaseInsensitive) == 0)
            node = item;
    }
    m_highlighting = true;
    if (node)
        trvApplications->setCurrentItem(node);
    else
        trvApplications->clearSelection();
    m_highlighting = false;
}

bool frmFrame::showPanel(const QString& key)
{
    const auto target = m_Frames->Item(key);
    const auto shown = shownMember();
    // The panel already shown stays as it is: showing it again would reset it.
    if (!shown || shown->Frame() != target->Frame()) {
        if (!mayLeaveShownPanel()) {
            highlightNode(shown.get());
            return false;
        }
        switchPanel(key);
    }
    highlightNode(target.get());
    return true;
}

void frmFrame::switchPanel(const QString& key)
{
    WaitCursor wait;
    ShowStatus(tr("Loading page..."), 1);
    for (const auto& member : *m_Frames) {
        if (QWidget* control = member->Frame())
            control->setVisible(false);
    }
    const auto member = m_Frames->Item(key);
    QWidget* control = member->Frame();
    IFrame* frame = member->object();
    if (!control || !frame)
        return;
    control->setVisible(true);
    scrPanel->setSliderAppereance(frame->SupportsResize() ? VellumCtl::socNone : VellumCtl::socBoth);
    picRightPanel->resize(control->size());
    control->setParent(picRightPanel);
    control->move(0, 0);
    control->setVisible(true);
    ResizeFrame();
    scrPanel->setScrollContent(picRightPanel);
    // The counter belongs to the panel that reported it.
    ShowStatus(m_counters.value(control), 2);
    ShowStatus("", 1);
}

void frmFrame::ResizeFrame()
{
    for (const auto& member : *m_Frames) {
        QWidget* control = member->Frame();
        if (!control || !control->isVisibleTo(control->parentWidget()))
            continue;
        IFrame* frame = member->object();
        if (!frame || !frame->SupportsResize())
            return;
        picRightPanel->setHeight(scrPanel->ScaleHeight());
        picRightPanel->setWidth(scrPanel->ScaleWidth());
        control->resize(Platform::twipsToPixels(picRightPanel->ScaleWidth()),
                        Platform::twipsToPixels(picRightPanel->ScaleHeight()));
        scrPanel->setScrollContent(picRightPanel);
        return;
    }
}

void frmFrame::Form_Resize()
{
    if (isMinimized())
        return;
    const bool splitActive = picSplit->hasFocus();
    if (!splitActive)
        m_VSplitter->CheckSpiltPosition();
    const int paneHeight = m_inner->height();
    picLeftPanel->setGeometry(picLeftPanel->x(), 0, picSplit->x() - picLeftPanel->x(), paneHeight);
    if (!splitActive)
        picSplit->setGeometry(picLeftPanel->x() + picLeftPanel->width(), picSplit->y(), picSplit->width(),
                              picLeftPanel->height());
    const int x = picSplit->x() + picSplit->width();
    scrPanel->setGeometry(x, 0, m_inner->width() - x, paneHeight);
    ResizeFrame();
}

void frmFrame::ShowStatus(const QString& text, int number)
{
    QLabel* panel = number == 1 ? m_msg : number == 2 ? m_dataGiven : nullptr;
    if (!panel)
        return;
    panel->setText(text);
    QCoreApplication::processEvents();
}

QString frmFrame::statusText(int number) const
{
    QLabel* panel = number == 1 ? m_msg : number == 2 ? m_dataGiven : nullptr;
    return panel ? panel->text() : QString();
}

void frmFrame::onShowMessage(const QString& Message)
{
    ShowStatus(Message, 1);
}

void frmFrame::onShowCounter(const QString& Counter)
{
    m_counters.insert(sender(), Counter);
    ShowStatus(Counter, 2);
}

void frmFrame::onExitApplication()
{
    close();
}

void frmFrame::mnuInfo_Click()
{
    // The components the program depends on, by ProgID and display name.
    static const std::pair<const char*, const char*> components[] = {
        {"Quaver.FileHandler", QT_TR_NOOP("Quaver Reader/Writer")},
        {"Scripting.FileSystemObject", QT_TR_NOOP("Scripting Library")},
        {"Jukebox.API", QT_TR_NOOP("Jukebox DLL")},
        {"VellumCtl.Vellum", QT_TR_NOOP("Vellum Pane")},
    };
    auto info = std::make_unique<frmInfo>(this);
    for (const auto& [progId, displayName] : components) {
        const bool present = info->IsAppPresent(progId, "");
        info->Add(tr(displayName), present ? tr("True") : tr("False"), true, "");
        info->AddItem(progId);
    }
    info->exec();
}

void frmFrame::mnuOpenFiles_Click()
{
    const QStringList recent = RecentFolders::Stored();
    const QStringList files =
        QFileDialog::getOpenFileNames(this, tr("Open Files"), recent.value(0, QDir::homePath()),
                                      tr("MP3 files (*.mp3 *.MP3);;All files (*)"));
    if (!files.isEmpty())
        addToList(files, QFileInfo(files.front()).absolutePath());
}

void frmFrame::mnuAddFolder_Click()
{
    const QStringList recent = RecentFolders::Stored();
    const QString folder =
        QFileDialog::getExistingDirectory(this, tr("Add Folder"), recent.value(0, QDir::homePath()));
    if (!folder.isEmpty())
        addToList({folder}, folder);
}

void frmFrame::mnuRecent_AboutToShow()
{
    mnuRecent->clear();
    for (const QString& folder : RecentFolders::Stored()) {
        // "&" in a folder's name is text, not a mnemonic.
        QString caption = folder;
        mnuRecent->addAction(caption.replace(QLatin1Char('&'), QLatin1String("&&")), this,
                             [this, folder] { addToList({folder}, folder); });
    }
    if (mnuRecent->isEmpty())
        mnuRecent->addAction(tr("(none)"))->setEnabled(false);
}

void frmFrame::addToList(const QStringList& names, const QString& folder)
{
    RecentFolders::Store(folder);
    for (const auto& member : *m_Frames) {
        QWidget* control = member->Frame();
        IFrame* frame = member->object();
        if (!control || !frame || control->metaObject()->indexOfSlot("AddFiles(QStringList)") < 0)
            continue;
        // The panel shown may keep the user (an edit not saved): then nothing is added.
        if (showPanel(frame->Key()))
            QMetaObject::invokeMethod(control, "AddFiles", Q_ARG(QStringList, names));
        return;
    }
}

void frmFrame::mnuEdit_AboutToShow()
{
    const Journal::UndoJournal journal;
    mnuUndoSave->setEnabled(journal.Last(Journal::SaveKinds()).has_value());
    mnuUndoRun->setEnabled(journal.Last(Journal::BatchKinds()).has_value());
}

void frmFrame::undoLast(const std::vector<std::string>& kinds)
{
    Journal::UndoReport report;
    {
        WaitCursor wait;
        report = Journal::UndoLast(kinds, applicationTitle().toStdString());
    }
    if (!report.Restored.empty()) {
        QStringList names;
        for (const std::string& name : report.Restored)
            names << Platform::DecodeFileName(name);
        for (const auto& member : *m_Frames) {
            QWidget* control = member->Frame();
            if (control && control->metaObject()->indexOfSlot("RefreshFiles(QStringList)") >= 0)
                QMetaObject::invokeMethod(control, "RefreshFiles", Q_ARG(QStringList, names));
        }
    }
    Platform::MsgBox(report.Box);
}

void frmFrame::mnuAbout_Click()
{
    frmAbout about(frmAbout::Variant::Program, reinterpret_cast<const void*>(&ApplicationVersion));
    about.exec();
}

bool frmFrame::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_inner && event->type() == QEvent::Resize) {
        Form_Resize();
    } else if (watched == picLeftPanel && event->type() == QEvent::Resize) {
        trvApplications->setGeometry(0, 0, picLeftPanel->width(), picLeftPanel->height());
    } else if (watched == picSplit) {
        switch (event->type()) {
        case QEvent::MouseButtonPress: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            m_VSplitter->MouseDown(mouseButtons(mouse->button()), shiftState(mouse->modifiers()),
                                   float(mouse->position().x()), float(mouse->position().y()));
            return true;
        }
        case QEvent::MouseMove: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            m_VSplitter->MouseMove(mouseButtons(mouse->buttons()), shiftState(mouse->modifiers()),
                                   float(mouse->position().x()), float(mouse->position().y()));
            return true;
        }
        case QEvent::MouseButtonRelease: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            m_VSplitter->MouseUp(mouseButtons(mouse->button()), shiftState(mouse->modifiers()),
                                 float(mouse->position().x()), float(mouse->position().y()));
            // One fast step can carry the bar past a margin, and the layout
            // does not check the bar while it has the focus: pull it back when
            // the drag ends, or the right area stays collapsed.
            if (!m_VSplitter->CheckSpiltPosition())
                Form_Resize();
            return true;
        }
        default:
            break;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmFrame::closeEvent(QCloseEvent* event)
{
    if (!mayLeaveShownPanel()) {
        event->ignore();
        return;
    }
    saveGeometry();
    QMainWindow::closeEvent(event);
}

namespace {

// Settings values are texts holding a single-precision number of twips.
QString twipsText(int pixels)
{
    return QString::number(static_cast<float>(Platform::pixelsToTwips(pixels)), 'g', 7);
}

// The stored value in pixels; nothing when it is absent, not a number or out
// of any window's reach, so the caller keeps the designed value.
std::optional<int> storedPixels(const QSettings& settings, const QString& key)
{
    return WindowPlacement::StoredPixels(settings.value(key));
}

} // namespace

void frmFrame::restoreGeometry()
{
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, SettingsOrganisation, SettingsApplication);
    WindowPlacement::Stored stored;
    stored.width = storedPixels(settings, "Size/Width");
    stored.left = storedPixels(settings, "Pos/Left");
    stored.top = storedPixels(settings, "Pos/Top");
    stored.height = storedPixels(settings, "Size/Height");
    // Kept on the screen the stored position lies on (else the primary one),
    // within its area free of panels.
    const QScreen* screen =
        QGuiApplication::screenAt(QPoint(stored.left.value_or(x()), stored.top.value_or(y())));
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const QRect available =
        screen ? screen->availableGeometry() : QRect(QPoint(0, 0), QSize(1 << 24, 1 << 24));
    const auto placement = WindowPlacement::Place(stored, size(), minimumSize(), pos(), available);
    resize(placement.size);
    // Without a stored position the window system places the window.
    if (placement.position)
        move(*placement.position);
    picSplit->move(storedPixels(settings, "SliderPos/X").value_or(picSplit->x()), picSplit->y());
}

void frmFrame::saveGeometry()
{
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, SettingsOrganisation, SettingsApplication);
    settings.setValue("Pos/Left", twipsText(x()));
    settings.setValue("Pos/Top", twipsText(y()));
    settings.setValue("Size/Width", twipsText(width()));
    settings.setValue("Size/Height", twipsText(height()));
    settings.setValue("SliderPos/X", twipsText(picSplit->x()));
}
