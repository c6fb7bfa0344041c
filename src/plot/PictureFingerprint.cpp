#include "plot/PictureFingerprint.h"

#include <utility>

namespace polvane {

PictureFingerprint& PictureFingerprint::Add(const std::string& text)
{
    // The length first, so that two texts cannot run together into the same bytes.
    Add(text.size());
    bytes_ += text;
    return *this;
}

PictureFingerprint& PictureFingerprint::Add(const Point2D& point) { return Add(point.x).Add(point.y); }

PictureFingerprint& PictureFingerprint::Add(const std::vector<float>& values)
{
    Add(values.size());
    if (!values.empty())
        bytes_.append(reinterpret_cast<const char*>(values.data()), values.size() * sizeof(float));
    return *this;
}

std::string PictureFingerprint::Take()
{
    // An empty key means "always draw".
    Add('.');
    return std::move(bytes_);
}

} // namespace polvane
