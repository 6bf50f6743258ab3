#include "Vellum/PropertyPageDialog.h"

#include "Vellum/pagCommon.h"

#include "Platform/MessageBox.h"
#include "Platform/RuntimeError.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace VellumCtl {

PropertyPageDialog::PropertyPageDialog(const QList<QObject*>& selection, QWidget* parent)
    : QDialog(parent), m_page(new pagCommon),
      m_buttons(
          new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply))
{
    setWindowTitle(QStringLiteral("Property Pages"));
    auto* tabs = new QTabWidget(this);
    tabs->addTab(m_page, pagCommon::Caption());
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addWidget(m_buttons);

    QPushButton* applyButton = m_buttons->button(QDialogButtonBox::Apply);
    applyButton->setEnabled(false);
    connect(m_page, &pagCommon::ChangedFlagChanged, applyButton, &QPushButton::setEnabled);
    connect(applyButton, &QPushButton::clicked, this, &PropertyPageDialog::apply);
    connect(m_buttons, &QDialogButtonBox::accepted, this, [this] {
        if (apply())
            accept();
    });
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    m_page->SelectionChanged(selection);
}

bool PropertyPageDialog::apply()
{
    try {
        m_page->ApplyChanges();
        return true;
    } catch (const Platform::RuntimeError& e) {
        Platform::MsgBox({e.Description(), pagCommon::Caption().toStdString(), Platform::MsgIcon::Critical,
                          Platform::MsgButtons::Ok});
        return false;
    }
}

} // namespace VellumCtl
