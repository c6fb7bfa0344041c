#pragma once

#include <string>
#include <vector>

#include "shell/options/ColorTable.h"

namespace polvane {

class Clock;
class ModeSwitchListener;
class ProgramConstants;
class SettingsStore;
class WelcomePrompt;

// The program's options and colours, read once at start-up from the settings store and
// kept there: the switches and numbers every window consults, the new-venue template,
// the notes font and the colour table.
//
// Reading (Read): every option in a fixed order under its own value name, a missing one
// stored with its default where the option says so. Switches: "yes" or "no" in any case;
// other text keeps the switch as it was (off before the first read), and the stored text
// is left alone. Numbers: the decimal number the text begins with (0 when none); whole
// numbers rounded, halves to even. A number too large for its option, and a snap-to-grid
// size that is not positive, count as missing: the default is used (the stored text is
// left as it is).
//
// The setters change the value in memory and store it at once ("Yes"/"No", numbers in
// their shortest decimal text), except God mode, which is never stored.
class Options {
public:
    explicit Options(SettingsStore& store);
    Options(const Options&) = delete;
    Options& operator=(const Options&) = delete;
    ~Options();

    SettingsStore& Store() { return store_; }

    // Reads every option, then the colours. When no usable new-venue template is stored,
    // it is chosen here: a stored path of a missing file gives the metric template when
    // the path contains "metric" in any case, else the English one; no path at all (the
    // first run) asks the welcome prompt. The choice is stored and window messages run
    // once.
    void Read(const ProgramConstants& constants, WelcomePrompt& welcome, Clock& clock);

    ColorTable& Colors() { return colors_; }
    const ColorTable& Colors() const { return colors_; }
    // Reads the 19 colours back from the store (undoing colour edits not stored), each
    // missing one stored with its default.
    void ReadColors();
    void StoreColors();

    // Hidden; true only for "yes". Changed in memory only.
    bool GodMode() const { return godMode_; }
    void SetGodMode(bool on) { godMode_ = on; }

    bool EngineeringMode() const { return engineeringMode_; }
    // Set or clear engineering mode, store it, hand it to the core, then tell the
    // listener, if there is one, so the menus and the layout follow.
    void SwitchToEngineeringMode();
    void SwitchToStandardMode();
    void SetModeSwitchListener(ModeSwitchListener* listener) { modeListener_ = listener; }

    bool ShowStatusBar() const { return showStatusBar_; }
    void SetShowStatusBar(bool on);
    const std::string& NewVenueTemplate() const { return newVenueTemplate_; }
    void SetNewVenueTemplate(const std::string& path);
    bool ShowRecentFileList() const { return showRecentFileList_; }
    void SetShowRecentFileList(bool on);
    int RecentFileListEntries() const { return recentFileListEntries_; }
    void SetRecentFileListEntries(int entries);
    int MaxAutoConfigureTime() const { return maxAutoConfigureTime_; } // ms
    void SetMaxAutoConfigureTime(int ms);
    // Degrees; setters throw std::invalid_argument for a value that is not finite.
    float MaxAutoConfigureOverthrow() const { return maxAutoConfigureOverthrow_; }
    void SetMaxAutoConfigureOverthrow(float degrees);
    float MaxAutoConfigureUnderthrow() const { return maxAutoConfigureUnderthrow_; }
    void SetMaxAutoConfigureUnderthrow(float degrees);
    bool ClickAndDragVenueItems() const { return clickAndDragVenueItems_; }
    void SetClickAndDragVenueItems(bool on);
    bool SnapToGrid() const { return snapToGrid_; }
    void SetSnapToGrid(bool on);
    // In the venue's length unit; the setter throws std::invalid_argument for a size
    // that is not a positive finite number.
    float SnapToGridSize() const { return snapToGridSize_; }
    void SetSnapToGridSize(float size);
    bool DisableScreenSaver() const { return disableScreenSaver_; }
    void SetDisableScreenSaver(bool on);
    bool LockBumperDuringAutoConfigure() const { return lockBumperDuringAutoConfigure_; }
    void SetLockBumperDuringAutoConfigure(bool on);

    bool Antialias() const { return antialias_; }
    void SetAntialias(bool on);
    bool ShowArrayPolarResponse() const { return showArrayPolarResponse_; }
    void SetShowArrayPolarResponse(bool on);
    bool ShowCellNumbers() const { return showCellNumbers_; }
    void SetShowCellNumbers(bool on);
    bool ShowCellPinningConfigurations() const { return showCellPinningConfigurations_; }
    void SetShowCellPinningConfigurations(bool on);
    bool ShowCellSplayAngles() const { return showCellSplayAngles_; }
    void SetShowCellSplayAngles(bool on);
    bool EnableRefinementCalculations() const { return enableRefinementCalculations_; }
    void SetEnableRefinementCalculations(bool on);
    bool ShowCenterOfGravity() const { return showCenterOfGravity_; }
    void SetShowCenterOfGravity(bool on);
    bool ShowColoredResponseLevels() const { return showColoredResponseLevels_; }
    void SetShowColoredResponseLevels(bool on);
    bool ShowCoordinatesWhileDragging() const { return showCoordinatesWhileDragging_; }
    void SetShowCoordinatesWhileDragging(bool on);
    bool ShowDistanceBetweenCables() const { return showDistanceBetweenCables_; }
    void SetShowDistanceBetweenCables(bool on);
    bool ShowFarFieldTransitionLines() const { return showFarFieldTransitionLines_; }
    void SetShowFarFieldTransitionLines(bool on);
    bool ShowGrid() const { return showGrid_; }
    void SetShowGrid(bool on);
    bool ShowListeningPoints() const { return showListeningPoints_; }
    void SetShowListeningPoints(bool on);
    bool ShowScale() const { return showScale_; }
    void SetShowScale(bool on);
    bool ShowSoundPaths() const { return showSoundPaths_; }
    void SetShowSoundPaths(bool on);
    bool ShowSoundPathMisses() const { return showSoundPathMisses_; }
    void SetShowSoundPathMisses(bool on);
    bool ShowWeights() const { return showWeights_; }
    void SetShowWeights(bool on);

    const std::string& NotesFont() const { return notesFont_; }
    void SetNotesFont(const std::string& name);
    // Points; the setter throws std::invalid_argument for a size that is not a positive
    // finite number.
    float NotesSize() const { return notesSize_; }
    void SetNotesSize(float points);
    bool NotesBold() const { return notesBold_; }
    void SetNotesBold(bool on);
    bool NotesItalic() const { return notesItalic_; }
    void SetNotesItalic(bool on);

private:
    struct Entry;
    // Every option in the order it is read, with its place, default and rule.
    static const std::vector<Entry>& Table();

    void ChooseTemplate(const ProgramConstants& constants, WelcomePrompt& welcome, Clock& clock);
    void SetEngineeringMode(bool on);
    void SetSwitch(bool Options::*member, bool on);
    void SetWhole(int Options::*member, int value);
    void SetSingle(float Options::*member, float value);
    void SetText(std::string Options::*member, const std::string& text);
    template <class M>
    void StoreText(M member, const std::string& text);

    SettingsStore& store_;
    ModeSwitchListener* modeListener_ = nullptr;

    bool godMode_ = false;
    bool engineeringMode_ = false;
    bool showStatusBar_ = false;
    std::string newVenueTemplate_;
    bool showRecentFileList_ = false;
    int recentFileListEntries_ = 4;
    int maxAutoConfigureTime_ = 30000;
    float maxAutoConfigureOverthrow_ = 2.0f;
    float maxAutoConfigureUnderthrow_ = 2.0f;
    bool clickAndDragVenueItems_ = false;
    bool snapToGrid_ = false;
    float snapToGridSize_ = 1.0f;
    bool disableScreenSaver_ = false;
    bool lockBumperDuringAutoConfigure_ = false;
    bool antialias_ = false;
    bool showArrayPolarResponse_ = false;
    bool showCellNumbers_ = false;
    bool showCellPinningConfigurations_ = false;
    bool showCellSplayAngles_ = false;
    bool enableRefinementCalculations_ = false;
    bool showCenterOfGravity_ = false;
    bool showColoredResponseLevels_ = false;
    bool showCoordinatesWhileDragging_ = false;
    bool showDistanceBetweenCables_ = false;
    bool showFarFieldTransitionLines_ = false;
    bool showGrid_ = false;
    bool showListeningPoints_ = false;
    bool showScale_ = false;
    bool showSoundPaths_ = false;
    bool showSoundPathMisses_ = false;
    bool showWeights_ = false;
    std::string notesFont_ = "Tahoma";
    float notesSize_ = 10.0f;
    bool notesBold_ = false;
    bool notesItalic_ = false;

    ColorTable colors_;
};

} // namespace polvane
