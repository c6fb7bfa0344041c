#pragma once

#include <array>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include <QMainWindow>
#include <QSize>

#include "model/Units.h"
#include "shell/ModeSwitchListener.h"
#include "shell/PresetLayout.h"
#include "shell/RecentFiles.h"
#include "shell/ShellMainWindow.h"
#include "shell/ToolWindowId.h"
#include "shell/ToolWindowRegistry.h"
#include "shell/WindowPositions.h"

class QAction;
class QLabel;
class QMdiArea;
class QMenu;
class QTimer;

namespace polvane {

class CellPopupTarget;
class ErrorReporter;
class FileData;
class Options;
class PlaceableWindow;
class Prompts;
class RiggingPopupTarget;
class ScreenInfo;
class SplashWindow;
class ToolWindowSlot;
class UpdateHub;
class VenueLifecycle;
class WindowRegistry;

// The program's frame: the menu bar, the five hidden popup menus other windows borrow,
// the three-panel status bar and the area the tool windows live in. Menu items and menus
// carry their historic names as object names ("mnuFileNew").
//
// Closing the window by its close box never closes it at once: the place is saved, the
// save question is asked, and the program ends from a 30 ms timer so that the close event
// has returned before the windows are torn down. Only Unload (the orderly end) closes it.
// While it lives it is the options' mode-switch listener.
class MainWindow : public QMainWindow, public ShellMainWindow, public ModeSwitchListener {
    Q_OBJECT

public:
    static constexpr int kExitDelayMs = 30;
    static constexpr int kPopupItemCount = 20;
    static constexpr const char* kPlaceName = "Main Window";
    static constexpr const char* kUntitled = "(untitled venue)";
    static constexpr const char* kLayoutHeader = "Quessel Polvane window layout file";
    static constexpr const char* kLayoutExtension = ".layout";
    // Designed widths of the status panels 1..3, in twips.
    static constexpr std::array<int, 3> kPanelTwips{875, 3300, 1400};

    // Menu commands whose work lives elsewhere; their items stay disabled until a handler
    // is given.
    enum class Command { AutoConfigure, Design, Print, Options };
    enum class Popup { Type, Splay, Attenuation, Rigging, Extras };
    enum class Preset { k800x600, k1024x768, k1280x1024 };

    MainWindow(Options& options, Prompts& prompts, const ScreenInfo& screen,
               WindowRegistry& windows, ErrorReporter& reporter, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The venue and the hub, which are built with the main window in hand.
    void Connect(VenueLifecycle& lifecycle, UpdateHub& hub);
    // The orderly end of the program (the shut-down sequence and the end of the process).
    void SetEndProgram(std::function<void()> endProgram) { endProgram_ = std::move(endProgram); }
    // Help > About.
    void SetShowAbout(std::function<void()> showAbout) { showAbout_ = std::move(showAbout); }
    // Help > About shows the splash window; once it is clicked away the keyboard is this
    // window's again (the splash is a window of its own and took the activation).
    void SetAboutWindow(SplashWindow& splash);
    void SetCommand(Command command, std::function<void()> handler);
    // How a tool window is loaded and unloaded; enables its Tools item. Without a slot
    // (null) the item stays disabled and the arrangements pass the window over.
    void SetToolWindowSlot(ToolWindowId id, ToolWindowSlot* slot);
    void SetCellPopupTarget(CellPopupTarget* target) { cellTarget_ = target; }
    void SetRiggingPopupTarget(RiggingPopupTarget* target) { riggingTarget_ = target; }
    // The folder of the saved window layouts ("*.layout"); lists them in the View menu and
    // enables Save Current Layout, which stays disabled until a folder is given.
    // Layouts are saved in `folder`; those in `alsoListed` (the program's own folder, when it
    // cannot be written) are listed too, a name in `folder` winning.
    void SetLayoutFolder(std::string folder, std::string alsoListed = {});

    // ShellMainWindow
    void SetUnitsChecked(bool metric) override;
    void SetCaption() override;
    void UpdateVisibleWindows() override;
    void SetStatusPanel(int panel, const std::string& text) override;
    void SetRevertEnabled(bool enabled) override;
    void SetStateItemEnabled(int slot, bool enabled) override;

    // Checks Basic or Advanced, shows the engineering Tools items or hides them, then
    // arranges the preset layout for the screen.
    void ModeSwitched(bool engineeringMode) override;

    // At start-up, before the window is first shown: the previous run's place of the main
    // window and its tool windows (or the preset layout when no tool window opens), the
    // status bar per the options and the recently used files.
    void ShowWindows();
    // The preset for the screen's width, arranged.
    void LoadPresetWindows();
    // Places the main window, moves and shows the preset's tool windows, closes the others
    // it names closed (saved as hidden), then refreshes every window.
    void ArrangePreset(Preset preset);
    // Below 1024 pixels the 800 x 600 preset, from 1280 the 1280 x 1024 one, else 1024 x 768.
    static Preset PresetFor(int screenWidthPixels);
    // The 800 x 600 arrangement is the same in both modes; the larger ones are not.
    static PresetColumn ColumnOf(Preset preset, bool engineeringMode);
    // Maximised, whatever the preset: the arrangement fills the room there is.
    void PositionPreset(Preset preset);
    // The size the arrangements fill, in pixels: the work area's inside once the window
    // shows, before that the screen less the window's own bars.
    QSize WorkAreaSize() const;

    // The save question before New, Open, a recent file, Exit and the close box. True when
    // the command goes on: no unsaved changes, No, or Yes with the venue saved. Cancel, or
    // Yes with the save cancelled or failed, stops the command so no change is lost.
    bool AskToSaveChanges();
    // A recently used file chosen from the File menu: the save question, then the file is
    // opened (a file that cannot be opened is reported and the venue stays as it was), then
    // the list is shown again.
    bool OpenRecentFile(const std::string& path);
    // Array > "Distill to PLR file..." (an item never shown): the array's polar response
    // at every frequency into a "*.plr" file chosen in the save dialog. The venue is left
    // as it was; a file that cannot be written is reported in a message. True when written.
    bool DistillToPolarFile();
    // Rebuilds the File menu's recent-file items (captions "&1 path"..., the full path in
    // each item's data) and shows the separator below them when any is listed.
    void ShowMRUListEntries();
    // The recent-file item 1..9; std::out_of_range for any other.
    QAction* RecentFileItem(int item) const;

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

    // "state,left,top,width,height" in twips: state 0 normal, 1 minimised, 2 maximised.
    std::string PlaceText() const;
    void SavePlace();
    // The orderly end's unload: saves the place and closes the window for good.
    void Unload();
    // True from the start of Unload: tool windows closing now are saved as open.
    bool IsUnloading() const { return unloading_; }

    QMenu* PopupMenu(Popup popup) const;
    // Items 1..20 of the list popups; std::out_of_range for any other.
    QAction* PopupItem(Popup popup, int item) const;
    QMdiArea* MdiArea() const { return mdiArea_; }
    // Panels 1..3; std::out_of_range for any other.
    QLabel* StatusPanel(int panel) const;
    QTimer* ExitTimer() const { return timTimer_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    // The arrangement follows the work area's size; menu access keys come first.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // An access key shared by a control of a tool window and a menu of the menu bar opens
    // the menu: Qt would take turns between them and give the control the first press.
    bool OpensMenu(QObject* watched, QEvent* event);
    QMenu* AddMenu(QMenu* parent, const char* name, const QString& text);
    QAction* AddItem(QMenu* menu, const char* name, const QString& text,
                     std::function<void()> action = {}, const char* shortcut = nullptr);
    QAction* AddSeparator(QMenu* menu, const char* name);
    void Guard(const std::string& procedure, const std::function<void()>& action);
    void BuildFileMenu();
    void BuildArrayMenu();
    void BuildToolsMenu();
    void BuildViewMenu();
    void BuildHelpMenu();
    void BuildPopups();
    QMenu* BuildListPopup(Popup popup, const char* name, const QString& title, const char* item,
                          const QString& firstText, bool firstVisible, const char* separator,
                          const char* cancel,
                          std::function<void(CellPopupTarget&, int)> choose);
    void BuildStatusBar();
    void ApplyMode(bool engineeringMode);
    void ApplyStatusBar();
    void ChooseUnits(UnitsCode units);
    void RestorePlace();
    // The main window's left, top, width and height in twips.
    std::array<int, 4> PlaceTwips() const;
    // Normal state at the place given in twips.
    void PlaceNormal(const std::array<int, 4>& twips);
    // Saves a loaded tool window's place as hidden and unloads it; a window that is not
    // open keeps its stored place, marked hidden, so the next start leaves it closed too.
    void CloseToolWindow(const ToolWindowInfo& info);
    // Loads the arrangement's open windows and moves them to their places in the work area.
    void PlaceArrangement(PresetColumn column);
    // True while every window of the last arrangement is open where it was put.
    bool ArrangementUntouched() const;
    // What the arrangement set of a window's place.
    static PresetLayout::Rect Placed(const PlaceableWindow& window);
    void WriteWindowPos(FileData& file, const ToolWindowInfo& info) const;
    void ReadWindowPos(const FileData& file, const ToolWindowInfo& info);
    void OpenToolWindow(ToolWindowId id);
    ToolWindowSlot* SlotOf(ToolWindowId id) const;
    int TextWidth(const std::string& text) const;
    std::string Title() const;
    void EndProgram();

    Options& options_;
    Prompts& prompts_;
    const ScreenInfo& screen_;
    WindowRegistry& windows_;
    ErrorReporter& reporter_;
    VenueLifecycle* lifecycle_ = nullptr;
    UpdateHub* hub_ = nullptr;
    std::function<void()> endProgram_;
    std::function<void()> showAbout_;
    std::map<Command, QAction*> commandItems_;
    std::map<Command, std::function<void()>> commands_;
    std::map<ToolWindowId, QAction*> toolItems_;
    std::map<ToolWindowId, ToolWindowSlot*> slots_;
    WindowPositions positions_;
    RecentFiles recentFiles_;
    CellPopupTarget* cellTarget_ = nullptr;
    RiggingPopupTarget* riggingTarget_ = nullptr;

    QMdiArea* mdiArea_;
    QTimer* timTimer_;
    std::array<QLabel*, 3> panels_{};
    std::map<Popup, QMenu*> popups_;
    std::map<Popup, std::array<QAction*, kPopupItemCount>> popupItems_;
    std::array<QAction*, 10> stateSwitchItems_{};
    std::array<QAction*, RecentFiles::kSlotCount + 1> recentItems_{}; // item 0 stays hidden
    QAction* recentSeparator_ = nullptr;
    std::string layoutFolder_;
    std::string alsoListedLayoutFolder_;
    QMenu* arrangeMenu_ = nullptr;
    QAction* layoutSaveItem_ = nullptr;
    QAction* layoutSeparator_ = nullptr;
    std::vector<QAction*> layoutItems_; // item 0 stays hidden
    QMenu* fileMenu_ = nullptr;
    QAction* revertItem_ = nullptr;
    QAction* unitsEnglish_ = nullptr;
    QAction* unitsMetric_ = nullptr;
    QAction* modeStandard_ = nullptr;
    QAction* modeEngineering_ = nullptr;
    QAction* statusBarItem_ = nullptr;
    bool unloading_ = false;
    std::optional<PresetColumn> arrangedColumn_;
    std::map<ToolWindowId, PresetLayout::Rect> arrangement_; // twips, as placed
};

} // namespace polvane
