#pragma once

#include "platform/ScreenInfo.h"

namespace polvane {

// A screen of a given size, for tests.
class FixedScreenInfo : public ScreenInfo {
public:
    FixedScreenInfo(int width = 1280, int height = 1024, int twipsPerPixelX = 15,
                    int twipsPerPixelY = 15)
        : width_(width), height_(height), twipsX_(twipsPerPixelX), twipsY_(twipsPerPixelY)
    {
    }

    int Width() const override { return width_; }
    int Height() const override { return height_; }
    int TwipsPerPixelX() const override { return twipsX_; }
    int TwipsPerPixelY() const override { return twipsY_; }

    // The desktop changed (a monitor removed or resized).
    void SetSize(int width, int height)
    {
        width_ = width;
        height_ = height;
    }

private:
    int width_;
    int height_;
    int twipsX_;
    int twipsY_;
};

} // namespace polvane
