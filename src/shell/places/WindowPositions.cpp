#include "shell/places/WindowPositions.h"

#include <string>

#include "shell/places/PlaceableWindow.h"

namespace polvane {

namespace {

bool g_positioning = false;

// Raises the positioning flag for its lifetime, so a failing move cannot leave it up.
class PositioningScope {
public:
    PositioningScope() : previous_(g_positioning) { g_positioning = true; }
    ~PositioningScope() { g_positioning = previous_; }
    PositioningScope(const PositioningScope&) = delete;
    PositioningScope& operator=(const PositioningScope&) = delete;

private:
    bool previous_;
};

} // namespace

bool WindowPositions::IsPositioning() { return g_positioning; }

void WindowPositions::SaveFormPosition(const PlaceableWindow& window, std::string_view name,
                                       bool visible)
{
    places_.Save(name, window.Place(visible));
}

std::optional<WindowPlace> WindowPositions::StoredPlace(std::string_view name, bool sizable) const
{
    return places_.Place(name, sizable);
}

void WindowPositions::MarkHidden(std::string_view name, bool sizable) { places_.MarkHidden(name, sizable); }

void WindowPositions::PositionWindow(PlaceableWindow& window, std::string_view name, bool force)
{
    const std::optional<WindowPlace> place = StoredPlace(name, window.IsSizable());
    if (!place) {
        if (force)
            window.Show();
        return;
    }
    if (!place->visible && !force)
        return;
    PositioningScope positioning;
    if (place->sizable)
        window.Move(place->left, place->top, place->width, place->height);
    else
        window.Move(place->left, place->top);
    window.Show();
}

} // namespace polvane
