#pragma once

#include "Vellum/TwipsGeometry.h"

#include <QWidget>

namespace VellumCtl {

// A rectangle outline, one pixel wide, drawn along the edges of its geometry.
// It never takes mouse input.
class RectangleShape : public QWidget, public TwipsGeometry
{
    Q_OBJECT
public:
    explicit RectangleShape(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace VellumCtl
