#include "windows/tools/ToolWindowFactory.h"

#include "windows/tools/ArrayConfigurationWindow.h"
#include "windows/tools/ArrayPictureWindow.h"
#include "windows/tools/BumperConfigurationWindow.h"
#include "windows/tools/CalculationsWindow.h"
#include "windows/tools/CellConfigurationsWindow.h"
#include "windows/tools/FROptionsWindow.h"
#include "windows/tools/IFEGraphWindow.h"
#include "windows/tools/ListeningPointsWindow.h"
#include "windows/tools/NotesWindow.h"
#include "windows/tools/RiggingDetailsWindow.h"
#include "windows/tools/SeatingAreasWindow.h"
#include "windows/tools/VenueWindow.h"

namespace polvane {

ToolWindow* ToolWindowFactory::Create(ToolWindowId id, ToolWindowContext& context,
                                      const std::function<void()>& designArray)
{
    switch (id) {
    case ToolWindowId::ArrayConfiguration: return new ArrayConfigurationWindow(context, designArray);
    case ToolWindowId::ArrayPicture: return new ArrayPictureWindow(context);
    case ToolWindowId::BumperConfiguration: return new BumperConfigurationWindow(context);
    case ToolWindowId::Calculations: return new CalculationsWindow(context);
    case ToolWindowId::CellConfigurations: return new CellConfigurationsWindow(context);
    case ToolWindowId::FROptions: return new FROptionsWindow(context);
    case ToolWindowId::IFEGraph: return new IFEGraphWindow(context);
    case ToolWindowId::ListeningPoints: return new ListeningPointsWindow(context);
    case ToolWindowId::Notes: return new NotesWindow(context);
    case ToolWindowId::RiggingDetails: return new RiggingDetailsWindow(context);
    case ToolWindowId::SeatingAreas: return new SeatingAreasWindow(context);
    case ToolWindowId::Venue: return new VenueWindow(context);
    }
    return nullptr;
}

} // namespace polvane
