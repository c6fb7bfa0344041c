#include "model/ListeningPoint.h"

namespace polvane {

std::unique_ptr<ListeningPoint> ListeningPoint::CloneOf() const
{
    auto copy = std::make_unique<ListeningPoint>();
    copy->seatingAreaIndex_ = seatingAreaIndex_;
    copy->horizontalPosition_ = horizontalPosition_;
    copy->name_ = name_;
    return copy;
}

} // namespace polvane
