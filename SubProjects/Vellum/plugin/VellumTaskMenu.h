#pragma once

#include <QDesignerTaskMenuExtension>
#include <QPointer>

class QAction;

namespace VellumCtl {

class Vellum;

// The entries Qt Designer adds to a Vellum's context menu on a form: the
// "Common" property page and the control's about box.
class VellumTaskMenu : public QObject, public QDesignerTaskMenuExtension
{
    Q_OBJECT
    Q_INTERFACES(QDesignerTaskMenuExtension)
public:
    VellumTaskMenu(Vellum* vellum, QObject* parent);

    QAction* preferredEditAction() const override;
    QList<QAction*> taskActions() const override;

    // The Vellum controls the page works on: this one first, then the other
    // Vellums selected on its form.
    QList<QObject*> selection() const;

private:
    void editCommon();

    QPointer<Vellum> m_vellum;
    QAction* m_commonAction;
    QAction* m_aboutAction;
};

} // namespace VellumCtl
