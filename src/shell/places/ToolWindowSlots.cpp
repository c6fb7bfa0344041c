#include "shell/places/ToolWindowSlots.h"

#include <optional>
#include <vector>

#include "shell/places/PlaceableWindow.h"
#include "shell/session/RefreshableWindow.h"
#include "shell/places/ToolWindowRegistry.h"
#include "shell/places/ToolWindowSlot.h"
#include "shell/places/WindowPositions.h"
#include "shell/session/WindowRegistry.h"

namespace polvane {

ToolWindowSlot* ToolWindowSlots::Of(ToolWindowId id) const
{
    const auto slot = slots_.find(id);
    return slot == slots_.end() ? nullptr : slot->second;
}

void ToolWindowSlots::Close(const ToolWindowInfo& info) const
{
    ToolWindowSlot* slot = Of(info.id);
    if (slot != nullptr && windows_.IsLoaded(info.id)) {
        positions_.SaveFormPosition(slot->Load(), info.caption, false);
        slot->Unload();
    } else {
        positions_.MarkHidden(info.caption, info.sizable);
    }
}

bool ToolWindowSlots::Open(ToolWindowId id) const
{
    ToolWindowSlot* slot = Of(id);
    if (slot == nullptr)
        return false;
    if (windows_.IsLoaded(id)) {
        slot->Load().Show();
        return true;
    }
    positions_.PositionWindow(slot->Load(), ToolWindowRegistry::Info(id).caption, true);
    if (RefreshableWindow* window = windows_.Find(id))
        window->Refresh();
    return true;
}

bool ToolWindowSlots::RestoreStored(bool engineeringMode) const
{
    std::vector<ToolWindowId> order{
        ToolWindowId::ArrayConfiguration, ToolWindowId::ArrayPicture,
        ToolWindowId::BumperConfiguration, ToolWindowId::Calculations,
        ToolWindowId::CellConfigurations, ToolWindowId::ListeningPoints,
        ToolWindowId::Notes, ToolWindowId::RiggingDetails, ToolWindowId::SeatingAreas,
        ToolWindowId::Venue};
    if (engineeringMode) {
        order.push_back(ToolWindowId::FROptions);
        order.push_back(ToolWindowId::IFEGraph);
    }
    for (const ToolWindowId id : order) {
        ToolWindowSlot* slot = Of(id);
        const ToolWindowInfo& info = ToolWindowRegistry::Info(id);
        // Only a window that is to show is loaded: one saved as hidden stays closed.
        const std::optional<WindowPlace> place = positions_.StoredPlace(info.caption, info.sizable);
        if (slot != nullptr && place && place->visible)
            positions_.PositionWindow(slot->Load(), info.caption, false);
    }
    bool anyLoaded = false;
    for (const ToolWindowInfo& info : ToolWindowRegistry::All())
        anyLoaded = anyLoaded || windows_.IsLoaded(info.id);
    return anyLoaded;
}

} // namespace polvane
