#pragma once

#include "engine/AutoConfigureServices.h"

namespace polvane {

class Clock;
class Session;
class UpdateHub;

// Auto-Configure's view of the running program: the refinement and engineering mode
// options and the shared results of the session, the program's clock, the window refresh
// of the update hub.
class ShellAutoConfigureServices : public AutoConfigureServices {
public:
    ShellAutoConfigureServices(Session& session, Clock& clock, UpdateHub& hub);

    bool RefinementEnabled() override;
    bool EngineeringMode() override;
    // Into the session's results.
    void ShareResults(const CalculationResults& results) override;
    std::int64_t TickCount() override;
    // The hub's refresh of scope 3, without running the prediction again.
    void RefreshWindows() override;
    // Through the clock, which lets the window messages run (where Stop is pressed).
    void LetMessagesRun() override;

private:
    Session& session_;
    Clock& clock_;
    UpdateHub& hub_;
};

} // namespace polvane
