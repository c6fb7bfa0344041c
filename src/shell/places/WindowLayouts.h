#pragma once

#include <functional>
#include <string>
#include <vector>

class QAction;
class QMainWindow;
class QMenu;

namespace polvane {

class FileData;
class MainWindowPlace;
class MenuBuilder;
class Prompts;
class ShellMainWindow;
class ToolWindowSlots;
class UpdateHub;
struct ToolWindowInfo;

// The saved window layouts of View > Arrange Windows: files ("*.layout") holding the main
// window's and the tool windows' places, saved under a name the user gives and listed in
// the menu to be applied again.
class WindowLayouts {
public:
    static constexpr const char* kLayoutHeader = "Quessel Polvane window layout file";
    static constexpr const char* kLayoutExtension = ".layout";

    // Adds the save item, a separator and the (hidden) first layout item to the menu.
    WindowLayouts(QMainWindow& window, MainWindowPlace& place, QMenu& arrangeMenu,
                  MenuBuilder& menus, Prompts& prompts, std::function<std::string()> title,
                  ToolWindowSlots& toolWindows, ShellMainWindow& shell, UpdateHub& hub);

    // The folder of the saved window layouts; lists them in the View menu and enables Save
    // Current Layout, which stays disabled until a folder is given.
    // Layouts are saved in `folder`; those in `alsoListed` (the program's own folder, when it
    // cannot be written) are listed too, a name in `folder` winning.
    void SetLayoutFolder(std::string folder, std::string alsoListed = {});
    // Rebuilds the saved-layout items of View > Arrange Windows from the layout folder
    // (created when missing): one item per "*.layout" file in byte order, captioned with
    // the name before its last full stop, the full path in its data. Surplus items are
    // removed; with no file the items and their separator are hidden.
    void LoadLayoutMenus();
    // The saved-layout item 0..n; std::out_of_range for any other.
    QAction* LayoutItem(int item) const;
    int LayoutItemCount() const { return static_cast<int>(layoutItems_.size()) - 1; }
    // Asks a name and writes the main window's and the tool windows' places to a layout
    // file of that name. A name that cannot be a file name is refused and asked again; an
    // empty one ends the command. A file that cannot be written is reported in a message.
    void SaveCurrentLayout();
    // Applies a layout file. A file that cannot be read or is corrupted is reported in a
    // message and changes nothing. True when the layout was applied.
    bool OpenLayout(const std::string& path);

private:
    void WriteWindowPos(FileData& file, const ToolWindowInfo& info) const;
    void ReadWindowPos(const FileData& file, const ToolWindowInfo& info);

    QMainWindow& window_;
    MainWindowPlace& place_;
    QMenu& arrangeMenu_;
    MenuBuilder& menus_;
    Prompts& prompts_;
    std::function<std::string()> title_;
    ToolWindowSlots& slots_;
    ShellMainWindow& shell_;
    UpdateHub& hub_;
    std::string layoutFolder_;
    std::string alsoListedLayoutFolder_;
    QAction* layoutSaveItem_ = nullptr;
    QAction* layoutSeparator_ = nullptr;
    std::vector<QAction*> layoutItems_; // item 0 stays hidden
};

} // namespace polvane
