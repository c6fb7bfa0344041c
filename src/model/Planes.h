#pragma once

#include <memory>
#include <vector>

#include "model/OwnedList.h"
#include "model/Plane.h"
#include "model/Point2D.h"

namespace polvane {

class ListeningPoints;

// The venue's seating areas, 1-based. When linked to the venue's listening points, it
// renumbers their areas as areas move, so every point stays on the same physical area.
class Planes {
public:
    Planes() = default;
    Planes(const Planes&) = delete;
    Planes& operator=(const Planes&) = delete;

    // A copy of every plane, in order. The copy is not linked: its owner links it to its
    // own listening points.
    std::unique_ptr<Planes> CloneOf() const;

    int Count() const { return planes_.Count(); }
    // The plane at i (1-based); throws std::out_of_range outside 1..Count.
    Plane& Item(int i) { return planes_.Item(i); }
    const Plane& Item(int i) const { return planes_.Item(i); }
    // Replaces the plane at i; the points on area i now lie on the new plane. Throws
    // std::out_of_range outside 1..Count and std::invalid_argument for an empty pointer.
    void SetItem(int i, std::unique_ptr<Plane> plane) { planes_.SetItem(i, std::move(plane)); }

    // Not owned; the linked list must outlive the link (pass nullptr to unlink).
    void SetListeningPointsLink(ListeningPoints* points) { link_ = points; }
    ListeningPoints* ListeningPointsLink() const { return link_; }

    // Inserts a new plane at `index` (below 1: appends) with copies of the given points
    // (none: the origin) and returns it. Throws std::out_of_range when index lies beyond
    // Count + 1. Linked points on the planes that move up follow them.
    Plane& Add(int index = -1, const Point2D* front = nullptr, const Point2D* back = nullptr);
    // Exchanges the planes at i and j, and the area numbers of the linked points on them.
    // Throws std::out_of_range when either lies outside 1..Count.
    void Swap(int i, int j);
    // Removes the plane at i; throws std::out_of_range outside 1..Count. Linked points on
    // it move to the area before it (area 1 when it was the first), points on later areas
    // follow their areas down, and every horizontal position stays as it was.
    void Remove(int i);

private:
    OwnedList<Plane> planes_{"seating area"};
    ListeningPoints* link_ = nullptr;
};

} // namespace polvane
