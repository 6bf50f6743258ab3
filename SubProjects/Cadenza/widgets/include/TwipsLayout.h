#pragma once

#include "Platform/Twips.h"
#include <QFontMetrics>
#include <QLabel>
#include <QWidget>
#include <algorithm>

// Places a child at a designed position given in twips (left, top, width, height).
inline void placeTwips(QWidget* w, int left, int top, int width, int height)
{
    w->setGeometry(Platform::twipsToPixels(left), Platform::twipsToPixels(top),
                   Platform::twipsToPixels(width), Platform::twipsToPixels(height));
}

// The designed positions were laid out for an 8-point interface font; panels
// laid out in twips use that size so their captions fit the designed widths.
inline void useDesignedFontSize(QWidget* w)
{
    QFont f = w->font();
    f.setPointSize(8);
    w->setFont(f);
}

// Interface fonts differ in width from the one the layout was designed for: a
// right-aligned caption whose text does not fit the part of its label inside
// the parent gets a slightly smaller font instead of losing its first letters.
inline void fitCaption(QLabel* label)
{
    const int visible = label->geometry().right() - std::max(0, label->x()) + 1;
    QFont f = label->font();
    while (f.pointSizeF() > 6 && QFontMetrics(f).horizontalAdvance(label->text()) > visible)
        f.setPointSizeF(f.pointSizeF() - 0.5);
    label->setFont(f);
}
