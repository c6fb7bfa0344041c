#pragma once

#include <optional>

namespace polvane {

// Where a window may be put from a stored place (the settings or a layout file): a place
// saved on a larger or a removed monitor, or edited by hand, must still leave the window
// reachable and no larger than the screen, whose size bounds what its drawing surfaces take.
class ScreenPlace {
public:
    struct Rect {
        int left = 0;
        int top = 0;
        int width = 0;
        int height = 0;
        bool operator==(const Rect&) const = default;
    };
    struct Size {
        int width = 0;
        int height = 0;
    };

    // The place in pixels as the window will take it on a screen of the given size: no
    // smaller than the window's least size (taken as at least one pixel each way), no larger
    // than the screen, and moved, if need be, until the whole window (its title bar with it)
    // is on the screen. A place already so is unchanged. Nothing when the least size itself
    // does not fit the screen: no place holds that window wholly on it, and the caller puts
    // the window at its default place instead.
    static std::optional<Rect> HeldOnScreen(Rect place, Size least, int screenWidth, int screenHeight);
};

} // namespace polvane
