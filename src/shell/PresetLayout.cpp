#include "shell/PresetLayout.h"

#include <algorithm>
#include <stdexcept>

namespace polvane {

namespace {

using Node = PresetLayout::Node;
using Rect = PresetLayout::Rect;

struct Need {
    int width = 0;
    int height = 0;
    bool stretches = false;
};

class Placer {
public:
    explicit Placer(const std::function<PresetLayout::Size(ToolWindowId)>& sizeOf) : sizeOf_(sizeOf) {}

    Need NeedOf(const Node& node)
    {
        if (node.kind == Node::Kind::Window) {
            const PresetLayout::Size size = sizeOf_(node.id);
            return {std::max(0, size.width), std::max(0, size.height), size.sizable};
        }
        if (node.kind == Node::Kind::Either)
            throw std::logic_error("Alternatives only at the top of an arrangement");
        Need need;
        const bool across = node.kind == Node::Kind::Across;
        for (const Node& part : node.parts) {
            const Need inner = NeedOf(part);
            need.width = across ? need.width + inner.width : std::max(need.width, inner.width);
            need.height = across ? std::max(need.height, inner.height) : need.height + inner.height;
            need.stretches = need.stretches || inner.stretches;
        }
        return need;
    }

    void Place(const Node& node, Rect rect)
    {
        if (node.kind == Node::Kind::Window) {
            const PresetLayout::Size size = sizeOf_(node.id);
            if (!size.sizable)
                rect.width = size.width, rect.height = size.height;
            places_[node.id] = rect;
            return;
        }
        const bool across = node.kind == Node::Kind::Across;
        std::vector<Need> needs;
        long long stretchTotal = 0;
        int needTotal = 0;
        for (const Node& part : node.parts) {
            needs.push_back(NeedOf(part));
            const int length = across ? needs.back().width : needs.back().height;
            needTotal += length;
            if (needs.back().stretches)
                stretchTotal += std::max(1, length);
        }
        const int spare = std::max(0, (across ? rect.width : rect.height) - needTotal);
        int given = 0;
        long long stretchSoFar = 0;
        int at = across ? rect.left : rect.top;
        for (std::size_t index = 0; index < node.parts.size(); ++index) {
            int length = across ? needs[index].width : needs[index].height;
            if (needs[index].stretches && stretchTotal > 0) {
                // Shares by running totals, so the rounding leaves no pixel over or short.
                stretchSoFar += std::max(1, length);
                const int share = static_cast<int>(spare * stretchSoFar / stretchTotal) - given;
                given += share;
                length += share;
            }
            Rect part = rect;
            if (across)
                part.left = at, part.width = length;
            else
                part.top = at, part.height = length;
            Place(node.parts[index], part);
            at += length;
        }
    }

    std::map<ToolWindowId, Rect> places_;

private:
    const std::function<PresetLayout::Size(ToolWindowId)>& sizeOf_;
};

} // namespace

Node PresetLayout::Window(ToolWindowId id) { return {Node::Kind::Window, id, {}}; }
Node PresetLayout::Across(std::vector<Node> parts) { return {Node::Kind::Across, ToolWindowId::Venue, std::move(parts)}; }
Node PresetLayout::Down(std::vector<Node> parts) { return {Node::Kind::Down, ToolWindowId::Venue, std::move(parts)}; }
Node PresetLayout::Either(std::vector<Node> alternatives)
{
    return {Node::Kind::Either, ToolWindowId::Venue, std::move(alternatives)};
}

const Node& PresetLayout::Of(PresetColumn column)
{
    using Id = ToolWindowId;
    const auto w = [](Id id) { return Window(id); };
    const Node configurations = Across({w(Id::ArrayConfiguration), w(Id::BumperConfiguration)});
    // The columns and rows each window took in the arrangements' original places. At
    // 1024 x 768 the windows beside the seating areas and in the cell list's column would
    // run past the screen, so the seating areas have their row to themselves and the others
    // move below them or, as the cell list grows, out of its column.
    static const std::map<PresetColumn, Node> layouts{
        {PresetColumn::k800x600,
         Across({Down({Across({w(Id::SeatingAreas), w(Id::Notes), w(Id::ArrayPicture)}), w(Id::Venue)}),
                 Down({w(Id::ArrayConfiguration), w(Id::BumperConfiguration), w(Id::CellConfigurations)})})},
        {PresetColumn::k1024x768Engineering,
         Either({Across({Down({w(Id::SeatingAreas), configurations,
                               Across({w(Id::Notes), w(Id::ArrayPicture)}), w(Id::Venue)}),
                         Down({w(Id::Calculations), w(Id::FROptions), w(Id::RiggingDetails),
                               w(Id::CellConfigurations)})}),
                 Across({Down({w(Id::SeatingAreas), configurations,
                               Across({w(Id::Notes), w(Id::ArrayPicture), w(Id::RiggingDetails)}), w(Id::Venue)}),
                         Down({w(Id::Calculations), w(Id::FROptions), w(Id::CellConfigurations)})}),
                 Across({Down({w(Id::SeatingAreas), configurations,
                               Across({w(Id::Notes), w(Id::ArrayPicture), w(Id::RiggingDetails)}),
                               Across({w(Id::FROptions), w(Id::Venue)})}),
                         Down({w(Id::Calculations), w(Id::CellConfigurations)})})})},
        {PresetColumn::k1024x768Standard,
         Either({Across({Down({w(Id::SeatingAreas), configurations,
                               Across({w(Id::RiggingDetails), w(Id::Notes)}), w(Id::Venue)}),
                         Down({w(Id::ArrayPicture), w(Id::Calculations), w(Id::CellConfigurations)})}),
                 Across({Down({w(Id::SeatingAreas), configurations,
                               Across({w(Id::RiggingDetails), w(Id::Notes), w(Id::ArrayPicture)}), w(Id::Venue)}),
                         Down({w(Id::Calculations), w(Id::CellConfigurations)})})})},
        {PresetColumn::k1280x1024Engineering,
         Across({Down({Across({Down({w(Id::SeatingAreas), w(Id::ListeningPoints)}),
                               Down({w(Id::ArrayConfiguration), w(Id::BumperConfiguration),
                                     w(Id::FROptions), w(Id::RiggingDetails), w(Id::Notes)})}),
                       w(Id::Venue)}),
                 Down({w(Id::ArrayPicture), w(Id::Calculations), w(Id::CellConfigurations)})})},
        {PresetColumn::k1280x1024Standard,
         Across({Down({Across({Down({Across({w(Id::SeatingAreas), w(Id::Notes)}),
                                     Across({w(Id::ArrayConfiguration), w(Id::BumperConfiguration)})}),
                               w(Id::RiggingDetails)}),
                       w(Id::Venue)}),
                 Down({w(Id::ArrayPicture), w(Id::Calculations), w(Id::CellConfigurations)})})},
    };
    const auto found = layouts.find(column);
    if (found == layouts.end())
        throw std::out_of_range("Unknown preset arrangement");
    return found->second;
}

std::map<ToolWindowId, Rect> PresetLayout::Place(const Node& root,
                                                 const std::function<Size(ToolWindowId)>& sizeOf,
                                                 int areaWidth, int areaHeight)
{
    Placer placer(sizeOf);
    const Node* chosen = &root;
    if (root.kind == Node::Kind::Either) {
        if (root.parts.empty())
            throw std::invalid_argument("An arrangement without alternatives");
        long long leastOverrun = -1;
        for (const Node& alternative : root.parts) {
            const Need need = placer.NeedOf(alternative);
            const long long overrun = static_cast<long long>(std::max(0, need.width - areaWidth)) +
                                      std::max(0, need.height - areaHeight);
            if (leastOverrun < 0 || overrun < leastOverrun)
                chosen = &alternative, leastOverrun = overrun;
            if (overrun == 0)
                break;
        }
    }
    const Need need = placer.NeedOf(*chosen);
    placer.Place(*chosen, {0, 0, std::max(areaWidth, need.width), std::max(areaHeight, need.height)});
    return placer.places_;
}

} // namespace polvane
