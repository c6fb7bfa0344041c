#pragma once

#include <map>
#include <optional>

#include <QSize>

#include "shell/places/PresetLayout.h"
#include "shell/session/ToolWindowId.h"
#include "shell/places/ToolWindowRegistry.h"

class QMainWindow;
class QMdiArea;

namespace polvane {

class Options;
class PlaceableWindow;
class ScreenInfo;
class ShellMainWindow;
class ToolWindowSlots;
class UpdateHub;

// The preset arrangements of View > Arrange Windows: the main window maximised and the
// preset's tool windows placed in its work area by their real sizes. An arrangement nobody
// has changed since follows the work area's size.
class PresetArrangement {
public:
    enum class Preset { k800x600, k1024x768, k1280x1024 };

    PresetArrangement(QMainWindow& window, QMdiArea& area, const ScreenInfo& screen,
                      Options& options, ToolWindowSlots& toolWindows, ShellMainWindow& shell,
                      UpdateHub& hub)
        : window_(window), area_(area), screen_(screen), options_(options), slots_(toolWindows),
          shell_(shell), hub_(hub)
    {
    }

    // The preset for the screen's width and the work area's height, arranged.
    void LoadPresetWindows();
    // Places the main window, moves and shows the preset's tool windows, closes the others
    // it names closed (saved as hidden), then refreshes every window.
    void ArrangePreset(Preset preset);
    // By the width (device-independent pixels): below 1024 the 800 x 600 preset, from 1280
    // the 1280 x 1024 one, else 1024 x 768. A work area lower than the larger presets need
    // takes a smaller one: below kLeast1024x768Height the 800 x 600 preset, below
    // kLeast1280x1024Height at most the 1024 x 768 one. A 4:3 screen keeps its preset: the
    // bounds lie below what its work area has, whatever bars its desktop takes.
    static Preset PresetFor(int screenWidthPixels, int workAreaHeightPixels);
    static constexpr int kLeast1024x768Height = 580;
    static constexpr int kLeast1280x1024Height = 820;
    // The preset a first start, or a change of mode, chooses on this screen.
    Preset PresetForScreen() const;
    // The 800 x 600 arrangement is the same in both modes; the larger ones are not.
    static PresetColumn ColumnOf(Preset preset, bool engineeringMode);
    // Maximised, whatever the preset: the arrangement fills the room there is.
    void PositionPreset(Preset preset);
    // The size the arrangements fill, in pixels: the work area's inside once the window
    // shows, before that the screen less the window's own bars.
    QSize WorkAreaSize() const;
    // The work area's inside once the window is maximised, as every preset leaves it: the
    // screen less the menu bar, the status bar, the work area's frame and a title bar.
    QSize MaximisedWorkAreaSize() const;

    // On a change of the work area's size: true while every window of the last arrangement
    // is open where it was put, so that it is to be placed again; an arrangement the user
    // has changed since is forgotten.
    bool FollowsWorkArea();
    // Places the last arrangement again.
    void PlaceAgain();

private:
    // Loads the arrangement's open windows and moves them to their places in the work area.
    void PlaceArrangement(PresetColumn column);
    // True while every window of the last arrangement is open where it was put.
    bool ArrangementUntouched() const;
    // What the arrangement set of a window's place.
    static PresetLayout::Rect Placed(const PlaceableWindow& window);

    QMainWindow& window_;
    QMdiArea& area_;
    const ScreenInfo& screen_;
    Options& options_;
    ToolWindowSlots& slots_;
    ShellMainWindow& shell_;
    UpdateHub& hub_;
    std::optional<PresetColumn> arrangedColumn_;
    std::map<ToolWindowId, PresetLayout::Rect> arrangement_; // twips, as placed
};

} // namespace polvane
