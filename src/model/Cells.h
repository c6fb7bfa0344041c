#pragma once

#include <memory>
#include <vector>

#include "model/BrandCode.h"
#include "model/Cell.h"
#include "model/OwnedList.h"

namespace polvane {

// The column of cells, 1-based. It hands the array's brand, configuration, pin style and
// units on to its cells and keeps every cell's position equal to its place in the list.
class Cells {
public:
    Cells() = default;
    Cells(const Cells&) = delete;
    Cells& operator=(const Cells&) = delete;

    // A copy of every cell; the copy's brand, configuration, pin style and units stay 0
    // until the line array sets them.
    std::unique_ptr<Cells> CloneOf() const;

    int Count() const { return cells_.Count(); }
    // The cell at i (1-based); throws std::out_of_range outside 1..Count.
    Cell& Item(int i) { return cells_.Item(i); }
    const Cell& Item(int i) const { return cells_.Item(i); }
    // Replaces the cell at i; its position is not touched.
    void SetItem(int i, std::unique_ptr<Cell> cell) { cells_.SetItem(i, std::move(cell)); }

    // Inserts a new cell at `index` (below 1: appends) of `cellType` (-1: the brand's
    // default type) with the given splay (none: 0, snapped) and returns it.
    Cell& Add(int index = -1, int cellType = -1, const Angle* splayAngle = nullptr);
    // Removes the cell at i (1-based); throws std::out_of_range outside 1..Count.
    void Remove(int i);

    UnitsCode Units() const { return units_; }
    // Converts every cell when the units really change.
    void SetUnits(UnitsCode units);

    // ---- For the line array ----
    BrandCode Brand() const { return brand_; }
    // Stores the brand and gives every cell the brand's default type.
    void SetBrand(BrandCode brand);
    // Stores the brand only; the cells keep their types.
    void StoreBrand(BrandCode brand) { brand_ = brand; }
    ConfigurationCode Configuration() const { return configuration_; }
    void SetConfiguration(ConfigurationCode configuration);
    PinStyleCode PinStyle() const { return pinStyle_; }
    // Stores the pin style that new cells take; the cells themselves are not touched.
    void StorePinStyle(PinStyleCode pinStyle) { pinStyle_ = pinStyle; }

private:
    OwnedList<Cell> cells_{"cell"};
    BrandCode brand_ = BrandCode::TarvicKv9;
    ConfigurationCode configuration_ = ConfigurationCode::Flown;
    PinStyleCode pinStyle_ = PinStyleCode::Slide;
    UnitsCode units_ = UnitsCode::English;
};

} // namespace polvane
