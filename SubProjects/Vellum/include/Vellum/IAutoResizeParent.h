#pragma once

namespace VellumCtl {

// Sizing a control to fill its container. The interface's own members do
// nothing; Vellum implements them.
class IAutoResizeParent
{
public:
    virtual ~IAutoResizeParent() = default;

    virtual bool Enable() const { return false; }
    virtual void setEnable(bool) {}
    virtual void Resize() {}
};

} // namespace VellumCtl
