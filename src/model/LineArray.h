#pragma once

#include <memory>

#include "model/Bumper.h"
#include "model/Cells.h"

namespace polvane {

// The array as a whole: brand, configuration (0 flown, 1 ground stacked), pin style
// (0 slide, 1 fixed) and units, with the bumper and the column of cells it owns. Its
// writers keep the parts consistent with each other.
class LineArray {
public:
    LineArray();
    LineArray(const LineArray&) = delete;
    LineArray& operator=(const LineArray&) = delete;

    // Same brand, configuration, pin style and units, a copy of the bumper and of every
    // cell; no splay changes.
    std::unique_ptr<LineArray> CloneOf() const;

    polvane::Bumper& Bumper() { return *bumper_; }
    const polvane::Bumper& Bumper() const { return *bumper_; }
    void SetBumper(std::unique_ptr<polvane::Bumper> bumper);
    polvane::Cells& Cells() { return *cells_; }
    const polvane::Cells& Cells() const { return *cells_; }
    void SetCells(std::unique_ptr<polvane::Cells> cells);

    int Brand() const { return brand_; }
    // Chooses the bumper type and gives every cell the brand's default type.
    void SetBrand(int brand);
    int PinStyle() const { return pinStyle_; }
    // Slide pins (0) are refused while ground stacked or for brand 4; otherwise every cell
    // takes the pin style and goes to its default splay, even for the current value.
    void SetPinStyle(int pinStyle);
    int Configuration() const { return configuration_; }
    // Hands the configuration to the bumper and the cells; callers write the pin style next.
    void SetConfiguration(int configuration);

    // ---- For the venue document ----
    int Units() const { return units_; }
    void SetUnits(int units);

private:
    std::unique_ptr<polvane::Bumper> bumper_;
    std::unique_ptr<polvane::Cells> cells_;
    int brand_ = 0;
    int configuration_ = 0;
    int pinStyle_ = 0;
    int units_ = 0;
};

} // namespace polvane
