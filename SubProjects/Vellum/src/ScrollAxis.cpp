#include "Vellum/ScrollAxis.h"

#include "Platform/Numeric.h"

#include <algorithm>
#include <cmath>

namespace VellumCtl {

namespace {

int roundedAtLeastOne(double value)
{
    return value >= 1 ? static_cast<int>(Platform::RoundHalfEven(value)) : 1;
}

// Position arithmetic must not turn an exact quotient into the next integer.
constexpr double Tolerance = 1e-9;

} // namespace

ScrollAxis::ScrollAxis(double contentLength, double viewportLength)
    : m_excess(std::max(0.0, contentLength - viewportLength)), m_viewport(std::max(0.0, viewportLength))
{
    if (m_excess > MaxRange) {
        m_maximum = MaxRange;
        m_twipsPerPosition = m_excess / MaxRange;
    } else {
        m_maximum = static_cast<int>(Platform::RoundHalfEven(m_excess));
    }
}

int ScrollAxis::SingleStep() const
{
    return roundedAtLeastOne(m_maximum / 10.0);
}

int ScrollAxis::PageStep() const
{
    return roundedAtLeastOne(m_viewport / m_twipsPerPosition);
}

double ScrollAxis::OffsetAt(int position) const
{
    return position * m_twipsPerPosition;
}

int ScrollAxis::PositionShowing(double start, double length, int position) const
{
    const double offset = OffsetAt(position);
    const double end = start + length;
    const bool fits = length <= m_viewport;
    if (start >= offset && end <= offset + m_viewport)
        return position;
    if (!fits && start < offset + m_viewport && end > offset)
        return position;
    // Near edge first: the start of a span that is too long must be in view.
    int wanted;
    if (start < offset || !fits)
        wanted = static_cast<int>(std::floor(start / m_twipsPerPosition + Tolerance));
    else
        wanted = static_cast<int>(std::ceil((end - m_viewport) / m_twipsPerPosition - Tolerance));
    return std::clamp(wanted, 0, m_maximum);
}

} // namespace VellumCtl
