#pragma once

#include <memory>
#include <vector>

#include "model/OwnedList.h"
#include "model/VenuePicture.h"

namespace polvane {

// The venue's pictures, 1-based.
class VenuePictures {
public:
    VenuePictures() = default;
    VenuePictures(const VenuePictures&) = delete;
    VenuePictures& operator=(const VenuePictures&) = delete;

    // Inserts a new, empty picture at `index` (below 1: appends) and returns it. Throws
    // std::out_of_range when index lies beyond Count + 1.
    VenuePicture& Add(int index = -1);
    int Count() const { return pictures_.Count(); }
    // The picture at i (1-based); throws std::out_of_range outside 1..Count.
    VenuePicture& Item(int i) { return pictures_.Item(i); }
    const VenuePicture& Item(int i) const { return pictures_.Item(i); }
    // Removes the picture at i; throws std::out_of_range outside 1..Count.
    void Remove(int i) { pictures_.Remove(i); }

private:
    OwnedList<VenuePicture> pictures_{"picture"};
};

} // namespace polvane
