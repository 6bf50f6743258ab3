#include "Vellum/VellumObject.h"

#include "Vellum/TypeInfo.h"
#include "Vellum/Vellum.h"

#include "Platform/ComponentExports.h"

#include <QApplication>

namespace VellumCtl {

VellumObject::VellumObject() : m_control(new Vellum)
{
    m_control->InitProperties();
}

VellumObject::~VellumObject()
{
    if (m_control && !m_control->parent())
        delete m_control.data();
}

Vellum* VellumObject::control() const
{
    return m_control.data();
}

} // namespace VellumCtl

Platform::Object* Platform::CreateComponentObject(std::string_view progId)
{
    // Widgets exist only inside a widget application.
    if (progId != VellumCtl::VellumProgId || !qobject_cast<QApplication*>(QCoreApplication::instance()))
        return nullptr;
    return new VellumCtl::VellumObject;
}
