#pragma once

namespace polvane {

// A progress bar: Auto-Configure reports the share of its time limit used so far.
class ProgressController {
public:
    virtual ~ProgressController() = default;
    // fraction from 0 to 1
    virtual void SetProgress(double fraction) = 0;
};

} // namespace polvane
