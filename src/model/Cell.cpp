#include "model/Cell.h"

#include <cmath>
#include <span>
#include <stdexcept>

#include "model/ProductTables.h"

namespace polvane {

namespace {
// Splays and attenuations within these of a list entry are that entry.
constexpr double kSplayIndexTolerance = 0.001; // radians
constexpr float kAttenIndexTolerance = 0.001f; // dB
} // namespace

Cell::Cell() { splay_.SetListener(this); }

void Cell::AngleChanged()
{
    if (reentry_)
        return;
    reentry_ = true;
    splay_.SetDegrees(SnapSplay(splay_.Degrees()));
    reentry_ = false;
}

double Cell::SnapSplay(double degrees) const
{
    return ProductTables::SnapSplay(cellType_, position_ == 1, configuration_, pinStyle_, degrees);
}

void Cell::CachePossibleSplays()
{
    if (ProductTables::CellType(cellType_) == nullptr) {
        splays_.clear(); // an unknown model allows nothing but its snap to 0
        return;
    }
    const AllowedSplaysRow* row =
        ProductTables::AllowedSplays(cellType_, position_ == 1, configuration_, pinStyle_);
    if (row == nullptr)
        return;
    splays_.clear();
    splays_.reserve(row->splays.size());
    for (double degrees : row->splays)
        splays_.push_back(Angle::FromDegrees(degrees));
}

void Cell::CachePossibleAttens()
{
    const auto steps = ProductTables::AttenuationSteps();
    attens_.assign(steps.begin(), steps.end());
}

std::unique_ptr<Cell> Cell::CloneOf() const
{
    auto copy = std::make_unique<Cell>();
    copy->SetCellType(cellType_);
    copy->SetPinStyle(pinStyle_);
    copy->SetConfiguration(configuration_);
    copy->SetPosition(position_);
    // Exactly, not snapped: a splay kept through a change of place may lie outside the list
    // of the case the cell is in now, and every copy must hold what the venue holds.
    copy->HoldSplay(splay_.Radians());
    copy->SetAttenuation(attenuation_);
    copy->SetUnits(units_);
    return copy;
}

std::vector<int> Cell::GetPossibleCellTypes() const
{
    const auto group = ProductTables::SwapGroup(cellType_);
    return {group.begin(), group.end()};
}

// A step goes to the nearest listed splay in its direction, so a splay the list does not
// hold (kept from another place in the column) moves by one step as a listed one does. At
// the end of the list the cell stays as it is.
void Cell::DecreaseSplay()
{
    const double current = splay_.Radians();
    for (std::size_t i = splays_.size(); i > 0; --i) {
        if (splays_[i - 1].Radians() < current - kSplayIndexTolerance) {
            SetSplayIndex(static_cast<int>(i));
            return;
        }
    }
}

void Cell::IncreaseSplay()
{
    const double current = splay_.Radians();
    for (std::size_t i = 0; i < splays_.size(); ++i) {
        if (splays_[i].Radians() > current + kSplayIndexTolerance) {
            SetSplayIndex(static_cast<int>(i) + 1);
            return;
        }
    }
}

void Cell::DecreaseAtten()
{
    const int i = GetAttenIndex();
    if (i < static_cast<int>(attens_.size()))
        SetAttenIndex(i + 1);
}

void Cell::IncreaseAtten()
{
    const int i = GetAttenIndex();
    if (i > 1)
        SetAttenIndex(i - 1);
}

void Cell::TouchSplay()
{
    const auto index =
        ProductTables::DefaultSplayIndex(cellType_, position_ == 1, configuration_, pinStyle_);
    if (index)
        SetSplayIndex(*index);
}

void Cell::SetCellType(int type)
{
    cellType_ = type;
    splay_.SetDegrees(SnapSplay(splay_.Degrees()));
    CacheDimensions();
}

void Cell::SetSplayAngle(const Angle& a) { splay_.SetDegrees(SnapSplay(a.Degrees())); }

void Cell::RestoreSplay(double degrees)
{
    const double snapped = SnapSplay(degrees);
    if (std::fabs(snapped - degrees) < ProductTables::kSplayToleranceDegrees) {
        splay_.SetDegrees(snapped);
        return;
    }
    using enum ConfigurationCode;
    using enum PinStyleCode;
    for (const bool first : {true, false}) {
        for (const ConfigurationCode configuration : {Flown, GroundStacked}) {
            for (const PinStyleCode pin : {Slide, Fixed}) {
                const AllowedSplaysRow* row = ProductTables::AllowedSplays(cellType_, first, configuration, pin);
                for (const double allowed : row ? row->splays : std::span<const double>()) {
                    if (std::fabs(allowed - degrees) < ProductTables::kSplayToleranceDegrees) {
                        HoldSplay(Angle::FromDegrees(allowed).Radians());
                        return;
                    }
                }
            }
        }
    }
    splay_.SetDegrees(snapped);
}

void Cell::HoldSplay(double radians)
{
    reentry_ = true;
    splay_.SetRadians(radians);
    reentry_ = false;
}

std::optional<int> Cell::PinPosition() const
{
    return ProductTables::PinHoleOf(cellType_, position_ == 1, configuration_, pinStyle_,
                                    splay_.Degrees());
}

void Cell::SetPosition(int position)
{
    position_ = position;
    ChangeCase();
}

void Cell::SetConfiguration(ConfigurationCode configuration)
{
    configuration_ = configuration;
    ChangeCase();
}

void Cell::SetPinStyle(PinStyleCode pinStyle)
{
    pinStyle_ = pinStyle;
    ChangeCase();
}

void Cell::ChangeCase()
{
    CachePossibleSplays();
    CachePossibleAttens();
    // The splay stays as it is (a new first cell may keep 8.3 degrees outside its list);
    // its next change snaps it onto the new list.
}

void Cell::SetUnits(UnitsCode units)
{
    units_ = units;
    CacheDimensions();
}

void Cell::SetSplayIndex(int i)
{
    if (i < 1 || i > static_cast<int>(splays_.size()))
        throw std::out_of_range("splay index " + std::to_string(i) + " is outside the list of " +
                                std::to_string(splays_.size()) + " allowed splays");
    splay_.SetRadians(splays_[static_cast<std::size_t>(i - 1)].Radians());
}

int Cell::GetSplayIndex() const
{
    if (splays_.empty())
        return 0;
    const double current = splay_.Radians();
    for (std::size_t i = 0; i < splays_.size(); ++i)
        if (std::fabs(splays_[i].Radians() - current) < kSplayIndexTolerance)
            return static_cast<int>(i) + 1;
    return 1;
}

void Cell::SetAttenIndex(int i)
{
    if (i < 1 || i > static_cast<int>(attens_.size()))
        throw std::out_of_range("attenuation index " + std::to_string(i) +
                                " is outside the list of " + std::to_string(attens_.size()) +
                                " steps");
    attenuation_ = attens_[static_cast<std::size_t>(i - 1)];
}

int Cell::GetAttenIndex() const
{
    if (attens_.empty())
        return 0;
    for (std::size_t i = 0; i < attens_.size(); ++i)
        if (std::fabs(attens_[i] - attenuation_) < kAttenIndexTolerance)
            return static_cast<int>(i) + 1;
    return 1;
}

void Cell::CacheDimensions()
{
    if (const CellTypeInfo* info = ProductTables::CellType(cellType_)) {
        if (units_ == UnitsCode::Metric) {
            const CellDimensions& m = info->metric;
            width_ = m.width;
            frontHeight_ = m.frontHeight;
            backHeight_ = m.backHeight;
            apertureHeight_ = m.apertureHeight;
            sourceDepth_ = m.sourceDepth;
            weight_ = m.weight;
        } else {
            // English lengths are feet: the table's inches over 12. "No aperture" stays as is.
            const CellDimensions& in = info->inches;
            width_ = in.width / 12.0f;
            frontHeight_ = in.frontHeight / 12.0f;
            backHeight_ = in.backHeight / 12.0f;
            apertureHeight_ = in.apertureHeight == ProductTables::kNoAperture
                                  ? ProductTables::kNoAperture
                                  : in.apertureHeight / 12.0f;
            sourceDepth_ = in.sourceDepth / 12.0f;
            weight_ = in.weight;
        }
    } else {
        // A model the program does not know has no dimensions to lend from the type the
        // cell held before.
        width_ = frontHeight_ = backHeight_ = apertureHeight_ = sourceDepth_ = weight_ = 0.0f;
    }
    if (width_ != 0.0f)
        slope_.ConstructFromWidthHeight(width_, (frontHeight_ - backHeight_) / 2.0f);
    else
        slope_.SetRadians(0.0); // no cabinet, no slope (and no 0/0)
    CachePossibleSplays();
    CachePossibleAttens();
}

} // namespace polvane
