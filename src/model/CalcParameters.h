#pragma once

namespace polvane {

// The vertical angle sweep of the polar response, in degrees. Stored as given; the
// prediction interprets the numbers.
class CalcParameters {
public:
    float LowerAngle() const { return lower_; }
    void SetLowerAngle(float degrees) { lower_ = degrees; }
    float UpperAngle() const { return upper_; }
    void SetUpperAngle(float degrees) { upper_ = degrees; }
    float AngleStep() const { return step_; }
    void SetAngleStep(float degrees) { step_ = degrees; }

private:
    float lower_ = 0.0f;
    float upper_ = 0.0f;
    float step_ = 0.0f;
};

} // namespace polvane
