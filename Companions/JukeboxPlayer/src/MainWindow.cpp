#include "MainWindow.h"

#include "PlayerEngine.h"
#include "PlaylistModel.h"

#include <QBoxLayout>
#include <QLabel>
#include <QSlider>
#include <QStyle>
#include <QTimer>
#include <QToolButton>

namespace {

QToolButton* button(QWidget* parent, QStyle::StandardPixmap icon, const QString& tip)
{
    auto* b = new QToolButton(parent);
    b->setIcon(parent->style()->standardIcon(icon));
    b->setToolTip(tip);
    b->setAutoRaise(true);
    return b;
}

} // namespace

MainWindow::MainWindow(PlayerEngine& engine, QWidget* parent) : QWidget(parent), m_engine(engine)
{
    setWindowTitle(QStringLiteral("Jukebox"));
    m_title = new QLabel(this);
    m_title->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont big = m_title->font();
    big.setBold(true);
    m_title->setFont(big);
    m_time = new QLabel(this);
    m_time->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    m_position = new QSlider(Qt::Horizontal, this);
    m_position->setToolTip(tr("Position"));
    connect(m_position, &QSlider::sliderReleased, this,
            [this] { m_engine.jumpTo(static_cast<qint64>(m_position->value()) * 1000); });

    auto* previous = button(this, QStyle::SP_MediaSkipBackward, tr("Previous"));
    m_play = button(this, QStyle::SP_MediaPlay, tr("Play"));
    m_pause = button(this, QStyle::SP_MediaPause, tr("Pause"));
    auto* stop = button(this, QStyle::SP_MediaStop, tr("Stop"));
    auto* next = button(this, QStyle::SP_MediaSkipForward, tr("Next"));
    auto* open = button(this, QStyle::SP_DialogOpenButton, tr("Open files"));
    connect(previous, &QToolButton::clicked, &m_engine, &PlayerEngine::previous);
    connect(m_play, &QToolButton::clicked, &m_engine, &PlayerEngine::play);
    connect(m_pause, &QToolButton::clicked, &m_engine, &PlayerEngine::togglePause);
    connect(stop, &QToolButton::clicked, &m_engine, &PlayerEngine::stop);
    connect(next, &QToolButton::clicked, &m_engine, &PlayerEngine::next);
    connect(open, &QToolButton::clicked, this, &MainWindow::openRequested);

    auto* eq = new QToolButton(this);
    eq->setText(tr("EQ"));
    eq->setToolTip(tr("Equaliser"));
    auto* pl = new QToolButton(this);
    pl->setText(tr("PL"));
    pl->setToolTip(tr("Playlist"));
    auto* menu = new QToolButton(this);
    menu->setText(QStringLiteral("\u2630"));
    menu->setToolTip(tr("Menu"));
    connect(eq, &QToolButton::clicked, this, &MainWindow::equalizerToggled);
    connect(pl, &QToolButton::clicked, this, &MainWindow::playlistToggled);
    connect(menu, &QToolButton::clicked, this, &MainWindow::menuRequested);

    m_volume = new QSlider(Qt::Horizontal, this);
    m_volume->setRange(0, 255);
    m_volume->setToolTip(tr("Volume"));
    m_volume->setMaximumWidth(100);
    connect(m_volume, &QSlider::valueChanged, &m_engine, &PlayerEngine::setVolume);

    auto* top = new QHBoxLayout;
    top->addWidget(m_title, 1);
    top->addWidget(m_time);
    auto* controls = new QHBoxLayout;
    for (QWidget* w : std::initializer_list<QWidget*>{previous, m_play, m_pause, stop, next, open})
        controls->addWidget(w);
    controls->addStretch(1);
    controls->addWidget(m_volume);
    controls->addWidget(eq);
    controls->addWidget(pl);
    controls->addWidget(menu);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_position);
    layout->addLayout(controls);
    resize(420, 110);

    connect(&m_engine, &PlayerEngine::changed, this, &MainWindow::refresh);
    auto* timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, &MainWindow::refresh);
    timer->start(250);
    refresh();
}

void MainWindow::refresh()
{
    const int index = m_engine.currentIndex();
    if (index < 0) {
        m_title->setText(tr("Playlist is empty"));
    } else {
        m_title->setText(QStringLiteral("%1. %2").arg(index + 1).arg(m_engine.displayName(index)));
    }
    const char* state = m_engine.state() == PlayerEngine::State::Playing  ? "\u25b6"
                        : m_engine.state() == PlayerEngine::State::Paused ? "\u2016"
                                                                          : "\u25a0";
    m_time->setText(QStringLiteral("%1 %2 / %3")
                        .arg(QString::fromUtf8(state), PlaylistModel::formatTime(m_engine.positionMs()),
                             PlaylistModel::formatTime(m_engine.trackLengthMs())));
    if (!m_position->isSliderDown()) {
        m_position->setRange(0, static_cast<int>(m_engine.trackLengthMs() / 1000));
        m_position->setValue(static_cast<int>(m_engine.positionMs() / 1000));
    }
    if (m_volume->value() != m_engine.volume()) {
        const QSignalBlocker block(m_volume);
        m_volume->setValue(m_engine.volume());
    }
}
