#include "shell/session/UpdateHub.h"

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "../FakeShellMainWindow.h"
#include "engine/Environment.h"
#include "model/ProcedureFailure.h"
#include "shell/session/RefreshableWindow.h"
#include "shell/session/Session.h"
#include "shell/session/UpdateGuard.h"
#include "shell/session/WindowRegistry.h"
#include "support/MemorySettingsStore.h"
#include "support/RecordingHelpViewer.h"

namespace polvane {
namespace {

// A tool window that writes each call into a log shared by all windows.
class LoggingWindow final : public RefreshableWindow {
public:
    LoggingWindow(std::string name, std::vector<std::string>& log) : name_(std::move(name)), log_(log) {}
    void Refresh() override
    {
        log_.push_back(name_);
        if (onRefresh)
            onRefresh();
    }
    void DoHighlightCell() override { log_.push_back("mark " + name_); }
    void DoClearHighlightedCell() override { log_.push_back("unmark " + name_); }
    void RefreshGraphicsObjects() override { log_.push_back("pens " + name_); }
    std::function<void()> onRefresh;

private:
    std::string name_;
    std::vector<std::string>& log_;
};

const std::vector<std::pair<ToolWindowId, std::string>> kWindows = {
    {ToolWindowId::ArrayConfiguration, "ArrCfg"}, {ToolWindowId::ArrayPicture, "ArrPic"},
    {ToolWindowId::BumperConfiguration, "BmpCfg"}, {ToolWindowId::Calculations, "Calcs"},
    {ToolWindowId::CellConfigurations, "CellCfg"}, {ToolWindowId::FROptions, "FROpt"},
    {ToolWindowId::IFEGraph, "IFE"},               {ToolWindowId::ListeningPoints, "LstPts"},
    {ToolWindowId::Notes, "Notes"},                {ToolWindowId::RiggingDetails, "Rig"},
    {ToolWindowId::SeatingAreas, "Seats"},         {ToolWindowId::Venue, "Venue"},
};

class UpdateHubTest : public ::testing::Test {
protected:
    UpdateHubTest() : session_(store_), venue_(session_.Venue()), hub_(session_, registry_, main_, help_)
    {
        venue_.Clear();
        for (const auto& [id, name] : kWindows)
            windows_.emplace(id, std::make_unique<LoggingWindow>(name, log_));
        for (const auto& [id, window] : windows_)
            registry_.Register(id, window.get());
    }

    LoggingWindow& Window(ToolWindowId id) { return *windows_.at(id); }
    void StoreBalanced(bool balanced)
    {
        CalculationResults results;
        results.Balanced = balanced;
        session_.StoreResults(results);
    }

    MemorySettingsStore store_;
    Session session_;
    Environment& venue_;
    WindowRegistry registry_;
    FakeShellMainWindow main_;
    RecordingHelpViewer help_;
    std::map<ToolWindowId, std::unique_ptr<LoggingWindow>> windows_;
    std::vector<std::string> log_;
    UpdateHub hub_;
};

struct ScopeCase {
    UpdateScope scope;
    std::vector<std::string> refreshed;
    bool setsPanel2;
};

void PrintTo(const ScopeCase& c, std::ostream* out) { *out << "scope " << static_cast<int>(c.scope); }

class UpdateHubScopeTest : public UpdateHubTest, public ::testing::WithParamInterface<ScopeCase> {};

TEST_P(UpdateHubScopeTest, RefreshesTheScopesLoadedWindowsInOrder)
{
    const ScopeCase& c = GetParam();
    StoreBalanced(false);
    hub_.UpdateInterfaces(c.scope, false);
    EXPECT_EQ(log_, c.refreshed);
    EXPECT_EQ(main_.panels[2], c.setsPanel2 ? UpdateHub::kUnbalancedText : "");
    EXPECT_FALSE(UpdateGuard::IsUpdating());
}

// The scope table as the windows are meant to be refreshed.
INSTANTIATE_TEST_SUITE_P(
    EveryScope, UpdateHubScopeTest,
    ::testing::Values(
        ScopeCase{UpdateScope::All, {"ArrCfg", "ArrPic", "BmpCfg", "Calcs", "CellCfg", "FROpt", "IFE", "LstPts",
                      "Notes", "Rig", "Seats", "Venue"}, true},
        ScopeCase{UpdateScope::AllButArrayNotesAreas, {"ArrPic", "BmpCfg", "Calcs", "CellCfg", "FROpt", "IFE", "LstPts", "Rig", "Venue"}, true},
        ScopeCase{UpdateScope::Results, {"ArrPic", "Calcs", "CellCfg", "FROpt", "IFE", "LstPts", "Rig", "Venue"}, true},
        ScopeCase{UpdateScope::AllButNotesAreas, {"ArrCfg", "ArrPic", "BmpCfg", "Calcs", "CellCfg", "FROpt", "IFE", "LstPts",
                      "Rig", "Venue"}, true},
        ScopeCase{UpdateScope::AnalysedFrequency, {"Calcs", "FROpt", "IFE", "LstPts", "Venue"}, false},
        ScopeCase{UpdateScope::Display, {"ArrPic", "IFE", "LstPts", "Notes", "Rig", "Venue"}, false},
        ScopeCase{UpdateScope::ListeningPoints, {"LstPts", "Venue"}, false},
        ScopeCase{UpdateScope::RiggingDetails, {"Rig"}, true},
        ScopeCase{UpdateScope::ResultsAndAreas, {"ArrPic", "Calcs", "CellCfg", "FROpt", "IFE", "LstPts", "Rig", "Seats", "Venue"}, false},
        ScopeCase{UpdateScope::ListeningConditions, {"Calcs", "FROpt", "IFE", "LstPts", "Venue"}, false},
        ScopeCase{UpdateScope{12}, {}, false}, ScopeCase{UpdateScope{-1}, {}, false}),
    [](const ::testing::TestParamInfo<ScopeCase>& info) {
        const int scope = static_cast<int>(info.param.scope);
        return scope < 0 ? "ScopeMinus" + std::to_string(-scope) : "Scope" + std::to_string(scope);
    });

TEST_F(UpdateHubTest, EveryCallSetsUnitsCaptionPanel3AndVisibleWindowsFirst)
{
    venue_.SetUnits(UnitsCode::Metric);
    main_.panels[3] = "Saved to State 2";
    hub_.UpdateInterfaces(UpdateScope{12}, false);
    EXPECT_EQ(main_.log, (std::vector<std::string>{"units metric", "caption", "panel 3 = ",
                                                   "visible windows"}));
    EXPECT_TRUE(main_.metricChecked);
}

TEST_F(UpdateHubTest, RecalculatesOnlyWhenAskedEvenForAScopeWithoutWindows)
{
    StoreBalanced(true);
    hub_.UpdateInterfaces(UpdateScope{12}, false);
    EXPECT_TRUE(session_.Results().Balanced);
    // An empty venue's prediction replaces the stored record.
    CalculationResults marked;
    marked.TotalWeight = 1234.0f;
    session_.StoreResults(marked);
    hub_.UpdateInterfaces(UpdateScope{12}, true);
    EXPECT_NE(session_.Results().TotalWeight, 1234.0f);
    EXPECT_TRUE(log_.empty());
}

TEST_F(UpdateHubTest, Scope4KeepsAnEarlierUnbalancedMessageAndScope7ReplacesIt)
{
    StoreBalanced(false);
    hub_.UpdateInterfaces(UpdateScope::All, false);
    StoreBalanced(true);
    hub_.UpdateInterfaces(UpdateScope::AnalysedFrequency, false);
    EXPECT_EQ(main_.panels[2], UpdateHub::kUnbalancedText);
    hub_.UpdateInterfaces(UpdateScope::RiggingDetails, false);
    EXPECT_EQ(main_.panels[2], "");
}

TEST_F(UpdateHubTest, ANestedCallDoesNothingAtAll)
{
    Window(ToolWindowId::Calculations).onRefresh = [this] { hub_.UpdateInterfaces(UpdateScope::All, true); };
    hub_.UpdateInterfaces(UpdateScope::ListeningPoints, false);
    hub_.UpdateInterfaces(UpdateScope::Results, false);
    EXPECT_EQ(std::count(main_.log.begin(), main_.log.end(), "caption"), 2);
    EXPECT_EQ(std::count(log_.begin(), log_.end(), "Calcs"), 1);
}

TEST_F(UpdateHubTest, OnlyLoadedWindowsAreRefreshed)
{
    registry_.Unregister(ToolWindowId::Venue);
    hub_.UpdateInterfaces(UpdateScope::ListeningPoints, false);
    EXPECT_EQ(log_, (std::vector<std::string>{"LstPts"}));
}

TEST_F(UpdateHubTest, AFailingRefreshIsReportedUnderTheHubsNameAndLowersTheGuard)
{
    Window(ToolWindowId::IFEGraph).onRefresh = [] { throw std::out_of_range("bad index"); };
    try {
        hub_.UpdateInterfaces(UpdateScope::AnalysedFrequency, false);
        FAIL() << "the failure must reach the caller";
    } catch (const ProcedureFailure& failure) {
        EXPECT_EQ(failure.Procedure(), "modMain.UpdateInterfaces");
        EXPECT_STREQ(failure.what(), "bad index");
    }
    EXPECT_FALSE(UpdateGuard::IsUpdating());
    Window(ToolWindowId::IFEGraph).onRefresh = [] { throw ProcedureFailure("frmIFEGraph.UpdateInterface", "x"); };
    try {
        hub_.UpdateInterfaces(UpdateScope::AnalysedFrequency, false);
        FAIL();
    } catch (const ProcedureFailure& failure) {
        EXPECT_EQ(failure.Procedure(), "frmIFEGraph.UpdateInterface");
    }
    Window(ToolWindowId::IFEGraph).onRefresh = nullptr;
    log_.clear();
    hub_.UpdateInterfaces(UpdateScope::AnalysedFrequency, false);
    EXPECT_EQ(log_, (std::vector<std::string>{"Calcs", "FROpt", "IFE", "LstPts", "Venue"}));
}

TEST_F(UpdateHubTest, HighlightingAnotherCellUnmarksFirstThenMarksInAllThree)
{
    for (int i = 0; i < 6; ++i)
        venue_.LineArray().Cells().Add();
    hub_.HighlightCell(5);
    log_.clear();
    hub_.HighlightCell(3);
    EXPECT_EQ(hub_.HighlightedCell(), 3);
    EXPECT_EQ(log_, (std::vector<std::string>{"unmark CellCfg", "unmark Venue", "mark ArrPic",
                                              "mark CellCfg", "mark Venue"}));
    log_.clear();
    hub_.ClearHighlightedCell();
    EXPECT_EQ(hub_.HighlightedCell(), 0);
    EXPECT_EQ(log_, (std::vector<std::string>{"unmark ArrPic", "unmark CellCfg", "unmark Venue"}));
}

TEST_F(UpdateHubTest, TheHighlightIsClearedWhenTheColumnGetsShorterThanIt)
{
    for (int i = 0; i < 4; ++i)
        venue_.LineArray().Cells().Add();
    hub_.HighlightCell(4);
    hub_.UpdateInterfaces(UpdateScope::ListeningPoints, false);
    EXPECT_EQ(hub_.HighlightedCell(), 4);
    venue_.LineArray().Cells().Remove(4);
    hub_.UpdateInterfaces(UpdateScope::ListeningPoints, false);
    EXPECT_EQ(hub_.HighlightedCell(), 0);
    hub_.HighlightCell(2);
    hub_.VenueReplaced();
    EXPECT_EQ(hub_.HighlightedCell(), 0);
}

TEST_F(UpdateHubTest, GraphicsObjectsAreRebuiltInTheFiveDrawingWindows)
{
    hub_.RefreshAllGraphicsObjects();
    EXPECT_EQ(log_, (std::vector<std::string>{"pens ArrPic", "pens IFE", "pens LstPts", "pens Rig",
                                              "pens Venue"}));
}

TEST_F(UpdateHubTest, HelpGoesToTheViewer)
{
    hub_.ShowHelp("index", true);
    hub_.ShowHelp("reference_venue", false);
    EXPECT_EQ(help_.Calls(), (std::vector<RecordingHelpViewer::Call>{{"index", true},
                                                                     {"reference_venue", false}}));
}

TEST(UpdateGuardTest, NestedGuardsLowerTheSwitchOnlyAtTheOutermostEnd)
{
    {
        UpdateGuard outer;
        {
            UpdateGuard inner;
        }
        EXPECT_TRUE(UpdateGuard::IsUpdating());
    }
    EXPECT_FALSE(UpdateGuard::IsUpdating());
}

} // namespace
} // namespace polvane
