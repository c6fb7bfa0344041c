#include "shell/places/WindowPositions.h"

#include <string>

#include "platform/SettingsStore.h"
#include "shell/places/PlaceableWindow.h"

namespace polvane {

namespace {

bool g_positioning = false;

// Raises the positioning flag for its lifetime, so a failing move cannot leave it up.
class PositioningScope {
public:
    PositioningScope() : previous_(g_positioning) { g_positioning = true; }
    ~PositioningScope() { g_positioning = previous_; }
    PositioningScope(const PositioningScope&) = delete;
    PositioningScope& operator=(const PositioningScope&) = delete;

private:
    bool previous_;
};

} // namespace

bool WindowPositions::IsPositioning() { return g_positioning; }

void WindowPositions::SaveFormPosition(const PlaceableWindow& window, std::string_view name,
                                       bool visible)
{
    WindowPlace place;
    place.visible = visible;
    place.left = window.Left();
    place.top = window.Top();
    place.sizable = window.IsSizable();
    if (place.sizable) {
        place.width = window.Width();
        place.height = window.Height();
    }
    SavePlace(name, place);
}

void WindowPositions::SavePlace(std::string_view name, const WindowPlace& place)
{
    store_.SaveSetting(SettingsStore::kWindowPositions, name, place.Text());
}

void WindowPositions::SaveClosingPlace(std::string_view name, const WindowPlace& place, bool seen)
{
    if (seen || !store_.ReadSetting(SettingsStore::kWindowPositions, name)) {
        WindowPlace closed = place;
        closed.visible = closed.visible && seen;
        SavePlace(name, closed);
        return;
    }
    MarkHidden(name, place.sizable);
}

std::string WindowPositions::MainWindowPlace(std::string_view name) const
{
    return store_.GetSetting(SettingsStore::kWindowPositions, name, "");
}

void WindowPositions::SaveMainWindowPlace(std::string_view name, const std::string& text)
{
    store_.SaveSetting(SettingsStore::kWindowPositions, name, text);
}

std::optional<WindowPlace> WindowPositions::StoredPlace(std::string_view name, bool sizable) const
{
    const std::optional<std::string> text = store_.ReadSetting(SettingsStore::kWindowPositions, name);
    if (!text)
        return std::nullopt;
    return WindowPlace::Parse(*text, sizable);
}

void WindowPositions::MarkHidden(std::string_view name, bool sizable)
{
    std::optional<WindowPlace> place = StoredPlace(name, sizable);
    if (!place || !place->visible)
        return;
    place->visible = false;
    store_.SaveSetting(SettingsStore::kWindowPositions, name, place->Text());
}

void WindowPositions::PositionWindow(PlaceableWindow& window, std::string_view name, bool force)
{
    const std::optional<WindowPlace> place = StoredPlace(name, window.IsSizable());
    if (!place) {
        if (force)
            window.Show();
        return;
    }
    if (!place->visible && !force)
        return;
    PositioningScope positioning;
    if (place->sizable)
        window.Move(place->left, place->top, place->width, place->height);
    else
        window.Move(place->left, place->top);
    window.Show();
}

} // namespace polvane
