#include "shell/places/ScreenPlace.h"

#include <algorithm>

namespace polvane {

std::optional<ScreenPlace::Rect> ScreenPlace::HeldOnScreen(Rect place, Size least, int screenWidth,
                                                           int screenHeight)
{
    const int screenW = std::max(1, screenWidth);
    const int screenH = std::max(1, screenHeight);
    // A window the window system would make larger than asked must be held at the size it
    // takes, or its far edge would lie past the screen's.
    const int leastW = std::max(1, least.width);
    const int leastH = std::max(1, least.height);
    if (leastW > screenW || leastH > screenH)
        return std::nullopt;
    place.width = std::clamp(place.width, leastW, screenW);
    place.height = std::clamp(place.height, leastH, screenH);
    // Sizes are at most the screen's here, so neither bound overflows or crosses the other.
    place.left = std::clamp(place.left, 0, screenW - place.width);
    place.top = std::clamp(place.top, 0, screenH - place.height);
    return place;
}

} // namespace polvane
