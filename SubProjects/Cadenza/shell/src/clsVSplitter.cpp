#include "clsVSplitter.h"

#include <QFontMetrics>
#include <QPalette>

clsVSplitter::clsVSplitter(QObject* parent) : QObject(parent) {}

void clsVSplitter::setSplitControl(QWidget* control)
{
    m_split = control;
    if (m_split)
        m_split->setAutoFillBackground(true);
    paint(false);
}

int clsVSplitter::margin() const
{
    if (!m_form)
        return 0;
    return 10 * QFontMetrics(m_form->font()).horizontalAdvance(QLatin1Char('A'));
}

bool clsVSplitter::allSet() const
{
    return m_left && m_right && m_split && m_form;
}

bool clsVSplitter::CheckSpiltPosition()
{
    if (!allSet())
        return false;
    const int m = margin();
    const int minLeft = m_left->x() + m;
    const int maxLeft = m_form->width() - m_left->x() - m - m_split->width();
    int limit;
    if (m_split->x() < minLeft)
        limit = minLeft;
    else if (m_split->x() > maxLeft)
        limit = maxLeft;
    else
        return true;
    // Disabling the bar while it jumps ends a drag that ran into the margin.
    m_split->setEnabled(false);
    m_split->move(limit, m_split->y());
    m_split->setEnabled(true);
    return false;
}

void clsVSplitter::MouseDown(int Button, int, float X, float)
{
    if (!m_split || Button != LeftButton)
        return;
    m_dragStart = X;
    paint(true);
}

void clsVSplitter::MouseMove(int Button, int Shift, float X, float Y)
{
    if (!m_split || Button != LeftButton)
        return;
    if (CheckSpiltPosition())
        m_split->move(m_split->x() + qRound(X - m_dragStart), m_split->y());
    else
        MouseUp(Button, Shift, X, Y);
    emit Resize();
}

void clsVSplitter::MouseUp(int Button, int, float, float)
{
    if (!m_split || Button != LeftButton)
        return;
    paint(false);
}

void clsVSplitter::paint(bool dragging)
{
    m_dragging = dragging;
    if (!m_split)
        return;
    QPalette palette = m_split->palette();
    // Idle: the button face; dragging: the darker workspace shade.
    const QColor colour = QPalette().color(dragging ? QPalette::Mid : QPalette::Button);
    palette.setColor(QPalette::Window, colour);
    m_split->setPalette(palette);
}
