#pragma once

#include <memory>

#include "model/Angle.h"
#include "model/ConfigurationCode.h"
#include "model/Point2D.h"
#include "model/RiggingCode.h"
#include "model/Units.h"

namespace polvane {

// The rigging frame at the top of a flown array (at the bottom of a ground-stacked one).
// Its type fixes its holes, dimensions and weight; it answers where its holes, pins,
// corners and centre of gravity lie for its location, tilt and configuration.
class Bumper {
public:
    Bumper() = default;
    Bumper(const Bumper&) = delete;
    Bumper& operator=(const Bumper&) = delete;

    // An equal bumper: type, dimensions, configuration, units, angle, hang points,
    // location and rigging (a flown single-point copy has angle 0; the prediction levels it).
    std::unique_ptr<Bumper> CloneOf() const;

    float Depth() const { return depth_; }

    RiggingCode Rigging() const { return rigging_; }
    // Stores r; single point also levels a flown bumper.
    void SetRigging(RiggingCode r);

    // Hole numbers (1-based), stored unchecked; geometry changes clamp them.
    int FrontHangPoint() const { return frontHangPoint_; }
    void SetFrontHangPoint(int hole) { frontHangPoint_ = hole; }
    int BackHangPoint() const { return backHangPoint_; }
    void SetBackHangPoint(int hole) { backHangPoint_ = hole; }

    // The tilt of the long axis; at 0 the front end points to +x.
    const polvane::Angle& Angle() const { return angle_; }
    // Copies a's value; ignored while single-point rigged.
    void SetAngle(const polvane::Angle& a);

    // The bumper's centre.
    const Point2D& Location() const { return location_; }
    void SetLocation(const Point2D& p) { location_ = p; }

    float Width() const { return width_; }
    float Height() const { return height_; }
    float Weight() const { return weight_; }
    int HoleCount() const { return firstGroupCount_ + secondGroupCount_; }
    // The centre of hole i; throws std::out_of_range outside 1..HoleCount.
    Point2D HoleLocation(int i) const;
    // The points at which the first cell is pinned.
    Point2D FrontPin() const;
    Point2D BackPin() const;
    Point2D CenterOfGravity() const;
    Point2D TopFront() const;
    Point2D BottomFront() const;
    Point2D TopBack() const;
    Point2D BottomBack() const;
    float HoleRadius() const { return holeRadius_; }
    float XDistanceBetweenCables() const;
    float YDistanceBetweenCables() const;

    // ---- For the other model classes ----
    int BumperType() const { return bumperType_; }
    UnitsCode Units() const { return units_; }
    // Converts the location when the units really change, then takes the dimensions in u.
    void SetUnits(UnitsCode u);
    // A new type (or unset hang points) takes the type's holes and hangs from the first
    // and the last hole.
    void SetBumperType(int t);
    ConfigurationCode Configuration() const { return configuration_; }
    void SetConfiguration(ConfigurationCode c) { configuration_ = c; }
    // Sets the tilt whatever the rigging (the prediction levels a single-point bumper).
    void ForceAngle(const polvane::Angle& a);

private:
    void CacheGeometry();
    // The point `along` the long axis from the centre, then `across` towards the axis's
    // left or right (each by its own direction, so the figures match the rigging sheets).
    Point2D Offset(float along, float across, bool towardsRight) const;

    polvane::Angle angle_;
    int bumperType_ = 0;
    int backHangPoint_ = 0;
    int secondGroupCount_ = 0;
    int frontHangPoint_ = 0;
    int firstGroupCount_ = 0;
    Point2D location_;
    float backPinOffset_ = 0.0f;
    float depth_ = 0.0f;
    float frontPinOffset_ = 0.0f;
    float centerOfGravityOffset_ = 0.0f;
    float height_ = 0.0f;
    float holeRadius_ = 0.0f;
    float holeSideOffset_ = 0.0f;
    float holePitch_ = 0.0f;
    float firstHoleOffset_ = 0.0f;
    float lastHoleOffset_ = 0.0f;
    float weight_ = 0.0f;
    float width_ = 0.0f;
    ConfigurationCode configuration_ = ConfigurationCode::Flown;
    RiggingCode rigging_ = RiggingCode::DualPoint;
    UnitsCode units_ = UnitsCode::English;
};

} // namespace polvane
