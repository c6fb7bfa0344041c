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

} // namespace polvane
