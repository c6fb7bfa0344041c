#include "VenueRoundTrip.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <memory>
#include <stdexcept>
#include <string>

#include "FuzzCheck.h"
#include "engine/CalculationResults.h"
#include "engine/Environment.h"
#include "files/VenueFile.h"
#include "model/Units.h"

namespace polvane {

namespace {

// The bumper queries the rigging windows and the printed sheet make: each hole, the cable
// distances, with two points the front one before the back.
void CheckRigging(const Environment& venue, const char* which)
{
    const Bumper& bumper = venue.LineArray().Bumper();
    try {
        for (int hole = 1; hole <= bumper.HoleCount(); ++hole)
            bumper.HoleLocation(hole);
        bumper.HoleLocation(bumper.FrontHangPoint());
        if (bumper.Rigging() == RiggingCode::DualPoint) {
            bumper.XDistanceBetweenCables();
            bumper.YDistanceBetweenCables();
        }
    } catch (const std::exception& e) {
        FuzzCheck::Fail(std::string(which) + ": a rigging query failed: " + e.what());
    }
    if (bumper.Rigging() == RiggingCode::DualPoint)
        FuzzCheck::Require(bumper.FrontHangPoint() < bumper.BackHangPoint(),
                           std::string(which) + ": the front hang point is not before the back one");
}

CalculationResults Predict(Environment& venue, const char* which)
{
    try {
        return venue.GenerateCalculations(false);
    } catch (const std::exception& e) {
        FuzzCheck::Fail(std::string(which) + ": the prediction failed: " + e.what());
    }
}

// Within `tolerance` of each other, relative to the larger (and at least to one pound or
// kilogram); two NaNs are the same.
bool Same(float a, float b, float tolerance)
{
    if (std::isnan(a) || std::isnan(b))
        return std::isnan(a) && std::isnan(b);
    return a == b || std::fabs(a - b) <= tolerance * std::max({std::fabs(a), std::fabs(b), 1.0f});
}

// The figures the rigging windows and the sheet show. A venue saved and opened again may
// differ in the last bit of its bumper angle (stored in degrees), so it is held to a
// tolerance; a copy is held exactly.
void RequireSameRigging(const CalculationResults& a, const CalculationResults& b, float tolerance,
                        const char* which)
{
    FuzzCheck::Require(Same(a.FrontLoad, b.FrontLoad, tolerance) &&
                           Same(a.BackLoad, b.BackLoad, tolerance) &&
                           Same(a.TotalWeight, b.TotalWeight, tolerance),
                       std::string(which) + " gives other loads than the loaded venue");
}

// English to metric and back (or the other way) keeps every hang point and splay.
void CheckUnitsRoundTrip(const Environment& loaded)
{
    std::unique_ptr<Environment> venue = loaded.CloneOf();
    const UnitsCode own = venue->Units();
    venue->SetUnits(own == UnitsCode::Metric ? UnitsCode::English : UnitsCode::Metric);
    CheckRigging(*venue, "a venue in the other units");
    venue->SetUnits(own);
    const Bumper& before = loaded.LineArray().Bumper();
    const Bumper& after = venue->LineArray().Bumper();
    FuzzCheck::Require(before.FrontHangPoint() == after.FrontHangPoint() &&
                           before.BackHangPoint() == after.BackHangPoint(),
                       "a change of units and back moves a hang point");
    const Cells& cellsBefore = loaded.LineArray().Cells();
    const Cells& cellsAfter = venue->LineArray().Cells();
    FuzzCheck::Require(cellsBefore.Count() == cellsAfter.Count(), "a change of units loses a cell");
    for (int i = 1; i <= cellsBefore.Count(); ++i)
        FuzzCheck::Require(cellsBefore.Item(i).SplayAngle().Radians() ==
                               cellsAfter.Item(i).SplayAngle().Radians(),
                           "a change of units and back moves a splay");
}

} // namespace

void VenueRoundTrip::Check(Environment& loaded)
{
    std::string saved;
    try {
        saved = VenueFile::SaveToString(loaded);
    } catch (const std::length_error&) {
        return; // a note too long for one line of a file: refused with a message
    } catch (const std::exception& e) {
        FuzzCheck::Fail(std::string("a loaded venue cannot be saved: ") + e.what());
    }
    CheckRigging(loaded, "the loaded venue");

    // Snapshots, the printed sheet and Auto-Configure work on copies: each must be the venue.
    std::unique_ptr<Environment> copy = loaded.CloneOf();
    CheckRigging(*copy, "a copy");
    FuzzCheck::Require(VenueFile::SaveToString(*copy) == saved, "a copy saves as a different venue");
    CheckUnitsRoundTrip(loaded);

    const CalculationResults results = Predict(loaded, "the loaded venue");
    RequireSameRigging(results, Predict(*copy, "a copy"), 0.0f, "a copy");

    Environment again;
    try {
        VenueFile::LoadFrom(again, saved, "saved");
    } catch (const std::exception& e) {
        FuzzCheck::Fail(std::string("a saved venue does not load: ") + e.what());
    }
    FuzzCheck::Require(VenueFile::SaveToString(again) == saved,
                       "a saved venue loads as a different venue");
    RequireSameRigging(results, Predict(again, "the venue saved and opened again"), 1e-3f,
                       "the venue saved and opened again");
}

} // namespace polvane
