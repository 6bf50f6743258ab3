#pragma once

#include "Platform/Component.h"

#include <QPointer>

namespace VellumCtl {

class Vellum;

// What Platform::CreateObject("VellumCtl.Vellum") hands out: a new control
// without a parent, with the settings of a newly placed instance. The host
// takes the control and gives it a parent; a control still without one is
// destroyed with this object. Creation needs a running QApplication.
class VellumObject : public Platform::Object
{
public:
    VellumObject();
    ~VellumObject() override;
    VellumObject(const VellumObject&) = delete;
    VellumObject& operator=(const VellumObject&) = delete;

    Vellum* control() const;

private:
    QPointer<Vellum> m_control;
};

} // namespace VellumCtl
