#include "windows/tools/VenueHotSpots.h"

#include <algorithm>
#include <cmath>

#include "model/Format.h"
#include "plot/NearestItem.h"
#include "plot/PlotCanvas.h"

namespace polvane {
namespace {

// Far beyond any picture, yet small enough that the picking's sums stay in range.
constexpr double kFarPixel = 1.0e7;

// The nearest whole pixel, held within the far limit; no number counts as far off.
int Held(double value)
{
    if (std::isnan(value))
        return static_cast<int>(kFarPixel);
    const double whole = Format::RoundHalfEven(std::clamp(value, -kFarPixel, kFarPixel));
    return static_cast<int>(whole);
}

float Distance(int x, int y, VenueHotSpots::Pixel p)
{
    return PlotCanvas::DistanceBetweenCoords(x, y, p.x, p.y);
}

} // namespace

int VenueHotSpots::RoundPixel(float value) { return Held(static_cast<double>(value)); }

void VenueHotSpots::Clear()
{
    valid_ = false;
    array_ = {};
    areas_.clear();
    responses_.clear();
    listeners_.clear();
}

HotSpot VenueHotSpots::Identify(int x, int y, bool engineering) const
{
    HotSpot hot;
    if (!valid_)
        return hot;

    // Candidates in the order they are offered; the winner's number picks one.
    std::vector<HotSpot> offered;
    NearestItem nearest(NearestItem::kReach, NearestItem::Edge::Excluded);
    auto offer = [&](int type, int index, Pixel at) {
        HotSpot candidate;
        candidate.type = type;
        candidate.index = index;
        candidate.x = at.x;
        candidate.y = at.y;
        offered.push_back(candidate);
        nearest.Offer(static_cast<int>(offered.size()) - 1, Distance(x, y, at));
    };
    offer(HotSpot::ArrayLocation, 0, array_);
    for (std::size_t i = 0; i < areas_.size(); ++i) {
        offer(HotSpot::AreaFront, static_cast<int>(i) + 1, areas_[i].front);
        offer(HotSpot::AreaBack, static_cast<int>(i) + 1, areas_[i].back);
    }
    if (engineering) {
        for (std::size_t i = 0; i < listeners_.size(); ++i)
            offer(HotSpot::ListeningPoint, static_cast<int>(i) + 1, listeners_[i]);
    }
    if (nearest.Found())
        return offered[static_cast<std::size_t>(nearest.Index())];

    NearestItem segment(NearestItem::kReach, NearestItem::Edge::Excluded);
    for (std::size_t i = 0; i < areas_.size(); ++i) {
        Pixel foot;
        if (FootOnArea(areas_[i], x, y, foot))
            segment.Offer(static_cast<int>(i), Distance(x, y, foot));
    }
    if (!segment.Found())
        return hot;
    const Area& area = areas_[static_cast<std::size_t>(segment.Index())];
    hot.type = HotSpot::WholeArea;
    hot.index = segment.Index() + 1;
    hot.x = area.front.x;
    hot.y = area.front.y;
    hot.x2 = area.back.x;
    hot.y2 = area.back.y;
    hot.halfDx = Format::WholeHalfEven((static_cast<double>(area.back.x) - area.front.x) / 2.0);
    hot.halfDy = Format::WholeHalfEven((static_cast<double>(area.back.y) - area.front.y) / 2.0);
    return hot;
}

bool VenueHotSpots::FootOnArea(const Area& area, int x, int y, Pixel& foot)
{
    // Wide enough that the products of far-off pixels neither overflow nor lose the pixel.
    using Wide = long double;
    const Wide dx = static_cast<Wide>(area.back.x) - area.front.x;
    const Wide dy = static_cast<Wide>(area.back.y) - area.front.y;
    if (dx != 0) {
        const Wide numerator = ((y - static_cast<Wide>(area.front.y)) * dy + dx * x) * dx + dy * dy * area.front.x;
        foot.x = Held(static_cast<double>(numerator / (dx * dx + dy * dy)));
        foot.y = Held(static_cast<double>(dy / dx * (static_cast<Wide>(foot.x) - area.front.x) + area.front.y));
    } else if (dy != 0) {
        // An upright area: the foot lies straight across from the mouse.
        foot.x = area.front.x;
        foot.y = y;
    } else {
        return false;
    }
    return PlotCanvas::IsBetween(foot.x, area.front.x, area.back.x) &&
           PlotCanvas::IsBetween(foot.y, area.front.y, area.back.y);
}

int VenueHotSpots::ClosestResponse(int x, int y) const
{
    NearestItem nearest(NearestItem::kLevelReach, NearestItem::Edge::Excluded);
    for (std::size_t i = 0; i < responses_.size(); ++i)
        nearest.Offer(static_cast<int>(i), Distance(x, y, responses_[i].at));
    return nearest.Index(-1);
}

} // namespace polvane
