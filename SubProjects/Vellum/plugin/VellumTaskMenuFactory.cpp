#include "VellumTaskMenuFactory.h"

#include "VellumTaskMenu.h"

#include "Vellum/Vellum.h"

namespace VellumCtl {

VellumTaskMenuFactory::VellumTaskMenuFactory(QExtensionManager* parent) : QExtensionFactory(parent) {}

QObject* VellumTaskMenuFactory::createExtension(QObject* object, const QString& iid, QObject* parent) const
{
    if (iid != Q_TYPEID(QDesignerTaskMenuExtension))
        return nullptr;
    if (auto* vellum = qobject_cast<Vellum*>(object))
        return new VellumTaskMenu(vellum, parent);
    return nullptr;
}

} // namespace VellumCtl
