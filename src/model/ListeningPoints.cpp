#include "model/ListeningPoints.h"

#include <stdexcept>

namespace polvane {


std::unique_ptr<ListeningPoints> ListeningPoints::CloneOf() const
{
    auto copy = std::make_unique<ListeningPoints>();
    copy->points_ = points_.CloneAll();
    copy->referencePointIndex_ = referencePointIndex_;
    return copy;
}

ListeningPoint& ListeningPoints::Add(const std::string& name)
{
    auto point = std::make_unique<ListeningPoint>();
    point->SetName(name);
    const int index = points_.Insert(-1, std::move(point));
    // The prediction and the windows need a reference whenever there are points: a list
    // without one takes the point just added.
    if (referencePointIndex_ < 1 || referencePointIndex_ >= index)
        referencePointIndex_ = index;
    return points_.Item(index);
}

void ListeningPoints::Remove(int i)
{
    points_.Remove(i);
    if (i < referencePointIndex_)
        --referencePointIndex_;
    if (referencePointIndex_ > Count())
        referencePointIndex_ = Count();
}

} // namespace polvane
