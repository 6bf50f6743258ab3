#include "WindowPlacement.h"

#include "Platform/Numeric.h"
#include "Platform/Twips.h"

#include <algorithm>
#include <cmath>

namespace WindowPlacement {

namespace {

// QWIDGETSIZE_MAX, which lives in QtWidgets.
constexpr double MaxPixels = (1 << 24) - 1;

// The size along one axis: a usable stored value or the designed one, then
// kept between the minimum and the available extent.
int fitExtent(std::optional<int> stored, int designed, int minimum, int available)
{
    const int wanted = stored && *stored > 0 ? *stored : designed;
    return std::max(minimum, std::min(wanted, available));
}

// A coordinate moved the least so that an extent starting there lies within
// [first, first + available); the start wins when the extent is larger.
int fitCoordinate(int wanted, int extent, int first, int available)
{
    return std::max(first, std::min(wanted, first + available - extent));
}

} // namespace

std::optional<int> StoredPixels(const QVariant& value)
{
    if (!value.isValid())
        return std::nullopt;
    const auto number = Platform::NumericValue(value.toString().toStdString());
    if (!number || !(std::abs(*number) / Platform::TwipsPerPixel <= MaxPixels))
        return std::nullopt;
    // Single precision, as the values are written.
    return Platform::twipsToPixels(static_cast<float>(*number));
}

Placement Place(const Stored& stored, QSize designed, QSize minimum, QPoint current, QRect available)
{
    Placement placement;
    placement.size = QSize(fitExtent(stored.width, designed.width(), minimum.width(), available.width()),
                           fitExtent(stored.height, designed.height(), minimum.height(), available.height()));
    if (!stored.left && !stored.top)
        return placement;
    placement.position = QPoint(fitCoordinate(stored.left.value_or(current.x()), placement.size.width(),
                                              available.left(), available.width()),
                                fitCoordinate(stored.top.value_or(current.y()), placement.size.height(),
                                              available.top(), available.height()));
    return placement;
}

} // namespace WindowPlacement
