#pragma once

#include <string>
#include <type_traits>
#include <vector>

#include "model/Point2D.h"

namespace polvane {

// The bytes of the values a picture is drawn from. Two equal fingerprints (with the same
// scale and drawing objects) draw the same picture, so the second need not be drawn.
class PictureFingerprint {
public:
    template <typename T>
    PictureFingerprint& Add(const T& value)
    {
        static_assert(std::is_trivially_copyable_v<T>);
        bytes_.append(reinterpret_cast<const char*>(&value), sizeof value);
        return *this;
    }
    PictureFingerprint& Add(const std::string& text);
    PictureFingerprint& Add(const Point2D& point);
    PictureFingerprint& Add(const std::vector<float>& values);

    // The fingerprint, never empty.
    std::string Take();

private:
    std::string bytes_;
};

} // namespace polvane
