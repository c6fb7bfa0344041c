#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/Prompts.h"
#include "shell/options/ColorPresets.h"
#include "windows/dialogs/ModalDialog.h"

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QSpinBox;
class QTabWidget;

namespace polvane {

class ChooseColorDialog;
class ColorPresetMenu;
class ColorSwatch;
class ErrorReporter;
class LinkLabel;
class Options;
class UpdateHub;

// Tools > Options: the options of the General, Graph Appearance and Notes Window tabs, and
// the colour table with its presets on the Colors tab. Run fills every control from the
// options in memory, shows the dialog modally and, on OK, stores every value shown (in
// memory and in the settings) and refreshes the windows. Colour edits take effect in memory
// at once; Cancel reads the colours back from the settings.
//
// OK is refused, with a message, while a number box holds what its option cannot take, so
// that nothing typed is lost and no option gets a value it cannot hold.
class OptionsDialog : public ModalDialog {
    Q_OBJECT

public:
    static constexpr const char* kTemplateTitle = "Select Default Venue Template...";
    static constexpr const char* kTemplateFilter =
        "Zell Venue file, version 2 (*.venue)|*.venue|All files (*.*)|*.*";
    static constexpr std::array<const char*, 4> kHelpTopics = {
        "reference_options_general", "reference_options_graph_appearance",
        "reference_options_colors", "reference_options_notes"};

    // How a dialog is shown modally: exec() in the program, a script in tests.
    using ShowModal = std::function<void(QDialog&)>;

    // metricVenue tells the snap size's unit; presetsFolder holds the "*.color" files.
    OptionsDialog(Options& options, Prompts& prompts, UpdateHub& hub, ErrorReporter& reporter,
                  std::function<bool()> metricVenue, std::string presetsFolder,
                  QWidget* parent = nullptr);
    ~OptionsDialog() override;

    void SetShowModal(ShowModal show) { showModal_ = std::move(show); }

    // The whole round trip of Tools > Options.
    void Run();
    // Every control from the options in memory.
    void Fill();
    // Every value shown into the options, in their fixed order, then the colours.
    void Store();

    // The swatch and the component labels for the selected colour.
    void UpdateInterface();
    // Rebuilds the Custom presets menu from the presets folder (created when missing).
    void LoadColorPresets();
    void ApplyStandardPreset(ColorPresets::Standard preset);
    // Sets the colours a saved preset holds whole. A file that cannot be read is reported and
    // changes nothing; true when the preset was applied.
    bool ApplyCustomPreset(const std::string& name, const std::string& path);
    // Asks a name and writes the colours in use to a preset file of that name.
    void SaveCurrentPreset();
    // Opens the colour choice dialog on the selected colour.
    void ChooseColor();

    // OK: refused while a number box cannot be stored (see above).
    void accept() override;

    // The spin rules, from the box's number x one step up (+1) or down (-1).
    // Seconds: to the next multiple of 10 in the direction of the step, never below 1.
    static double StepTime(double x, int direction);
    // Degrees: a whole number steps by one; any other goes to its nearest whole number
    // (halves to even), plus one when stepping up.
    static double StepWhole(double x, int direction);
    static double StepSnap(double x, int direction);       // as StepWhole, never below 0.5
    static double StepRecentFiles(double x, int direction); // as StepWhole, within 1..10

    ChooseColorDialog* ColorChooser() const { return chooser_; }
    // Custom preset item 0..n (item 0 is never shown); std::out_of_range for any other.
    QAction* CustomPresetItem(int item) const;
    int CustomPresetCount() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Numbers {
        int timeMs;
        float overthrow;
        float underthrow;
        float snapSize;
    };

    void Guard(const std::string& handler, const std::function<void()>& action);
    std::string Title() const;
    QWidget* BuildGeneralTab();
    QWidget* BuildGraphTab();
    QWidget* BuildColorsTab();
    QWidget* BuildNotesTab();
    QCheckBox* AddCheckBox(QWidget* page, const char* name);
    QLineEdit* AddBox(QWidget* page, const char* name);
    QSpinBox* AddSpin(QWidget* page, const char* name, QLineEdit* box, double (*rule)(double, int));
    QCheckBox* CheckBox(const char* name) const;
    // What a number box shows of its option when filled, and again when it holds no number.
    QString HeldText(const QLineEdit* box) const;
    void ApplyClickAndDrag();
    void ApplySoundPaths();
    void ChooseTemplate();
    void ChooseFont();
    void ShowTemplate();
    // The numbers of the boxes, or nothing after telling the user what a box lacks.
    std::optional<Numbers> ReadNumbers(bool tell);
    void Refuse(QLineEdit* box, const std::string& message);
    void Warn(const std::string& message);

    Options& options_;
    Prompts& prompts_;
    UpdateHub& hub_;
    ErrorReporter& reporter_;
    std::function<bool()> metricVenue_;
    ShowModal showModal_;
    std::string templatePath_;
    FontChoice font_;

    QTabWidget* tabOptions_ = nullptr;
    LinkLabel* lblDefaultVenueFile_ = nullptr;
    QLineEdit* txtMRUEntries_ = nullptr;
    QLineEdit* txtMaxAutoCalcTime_ = nullptr;
    QLineEdit* txtMaxAutoCalcOverthrow_ = nullptr;
    QLineEdit* txtMaxAutoCalcUnderthrow_ = nullptr;
    QLineEdit* txtSnapTo_ = nullptr;
    QSpinBox* spnSnapTo_ = nullptr;
    QLabel* lblSnapToUnits_ = nullptr;
    QListWidget* lstGraphItems_ = nullptr;
    ColorSwatch* picColor_ = nullptr;
    std::array<QLabel*, 4> componentLabels_{}; // alpha, red, green, blue
    LinkLabel* lblFont_ = nullptr;
    ColorPresetMenu* presets_ = nullptr;
    ChooseColorDialog* chooser_ = nullptr;
};

} // namespace polvane
