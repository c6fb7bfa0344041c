#include "engine/ArrayGeometry.h"

#include <cmath>

#include "engine/Environment.h"
#include "engine/PredictionMath.h"
#include "model/Angle.h"
#include "model/Bumper.h"
#include "model/Cells.h"
#include "model/Plane.h"
#include "model/Planes.h"

namespace polvane {

namespace {

constexpr float kNoNearThrow = 1e38f;

struct Box {
    float minX = 0.0f;
    float maxY = 0.0f;
    float maxX = 0.0f;
    float minY = 0.0f;

    static Box At(const Point2D& p) { return {p.x, p.y, p.x, p.y}; }
    void Grow(const Point2D& p)
    {
        minX = PredictionMath::MinSingle(minX, p.x);
        maxY = PredictionMath::MaxSingle(maxY, p.y);
        maxX = PredictionMath::MaxSingle(maxX, p.x);
        minY = PredictionMath::MinSingle(minY, p.y);
    }
    void Grow(const Box& b)
    {
        minX = PredictionMath::MinSingle(minX, b.minX);
        maxY = PredictionMath::MaxSingle(maxY, b.maxY);
        maxX = PredictionMath::MaxSingle(maxX, b.maxX);
        minY = PredictionMath::MinSingle(minY, b.minY);
    }
};

} // namespace

bool ArrayGeometry::Run(bool quick)
{
    Environment& env = venue_;
    const Planes& areas = env.SeatingAreas();
    const int areaCount = areas.Count();

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
        if (bumper.Rigging() == RiggingCode::SinglePoint) {
            if (holes == 0) {
                r_.HangLinePoint = r_.CenterOfGravity;
                r_.Balanced = false;
                break;
            }
            r_.HangLinePoint = bumper.HoleLocation(bumper.FrontHangPoint());
            r_.Balanced = true;
            // Only a hung array swings until its centre of gravity is below the hole. A
            // stacked one stands on its bumper, centre of gravity above: levelling it would
            // turn it further at every prediction, so it keeps the angle it has.
            if (levelled || !flown_)
                break;
            levelled = true;
            const float d = PredictionMath::DirectionDegrees(r_.HangLinePoint, r_.CenterOfGravity);
            bumper.ForceAngle(
                Angle::FromDegrees(std::fabs(d) + bumper.Angle().Degrees() - 90.0));
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
        const float dF = PredictionMath::Distance(r_.HangLinePoint, front);
        const float dB = PredictionMath::Distance(r_.HangLinePoint, back);
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
                farThrow =
                    PredictionMath::MaxSingle(farThrow, PredictionMath::Distance(top.Center, *p));
                nearThrow = PredictionMath::MinSingle(
                    nearThrow, PredictionMath::Distance(bottom.Center, *p));
                upper = PredictionMath::MaxSingle(
                    upper, PredictionMath::DirectionDegrees(top.Center, *p));
                lower = PredictionMath::MinSingle(
                    lower, PredictionMath::DirectionDegrees(bottom.Center, *p));
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

void ArrayGeometry::RunCells(const Bumper& bumper, float& weight, float& sx, float& sy)
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
        const double aheadLo = Angle::FromRadians(aim - PredictionMath::kAimOffset).Radians();
        const double aheadHi = Angle::FromRadians(aim + PredictionMath::kAimOffset).Radians();
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
            const float d = PredictionMath::Distance(cr.Center, hit);
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

} // namespace polvane
