#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "shell/places/WindowPlace.h"

namespace polvane {

class SettingsStore;

// The one owner of the places stored under "Window Positions", each under the name its
// caller gives (the tool windows use their captions). It deals in places, never in windows:
// a window hands over where it is.
class StoredWindowPlaces {
public:
    explicit StoredWindowPlaces(SettingsStore& store) : store_(store) {}

    void Save(std::string_view name, const WindowPlace& place);
    // A tool window's place as it closes, `place.visible` saying whether the main window is
    // closing with it (then it opens again at the next start). A window closed without ever
    // having been seen (loaded unseen at start-up) keeps the place stored for it, hidden,
    // so that it neither opens at the next start nor loses the place the user gave it.
    void SaveClosing(std::string_view name, const WindowPlace& place, bool seen);
    // Keeps a stored place but marks it hidden, so the window stays closed at the next
    // start; nothing when no usable place is stored.
    void MarkHidden(std::string_view name, bool sizable);
    // The usable place stored under the name, if any.
    std::optional<WindowPlace> Place(std::string_view name, bool sizable) const;

    // The main window's own place, as its text ("" when none is stored).
    std::string MainWindowText(std::string_view name) const;
    void SaveMainWindowText(std::string_view name, const std::string& text);

private:
    SettingsStore& store_;
};

} // namespace polvane
