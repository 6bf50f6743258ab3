#include "PlaylistWindow.h"

#include "PlayerEngine.h"
#include "PlaylistModel.h"

#include <QBoxLayout>
#include <QListView>
#include <QPushButton>

PlaylistWindow::PlaylistWindow(PlayerEngine& engine, QWidget* parent) : QWidget(parent), m_engine(engine)
{
    setWindowTitle(tr("Jukebox Playlist"));
    m_list = new QListView(this);
    // Rows of one height: the view lays out a long list without asking every
    // row for its text.
    m_list->setUniformItemSizes(true);
    m_list->setModel(new PlaylistModel(m_engine, m_list));
    connect(m_list, &QListView::activated, this, [this](const QModelIndex& index) {
        if (m_engine.select(index.row()))
            m_engine.play();
    });
    auto* add = new QPushButton(tr("&Add..."), this);
    auto* remove = new QPushButton(tr("&Remove"), this);
    auto* clear = new QPushButton(tr("&Clear"), this);
    connect(add, &QPushButton::clicked, this, &PlaylistWindow::addRequested);
    connect(remove, &QPushButton::clicked, this, [this] {
        if (m_list->currentIndex().isValid())
            m_engine.removeAt(m_list->currentIndex().row());
    });
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
}
