#include "shell/session/UpdateHub.h"

#include <exception>
#include <stdexcept>

#include "engine/Environment.h"
#include "model/ProcedureFailure.h"
#include "platform/HelpViewer.h"
#include "shell/session/RefreshableWindow.h"
#include "shell/session/Session.h"
#include "shell/session/ShellMainWindow.h"
#include "shell/session/UpdateGuard.h"
#include "shell/session/WindowRegistry.h"

namespace polvane {

namespace {

constexpr const char* kProcedure = "modMain.UpdateInterfaces";

// Which windows each scope refreshes ("x"), a column per window in the order of the ids
// (the refresh order), and whether it sets status panel 2. The analysed frequency (4) and
// the temperature and ear height (9) change the levels, so both also refresh every window
// that shows them: calculations and listening points.
struct Row {
    const char* marks;
    bool setsPanel2;
};
//                     ArrCfg ArrPic BmpCfg Calcs CellCfg FROpt IFE  LstPts Notes Rig  Seats Venue
constexpr Row kScopeTable[UpdateHub::kScopeCount] = {
    /* 0 */ {"x"    "x"    "x"    "x"   "x"     "x"   "x"  "x"    "x"   "x"  "x"   "x", true},
    /* 1 */ {"."    "x"    "x"    "x"   "x"     "x"   "x"  "x"    "."   "x"  "."   "x", true},
    /* 2 */ {"."    "x"    "."    "x"   "x"     "x"   "x"  "x"    "."   "x"  "."   "x", true},
    /* 3 */ {"x"    "x"    "x"    "x"   "x"     "x"   "x"  "x"    "."   "x"  "."   "x", true},
    /* 4 */ {"."    "."    "."    "x"   "."     "x"   "x"  "x"    "."   "."  "."   "x", false},
    /* 5 */ {"."    "x"    "."    "."   "."     "."   "x"  "x"    "x"   "x"  "."   "x", false},
    /* 6 */ {"."    "."    "."    "."   "."     "."   "."  "x"    "."   "."  "."   "x", false},
    /* 7 */ {"."    "."    "."    "."   "."     "."   "."  "."    "."   "x"  "."   ".", true},
    /* 8 */ {"."    "x"    "."    "x"   "x"     "x"   "x"  "x"    "."   "x"  "x"   "x", false},
    /* 9 */ {"."    "."    "."    "x"   "."     "x"   "x"  "x"    "."   "."  "."   "x", false},
};

std::vector<UpdateHub::Scope> BuildScopes()
{
    std::vector<UpdateHub::Scope> scopes;
    for (const Row& row : kScopeTable) {
        UpdateHub::Scope scope{{}, row.setsPanel2};
        for (int column = 0; column < kToolWindowCount; ++column)
            if (row.marks[column] == 'x')
                scope.windows.push_back(static_cast<ToolWindowId>(column));
        scopes.push_back(std::move(scope));
    }
    return scopes;
}

} // namespace

UpdateHub::UpdateHub(Session& session, WindowRegistry& windows, ShellMainWindow& mainWindow,
                     HelpViewer& help)
    : session_(session), windows_(windows), mainWindow_(mainWindow), help_(help)
{
}

const UpdateHub::Scope& UpdateHub::ScopeRow(UpdateScope scope)
{
    static const std::vector<Scope> scopes = BuildScopes();
    const int code = static_cast<int>(scope);
    if (code < 0 || code >= kScopeCount)
        throw std::out_of_range("Update scope " + std::to_string(code) + " is not 0 to 9");
    return scopes[static_cast<std::size_t>(code)];
}

void UpdateHub::UpdateInterfaces(UpdateScope scope, bool recalculate)
{
    if (UpdateGuard::IsUpdating())
        return;
    UpdateGuard guard;
    try {
        Environment& venue = session_.Venue();
        mainWindow_.SetUnitsChecked(venue.Units() == UnitsCode::Metric);
        mainWindow_.SetCaption();
        mainWindow_.SetStatusPanel(3, "");
        mainWindow_.UpdateVisibleWindows();
        if (recalculate)
            session_.Recalculate();
        // A highlight past the end of a shortened column would mark a cell that is gone.
        ClearIfColumnShrank();
        if (static_cast<int>(scope) < 0 || static_cast<int>(scope) >= kScopeCount)
            return;
        const Scope& row = ScopeRow(scope);
        struct Refreshing {
            std::optional<UpdateScope>& scope;
            ~Refreshing() { scope.reset(); }
        } refreshing{refreshingScope_};
        refreshingScope_ = scope;
        for (ToolWindowId id : row.windows)
            CallIfLoaded(id, &RefreshableWindow::Refresh);
        if (row.setsBalancePanel)
            mainWindow_.SetStatusPanel(2, session_.Results().Balanced ? "" : kUnbalancedText);
    } catch (const ProcedureFailure&) {
        throw;
    } catch (const std::exception& failure) {
        throw ProcedureFailure(kProcedure, failure.what());
    }
}

void UpdateHub::CallIfLoaded(ToolWindowId id, void (RefreshableWindow::*operation)())
{
    if (RefreshableWindow* window = windows_.Find(id))
        (window->*operation)();
}

void UpdateHub::ClearIfColumnShrank()
{
    if (highlightedCell_ != 0 && highlightedCell_ > session_.Venue().LineArray().Cells().Count())
        ClearHighlightedCell();
}

void UpdateHub::HighlightCell(int cell)
{
    if (highlightedCell_ != 0) {
        CallIfLoaded(ToolWindowId::CellConfigurations, &RefreshableWindow::DoClearHighlightedCell);
        CallIfLoaded(ToolWindowId::Venue, &RefreshableWindow::DoClearHighlightedCell);
    }
    highlightedCell_ = cell;
    CallIfLoaded(ToolWindowId::ArrayPicture, &RefreshableWindow::DoHighlightCell);
    CallIfLoaded(ToolWindowId::CellConfigurations, &RefreshableWindow::DoHighlightCell);
    CallIfLoaded(ToolWindowId::Venue, &RefreshableWindow::DoHighlightCell);
}

void UpdateHub::ClearHighlightedCell()
{
    CallIfLoaded(ToolWindowId::ArrayPicture, &RefreshableWindow::DoClearHighlightedCell);
    CallIfLoaded(ToolWindowId::CellConfigurations, &RefreshableWindow::DoClearHighlightedCell);
    CallIfLoaded(ToolWindowId::Venue, &RefreshableWindow::DoClearHighlightedCell);
    highlightedCell_ = 0;
}

void UpdateHub::VenueReplaced()
{
    if (highlightedCell_ != 0)
        ClearHighlightedCell();
}

void UpdateHub::RefreshAllGraphicsObjects()
{
    for (ToolWindowId id : {ToolWindowId::ArrayPicture, ToolWindowId::IFEGraph,
                            ToolWindowId::ListeningPoints, ToolWindowId::RiggingDetails,
                            ToolWindowId::Venue})
        CallIfLoaded(id, &RefreshableWindow::RefreshGraphicsObjects);
}

void UpdateHub::ShowHelp(const std::string& topic, bool search) { help_.ShowHelp(topic, search); }

} // namespace polvane
