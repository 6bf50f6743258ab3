#include "PreferencesDialog.h"

#include "PlayerEngine.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QSlider>

PreferencesDialog::PreferencesDialog(PlayerEngine& engine, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("Jukebox Preferences"));
    auto* volume = new QSlider(Qt::Horizontal, this);
    volume->setRange(0, 255);
    volume->setValue(engine.volume());
    connect(volume, &QSlider::valueChanged, &engine, &PlayerEngine::setVolume);
    auto* repeat = new QCheckBox(tr("&Repeat the playlist"), this);
    repeat->setChecked(engine.repeat());
    connect(repeat, &QCheckBox::toggled, &engine, &PlayerEngine::setRepeat);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QFormLayout(this);
    layout->addRow(tr("&Volume:"), volume);
    layout->addRow(repeat);
    layout->addRow(buttons);
}
