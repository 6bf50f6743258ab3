#include "VellumTaskMenu.h"

#include "Vellum/PropertyPageDialog.h"
#include "Vellum/TypeInfo.h"
#include "Vellum/Vellum.h"
#include "Vellum/pagCommon.h"

#include <QAction>
#include <QDesignerFormWindowCursorInterface>
#include <QDesignerFormWindowInterface>

namespace VellumCtl {

VellumTaskMenu::VellumTaskMenu(Vellum* vellum, QObject* parent)
    : QObject(parent), m_vellum(vellum), m_commonAction(new QAction(pagCommon::Caption() + "...", this)),
      m_aboutAction(new QAction(QStringLiteral("About %1...").arg(VellumDisplayName), this))
{
    m_commonAction->setObjectName(QStringLiteral("actionCommon"));
    m_aboutAction->setObjectName(QStringLiteral("actionAbout"));
    connect(m_commonAction, &QAction::triggered, this, &VellumTaskMenu::editCommon);
    connect(m_aboutAction, &QAction::triggered, this, [this] {
        if (m_vellum)
            m_vellum->ShowAboutBox();
    });
}

QAction* VellumTaskMenu::preferredEditAction() const
{
    return m_commonAction;
}

QList<QAction*> VellumTaskMenu::taskActions() const
{
    return {m_commonAction, m_aboutAction};
}

QList<QObject*> VellumTaskMenu::selection() const
{
    QList<QObject*> controls;
    if (!m_vellum)
        return controls;
    controls.append(m_vellum);
    if (QDesignerFormWindowInterface* form = QDesignerFormWindowInterface::findFormWindow(m_vellum)) {
        const QDesignerFormWindowCursorInterface* cursor = form->cursor();
        for (int i = 0; i < cursor->selectedWidgetCount(); ++i) {
            QWidget* w = cursor->selectedWidget(i);
            if (w != m_vellum && qobject_cast<Vellum*>(w))
                controls.append(w);
        }
    }
    return controls;
}

void VellumTaskMenu::editCommon()
{
    if (!m_vellum)
        return;
    QDesignerFormWindowInterface* form = QDesignerFormWindowInterface::findFormWindow(m_vellum);
    PropertyPageDialog dialog(selection(), form ? static_cast<QWidget*>(form) : m_vellum->window());
    if (form) {
        // Through the form's cursor, so the change marks the form modified,
        // reaches the property editor and can be undone.
        dialog.page()->setPropertyWriter([form](QObject* control, const char* name, const QVariant& value) {
            form->cursor()->setWidgetProperty(static_cast<QWidget*>(control), QString::fromLatin1(name),
                                              value);
        });
    }
    dialog.exec();
}

} // namespace VellumCtl
