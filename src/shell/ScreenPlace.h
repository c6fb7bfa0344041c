#pragma once

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

    // The place in pixels held to a screen of the given size: width and height at most the
    // screen's, and moved, if need be, until the whole window (its title bar with it) is on
    // the screen. A place already so is unchanged.
    static Rect HeldOnScreen(Rect place, int screenWidth, int screenHeight);
};

} // namespace polvane
