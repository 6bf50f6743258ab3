#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QVariant>

#include <optional>

// Where the main window opens, from the geometry the settings store holds.
// The stored values are texts a user may have edited, so none is trusted: a
// window must always open visible, within the screen, and usable.
namespace WindowPlacement {

// A stored value (text holding a number of twips) in logical pixels; nothing
// when it is absent, not a number, or beyond any window's reach (more than
// QWIDGETSIZE_MAX pixels either way), so the caller keeps its designed value.
std::optional<int> StoredPixels(const QVariant& value);

// What the settings store held, in pixels (nothing: absent or not usable).
struct Stored
{
    std::optional<int> left, top, width, height;
};

struct Placement
{
    QSize size;
    // Nothing when neither coordinate was stored: the window system places it.
    std::optional<QPoint> position;
};

// The size: each stored width and height that is positive, else the designed
// one; then at least minimum and at most the available area (minimum wins on
// a screen smaller than it). The position: the stored coordinates (a missing
// one from current), moved the least so that the whole window lies on the
// available area (its top left corner first, on a screen smaller than it):
// a window partly off the screen would hide its menu bar or its tree.
Placement Place(const Stored& stored, QSize designed, QSize minimum, QPoint current, QRect available);

} // namespace WindowPlacement
