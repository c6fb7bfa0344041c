#include "shell/ToolWindowRegistry.h"

#include <cctype>
#include <stdexcept>

namespace polvane {

const std::array<ToolWindowInfo, ToolWindowRegistry::kCount>& ToolWindowRegistry::All()
{
    using Id = ToolWindowId;
    static const std::array<ToolWindowInfo, kCount> windows{{
        {Id::ArrayConfiguration, "Array Configuration", "frmArrayConfiguration",
         "mnuViewArrayConfiguration", "&Array Configuration", false, false, "reference_array_config"},
        {Id::ArrayPicture, "Array Picture", "frmArrayPicture", "mnuViewArrayPicture",
         "Array &Picture", true, false, "reference_array_picture"},
        {Id::BumperConfiguration, "Bumper Configuration", "frmBumperConfiguration",
         "mnuViewBumperConfiguration", "&Bumper Configuration", false, false, "reference_bumper_config"},
        {Id::Calculations, "Calculations", "frmCalculations", "mnuViewCalculations",
         "&Calculations", false, false, "reference_calculations"},
        {Id::CellConfigurations, "Cell Configurations", "frmCellConfigurations",
         "mnuViewCellConfigurations", "C&ell Configurations", false, false, "reference_cell_configs"},
        {Id::FROptions, "Frequency Response Options", "frmFROptions", "mnuViewFROptions",
         "&Frequency Response Options", false, true, "reference_fr_options"},
        {Id::IFEGraph, "Inter-Frequency Evenness Graph", "frmIFEGraph", "mnuViewIFEGraph",
         "&Inter-Frequency Evenness Graph", true, true, "reference_ife_graph"},
        {Id::ListeningPoints, "Listening Points", "frmListeningPoints", "mnuViewListeningPoints",
         "&Listening Points", true, true, "reference_listening_points"},
        {Id::Notes, "Notes", "frmNotes", "mnuViewNotes", "&Notes", true, false, "reference_notes"},
        {Id::RiggingDetails, "Rigging Details", "frmRiggingDetails", "mnuViewRiggingDetails",
         "&Rigging Details", true, false, "reference_rigging_details"},
        {Id::SeatingAreas, "Seating Areas", "frmSeatingAreas", "mnuViewSeatingAreas",
         "&Seating Areas", false, false, "reference_seating_areas"},
        {Id::Venue, "Venue", "frmVenue", "mnuViewVenue", "&Venue", true, false, "reference_venue"},
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

} // namespace polvane
