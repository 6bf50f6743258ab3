#pragma once

#include <cstdint>

namespace VellumCtl {

// Which scroll bars are shown. The property keeps any 32-bit value; values
// other than these hide both bars.
enum SliderOrientationConstants : std::int32_t
{
    socNone = 0,
    socVerticalOnly = 1,
    socHorizontalOnly = 2,
    socBoth = 3,
};

// The four margins between the frame and the viewport, in twips, in this order.
struct VellumBorderDimension
{
    std::int32_t Top = 0;
    std::int32_t Left = 0;
    std::int32_t Right = 0;
    std::int32_t Bottom = 0;

    bool operator==(const VellumBorderDimension&) const = default;
};

} // namespace VellumCtl
