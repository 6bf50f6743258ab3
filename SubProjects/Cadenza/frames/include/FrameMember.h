#pragma once

#include <QPointer>
#include <QWidget>

class IFrame;

// One registry entry: a reference to a panel's hosting control as it sits on
// the main window. The control is owned by the window; the entry only points
// at it and becomes null if the control is destroyed first.
class FrameMember
{
public:
    QWidget* Frame() const { return m_frame; }
    void setFrame(QWidget* frame) { m_frame = frame; }

    // The panel object behind the control, seen through its contract; null
    // when there is no control or it does not implement IFrame.
    IFrame* object() const;

private:
    QPointer<QWidget> m_frame;
};
