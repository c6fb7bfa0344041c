#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace polvane {

// A tool window's remembered place under "Window Positions": whether it is to be shown at
// the next start, then left and top and, for a sizable window, width and height, in twips,
// all joined by "," ("1,120,345" or "0,120,345,4800,3600").
struct WindowPlace {
    bool visible = false;
    int left = 0;
    int top = 0;
    bool sizable = false;
    int width = 0;  // sizable windows only
    int height = 0;

    // The place in a stored text. Nothing when the text is empty or is not a place: too
    // few fields for the kind of window, or a position or size field that is not a
    // number in the 32-bit range (fields are rounded to whole twips, halves to even).
    // Fields after the last one needed are ignored. Any first field other than "0"
    // means shown.
    static std::optional<WindowPlace> Parse(std::string_view text, bool sizable);

    std::string Text() const;

    bool operator==(const WindowPlace&) const = default;
};

} // namespace polvane
