#include "Vellum/RectangleShape.h"

#include <QPainter>

namespace VellumCtl {

RectangleShape::RectangleShape(QWidget* parent) : QWidget(parent), TwipsGeometry(this)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void RectangleShape::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::WindowText), 0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace VellumCtl
