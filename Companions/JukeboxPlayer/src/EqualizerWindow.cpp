#include "EqualizerWindow.h"

#include "PlayerEngine.h"

#include <QBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>

EqualizerWindow::EqualizerWindow(PlayerEngine& engine, QWidget* parent) : QWidget(parent), m_engine(engine)
{
    setWindowTitle(tr("Jukebox Equaliser"));
    m_preamp = new QSlider(Qt::Vertical, this);
    m_preamp->setRange(0, 100);
    m_preamp->setValue(m_engine.preamp());
    auto* value = new QLabel(this);
    auto show = [value](int percent) { value->setText(tr("Preamp %1 %").arg(percent)); };
    show(m_engine.preamp());
    connect(m_preamp, &QSlider::valueChanged, &m_engine, &PlayerEngine::setPreamp);
    connect(m_preamp, &QSlider::valueChanged, this, show);
    auto* reset = new QPushButton(tr("Reset"), this);
    connect(reset, &QPushButton::clicked, this, [this] { m_preamp->setValue(100); });

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_preamp);
    auto* side = new QVBoxLayout;
    side->addWidget(value);
    side->addStretch(1);
    side->addWidget(reset);
    layout->addLayout(side);
    resize(200, 160);
}
