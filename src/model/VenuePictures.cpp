#include "model/VenuePictures.h"

namespace polvane {

VenuePicture& VenuePictures::Add(int index)
{
    auto picture = std::make_unique<VenuePicture>();
    VenuePicture& added = *picture;
    pictures_.Insert(index, std::move(picture));
    return added;
}

} // namespace polvane
