#pragma once

#include <array>
#include <cstddef>
#include <string>

#include "shell/session/ToolWindowId.h"

namespace polvane {

// The preset arrangements of the View > Arrange Windows menu; the two larger ones differ
// between standard and engineering mode.
enum class PresetColumn {
    k800x600,
    k1024x768Engineering,
    k1024x768Standard,
    k1280x1024Engineering,
    k1280x1024Standard,
};

// Whether a tool window is open in one preset arrangement; where it goes is the
// arrangement's layout (PresetLayout).
struct PresetPlace {
    bool open = false; // closed: saved as hidden and unloaded
};

// What the program knows about each of its twelve tool windows, in one place: the Tools
// menu, the restored arrangement, the preset layouts and the layout files all read it.
struct ToolWindowInfo {
    ToolWindowId id;
    const char* caption;    // also the position key under "Window Positions"
    const char* windowName; // the name failures are reported under
    const char* menuName;   // the Tools item's object name
    const char* menuText;   // the Tools item's text, with its access key
    bool sizable;           // remembers width and height too
    bool engineeringOnly;   // Tools item shown only in engineering mode
    const char* helpTopic;
    std::array<PresetPlace, 5> presets; // by PresetColumn
};

class ToolWindowRegistry {
public:
    static constexpr std::size_t kCount = kToolWindowCount;

    // In the Tools menu's order, which is also the order the preset arrangements move,
    // show and close the windows in.
    static const std::array<ToolWindowInfo, kCount>& All();
    static const ToolWindowInfo& Info(ToolWindowId id);
    // The name in a layout file: the caption upper-cased with blanks turned into "_".
    static std::string LayoutName(ToolWindowId id);
    static const PresetPlace& Preset(ToolWindowId id, PresetColumn column);
};

} // namespace polvane
