#include "PlaylistWindow.h"

#include "MainWindow.h"
#include "PlayerEngine.h"

#include <QBoxLayout>
#include <QListWidget>
#include <QPushButton>

PlaylistWindow::PlaylistWindow(PlayerEngine& engine, QWidget* parent) : QWidget(parent), m_engine(engine)
{
    setWindowTitle(tr("Jukebox Playlist"));
    m_list = new QListWidget(this);
    connect(m_list, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        if (m_engine.select(m_list->row(item)))
            m_engine.play();
    });
    auto* add = new QPushButton(tr("&Add..."), this);
    auto* remove = new QPushButton(tr("&Remove"), this);
    auto* clear = new QPushButton(tr("&Clear"), this);
    connect(add, &QPushButton::clicked, this, &PlaylistWindow::addRequested);
    connect(remove, &QPushButton::clicked, this, [this] { m_engine.removeAt(m_list->currentRow()); });
    connect(clear, &QPushButton::clicked, this, [this] { m_engine.clear(); });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(add);
    buttons->addWidget(remove);
    buttons->addWidget(clear);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addLayout(buttons);
    resize(420, 260);
    connect(&m_engine, &PlayerEngine::changed, this, &PlaylistWindow::refresh);
    refresh();
}

QString PlaylistWindow::entryText(const PlayerEngine& engine, int index)
{
    const Mp3Info info = engine.infoOf(engine.playlist().at(index));
    return QStringLiteral("%1. %2 (%3)")
        .arg(index + 1)
        .arg(engine.displayName(index), MainWindow::formatTime(info.durationMs));
}

void PlaylistWindow::refresh()
{
    const int keep = m_list->currentRow();
    m_list->clear();
    for (int i = 0; i < m_engine.playlist().size(); ++i) {
        auto* item = new QListWidgetItem(entryText(m_engine, i), m_list);
        if (i == m_engine.currentIndex()) {
            QFont f = item->font();
            f.setBold(true);
            item->setFont(f);
        }
    }
    if (keep >= 0 && keep < m_list->count())
        m_list->setCurrentRow(keep);
}
