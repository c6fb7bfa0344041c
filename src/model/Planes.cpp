#include "model/Planes.h"

#include <stdexcept>
#include <string>
#include <utility>

#include "model/ListeningPoints.h"

namespace polvane {


std::unique_ptr<Planes> Planes::CloneOf() const
{
    auto copy = std::make_unique<Planes>();
    copy->planes_ = planes_.CloneAll();
    return copy;
}

Plane& Planes::Add(int index, const Point2D* front, const Point2D* back)
{
    auto plane = std::make_unique<Plane>();
    if (front != nullptr)
        plane->SetFrontPoint(*front);
    if (back != nullptr)
        plane->SetBackPoint(*back);
    Plane& added = *plane;
    // No listening point is renumbered: every caller appends, which moves no area.
    planes_.Insert(index, std::move(plane));
    return added;
}

void Planes::Swap(int i, int j)
{
    planes_.Swap(i, j);
    if (link_ == nullptr)
        return;
    for (int p = 1; p <= link_->Count(); ++p) {
        ListeningPoint& point = link_->Item(p);
        if (point.SeatingAreaIndex() == i)
            point.SetSeatingAreaIndex(j);
        else if (point.SeatingAreaIndex() == j)
            point.SetSeatingAreaIndex(i);
    }
}

void Planes::Remove(int i)
{
    planes_.Remove(i);
    if (link_ == nullptr)
        return;
    for (int p = 1; p <= link_->Count(); ++p) {
        ListeningPoint& point = link_->Item(p);
        const int area = point.SeatingAreaIndex();
        if (area == i)
            point.SetSeatingAreaIndex(i == 1 ? 1 : i - 1);
        else if (area > i)
            point.SetSeatingAreaIndex(area - 1);
    }
}

} // namespace polvane
