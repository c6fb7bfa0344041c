#pragma once

#include <memory>

#include "model/Bumper.h"
#include "model/Cells.h"

namespace polvane {

// The array as a whole: brand, configuration (flown or ground stacked), pin style
// (slide or fixed) and units, with the bumper and the column of cells it owns. Its
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

    BrandCode Brand() const { return brand_; }
    // Chooses the bumper type and gives every cell the brand's default type.
    void SetBrand(BrandCode brand);
    PinStyleCode PinStyle() const { return pinStyle_; }
    // Slide pins are refused while ground stacked or for DE.VELT; otherwise every cell
    // takes the pin style and goes to its default splay, even for the current value.
    void SetPinStyle(PinStyleCode pinStyle);
    ConfigurationCode Configuration() const { return configuration_; }
    // Hands the configuration to the bumper and the cells; callers write the pin style next.
    void SetConfiguration(ConfigurationCode configuration);

    // ---- For the venue document ----
    UnitsCode Units() const { return units_; }
    void SetUnits(UnitsCode units);

private:
    std::unique_ptr<polvane::Bumper> bumper_;
    std::unique_ptr<polvane::Cells> cells_;
    BrandCode brand_ = BrandCode::TarvicKv9;
    ConfigurationCode configuration_ = ConfigurationCode::Flown;
    PinStyleCode pinStyle_ = PinStyleCode::Slide;
    UnitsCode units_ = UnitsCode::English;
};

} // namespace polvane
