#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "shell/session/ToolWindowId.h"
#include "shell/session/UpdateScope.h"

namespace polvane {

class Environment;
class HelpViewer;
class RefreshableWindow;
class Session;
class ShellMainWindow;
class WindowRegistry;

// After any change of the venue a window calls UpdateInterfaces with a scope code naming
// the windows affected, and whether the prediction must run again. The hub recalculates
// the session's calculation results when asked, refreshes each loaded window of the scope in
// a fixed order, and keeps the main window's caption, unit marks and status bar in step.
// It also hands the highlighted cell to the windows that mark it, asks the drawing windows
// to rebuild their pens after an options change, and opens the help.
class UpdateHub {
public:
    static constexpr int kScopeCount = 10;
    static constexpr const char* kUnbalancedText = "The array's center of gravity is unbalanced.";

    // One row of the scope table.
    struct Scope {
        std::vector<ToolWindowId> windows; // in refresh order
        bool setsBalancePanel;             // panel 2 set, else kept
    };

    // The session's venue is read at the time of each call (it is replaced as a whole by
    // New and by loading a state, so the hub never keeps it).
    UpdateHub(Session& session, WindowRegistry& windows,
              ShellMainWindow& mainWindow, HelpViewer& help);

    // Scopes 0..9 refresh the windows of their row; any other scope refreshes none but does
    // the rest. A call while an update is under way (UpdateGuard::IsUpdating) does nothing.
    // A failure of a window's refresh, or of the prediction, reaches the caller as a
    // ProcedureFailure under "modMain.UpdateInterfaces" (or under the window's own name when
    // it threw one); the update switch is lowered either way.
    void UpdateInterfaces(UpdateScope scope, bool recalculate);

    // The scope whose windows are being refreshed, or none outside such a refresh; lets a
    // window skip work its scope cannot have changed.
    std::optional<UpdateScope> RefreshingScope() const { return refreshingScope_; }

    // The row of a scope 0..9; throws std::out_of_range for any other.
    static const Scope& ScopeRow(UpdateScope scope);

    // The highlighted cell, 1-based; 0 for none.
    int HighlightedCell() const { return highlightedCell_; }
    void HighlightCell(int cell);
    void ClearHighlightedCell();
    // Clears the highlight when the venue was replaced (new, opened, a state loaded).
    void VenueReplaced();

    void RefreshAllGraphicsObjects();

    // The help page of a topic ("index", "reference_venue"...); with search, the help's
    // search rather than its contents.
    void ShowHelp(const std::string& topic, bool search);

private:
    void CallIfLoaded(ToolWindowId id, void (RefreshableWindow::*operation)());
    void ClearIfColumnShrank();

    Session& session_;
    WindowRegistry& windows_;
    ShellMainWindow& mainWindow_;
    HelpViewer& help_;
    int highlightedCell_ = 0;
    std::optional<UpdateScope> refreshingScope_;
};

} // namespace polvane
