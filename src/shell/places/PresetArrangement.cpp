#include "shell/places/PresetArrangement.h"

#include <algorithm>
#include <stdexcept>

#include <QMainWindow>
#include <QMdiArea>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>

#include "platform/ScreenInfo.h"
#include "shell/options/Options.h"
#include "shell/places/PlaceableWindow.h"
#include "shell/session/ShellMainWindow.h"
#include "shell/places/ToolWindowSlot.h"
#include "shell/places/ToolWindowSlots.h"
#include "shell/session/UpdateHub.h"
#include "shell/session/WindowRegistry.h"

namespace polvane {

PresetArrangement::Preset PresetArrangement::PresetFor(int screenWidthPixels, int workAreaHeightPixels)
{
    if (screenWidthPixels < 1024 || workAreaHeightPixels < kLeast1024x768Height)
        return Preset::k800x600;
    if (screenWidthPixels >= 1280 && workAreaHeightPixels >= kLeast1280x1024Height)
        return Preset::k1280x1024;
    return Preset::k1024x768;
}

PresetArrangement::Preset PresetArrangement::PresetForScreen() const
{
    // The window's size of the moment does not count: the preset maximises it.
    return PresetFor(screen_.Width(), MaximisedWorkAreaSize().height());
}

void PresetArrangement::LoadPresetWindows() { ArrangePreset(PresetForScreen()); }

PresetColumn PresetArrangement::ColumnOf(Preset preset, bool engineeringMode)
{
    switch (preset) {
    case Preset::k800x600:
        return PresetColumn::k800x600;
    case Preset::k1024x768:
        return engineeringMode ? PresetColumn::k1024x768Engineering
                               : PresetColumn::k1024x768Standard;
    case Preset::k1280x1024:
        return engineeringMode ? PresetColumn::k1280x1024Engineering
                               : PresetColumn::k1280x1024Standard;
    }
    throw std::invalid_argument("Unknown preset arrangement");
}

void PresetArrangement::ArrangePreset(Preset preset)
{
    const PresetColumn column = ColumnOf(preset, options_.EngineeringMode());
    PositionPreset(preset);
    // Every window is loaded and moved before any is shown, and closing comes last, each
    // in the registry's order.
    PlaceArrangement(column);
    const auto& all = ToolWindowRegistry::All();
    for (const ToolWindowInfo& info : all) {
        ToolWindowSlot* slot = slots_.Of(info.id);
        if (ToolWindowRegistry::Preset(info.id, column).open && slot != nullptr)
            slot->Load().Show();
    }
    for (const ToolWindowInfo& info : all) {
        if (!ToolWindowRegistry::Preset(info.id, column).open)
            slots_.Close(info);
    }
    shell_.UpdateVisibleWindows();
    hub_.UpdateInterfaces(UpdateScope::All, false);
    // Filled, a window may need more room than it did empty.
    PlaceArrangement(column);
}

void PresetArrangement::PositionPreset([[maybe_unused]] Preset preset)
{
    // The arrangements place the windows by their real sizes, so every preset uses the
    // whole screen rather than a frame of the preset's size.
    window_.setWindowState(Qt::WindowMaximized);
}

void PresetArrangement::PlaceArrangement(PresetColumn column)
{
    const int twipsX = std::max(1, screen_.TwipsPerPixelX());
    const int twipsY = std::max(1, screen_.TwipsPerPixelY());
    std::map<ToolWindowId, PresetLayout::Size> sizes;
    for (const ToolWindowInfo& info : ToolWindowRegistry::All()) {
        ToolWindowSlot* slot = slots_.Of(info.id);
        if (!ToolWindowRegistry::Preset(info.id, column).open || slot == nullptr)
            continue;
        const PlaceableWindow& window = slot->Load();
        sizes[info.id] = {window.NeededWidth() / twipsX, window.NeededHeight() / twipsY,
                          window.IsSizable()};
    }
    const auto sizeOf = [&sizes](ToolWindowId id) {
        const auto found = sizes.find(id);
        // A window without a slot takes no room.
        return found == sizes.end() ? PresetLayout::Size{0, 0, false} : found->second;
    };
    const QSize area = WorkAreaSize();
    const PresetLayout::Node& layout = PresetLayout::Of(column);
    // Windows running past one edge bring a scroll bar, which narrows the view along the
    // other: the windows are placed in the room the bar leaves, so that it covers none of
    // them and brings no second bar of its own.
    const int bar = area_.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &area_);
    int width = area.width();
    int height = area.height();
    auto places = PresetLayout::Place(layout, sizeOf, width, height);
    for (int round = 0; round < 2; ++round) {
        int right = 0;
        int bottom = 0;
        for (const auto& [id, r] : places)
            right = std::max(right, r.left + r.width), bottom = std::max(bottom, r.top + r.height);
        const int narrower = bottom > height && width == area.width() ? width - bar : width;
        const int lower = right > narrower && height == area.height() ? height - bar : height;
        if (narrower == width && lower == height)
            break;
        width = narrower, height = lower;
        places = PresetLayout::Place(layout, sizeOf, width, height);
    }
    arrangement_.clear();
    for (const ToolWindowInfo& info : ToolWindowRegistry::All()) {
        const auto place = places.find(info.id);
        ToolWindowSlot* slot = slots_.Of(info.id);
        if (place == places.end() || slot == nullptr)
            continue;
        const PresetLayout::Rect& r = place->second;
        PlaceableWindow& window = slot->Load();
        if (window.IsSizable())
            window.Arrange(r.left * twipsX, r.top * twipsY, r.width * twipsX, r.height * twipsY);
        else
            window.Arrange(r.left * twipsX, r.top * twipsY);
        arrangement_[info.id] = Placed(window);
    }
    arrangedColumn_ = column;
}

PresetLayout::Rect PresetArrangement::Placed(const PlaceableWindow& window)
{
    // A fixed window's size follows its content, not the user.
    if (!window.IsSizable())
        return {window.Left(), window.Top(), 0, 0};
    return {window.Left(), window.Top(), window.Width(), window.Height()};
}

bool PresetArrangement::ArrangementUntouched() const
{
    if (!arrangedColumn_)
        return false;
    for (const auto& [id, place] : arrangement_) {
        ToolWindowSlot* slot = slots_.Of(id);
        if (slot == nullptr || !slots_.Windows().IsLoaded(id))
            return false;
        if (Placed(slot->Load()) != place)
            return false;
    }
    return true;
}

bool PresetArrangement::FollowsWorkArea()
{
    if (ArrangementUntouched())
        return true;
    arrangedColumn_.reset();
    return false;
}

void PresetArrangement::PlaceAgain()
{
    if (arrangedColumn_)
        PlaceArrangement(*arrangedColumn_);
}

QSize PresetArrangement::WorkAreaSize() const
{
    if (window_.isVisible())
        return area_.contentsRect().size();
    // Not shown yet: the arrangement follows the real size once the window shows.
    return MaximisedWorkAreaSize();
}

QSize PresetArrangement::MaximisedWorkAreaSize() const
{
    const int frame = 2 * area_.frameWidth();
    int height = screen_.Height() - window_.menuBar()->sizeHint().height() - frame -
                 window_.style()->pixelMetric(QStyle::PM_TitleBarHeight);
    if (options_.ShowStatusBar())
        height -= window_.statusBar()->sizeHint().height();
    return {std::max(0, screen_.Width() - frame), std::max(0, height)};
}

} // namespace polvane
