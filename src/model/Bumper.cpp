#include "model/Bumper.h"

#include <cmath>
#include <stdexcept>
#include <string>

#include "model/ProductTables.h"
#include "model/Units.h"

namespace polvane {

std::unique_ptr<Bumper> Bumper::CloneOf() const
{
    auto copy = std::make_unique<Bumper>();
    copy->SetBumperType(bumperType_);
    copy->SetConfiguration(configuration_);
    copy->SetUnits(units_);
    copy->SetAngle(angle_);
    copy->SetFrontHangPoint(frontHangPoint_);
    copy->SetBackHangPoint(backHangPoint_);
    // After the units: the fresh copy's unit change must not convert this location.
    copy->SetLocation(location_);
    copy->SetRigging(rigging_);
    return copy;
}

void Bumper::SetRigging(RiggingCode r)
{
    rigging_ = r;
    // A flown bumper starts level and the prediction hangs it from there. A stacked one is
    // never levelled, so its angle is the one it stands at: a copy or a file read that
    // writes the rigging last must not lose it.
    if (r == RiggingCode::SinglePoint && configuration_ == ConfigurationCode::Flown)
        angle_.SetDegrees(0);
}

void Bumper::SetAngle(const polvane::Angle& a)
{
    if (rigging_ == RiggingCode::SinglePoint)
        return;
    angle_.SetRadians(a.Radians());
}

void Bumper::ForceAngle(const polvane::Angle& a) { angle_.SetRadians(a.Radians()); }

void Bumper::SetUnits(UnitsCode u)
{
    if (u != units_)
        location_.ConvertUnits(u);
    units_ = u;
    CacheGeometry();
}

void Bumper::SetBumperType(int t)
{
    if (t == bumperType_ && frontHangPoint_ != 0 && backHangPoint_ != 0)
        return;
    bumperType_ = t;
    CacheGeometry();
    frontHangPoint_ = 1;
    backHangPoint_ = HoleCount();
}

void Bumper::CacheGeometry()
{
    if (const BumperTypeInfo* info = ProductTables::BumperType(bumperType_)) {
        firstGroupCount_ = info->firstGroupHoles;
        secondGroupCount_ = info->secondGroupHoles;
        // English lengths are feet (the table's inches over 12); weights are taken as listed.
        const bool metric = units_ == UnitsCode::Metric;
        const BumperDimensions& d = metric ? info->metric : info->inches;
        const float scale = metric ? 1.0f : 12.0f;
        backPinOffset_ = d.backPinOffset / scale;
        depth_ = d.depth / scale;
        frontPinOffset_ = d.frontPinOffset / scale;
        centerOfGravityOffset_ = d.centerOfGravityOffset / scale;
        height_ = d.height / scale;
        holeRadius_ = d.holeRadius / scale;
        holeSideOffset_ = d.holeSideOffset / scale;
        holePitch_ = d.holePitch / scale;
        firstHoleOffset_ = d.firstHoleOffset / scale;
        lastHoleOffset_ = d.lastHoleOffset / scale;
        weight_ = d.weight;
        width_ = d.width / scale;
    }
    // Hang points written for a longer bar must still name holes of this one. A point on a
    // hole is never moved, whatever the other point: a unit change or a copy keeps the points
    // the user chose (a single-point bumper's unused back point may lie before its front).
    const int holes = HoleCount();
    if (holes > 0) {
        if (backHangPoint_ > holes)
            backHangPoint_ = holes;
        if (frontHangPoint_ > holes)
            frontHangPoint_ = backHangPoint_ > 1 ? backHangPoint_ - 1 : holes;
    }
}

Point2D Bumper::Offset(float along, float across, bool towardsRight) const
{
    const Point2D onAxis = location_.OffsetFromAH(angle_, along);
    return onAxis.OffsetFromAH(towardsRight ? angle_.RightAngleOf() : angle_.LeftAngleOf(), across);
}

Point2D Bumper::HoleLocation(int i) const
{
    const int count = HoleCount();
    if (i < 1 || i > count)
        throw std::out_of_range("bumper hole " + std::to_string(i) + " is outside holes 1.." +
                                std::to_string(count));
    // Distance from the front end: the first group counts from the front, the second
    // back from the last hole.
    const float s = i <= firstGroupCount_
                        ? firstHoleOffset_ + static_cast<float>(i - 1) * holePitch_
                        : lastHoleOffset_ - static_cast<float>(count - i) * holePitch_;
    const float halfHeight = height_ / 2.0f;
    const float across =
        configuration_ == ConfigurationCode::Flown ? halfHeight - holeSideOffset_ : holeSideOffset_ - halfHeight;
    return Offset(width_ / 2.0f - s, across, false);
}

Point2D Bumper::FrontPin() const
{
    // The cells hang below a flown bar and stand on top of a stacked one.
    return Offset(width_ / 2.0f - frontPinOffset_, height_ / 2.0f, configuration_ == ConfigurationCode::Flown);
}

Point2D Bumper::BackPin() const
{
    return Offset(width_ / 2.0f - backPinOffset_, height_ / 2.0f, configuration_ == ConfigurationCode::Flown);
}

Point2D Bumper::CenterOfGravity() const
{
    return location_.OffsetFromAH(angle_, width_ / 2.0f - centerOfGravityOffset_);
}

Point2D Bumper::TopFront() const { return Offset(width_ / 2.0f, height_ / 2.0f, false); }
Point2D Bumper::BottomFront() const { return Offset(width_ / 2.0f, height_ / 2.0f, true); }
Point2D Bumper::TopBack() const { return Offset(-width_ / 2.0f, height_ / 2.0f, false); }
Point2D Bumper::BottomBack() const { return Offset(-width_ / 2.0f, height_ / 2.0f, true); }

float Bumper::XDistanceBetweenCables() const
{
    return std::fabs(HoleLocation(backHangPoint_).x - HoleLocation(frontHangPoint_).x);
}

float Bumper::YDistanceBetweenCables() const
{
    return std::fabs(HoleLocation(backHangPoint_).y - HoleLocation(frontHangPoint_).y);
}

} // namespace polvane
