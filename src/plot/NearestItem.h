#pragma once

namespace polvane {

// Picks what the mouse points at among the pixel positions kept from the last drawing:
// the nearest item within reach, where a later item must be strictly nearer than the best
// so far, so on a tie the earlier item stays.
class NearestItem {
public:
    // Most items are found within 15 pixels; the venue's level readout within 25.
    static constexpr float kReach = 15.0f;
    static constexpr float kLevelReach = 25.0f;

    // Whether an item exactly at the reach still counts.
    enum class Edge { Included, Excluded };

    explicit NearestItem(float reach = kReach, Edge edge = Edge::Included);

    // Offers item `index` at `distance` pixels from the mouse.
    void Offer(int index, float distance);

    bool Found() const { return found_; }
    // The winning item's index; `none` when nothing was within reach.
    int Index(int none = 0) const { return found_ ? index_ : none; }
    float Distance() const { return best_; }

private:
    float best_;
    bool edgeIncluded_;
    bool found_ = false;
    int index_ = 0;
};

} // namespace polvane
