#pragma once

#include "shell/places/WindowPlace.h"

namespace polvane {

// A tool window as the remembered window places see it, in twips of the screen.
class PlaceableWindow {
public:
    // Sizable windows remember their width and height too.
    virtual bool IsSizable() const = 0;
    virtual int Left() const = 0;
    virtual int Top() const = 0;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    // The size the window needs in an arrangement: a fixed window's own size, a sizable
    // window's smallest useful size.
    virtual int NeededWidth() const = 0;
    virtual int NeededHeight() const = 0;
    virtual void Move(int left, int top) = 0;
    virtual void Move(int left, int top, int width, int height) = 0;
    // A place of an arrangement, which may run past the screen where the work area scrolls
    // to it; a stored place is held on the screen by Move.
    virtual void Arrange(int left, int top) { Move(left, top); }
    virtual void Arrange(int left, int top, int width, int height)
    {
        Move(left, top, width, height);
    }
    // Shows the window and brings it to the front.
    virtual void Show() = 0;
    // Whether the window is on screen; a window loaded without being shown is not.
    virtual bool IsShown() const { return true; }

    // Where the window is now, to be shown at the next start when visible.
    WindowPlace Place(bool visible) const
    {
        WindowPlace place;
        place.visible = visible;
        place.left = Left();
        place.top = Top();
        place.sizable = IsSizable();
        if (place.sizable) {
            place.width = Width();
            place.height = Height();
        }
        return place;
    }

protected:
    ~PlaceableWindow() = default;
};

} // namespace polvane
