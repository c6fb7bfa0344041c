#pragma once

#include <functional>

#include "shell/session/ToolWindowId.h"

namespace polvane {

class ToolWindow;
struct ToolWindowContext;

// The one list of the tool windows' classes: the program, the benchmarks and the tests make
// every tool window here, by its id.
class ToolWindowFactory {
public:
    // A new window of the id in the context, not shown. designArray is what the array
    // configuration window's "Design..." runs; empty, the button does nothing.
    static ToolWindow* Create(ToolWindowId id, ToolWindowContext& context,
                              const std::function<void()>& designArray = {});
};

} // namespace polvane
