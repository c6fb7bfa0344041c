#pragma once

#include <algorithm>
#include <cmath>

namespace polvane {

// The desktop the program's windows live on.
class ScreenInfo {
public:
    virtual ~ScreenInfo() = default;
    // The desktop's size in pixels.
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    // Twips (1/1440 inch) per pixel, rounded to whole numbers: 15 on a 96-dpi screen.
    virtual int TwipsPerPixelX() const = 0;
    virtual int TwipsPerPixelY() const = 0;

    // Twips to the nearest whole pixel (halves away from zero) at twipsPerPixel, taken as
    // at least 1.
    static int ToPixels(long long twips, int twipsPerPixel)
    {
        return static_cast<int>(std::lround(static_cast<double>(twips) / std::max(1, twipsPerPixel)));
    }
    // The same across and down this screen.
    int PixelsX(long long twips) const { return ToPixels(twips, TwipsPerPixelX()); }
    int PixelsY(long long twips) const { return ToPixels(twips, TwipsPerPixelY()); }
};

} // namespace polvane
