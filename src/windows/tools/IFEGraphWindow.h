#pragma once

#include <vector>

#include "windows/base/DrawingWindow.h"

namespace polvane {

class Environment;

// How evenly the array covers the seating areas at each band of the frequency table, as a
// percentage (100 best). The window runs the prediction once per band on the open venue
// into results of its own, so the shared calculation results stay as they are.
class IFEGraphWindow : public DrawingWindow {
    Q_OBJECT

public:
    explicit IFEGraphWindow(ToolWindowContext& context, QWidget* parent = nullptr);

    // From the hub the values are recomputed unless it refreshes the choice of the analysed
    // frequency or the display options, which cannot change them; opening the window
    // recomputes them too.
    void UpdateInterface() override;
    void UpdateInterface(bool recalculate);

    // One evenness per band, in percent; empty until the first calculation.
    const std::vector<float>& Values() const { return values_; }
    bool IsCalculated() const { return calculated_; }
    PlotPictureBox* picGraph() const { return Picture(); }

    // The evenness of each band of the frequency table for the venue, in percent. The
    // venue's aggregate switch and analysed frequency are put back as they were, also when
    // a prediction fails (an aggregating venue keeps the last band as its frequency).
    static std::vector<float> Calculate(Environment& venue);

protected:
    void DrawContent() override;

private:
    std::vector<float> values_;
    bool calculated_ = false;
};

} // namespace polvane
