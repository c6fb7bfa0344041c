#pragma once

namespace polvane {

// Air temperature, held in degrees Celsius.
class Temperature {
public:
    float Celsius() const { return celsius_; }
    void SetCelsius(float c) { celsius_ = c; }

    float Fahrenheit() const { return celsius_ * 1.8f + 32.0f; }
    void SetFahrenheit(float f) { celsius_ = (f - 32.0f) / 1.8f; }

private:
    float celsius_ = 22.0f;
};

} // namespace polvane
