#include "PlayerWindows.h"

#include "EqualizerWindow.h"
#include "Jukebox/PlayerProtocol.h"
#include "JumpToFileDialog.h"
#include "MainWindow.h"
#include "PlayerEngine.h"
#include "PlaylistModel.h"
#include "PlaylistWindow.h"
#include "PreferencesDialog.h"
#include "RemoteControl.h"
#include "WindowDock.h"

#include "Platform/WindowHost.h"

#include <QApplication>
#include <QCursor>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMenu>
#include <QMessageBox>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <algorithm>

using namespace Jukebox::Protocol;

namespace {

// Dialogs are never modal: a window message may arrive while one is open, and
// the sender must get its answer at once.
template <class Dialog> Dialog* modeless(Dialog* dialog)
{
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setModal(false);
    return dialog;
}

// Each dialog is open once at most: asked for again, the open one comes to the
// front, so a flood of requests cannot pile up windows.
bool raiseOpen(QWidget* dialog)
{
    if (!dialog)
        return false;
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
    return true;
}

} // namespace

PlayerWindows::PlayerWindows(PlayerEngine& engine)
    : m_engine(engine), m_remote(std::make_unique<RemoteControl>(engine, *this)),
      m_main(new MainWindow(engine)), m_equalizer(new EqualizerWindow(engine)),
      m_playlist(new PlaylistWindow(engine)),
      m_mainHost(std::make_unique<Platform::WindowHost>(kMainWindowClass)),
      m_equalizerHost(std::make_unique<Platform::WindowHost>(kEqualizerWindowClass)),
      m_playlistHost(std::make_unique<Platform::WindowHost>(kPlaylistWindowClass))
{
    connect(m_main, &MainWindow::equalizerToggled, this, [this] { toggle(m_equalizer); });
    connect(m_main, &MainWindow::playlistToggled, this, [this] { toggle(m_playlist); });
    connect(m_main, &MainWindow::openRequested, this, &PlayerWindows::showFileOpen);
    connect(m_main, &MainWindow::menuRequested, this, &PlayerWindows::showContextMenu);
    connect(m_playlist, &PlaylistWindow::addRequested, this, &PlayerWindows::showFileOpen);
    // Closing the main window ends the player; the others only hide.
    m_main->setAttribute(Qt::WA_QuitOnClose, true);
    m_equalizer->setAttribute(Qt::WA_QuitOnClose, false);
    m_playlist->setAttribute(Qt::WA_QuitOnClose, false);
    dock();
    for (auto* host : {m_mainHost.get(), m_equalizerHost.get(), m_playlistHost.get()}) {
        // No message of the protocol carries more than a file name.
        host->setPayloadLimit(RemoteControl::kMaxFileNameBytes);
        host->setHandler(
            [this, host](std::uint32_t m, Platform::WPARAM w, Platform::LPARAM l, const QByteArray& payload) {
                return m_remote->handle(host->className(), m, w, l, payload);
            });
    }
}

PlayerWindows::~PlayerWindows()
{
    // The endpoints go first, so no message arrives at half-destroyed windows.
    m_mainHost.reset();
    m_equalizerHost.reset();
    m_playlistHost.reset();
    delete m_playlist;
    delete m_equalizer;
    delete m_main;
}

void PlayerWindows::dock()
{
    // Docked windows are as wide as the main window, which also leaves room
    // for their whole titles.
    for (QWidget* w : {static_cast<QWidget*>(m_equalizer), static_cast<QWidget*>(m_playlist)})
        w->resize(std::max(w->width(), m_main->width()), w->height());
    // Before the first show the window manager's frame is unknown: a title
    // bar's height is allowed for.
    const int title = m_main->style()->pixelMetric(QStyle::PM_TitleBarHeight);
    QList<QSize> frames;
    const QList<QWidget*> stack{m_main, m_equalizer, m_playlist};
    for (QWidget* w : stack)
        frames.append(w->size().expandedTo(w->minimumSizeHint()) + QSize(0, title));
    const QList<QPoint> at = DockedBelow(m_main->screen()->availableGeometry(), frames);
    for (qsizetype i = 0; i < stack.size(); ++i)
        stack[i]->move(at[i]);
}

bool PlayerWindows::claimMainWindow()
{
    if (m_mainHost->listen() != Platform::WindowHost::ListenResult::Listening)
        return false;
    m_equalizerHost->listen();
    m_playlistHost->listen();
    return true;
}

void PlayerWindows::showAtStart(Platform::WindowStyle style)
{
    using Platform::WindowStyle;
    if (style == WindowStyle::Hide)
        return;
    const bool focus = style == WindowStyle::NormalFocus || style == WindowStyle::MinimizedFocus ||
                       style == WindowStyle::MaximizedFocus;
    for (QWidget* w : {static_cast<QWidget*>(m_equalizer), static_cast<QWidget*>(m_playlist),
                       static_cast<QWidget*>(m_main)}) {
        w->setAttribute(Qt::WA_ShowWithoutActivating, !focus);
        if (style == WindowStyle::MinimizedFocus || style == WindowStyle::MinimizedNoFocus)
            w->showMinimized();
        else if (style == WindowStyle::MaximizedFocus && w == m_main)
            w->showMaximized();
        else
            w->show();
    }
}

QWidget* PlayerWindows::window(const QString& windowClass) const
{
    if (windowClass == QLatin1String(kMainWindowClass))
        return m_main;
    if (windowClass == QLatin1String(kEqualizerWindowClass))
        return m_equalizer;
    if (windowClass == QLatin1String(kPlaylistWindowClass))
        return m_playlist;
    return nullptr;
}

void PlayerWindows::toggle(QWidget* window)
{
    window->setVisible(!window->isVisible());
}

void PlayerWindows::showWindow(const QString& windowClass, int showCommand)
{
    QWidget* w = window(windowClass);
    if (!w)
        return;
    switch (showCommand) {
    case Platform::SW_HIDE:
        w->hide();
        break;
    case Platform::SW_SHOWMINIMIZED:
        w->showMinimized();
        break;
    case Platform::SW_SHOWMAXIMIZED:
        w->showMaximized();
        break;
    case Platform::SW_SHOWNOACTIVATE:
        w->setAttribute(Qt::WA_ShowWithoutActivating, true);
        w->showNormal();
        break;
    default:
        w->setAttribute(Qt::WA_ShowWithoutActivating, false);
        w->showNormal();
        break;
    }
}

void PlayerWindows::closePlayer()
{
    // After the message has been answered: stop listening, then end.
    QTimer::singleShot(0, qApp, [this] {
        m_mainHost.reset();
        m_equalizerHost.reset();
        m_playlistHost.reset();
        m_engine.stop();
        QApplication::quit();
    });
}

void PlayerWindows::showAbout()
{
    if (raiseOpen(m_about))
        return;
    auto* box = modeless(new QMessageBox(QMessageBox::Information, tr("About Jukebox"),
                                         tr("Jukebox %1\nA small MP3 player that other programs can drive "
                                            "by window messages.")
                                             .arg(QApplication::applicationVersion()),
                                         QMessageBox::Ok, m_main));
    m_about = box;
    box->open();
}

void PlayerWindows::showContextMenu()
{
    auto* menu = new QMenu(m_main);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addAction(tr("&Play"), &m_engine, &PlayerEngine::play);
    menu->addAction(tr("P&ause"), &m_engine, &PlayerEngine::togglePause);
    menu->addAction(tr("&Stop"), &m_engine, &PlayerEngine::stop);
    menu->addAction(tr("&Next"), &m_engine, &PlayerEngine::next);
    menu->addAction(tr("P&revious"), &m_engine, &PlayerEngine::previous);
    menu->addSeparator();
    menu->addAction(tr("&Open files..."), this, &PlayerWindows::showFileOpen);
    menu->addAction(tr("&Jump to file..."), this, &PlayerWindows::showJumpToFile);
    menu->addAction(tr("Jump to &time..."), this, &PlayerWindows::showJumpToTime);
    menu->addAction(tr("File &info..."), this, &PlayerWindows::showFileInfo);
    menu->addAction(tr("Pre&ferences..."), this, &PlayerWindows::showPreferences);
    menu->addAction(tr("&About Jukebox..."), this, &PlayerWindows::showAbout);
    menu->addSeparator();
    menu->addAction(tr("E&xit"), this, &PlayerWindows::closePlayer);
    menu->popup(QCursor::pos());
}

void PlayerWindows::showFileOpen()
{
    if (raiseOpen(m_fileOpen))
        return;
    auto* dialog = modeless(
        new QFileDialog(m_main, tr("Open files"), QString(), tr("MP3 files (*.mp3 *.MP3);;All files (*)")));
    dialog->setFileMode(QFileDialog::ExistingFiles);
    connect(dialog, &QFileDialog::filesSelected, this, [this](const QStringList& files) {
        for (const QString& f : files)
            m_engine.addFile(QFileInfo(f).absoluteFilePath());
    });
    m_fileOpen = dialog;
    dialog->open();
}

void PlayerWindows::showFileInfo()
{
    QString text = tr("No file is loaded.");
    if (m_engine.currentIndex() >= 0) {
        const QString& path = m_engine.playlist().at(m_engine.currentIndex());
        const Mp3Info& info = m_engine.trackInfo();
        text = tr("File: %1\nTitle: %2\nArtist: %3\nLength: %4\nSample rate: %5 Hz\nBit rate: %6 kbit/s\n"
                  "Channels: %7")
                   .arg(path, QString::fromStdString(info.title), QString::fromStdString(info.artist),
                        PlaylistModel::formatTime(info.durationMs))
                   .arg(info.sampleRate)
                   .arg(info.bitrateKbps)
                   .arg(info.channels);
    }
    if (m_fileInfo) {
        m_fileInfo->setText(text);
        raiseOpen(m_fileInfo);
        return;
    }
    m_fileInfo =
        modeless(new QMessageBox(QMessageBox::Information, tr("File info"), text, QMessageBox::Ok, m_main));
    m_fileInfo->open();
}

void PlayerWindows::showJumpToTime()
{
    if (raiseOpen(m_jumpToTime))
        return;
    auto* dialog = modeless(new QInputDialog(m_main));
    dialog->setWindowTitle(tr("Jump to time"));
    dialog->setLabelText(tr("Seconds from the start of the track:"));
    dialog->setInputMode(QInputDialog::IntInput);
    dialog->setIntRange(0, static_cast<int>(m_engine.trackLengthMs() / 1000));
    dialog->setIntValue(static_cast<int>(m_engine.positionMs() / 1000));
    connect(dialog, &QInputDialog::intValueSelected, this,
            [this](int seconds) { m_engine.jumpTo(static_cast<qint64>(seconds) * 1000); });
    m_jumpToTime = dialog;
    dialog->open();
}

void PlayerWindows::showPreferences()
{
    if (raiseOpen(m_preferences))
        return;
    m_preferences = modeless(new PreferencesDialog(m_engine, m_main));
    m_preferences->open();
}

void PlayerWindows::showJumpToFile()
{
    if (raiseOpen(m_jumpToFile))
        return;
    m_jumpToFile = modeless(new JumpToFileDialog(m_engine, m_main));
    m_jumpToFile->open();
}
