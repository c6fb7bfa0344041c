#include "engine/Prediction.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <exception>
#include <memory>
#include <vector>

#include "engine/ArrayGeometry.h"
#include "engine/Environment.h"
#include "engine/PolarColumns.h"
#include "engine/PolarSum.h"
#include "engine/PredictionInputs.h"
#include "engine/PredictionMath.h"
#include "engine/PredictionWorkspace.h"
#include "model/Format.h"
#include "model/ProcedureFailure.h"
#include "model/Units.h"

namespace polvane {

namespace {

constexpr double kAbsoluteZeroOffset = 273.15;
constexpr double kSpeedOfSoundFeet = 1085.958;
constexpr double kSpeedOfSoundMetres = 331.0;
constexpr float kStartingMaxLevel = -1e38f;
constexpr float kListeningPointHeightFeet = 5.0f;
constexpr float kListeningPointHeightMetres = 1.524f;
constexpr float kFarFieldDivisorFeet = 2300.0f;
constexpr float kFarFieldDivisorMetres = 700.0f;

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
// The sweep every loaded venue gets; used when the venue's own cannot be swept.
constexpr float kDefaultLowerAngle = -135.0f;
constexpr float kDefaultUpperAngle = 90.0f;
constexpr float kDefaultAngleStep = 1.0f;

bool IsFinite(const Point2D& p) { return std::isfinite(p.x) && std::isfinite(p.y); }

float DistanceLossDb(float d)
{
    return static_cast<float>(
        -20.0 * std::log10(static_cast<double>(PredictionMath::MaxSingle(d, kMinDistance))));
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

thread_local PredictionWorkspace t_workspace;
// The evenness graph's bands have tables of their own, so that its sums and those of the
// prediction between two edits do not undo each other.
thread_local PredictionWorkspace t_bandsWorkspace;
} // namespace

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
        PolarColumns::Sum(sweep, SpeedOfSound(), venue_.LineArray().Cells(), r_.CellResults,
                          itemCounter_, ws);
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

bool Prediction::RunGeometry(bool quick)
{
    flown_ = venue_.LineArray().Configuration() == ConfigurationCode::Flown;
    pointsFlag_ = venue_.ListeningPoints().Count() >= 1 && engineeringMode_;
    return ArrayGeometry(venue_, flown_, r_, areaCounter_, itemCounter_).Run(quick);
}

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
                        step > 0.0f && std::isfinite(span) && Format::RoundHalfEven(span) >= 0.0 &&
                        Format::RoundHalfEven(span) <= kMaxSweepIndex;
    if (!usable) {
        lower = kDefaultLowerAngle;
        upper = kDefaultUpperAngle;
        step = kDefaultAngleStep;
    }
    Sweep s;
    s.lo = flown_ ? lower : -upper;
    s.hi = flown_ ? upper : -lower;
    s.step = step;
    s.maxIndex = static_cast<int>(Format::RoundHalfEven(static_cast<double>((s.hi - s.lo) / s.step)));
    return s;
}

float Prediction::SpeedOfSound() const
{
    const double celsius = venue_.AmbientTemperature().Celsius();
    double ratio = 1.0 + celsius / kAbsoluteZeroOffset;
    if (std::isnan(ratio) || ratio < kMinTemperatureRatio)
        ratio = kMinTemperatureRatio;
    const double base = venue_.Units() == UnitsCode::Metric ? kSpeedOfSoundMetres : kSpeedOfSoundFeet;
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
        const float length = PredictionMath::Distance(r_.CellResults.front().Center,
                                                      r_.CellResults.back().Center);
        const float divisor =
            env.Units() == UnitsCode::Metric ? kFarFieldDivisorMetres : kFarFieldDivisorFeet;
        const float farField =
            length * length * PredictionMath::UsableFrequency(env.CenterFrequency()) / divisor;
        r_.FarFieldDistance = std::isfinite(farField) ? farField : PredictionMath::kFloatMax;
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

    PolarColumns::Sum(sweep, speedOfSound, venue_.LineArray().Cells(), r_.CellResults, itemCounter_,
                      ws);

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
        float a1 = PredictionMath::DirectionDegrees(g, raised.FrontPoint());
        float a2 = PredictionMath::DirectionDegrees(g, raised.BackPoint());
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

        out.Samples.reserve(static_cast<std::size_t>(PredictionMath::MinSingle(
            static_cast<float>(sampleLimit), (a2 - a1) / step + 3.0f)));
        const float lastGrid = lo + step * std::floor((a2 - lo) / step);
        float theta = a1;
        for (int guard = 0; guard < sampleLimit; ++guard) {
            const double t =
                std::tan(static_cast<double>(theta) / PredictionMath::kDegreesPerRadian);
            const double denom = t - m;
            if (denom != 0.0) {
                const float x = static_cast<float>(g.x + (m * g.x + b - g.y) / denom);
                const float y = m * x + b;
                // A ray parallel to the line gives no sample; nor does a line that has no
                // finite crossing (a vertical or pointlike area).
                if (std::isfinite(x) && std::isfinite(y)) {
                    const Point2D p(x, y);
                    const float d = PredictionMath::Distance(p, g);
                    const float pos = (theta - lo) / step;
                    LevelSample sample;
                    sample.Point = p;
                    sample.Level = LevelAtPosition(pos, maxIndex, polarAt) + DistanceLossDb(d);
                    out.Samples.push_back(sample);
                    out.SampleCount += 1;
                    itemCounter_ = out.SampleCount;
                    maxLevel = PredictionMath::MaxSingle(maxLevel, sample.Level);
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
                theta = next > theta ? PredictionMath::MinSingle(next, a2) : a2;
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
            lowest = PredictionMath::MinSingle(lowest, s.Level);
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
        env.Units() == UnitsCode::Metric ? kListeningPointHeightMetres : kListeningPointHeightFeet;
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
        const float theta = PredictionMath::DirectionDegrees(g, out.Point);
        if (theta < sweep.lo || theta > sweep.hi)
            continue;
        out.InSweep = true;
        if (!levels)
            continue;
        const float loss = DistanceLossDb(PredictionMath::Distance(g, out.Point));
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
