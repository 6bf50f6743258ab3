#pragma once

#include <Platform/Twips.h>
#include <QWidget>

// Places a child at a designed position given in twips (left, top, width, height).
inline void placeTwips(QWidget* w, int left, int top, int width, int height)
{
    w->setGeometry(Platform::twipsToPixels(left), Platform::twipsToPixels(top),
                   Platform::twipsToPixels(width), Platform::twipsToPixels(height));
}
