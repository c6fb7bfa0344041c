#pragma once

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include <QMainWindow>

#include "model/Units.h"
#include "shell/places/MainWindowPlace.h"
#include "shell/commands/MenuBuilder.h"
#include "shell/options/ModeSwitchListener.h"
#include "shell/commands/PolarExportCommand.h"
#include "shell/places/PresetArrangement.h"
#include "shell/session/RecentFiles.h"
#include "shell/session/ShellMainWindow.h"
#include "shell/session/ToolWindowId.h"
#include "shell/places/ToolWindowRegistry.h"
#include "shell/places/ToolWindowSlots.h"
#include "shell/places/WindowLayouts.h"
#include "shell/places/WindowPositions.h"

class QAction;
class QLabel;
class QMdiArea;
class QMenu;
class QTimer;

namespace polvane {

class CellPopupTarget;
class ErrorReporter;
class Options;
class Prompts;
class RiggingPopupTarget;
class ScreenInfo;
class ShellMainWindowRelay;
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
// While it lives it is the options' mode-switch listener and the target of the relay the
// venue lifecycle and the update hub reach it through.
class MainWindow : public QMainWindow, public ShellMainWindow, public ModeSwitchListener {
    Q_OBJECT

public:
    static constexpr int kExitDelayMs = 30;
    static constexpr int kPopupItemCount = 20;
    static constexpr const char* kPlaceName = "Main Window";
    static constexpr const char* kUntitled = "(untitled venue)";
    // Designed widths of the status panels 1..3, in twips.
    static constexpr std::array<int, 3> kPanelTwips{875, 3300, 1400};

    // Menu commands whose work lives elsewhere; their items stay disabled until a handler
    // is given.
    enum class Command { AutoConfigure, Design, Print, Options };
    enum class Popup { Type, Splay, Attenuation, Rigging, Extras };

    // Whole once built: the venue lifecycle and the update hub reach it through the relay,
    // whose target it is while it lives.
    MainWindow(Options& options, Prompts& prompts, const ScreenInfo& screen,
               WindowRegistry& windows, ErrorReporter& reporter, VenueLifecycle& lifecycle,
               UpdateHub& hub, ShellMainWindowRelay& relay, QWidget* parent = nullptr);
    ~MainWindow() override;

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
    // View > Arrange Windows: the saved layouts and the preset arrangements.
    WindowLayouts& Layouts() const { return *layouts_; }
    PresetArrangement& Arrangement() const { return *arrangement_; }

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

    // The save question before New, Open, a recent file, Exit and the close box. True when
    // the command goes on: no unsaved changes, No, or Yes with the venue saved. Cancel, or
    // Yes with the save cancelled or failed, stops the command so no change is lost.
    bool AskToSaveChanges();
    // A recently used file chosen from the File menu: the save question, then the file is
    // opened (a file that cannot be opened is reported and the venue stays as it was), then
    // the list is shown again.
    bool OpenRecentFile(const std::string& path);
    // Rebuilds the File menu's recent-file items (captions "&1 path"..., the full path in
    // each item's data) and shows the separator below them when any is listed.
    void ShowMRUListEntries();
    // The recent-file item 1..9; std::out_of_range for any other.
    QAction* RecentFileItem(int item) const;

    // "state,left,top,width,height" in twips: state 0 normal, 1 minimised, 2 maximised.
    std::string PlaceText() const { return place_.Text(); }
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
    // The arrangement follows the work area's size; menu access keys come first; a stored
    // place is held again once the window is framed.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // An access key shared by a control of a tool window and a menu of the menu bar opens
    // the menu: Qt would take turns between them and give the control the first press.
    bool OpensMenu(QObject* watched, QEvent* event);
    QMenu* AddMenu(QMenu* parent, const char* name, const QString& text)
    {
        return menus_.AddMenu(parent, name, text);
    }
    QAction* AddItem(QMenu* menu, const std::string& name, const QString& text,
                     std::function<void()> action = {}, const char* shortcut = nullptr)
    {
        return menus_.AddItem(menu, name, text, std::move(action), shortcut);
    }
    QAction* AddSeparator(QMenu* menu, const char* name) { return menus_.AddSeparator(menu, name); }
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
    void OpenToolWindow(ToolWindowId id);
    // Scrolls the work area so that the active window lies inside it, its top left corner
    // first when it is larger than the view.
    void ScrollToActiveWindow();
    int TextWidth(const std::string& text) const;
    std::string Title() const;
    void EndProgram();

    Options& options_;
    Prompts& prompts_;
    const ScreenInfo& screen_;
    WindowRegistry& windows_;
    ErrorReporter& reporter_;
    VenueLifecycle& lifecycle_;
    UpdateHub& hub_;
    ShellMainWindowRelay& relay_;
    MenuBuilder menus_;
    std::function<void()> endProgram_;
    std::function<void()> showAbout_;
    std::map<Command, QAction*> commandItems_;
    std::map<Command, std::function<void()>> commands_;
    std::map<ToolWindowId, QAction*> toolItems_;
    WindowPositions positions_;
    ToolWindowSlots slots_;
    RecentFiles recentFiles_;
    PolarExportCommand polarExport_;
    CellPopupTarget* cellTarget_ = nullptr;
    RiggingPopupTarget* riggingTarget_ = nullptr;

    QMdiArea* mdiArea_;
    QTimer* timTimer_;
    MainWindowPlace place_;
    std::unique_ptr<PresetArrangement> arrangement_;
    std::unique_ptr<WindowLayouts> layouts_;
    std::array<QLabel*, 3> panels_{};
    std::map<Popup, QMenu*> popups_;
    std::map<Popup, std::array<QAction*, kPopupItemCount>> popupItems_;
    std::array<QAction*, 10> stateSwitchItems_{};
    std::array<QAction*, RecentFiles::kSlotCount + 1> recentItems_{}; // item 0 stays hidden
    QAction* recentSeparator_ = nullptr;
    QMenu* fileMenu_ = nullptr;
    QAction* revertItem_ = nullptr;
    QAction* unitsEnglish_ = nullptr;
    QAction* unitsMetric_ = nullptr;
    QAction* modeStandard_ = nullptr;
    QAction* modeEngineering_ = nullptr;
    QAction* statusBarItem_ = nullptr;
    bool unloading_ = false;
};

} // namespace polvane
