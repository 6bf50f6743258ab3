#pragma once

#include "Vellum/TwipsGeometry.h"

#include <QScrollBar>

namespace VellumCtl {

// One of Vellum's scroll bars: positions and ranges in twips, geometry in twips.
class FlatScrollBar : public QScrollBar, public TwipsGeometry
{
    Q_OBJECT
public:
    // The thickness the bars are designed with: the vertical bar's width, the
    // horizontal bar's height.
    static constexpr double Thickness = 255;

    FlatScrollBar(Qt::Orientation orientation, QWidget* parent);

protected:
    // A disabled bar has nothing to scroll and draws no thumb.
    void paintEvent(QPaintEvent* event) override;
};

} // namespace VellumCtl
