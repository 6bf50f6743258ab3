#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

// Turns a thin control of a window into a vertical splitter bar that the user
// drags with the left mouse button. It moves only the bar, keeps it between
// two margins (ten times the width of "A" in the window's font, measured from
// the left control's left edge and from the window's right edge) and raises
// Resize after every drag step, so the window can lay its areas out again.
// All four references must be set before it does anything. Geometry is in the
// window's logical pixels.
class clsVSplitter : public QObject
{
    Q_OBJECT

public:
    // Mouse buttons as the window reports them: a bit each, so "exactly
    // LeftButton" means the left button alone.
    enum MouseButton { LeftButton = 1, RightButton = 2, MiddleButton = 4 };

    explicit clsVSplitter(QObject* parent = nullptr);

    void setLeftControl(QWidget* control) { m_left = control; }
    void setRightControl(QWidget* control) { m_right = control; }
    // Stores the bar and paints it in the idle colour.
    void setSplitControl(QWidget* control);
    void setSplitForm(QWidget* form) { m_form = form; }

    // The margin m: ten times the width of "A" in the window's font; 0 without
    // a window.
    int margin() const;

    // True when the bar lies within the margins; otherwise moves it to the
    // nearer limit and returns false. False without changes when a reference
    // is missing. When the window is too narrow for both margins, a bar left
    // of the left margin goes to it and any other bar to the right limit.
    bool CheckSpiltPosition();

    void MouseDown(int Button, int Shift, float X, float Y);
    void MouseMove(int Button, int Shift, float X, float Y);
    void MouseUp(int Button, int Shift, float X, float Y);

    // Whether the bar shows the drag colour (left button held down on it).
    bool dragging() const { return m_dragging; }

signals:
    void Resize();

private:
    bool allSet() const;
    void paint(bool dragging);

    QPointer<QWidget> m_left;
    QPointer<QWidget> m_right;
    QPointer<QWidget> m_split;
    QPointer<QWidget> m_form;
    float m_dragStart = 0;
    bool m_dragging = false;
};
