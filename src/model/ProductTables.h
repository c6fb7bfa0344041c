#pragma once

#include <array>
#include <optional>
#include <span>
#include <string_view>

#include "model/BrandCode.h"
#include "model/ConfigurationCode.h"
#include "model/PinStyleCode.h"

namespace polvane {

// Which cells, configurations (0 flown, 1 ground stacked) and pin styles (0 slide, 1 fixed)
// a row of the splay tables applies to. "Either" accepts only the two known codes; "Any"
// accepts every code.
enum class CellPlace { First, Other, Any };
enum class ConfigMatch { Flown, Stacked, Either, Any };
enum class PinMatch { Slide, Fixed, Either, Any };

// How a requested splay becomes an allowed one.
enum class SnapRule {
    AtOrAbove, // the smallest entry at or above the request; the largest beyond them all
    Nearest,   // the nearest entry; exactly halfway goes to the lower one
    Zero,      // always 0
};

struct SplayCase {
    int group;
    CellPlace place;
    ConfigMatch config;
    PinMatch pin;
};

struct AllowedSplaysRow {
    SplayCase when;
    SnapRule snap;
    std::span<const double> splays; // degrees, ascending
};

struct PinHole {
    double splay; // degrees
    int hole;
};

struct PinHoleRow {
    SplayCase when;
    std::span<const PinHole> holes; // empty: every splay uses `anyHole`
    int anyHole = 0;
};

struct DefaultSplayRow {
    SplayCase when;
    int index; // 1-based into the allowed list of the same case
};

// Lengths of a cabinet in one unit system (inches or metres) and its weight (pounds or
// kilograms).
struct CellDimensions {
    float width;          // front to back in the side view
    float frontHeight;
    float backHeight;
    float apertureHeight; // kNoAperture: the type has no line-source aperture
    float sourceDepth;    // how far the acoustic source lies behind the front face
    float weight;
};

struct CellTypeInfo {
    std::string_view modelName;
    int splayGroup;
    CellDimensions inches; // the English system stores these lengths divided by 12
    CellDimensions metric;
};

struct BrandInfo {
    int bumperType;
    int defaultCellType;
};

struct BumperDimensions {
    float width;
    float weight;
    float backPinOffset;
    float depth;
    float frontPinOffset;
    float centerOfGravityOffset;
    float height;
    float holeRadius;
    float holeSideOffset;
    float holePitch;
    float firstHoleOffset;
    float lastHoleOffset;
};

struct BumperTypeInfo {
    int firstGroupHoles;
    int secondGroupHoles;
    BumperDimensions inches; // the English system stores these lengths divided by 12
    BumperDimensions metric;
};

// The maker's product data, compiled in: cell types, brands, splay rules, pin holes,
// attenuation steps, swap groups and bumper types.
class ProductTables {
public:
    static constexpr int kCellTypeCount = 14;
    // Stands for a model name that a venue file holds and the program does not know.
    static constexpr int kUnknownCellType = 14;
    static constexpr int kBrandCount = 5;
    static constexpr int kBumperTypeCount = 4;
    static constexpr float kNoAperture = 100000.0f;

    // nullptr for a type outside 0..13.
    static const CellTypeInfo* CellType(int type);
    // 0 for a type outside 0..13.
    static int SplayGroup(int type);
    // nullptr for a code outside 0..4.
    static const BrandInfo* Brand(BrandCode code);
    // The brand's default cell type; 0 for a code outside 1..4.
    static int DefaultCellType(BrandCode brand);
    // nullptr for a type outside 0..3.
    static const BumperTypeInfo* BumperType(int type);

    // The row that gives the allowed splays of a case; nullptr when no row applies.
    static const AllowedSplaysRow* AllowedSplays(int type, bool firstCell, ConfigurationCode configuration,
                                                 PinStyleCode pinStyle);
    // The allowed splay that a request of `degrees` becomes; 0 when no row applies.
    static double SnapSplay(int type, bool firstCell, ConfigurationCode configuration, PinStyleCode pinStyle,
                            double degrees);
    // The rigging pin hole of a splay; nothing when no hole gives it (no entry matches, or
    // no table applies to the case). Hole 0 is a real hole of some tables.
    static std::optional<int> PinHoleOf(int type, bool firstCell, ConfigurationCode configuration, PinStyleCode pinStyle,
                         double degrees);
    // The 1-based index of the default splay; nothing when no row applies.
    static std::optional<int> DefaultSplayIndex(int type, bool firstCell, ConfigurationCode configuration,
                                                PinStyleCode pinStyle);

    // The attenuation steps in dB, descending from +1 to -6.
    static std::span<const float> AttenuationSteps();
    // The types that may replace a cell of `type`, in the order offered; empty for a type
    // outside the swap groups.
    static std::span<const int> SwapGroup(int type);

    // Splays that differ by less than this many degrees are the same table entry. Radians
    // do not hold every entry exactly (7.5 degrees reads back as 7.499999999999999).
    static constexpr double kSplayToleranceDegrees = 1e-6;
};

} // namespace polvane
