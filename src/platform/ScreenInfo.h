#pragma once

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
};

} // namespace polvane
