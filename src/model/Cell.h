#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "model/Angle.h"
#include "model/ConfigurationCode.h"
#include "model/PinStyleCode.h"
#include "model/Units.h"

namespace polvane {

// One enclosure of the column: a cell type from the product tables with the dimensions and
// weight that follow from it, its place in the column, a splay angle that only ever holds
// an allowed value of its case, and an attenuation.
//
// The splay is the cell's own Angle: every write to it, through any path (including the
// reference SplayAngle() returns), ends snapped to the allowed list of the current case, and
// so does a change of type. A change of place, configuration or pin style rebuilds the lists
// and leaves the splay until its next change; copies and RestoreSplay hold such a splay as it
// is, so that a copy or a saved file is the venue the user sees.
class Cell final : private AngleListener {
public:
    Cell();
    Cell(const Cell&) = delete;
    Cell& operator=(const Cell&) = delete;
    ~Cell() = default;

    // Rebuilds the allowed splays for the current type, place, configuration and pin style;
    // a case without a table row leaves the list as it was.
    void CachePossibleSplays();
    void CachePossibleAttens();
    // A deep, exact copy: same type, place, configuration, pin style, lists, splay,
    // attenuation, units and dimensions.
    std::unique_ptr<Cell> CloneOf() const;

    std::vector<Angle> GetPossibleSplays() const { return splays_; }
    // The types that may replace this one; empty for a type outside the swap groups.
    std::vector<int> GetPossibleCellTypes() const;
    const std::vector<float>& GetPossibleCellAttenuations() const { return attens_; }

    void DecreaseSplay();
    void IncreaseSplay();
    // The attenuation list descends, so decreasing moves one entry down the list.
    void DecreaseAtten();
    void IncreaseAtten();
    // Puts the splay on the default entry of the current case.
    void TouchSplay();

    float ApertureHeight() const { return apertureHeight_; }
    int CellType() const { return cellType_; }
    // Stores the type, snaps the splay under it and takes the type's dimensions.
    void SetCellType(int type);

    Angle& SplayAngle() { return splay_; }
    const Angle& SplayAngle() const { return splay_; }
    // Takes the given angle's degrees, snapped; the given object is not kept.
    void SetSplayAngle(const Angle& a);
    // A splay read back from a file. One that the cell's type allows in some case of the
    // column (first or other place, flown or stacked, either pin style) is kept as it is: a
    // removal or an insertion at the top of the column leaves such splays on cells, and they
    // are saved so. Any other value is snapped as SetSplayAngle does.
    void RestoreSplay(double degrees);

    float Width() const { return width_; }
    float FrontHeight() const { return frontHeight_; }
    float BackHeight() const { return backHeight_; }
    float Weight() const { return weight_; }
    const Angle& SlopeAngle() const { return slope_; }

    float Attenuation() const { return attenuation_; }
    // Stored unchanged: attenuations are not snapped.
    void SetAttenuation(float db) { attenuation_ = db; }

    // The rigging pin hole of the current splay; nothing when no hole gives it (a splay the
    // cell kept from another place in the column, or a model without a hole table).
    std::optional<int> PinPosition() const;

    // ---- For the other model classes (column, line array, Auto-Configure, prediction) ----
    int Position() const { return position_; }
    ConfigurationCode Configuration() const { return configuration_; }
    PinStyleCode PinStyle() const { return pinStyle_; }
    UnitsCode Units() const { return units_; }
    float SourceDepth() const { return sourceDepth_; }

    // Each of these changes the cell's case: the lists are rebuilt; the splay is snapped to
    // the new case at its next change.
    void SetConfiguration(ConfigurationCode configuration);
    void SetPosition(int position);
    void SetPinStyle(PinStyleCode pinStyle);
    // Stores the units and takes the type's dimensions in them.
    void SetUnits(UnitsCode units);

    // Copies entry i (1-based) of the splay list into the splay; throws std::out_of_range
    // outside the list.
    void SetSplayIndex(int i);
    // The first entry within 0.001 rad of the splay; 1 when none is; 0 for an empty list.
    int GetSplayIndex() const;
    void SetAttenIndex(int i);
    int GetAttenIndex() const;

    // The allowed splay, in degrees, that a request becomes under the current case.
    double SnapSplay(double degrees) const;

private:
    void AngleChanged() override;
    // Stores the splay without snapping it.
    void HoldSplay(double radians);
    void CacheDimensions();
    void ChangeCase();

    std::vector<Angle> splays_;
    Angle slope_;
    bool reentry_ = false;
    int cellType_ = 0;
    int position_ = 0;
    float apertureHeight_ = 0.0f;
    float attenuation_ = 0.0f;
    std::vector<float> attens_;
    float backHeight_ = 0.0f;
    float frontHeight_ = 0.0f;
    float sourceDepth_ = 0.0f;
    float weight_ = 0.0f;
    float width_ = 0.0f;
    ConfigurationCode configuration_ = ConfigurationCode::Flown;
    PinStyleCode pinStyle_ = PinStyleCode::Slide;
    UnitsCode units_ = UnitsCode::English;
    Angle splay_;
};

} // namespace polvane
