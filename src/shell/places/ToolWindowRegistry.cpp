#include "shell/places/ToolWindowRegistry.h"

#include <cctype>
#include <stdexcept>

namespace polvane {

namespace {
constexpr PresetPlace kClosed{false};
constexpr PresetPlace kOpen{true};
} // namespace

const std::array<ToolWindowInfo, ToolWindowRegistry::kCount>& ToolWindowRegistry::All()
{
    using Id = ToolWindowId;
    // Open or closed in the preset columns: 800 x 600; 1024 x 768 engineering, standard;
    // 1280 x 1024 engineering, standard.
    static const std::array<ToolWindowInfo, kCount> windows{{
        {Id::ArrayConfiguration, "Array Configuration", "frmArrayConfiguration",
         "mnuViewArrayConfiguration", "&Array Configuration", false, false,
         "reference_array_config",
         {kOpen, kOpen, kOpen, kOpen, kOpen}},
        {Id::ArrayPicture, "Array Picture", "frmArrayPicture", "mnuViewArrayPicture",
         "Array &Picture", true, false, "reference_array_picture",
         {kOpen, kOpen, kOpen, kOpen, kOpen}},
        {Id::BumperConfiguration, "Bumper Configuration", "frmBumperConfiguration",
         "mnuViewBumperConfiguration", "&Bumper Configuration", false, false,
         "reference_bumper_config",
         {kOpen, kOpen, kOpen, kOpen, kOpen}},
        {Id::Calculations, "Calculations", "frmCalculations", "mnuViewCalculations",
         "&Calculations", false, false, "reference_calculations",
         {kClosed, kOpen, kOpen, kOpen, kOpen}},
        {Id::CellConfigurations, "Cell Configurations", "frmCellConfigurations",
         "mnuViewCellConfigurations", "C&ell Configurations", false, false,
         "reference_cell_configs",
         {kOpen, kOpen, kOpen, kOpen, kOpen}},
        {Id::FROptions, "Frequency Response Options", "frmFROptions", "mnuViewFROptions",
         "&Frequency Response Options", false, true, "reference_fr_options",
         {kClosed, kOpen, kClosed, kOpen, kClosed}},
        {Id::IFEGraph, "Inter-Frequency Evenness Graph", "frmIFEGraph", "mnuViewIFEGraph",
         "&Inter-Frequency Evenness Graph", true, true, "reference_ife_graph",
         {kClosed, kClosed, kClosed, kClosed, kClosed}},
        {Id::ListeningPoints, "Listening Points", "frmListeningPoints", "mnuViewListeningPoints",
         "&Listening Points", true, true, "reference_listening_points",
         {kClosed, kClosed, kClosed, kOpen, kClosed}},
        {Id::Notes, "Notes", "frmNotes", "mnuViewNotes", "&Notes", true, false, "reference_notes",
         {kOpen, kOpen, kOpen, kOpen, kOpen}},
        {Id::RiggingDetails, "Rigging Details", "frmRiggingDetails", "mnuViewRiggingDetails",
         "&Rigging Details", true, false, "reference_rigging_details",
         {kClosed, kOpen, kOpen, kOpen, kOpen}},
        {Id::SeatingAreas, "Seating Areas", "frmSeatingAreas", "mnuViewSeatingAreas",
         "&Seating Areas", false, false, "reference_seating_areas",
         {kOpen, kOpen, kOpen, kOpen, kOpen}},
        {Id::Venue, "Venue", "frmVenue", "mnuViewVenue", "&Venue", true, false, "reference_venue",
         {kOpen, kOpen, kOpen, kOpen, kOpen}},
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
