#pragma once

#include <filesystem>
#include <string>

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "engine/Environment.h"
#include "engine/GlobalResults.h"
#include "files/VenueFile.h"
#include "model/CoreSettings.h"
#include "platform/FakeClock.h"
#include "platform/FixedScreenInfo.h"
#include "platform/MemorySettingsStore.h"
#include "platform/ProgramFolder.h"
#include "platform/RecordingHelpViewer.h"
#include "platform/ScriptedPrompts.h"
#include "shell/ErrorReporter.h"
#include "shell/MainWindow.h"
#include "shell/Options.h"
#include "shell/RecentFiles.h"
#include "shell/UpdateHub.h"
#include "shell/VenueLifecycle.h"
#include "shell/WindowRegistry.h"
#include "windows/ToolWindowContext.h"

namespace polvane {

// The shell around the tool windows under test: a main window with its work area, the open
// venue, the update hub, settings in memory and a help viewer that records its topics. No
// failure may reach the error reporter.
class ToolWindowFixture : public ::testing::Test {
protected:
    ToolWindowFixture()
        : folder_(temp_.path().toStdString()), options_(store_), recent_(store_),
          reporter_(folder_, clock_, prompts_, [] { return std::string("Quessel Polvane"); },
                    "2.4.0", [this] { ++reportedEnds_; }, [this] { ++reportedEnds_; }),
          window_(options_, prompts_, screen_, registry_, reporter_),
          lifecycle_(prompts_, window_, recent_, [this] { return templatePath_; },
                     [] { return std::string("Quessel Polvane"); }),
          hub_([this]() -> Environment& { return lifecycle_.Venue(); }, registry_, window_, help_),
          context_{registry_, window_, *window_.MdiArea(), screen_, hub_, lifecycle_, reporter_,
                   options_, [this] { return window_.IsUnloading(); }, prompts_, &window_, {}}
    {
        CoreSettings::Reset();
        prompts_.SetAnswerOkBoxes(true);
        Environment blank;
        blank.Clear();
        templatePath_ = (std::filesystem::path(temp_.path().toStdString()) / "Blank.venue").string();
        VenueFile::SaveAs(blank, templatePath_);
        lifecycle_.SetUpdateHub(&hub_);
        window_.Connect(lifecycle_, hub_);
        window_.SetEndProgram([] {});
        lifecycle_.NewVenue();
        lifecycle_.ClearDirty();
    }
    ~ToolWindowFixture() override
    {
        GlobalResults::Reset();
        CoreSettings::Reset();
    }
    void TearDown() override { EXPECT_EQ(reportedEnds_, 0) << "a handler failed"; }

    std::string StoredPlace(const char* caption) const
    {
        return store_.ReadSetting(SettingsStore::kWindowPositions, caption).value_or("");
    }

    QTemporaryDir temp_;
    ProgramFolder folder_;
    MemorySettingsStore store_;
    Options options_;
    RecentFiles recent_;
    FakeClock clock_;
    ScriptedPrompts prompts_;
    FixedScreenInfo screen_{1280, 1024, 15, 15};
    WindowRegistry registry_;
    RecordingHelpViewer help_;
    int reportedEnds_ = 0;
    ErrorReporter reporter_;
    MainWindow window_;
    VenueLifecycle lifecycle_;
    UpdateHub hub_;
    ToolWindowContext context_;
    std::string templatePath_;
};

} // namespace polvane
