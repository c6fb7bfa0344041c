#include "windows/controls/ColorPresetMenu.h"

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <system_error>

#include <QAction>

#include "files/FileData.h"
#include "platform/Prompts.h"
#include "shell/options/ColorTable.h"
#include "shell/commands/MenuText.h"
#include "shell/options/Options.h"

namespace polvane {

namespace fs = std::filesystem;

ColorPresetMenu::ColorPresetMenu(Options& options, Prompts& prompts, std::string presetsFolder, Hooks hooks,
                                 QWidget* parent)
    : QMenu(parent), options_(options), prompts_(prompts), presetsFolder_(std::move(presetsFolder)),
      hooks_(std::move(hooks))
{
    using Standard = ColorPresets::Standard;
    setObjectName(QStringLiteral("mnuColor"));
    QMenu* standard = addMenu(QStringLiteral("&Standard"));
    standard->setObjectName(QStringLiteral("mnuColorStandard"));
    AddItem(standard, "mnuColorStandardDefault", QStringLiteral("&Default"),
            [this] { ApplyStandard(Standard::Default); });
    AddItem(standard, "mnuColorStandardRadar", QStringLiteral("&Radar Screen"),
            [this] { ApplyStandard(Standard::RadarScreen); });
    AddItem(standard, "mnuColorStandardSilver", QStringLiteral("&Silver"),
            [this] { ApplyStandard(Standard::Silver); });
    custom_ = addMenu(QStringLiteral("&Custom"));
    custom_->setObjectName(QStringLiteral("mnuColorCustom"));
    QAction* first = AddItem(custom_, "mnuColorCustomSelect(0)", QString(), [] {});
    first->setVisible(false);
    customItems_.push_back(first);
    addSeparator()->setObjectName(QStringLiteral("mnuColorSep0"));
    AddItem(this, "mnuColorSaveCurrent", QStringLiteral("Save current..."), [this] { SaveCurrent(); });
}

QAction* ColorPresetMenu::AddItem(QMenu* menu, const char* name, const QString& text,
                                  std::function<void()> action)
{
    auto* item = new QAction(text, menu);
    item->setObjectName(QString::fromUtf8(name));
    menu->addAction(item);
    std::string procedure(name);
    procedure = procedure.substr(0, procedure.find('(')) + "_Click";
    connect(item, &QAction::triggered, this,
            [this, procedure, action = std::move(action)] { hooks_.guard(procedure, action); });
    return item;
}

void ColorPresetMenu::ApplyStandard(ColorPresets::Standard preset)
{
    ColorPresets::ApplyStandard(preset, options_.Colors());
    hooks_.changed();
}

void ColorPresetMenu::Load()
{
    std::error_code error;
    fs::create_directories(presetsFolder_, error);
    const std::vector<ColorPresets::Saved> saved = ColorPresets::List(presetsFolder_);
    while (customItems_.size() > saved.size() + 1) {
        delete customItems_.back();
        customItems_.pop_back();
    }
    while (customItems_.size() < saved.size() + 1) {
        const int index = static_cast<int>(customItems_.size());
        const std::string name = "mnuColorCustomSelect(" + std::to_string(index) + ")";
        customItems_.push_back(AddItem(custom_, name.c_str(), QString(), [this, index] {
            const QAction* item = CustomItem(index);
            ApplyCustom(item->text().replace(QStringLiteral("&&"), QStringLiteral("&")).toStdString(),
                        item->data().toString().toStdString());
        }));
    }
    for (std::size_t index = 0; index < saved.size(); ++index) {
        QAction* item = customItems_[index + 1];
        item->setText(MenuText::Literal(saved[index].name));
        item->setData(QString::fromStdString(saved[index].path));
        item->setVisible(true);
    }
    customItems_[0]->setVisible(false);
    custom_->menuAction()->setVisible(!saved.empty());
}

QAction* ColorPresetMenu::CustomItem(int item) const
{
    if (item < 0 || item >= static_cast<int>(customItems_.size()))
        throw std::out_of_range("Custom preset item " + std::to_string(item) + " does not exist");
    return customItems_[static_cast<std::size_t>(item)];
}

bool ColorPresetMenu::ApplyCustom(const std::string& name, const std::string& path)
{
    FileData file;
    const std::optional<std::string> failure = ColorPresets::ReadReadable(path, file);
    const ColorTable before = options_.Colors();
    const std::vector<int> left = ColorPresets::Apply(file, options_.Colors());
    if (failure && options_.Colors() == before) {
        hooks_.warn("The color preset \"" + name + "\" could not be read, so no color was changed.\r\n" +
             *failure);
        return false;
    }
    hooks_.changed();
    if (failure)
        hooks_.warn("The color preset \"" + name + "\" could not be read whole; the colors it could "
             "read were set.\r\n" + *failure);
    if (!left.empty()) {
        std::string names;
        for (const int index : left)
            names += "\r\n" + std::string(ColorTable::Name(index));
        hooks_.warn("These colors of the preset \"" + name +
             "\" hold values outside 0 to 255 and were left as they were:" + names);
    }
    return true;
}

void ColorPresetMenu::SaveCurrent()
{
    std::error_code error;
    fs::create_directories(presetsFolder_, error);
    fs::path path;
    for (;;) {
        const std::optional<std::string> name = prompts_.AskText(kPresetPrompt, hooks_.title(), "");
        if (!name || name->empty())
            return;
        if (ColorPresets::RefusedCharacter(*name) != '\0') {
            hooks_.warn(kRefusedPresetName);
            continue;
        }
        path = fs::path(presetsFolder_) / (*name + ColorPresets::kExtension);
        const std::vector<ColorPresets::Saved> saved = ColorPresets::List(presetsFolder_);
        if (const ColorPresets::Saved* existing = ColorPresets::FindIgnoringCase(saved, *name)) {
            if (prompts_.ShowMessage("The preset \"" + *name + "\" already exists. Do you want to replace it?",
                                     hooks_.title(), MessageButtons::YesNo, MessageIcon::Question) !=
                MessageAnswer::Yes)
                continue;
            // Replacing "hall" with "Hall" replaces that file, not a second one beside it.
            path = existing->path;
        }
        break;
    }
    try {
        ColorPresets::Build(options_.Colors()).WriteFile(path);
    } catch (const std::exception& failure) {
        hooks_.warn("The color preset could not be saved to \"" + path.string() + "\".\r\n" + failure.what());
        return;
    }
    // The new preset can be chosen at once.
    Load();
}

} // namespace polvane
