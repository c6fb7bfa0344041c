#pragma once

#include <cstdint>
#include <string>

namespace polvane {

// What Auto-Configure needs from the program around it: the refinement option, a
// millisecond clock, the window refresh and the running of pending window messages
// (where the user may press Stop).
class AutoConfigureServices {
public:
    virtual ~AutoConfigureServices() = default;
    // The option "Enable Refinement Calculations".
    virtual bool RefinementEnabled() = 0;
    // A monotonic clock in milliseconds.
    virtual std::int64_t TickCount() = 0;
    // Refreshes the windows that show the design (no recalculation).
    virtual void RefreshWindows() = 0;
    virtual void LetMessagesRun() = 0;
    // The count of combinations tried, with the user's digit grouping.
    virtual std::string FormatCount(std::int64_t count);
};

} // namespace polvane
