#include "shell/places/StoredWindowPlaces.h"

#include "platform/SettingsStore.h"

namespace polvane {

void StoredWindowPlaces::Save(std::string_view name, const WindowPlace& place)
{
    store_.SaveSetting(SettingsStore::kWindowPositions, name, place.Text());
}

void StoredWindowPlaces::SaveClosing(std::string_view name, const WindowPlace& place, bool seen)
{
    if (seen || !store_.ReadSetting(SettingsStore::kWindowPositions, name)) {
        WindowPlace closed = place;
        closed.visible = closed.visible && seen;
        Save(name, closed);
        return;
    }
    MarkHidden(name, place.sizable);
}

std::optional<WindowPlace> StoredWindowPlaces::Place(std::string_view name, bool sizable) const
{
    const std::optional<std::string> text = store_.ReadSetting(SettingsStore::kWindowPositions, name);
    if (!text)
        return std::nullopt;
    return WindowPlace::Parse(*text, sizable);
}

void StoredWindowPlaces::MarkHidden(std::string_view name, bool sizable)
{
    std::optional<WindowPlace> place = Place(name, sizable);
    if (!place || !place->visible)
        return;
    place->visible = false;
    Save(name, *place);
}

std::string StoredWindowPlaces::MainWindowText(std::string_view name) const
{
    return store_.GetSetting(SettingsStore::kWindowPositions, name, "");
}

void StoredWindowPlaces::SaveMainWindowText(std::string_view name, const std::string& text)
{
    store_.SaveSetting(SettingsStore::kWindowPositions, name, text);
}

} // namespace polvane
