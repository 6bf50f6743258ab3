#include "Vellum/FlatScrollBar.h"

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

} // namespace VellumCtl
