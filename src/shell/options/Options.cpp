#include "shell/options/Options.h"

#include <cmath>
#include <filesystem>
#include <stdexcept>
#include <string_view>
#include <system_error>
#include <variant>

#include "platform/Clock.h"
#include "platform/SettingsStore.h"
#include "shell/options/ModeSwitchListener.h"
#include "shell/options/OptionText.h"
#include "shell/options/ProgramConstants.h"
#include "shell/options/WelcomePrompt.h"

namespace polvane {

namespace {

enum class Rule {
    Switch,         // "yes" / "no", other text keeps the switch
    StrictSwitch,   // true only for "yes"
    Whole,          // leading number, rounded halves to even
    Single,         // leading number
    PositiveSingle, // leading number; not positive counts as missing
    Text,
    Template,       // text, then the template choice
};

bool IsExistingFile(const std::string& path)
{
    std::error_code error;
    return std::filesystem::is_regular_file(std::filesystem::path(path), error);
}

void RequireFinite(float value, std::string_view what)
{
    if (!std::isfinite(value))
        throw std::invalid_argument(std::string(what) + " must be a finite number");
}

void RequirePositive(float value, std::string_view what)
{
    if (!(std::isfinite(value) && value > 0))
        throw std::invalid_argument(std::string(what) + " must be a positive number, not " +
                                    OptionText::NumberText(value));
}

} // namespace

struct Options::Entry {
    std::string_view subKey;
    std::string_view name;
    std::string_view defaultText;
    bool writeBack;
    Rule rule;
    std::variant<bool Options::*, int Options::*, float Options::*, std::string Options::*> member;
};

const std::vector<Options::Entry>& Options::Table()
{
    constexpr std::string_view kOpt = SettingsStore::kOptions;
    constexpr std::string_view kGen = SettingsStore::kGeneral;
    constexpr std::string_view kGraph = SettingsStore::kGraphAppearance;
    constexpr std::string_view kRefine = SettingsStore::kEnableRefinement;
    constexpr std::string_view kNotes = SettingsStore::kNotesWindow;
    constexpr bool kWritten = true;
    constexpr bool kNotWritten = false;
    static const std::vector<Entry> kTable = {
        {kOpt, "God mode", "No", kNotWritten, Rule::StrictSwitch, &Options::godMode_},
        {kOpt, "Engineering mode", "No", kWritten, Rule::Switch, &Options::engineeringMode_},
        {kGen, "Show status bar", "Yes", kWritten, Rule::Switch, &Options::showStatusBar_},
        {kGen, "New venue template", "", kNotWritten, Rule::Template, &Options::newVenueTemplate_},
        {kGen, "Show recently used file list", "Yes", kWritten, Rule::Switch, &Options::showRecentFileList_},
        {kGen, "Recently used file list entries", "4", kWritten, Rule::Whole, &Options::recentFileListEntries_},
        {kGen, "Max Auto-Configure time (milliseconds)", "30000", kWritten, Rule::Whole, &Options::maxAutoConfigureTime_},
        {kGen, "Max Auto-Configure overthrow (degrees)", "2", kWritten, Rule::Single, &Options::maxAutoConfigureOverthrow_},
        {kGen, "Max Auto-Configure underthrow (degrees)", "2", kWritten, Rule::Single, &Options::maxAutoConfigureUnderthrow_},
        {kGen, "Click and drag venue items", "Yes", kWritten, Rule::Switch, &Options::clickAndDragVenueItems_},
        {kGen, "Snap to grid", "Yes", kWritten, Rule::Switch, &Options::snapToGrid_},
        {kGen, "Snap to grid size (feet or meters)", "1", kWritten, Rule::PositiveSingle, &Options::snapToGridSize_},
        {kGen, "Disable screen saver while running Auto-Configure", "Yes", kWritten, Rule::Switch, &Options::disableScreenSaver_},
        {kGen, "Lock bumper during Auto-Configure", "No", kWritten, Rule::Switch, &Options::lockBumperDuringAutoConfigure_},
        {kGraph, "Antialias", "Yes", kWritten, Rule::Switch, &Options::antialias_},
        {kGraph, "Show array polar response", "Yes", kWritten, Rule::Switch, &Options::showArrayPolarResponse_},
        {kGraph, "Show cell numbers", "No", kWritten, Rule::Switch, &Options::showCellNumbers_},
        {kGraph, "Show cell pinning configurations", "No", kWritten, Rule::Switch, &Options::showCellPinningConfigurations_},
        {kGraph, "Show cell splay angles", "No", kWritten, Rule::Switch, &Options::showCellSplayAngles_},
        {kRefine, "Enable Refinement Calculations", "No", kWritten, Rule::Switch, &Options::enableRefinementCalculations_},
        {kGraph, "Show center of gravity", "Yes", kWritten, Rule::Switch, &Options::showCenterOfGravity_},
        {kGraph, "Show colored reponse levels on seating areas", "Yes", kWritten, Rule::Switch, &Options::showColoredResponseLevels_},
        {kGraph, "Show coordinates while dragging", "Yes", kWritten, Rule::Switch, &Options::showCoordinatesWhileDragging_},
        {kGraph, "Show distance between cables", "Yes", kWritten, Rule::Switch, &Options::showDistanceBetweenCables_},
        {kGraph, "Show far field transition lines", "No", kWritten, Rule::Switch, &Options::showFarFieldTransitionLines_},
        {kGraph, "Show grid", "Yes", kWritten, Rule::Switch, &Options::showGrid_},
        {kGraph, "Show listening points", "Yes", kWritten, Rule::Switch, &Options::showListeningPoints_},
        {kGraph, "Show scale", "Yes", kWritten, Rule::Switch, &Options::showScale_},
        {kGraph, "Show sound paths", "Yes", kWritten, Rule::Switch, &Options::showSoundPaths_},
        {kGraph, "Show sound path misses", "Yes", kWritten, Rule::Switch, &Options::showSoundPathMisses_},
        {kGraph, "Show weights", "Yes", kWritten, Rule::Switch, &Options::showWeights_},
        {kNotes, "Font", "Tahoma", kWritten, Rule::Text, &Options::notesFont_},
        {kNotes, "Size", "10", kWritten, Rule::Single, &Options::notesSize_},
        {kNotes, "Bold", "No", kWritten, Rule::Switch, &Options::notesBold_},
        {kNotes, "Italic", "No", kWritten, Rule::Switch, &Options::notesItalic_},
    };
    return kTable;
}

Options::Options(SettingsStore& store) : store_(store) {}

Options::~Options() = default;

void Options::Read(const ProgramConstants& constants, WelcomePrompt& welcome, Clock& clock)
{
    for (const Entry& entry : Table()) {
        const std::string text =
            store_.GetSetting(entry.subKey, entry.name, entry.defaultText, entry.writeBack);
        switch (entry.rule) {
        case Rule::Switch: {
            bool& value = this->*std::get<bool Options::*>(entry.member);
            value = OptionText::ReadSwitch(text, value);
            break;
        }
        case Rule::StrictSwitch:
            this->*std::get<bool Options::*>(entry.member) = OptionText::ReadStrictSwitch(text);
            break;
        case Rule::Whole:
            this->*std::get<int Options::*>(entry.member) =
                OptionText::ReadWholeNumber(text).value_or(
                    OptionText::ReadWholeNumber(entry.defaultText).value());
            break;
        case Rule::Single:
        case Rule::PositiveSingle: {
            const std::optional<float> value = OptionText::ReadSingle(text);
            const bool usable = value && (entry.rule != Rule::PositiveSingle || *value > 0);
            this->*std::get<float Options::*>(entry.member) =
                usable ? *value : OptionText::ReadSingle(entry.defaultText).value();
            break;
        }
        case Rule::Text:
            this->*std::get<std::string Options::*>(entry.member) = text;
            break;
        case Rule::Template:
            this->*std::get<std::string Options::*>(entry.member) = text;
            ChooseTemplate(constants, welcome, clock);
            break;
        }
    }
    ReadColors();
}

void Options::ChooseTemplate(const ProgramConstants& constants, WelcomePrompt& welcome,
                             Clock& clock)
{
    if (!newVenueTemplate_.empty() && IsExistingFile(newVenueTemplate_))
        return;
    const bool metric = newVenueTemplate_.empty()
                            ? welcome.AskMeasurementSystem() == MeasurementSystem::Metric
                            : OptionText::ToLower(newVenueTemplate_).find("metric") != std::string::npos;
    SetNewVenueTemplate(metric ? constants.MetricTemplate() : constants.EnglishTemplate());
    clock.LetMessagesRun();
}

void Options::ReadColors() { colors_.Read(store_); }
void Options::StoreColors() { colors_.Store(store_); }

template <class M>
void Options::StoreText(M member, const std::string& text)
{
    for (const Entry& entry : Table()) {
        if (const M* candidate = std::get_if<M>(&entry.member); candidate && *candidate == member) {
            store_.SaveSetting(entry.subKey, entry.name, text);
            return;
        }
    }
    throw std::logic_error("An option is missing from the table of options");
}

void Options::SetSwitch(bool Options::*member, bool on)
{
    this->*member = on;
    StoreText(member, std::string(OptionText::SwitchText(on)));
}

void Options::SetWhole(int Options::*member, int value)
{
    this->*member = value;
    StoreText(member, std::to_string(value));
}

void Options::SetSingle(float Options::*member, float value)
{
    this->*member = value;
    StoreText(member, OptionText::NumberText(value));
}

void Options::SetText(std::string Options::*member, const std::string& text)
{
    this->*member = text;
    StoreText(member, text);
}

void Options::SetEngineeringMode(bool on)
{
    SetSwitch(&Options::engineeringMode_, on);
    if (modeListener_)
        modeListener_->ModeSwitched(on);
}

void Options::SwitchToEngineeringMode() { SetEngineeringMode(true); }
void Options::SwitchToStandardMode() { SetEngineeringMode(false); }

void Options::SetShowStatusBar(bool on) { SetSwitch(&Options::showStatusBar_, on); }
void Options::SetNewVenueTemplate(const std::string& path) { SetText(&Options::newVenueTemplate_, path); }
void Options::SetShowRecentFileList(bool on) { SetSwitch(&Options::showRecentFileList_, on); }
void Options::SetRecentFileListEntries(int entries) { SetWhole(&Options::recentFileListEntries_, entries); }
void Options::SetMaxAutoConfigureTime(int ms) { SetWhole(&Options::maxAutoConfigureTime_, ms); }

void Options::SetMaxAutoConfigureOverthrow(float degrees)
{
    RequireFinite(degrees, "The Auto-Configure overthrow");
    SetSingle(&Options::maxAutoConfigureOverthrow_, degrees);
}

void Options::SetMaxAutoConfigureUnderthrow(float degrees)
{
    RequireFinite(degrees, "The Auto-Configure underthrow");
    SetSingle(&Options::maxAutoConfigureUnderthrow_, degrees);
}

void Options::SetClickAndDragVenueItems(bool on) { SetSwitch(&Options::clickAndDragVenueItems_, on); }
void Options::SetSnapToGrid(bool on) { SetSwitch(&Options::snapToGrid_, on); }

void Options::SetSnapToGridSize(float size)
{
    RequirePositive(size, "The snap-to-grid size");
    SetSingle(&Options::snapToGridSize_, size);
}

void Options::SetDisableScreenSaver(bool on) { SetSwitch(&Options::disableScreenSaver_, on); }
void Options::SetLockBumperDuringAutoConfigure(bool on) { SetSwitch(&Options::lockBumperDuringAutoConfigure_, on); }
void Options::SetAntialias(bool on) { SetSwitch(&Options::antialias_, on); }
void Options::SetShowArrayPolarResponse(bool on) { SetSwitch(&Options::showArrayPolarResponse_, on); }
void Options::SetShowCellNumbers(bool on) { SetSwitch(&Options::showCellNumbers_, on); }
void Options::SetShowCellPinningConfigurations(bool on) { SetSwitch(&Options::showCellPinningConfigurations_, on); }
void Options::SetShowCellSplayAngles(bool on) { SetSwitch(&Options::showCellSplayAngles_, on); }
void Options::SetEnableRefinementCalculations(bool on) { SetSwitch(&Options::enableRefinementCalculations_, on); }
void Options::SetShowCenterOfGravity(bool on) { SetSwitch(&Options::showCenterOfGravity_, on); }
void Options::SetShowColoredResponseLevels(bool on) { SetSwitch(&Options::showColoredResponseLevels_, on); }
void Options::SetShowCoordinatesWhileDragging(bool on) { SetSwitch(&Options::showCoordinatesWhileDragging_, on); }
void Options::SetShowDistanceBetweenCables(bool on) { SetSwitch(&Options::showDistanceBetweenCables_, on); }
void Options::SetShowFarFieldTransitionLines(bool on) { SetSwitch(&Options::showFarFieldTransitionLines_, on); }
void Options::SetShowGrid(bool on) { SetSwitch(&Options::showGrid_, on); }
void Options::SetShowListeningPoints(bool on) { SetSwitch(&Options::showListeningPoints_, on); }
void Options::SetShowScale(bool on) { SetSwitch(&Options::showScale_, on); }
void Options::SetShowSoundPaths(bool on) { SetSwitch(&Options::showSoundPaths_, on); }
void Options::SetShowSoundPathMisses(bool on) { SetSwitch(&Options::showSoundPathMisses_, on); }
void Options::SetShowWeights(bool on) { SetSwitch(&Options::showWeights_, on); }
void Options::SetNotesFont(const std::string& name) { SetText(&Options::notesFont_, name); }

void Options::SetNotesSize(float points)
{
    RequirePositive(points, "The notes font size");
    SetSingle(&Options::notesSize_, points);
}

void Options::SetNotesBold(bool on) { SetSwitch(&Options::notesBold_, on); }
void Options::SetNotesItalic(bool on) { SetSwitch(&Options::notesItalic_, on); }

} // namespace polvane
