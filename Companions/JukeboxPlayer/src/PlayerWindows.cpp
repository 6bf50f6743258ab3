#include "PlayerWindows.h"

#include "EqualizerWindow.h"
#include "Jukebox/PlayerProtocol.h"
#include "JumpToFileDialog.h"
#include "MainWindow.h"
#include "PlayerEngine.h"
#include "PlaylistWindow.h"
#include "PreferencesDialog.h"
#include "RemoteControl.h"

#include "Platform/WindowHost.h"

#include <QApplication>
#include <QCursor>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMenu>
#include <QMessageBox>
#include <QTimer>

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
    m_equalizer->move(0, 150);
    m_playlist->move(0, 340);
    for (auto* host : {m_mainHost.get(), m_equalizerHost.get(), m_playlistHost.get()}) {
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
    auto* box = modeless(new QMessageBox(QMessageBox::Information, tr("About Jukebox"),
                                         tr("Jukebox %1\nA small MP3 player that other programs can drive "
                                            "by window messages.")
                                             .arg(QApplication::applicationVersion()),
                                         QMessageBox::Ok, m_main));
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
    auto* dialog = modeless(
        new QFileDialog(m_main, tr("Open files"), QString(), tr("MP3 files (*.mp3 *.MP3);;All files (*)")));
    dialog->setFileMode(QFileDialog::ExistingFiles);
    connect(dialog, &QFileDialog::filesSelected, this, [this](const QStringList& files) {
        for (const QString& f : files)
            m_engine.addFile(QFileInfo(f).absoluteFilePath());
    });
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
                        MainWindow::formatTime(info.durationMs))
                   .arg(info.sampleRate)
                   .arg(info.bitrateKbps)
                   .arg(info.channels);
    }
    modeless(new QMessageBox(QMessageBox::Information, tr("File info"), text, QMessageBox::Ok, m_main))
        ->open();
}

void PlayerWindows::showJumpToTime()
{
    auto* dialog = modeless(new QInputDialog(m_main));
    dialog->setWindowTitle(tr("Jump to time"));
    dialog->setLabelText(tr("Seconds from the start of the track:"));
    dialog->setInputMode(QInputDialog::IntInput);
    dialog->setIntRange(0, static_cast<int>(m_engine.trackLengthMs() / 1000));
    dialog->setIntValue(static_cast<int>(m_engine.positionMs() / 1000));
    connect(dialog, &QInputDialog::intValueSelected, this,
            [this](int seconds) { m_engine.jumpTo(static_cast<qint64>(seconds) * 1000); });
    dialog->open();
}

void PlayerWindows::showPreferences()
{
    modeless(new PreferencesDialog(m_engine, m_main))->open();
}

void PlayerWindows::showJumpToFile()
{
    modeless(new JumpToFileDialog(m_engine, m_main))->open();
}
