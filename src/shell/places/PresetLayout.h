#pragma once

#include <functional>
#include <map>
#include <vector>

#include "shell/places/ScreenPlace.h"
#include "shell/session/ToolWindowId.h"
#include "shell/places/ToolWindowRegistry.h"

namespace polvane {

// How a preset arrangement shares the work area among its windows: the area is cut into
// columns side by side and rows one below another, down to one window per piece. The
// windows are placed by the sizes they really have, so no two overlap: a fixed window
// sits at the top left of its piece at its own size, a sizable one fills its piece. Room
// to spare goes to the pieces holding sizable windows, the drawings first and the venue
// most; when the area is too small, only the pieces that need more than it run past its
// edges. An arrangement may offer alternatives, from the nearest to the original places to
// the most compact (a long cell list leaves less room in its column, so windows move to
// the other one): of those that run least past the area's edges, the first that comes
// nearest to showing every drawing at a readable size is taken.
class PresetLayout {
public:
    struct Node {
        enum class Kind { Window, Across, Down, Either };
        Kind kind = Kind::Window;
        ToolWindowId id = ToolWindowId::Venue;
        std::vector<Node> parts;
    };
    struct Size {
        int width = 0;
        int height = 0;
        bool sizable = false;
    };
    using Rect = ScreenPlace::Rect;

    static Node Window(ToolWindowId id);
    // Parts side by side, left to right.
    static Node Across(std::vector<Node> parts);
    // Parts one below another, top to bottom.
    static Node Down(std::vector<Node> parts);
    // Alternatives of one arrangement, chosen as above; only at the top of a tree.
    static Node Either(std::vector<Node> alternatives);

    // The pieces of a preset arrangement; only its open windows appear in it.
    static const Node& Of(PresetColumn column);

    // The place of every window of the tree in an area of the given size. The needed size
    // of a window not loaded may be asked for too: the caller knows them all.
    static std::map<ToolWindowId, Rect> Place(const Node& root,
                                              const std::function<Size(ToolWindowId)>& sizeOf,
                                              int areaWidth, int areaHeight);
};

} // namespace polvane
