#include "Vellum/FlatScrollBar.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionSlider>

namespace VellumCtl {

FlatScrollBar::FlatScrollBar(Qt::Orientation orientation, QWidget* parent)
    : QScrollBar(orientation, parent), TwipsGeometry(this)
{
    setRange(0, 0);
    setSingleStep(1);
    setPageStep(1);
    setTracking(true);
    Move(0, 0, Thickness, Thickness);
}

void FlatScrollBar::paintEvent(QPaintEvent* event)
{
    if (isEnabled()) {
        QScrollBar::paintEvent(event);
        return;
    }
    QPainter painter(this);
    QStyleOptionSlider option;
    initStyleOption(&option);
    option.subControls =
        QStyle::SubControls(QStyle::SC_All) & ~QStyle::SubControls(QStyle::SC_ScrollBarSlider);
    style()->drawComplexControl(QStyle::CC_ScrollBar, &option, &painter, this);
}

} // namespace VellumCtl
