#pragma once

#include <array>
#include <string>

class QWidget;

namespace polvane {

class ScreenInfo;

// The main window's place in twips, as the settings and the layout files keep it.
class MainWindowPlace {
public:
    MainWindowPlace(QWidget& window, const ScreenInfo& screen) : window_(window), screen_(screen) {}

    // The window's left, top, width and height in twips.
    std::array<int, 4> Twips() const;
    // Normal state at the place given in twips, held wholly on the screen at no less than the
    // window's least size; maximised, as the presets place it, on a screen too small for that.
    void PlaceNormal(const std::array<int, 4>& twips);
    // Once the window is shown and framed (it was activated): a place taken before it was
    // shown is held again with the frame and the least size it has now.
    void HoldAgainOnceShown();
    // "state,left,top,width,height" in twips: state 0 normal, 1 minimised, 2 maximised.
    std::string Text() const;
    // Applies a stored Text(): maximised, or normal at its place. An empty or damaged text
    // is passed over and the window stays where it is.
    void Restore(const std::string& text);

private:
    // The place in pixels, the frame's left and top with the inside's width and height.
    void Hold(int left, int top, int width, int height);

    QWidget& window_;
    const ScreenInfo& screen_;
    bool heldUnshown_ = false;
};

} // namespace polvane
