#pragma once

#include <optional>
#include <string_view>

#include "shell/places/StoredWindowPlaces.h"
#include "shell/places/WindowPlace.h"

namespace polvane {

class PlaceableWindow;
class SettingsStore;

// Moving the tool windows to their places stored under "Window Positions" and storing where
// they are, each under the name its caller gives (the tool windows use their captions).
class WindowPositions {
public:
    explicit WindowPositions(SettingsStore& store) : places_(store) {}

    // Stores the window's current place, to be shown at the next start when visible.
    void SaveFormPosition(const PlaceableWindow& window, std::string_view name, bool visible);

    // Restores a window from its stored place. With no usable place stored (none, or a
    // text that is not a place of this kind of window), a forced window is shown where it
    // is and any other is left alone. A place stored as hidden is left alone unless
    // forced. Otherwise the window is moved (and, when sizable, sized) and shown, with
    // IsPositioning() true meanwhile.
    void PositionWindow(PlaceableWindow& window, std::string_view name, bool force);

    // Keeps a stored place but marks it hidden, so the window stays closed at the next
    // start; nothing when no usable place is stored.
    void MarkHidden(std::string_view name, bool sizable);

    // The usable place stored under the name, if any.
    std::optional<WindowPlace> StoredPlace(std::string_view name, bool sizable) const;

    // True while a window is being moved to its stored place: drawing windows skip the
    // redraw their resize would cause.
    static bool IsPositioning();

private:
    StoredWindowPlaces places_;
};

} // namespace polvane
