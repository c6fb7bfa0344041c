#pragma once

#include <string>
#include <type_traits>
#include <vector>

#include "model/Point2D.h"

namespace polvane {

// The bytes of the values a picture is drawn from. Two equal keys (with the same scale and
// drawing objects) draw the same picture, so the second need not be drawn.
class PictureKey {
public:
    template <typename T>
    PictureKey& Add(const T& value)
    {
        static_assert(std::is_trivially_copyable_v<T>);
        bytes_.append(reinterpret_cast<const char*>(&value), sizeof value);
        return *this;
    }
    PictureKey& Add(const std::string& text);
    PictureKey& Add(const Point2D& point);
    PictureKey& Add(const std::vector<float>& values);

    // The key, never empty.
    std::string Take();

private:
    std::string bytes_;
};

} // namespace polvane
