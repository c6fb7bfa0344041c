#include "engine/PredictionInputs.h"

#include <algorithm>
#include <cmath>

#include "engine/Environment.h"

namespace polvane {

namespace {

bool Near(float x) { return x >= -PredictionInputs::kReach && x <= PredictionInputs::kReach; }

float Held(float x)
{
    return std::isnan(x) ? 0.0f : std::clamp(x, -PredictionInputs::kReach, PredictionInputs::kReach);
}

bool OnHole(int hole, int holes) { return holes == 0 || (hole >= 1 && hole <= holes); }

int HeldHole(int hole, int holes) { return holes == 0 ? hole : std::clamp(hole, 1, holes); }

} // namespace

bool PredictionInputs::WithinReach(const Environment& venue)
{
    if (!Near(venue.EarHeight()))
        return false;
    const Bumper& bumper = venue.LineArray().Bumper();
    if (!Near(bumper.Location().x) || !Near(bumper.Location().y) ||
        !OnHole(bumper.FrontHangPoint(), bumper.HoleCount()) ||
        !OnHole(bumper.BackHangPoint(), bumper.HoleCount()))
        return false;
    const Planes& areas = venue.SeatingAreas();
    for (int i = 1; i <= areas.Count(); ++i) {
        const Plane& area = areas.Item(i);
        if (!Near(area.FrontPoint().x) || !Near(area.FrontPoint().y) ||
            !Near(area.BackPoint().x) || !Near(area.BackPoint().y))
            return false;
    }
    const ListeningPoints& points = venue.ListeningPoints();
    for (int i = 1; i <= points.Count(); ++i)
        if (!Near(points.Item(i).HorizontalPosition()))
            return false;
    return true;
}

void PredictionInputs::HoldWithinReach(Environment& venue)
{
    venue.SetEarHeight(Held(venue.EarHeight()));
    Bumper& bumper = venue.LineArray().Bumper();
    bumper.SetLocation(Point2D(Held(bumper.Location().x), Held(bumper.Location().y)));
    bumper.SetFrontHangPoint(HeldHole(bumper.FrontHangPoint(), bumper.HoleCount()));
    bumper.SetBackHangPoint(HeldHole(bumper.BackHangPoint(), bumper.HoleCount()));
    Planes& areas = venue.SeatingAreas();
    for (int i = 1; i <= areas.Count(); ++i) {
        Plane& area = areas.Item(i);
        area.SetFrontPoint(Point2D(Held(area.FrontPoint().x), Held(area.FrontPoint().y)));
        area.SetBackPoint(Point2D(Held(area.BackPoint().x), Held(area.BackPoint().y)));
    }
    ListeningPoints& points = venue.ListeningPoints();
    for (int i = 1; i <= points.Count(); ++i)
        points.Item(i).SetHorizontalPosition(Held(points.Item(i).HorizontalPosition()));
}

} // namespace polvane
