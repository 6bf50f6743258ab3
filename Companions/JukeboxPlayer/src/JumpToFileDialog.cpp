#include "JumpToFileDialog.h"

#include "PlayerEngine.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

JumpToFileDialog::JumpToFileDialog(PlayerEngine& engine, QWidget* parent) : QDialog(parent), m_engine(engine)
{
    setWindowTitle(tr("Jump to file"));
    m_search = new QLineEdit(this);
    m_search->setPlaceholderText(tr("Part of the name"));
    m_list = new QListWidget(this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    buttons->addButton(tr("&Play"), QDialogButtonBox::AcceptRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &JumpToFileDialog::jump);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_search, &QLineEdit::textChanged, this, &JumpToFileDialog::filter);
    connect(m_search, &QLineEdit::returnPressed, this, &JumpToFileDialog::jump);
    connect(m_list, &QListWidget::itemActivated, this, &JumpToFileDialog::jump);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_search);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
    resize(360, 300);
    filter({});
}

void JumpToFileDialog::filter(const QString& text)
{
    m_list->clear();
    for (int i = 0; i < m_engine.playlist().size(); ++i) {
        const QString name = m_engine.displayName(i);
        if (!name.contains(text, Qt::CaseInsensitive))
            continue;
        auto* item = new QListWidgetItem(QStringLiteral("%1. %2").arg(i + 1).arg(name), m_list);
        item->setData(Qt::UserRole, i);
    }
    m_list->setCurrentRow(0);
}

void JumpToFileDialog::jump()
{
    if (QListWidgetItem* item = m_list->currentItem()) {
        if (m_engine.select(item->data(Qt::UserRole).toInt()))
            m_engine.play();
    }
    accept();
}
