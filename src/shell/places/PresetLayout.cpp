#include "shell/places/PresetLayout.h"

#include <algorithm>
#include <stdexcept>

namespace polvane {

namespace {

using Node = PresetLayout::Node;
using Rect = PresetLayout::Rect;

struct Need {
    int width = 0;
    int height = 0;
    // How strongly the piece takes room to spare, across and down.
    int growAcross = 0;
    int growDown = 0;
};

// How strongly a sizable window takes room to spare: the drawings before the others, the
// venue, the main drawing, most.
int Growth(ToolWindowId id)
{
    switch (id) {
    case ToolWindowId::Venue:
        return 6;
    case ToolWindowId::ArrayPicture:
    case ToolWindowId::RiggingDetails:
    case ToolWindowId::IFEGraph:
    case ToolWindowId::ListeningPoints:
        return 3;
    default:
        return 1;
    }
}

// The size below which a drawing is hard to read, in pixels; where the area allows, an
// arrangement gives each drawing at least this much.
PresetLayout::Size Readable(ToolWindowId id)
{
    switch (id) {
    case ToolWindowId::Venue:
        return {480, 240, true};
    case ToolWindowId::ArrayPicture:
        return {240, 160, true};
    case ToolWindowId::RiggingDetails:
    case ToolWindowId::IFEGraph:
        return {240, 180, true};
    default:
        return {0, 0, true};
    }
}

class Placer {
public:
    Placer(const std::function<PresetLayout::Size(ToolWindowId)>& sizeOf, bool readable, int areaWidth,
           int areaHeight)
        : sizeOf_(sizeOf), readable_(readable), areaWidth_(areaWidth), areaHeight_(areaHeight)
    {
    }

    PresetLayout::Size SizeOf(ToolWindowId id) const
    {
        PresetLayout::Size size = sizeOf_(id);
        size.width = std::max(0, size.width);
        size.height = std::max(0, size.height);
        if (readable_ && size.sizable) {
            size.width = std::max(size.width, Readable(id).width);
            size.height = std::max(size.height, Readable(id).height);
        }
        return size;
    }

    Need NeedOf(const Node& node) const
    {
        if (node.kind == Node::Kind::Window) {
            const PresetLayout::Size size = SizeOf(node.id);
            const int grow = size.sizable ? Growth(node.id) : 0;
            return {size.width, size.height, grow, grow};
        }
        if (node.kind == Node::Kind::Either)
            throw std::logic_error("Alternatives only at the top of an arrangement");
        Need need;
        const bool across = node.kind == Node::Kind::Across;
        for (const Node& part : node.parts) {
            const Need inner = NeedOf(part);
            // Along its direction a piece adds up its parts; across it, the largest counts.
            if (across) {
                need.width += inner.width, need.growAcross += inner.growAcross;
                need.height = std::max(need.height, inner.height);
                need.growDown = std::max(need.growDown, inner.growDown);
            } else {
                need.height += inner.height, need.growDown += inner.growDown;
                need.width = std::max(need.width, inner.width);
                need.growAcross = std::max(need.growAcross, inner.growAcross);
            }
        }
        return need;
    }

    void Place(const Node& node, Rect rect)
    {
        if (node.kind == Node::Kind::Window) {
            const PresetLayout::Size size = SizeOf(node.id);
            if (!size.sizable)
                rect.width = size.width, rect.height = size.height;
            places_[node.id] = rect;
            return;
        }
        const bool across = node.kind == Node::Kind::Across;
        std::vector<Need> needs;
        long long growTotal = 0;
        int needTotal = 0;
        for (const Node& part : node.parts) {
            needs.push_back(NeedOf(part));
            needTotal += across ? needs.back().width : needs.back().height;
            growTotal += across ? needs.back().growAcross : needs.back().growDown;
        }
        const int spare = std::max(0, (across ? rect.width : rect.height) - needTotal);
        int given = 0;
        long long grownSoFar = 0;
        int at = across ? rect.left : rect.top;
        for (std::size_t index = 0; index < node.parts.size(); ++index) {
            const Need& need = needs[index];
            int length = across ? need.width : need.height;
            if (growTotal > 0) {
                // Shares by running totals, so the rounding leaves no pixel over or short.
                grownSoFar += across ? need.growAcross : need.growDown;
                const int share = static_cast<int>(spare * grownSoFar / growTotal) - given;
                given += share;
                length += share;
            }
            // Across its direction a part fills the piece, as far as the area reaches: only
            // a part that needs more runs past the area's edge.
            Rect part = rect;
            if (across) {
                part.left = at, part.width = length;
                part.height = std::max(need.height, std::min(rect.height, areaHeight_ - rect.top));
            } else {
                part.top = at, part.height = length;
                part.width = std::max(need.width, std::min(rect.width, areaWidth_ - rect.left));
            }
            Place(node.parts[index], part);
            at += length;
        }
    }

    std::map<ToolWindowId, Rect> places_;

private:
    const std::function<PresetLayout::Size(ToolWindowId)>& sizeOf_;
    bool readable_;
    int areaWidth_;
    int areaHeight_;
};

long long Overrun(const Need& need, int areaWidth, int areaHeight)
{
    return static_cast<long long>(std::max(0, need.width - areaWidth)) + std::max(0, need.height - areaHeight);
}

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
    const Node rightColumn = Down({w(Id::ArrayPicture), w(Id::Calculations), w(Id::CellConfigurations)});
    const Node seatingAndConfigurations =
        Across({w(Id::SeatingAreas), Down({w(Id::ArrayConfiguration), w(Id::BumperConfiguration)})});
    // The columns and rows each window took in the arrangements' original places; at
    // 800 x 600 the seating areas and the cell list are too wide to stand side by side, so
    // that the cell list goes below them where the others do not fit. At
    // 1024 x 768 the windows beside the seating areas and in the cell list's column would
    // run past the screen, so the seating areas have their row to themselves and the others
    // move below them or, as the cell list grows, out of its column; on a screen wider than
    // it is high (1366 x 768, 1280 x 720) the configurations stand beside the seating areas,
    // which leaves the venue the height the stacked rows would take, and where that is still
    // too low, the smaller windows stand beside the venue. At 1280 x 1024 the
    // rigging details keep their place beside the seating areas only where the screen is
    // wide enough to show them readable; else they go into the column of the smaller
    // windows (advanced) or the notes go below the configurations (basic).
    static const std::map<PresetColumn, Node> layouts{
        {PresetColumn::k800x600,
         Either({Across({Down({Across({w(Id::SeatingAreas), w(Id::Notes), w(Id::ArrayPicture)}), w(Id::Venue)}),
                         Down({w(Id::ArrayConfiguration), w(Id::BumperConfiguration), w(Id::CellConfigurations)})}),
                 Across({Down({w(Id::SeatingAreas), Across({w(Id::Notes), w(Id::ArrayPicture)}), w(Id::Venue)}),
                         Down({w(Id::ArrayConfiguration), w(Id::BumperConfiguration), w(Id::CellConfigurations)})}),
                 Down({Across({w(Id::SeatingAreas), Down({w(Id::ArrayConfiguration), w(Id::BumperConfiguration)})}),
                       Across({w(Id::CellConfigurations),
                               Down({w(Id::Venue), Across({w(Id::Notes), w(Id::ArrayPicture)})})})})})},
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
                         Down({w(Id::Calculations), w(Id::CellConfigurations)})}),
                 Across({Down({seatingAndConfigurations, Across({w(Id::Notes), w(Id::ArrayPicture)}), w(Id::Venue)}),
                         Down({w(Id::Calculations), w(Id::FROptions), w(Id::RiggingDetails),
                               w(Id::CellConfigurations)})}),
                 Across({Down({seatingAndConfigurations,
                               Across({w(Id::Notes), w(Id::ArrayPicture), w(Id::RiggingDetails)}), w(Id::Venue)}),
                         Down({w(Id::Calculations), w(Id::FROptions), w(Id::CellConfigurations)})}),
                 Across({Down({seatingAndConfigurations,
                               Across({w(Id::Venue), Down({w(Id::ArrayPicture), w(Id::RiggingDetails)})})}),
                         Down({w(Id::Calculations), w(Id::FROptions), w(Id::Notes), w(Id::CellConfigurations)})}),
                 Across({Down({seatingAndConfigurations,
                               Across({w(Id::Venue),
                                       Down({w(Id::Notes), w(Id::ArrayPicture), w(Id::RiggingDetails)})})}),
                         Down({w(Id::Calculations), w(Id::FROptions), w(Id::CellConfigurations)})})})},
        {PresetColumn::k1024x768Standard,
         Either({Across({Down({w(Id::SeatingAreas), configurations,
                               Across({w(Id::RiggingDetails), w(Id::Notes)}), w(Id::Venue)}),
                         Down({w(Id::ArrayPicture), w(Id::Calculations), w(Id::CellConfigurations)})}),
                 Across({Down({w(Id::SeatingAreas), configurations,
                               Across({w(Id::RiggingDetails), w(Id::Notes), w(Id::ArrayPicture)}), w(Id::Venue)}),
                         Down({w(Id::Calculations), w(Id::CellConfigurations)})}),
                 Across({Down({seatingAndConfigurations, Across({w(Id::RiggingDetails), w(Id::Notes)}), w(Id::Venue)}),
                         rightColumn}),
                 Across({Down({seatingAndConfigurations,
                               Across({w(Id::Venue), Down({w(Id::RiggingDetails), w(Id::Notes)})})}),
                         rightColumn})})},
        {PresetColumn::k1280x1024Engineering,
         Either({Across({Down({Across({Down({Across({w(Id::SeatingAreas), w(Id::RiggingDetails)}), w(Id::ListeningPoints)}),
                                       Down({w(Id::ArrayConfiguration), w(Id::BumperConfiguration),
                                             w(Id::FROptions), w(Id::Notes)})}),
                               w(Id::Venue)}),
                         rightColumn}),
                 Across({Down({Across({Down({w(Id::SeatingAreas), w(Id::ListeningPoints)}),
                                       Down({w(Id::ArrayConfiguration), w(Id::BumperConfiguration),
                                             w(Id::FROptions), w(Id::RiggingDetails), w(Id::Notes)})}),
                               w(Id::Venue)}),
                         rightColumn})})},
        {PresetColumn::k1280x1024Standard,
         Either({Across({Down({Across({Down({Across({w(Id::SeatingAreas), w(Id::Notes)}), configurations}),
                                       w(Id::RiggingDetails)}),
                               w(Id::Venue)}),
                         rightColumn}),
                 Across({Down({Across({Down({w(Id::SeatingAreas), configurations, w(Id::Notes)}),
                                       w(Id::RiggingDetails)}),
                               w(Id::Venue)}),
                         rightColumn})})},
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
    const std::vector<Node> single{root};
    const std::vector<Node>& alternatives = root.kind == Node::Kind::Either ? root.parts : single;
    if (alternatives.empty())
        throw std::invalid_argument("An arrangement without alternatives");
    // Of the alternatives that run least past the area's edges (a long cell list may leave
    // none inside it), the one that comes nearest to showing every drawing readable; the
    // drawings get readable sizes where that runs no further past the edges.
    const Placer least(sizeOf, false, areaWidth, areaHeight);
    const Placer readable(sizeOf, true, areaWidth, areaHeight);
    const Node* chosen = nullptr;
    long long chosenOverrun = 0;
    long long chosenReadable = 0;
    for (const Node& alternative : alternatives) {
        const long long overrun = Overrun(least.NeedOf(alternative), areaWidth, areaHeight);
        const long long readableOverrun = Overrun(readable.NeedOf(alternative), areaWidth, areaHeight);
        if (chosen == nullptr || overrun < chosenOverrun ||
            (overrun == chosenOverrun && readableOverrun < chosenReadable))
            chosen = &alternative, chosenOverrun = overrun, chosenReadable = readableOverrun;
    }
    Placer placer(sizeOf, chosenReadable == chosenOverrun, areaWidth, areaHeight);
    placer.Place(*chosen, {0, 0, areaWidth, areaHeight});
    return placer.places_;
}

} // namespace polvane
