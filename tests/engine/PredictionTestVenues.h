#pragma once

// Venues and checks shared by the prediction tests.

#include <cmath>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "engine/CalculationResults.h"
#include "engine/Environment.h"

namespace polvane::testing {

struct CellSpec {
    double splayDegrees;
    float attenuation = 0.0f;
    int cellType = -1; // -1: the brand's default type
};

struct ArraySpec {
    BrandCode brand = BrandCode::RSarn; // R44 cells on bumper type 3: whole-degree splays 0..5 (first), 0..10
    ConfigurationCode configuration = ConfigurationCode::Flown;
    double bumperDegrees = 0.0;
    Point2D location{0, 30};
    std::vector<CellSpec> cells;
};

// A cleared English venue (sweep -135 to 90 by 1, centre frequency 1000 Hz, 22 C) with
// the given array and no seating areas or listening points.
inline std::unique_ptr<Environment> MakeVenue(const ArraySpec& spec)
{
    auto env = std::make_unique<Environment>();
    env->Clear();
    LineArray& array = env->LineArray();
    array.SetBrand(spec.brand);
    array.SetConfiguration(spec.configuration);
    array.Bumper().SetLocation(spec.location);
    array.Bumper().SetAngle(Angle::FromDegrees(spec.bumperDegrees));
    for (const CellSpec& c : spec.cells) {
        const Angle splay = Angle::FromDegrees(c.splayDegrees);
        Cell& cell = array.Cells().Add(-1, c.cellType, &splay);
        cell.SetAttenuation(c.attenuation);
    }
    // The requested splays are allowed ones: the venue is what the test computes with.
    for (int i = 1; i <= array.Cells().Count(); ++i)
        EXPECT_NEAR(array.Cells().Item(i).SplayAngle().Degrees(),
                    spec.cells[static_cast<std::size_t>(i - 1)].splayDegrees, 1e-9);
    return env;
}

inline void AddArea(Environment& env, Point2D front, Point2D back)
{
    env.SeatingAreas().Add(-1, &front, &back);
}

inline ListeningPoint& AddPoint(Environment& env, int area, float position)
{
    ListeningPoint& p = env.ListeningPoints().Add();
    p.SetSeatingAreaIndex(area);
    p.SetHorizontalPosition(position);
    return p;
}

// Every field a window shows is a finite number.
inline void ExpectAllFinite(const CalculationResults& r)
{
    const auto num = [](float v, const char* what) {
        EXPECT_TRUE(std::isfinite(v)) << what << " = " << v;
    };
    const auto pt = [&num](const Point2D& p, const char* what) {
        num(p.x, what);
        num(p.y, what);
    };
    num(r.ArrayMinX, "ArrayMinX");
    num(r.ArrayMaxY, "ArrayMaxY");
    num(r.ArrayMaxX, "ArrayMaxX");
    num(r.ArrayMinY, "ArrayMinY");
    num(r.TotalWeight, "TotalWeight");
    num(r.RiggingMinX, "RiggingMinX");
    num(r.RiggingMaxY, "RiggingMaxY");
    num(r.RiggingMaxX, "RiggingMaxX");
    num(r.RiggingMinY, "RiggingMinY");
    num(r.FrontLoad, "FrontLoad");
    num(r.BackLoad, "BackLoad");
    for (const CellResult& c : r.CellResults) {
        pt(c.TopFront, "TopFront");
        pt(c.BottomFront, "BottomFront");
        pt(c.TopBack, "TopBack");
        pt(c.BottomBack, "BottomBack");
        pt(c.Center, "Center");
        pt(c.Source, "Source");
        num(c.Throw, "Throw");
        if (c.HitPoint)
            pt(*c.HitPoint, "HitPoint");
        num(static_cast<float>(c.Aim.Degrees()), "Aim");
    }
    pt(r.HangLinePoint, "HangLinePoint");
    for (float v : r.PolarLevels)
        num(v, "PolarLevels");
    pt(r.CenterOfGravity, "CenterOfGravity");
    num(r.FarFieldDistance, "FarFieldDistance");
    num(r.FarThrow, "FarThrow");
    num(r.NearThrow, "NearThrow");
    num(static_cast<float>(r.UpperCoverageAngle.Degrees()), "UpperCoverageAngle");
    num(static_cast<float>(r.LowerCoverageAngle.Degrees()), "LowerCoverageAngle");
    num(r.VenueMinX, "VenueMinX");
    num(r.VenueMaxY, "VenueMaxY");
    num(r.VenueMaxX, "VenueMaxX");
    num(r.VenueMinY, "VenueMinY");
    for (const AreaLevelResult& a : r.AreaLevels) {
        EXPECT_EQ(a.SampleCount, static_cast<int>(a.Samples.size()));
        for (const LevelSample& s : a.Samples) {
            pt(s.Point, "sample Point");
            num(s.Level, "sample Level");
        }
    }
    num(r.EvennessScore, "EvennessScore");
    for (const ListeningPointResult& p : r.PointLevels) {
        pt(p.Point, "listening Point");
        for (float v : p.Levels)
            num(v, "listening Levels");
    }
    num(r.MaxLevelDrop, "MaxLevelDrop");
}

} // namespace polvane::testing
