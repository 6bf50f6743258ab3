#pragma once

#include <cmath>

namespace Platform {

// Window geometry is kept in twips; Qt works in logical pixels. This is the one
// conversion between them: 15 twips per logical pixel.
inline constexpr int TwipsPerPixel = 15;

inline int twipsToPixels(double twips)
{
    return static_cast<int>(std::lround(twips / TwipsPerPixel));
}

inline int pixelsToTwips(int pixels)
{
    return pixels * TwipsPerPixel;
}

} // namespace Platform
