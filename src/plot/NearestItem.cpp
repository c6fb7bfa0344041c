#include "plot/NearestItem.h"

namespace polvane {

NearestItem::NearestItem(float reach, Edge edge)
    : best_(reach), edgeIncluded_(edge == Edge::Included)
{
}

void NearestItem::Offer(int index, float distance)
{
    // Until something is found, the reach itself is the distance to beat.
    const bool wins = found_ || !edgeIncluded_ ? distance < best_ : distance <= best_;
    if (!wins)
        return;
    best_ = distance;
    index_ = index;
    found_ = true;
}

} // namespace polvane
