#pragma once

#include <array>
#include <string>

#include "shell/ToolWindowId.h"

namespace polvane {

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
};

class ToolWindowRegistry {
public:
    static constexpr std::size_t kCount = 12;

    // In the Tools menu's order.
    static const std::array<ToolWindowInfo, kCount>& All();
    static const ToolWindowInfo& Info(ToolWindowId id);
    // The name in a layout file: the caption upper-cased with blanks turned into "_".
    static std::string LayoutName(ToolWindowId id);
};

} // namespace polvane
