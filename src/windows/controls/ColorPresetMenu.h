#pragma once

#include <functional>
#include <string>
#include <vector>

#include <QMenu>

#include "shell/options/ColorPresets.h"

class QAction;

namespace polvane {

class Options;
class Prompts;

// The Options dialog's colour presets menu: the standard colour sets, the presets saved as
// "*.color" files in the presets folder, and saving the colours in use as a new preset.
class ColorPresetMenu : public QMenu {
    Q_OBJECT

public:
    static constexpr const char* kPresetPrompt = "Please enter a name for this color preset:";
    static constexpr const char* kRefusedPresetName =
        "Preset names cannot contain any of the following characters:\r\n\\ / : * ? \" < > | .";

    // What the menu asks of its dialog: to run a handler under the error reporter, to warn
    // the user, the title of its messages, and to show colours that changed.
    struct Hooks {
        std::function<void(const std::string& handler, const std::function<void()>& action)> guard;
        std::function<void(const std::string& message)> warn;
        std::function<std::string()> title;
        std::function<void()> changed;
    };

    ColorPresetMenu(Options& options, Prompts& prompts, std::string presetsFolder, Hooks hooks,
                    QWidget* parent);

    // Rebuilds the Custom submenu from the presets folder (created when missing).
    void Load();
    void ApplyStandard(ColorPresets::Standard preset);
    // Sets the colours a saved preset holds whole. A file that cannot be read is reported and
    // changes nothing; true when the preset was applied.
    bool ApplyCustom(const std::string& name, const std::string& path);
    // Asks a name and writes the colours in use to a preset file of that name.
    void SaveCurrent();

    // Custom preset item 0..n (item 0 is never shown); std::out_of_range for any other.
    QAction* CustomItem(int item) const;
    int CustomCount() const { return static_cast<int>(customItems_.size()) - 1; }

private:
    QAction* AddItem(QMenu* menu, const char* name, const QString& text, std::function<void()> action);

    Options& options_;
    Prompts& prompts_;
    std::string presetsFolder_;
    Hooks hooks_;
    QMenu* custom_ = nullptr;
    std::vector<QAction*> customItems_; // item 0 stays hidden
};

} // namespace polvane
