#pragma once

#include <memory>
#include <string>
#include <utility>

namespace polvane {

// A named position on a seating area: the area's 1-based number in the venue's list and
// the horizontal distance from the area's front point, in the venue's length unit.
class ListeningPoint {
public:
    ListeningPoint() = default;
    ListeningPoint(const ListeningPoint&) = delete;
    ListeningPoint& operator=(const ListeningPoint&) = delete;

    std::unique_ptr<ListeningPoint> CloneOf() const;

    int SeatingAreaIndex() const { return seatingAreaIndex_; }
    void SetSeatingAreaIndex(int index) { seatingAreaIndex_ = index; }
    float HorizontalPosition() const { return horizontalPosition_; }
    void SetHorizontalPosition(float position) { horizontalPosition_ = position; }
    // UTF-8.
    const std::string& Name() const { return name_; }
    void SetName(std::string name) { name_ = std::move(name); }

private:
    int seatingAreaIndex_ = 0;
    float horizontalPosition_ = 0.0f;
    std::string name_;
};

} // namespace polvane
