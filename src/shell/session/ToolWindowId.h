#pragma once

namespace polvane {

// The tool windows the update hub knows, in the order it refreshes them.
enum class ToolWindowId {
    ArrayConfiguration,
    ArrayPicture,
    BumperConfiguration,
    Calculations,
    CellConfigurations,
    FROptions,
    IFEGraph,
    ListeningPoints,
    Notes,
    RiggingDetails,
    SeatingAreas,
    Venue,
};

// How many there are: the ids run from 0, without gaps, in that order.
constexpr int kToolWindowCount = static_cast<int>(ToolWindowId::Venue) + 1;

} // namespace polvane
