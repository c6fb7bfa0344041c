#pragma once

#include <vector>

namespace polvane {

// What the mouse can take hold of in the venue window.
struct HotSpot {
    enum Type : int {
        None = 0,
        ArrayLocation = 1,
        ListeningPoint = 2,
        AreaFront = 3,
        AreaBack = 4,
        WholeArea = 5,
    };
    int type = None;
    // The listening point or seating area number (1-based); 0 for the array location.
    int index = 0;
    // The item's pixel point; a whole area's front point.
    int x = 0;
    int y = 0;
    // A whole area's back point and half its pixel extent.
    int x2 = 0;
    int y2 = 0;
    int halfDx = 0;
    int halfDy = 0;
};

// The pixel positions of the venue's items at the last drawing, and the picking of what
// the mouse points at among them. Points are hot within 15 pixels, the level samples within
// 25; on equal distance the earlier item stays.
class VenueHotSpots {
public:
    struct Pixel {
        int x = 0;
        int y = 0;
    };
    struct Response {
        Pixel at;
        // The sample's own model point and level, for the readout.
        float modelX = 0.0f;
        float modelY = 0.0f;
        float level = 0.0f;
    };

    // A model-to-pixel result as a whole pixel (nearest, halves to even). Far-off or
    // non-numeric positions are held at a distance no mouse reaches, so the sums of the
    // picking cannot overflow.
    static int RoundPixel(float value);

    // Empties the cache for a new drawing; it stays invalid until Validate.
    void Clear();
    void SetArrayLocation(Pixel at) { array_ = at; }
    void AddArea(Pixel front, Pixel back) { areas_.push_back({front, back}); }
    void AddResponse(const Response& response) { responses_.push_back(response); }
    void AddListener(Pixel at) { listeners_.push_back(at); }
    void Validate() { valid_ = true; }
    bool IsValid() const { return valid_; }

    int AreaCount() const { return static_cast<int>(areas_.size()); }
    int ResponseCount() const { return static_cast<int>(responses_.size()); }
    const Response& ResponseAt(int index) const { return responses_.at(static_cast<std::size_t>(index)); }

    // The item under (x, y): the array location, then each area's front and back point,
    // then (in engineering mode) each listening point; only when none is within reach,
    // the nearest stretch of a seating area.
    HotSpot Identify(int x, int y, bool engineering) const;
    // The 0-based number of the nearest level sample within reach, or -1.
    int ClosestResponse(int x, int y) const;

private:
    struct Area {
        Pixel front;
        Pixel back;
    };
    // The foot of the perpendicular from (x, y) on the area's line, when it lies on the
    // area; false for an area of one pixel, which only its end points can stand for.
    static bool FootOnArea(const Area& area, int x, int y, Pixel& foot);

    bool valid_ = false;
    Pixel array_;
    std::vector<Area> areas_;
    std::vector<Response> responses_;
    std::vector<Pixel> listeners_;
};

} // namespace polvane
