#include "model/LineArray.h"

#include <stdexcept>

#include "model/ProductTables.h"

namespace polvane {

LineArray::LineArray()
    : bumper_(std::make_unique<polvane::Bumper>()), cells_(std::make_unique<polvane::Cells>())
{
}

void LineArray::SetBumper(std::unique_ptr<polvane::Bumper> bumper)
{
    if (!bumper)
        throw std::invalid_argument("a line array cannot be without its bumper");
    bumper_ = std::move(bumper);
}

void LineArray::SetCells(std::unique_ptr<polvane::Cells> cells)
{
    if (!cells)
        throw std::invalid_argument("a line array cannot be without its column of cells");
    cells_ = std::move(cells);
}

void LineArray::SetBrand(BrandCode brand)
{
    brand_ = brand;
    if (const BrandInfo* info = ProductTables::Brand(brand))
        bumper_->SetBumperType(info->bumperType);
    cells_->SetBrand(brand);
}

void LineArray::SetPinStyle(PinStyleCode pinStyle)
{
    if (pinStyle == PinStyleCode::Slide &&
        (configuration_ == ConfigurationCode::GroundStacked || brand_ == BrandCode::DeVelt))
        return;
    pinStyle_ = pinStyle;
    cells_->StorePinStyle(pinStyle);
    for (int i = 1; i <= cells_->Count(); ++i) {
        Cell& cell = cells_->Item(i);
        cell.SetPinStyle(pinStyle); // rebuilds the cell's lists
        cell.TouchSplay();
    }
}

void LineArray::SetConfiguration(ConfigurationCode configuration)
{
    configuration_ = configuration;
    bumper_->SetConfiguration(configuration);
    cells_->SetConfiguration(configuration);
}

void LineArray::SetUnits(UnitsCode units)
{
    units_ = units;
    bumper_->SetUnits(units);
    cells_->SetUnits(units);
}

std::unique_ptr<LineArray> LineArray::CloneOf() const
{
    auto copy = std::make_unique<LineArray>();
    copy->SetBrand(brand_);
    copy->SetBumper(bumper_->CloneOf());
    copy->SetCells(cells_->CloneOf());
    copy->cells_->StoreBrand(brand_);
    copy->SetConfiguration(configuration_);
    // The pin style is handed on without the default-splay reset of SetPinStyle.
    copy->pinStyle_ = pinStyle_;
    copy->cells_->StorePinStyle(pinStyle_);
    for (int i = 1; i <= copy->cells_->Count(); ++i)
        copy->cells_->Item(i).SetPinStyle(pinStyle_);
    copy->SetUnits(units_);
    return copy;
}

} // namespace polvane
