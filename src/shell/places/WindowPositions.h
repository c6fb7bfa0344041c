#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "shell/places/WindowPlace.h"

namespace polvane {

class PlaceableWindow;
class SettingsStore;

// The one owner of the windows' places under "Window Positions", each under the name its
// caller gives (the tool windows use their captions): saving and restoring them, and the
// rules a closing tool window's place follows.
class WindowPositions {
public:
    explicit WindowPositions(SettingsStore& store) : store_(store) {}

    // Stores the window's current place, to be shown at the next start when visible.
    void SaveFormPosition(const PlaceableWindow& window, std::string_view name, bool visible);
    void SavePlace(std::string_view name, const WindowPlace& place);
    // A tool window's place as it closes, `place.visible` saying whether the main window is
    // closing with it (then it opens again at the next start). A window closed without ever
    // having been seen (loaded unseen at start-up) keeps the place stored for it, hidden,
    // so that it neither opens at the next start nor loses the place the user gave it.
    void SaveClosingPlace(std::string_view name, const WindowPlace& place, bool seen);
    // The main window's own place, as its text.
    std::string MainWindowPlace(std::string_view name) const;
    void SaveMainWindowPlace(std::string_view name, const std::string& text);

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
    SettingsStore& store_;
};

} // namespace polvane
