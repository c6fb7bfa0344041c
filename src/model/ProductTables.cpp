#include "model/ProductTables.h"

#include <cmath>

namespace polvane {

namespace {

using C = ConfigMatch;
using P = PinMatch;
using Place = CellPlace;

// An ascending list of N splays from `first` in steps of `step` degrees.
template <std::size_t N>
constexpr std::array<double, N> Steps(double first, double step)
{
    std::array<double, N> out{};
    for (std::size_t i = 0; i < N; ++i)
        out[i] = first + step * static_cast<double>(i);
    return out;
}

// Holes for the whole splays first..first+N-1, each at splay + offset.
template <std::size_t N>
constexpr std::array<PinHole, N> HolesAt(int first, int offset)
{
    std::array<PinHole, N> out{};
    for (std::size_t i = 0; i < N; ++i) {
        const int splay = first + static_cast<int>(i);
        out[i] = {static_cast<double>(splay), splay + offset};
    }
    return out;
}

// ---- Cell types ---------------------------------------------------------------------

//                                  width    front    back       aperture   depth     weight
constexpr CellDimensions kKV9in{28.0f, 14.0f, 9.1f, 11.875f, 12.0f, 199.0f};
constexpr CellDimensions kKV9m{0.7112f, 0.3556f, 0.23114f, 0.301625f, 0.3048f, 90.2469f};
constexpr CellDimensions kKV8in{28.0f, 14.0f, 9.1f, 11.875f, 12.0f, 245.0f};
constexpr CellDimensions kKV8m{0.7112f, 0.3556f, 0.23114f, 0.301625f, 0.3048f, 111.1111f};
constexpr CellDimensions kKV7in{23.6f, 10.9f, 8.0131f, 9.0f, 10.1142f, 140.0f};
constexpr CellDimensions kKV7m{0.59944f, 0.27686f, 0.2035f, 0.2286f, 0.2569f, 63.5029f};
constexpr CellDimensions kKV4in{23.6f, 10.9f, 8.0131f, 9.0f, 11.25f, 87.35f};
constexpr CellDimensions kKV4m{0.59944f, 0.27686f, 0.2035f, 0.2286f, 0.2858f, 39.6213f};
constexpr CellDimensions kPQin{18.0f, 10.1f, 7.0625f, 8.8125f, 8.65f, 62.05f};
constexpr CellDimensions kPQm{0.4572f, 0.25654f, 0.1793875f, 0.2238375f, 0.21971f, 28.14059f};
constexpr float kNone = ProductTables::kNoAperture;
constexpr CellDimensions kPB0in{30.0f, 20.5f, 20.5f, kNone, 9.0f, 143.0f};
constexpr CellDimensions kPB0m{0.762f, 0.5207f, 0.5207f, kNone, 0.2286f, 64.85261f};
constexpr CellDimensions kRin{20.875f, 10.25f, 6.6875f, 8.8125f, 9.13f, 75.0f};
constexpr CellDimensions kRm{0.530225f, 0.26035f, 0.1698625f, 0.2238375f, 0.231902f, 34.01361f};
constexpr CellDimensions kKB9in{36.0f, 20.9f, 14.6f, kNone, 15.429f, 215.0f};
constexpr CellDimensions kKB9m{0.9144f, 0.53086f, 0.37084f, kNone, 0.3919f, 97.5224f};
constexpr CellDimensions kKB7in{32.0f, 22.1f, 18.1856f, kNone, 13.25f, 232.0f};
constexpr CellDimensions kKB7m{0.8128f, 0.56134f, 0.4619f, kNone, 0.33655f, 105.233f};
constexpr CellDimensions kKB0in{32.0f, 20.5f, 14.875f, kNone, 12.875f, 163.5f};
constexpr CellDimensions kKB0m{0.8128f, 0.5207f, 0.377825f, kNone, 0.327025f, 74.14966f};

constexpr std::array<CellTypeInfo, ProductTables::kCellTypeCount> kCellTypes{{
    {"KV9", 1, kKV9in, kKV9m},  // 0
    {"KV8", 1, kKV8in, kKV8m},  // 1
    {"KV7", 2, kKV7in, kKV7m},  // 2
    {"KV4", 2, kKV4in, kKV4m},  // 3
    {"PQ4", 3, kPQin, kPQm},    // 4
    {"PQ7", 3, kPQin, kPQm},    // 5
    {"PB0", 4, kPB0in, kPB0m},  // 6
    {"PQ3", 3, kPQin, kPQm},    // 7
    {"R44", 5, kRin, kRm},      // 8
    {"R77", 5, kRin, kRm},      // 9
    {"KB9", 1, kKB9in, kKB9m},  // 10
    {"KB7", 2, kKB7in, kKB7m},  // 11
    {"KB4", 2, kKB7in, kKB7m},  // 12
    {"KB0", 5, kKB0in, kKB0m},  // 13
}};

// ---- Brands: bumper type and default cell type ---------------------------------------

constexpr std::array<BrandInfo, ProductTables::kBrandCount> kBrands{{
    {0, 0}, // TARVIC KV9 line: KV9
    {1, 2}, // TARVIC KV7 line: KV7
    {1, 3}, // TARVIC KV4 line: KV4
    {3, 8}, // R.SARN: R44
    {2, 4}, // DE.VELT: PQ4
}};

// ---- Allowed splays -----------------------------------------------------------------

constexpr std::array<double, 7> kG1FirstFlown{-5, -3.3, -1.6, 0, 1.6, 3.3, 5};
constexpr std::array<double, 8> kG1FirstStacked{-4, -2.2, -0.5, 1, 2.8, 4.7, 5.7, 7.5};
constexpr std::array<double, 7> kG1Other{0, 1.6, 3.3, 5, 6.6, 8.3, 10};
constexpr std::array<double, 4> kG2FirstSlide{-3, -1.2, 1.3, 2.8};
constexpr std::array<double, 4> kG2FirstFixed{-1.4, -0.6, 2.7, 5};
constexpr auto kG2FirstStacked = Steps<10>(-5.5, 1);
constexpr auto kG2OtherFlown = Steps<8>(0, 1);
constexpr auto kG2OtherStacked = Steps<10>(-2, 1);
constexpr std::array<double, 6> kG3First{-5, -3, -1, 1, 3, 5};
constexpr std::array<double, 6> kG3Other{0, 2, 4, 6, 8, 10};
constexpr std::array<double, 1> kG4{0};
constexpr auto kG5First = Steps<6>(0, 1);
constexpr auto kG5Other = Steps<11>(0, 1);

constexpr SnapRule Up = SnapRule::AtOrAbove;
constexpr SnapRule Near = SnapRule::Nearest;

const std::array<AllowedSplaysRow, 14> kAllowedSplays{{
    {{1, Place::First, C::Flown, P::Either}, Up, kG1FirstFlown},
    {{1, Place::First, C::Stacked, P::Any}, Up, kG1FirstStacked},
    {{1, Place::Other, C::Flown, P::Either}, Up, kG1Other},
    {{1, Place::Other, C::Stacked, P::Any}, Up, kG1Other},
    {{2, Place::First, C::Flown, P::Slide}, Up, kG2FirstSlide},
    {{2, Place::First, C::Flown, P::Fixed}, Up, kG2FirstFixed},
    {{2, Place::First, C::Stacked, P::Any}, Up, kG2FirstStacked},
    {{2, Place::Other, C::Flown, P::Any}, Up, kG2OtherFlown},
    {{2, Place::Other, C::Stacked, P::Any}, Up, kG2OtherStacked},
    {{3, Place::First, C::Either, P::Any}, Up, kG3First},
    {{3, Place::Other, C::Either, P::Any}, Near, kG3Other},
    {{4, Place::Any, C::Any, P::Any}, SnapRule::Zero, kG4},
    {{5, Place::First, C::Any, P::Any}, Near, kG5First},
    {{5, Place::Other, C::Any, P::Any}, Near, kG5Other},
}};

// ---- Rigging pin holes --------------------------------------------------------------

constexpr std::array<PinHole, 7> kG1FirstFlownSlide{
    {{-5, 1}, {-3.3, 2}, {-1.6, 3}, {0, 4}, {1.6, 5}, {3.3, 6}, {5, 7}}};
constexpr std::array<PinHole, 7> kG1FirstFlownFixed{
    {{-5, 2}, {-3.3, 3}, {-1.6, 4}, {0, 5}, {1.6, 6}, {3.3, 7}, {5, 8}}};
constexpr std::array<PinHole, 8> kG1FirstStackedHoles{
    {{-4, 1}, {-2.2, 2}, {-0.5, 3}, {1, 4}, {2.8, 5}, {4.7, 6}, {5.7, 7}, {7.5, 8}}};
constexpr std::array<PinHole, 7> kG1OtherSlide{
    {{0, 1}, {1.6, 2}, {3.3, 3}, {5, 4}, {6.6, 5}, {8.3, 6}, {10, 7}}};
constexpr std::array<PinHole, 7> kG1OtherFixed{
    {{0, 2}, {1.6, 3}, {3.3, 4}, {5, 5}, {6.6, 6}, {8.3, 7}, {10, 8}}};
constexpr std::array<PinHole, 4> kG2FirstSlideHoles{{{-3, 1}, {-1.2, 2}, {1.3, 3}, {2.8, 4}}};
constexpr std::array<PinHole, 4> kG2FirstFixedHoles{{{-1.4, 1}, {-0.6, 2}, {2.7, 3}, {5, 4}}};
constexpr std::array<PinHole, 10> kG2FirstStackedHoles{{{-5.5, 0}, {-4.5, 1}, {-3.5, 2},
    {-2.5, 3}, {-1.5, 4}, {-0.5, 5}, {0.5, 6}, {1.5, 7}, {2.5, 8}, {3.5, 9}}};
constexpr auto kG2OtherSlide = HolesAt<8>(0, 0);
constexpr auto kG2OtherFixed = HolesAt<8>(0, 2);
constexpr auto kG2OtherStackedHoles = HolesAt<10>(-2, 2);
constexpr std::array<PinHole, 6> kG3FirstHoles{
    {{-5, 1}, {-3, 2}, {-1, 3}, {1, 4}, {3, 5}, {5, 6}}};
constexpr std::array<PinHole, 6> kG3OtherSlide{{{0, 1}, {2, 2}, {4, 3}, {6, 4}, {8, 5}, {10, 7}}};
constexpr std::array<PinHole, 6> kG3OtherFixed{{{0, 1}, {2, 2}, {4, 3}, {6, 4}, {8, 5}, {10, 6}}};
constexpr std::array<PinHole, 6> kG3OtherStacked{
    {{0, 6}, {2, 5}, {4, 4}, {6, 3}, {8, 2}, {10, 1}}};
constexpr auto kG5FirstSlide = HolesAt<11>(-5, 5);
constexpr auto kG5FirstFixed = HolesAt<11>(-5, 7);
constexpr auto kG5OtherSlide = HolesAt<11>(0, 0);
constexpr auto kG5OtherFixed = HolesAt<11>(0, 2);

const std::array<PinHoleRow, 23> kPinHoles{{
    {{1, Place::First, C::Flown, P::Slide}, kG1FirstFlownSlide},
    {{1, Place::First, C::Flown, P::Fixed}, kG1FirstFlownFixed},
    {{1, Place::First, C::Stacked, P::Any}, kG1FirstStackedHoles},
    {{1, Place::Other, C::Flown, P::Slide}, kG1OtherSlide},
    {{1, Place::Other, C::Flown, P::Fixed}, kG1OtherFixed},
    {{1, Place::Other, C::Stacked, P::Any}, kG1OtherFixed},
    {{2, Place::First, C::Flown, P::Slide}, kG2FirstSlideHoles},
    {{2, Place::First, C::Flown, P::Fixed}, kG2FirstFixedHoles},
    {{2, Place::First, C::Stacked, P::Any}, kG2FirstStackedHoles},
    {{2, Place::Other, C::Flown, P::Slide}, kG2OtherSlide},
    {{2, Place::Other, C::Flown, P::Fixed}, kG2OtherFixed},
    {{2, Place::Other, C::Stacked, P::Any}, kG2OtherStackedHoles},
    {{3, Place::First, C::Either, P::Any}, kG3FirstHoles},
    {{3, Place::Other, C::Flown, P::Slide}, kG3OtherSlide},
    {{3, Place::Other, C::Flown, P::Fixed}, kG3OtherFixed},
    {{3, Place::Other, C::Stacked, P::Any}, kG3OtherStacked},
    {{4, Place::Any, C::Any, P::Any}, {}, 1},
    {{5, Place::First, C::Flown, P::Slide}, kG5FirstSlide},
    {{5, Place::First, C::Flown, P::Fixed}, kG5FirstFixed},
    {{5, Place::First, C::Stacked, P::Any}, kG5FirstFixed},
    {{5, Place::Other, C::Flown, P::Slide}, kG5OtherSlide},
    {{5, Place::Other, C::Flown, P::Fixed}, kG5OtherFixed},
    {{5, Place::Other, C::Stacked, P::Any}, kG5OtherFixed},
}};

// ---- Default splays (set when the array's pin style is written) -----------------------

const std::array<DefaultSplayRow, 16> kDefaultSplays{{
    {{1, Place::First, C::Flown, P::Slide}, 2},
    {{1, Place::First, C::Flown, P::Fixed}, 4},
    {{1, Place::First, C::Stacked, P::Any}, 3},
    {{1, Place::Other, C::Flown, P::Either}, 4},
    {{1, Place::Other, C::Stacked, P::Any}, 2},
    {{2, Place::First, C::Flown, P::Slide}, 2},
    {{2, Place::First, C::Flown, P::Fixed}, 4},
    {{2, Place::First, C::Stacked, P::Any}, 6},
    {{2, Place::Other, C::Flown, P::Either}, 4},
    {{2, Place::Other, C::Stacked, P::Any}, 3},
    {{3, Place::Any, C::Flown, P::Either}, 1},
    {{3, Place::Any, C::Stacked, P::Any}, 1},
    {{4, Place::Any, C::Flown, P::Either}, 1},
    {{4, Place::Any, C::Stacked, P::Any}, 1},
    {{5, Place::Any, C::Flown, P::Either}, 1},
    {{5, Place::Any, C::Stacked, P::Any}, 1},
}};

// ---- Attenuation steps and swap groups ----------------------------------------------

constexpr std::array<float, 15> kAttenuationSteps{
    1.0f, 0.5f, 0.0f, -0.5f, -1.0f, -1.5f, -2.0f, -2.5f, -3.0f, -3.5f, -4.0f, -4.5f, -5.0f,
    -5.5f, -6.0f};

constexpr std::array<int, 3> kSwapKV9{0, 1, 10};
constexpr std::array<int, 2> kSwapKV7{2, 11};
constexpr std::array<int, 2> kSwapKV4{3, 12};
constexpr std::array<int, 4> kSwapPQ{7, 4, 5, 6};
constexpr std::array<int, 3> kSwapR{8, 9, 13};

constexpr std::array<std::span<const int>, ProductTables::kCellTypeCount> kSwapGroups{{
    kSwapKV9, kSwapKV9, kSwapKV7, kSwapKV4, kSwapPQ, kSwapPQ, kSwapPQ, kSwapPQ, kSwapR, kSwapR,
    kSwapKV9, kSwapKV7, kSwapKV4, kSwapR,
}};

// ---- Bumper types -------------------------------------------------------------------

//   width, weight, back pin, depth, front pin, centre of gravity, height, hole radius,
//   hole side offset, hole pitch, first hole, last hole
constexpr std::array<BumperTypeInfo, ProductTables::kBumperTypeCount> kBumperTypes{{
    {7, 4,
     {47.6875f, 190.0f, 32.5f, 58.25f, 5.3f, 25.0f, 6.0f, 0.5f, 1.5f, 3.75f, 3.5f, 44.75f},
     {1.2112625f, 86.1678f, 0.8255f, 1.47955f, 0.13462f, 0.635f, 0.1524f, 0.0127f, 0.0381f,
      0.09525f, 0.0889f, 1.13665f}},
    {11, 8,
     {44.756f, 65.0f, 27.06f, 47.4182f, 5.6f, 22.5f, 5.97f, 0.5f, 1.125f, 1.91f, 3.16f, 41.36f},
     {1.1368024f, 29.4835f, 0.687324f, 1.204422f, 0.14224f, 0.5715f, 0.151638f, 0.0127f,
      0.028575f, 0.048514f, 0.080264f, 1.050544f}},
    {9, 0,
     {30.25f, 30.0f, 16.75f, 27.33f, 1.1725f, 15.0f, 3.0f, 0.375f, 0.8125f, 3.0f, 3.125f,
      27.125f},
     {0.76835f, 13.60544f, 0.42545f, 0.694182f, 0.0297815f, 0.381f, 0.0762f, 0.009525f,
      0.0206375f, 0.0762f, 0.079375f, 0.688975f}},
    {10, 10,
     {37.0f, 44.0f, 21.125f, 36.31f, 1.625f, 18.0f, 4.0f, 0.5f, 1.0625f, 1.6875f, 1.5f,
      35.4375f},
     {0.9398f, 19.95465f, 0.536575f, 0.922274f, 0.041275f, 0.4572f, 0.1016f, 0.0127f,
      0.0269875f, 0.0428625f, 0.0381f, 0.9001125f}},
}};

// ---- Matching a case ----------------------------------------------------------------

bool Matches(const SplayCase& row, int group, bool firstCell, ConfigurationCode configuration, PinStyleCode pinStyle)
{
    if (row.group != group)
        return false;
    if (row.place == Place::First && !firstCell)
        return false;
    if (row.place == Place::Other && firstCell)
        return false;
    switch (row.config) {
    case C::Flown: if (configuration != ConfigurationCode::Flown) return false; break;
    case C::Stacked: if (configuration != ConfigurationCode::GroundStacked) return false; break;
    case C::Either: if (configuration != ConfigurationCode::Flown && configuration != ConfigurationCode::GroundStacked) return false; break;
    case C::Any: break;
    }
    switch (row.pin) {
    case P::Slide: if (pinStyle != PinStyleCode::Slide) return false; break;
    case P::Fixed: if (pinStyle != PinStyleCode::Fixed) return false; break;
    case P::Either: if (pinStyle != PinStyleCode::Slide && pinStyle != PinStyleCode::Fixed) return false; break;
    case P::Any: break;
    }
    return true;
}

template <typename Row, std::size_t N>
const Row* FindRow(const std::array<Row, N>& rows, int type, bool firstCell, ConfigurationCode configuration,
                   PinStyleCode pinStyle)
{
    const int group = ProductTables::SplayGroup(type);
    if (group == 0)
        return nullptr;
    for (const Row& row : rows)
        if (Matches(row.when, group, firstCell, configuration, pinStyle))
            return &row;
    return nullptr;
}

} // namespace

const CellTypeInfo* ProductTables::CellType(int type)
{
    if (type < 0 || type >= kCellTypeCount)
        return nullptr;
    return &kCellTypes[static_cast<std::size_t>(type)];
}

int ProductTables::SplayGroup(int type)
{
    const CellTypeInfo* info = CellType(type);
    return info != nullptr ? info->splayGroup : 0;
}

const BrandInfo* ProductTables::Brand(BrandCode code)
{
    const int index = static_cast<int>(code);
    if (index < 0 || index >= kBrandCount)
        return nullptr;
    return &kBrands[static_cast<std::size_t>(index)];
}

int ProductTables::DefaultCellType(BrandCode brand)
{
    const BrandInfo* info = Brand(brand);
    return info != nullptr ? info->defaultCellType : 0;
}

const BumperTypeInfo* ProductTables::BumperType(int type)
{
    if (type < 0 || type >= kBumperTypeCount)
        return nullptr;
    return &kBumperTypes[static_cast<std::size_t>(type)];
}

const AllowedSplaysRow* ProductTables::AllowedSplays(int type, bool firstCell, ConfigurationCode configuration,
                                                     PinStyleCode pinStyle)
{
    return FindRow(kAllowedSplays, type, firstCell, configuration, pinStyle);
}

double ProductTables::SnapSplay(int type, bool firstCell, ConfigurationCode configuration, PinStyleCode pinStyle,
                                double degrees)
{
    const AllowedSplaysRow* row = AllowedSplays(type, firstCell, configuration, pinStyle);
    if (row == nullptr || row->snap == SnapRule::Zero || row->splays.empty())
        return 0.0;
    const std::span<const double> splays = row->splays;
    if (row->snap == SnapRule::AtOrAbove) {
        for (double s : splays)
            if (s >= degrees - kSplayToleranceDegrees)
                return s;
        return splays.back();
    }
    // Nearest; on a tie the earlier (lower) entry stays.
    double best = splays.front();
    double bestDistance = std::fabs(degrees - best);
    for (double s : splays.subspan(1)) {
        const double distance = std::fabs(degrees - s);
        if (distance < bestDistance - kSplayToleranceDegrees) {
            best = s;
            bestDistance = distance;
        }
    }
    return best;
}

std::optional<int> ProductTables::PinHoleOf(int type, bool firstCell, ConfigurationCode configuration,
                                            PinStyleCode pinStyle, double degrees)
{
    const PinHoleRow* row = FindRow(kPinHoles, type, firstCell, configuration, pinStyle);
    if (row == nullptr)
        return std::nullopt;
    if (row->holes.empty())
        return row->anyHole;
    for (const PinHole& h : row->holes)
        if (std::fabs(h.splay - degrees) < kSplayToleranceDegrees)
            return h.hole;
    return std::nullopt;
}

std::optional<int> ProductTables::DefaultSplayIndex(int type, bool firstCell, ConfigurationCode configuration,
                                                    PinStyleCode pinStyle)
{
    const DefaultSplayRow* row = FindRow(kDefaultSplays, type, firstCell, configuration, pinStyle);
    if (row == nullptr)
        return std::nullopt;
    return row->index;
}

std::span<const float> ProductTables::AttenuationSteps() { return kAttenuationSteps; }

std::span<const int> ProductTables::SwapGroup(int type)
{
    if (type < 0 || type >= kCellTypeCount)
        return {};
    return kSwapGroups[static_cast<std::size_t>(type)];
}

} // namespace polvane
