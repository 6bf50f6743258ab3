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

// A coordinate moved the least so that at least visible pixels of an extent
// starting there lie within [first, first + available); with keepStart the
// start itself must lie on the area too.
int fitCoordinate(int wanted, int extent, int visible, int first, int available, bool keepStart)
{
    const int lowest = keepStart ? first : first - (extent - visible);
    const int highest = first + available - visible;
    return std::max(lowest, std::min(wanted, std::max(lowest, highest)));
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
    const int width = placement.size.width();
    const int height = placement.size.height();
    placement.position =
        QPoint(fitCoordinate(stored.left.value_or(current.x()), width, std::min(width, minimum.width()),
                             available.left(), available.width(), false),
               fitCoordinate(stored.top.value_or(current.y()), height, std::min(height, minimum.height()),
                             available.top(), available.height(), true));
    return placement;
}

} // namespace WindowPlacement
