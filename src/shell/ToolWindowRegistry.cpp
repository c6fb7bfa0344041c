#include "shell/ToolWindowRegistry.h"

#include <cctype>
#include <stdexcept>

namespace polvane {

namespace {
constexpr PresetPlace kClosed{};
constexpr PresetPlace At(int left, int top) { return {true, left, top, 0, 0}; }
constexpr PresetPlace At(int left, int top, int width, int height)
{
    return {true, left, top, width, height};
}
} // namespace

const std::array<ToolWindowInfo, ToolWindowRegistry::kCount>& ToolWindowRegistry::All()
{
    using Id = ToolWindowId;
    // Preset columns: 800 x 600; 1024 x 768 engineering, standard; 1280 x 1024
    // engineering, standard.
    static const std::array<ToolWindowInfo, kCount> windows{{
        {Id::ArrayConfiguration, "Array Configuration", "frmArrayConfiguration",
         "mnuViewArrayConfiguration", "&Array Configuration", false, false,
         "reference_array_config",
         {At(7995, 0), At(0, 3375), At(0, 3375), At(11250, 0), At(0, 3375)}},
        {Id::ArrayPicture, "Array Picture", "frmArrayPicture", "mnuViewArrayPicture",
         "Array &Picture", true, false, "reference_array_picture",
         {At(5805, 0, 2190, 3375), At(7890, 0, 3465, 4710), At(11355, 0, 3945, 4350),
          At(15195, 0, 3945, 7410), At(15195, 0, 3945, 7800)}},
        {Id::BumperConfiguration, "Bumper Configuration", "frmBumperConfiguration",
         "mnuViewBumperConfiguration", "&Bumper Configuration", false, false,
         "reference_bumper_config",
         {At(7995, 1335), At(3945, 3375), At(3945, 3375), At(11250, 1335), At(3945, 3375)}},
        {Id::Calculations, "Calculations", "frmCalculations", "mnuViewCalculations",
         "&Calculations", false, false, "reference_calculations",
         {kClosed, At(11355, 0), At(11355, 4350), At(15195, 7410), At(15195, 7800)}},
        {Id::CellConfigurations, "Cell Configurations", "frmCellConfigurations",
         "mnuViewCellConfigurations", "C&ell Configurations", false, false,
         "reference_cell_configs",
         {At(7995, 2670), At(11355, 5535), At(11355, 5925), At(15195, 8985), At(15195, 9375)}},
        {Id::FROptions, "Frequency Response Options", "frmFROptions", "mnuViewFROptions",
         "&Frequency Response Options", false, true, "reference_fr_options",
         {kClosed, At(11355, 1575), kClosed, At(11250, 2670), kClosed}},
        {Id::IFEGraph, "Inter-Frequency Evenness Graph", "frmIFEGraph", "mnuViewIFEGraph",
         "&Inter-Frequency Evenness Graph", true, true, "reference_ife_graph",
         {kClosed, kClosed, kClosed, kClosed, kClosed}},
        {Id::ListeningPoints, "Listening Points", "frmListeningPoints", "mnuViewListeningPoints",
         "&Listening Points", true, true, "reference_listening_points",
         {kClosed, kClosed, kClosed, At(0, 3375, 11250, 4455), kClosed}},
        {Id::Notes, "Notes", "frmNotes", "mnuViewNotes", "&Notes", true, false, "reference_notes",
         {At(3945, 0, 1875, 3375), At(3945, 0, 3945, 3375), At(7890, 0, 3465, 4710),
          At(11250, 4005, 3945, 3825), At(3945, 0, 3945, 3375)}},
        {Id::RiggingDetails, "Rigging Details", "frmRiggingDetails", "mnuViewRiggingDetails",
         "&Rigging Details", true, false, "reference_rigging_details",
         {kClosed, At(11355, 2910, 3945, 2625), At(3945, 0, 3945, 3375),
          At(3945, 0, 7305, 3375), At(7890, 0, 7305, 4710)}},
        {Id::SeatingAreas, "Seating Areas", "frmSeatingAreas", "mnuViewSeatingAreas",
         "&Seating Areas", false, false, "reference_seating_areas",
         {At(0, 0), At(0, 0), At(0, 0), At(0, 0), At(0, 0)}},
        {Id::Venue, "Venue", "frmVenue", "mnuViewVenue", "&Venue", true, false, "reference_venue",
         {At(0, 3375, 7995, 4170), At(0, 4710, 11355, 5355), At(0, 4710, 11355, 5355),
          At(0, 7830, 15195, 6060), At(0, 4710, 15195, 9195)}},
    }};
    return windows;
}

const ToolWindowInfo& ToolWindowRegistry::Info(ToolWindowId id)
{
    for (const ToolWindowInfo& info : All())
        if (info.id == id)
            return info;
    throw std::out_of_range("Unknown tool window");
}

std::string ToolWindowRegistry::LayoutName(ToolWindowId id)
{
    std::string name = Info(id).caption;
    for (char& c : name)
        c = c == ' ' ? '_' : static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return name;
}

const PresetPlace& ToolWindowRegistry::Preset(ToolWindowId id, PresetColumn column)
{
    const auto index = static_cast<std::size_t>(column);
    const auto& presets = Info(id).presets;
    if (index >= presets.size())
        throw std::out_of_range("Unknown preset arrangement");
    return presets[index];
}

} // namespace polvane
