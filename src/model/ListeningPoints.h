#pragma once

#include <memory>
#include <string>
#include <vector>

#include "model/OwnedList.h"

#include "model/ListeningPoint.h"

namespace polvane {

// The venue's listening points, 1-based, with the number of the reference point against
// whose levels every other point is reported.
class ListeningPoints {
public:
    ListeningPoints() = default;
    ListeningPoints(const ListeningPoints&) = delete;
    ListeningPoints& operator=(const ListeningPoints&) = delete;

    // A copy of every point, in order, with the same reference point number.
    std::unique_ptr<ListeningPoints> CloneOf() const;

    // Appends a point with the given name, on area 0 at position 0 until the caller sets
    // them, and returns it. When the reference number names no point of the list before
    // the append, the new point becomes the reference.
    ListeningPoint& Add(const std::string& name = {});

    int Count() const { return points_.Count(); }
    // The point at i (1-based); throws std::out_of_range outside 1..Count.
    ListeningPoint& Item(int i) { return points_.Item(i); }
    const ListeningPoint& Item(int i) const { return points_.Item(i); }
    // Replaces the point at i; throws std::out_of_range outside 1..Count and
    // std::invalid_argument for an empty pointer.
    void SetItem(int i, std::unique_ptr<ListeningPoint> point)
    {
        points_.SetItem(i, std::move(point));
    }

    // Stored as given, not checked against the list.
    int ReferencePointIndex() const { return referencePointIndex_; }
    void SetReferencePointIndex(int index) { referencePointIndex_ = index; }

    // Removes the point at i (1-based); throws std::out_of_range outside 1..Count.
    // The reference number keeps naming the same point; when that point itself goes, it
    // names the point that takes its place, or the new last point, or 0 once the list is
    // empty.
    void Remove(int i);

private:
    OwnedList<ListeningPoint> points_{"listening point"};
    int referencePointIndex_ = 0;
};

} // namespace polvane
