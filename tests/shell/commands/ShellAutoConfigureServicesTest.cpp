#include "shell/commands/ShellAutoConfigureServices.h"

#include <gtest/gtest.h>

#include "../FakeShellMainWindow.h"
#include "engine/Environment.h"
#include "shell/options/Options.h"
#include "shell/session/RefreshableWindow.h"
#include "shell/session/Session.h"
#include "shell/session/UpdateHub.h"
#include "shell/session/WindowRegistry.h"
#include "support/FakeClock.h"
#include "support/MemorySettingsStore.h"
#include "support/RecordingHelpViewer.h"

namespace polvane {
namespace {

struct CountingWindow : RefreshableWindow {
    void Refresh() override { ++refreshes; }
    int refreshes = 0;
};

class ShellAutoConfigureServicesTest : public ::testing::Test {
protected:
    ShellAutoConfigureServicesTest()
        : session_(store_), hub_(session_, registry_, main_, help_)
    {
        session_.Venue().Clear();
    }

    ShellAutoConfigureServices Services() { return ShellAutoConfigureServices(session_, clock_, hub_); }

    MemorySettingsStore store_;
    Session session_;
    FakeClock clock_;
    WindowRegistry registry_;
    FakeShellMainWindow main_;
    RecordingHelpViewer help_;
    UpdateHub hub_;
};

TEST_F(ShellAutoConfigureServicesTest, RefreshesTheDesignWindowsWithoutANewPrediction)
{
    CountingWindow picture, notes;
    registry_.Register(ToolWindowId::ArrayPicture, &picture);
    registry_.Register(ToolWindowId::Notes, &notes); // not a window of the design
    CalculationResults stored;
    stored.EvennessScore = 12345.0f;
    session_.StoreResults(stored);

    ShellAutoConfigureServices services = Services();
    services.RefreshWindows();
    EXPECT_EQ(picture.refreshes, 1);
    EXPECT_EQ(notes.refreshes, 0);
    EXPECT_EQ(session_.Results().EvennessScore, 12345.0f);
}

TEST_F(ShellAutoConfigureServicesTest, TheInitialDesignGoesToTheSessionInItsMode)
{
    ShellAutoConfigureServices services = Services();
    EXPECT_FALSE(services.EngineeringMode());
    session_.Options().SwitchToEngineeringMode();
    EXPECT_TRUE(services.EngineeringMode());

    CalculationResults design;
    design.EvennessScore = 7.0f;
    services.ShareResults(design);
    EXPECT_EQ(session_.Results().EvennessScore, 7.0f);
}

} // namespace
} // namespace polvane
