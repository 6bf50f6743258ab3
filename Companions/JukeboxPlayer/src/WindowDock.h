#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

// Where the player's windows open: one below the other in the order given
// (main window, equaliser, playlist), left edges aligned, the stack centred in
// the screen's free area. A window that would reach below the area is lifted
// into it, but never above the area's top. frames are the windows' sizes with
// their frames; the result is each window's frame position.
QList<QPoint> DockedBelow(const QRect& available, const QList<QSize>& frames);
