#include "Vellum/TwipsGeometry.h"

#include "Platform/Twips.h"

#include <QWidget>

#include <algorithm>

namespace VellumCtl {

using Platform::pixelsToTwips;
using Platform::twipsToPixels;

void TwipsGeometry::sync() const
{
    const QRect now = m_widget->geometry();
    if (now == m_applied)
        return;
    m_left = pixelsToTwips(now.x());
    m_top = pixelsToTwips(now.y());
    m_width = pixelsToTwips(now.width());
    m_height = pixelsToTwips(now.height());
    m_applied = now;
}

double TwipsGeometry::Left() const
{
    sync();
    return m_left;
}

double TwipsGeometry::Top() const
{
    sync();
    return m_top;
}

double TwipsGeometry::Width() const
{
    sync();
    return m_width;
}

double TwipsGeometry::Height() const
{
    sync();
    return m_height;
}

void TwipsGeometry::setLeft(double left)
{
    sync();
    Move(left, m_top, m_width, m_height);
}

void TwipsGeometry::setTop(double top)
{
    sync();
    Move(m_left, top, m_width, m_height);
}

void TwipsGeometry::setWidth(double width)
{
    sync();
    Move(m_left, m_top, width, m_height);
}

void TwipsGeometry::setHeight(double height)
{
    sync();
    Move(m_left, m_top, m_width, height);
}

void TwipsGeometry::Move(double left, double top, double width, double height)
{
    const QRect pixels(twipsToPixels(left), twipsToPixels(top), std::max(0, twipsToPixels(width)),
                       std::max(0, twipsToPixels(height)));
    m_widget->setGeometry(pixels);
    m_left = left;
    m_top = top;
    m_width = width;
    m_height = height;
    m_applied = m_widget->geometry();
}

} // namespace VellumCtl
