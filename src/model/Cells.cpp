#include "model/Cells.h"

#include "model/ProductTables.h"

namespace polvane {

std::unique_ptr<Cells> Cells::CloneOf() const
{
    auto copy = std::make_unique<Cells>();
    copy->cells_ = cells_.CloneAll();
    return copy;
}

void Cells::SetUnits(UnitsCode units)
{
    if (units == units_)
        return;
    units_ = units;
    for (auto& cell : cells_)
        cell->SetUnits(units);
}

Cell& Cells::Add(int index, int cellType, const Angle* splayAngle)
{
    if (cellType == -1)
        cellType = ProductTables::DefaultCellType(brand_);
    if (index < 1)
        index = Count() + 1;

    auto cell = std::make_unique<Cell>();
    cell->SetUnits(units_);
    cell->SetCellType(cellType);
    cell->SetPinStyle(pinStyle_);
    cell->SetConfiguration(configuration_);
    cell->SetPosition(index);
    if (splayAngle == nullptr)
        cell->SplayAngle().SetDegrees(0);
    else
        cell->SetSplayAngle(*splayAngle);

    Cell& added = *cell;
    cells_.Insert(index, std::move(cell)); // throws for a place beyond the end
    for (int i = index + 1; i <= Count(); ++i)
        cells_.Item(i).SetPosition(i);
    return added;
}

void Cells::Remove(int i)
{
    cells_.Remove(i);
    for (int j = i; j <= Count(); ++j)
        cells_.Item(j).SetPosition(j);
}

void Cells::SetBrand(BrandCode brand)
{
    brand_ = brand;
    const int type = ProductTables::DefaultCellType(brand);
    for (auto& cell : cells_)
        cell->SetCellType(type);
}

void Cells::SetConfiguration(ConfigurationCode configuration)
{
    configuration_ = configuration;
    for (auto& cell : cells_)
        cell->SetConfiguration(configuration);
}

} // namespace polvane
