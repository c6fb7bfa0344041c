#include "shell/places/WindowLayouts.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <stdexcept>
#include <string_view>
#include <utility>

#include <QAction>
#include <QMainWindow>
#include <QMenu>

#include "files/FileData.h"
#include "files/FileFormatError.h"
#include "files/InputFile.h"
#include "platform/Prompts.h"
#include "shell/places/MainWindowPlace.h"
#include "shell/commands/MenuBuilder.h"
#include "shell/commands/MenuText.h"
#include "shell/places/PlaceableWindow.h"
#include "shell/options/SavedFiles.h"
#include "shell/session/ShellMainWindow.h"
#include "shell/places/ToolWindowRegistry.h"
#include "shell/places/ToolWindowSlot.h"
#include "shell/places/ToolWindowSlots.h"
#include "shell/session/UpdateHub.h"
#include "shell/session/WindowRegistry.h"

namespace polvane {

namespace {

namespace fs = std::filesystem;

bool IsYes(const std::string& text)
{
    return text.size() == 3 && (text[0] | 0x20) == 'y' && (text[1] | 0x20) == 'e' &&
           (text[2] | 0x20) == 's';
}

// The characters a layout name may not hold: those no file name may, and the full stop,
// which would end the name at the wrong place.
constexpr const char* kRefusedLayoutCharacters = "\\/:*?\"<>|.";

std::string ItemName(int index) { return MenuBuilder::Indexed("mnuViewWindowsArrangeCustom", index); }

} // namespace

WindowLayouts::WindowLayouts(QMainWindow& window, MainWindowPlace& place, QMenu& arrangeMenu,
                             MenuBuilder& menus, Prompts& prompts, std::function<std::string()> title,
                             ToolWindowSlots& toolWindows, ShellMainWindow& shell, UpdateHub& hub)
    : window_(window), place_(place), arrangeMenu_(arrangeMenu), menus_(menus),
      prompts_(prompts), title_(std::move(title)), slots_(toolWindows), shell_(shell), hub_(hub)
{
    // Saving needs the layout folder, which comes after the window is built.
    layoutSaveItem_ = menus_.AddItem(&arrangeMenu_, "mnuViewWindowsArrangeSave",
                                     QStringLiteral("&Save Current Layout..."),
                                     [this] { SaveCurrentLayout(); });
    layoutSaveItem_->setEnabled(false);
    layoutSeparator_ = menus_.AddSeparator(&arrangeMenu_, "mnuViewWindowsArrangeSep1");
    layoutSeparator_->setVisible(false);
    QAction* first = menus_.AddItem(&arrangeMenu_, ItemName(0), QString());
    first->setVisible(false);
    layoutItems_.push_back(first);
}

void WindowLayouts::SetLayoutFolder(std::string folder, std::string alsoListed)
{
    layoutFolder_ = std::move(folder);
    alsoListedLayoutFolder_ = alsoListed == layoutFolder_ ? std::string() : std::move(alsoListed);
    layoutSaveItem_->setEnabled(!layoutFolder_.empty());
    LoadLayoutMenus();
}

void WindowLayouts::LoadLayoutMenus()
{
    std::map<std::string, std::string> found; // name -> folder, sorted by name
    if (!layoutFolder_.empty()) {
        // A folder that cannot be created or listed lists no layout; saving one says why.
        std::error_code error;
        fs::create_directories(layoutFolder_, error);
    }
    // The saving folder last, so that its layouts win over the program's own of that name.
    for (const std::string* folder : {&alsoListedLayoutFolder_, &layoutFolder_}) {
        if (folder->empty())
            continue;
        for (const SavedFiles::Saved& layout : SavedFiles::List(*folder, kLayoutExtension))
            found[layout.name + kLayoutExtension] = *folder;
    }
    std::vector<std::string> names;
    for (const auto& entry : found)
        names.push_back(entry.first);

    if (names.empty()) {
        for (QAction* item : layoutItems_)
            item->setVisible(false);
        layoutSeparator_->setVisible(false);
        return;
    }
    while (layoutItems_.size() > names.size() + 1) {
        delete layoutItems_.back();
        layoutItems_.pop_back();
    }
    while (layoutItems_.size() < names.size() + 1) {
        const int index = static_cast<int>(layoutItems_.size());
        layoutItems_.push_back(menus_.AddItem(&arrangeMenu_, ItemName(index), QString(), [this, index] {
            OpenLayout(LayoutItem(index)->data().toString().toStdString());
        }));
    }
    for (std::size_t index = 0; index < names.size(); ++index) {
        QAction* item = layoutItems_[index + 1];
        const std::string& name = names[index];
        item->setText(MenuText::Literal(name.substr(0, name.rfind('.'))));
        item->setData(QString::fromStdString((fs::path(found[name]) / name).string()));
        item->setVisible(true);
    }
    layoutItems_[0]->setVisible(false);
    layoutSeparator_->setVisible(true);
}

QAction* WindowLayouts::LayoutItem(int item) const
{
    if (item < 0 || item >= static_cast<int>(layoutItems_.size()))
        throw std::out_of_range("Layout item " + std::to_string(item) + " does not exist");
    return layoutItems_[static_cast<std::size_t>(item)];
}

void WindowLayouts::SaveCurrentLayout()
{
    if (layoutFolder_.empty())
        return;
    fs::path path;
    for (;;) {
        const std::optional<std::string> name =
            prompts_.AskText("Please enter a name for this layout:", title_(), "My Custom Layout");
        if (!name || name->empty())
            return;
        if (name->find_first_of(kRefusedLayoutCharacters) != std::string::npos) {
            prompts_.ShowMessage("Window layout names cannot contain any of the following "
                                 "characters:\r\n\\ / : * ? \" < > | .",
                                 title_(), MessageButtons::Ok, MessageIcon::Exclamation);
            continue;
        }
        path = fs::path(layoutFolder_) / (*name + kLayoutExtension);
        // The saving folder's layouts first: they win over the program's own in the menu.
        std::vector<SavedFiles::Saved> saved = SavedFiles::List(layoutFolder_, kLayoutExtension);
        if (!alsoListedLayoutFolder_.empty()) {
            const std::vector<SavedFiles::Saved> shipped =
                SavedFiles::List(alsoListedLayoutFolder_, kLayoutExtension);
            saved.insert(saved.end(), shipped.begin(), shipped.end());
        }
        if (const SavedFiles::Saved* existing = SavedFiles::FindIgnoringCase(saved, *name)) {
            if (prompts_.ShowMessage("The preset \"" + *name +
                                         "\" already exists. Do you want to replace it?",
                                     title_(), MessageButtons::YesNo, MessageIcon::Question) !=
                MessageAnswer::Yes)
                continue;
            // Replacing "hall" with "Hall" replaces that layout, not a second one beside it;
            // one in the program's own folder is replaced by a saved one of its very name.
            path = fs::path(layoutFolder_) / (existing->name + kLayoutExtension);
        }
        break;
    }

    FileData file;
    file.SetHeaderText({kLayoutHeader});
    file.AddString("MAIN_WINDOW_MAXIMIZED", window_.isMaximized() ? "Yes" : "No");
    if (!window_.isMaximized()) {
        const std::array<int, 4> place = place_.Twips();
        file.AddInteger("MAIN_WINDOW_LEFT", place[0]);
        file.AddInteger("MAIN_WINDOW_TOP", place[1]);
        file.AddInteger("MAIN_WINDOW_WIDTH", place[2]);
        file.AddInteger("MAIN_WINDOW_HEIGHT", place[3]);
    }
    for (const ToolWindowInfo& info : ToolWindowRegistry::All())
        WriteWindowPos(file, info);
    try {
        // The folder may have been removed since the menu was built.
        std::error_code error;
        fs::create_directories(layoutFolder_, error);
        file.WriteFile(path);
    } catch (const std::exception& failure) {
        prompts_.ShowMessage("The window layout could not be saved to \"" + path.string() +
                                 "\".\r\n" + failure.what(),
                             title_(), MessageButtons::Ok, MessageIcon::Exclamation);
        return;
    }
    LoadLayoutMenus();
}

bool WindowLayouts::OpenLayout(const std::string& path)
{
    FileData file;
    // Everything is read before anything moves, so a file that fails leaves the windows
    // as they are.
    std::ifstream in;
    try {
        in = InputFile::Open(path);
    } catch (const FileFormatError& failure) {
        prompts_.ShowMessage("The window layout could not be opened.\r\n" +
                                 std::string(failure.what()),
                             title_(), MessageButtons::Ok, MessageIcon::Exclamation);
        return false;
    }
    try {
        file.ReadFrom(in, InputFile::PathText(path));
    } catch (const FileFormatError&) {
        prompts_.ShowMessage("The file storing this window layout appears to be corrupted. "
                             "Cannot open layout.",
                             title_(), MessageButtons::Ok, MessageIcon::Exclamation);
        return false;
    }

    if (IsYes(file.FindString("MAIN_WINDOW_MAXIMIZED", "Yes"))) {
        window_.setWindowState(Qt::WindowMaximized);
    } else {
        const std::optional<std::int32_t> values[] = {
            file.FindInteger("MAIN_WINDOW_LEFT"), file.FindInteger("MAIN_WINDOW_TOP"),
            file.FindInteger("MAIN_WINDOW_WIDTH"), file.FindInteger("MAIN_WINDOW_HEIGHT")};
        const auto present = [](const std::optional<std::int32_t>& value) { return value.has_value(); };
        if (std::all_of(std::begin(values), std::end(values), present))
            place_.PlaceNormal({*values[0], *values[1], *values[2], *values[3]});
        else
            window_.setWindowState(Qt::WindowMaximized);
    }
    for (const ToolWindowInfo& info : ToolWindowRegistry::All())
        ReadWindowPos(file, info);
    shell_.UpdateVisibleWindows();
    hub_.UpdateInterfaces(UpdateScope::All, false);
    return true;
}

void WindowLayouts::WriteWindowPos(FileData& file, const ToolWindowInfo& info) const
{
    const std::string name = ToolWindowRegistry::LayoutName(info.id);
    ToolWindowSlot* slot = slots_.Of(info.id);
    // A window that start-up loaded without showing (the listening points window) is not
    // open, and the layout must not open it.
    const bool loaded =
        slot != nullptr && slots_.Windows().IsLoaded(info.id) && slot->Load().IsShown();
    file.AddString(name + "_WINDOW_LOADED", loaded ? "Yes" : "No");
    if (!loaded)
        return;
    const PlaceableWindow& window = slot->Load();
    file.AddInteger(name + "_WINDOW_LEFT", window.Left());
    file.AddInteger(name + "_WINDOW_TOP", window.Top());
    if (info.sizable) {
        file.AddInteger(name + "_WINDOW_WIDTH", window.Width());
        file.AddInteger(name + "_WINDOW_HEIGHT", window.Height());
    }
}

void WindowLayouts::ReadWindowPos(const FileData& file, const ToolWindowInfo& info)
{
    ToolWindowSlot* slot = slots_.Of(info.id);
    if (slot == nullptr)
        return;
    const std::string name = ToolWindowRegistry::LayoutName(info.id);
    if (IsYes(file.FindString(name + "_WINDOW_LOADED", "No"))) {
        const std::optional<std::int32_t> left = file.FindInteger(name + "_WINDOW_LEFT");
        const std::optional<std::int32_t> top = file.FindInteger(name + "_WINDOW_TOP");
        const std::optional<std::int32_t> width = file.FindInteger(name + "_WINDOW_WIDTH");
        const std::optional<std::int32_t> height = file.FindInteger(name + "_WINDOW_HEIGHT");
        if (left && top && (!info.sizable || (width && height))) {
            PlaceableWindow& window = slot->Load();
            if (info.sizable)
                window.Move(*left, *top, *width, *height);
            else
                window.Move(*left, *top);
            window.Show();
            return;
        }
    }
    slots_.Close(info);
}

} // namespace polvane
