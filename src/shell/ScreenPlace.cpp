#include "shell/ScreenPlace.h"

#include <algorithm>

namespace polvane {

ScreenPlace::Rect ScreenPlace::HeldOnScreen(Rect place, int screenWidth, int screenHeight)
{
    const int screenW = std::max(1, screenWidth);
    const int screenH = std::max(1, screenHeight);
    place.width = std::clamp(place.width, 0, screenW);
    place.height = std::clamp(place.height, 0, screenH);
    const int grip = std::min({kGrip, place.width, screenW});
    // Widths are at most the screen's here, so none of the bounds below overflows.
    place.left = std::clamp(place.left, grip - place.width, screenW - grip);
    place.top = std::clamp(place.top, 0, std::max(0, screenH - std::min(kGrip, screenH)));
    return place;
}

} // namespace polvane
