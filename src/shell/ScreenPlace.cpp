#include "shell/ScreenPlace.h"

#include <algorithm>

namespace polvane {

ScreenPlace::Rect ScreenPlace::HeldOnScreen(Rect place, int screenWidth, int screenHeight)
{
    const int screenW = std::max(1, screenWidth);
    const int screenH = std::max(1, screenHeight);
    place.width = std::clamp(place.width, 0, screenW);
    place.height = std::clamp(place.height, 0, screenH);
    // Sizes are at most the screen's here, so neither bound overflows or crosses the other.
    place.left = std::clamp(place.left, 0, screenW - place.width);
    place.top = std::clamp(place.top, 0, screenH - place.height);
    return place;
}

} // namespace polvane
