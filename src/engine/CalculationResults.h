#pragma once

#include <optional>
#include <vector>

#include "model/Angle.h"
#include "model/Point2D.h"

namespace polvane {

// Everything one prediction works out for a venue. Lengths are in the venue's unit,
// weights in pounds or kilograms to match, levels in dB relative to a maximum (0 or below).
// Every field starts empty: 0, false, empty list, no hit point.
//
// The 1-based lists of the venue (cells, seating areas, samples, listening points,
// listed frequencies) are held as 0-based vectors: entry k of the venue's list is at
// index k - 1, in the same order. PolarLevels is indexed by the sweep index j, 0..M.

// One cell of the array.
struct CellResult {
    Point2D TopFront;
    Point2D BottomFront;
    Point2D TopBack;
    Point2D BottomBack;
    // Face midpoint moved back by half the width: origin of the aim ray and the throws.
    Point2D Center;
    // Face midpoint moved back by the source depth: mass point and acoustic source.
    Point2D Source;
    bool Hit = false;
    // 1-based seating area the aim ray meets first; 0 without a hit.
    int HitAreaIndex = 0;
    // From Center to HitPoint; 0 without a hit.
    float Throw = 0.0f;
    std::optional<Point2D> HitPoint;
    Angle Aim;
};

struct LevelSample {
    // Where the ray meets the seating area's line raised by the ear height.
    Point2D Point;
    // Relative to the loudest sample of the whole venue (0 or below).
    float Level = 0.0f;
};

// The level samples along one seating area, from its front end towards its back end.
struct AreaLevelResult {
    int SampleCount = 0;
    std::vector<LevelSample> Samples; // samples 1..SampleCount
    bool FrontClipped = false;
    bool BackClipped = false;
};

struct ListeningPointResult {
    bool InSweep = false;
    Point2D Point;
    // One per listed frequency (1..count), relative to the reference point.
    std::vector<float> Levels;
};

struct CalculationResults {
    float ArrayMinX = 0.0f;
    float ArrayMaxY = 0.0f;
    float ArrayMaxX = 0.0f;
    float ArrayMinY = 0.0f;
    float TotalWeight = 0.0f;
    float RiggingMinX = 0.0f;
    float RiggingMaxY = 0.0f;
    float RiggingMaxX = 0.0f;
    float RiggingMinY = 0.0f;
    float FrontLoad = 0.0f;
    float BackLoad = 0.0f;
    std::vector<CellResult> CellResults; // cells 1..N
    Point2D HangLinePoint;
    bool Balanced = false;
    std::vector<float> PolarLevels; // sweep indices 0..M
    Point2D CenterOfGravity;
    float FarFieldDistance = 0.0f;
    float FarThrow = 0.0f;
    float NearThrow = 0.0f;
    Angle UpperCoverageAngle;
    Angle LowerCoverageAngle;
    float VenueMinX = 0.0f;
    float VenueMaxY = 0.0f;
    float VenueMaxX = 0.0f;
    float VenueMinY = 0.0f;
    std::vector<AreaLevelResult> AreaLevels; // seating areas 1..A
    float EvennessScore = 0.0f;
    std::vector<ListeningPointResult> PointLevels; // listening points 1..count
    float MaxLevelDrop = 0.0f;
};

} // namespace polvane
