#pragma once

#include "platform/ScreenInfo.h"

namespace polvane {

// The primary screen as Qt sees it, in device-independent pixels. Without a screen (no
// GUI application) it answers as a 1024 x 768 screen at 96 dpi.
class QtScreenInfo : public ScreenInfo {
public:
    int Width() const override;
    int Height() const override;
    int TwipsPerPixelX() const override;
    int TwipsPerPixelY() const override;

    // 1440 / dpi rounded, at least 1; 15 for a dpi that is not positive.
    static int TwipsPerPixelFor(double dotsPerInch);
};

} // namespace polvane
