#pragma once

#include "shell/mainwindow/MainWindow.h"

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <QAction>
#include <QMenu>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "engine/Environment.h"
#include "files/VenueFile.h"
#include "platform/ProgramFolder.h"
#include "shell/startup/ErrorReporter.h"
#include "shell/options/Options.h"
#include "shell/places/PlaceableWindow.h"
#include "shell/session/RecentFiles.h"
#include "shell/session/RefreshableWindow.h"
#include "shell/session/Session.h"
#include "shell/mainwindow/ShellMainWindowRelay.h"
#include "shell/places/ToolWindowRegistry.h"
#include "shell/places/ToolWindowSlot.h"
#include "shell/session/UpdateHub.h"
#include "shell/session/VenueLifecycle.h"
#include "shell/session/WindowRegistry.h"
#include "support/FakeClock.h"
#include "support/FixedScreenInfo.h"
#include "support/MemorySettingsStore.h"
#include "support/RecordingHelpViewer.h"
#include "support/ScriptedPrompts.h"

namespace polvane {

namespace fs = std::filesystem;

// A tool window and the way it is loaded, recording every call in one log shared by all
// the windows of a test so that the order across windows shows.
class FakeToolWindow final : public PlaceableWindow, public RefreshableWindow, public ToolWindowSlot {
public:
    FakeToolWindow(ToolWindowId id, WindowRegistry& registry, std::vector<std::string>& log)
        : id_(id), registry_(registry), log_(log), info_(ToolWindowRegistry::Info(id))
    {
    }

    PlaceableWindow& Load() override
    {
        if (!registry_.IsLoaded(id_)) {
            Log("load");
            registry_.Register(id_, this);
        }
        return *this;
    }
    void Unload() override
    {
        Log("unload");
        registry_.Unregister(id_, this);
    }
    void Refresh() override { Log("refresh"); }
    bool IsSizable() const override { return info_.sizable; }
    int Left() const override { return left_; }
    int Top() const override { return top_; }
    int Width() const override { return width_; }
    int Height() const override { return height_; }
    // 200 x 133 pixels fixed, 100 x 100 at least sizable.
    int NeededWidth() const override { return info_.sizable ? 1500 : 3000; }
    int NeededHeight() const override { return info_.sizable ? 1500 : 1995; }
    void Move(int left, int top) override
    {
        left_ = left, top_ = top;
        Log("move " + std::to_string(left) + "," + std::to_string(top));
    }
    void Move(int left, int top, int width, int height) override
    {
        width_ = width, height_ = height;
        Move(left, top);
    }
    void Show() override { Log("show"); }

private:
    void Log(const std::string& what) { log_.push_back(std::string(info_.caption) + ": " + what); }

    ToolWindowId id_;
    WindowRegistry& registry_;
    std::vector<std::string>& log_;
    const ToolWindowInfo& info_;
    int left_ = 15, top_ = 30, width_ = 3000, height_ = 2000;
};

// The main window with its venue, hub and reporter, every store in memory and every
// file in a temporary folder. New venues come from a blank template in the given units
// (metric unless told otherwise).
class MainWindowTest : public ::testing::Test {
protected:
    explicit MainWindowTest(UnitsCode templateUnits = UnitsCode::Metric)
        : folder_(temp_.path().toStdString()), session_(store_), options_(session_.Options()),
          recent_(store_),
          reporter_(folder_, clock_, prompts_, [] { return std::string("Quessel Polvane"); },
                    "2.4.0", [this] { ++reportedEnds_; }, [this] { ++reportedEnds_; }),
          lifecycle_(session_, prompts_, relay_, recent_, [this] { return templatePath_; },
                     [] { return std::string("Quessel Polvane"); }),
          hub_(session_, registry_, relay_, help_),
          window_(options_, prompts_, screen_, registry_, reporter_, lifecycle_, hub_, relay_)
    {
        prompts_.SetAnswerOkBoxes(true);
        Environment blank;
        blank.Clear();
        blank.SetUnits(templateUnits);
        templatePath_ = Path(templateUnits == UnitsCode::Metric ? "Blank_Metric.venue" : "Blank_English.venue");
        VenueFile::SaveAs(blank, templatePath_);
        lifecycle_.SetUpdateHub(&hub_);
        window_.SetEndProgram([this] { ++ends_; });
        lifecycle_.NewVenue();
    }
    std::string Path(const std::string& name) const
    {
        return (fs::path(temp_.path().toStdString()) / name).string();
    }
    QAction* Item(const char* name) const
    {
        auto* item = window_.findChild<QAction*>(QString::fromUtf8(name));
        EXPECT_NE(item, nullptr) << name;
        return item;
    }
    QMenu* Menu(const char* name) const
    {
        auto* menu = window_.findChild<QMenu*>(QString::fromUtf8(name));
        EXPECT_NE(menu, nullptr) << name;
        return menu;
    }
    std::string StoredPlace() const
    {
        return store_.ReadSetting(SettingsStore::kWindowPositions, "Main Window").value_or("");
    }

    QTemporaryDir temp_;
    ProgramFolder folder_;
    MemorySettingsStore store_;
    Session session_;
    Options& options_;
    RecentFiles recent_;
    FakeClock clock_;
    ScriptedPrompts prompts_;
    FixedScreenInfo screen_{1280, 1024, 15, 15};
    WindowRegistry registry_;
    RecordingHelpViewer help_;
    int reportedEnds_ = 0;
    int ends_ = 0;
    ErrorReporter reporter_;
    ShellMainWindowRelay relay_;
    VenueLifecycle lifecycle_;
    UpdateHub hub_;
    MainWindow window_;
    std::string templatePath_;
};

// Every tool window loadable, each recording into one log.
class MainWindowArrangementTest : public MainWindowTest {
protected:
    MainWindowArrangementTest()
    {
        for (const ToolWindowInfo& info : ToolWindowRegistry::All()) {
            fakes_.push_back(std::make_unique<FakeToolWindow>(info.id, registry_, log_));
            window_.SetToolWindowSlot(info.id, fakes_.back().get());
        }
    }
    FakeToolWindow& Fake(ToolWindowId id) { return *fakes_[static_cast<std::size_t>(id)]; }
    std::size_t Find(const std::string& entry) const
    {
        const auto at = std::find(log_.begin(), log_.end(), entry);
        return static_cast<std::size_t>(at - log_.begin());
    }
    // The first entry that begins with the text.
    std::size_t FindStart(const std::string& start) const
    {
        const auto at = std::find_if(log_.begin(), log_.end(),
                                     [&start](const std::string& entry) { return entry.rfind(start, 0) == 0; });
        return static_cast<std::size_t>(at - log_.begin());
    }
    std::string Stored(const char* caption) const
    {
        return store_.ReadSetting(SettingsStore::kWindowPositions, caption).value_or("");
    }

    std::vector<std::string> log_;
    std::vector<std::unique_ptr<FakeToolWindow>> fakes_;
};

} // namespace polvane
