#include "engine/Prediction.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <charconv>
#include <cmath>
#include <exception>
#include <limits>
#include <memory>
#include <vector>

#include "engine/Environment.h"
#include "engine/PolarSum.h"
#include "engine/PredictionInputs.h"
#include "model/ProcedureFailure.h"
#include "model/ProductTables.h"
#include "model/Units.h"

namespace polvane {

namespace {

constexpr double kDegreesPerRadian = 57.29577951308232;
constexpr double kPi = 3.141592653589793;
constexpr double kTwoPi = 6.283185307179586;
constexpr double kAbsoluteZeroOffset = 273.15;
constexpr double kSpeedOfSoundFeet = 1085.958;
constexpr double kSpeedOfSoundMetres = 331.0;
// Keeps the aperture factor's argument off an exact zero on the cell's own axis.
constexpr double kAimOffset = 0.000001;
constexpr float kNoNearThrow = 1e38f;
constexpr float kStartingMaxLevel = -1e38f;
constexpr float kListeningPointHeightFeet = 5.0f;
constexpr float kListeningPointHeightMetres = 1.524f;
constexpr float kFarFieldDivisorFeet = 2300.0f;
constexpr float kFarFieldDivisorMetres = 700.0f;
constexpr float kFloatMax = std::numeric_limits<float>::max();

// A power of 0 (or a silent array) has no level in dB: it reads as this floor, far below
// anything the response can show.
constexpr float kLevelFloorDb = -300.0f;
constexpr float kRatioFloor = 1e-30f;
// A sample or point at the centre of gravity itself would be infinitely loud.
constexpr float kMinDistance = 0.001f;
// An air temperature at or below absolute zero has no speed of sound: hold the ratio of
// absolute temperatures just above zero.
constexpr double kMinTemperatureRatio = 1e-6;
// A sweep finer than this many steps is refused like an unusable one.
constexpr int kMaxSweepIndex = 100000;
// Running sums of every cell are kept up to this many floats (64 MB); a larger sweep or
// frequency list sums without them.
constexpr std::size_t kMaxKeptSums = std::size_t{16} << 20;
// The sweep every loaded venue gets; used when the venue's own cannot be swept.
constexpr float kDefaultLowerAngle = -135.0f;
constexpr float kDefaultUpperAngle = 90.0f;
constexpr float kDefaultAngleStep = 1.0f;

float MaxSingle(float a, float b) { return a >= b ? a : b; }
float MinSingle(float a, float b) { return a <= b ? a : b; }

struct Box {
    float minX = 0.0f;
    float maxY = 0.0f;
    float maxX = 0.0f;
    float minY = 0.0f;

    static Box At(const Point2D& p) { return {p.x, p.y, p.x, p.y}; }
    void Grow(const Point2D& p)
    {
        minX = MinSingle(minX, p.x);
        maxY = MaxSingle(maxY, p.y);
        maxX = MaxSingle(maxX, p.x);
        minY = MinSingle(minY, p.y);
    }
    void Grow(const Box& b)
    {
        minX = MinSingle(minX, b.minX);
        maxY = MaxSingle(maxY, b.maxY);
        maxX = MaxSingle(maxX, b.maxX);
        minY = MinSingle(minY, b.minY);
    }
};

// The direction from p1 to p2 in degrees, -180 to 180.
float DirectionDegrees(const Point2D& p1, const Point2D& p2)
{
    Angle a;
    a.ConstructFromPoints(p1, p2);
    return static_cast<float>(a.Degrees());
}

bool IsFinite(const Point2D& p) { return std::isfinite(p.x) && std::isfinite(p.y); }

// The model's distance, taken again in double where the single-precision squares overflow.
float Distance(const Point2D& a, const Point2D& b)
{
    const float d = a.DistanceTo(b);
    if (std::isfinite(d))
        return d;
    const double dd = std::hypot(static_cast<double>(b.x) - a.x, static_cast<double>(b.y) - a.y);
    return dd < kFloatMax ? static_cast<float>(dd) : kFloatMax;
}

float DistanceLossDb(float d)
{
    return static_cast<float>(-20.0 * std::log10(static_cast<double>(MaxSingle(d, kMinDistance))));
}

float RelativeLevelDb(float power, float maximum)
{
    if (!(maximum > 0.0f))
        return kLevelFloorDb;
    const float ratio = power / maximum;
    if (!(ratio > kRatioFloor))
        return kLevelFloorDb;
    return static_cast<float>(10.0 * std::log10(static_cast<double>(ratio)));
}

// Rounds to the nearest whole number, halves to even.
double RoundHalfEven(double v)
{
    const double lower = std::floor(v);
    const double diff = v - lower;
    if (diff > 0.5)
        return lower + 1.0;
    if (diff < 0.5)
        return lower;
    return std::fmod(lower, 2.0) == 0.0 ? lower : lower + 1.0;
}

// A frequency that cannot be computed with is taken as 0 Hz.
float UsableFrequency(float hz) { return std::isfinite(hz) ? hz : 0.0f; }

// Interpolates a table of levels over the sweep at fractional index pos; indices outside
// the table read its nearest end.
template <typename LevelAt>
float LevelAtPosition(float pos, int maxIndex, LevelAt levelAt)
{
    const float p0 = std::floor(pos);
    if (!(p0 >= 0.0f))
        return levelAt(0);
    if (p0 >= static_cast<float>(maxIndex))
        return levelAt(maxIndex);
    const int i0 = static_cast<int>(p0);
    if (pos == p0)
        return levelAt(i0);
    return (p0 + 1.0f - pos) * levelAt(i0) + (pos - p0) * levelAt(i0 + 1);
}

std::string FormatSingle(float v)
{
    char buf[32];
    const auto res = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, res.ptr);
}

} // namespace

// Working tables of the polar sum, kept per thread and reused so that a run allocates
// nothing once they have grown to the venue's size. They also keep the running sums after
// each cell: a run whose first cells are the last run's, bit for bit (Auto-Configure
// changing a lower cell's splay), starts from the sums after the unchanged ones and gives
// exactly what a run from the first cell would.
struct PredictionWorkspace {
    // What one cell's rows and sums were made from.
    struct CellKey {
        std::uint32_t x = 0, y = 0, gain = 0, aperture = 0;
        std::uint64_t aim = 0;
        bool operator==(const CellKey&) const = default;
    };
    // What every row was made from.
    struct SweepKey {
        std::uint32_t lo = 0, step = 0, speed = 0;
        int count = -1;
        int cells = -1;
        int lanes = 0; // the sum's routine: the vector ones round differently
        std::vector<std::uint32_t> frequencies;
        bool operator==(const SweepKey&) const = default;
    };

    std::vector<CellKey> cellKeys;    // per cell, of the rows and sums below
    SweepKey sweepKey;                // of the rows and sums below
    bool sumsKept = false;            // whether `sums` holds every cell's running sums
    int padded = 0;                   // sweep angles rounded up to the vector block
    std::vector<float> theta;         // per sweep angle, radians
    std::vector<float> cosTheta;      // per sweep angle
    std::vector<float> sinTheta;      // per sweep angle
    std::vector<float> gain;          // per cell: 10^(attenuation / 20)
    std::vector<float> apertureHeight; // per cell; 0 for a cell without an aperture
    std::vector<float> aimSine;       // [n * padded + j]: sin(aim - theta + offset)
    std::vector<float> pathBase;      // [n * padded + j]: dx cos theta + dy sin theta
    std::vector<float> sums;          // [((column * N + n) * 6 + sum) * padded + j]
    std::vector<PolarSum::CellTerms> terms; // per cell, for the frequency being summed
    std::vector<float> power;         // [column * (M + 1) + j]
    std::vector<float> maxima;        // per column
    std::vector<float> frequencies;   // per column, Hz
    int columns = 0;
    int listedColumns = 0;  // the first columns are the venue's listed frequencies
    int polarColumn = -1;   // the column the single-frequency polar response reads
};

namespace {
thread_local PredictionWorkspace t_workspace;
// The evenness graph's bands have tables of their own, so that its sums and those of the
// prediction between two edits do not undo each other.
thread_local PredictionWorkspace t_bandsWorkspace;
} // namespace

CalculationResults Environment::GenerateCalculations(bool quick, bool engineeringMode)
{
    return Prediction(*this, engineeringMode).Run(quick);
}

std::vector<float> Environment::EvennessScores(const std::vector<float>& frequencies)
{
    return Prediction(*this).EvennessScores(frequencies);
}

std::unique_ptr<Environment> Prediction::HeldCopy() const
{
    // A venue beyond the prediction's reach is predicted as held within it; the venue itself
    // keeps what it holds.
    if (PredictionInputs::WithinReach(venue_))
        return nullptr;
    std::unique_ptr<Environment> held = venue_.CloneOf();
    PredictionInputs::HoldWithinReach(*held);
    return held;
}

CalculationResults Prediction::Run(bool quick)
{
    if (const std::unique_ptr<Environment> held = HeldCopy())
        return Prediction(*held, engineeringMode_).Run(quick);
    PolarSum::ClearUpperVectorState();
    r_ = CalculationResults{};
    areaCounter_ = 0;
    itemCounter_ = 0;
    runningMaxLevel_ = kStartingMaxLevel;
    try {
        if (RunGeometry(quick))
            RunSound();
    } catch (const std::exception& e) {
        throw ProcedureFailure(FailureText(), e.what());
    }
    return std::move(r_);
}

std::vector<float> Prediction::EvennessScores(const std::vector<float>& frequencies)
{
    if (const std::unique_ptr<Environment> held = HeldCopy())
        return Prediction(*held).EvennessScores(frequencies);
    PolarSum::ClearUpperVectorState();
    r_ = CalculationResults{};
    areaCounter_ = 0;
    itemCounter_ = 0;
    runningMaxLevel_ = kStartingMaxLevel;
    std::vector<float> scores(frequencies.size(), 0.0f);
    try {
        RunGeometry(false);
        // Without cells nothing sounds: no samples, a score of 0.
        if (r_.CellResults.empty() || frequencies.empty())
            return scores;
        const Sweep sweep = ReadSweep();
        PredictionWorkspace& ws = t_bandsWorkspace;
        ws.frequencies = frequencies;
        ws.listedColumns = 0;
        ws.polarColumn = -1;
        ws.columns = static_cast<int>(frequencies.size());
        SumColumns(sweep, SpeedOfSound(), ws);
        const auto count = static_cast<std::size_t>(sweep.maxIndex + 1);
        for (std::size_t col = 0; col < frequencies.size(); ++col) {
            const float* power = &ws.power[col * count];
            r_.PolarLevels.resize(count);
            for (std::size_t j = 0; j < count; ++j)
                r_.PolarLevels[j] = RelativeLevelDb(power[j], ws.maxima[col]);
            runningMaxLevel_ = kStartingMaxLevel;
            RunAreaLevels(sweep);
            scores[col] = r_.EvennessScore;
        }
    } catch (const std::exception& e) {
        throw ProcedureFailure(FailureText(), e.what());
    }
    return scores;
}

std::string Prediction::FailureText() const
{
    float sampleLevel = 0.0f;
    if (areaCounter_ >= 1 && areaCounter_ <= static_cast<int>(r_.AreaLevels.size())) {
        const auto& samples = r_.AreaLevels[static_cast<std::size_t>(areaCounter_ - 1)].Samples;
        if (itemCounter_ >= 1 && itemCounter_ <= static_cast<int>(samples.size()))
            sampleLevel = samples[static_cast<std::size_t>(itemCounter_ - 1)].Level;
    }
    return "Environment.GenerateCalculations (" + std::to_string(areaCounter_) + ", " +
           std::to_string(itemCounter_) + ", " + FormatSingle(runningMaxLevel_) + ", " +
           FormatSingle(sampleLevel) + ")";
}

// ---- Geometry and rigging -----------------------------------------------------------

bool Prediction::RunGeometry(bool quick)
{
    Environment& env = venue_;
    const Planes& areas = env.SeatingAreas();
    const int areaCount = areas.Count();
    flown_ = env.LineArray().Configuration() == 0;
    pointsFlag_ = env.ListeningPoints().Count() >= 1 && engineeringMode_;

    Box areaBox;
    if (areaCount >= 1) {
        areaBox = Box::At(areas.Item(1).FrontPoint());
        for (int j = 1; j <= areaCount; ++j) {
            areaBox.Grow(areas.Item(j).FrontPoint());
            areaBox.Grow(areas.Item(j).BackPoint());
        }
    }

    Bumper& bumper = env.LineArray().Bumper();
    float weight = 0.0f;
    float sx = 0.0f;
    float sy = 0.0f;
    bool levelled = false;
    for (;;) {
        RunCells(bumper, weight, sx, sy);

        // A bumper of no known type weighs nothing; with no cell weight either, the
        // centre of gravity is the bumper's own.
        r_.CenterOfGravity = weight != 0.0f ? Point2D(sx / weight, sy / weight)
                                            : bumper.CenterOfGravity();
        r_.HangLinePoint = Point2D(0, 0);

        // A bumper without holes (no known type) cannot be hung: no hang line, no loads.
        const int holes = bumper.HoleCount();
        if (bumper.Rigging() == 1) {
            if (holes == 0) {
                r_.HangLinePoint = r_.CenterOfGravity;
                r_.Balanced = false;
                break;
            }
            r_.HangLinePoint = bumper.HoleLocation(bumper.FrontHangPoint());
            if (levelled)
                break;
            levelled = true;
            const float d = DirectionDegrees(r_.HangLinePoint, r_.CenterOfGravity);
            bumper.ForceAngle(
                Angle::FromDegrees(std::fabs(d) + bumper.Angle().Degrees() - 90.0));
            r_.Balanced = true;
            continue;
        }

        r_.HangLinePoint.x = r_.CenterOfGravity.x;
        if (holes == 0)
            break;
        const float radius = bumper.HoleRadius();
        const Point2D front = bumper.HoleLocation(bumper.FrontHangPoint()).OffsetFromXY(0, radius);
        const Point2D back = bumper.HoleLocation(bumper.BackHangPoint()).OffsetFromXY(0, radius);
        if (front.x == back.x)
            break;
        Plane hangLine;
        hangLine.SetPoints(front, back);
        r_.HangLinePoint.y = hangLine.Slope() * r_.HangLinePoint.x + hangLine.YIntercept();
        r_.Balanced = hangLine.IsWithinBounds(r_.HangLinePoint);
        if (quick && !r_.Balanced)
            return false;
        const float dF = Distance(r_.HangLinePoint, front);
        const float dB = Distance(r_.HangLinePoint, back);
        r_.FrontLoad = weight * dB / (dF + dB);
        r_.BackLoad = dF * weight / (dF + dB);
        break;
    }

    Box venueBox = areaBox;
    venueBox.Grow(Box{r_.ArrayMinX, r_.ArrayMaxY, r_.ArrayMaxX, r_.ArrayMinY});
    r_.VenueMinX = venueBox.minX;
    r_.VenueMaxY = venueBox.maxY;
    r_.VenueMaxX = venueBox.maxX;
    r_.VenueMinY = venueBox.minY;

    // Throws and coverage need a cell to measure from and an area to measure to; without
    // either they stay 0.
    const int cellCount = static_cast<int>(r_.CellResults.size());
    if (cellCount == 0)
        return true;
    const CellResult& top = r_.CellResults[flown_ ? 0 : static_cast<std::size_t>(cellCount - 1)];
    const CellResult& bottom =
        r_.CellResults[flown_ ? static_cast<std::size_t>(cellCount - 1) : 0];
    if (areaCount >= 1) {
        float farThrow = 0.0f;
        float nearThrow = kNoNearThrow;
        float upper = -360.0f;
        float lower = 360.0f;
        for (int j = 1; j <= areaCount; ++j) {
            itemCounter_ = j;
            for (const Point2D* p : {&areas.Item(j).FrontPoint(), &areas.Item(j).BackPoint()}) {
                farThrow = MaxSingle(farThrow, Distance(top.Center, *p));
                nearThrow = MinSingle(nearThrow, Distance(bottom.Center, *p));
                upper = MaxSingle(upper, DirectionDegrees(top.Center, *p));
                lower = MinSingle(lower, DirectionDegrees(bottom.Center, *p));
            }
        }
        r_.FarThrow = farThrow;
        r_.NearThrow = nearThrow;
        r_.UpperCoverageAngle.SetDegrees(upper);
        r_.LowerCoverageAngle.SetDegrees(lower);
    }

    if (quick) {
        const float upper = static_cast<float>(r_.UpperCoverageAngle.Degrees());
        const float lower = static_cast<float>(r_.LowerCoverageAngle.Degrees());
        const float topAim = static_cast<float>(top.Aim.Degrees());
        const float bottomAim = static_cast<float>(bottom.Aim.Degrees());
        if (env.AutoCalcOverthrow() + upper < topAim ||
            lower - env.AutoCalcUnderthrow() > bottomAim)
            return false;
    }
    return true;
}

void Prediction::RunCells(const Bumper& bumper, float& weight, float& sx, float& sy)
{
    const Planes& areas = venue_.SeatingAreas();
    const int areaCount = areas.Count();
    const Cells& cells = venue_.LineArray().Cells();
    const int cellCount = cells.Count();

    Angle running = bumper.Angle();
    weight = bumper.Weight();
    Box rigging = Box::At(bumper.TopBack());
    rigging.Grow(bumper.TopFront());
    rigging.Grow(bumper.BottomBack());
    rigging.Grow(bumper.BottomFront());
    r_.RiggingMinX = rigging.minX;
    r_.RiggingMaxY = rigging.maxY;
    r_.RiggingMaxX = rigging.maxX;
    r_.RiggingMinY = rigging.minY;
    Box arrayBox = rigging;
    const Point2D bumperCog = bumper.CenterOfGravity();
    sx = weight * bumperCog.x;
    sy = weight * bumperCog.y;

    r_.CellResults.assign(static_cast<std::size_t>(cellCount), CellResult{});
    for (int i = 1; i <= cellCount; ++i) {
        itemCounter_ = i;
        const Cell& cell = cells.Item(i);
        CellResult& cr = r_.CellResults[static_cast<std::size_t>(i - 1)];
        if (flown_)
            running.Subtract(cell.SplayAngle());
        else
            running.Add(cell.SplayAngle());

        const float frontHeight = cell.FrontHeight();
        if (flown_) {
            cr.TopFront = i == 1 ? bumper.FrontPin()
                                 : r_.CellResults[static_cast<std::size_t>(i - 2)].BottomFront;
            cr.BottomFront = cr.TopFront.OffsetFromAH(running.RightAngleOf(), frontHeight);
        } else {
            cr.BottomFront = i == 1 ? bumper.FrontPin()
                                    : r_.CellResults[static_cast<std::size_t>(i - 2)].TopFront;
            cr.TopFront = cr.BottomFront.OffsetFromAH(running.LeftAngleOf(), frontHeight);
        }
        const Point2D face = cr.TopFront.MidPointWith(cr.BottomFront);
        cr.Aim = running;

        const Angle back = running.ReverseAngleOf();
        const Angle up = running.LeftAngleOf();
        cr.BottomBack = cr.BottomFront.OffsetFromAH(back, cell.Width())
                            .OffsetFromAH(up, (frontHeight - cell.BackHeight()) / 2);
        cr.TopBack = cr.BottomBack.OffsetFromAH(up, cell.BackHeight());
        cr.Center = face.OffsetFromAH(back, cell.Width() / 2);
        cr.Source = face.OffsetFromAH(back, cell.SourceDepth());

        // Aim ray: the nearest seating area ahead of the cell.
        const double t = running.Tangent();
        const double aim = running.Radians();
        const double aheadLo = Angle::FromRadians(aim - kAimOffset).Radians();
        const double aheadHi = Angle::FromRadians(aim + kAimOffset).Radians();
        const float cx = cr.Center.x;
        const float cy = cr.Center.y;
        for (int j = 1; j <= areaCount; ++j) {
            areaCounter_ = j;
            const Plane& area = areas.Item(j);
            const float m = area.Slope();
            const float b = area.YIntercept();
            const double denom = t - m;
            if (denom == 0.0)
                continue;
            const float x = static_cast<float>(cx + (m * cx + b - cy) / denom);
            const float y = m * x + b;
            // A vertical or pointlike area gives no usable crossing.
            if (!std::isfinite(x) || !std::isfinite(y) || x == cx)
                continue;
            const Point2D hit(x, y);
            Angle direction;
            direction.ConstructFromPoints(cr.Center, hit);
            const double dir = direction.Radians();
            if (!(aheadLo < dir && dir < aheadHi))
                continue;
            const float d = Distance(cr.Center, hit);
            if (!area.IsWithinBounds(hit))
                continue;
            if (cr.Hit && !(d < cr.Throw))
                continue;
            cr.Hit = true;
            cr.HitAreaIndex = j;
            cr.Throw = d;
            cr.HitPoint = hit;
        }

        arrayBox.Grow(cr.TopFront);
        arrayBox.Grow(cr.BottomFront);
        arrayBox.Grow(cr.TopBack);
        arrayBox.Grow(cr.BottomBack);

        weight += cell.Weight();
        sx += cell.Weight() * cr.Source.x;
        sy += cell.Weight() * cr.Source.y;
    }

    r_.ArrayMinX = arrayBox.minX;
    r_.ArrayMaxY = arrayBox.maxY;
    r_.ArrayMaxX = arrayBox.maxX;
    r_.ArrayMinY = arrayBox.minY;
    r_.TotalWeight = weight;
}

// ---- Polar response and levels ------------------------------------------------------

Prediction::Sweep Prediction::ReadSweep() const
{
    const polvane::CalcParameters& p = venue_.CalcParameters();
    float lower = p.LowerAngle();
    float upper = p.UpperAngle();
    float step = p.AngleStep();
    // A sweep that cannot be stepped through (a venue never cleared has 0, 0, 0), runs
    // backwards or is absurdly fine is replaced by the sweep every loaded venue gets.
    const double span = static_cast<double>((upper - lower) / step);
    const bool usable = std::isfinite(lower) && std::isfinite(upper) && std::isfinite(step) &&
                        step > 0.0f && std::isfinite(span) && RoundHalfEven(span) >= 0.0 &&
                        RoundHalfEven(span) <= kMaxSweepIndex;
    if (!usable) {
        lower = kDefaultLowerAngle;
        upper = kDefaultUpperAngle;
        step = kDefaultAngleStep;
    }
    Sweep s;
    s.lo = flown_ ? lower : -upper;
    s.hi = flown_ ? upper : -lower;
    s.step = step;
    s.maxIndex = static_cast<int>(RoundHalfEven(static_cast<double>((s.hi - s.lo) / s.step)));
    return s;
}

float Prediction::SpeedOfSound() const
{
    const double celsius = venue_.AmbientTemperature().Celsius();
    double ratio = 1.0 + celsius / kAbsoluteZeroOffset;
    if (std::isnan(ratio) || ratio < kMinTemperatureRatio)
        ratio = kMinTemperatureRatio;
    const double base = venue_.Units() == kMetric ? kSpeedOfSoundMetres : kSpeedOfSoundFeet;
    return static_cast<float>(base * std::sqrt(ratio));
}

void Prediction::RunSound()
{
    const Environment& env = venue_;
    const float speedOfSound = SpeedOfSound();

    const Sweep sweep = ReadSweep();
    PredictionWorkspace& ws = t_workspace;
    const bool haveCells = !r_.CellResults.empty();
    if (haveCells) {
        RunPolar(sweep, speedOfSound, ws);
        RunAreaLevels(sweep);
    } else {
        // Nothing sounds: one empty entry per area, keeping the lists' sizes.
        r_.AreaLevels.assign(static_cast<std::size_t>(env.SeatingAreas().Count()),
                             AreaLevelResult{});
    }
    if (env.ListeningPoints().Count() >= 1)
        RunListeningPoints(sweep, haveCells && ws.columns > 0, ws);

    if (!env.AggregateFrequencies() && haveCells) {
        const float length = Distance(r_.CellResults.front().Center, r_.CellResults.back().Center);
        const float divisor =
            env.Units() == kMetric ? kFarFieldDivisorMetres : kFarFieldDivisorFeet;
        const float farField = length * length * UsableFrequency(env.CenterFrequency()) / divisor;
        r_.FarFieldDistance = std::isfinite(farField) ? farField : kFloatMax;
    }
}

void Prediction::RunPolar(const Sweep& sweep, float speedOfSound, PredictionWorkspace& ws)
{
    const Environment& env = venue_;
    const int count = sweep.maxIndex + 1;
    const auto ucount = static_cast<std::size_t>(count);

    // Which frequencies to sum: the centre frequency alone, or every listed one (with
    // the centre frequency as an extra column when the polar response needs it and the
    // list lacks it, or when the list is empty).
    const std::vector<float>& listed = env.FrequencyList();
    const bool aggregate = env.AggregateFrequencies();
    const bool perFrequency = aggregate || pointsFlag_;
    ws.frequencies.clear();
    ws.listedColumns = 0;
    ws.polarColumn = -1;
    if (perFrequency) {
        ws.frequencies.assign(listed.begin(), listed.end());
        ws.listedColumns = static_cast<int>(listed.size());
        if (!aggregate) {
            for (int i = 0; i < ws.listedColumns; ++i) {
                if (listed[static_cast<std::size_t>(i)] == env.CenterFrequency()) {
                    ws.polarColumn = i;
                    break;
                }
            }
        }
    }
    if (ws.frequencies.empty() || (!aggregate && ws.polarColumn < 0)) {
        ws.polarColumn = static_cast<int>(ws.frequencies.size());
        ws.frequencies.push_back(env.CenterFrequency());
    }
    ws.columns = static_cast<int>(ws.frequencies.size());

    SumColumns(sweep, speedOfSound, ws);

    r_.PolarLevels.assign(ucount, 0.0f);
    if (aggregate) {
        // The mean of the per-frequency relative levels (over the centre frequency alone
        // when the list is empty).
        const int first = ws.listedColumns > 0 ? 0 : ws.polarColumn;
        const int columns = ws.listedColumns > 0 ? ws.listedColumns : 1;
        const auto divisor = static_cast<float>(columns);
        for (int j = 0; j < count; ++j) {
            float sum = 0.0f;
            for (int col = first; col < first + columns; ++col)
                sum += RelativeLevelDb(ws.power[static_cast<std::size_t>(col) * ucount +
                                                static_cast<std::size_t>(j)],
                                       ws.maxima[static_cast<std::size_t>(col)]) /
                       divisor;
            r_.PolarLevels[static_cast<std::size_t>(j)] = sum;
        }
    } else {
        const float* power = &ws.power[static_cast<std::size_t>(ws.polarColumn) * ucount];
        const float maximum = ws.maxima[static_cast<std::size_t>(ws.polarColumn)];
        for (int j = 0; j < count; ++j)
            r_.PolarLevels[static_cast<std::size_t>(j)] = RelativeLevelDb(power[j], maximum);
    }
}

void Prediction::SumColumns(const Sweep& sweep, float speedOfSound, PredictionWorkspace& ws)
{
    const Cells& cells = venue_.LineArray().Cells();
    const int n = static_cast<int>(r_.CellResults.size());
    const int count = sweep.maxIndex + 1;
    const int padded = (count + PolarSum::kAngleBlock - 1) / PolarSum::kAngleBlock *
                       PolarSum::kAngleBlock;
    const auto un = static_cast<std::size_t>(n);
    const auto upadded = static_cast<std::size_t>(padded);
    const auto ucount = static_cast<std::size_t>(count);
    const std::size_t columnSums = un * PolarSum::kSums * upadded;
    const bool keepSums =
        ws.columns > 0 && columnSums <= kMaxKeptSums / static_cast<std::size_t>(ws.columns);

    PredictionWorkspace::SweepKey sweepKey;
    sweepKey.lo = std::bit_cast<std::uint32_t>(sweep.lo);
    sweepKey.step = std::bit_cast<std::uint32_t>(sweep.step);
    sweepKey.speed = std::bit_cast<std::uint32_t>(speedOfSound);
    sweepKey.count = count;
    sweepKey.cells = n;
    sweepKey.lanes = PolarSum::Lanes();
    for (const float f : ws.frequencies)
        sweepKey.frequencies.push_back(std::bit_cast<std::uint32_t>(f));

    // The cells' own terms; the first one that differs from the last run's is where the
    // sums start again.
    ws.gain.resize(un);
    ws.apertureHeight.resize(un);
    std::vector<PredictionWorkspace::CellKey> keys(un);
    for (int c = 0; c < n; ++c) {
        itemCounter_ = c + 1;
        const Cell& cell = cells.Item(c + 1);
        const auto uc = static_cast<std::size_t>(c);
        // The attenuation is a level: its pressure gain is 10^(dB / 20).
        ws.gain[uc] =
            static_cast<float>(std::pow(10.0, static_cast<double>(cell.Attenuation()) / 20.0));
        // A cell without a line-source aperture radiates the same in every direction: an
        // aperture factor of 0 gives A = g.
        const float aperture = cell.ApertureHeight();
        ws.apertureHeight[uc] = aperture == ProductTables::kNoAperture ? 0.0f : aperture;
        const CellResult& cr = r_.CellResults[uc];
        keys[uc] = {std::bit_cast<std::uint32_t>(cr.Source.x),
                    std::bit_cast<std::uint32_t>(cr.Source.y),
                    std::bit_cast<std::uint32_t>(ws.gain[uc]),
                    std::bit_cast<std::uint32_t>(ws.apertureHeight[uc]),
                    std::bit_cast<std::uint64_t>(cr.Aim.Radians())};
    }
    const bool sameSweep = ws.sweepKey == sweepKey && ws.padded == padded;
    int first = 0;
    if (sameSweep && keepSums && ws.sumsKept)
        while (first < n && keys[static_cast<std::size_t>(first)] ==
                                ws.cellKeys[static_cast<std::size_t>(first)])
            ++first;
    // Until the new rows and sums are all written, nothing of the old ones may be trusted.
    ws.sweepKey = {};
    ws.cellKeys.clear();

    if (!sameSweep) {
        ws.padded = padded;
        ws.theta.assign(upadded, 0.0f);
        ws.cosTheta.assign(upadded, 0.0f);
        ws.sinTheta.assign(upadded, 0.0f);
        for (int j = 0; j < count; ++j) {
            const auto theta = static_cast<float>(
                (static_cast<double>(sweep.step) * j + sweep.lo) / kDegreesPerRadian);
            ws.theta[static_cast<std::size_t>(j)] = theta;
            ws.cosTheta[static_cast<std::size_t>(j)] =
                static_cast<float>(std::cos(static_cast<double>(theta)));
            ws.sinTheta[static_cast<std::size_t>(j)] =
                static_cast<float>(std::sin(static_cast<double>(theta)));
        }
    }

    // Terms that do not depend on the frequency, per cell and sweep angle; the angles
    // past the sweep only fill the last vector block.
    ws.aimSine.resize(un * upadded);
    ws.pathBase.resize(un * upadded);
    const Point2D ref = r_.CellResults.front().Source;
    for (int c = first; c < n; ++c) {
        itemCounter_ = c + 1;
        const CellResult& cr = r_.CellResults[static_cast<std::size_t>(c)];
        const double aim = cr.Aim.Radians();
        const float dx = cr.Source.x - ref.x;
        const float dy = cr.Source.y - ref.y;
        float* aimSine = &ws.aimSine[static_cast<std::size_t>(c) * upadded];
        float* pathBase = &ws.pathBase[static_cast<std::size_t>(c) * upadded];
        for (int j = 0; j < padded; ++j) {
            const auto uj = static_cast<std::size_t>(j);
            // The difference is taken in double, where the small offset survives.
            aimSine[j] = j < count ? static_cast<float>(aim - ws.theta[uj] + kAimOffset) : 0.0f;
            pathBase[j] = j < count ? dx * ws.cosTheta[uj] + dy * ws.sinTheta[uj] : 0.0f;
        }
        PolarSum::Sines(aimSine, padded);
    }

    // The cell sum, per frequency column: pressures with the phase of the path
    // differences at f and a sixth of an octave either side, added as powers.
    const std::size_t ringSums = PolarSum::kSums * upadded;
    ws.sums.resize(keepSums ? columnSums * static_cast<std::size_t>(ws.columns) : 2 * ringSums);
    ws.terms.resize(un);
    ws.power.resize(static_cast<std::size_t>(ws.columns) * ucount);
    ws.maxima.assign(static_cast<std::size_t>(ws.columns), 0.0f);
    for (int col = 0; col < ws.columns; ++col) {
        const float f = UsableFrequency(ws.frequencies[static_cast<std::size_t>(col)]);
        const auto k = static_cast<float>(kTwoPi * f / speedOfSound);
        for (int c = 0; c < n; ++c) {
            const auto uc = static_cast<std::size_t>(c);
            ws.terms[uc] = {&ws.aimSine[uc * upadded], &ws.pathBase[uc * upadded], ws.gain[uc],
                            static_cast<float>(kPi * f * ws.apertureHeight[uc] / speedOfSound)};
        }
        const float* last = nullptr;
        if (keepSums) {
            float* sums = &ws.sums[static_cast<std::size_t>(col) * columnSums];
            PolarSum::Add(ws.terms.data(), first, n, padded, k, sums);
            last = sums + (un - 1) * ringSums;
        } else {
            // Without room for every cell's sums, two rows: the sums so far and the next.
            float* ring = ws.sums.data();
            PolarSum::Add(ws.terms.data(), 0, 1, padded, k, ring);
            for (int c = 1; c < n; ++c) {
                PolarSum::Add(ws.terms.data() + c - 1, 1, 2, padded, k, ring);
                std::copy(ring + ringSums, ring + 2 * ringSums, ring);
            }
            last = ring;
        }
        float* power = &ws.power[static_cast<std::size_t>(col) * ucount];
        float maximum = 0.0f;
        for (int j = 0; j < count; ++j) {
            const auto at = [last, upadded, j](int sum) {
                return last[static_cast<std::size_t>(sum) * upadded + static_cast<std::size_t>(j)];
            };
            const float re1 = at(0), im1 = at(1), re2 = at(2), im2 = at(3), re3 = at(4),
                        im3 = at(5);
            float p = re1 * re1 + im1 * im1 + re2 * re2 + im2 * im2 + re3 * re3 + im3 * im3;
            // Frequencies or apertures beyond single precision give no usable sum.
            if (!std::isfinite(p))
                p = 0.0f;
            power[j] = p;
            maximum = MaxSingle(maximum, p);
        }
        ws.maxima[static_cast<std::size_t>(col)] = maximum;
    }
    ws.sumsKept = keepSums;
    if (keepSums)
        ws.cellKeys = std::move(keys);
    ws.sweepKey = std::move(sweepKey);
}

void Prediction::RunAreaLevels(const Sweep& sweep)
{
    const Environment& env = venue_;
    const Planes& areas = env.SeatingAreas();
    const int areaCount = areas.Count();
    const Point2D g = r_.CenterOfGravity;
    const float lo = sweep.lo;
    const float hi = sweep.hi;
    const float step = sweep.step;
    const int maxIndex = sweep.maxIndex;
    const std::vector<float>& polar = r_.PolarLevels;
    const auto polarAt = [&polar](int i) { return polar[static_cast<std::size_t>(i)]; };
    // a1, a2 and every sweep angle between them, with room for rounding.
    const int sampleLimit = maxIndex + 3;

    r_.AreaLevels.assign(static_cast<std::size_t>(areaCount), AreaLevelResult{});
    float maxLevel = kStartingMaxLevel;
    int totalSamples = 0;
    for (int ai = 1; ai <= areaCount; ++ai) {
        areaCounter_ = ai;
        itemCounter_ = 0;
        AreaLevelResult& out = r_.AreaLevels[static_cast<std::size_t>(ai - 1)];
        const Plane& area = areas.Item(ai);
        Plane raised;
        raised.SetPoints(area.FrontPoint().OffsetFromXY(0, env.EarHeight()),
                         area.BackPoint().OffsetFromXY(0, env.EarHeight()));
        const float m = raised.Slope();
        const float b = raised.YIntercept();
        float a1 = DirectionDegrees(g, raised.FrontPoint());
        float a2 = DirectionDegrees(g, raised.BackPoint());
        if (a1 < lo) {
            out.FrontClipped = true;
            a1 = lo;
        }
        if (a2 > hi) {
            out.BackClipped = true;
            a2 = hi;
        }
        if ((out.FrontClipped && out.BackClipped) || a1 > a2)
            continue;

        out.Samples.reserve(static_cast<std::size_t>(MinSingle(
            static_cast<float>(sampleLimit), (a2 - a1) / step + 3.0f)));
        const float lastGrid = lo + step * std::floor((a2 - lo) / step);
        float theta = a1;
        for (int guard = 0; guard < sampleLimit; ++guard) {
            const double t = std::tan(static_cast<double>(theta) / kDegreesPerRadian);
            const double denom = t - m;
            if (denom != 0.0) {
                const float x = static_cast<float>(g.x + (m * g.x + b - g.y) / denom);
                const float y = m * x + b;
                // A ray parallel to the line gives no sample; nor does a line that has no
                // finite crossing (a vertical or pointlike area).
                if (std::isfinite(x) && std::isfinite(y)) {
                    const Point2D p(x, y);
                    const float d = Distance(p, g);
                    const float pos = (theta - lo) / step;
                    LevelSample sample;
                    sample.Point = p;
                    sample.Level = LevelAtPosition(pos, maxIndex, polarAt) + DistanceLossDb(d);
                    out.Samples.push_back(sample);
                    out.SampleCount += 1;
                    itemCounter_ = out.SampleCount;
                    maxLevel = MaxSingle(maxLevel, sample.Level);
                    runningMaxLevel_ = maxLevel;
                }
            }
            if (theta == a2)
                break;
            if (lastGrid <= theta) {
                theta = a2;
            } else {
                float k = std::floor((theta - lo) / step + 1.0f);
                float next = lo + step * k;
                // Rounding may land the next sweep angle on the current one.
                for (int tries = 0; !(next > theta) && tries < 4; ++tries) {
                    k += 1.0f;
                    next = lo + step * k;
                }
                theta = next > theta ? MinSingle(next, a2) : a2;
            }
        }
        totalSamples += out.SampleCount;
    }

    // Relative to the loudest sample of the venue.
    float lowest = 0.0f;
    double evenness = 0.0;
    for (AreaLevelResult& area : r_.AreaLevels) {
        for (LevelSample& s : area.Samples) {
            s.Level -= maxLevel;
            lowest = MinSingle(lowest, s.Level);
            const double u = 1.0 - static_cast<double>(s.Level);
            evenness += u * u * u * u;
        }
    }
    r_.MaxLevelDrop = std::fabs(lowest);
    r_.EvennessScore =
        totalSamples > 0 ? static_cast<float>(evenness / static_cast<double>(totalSamples)) : 0.0f;
}

void Prediction::RunListeningPoints(const Sweep& sweep, bool havePerFrequency,
                                    const PredictionWorkspace& ws)
{
    const Environment& env = venue_;
    const Planes& areas = env.SeatingAreas();
    const polvane::ListeningPoints& points = env.ListeningPoints();
    const int pointCount = points.Count();
    // A venue without a frequency list analyses its centre frequency alone, and its points
    // get their one level there, so that they still show.
    const bool listed = env.FrequencyCount() > 0;
    const auto frequencyCount = listed ? static_cast<std::size_t>(env.FrequencyCount()) : 1u;
    const int firstColumn = listed ? 0 : ws.polarColumn;
    const std::size_t levelColumns =
        listed ? static_cast<std::size_t>(ws.listedColumns) : (firstColumn >= 0 ? 1u : 0u);
    const float lift =
        env.Units() == kMetric ? kListeningPointHeightMetres : kListeningPointHeightFeet;
    const Point2D g = r_.CenterOfGravity;
    const int count = sweep.maxIndex + 1;
    // The per-frequency powers exist only where the polar sum kept them; otherwise the
    // points are placed and tested against the sweep, and their levels stay 0.
    const bool levels = havePerFrequency && levelColumns > 0 &&
                        (!listed || env.AggregateFrequencies() || pointsFlag_);

    r_.PointLevels.assign(static_cast<std::size_t>(pointCount), ListeningPointResult{});
    for (int pi = 1; pi <= pointCount; ++pi) {
        itemCounter_ = pi;
        ListeningPointResult& out = r_.PointLevels[static_cast<std::size_t>(pi - 1)];
        out.Levels.assign(frequencyCount, 0.0f);
        const ListeningPoint& lp = points.Item(pi);
        const int areaIndex = lp.SeatingAreaIndex();
        if (areaIndex < 1 || areaIndex > areas.Count())
            continue;
        const Plane& area = areas.Item(areaIndex);
        const float h = lp.HorizontalPosition();
        float rise = area.Slope() * h;
        if (!std::isfinite(rise))
            rise = 0.0f; // a vertical area has no run to follow
        out.Point = area.FrontPoint().OffsetFromXY(h, rise + lift);
        if (!IsFinite(out.Point))
            continue;
        const float theta = DirectionDegrees(g, out.Point);
        if (theta < sweep.lo || theta > sweep.hi)
            continue;
        out.InSweep = true;
        if (!levels)
            continue;
        const float loss = DistanceLossDb(Distance(g, out.Point));
        const float pos = (theta - sweep.lo) / sweep.step;
        const std::size_t columns = std::min(frequencyCount, levelColumns);
        for (std::size_t i = 0; i < columns; ++i) {
            const std::size_t column = static_cast<std::size_t>(firstColumn) + i;
            const float* power = &ws.power[column * static_cast<std::size_t>(count)];
            const float maximum = ws.maxima[column];
            const auto levelAt = [power, maximum](int j) {
                return RelativeLevelDb(power[j], maximum);
            };
            out.Levels[i] = LevelAtPosition(pos, sweep.maxIndex, levelAt) + loss;
        }
    }

    // Relative to the reference point; a reference that names no point takes off nothing.
    const int ref = points.ReferencePointIndex();
    if (ref >= 1 && ref <= pointCount) {
        const std::vector<float> reference =
            r_.PointLevels[static_cast<std::size_t>(ref - 1)].Levels;
        for (ListeningPointResult& p : r_.PointLevels)
            for (std::size_t i = 0; i < p.Levels.size() && i < reference.size(); ++i)
                p.Levels[i] -= reference[i];
    }
}

} // namespace polvane
