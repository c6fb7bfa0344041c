#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace polvane {

class SettingsStore;

// The 19 colours of the user interface, 1-based in the order every reader indexes them,
// as ARGB values (see ArgbColor). Kept under "Options\Colors" in their text form.
class ColorTable {
public:
    static constexpr int kCount = 19;
    enum Item : int {
        kBackground = 1,
        kBumperEdge,
        kBumperFill,
        kCellEdge,
        kCellFill,
        kCenterOfGravity,
        kFarFieldTransitionLine,
        kGraphLines,
        kGridLinesNormal,
        kGridLinesZero,
        kProgressLeft,
        kProgressRight,
        kRiggingCable,
        kScaleLines,
        kSeatingArea,
        kSelectedItem,
        kSoundPathHit,
        kSoundPathMiss,
        kText,
    };

    // Every colour at its default.
    ColorTable();

    // Indices outside 1..19 throw std::out_of_range.
    std::uint32_t Color(int index) const;
    void SetColor(int index, std::uint32_t argb);

    // The value name in the settings ("Grid lines (normal)").
    static std::string_view Name(int index);
    static std::uint32_t DefaultColor(int index);

    // Reads all 19 colours; a missing one is stored with its default. A stored text that
    // is not a colour (see ArgbColor::ReadColorText) gives the default and is left as it is.
    void Read(SettingsStore& store);
    // Stores all 19 in their text form.
    void Store(SettingsStore& store) const;

    bool operator==(const ColorTable&) const = default;

private:
    static std::size_t Slot(int index);

    std::array<std::uint32_t, kCount> colors_;
};

} // namespace polvane
