#pragma once

#include "Vellum/FlatScrollBar.h"
#include "Vellum/RectangleShape.h"
#include "Vellum/Vellum.h"

#include <QRectF>

#include <cmath>
#include <memory>

namespace VellumTest {

// The twips rectangle of a constituent control.
inline QRectF twips(const VellumCtl::TwipsGeometry& g)
{
    return QRectF(g.Left(), g.Top(), g.Width(), g.Height());
}

// A shown 200 x 150 pixel control (3000 x 2250 twips), both bars, margins 0:
// the frame is 2745 x 1995 twips and the viewport 2695 x 1945.
struct ShownVellum
{
    std::unique_ptr<QWidget> form = std::make_unique<QWidget>();
    VellumCtl::Vellum* vellum = new VellumCtl::Vellum(form.get());
    VellumCtl::PictureBox* content = new VellumCtl::PictureBox(form.get());

    ShownVellum()
    {
        form->resize(400, 300);
        vellum->setGeometry(0, 0, 200, 150);
        form->show();
    }

    // Installs content exactly `excess` twips taller than the viewport: the
    // content is whole pixels high, so the top margin takes up the remainder.
    void contentTallerBy(int excess, int widthPixels = 10)
    {
        const double viewport = 1945;
        const int pixels = static_cast<int>(std::floor((viewport + excess) / 15));
        vellum->setBorderTop(static_cast<int>(viewport) + excess - pixels * 15);
        content->resize(widthPixels, pixels);
        vellum->setScrollContent(content);
    }
};

} // namespace VellumTest
