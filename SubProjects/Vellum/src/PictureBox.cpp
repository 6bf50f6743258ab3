#include "Vellum/PictureBox.h"

#include "Platform/Twips.h"

namespace VellumCtl {

PictureBox::PictureBox(QWidget* parent) : QFrame(parent), TwipsGeometry(this)
{
    setBorderStyle(0);
}

void PictureBox::setBorderStyle(int style)
{
    m_borderStyle = style == 0 ? 0 : 1;
    if (m_borderStyle == 0) {
        setFrameStyle(QFrame::NoFrame);
    } else {
        setFrameStyle(QFrame::Box | QFrame::Plain);
        setLineWidth(1);
    }
}

double PictureBox::ScaleWidth() const
{
    return Width() - Platform::pixelsToTwips(2 * frameWidth());
}

double PictureBox::ScaleHeight() const
{
    return Height() - Platform::pixelsToTwips(2 * frameWidth());
}

} // namespace VellumCtl
