#pragma once

#include <cstdint>
#include <string>

namespace polvane {

struct CalculationResults;

// What Auto-Configure needs from the program around it: the refinement and engineering
// mode options, where the initial design's prediction goes, a millisecond clock, the
// window refresh and the running of pending window messages (where the user may press
// Stop).
class AutoConfigureServices {
public:
    virtual ~AutoConfigureServices() = default;
    // The option "Enable Refinement Calculations".
    virtual bool RefinementEnabled() = 0;
    // The option "Engineering mode" (the listening points' levels are worked out too);
    // off unless overridden.
    virtual bool EngineeringMode();
    // Takes the initial design's prediction, for the windows to show; dropped unless
    // overridden.
    virtual void ShareResults(const CalculationResults& results);
    // A monotonic clock in milliseconds.
    virtual std::int64_t TickCount() = 0;
    // Refreshes the windows that show the design (no recalculation).
    virtual void RefreshWindows() = 0;
    virtual void LetMessagesRun() = 0;
    // How many threads score Auto-Configure's candidates: every hardware thread unless
    // overridden.
    virtual int WorkerCount();
};

} // namespace polvane
