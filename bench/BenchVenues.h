#pragma once

// The venues the benchmarks measure with.
#include <memory>

#include "engine/Environment.h"

namespace polvane::bench {

constexpr int kPredictionCells = 24;
constexpr int kSweepAngles = 226; // -135 to 90 by 1

// A 24-cell R44 array curving down to 10 degrees between cells, over a floor, a
// balcony and a rear riser.
inline std::unique_ptr<Environment> PredictionVenue()
{
    auto env = std::make_unique<Environment>();
    env->Clear();
    env->LineArray().SetBrand(BrandCode::RSarn);
    env->LineArray().Bumper().SetLocation(Point2D(0, 45));
    for (int i = 0; i < kPredictionCells; ++i) {
        const Angle splay = Angle::FromDegrees(i == 0 ? 2 : (i < 8 ? 1 : (i < 16 ? 3 : 6)));
        env->LineArray().Cells().Add(-1, -1, &splay);
    }
    const Point2D floorFront(15, 0), floorBack(110, 8);
    const Point2D balconyFront(70, 22), balconyBack(140, 38);
    const Point2D riserFront(112, 9), riserBack(150, 20);
    env->SeatingAreas().Add(-1, &floorFront, &floorBack);
    env->SeatingAreas().Add(-1, &balconyFront, &balconyBack);
    env->SeatingAreas().Add(-1, &riserFront, &riserBack);
    env->SetEarHeight(4);
    return env;
}

// Turns the bumper between two angles, moving every cell: a prediction after it sums all
// cells again instead of reusing the sums of the unchanged ones.
inline void MoveEveryCell(Environment& venue, bool& tilted)
{
    tilted = !tilted;
    venue.LineArray().Bumper().SetAngle(Angle::FromDegrees(tilted ? -0.5 : 0.0));
}

// Auto-Configure's hall: a flown column of the given size over three seating areas, in a
// cleared venue.
inline void FillHall(Environment& venue, int cells)
{
    venue.Clear();
    LineArray& array = venue.LineArray();
    array.SetConfiguration(ConfigurationCode::Flown);
    array.SetPinStyle(PinStyleCode::Fixed);
    for (int i = 0; i < cells; ++i)
        array.Cells().Add();
    array.Bumper().SetLocation(Point2D(0, 45));
    const Point2D f1(15, 0), b1(110, 8), f2(115, 18), b2(170, 40), f3(60, 25), b3(95, 32);
    venue.SeatingAreas().Add(-1, &f1, &b1);
    venue.SeatingAreas().Add(-1, &f2, &b2);
    venue.SeatingAreas().Add(-1, &f3, &b3);
    venue.SetEarHeight(4.25f);
    venue.SetAutoCalcBaselines(5, 5);
}

} // namespace polvane::bench
