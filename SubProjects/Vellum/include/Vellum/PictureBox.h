#pragma once

#include "Vellum/TwipsGeometry.h"

#include <QFrame>

namespace VellumCtl {

// A plain container pane with an optional single-line border and a geometry in
// twips. It is the content type a host hands to Vellum::setScrollContent (the
// only type the control accepts there) and the kind of Vellum's own frame,
// viewport and content carrier.
class PictureBox : public QFrame, public TwipsGeometry
{
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);

    // 0: no border; 1: single line. Other values are treated as 1.
    int BorderStyle() const { return m_borderStyle; }
    void setBorderStyle(int style);

    // The inner size (inside the border) in twips.
    double ScaleWidth() const;
    double ScaleHeight() const;

private:
    int m_borderStyle = 0;
};

} // namespace VellumCtl
