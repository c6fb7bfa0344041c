#include "shell/commands/AutoConfigureRunner.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include "../../engine/PredictionTestVenues.h"
#include "engine/AutoConfigure.h"
#include "engine/Environment.h"
#include "platform/ProgramFolder.h"
#include "shell/options/ArgbColor.h"
#include "shell/options/ColorTable.h"
#include "shell/startup/ErrorReporter.h"
#include "shell/commands/GradientProgressBar.h"
#include "shell/mainwindow/MainWindow.h"
#include "shell/mainwindow/ShellMainWindowRelay.h"
#include "shell/options/Options.h"
#include "shell/commands/ProgressWindow.h"
#include "shell/session/RecentFiles.h"
#include "shell/session/RefreshableWindow.h"
#include "shell/session/Session.h"
#include "shell/session/UpdateHub.h"
#include "shell/session/VenueLifecycle.h"
#include "shell/session/WindowRegistry.h"
#include "support/FakeClock.h"
#include "support/FakeScreenSaver.h"
#include "support/FixedScreenInfo.h"
#include "support/MemorySettingsStore.h"
#include "support/RecordingHelpViewer.h"
#include "support/ScriptedPrompts.h"
#include "support/TestFiles.h"

namespace polvane {
namespace {

// Moves on by kStepMs at every reading, so that the search's deadline and its progress
// reports follow the number of candidates tried, not the machine's speed.
class SteppingClock : public FakeClock {
public:
    static constexpr std::int64_t kStepMs = 10;
    std::int64_t TickCount() override
    {
        Advance(kStepMs);
        ++readings;
        return FakeClock::TickCount();
    }
    std::int64_t readings = 0;
};

// A tool window of the refresh scope, noting what it saw at each refresh.
struct WatchingWindow : RefreshableWindow {
    struct Seen {
        bool progressVisible;
        bool autoCalculating;
    };
    void Refresh() override
    {
        seen.push_back({progress->isVisible(), AutoConfigureRunner::IsAutoCalculating()});
    }
    const ProgressWindow* progress = nullptr;
    std::vector<Seen> seen;
};

// What the program looked like at a moment of the run.
struct Snapshot {
    bool menuBarEnabled = false;
    bool workAreaEnabled = false;
    bool statusBarEnabled = false;
    bool progressVisible = false;
    bool stopUsable = false;
    bool progressModal = false;
    bool autoCalculating = false;
    bool screenSaverActive = false;
};

class AutoConfigureRunnerTest : public ::testing::Test {
protected:
    AutoConfigureRunnerTest()
        : folder_(temp_.path().toStdString()), session_(store_), options_(session_.Options()),
          recent_(store_),
          reporter_(folder_, clock_, prompts_, [] { return std::string("Quessel Polvane"); },
                    "2.4.0", [this] { Ended(); }, [this] { Ended(); }),
          lifecycle_(session_, prompts_, relay_, recent_, [] { return std::string(); },
                     [] { return std::string("Quessel Polvane"); }),
          hub_(session_, registry_, relay_, help_),
          window_(options_, prompts_, screen_, registry_, reporter_, lifecycle_, hub_, relay_),
          progress_(&window_),
          runner_(session_, clock_, screenSaver_, lifecycle_, hub_, reporter_, window_, progress_)
    {
        prompts_.SetAnswerOkBoxes(true);
        lifecycle_.SetUpdateHub(&hub_);
        picture_.progress = &progress_;
        registry_.Register(ToolWindowId::ArrayPicture, &picture_);

        // Three flown cells over a floor and a raked balcony.
        testing::ArraySpec array;
        array.cells = {{0}, {0}, {0}};
        auto hall = testing::MakeVenue(array);
        testing::AddArea(*hall, Point2D(10, 0), Point2D(80, 5));
        testing::AddArea(*hall, Point2D(85, 12), Point2D(120, 25));
        lifecycle_.Venue().TakeContentOf(std::move(*hall));

        // Ten minutes: only Stop, or the end of the search, ends a run.
        options_.SetMaxAutoConfigureTime(600'000);
        options_.SetMaxAutoConfigureOverthrow(15);
        options_.SetMaxAutoConfigureUnderthrow(15);
        options_.SetEnableRefinementCalculations(true);
        options_.SetDisableScreenSaver(true);
        window_.show();
    }
    ~AutoConfigureRunnerTest() override { registry_.Unregister(ToolWindowId::ArrayPicture); }

    // Runs action at the n-th time window messages run: 1 once the progress window shows,
    // 2 as the search starts, 3 at its first progress report.
    void At(int n, std::function<void()> action)
    {
        clock_.SetOnMessages([n, action = std::move(action), runs = 0]() mutable {
            if (++runs == n)
                action();
        });
    }
    Snapshot Look()
    {
        Snapshot s;
        s.menuBarEnabled = window_.menuBar()->isEnabled();
        s.workAreaEnabled = window_.MdiArea()->isEnabled();
        s.statusBarEnabled = window_.statusBar()->isEnabled();
        s.progressVisible = progress_.isVisible();
        s.stopUsable = progress_.isEnabled() && progress_.cmdCancel()->isEnabled();
        s.progressModal = QApplication::activeModalWidget() == &progress_;
        s.autoCalculating = AutoConfigureRunner::IsAutoCalculating();
        s.screenSaverActive = screenSaver_.Active();
        return s;
    }
    void Ended()
    {
        ++ends_;
        atEnd_ = Look();
    }
    float Score() { return lifecycle_.Venue().GenerateCalculations(false).EvennessScore; }
    std::string Log() const { return ReadAll(reporter_.LogPath()); }

    QTemporaryDir temp_;
    ProgramFolder folder_;
    MemorySettingsStore store_;
    Session session_;
    Options& options_;
    RecentFiles recent_;
    SteppingClock clock_;
    ScriptedPrompts prompts_;
    FixedScreenInfo screen_{1280, 1024, 15, 15};
    WindowRegistry registry_;
    RecordingHelpViewer help_;
    FakeScreenSaver screenSaver_{true};
    WatchingWindow picture_;
    int ends_ = 0;
    Snapshot atEnd_;
    ErrorReporter reporter_;
    ShellMainWindowRelay relay_;
    VenueLifecycle lifecycle_;
    UpdateHub hub_;
    MainWindow window_;
    ProgressWindow progress_;
    AutoConfigureRunner runner_;
};

TEST_F(AutoConfigureRunnerTest, TheTimeLabelShowsTheWholeBudget)
{
    options_.SetEnableRefinementCalculations(false); // the label keeps the first text
    const std::pair<int, const char*> cases[] = {
        {30'000, "30s"}, {90'000, "1m 30s"}, {3'600'000, "1h 0m 0s"},
        {59'999, "59s"}, {60'000, "1m 0s"},  {0, "0s"},
    };
    for (const auto& [ms, text] : cases) {
        options_.SetMaxAutoConfigureTime(ms);
        std::string shown;
        At(1, [&] { shown = progress_.lblTimeRemaining()->text().toStdString(); });
        EXPECT_TRUE(runner_.RunAutoCalculate());
        EXPECT_EQ(shown, text) << ms;
    }
}

TEST_F(AutoConfigureRunnerTest, TheVenueTakesTheAutoConfigureOptions)
{
    options_.SetEnableRefinementCalculations(false);
    options_.SetMaxAutoConfigureOverthrow(3.5f);
    options_.SetMaxAutoConfigureUnderthrow(-1.25f);
    for (const bool lock : {true, false}) {
        options_.SetLockBumperDuringAutoConfigure(lock);
        EXPECT_TRUE(runner_.RunAutoCalculate());
        EXPECT_EQ(lifecycle_.Venue().AutoCalcBumperAdjust(), !lock);
        EXPECT_FLOAT_EQ(lifecycle_.Venue().AutoCalcOverthrow(), 3.5f);
        EXPECT_FLOAT_EQ(lifecycle_.Venue().AutoCalcUnderthrow(), -1.25f);
    }
}

TEST_F(AutoConfigureRunnerTest, StopEndsTheSearchWithTheBestFoundSoFar)
{
    options_.Colors().SetColor(ColorTable::kProgressLeft, ArgbColor::MakeARGB(255, 200, 0, 0));
    options_.Colors().SetColor(ColorTable::kProgressRight, ArgbColor::MakeARGB(255, 0, 0, 200));
    auto designed = lifecycle_.Venue().CloneOf();
    designed->SetAutoCalcBumperAdjust(true);
    designed->SetAutoCalcBaselines(15, 15);
    AutoConfigure(*designed).DesignInitialSplays();
    const float designedScore = designed->GenerateCalculations(false).EvennessScore;

    std::int64_t readingsAtStop = 0;
    QColor barStart;
    std::string percent;
    At(3, [&] {
        barStart = progress_.Bar().Surface().pixelColor(0, 0);
        percent = progress_.lblProgress()->text().toStdString();
        progress_.cmdCancel()->click();
        readingsAtStop = clock_.readings;
    });
    EXPECT_TRUE(runner_.RunAutoCalculate());

    EXPECT_TRUE(progress_.CancelFlag());
    // After Stop the search tries the candidate at hand and no other.
    EXPECT_GT(readingsAtStop, 0);
    EXPECT_LE(clock_.readings - readingsAtStop, 2);
    EXPECT_LE(Score(), designedScore);
    EXPECT_EQ(barStart, QColor(200, 0, 0));
    EXPECT_NE(percent, "0.00%");

    // Hidden, cleared, refreshed with a new prediction, marked changed, and the screen
    // saver back on.
    EXPECT_FALSE(progress_.isVisible());
    EXPECT_EQ(progress_.lblProgress()->text(), "0.00%");
    EXPECT_EQ(progress_.Bar().Surface().pixelColor(0, 0), QColor(Qt::white));
    ASSERT_FALSE(picture_.seen.empty());
    EXPECT_FALSE(picture_.seen.back().progressVisible);
    EXPECT_TRUE(picture_.seen.back().autoCalculating);
    EXPECT_FLOAT_EQ(session_.Results().EvennessScore, Score());
    EXPECT_TRUE(lifecycle_.IsDirty());
    EXPECT_TRUE(screenSaver_.Active());
}

TEST_F(AutoConfigureRunnerTest, TheMainWindowTakesNoInputWhileTheProgressWindowDoes)
{
    window_.statusBar()->setEnabled(false); // disabled before the run: stays so
    auto* edit = new QLineEdit;
    window_.MdiArea()->addSubWindow(edit)->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
    edit->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), edit);
    Snapshot during;
    bool secondRun = true;
    At(1, [&] {
        during = Look();
        secondRun = runner_.RunAutoCalculate();
    });
    EXPECT_TRUE(runner_.RunAutoCalculate());

    EXPECT_FALSE(during.menuBarEnabled);
    EXPECT_FALSE(during.workAreaEnabled);
    EXPECT_TRUE(during.progressVisible);
    EXPECT_TRUE(during.stopUsable);
    EXPECT_TRUE(during.progressModal);
    EXPECT_TRUE(during.autoCalculating);
    EXPECT_FALSE(secondRun) << "a run from inside a run is refused";
    EXPECT_EQ(screenSaver_.Calls(), (std::vector<std::string>{"ask", "deactivate", "activate"}));

    const Snapshot after = Look();
    EXPECT_TRUE(after.menuBarEnabled);
    EXPECT_TRUE(after.workAreaEnabled);
    EXPECT_FALSE(after.statusBarEnabled);
    EXPECT_FALSE(after.progressVisible);
    EXPECT_FALSE(after.progressModal);
    EXPECT_FALSE(after.autoCalculating);
    // The main window has the focus back where the user left it.
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window_));
    EXPECT_EQ(QApplication::focusWidget(), edit);
}

TEST_F(AutoConfigureRunnerTest, TheScreenSaverIsSuspendedOnlyWhenItWasActiveAndTheOptionAsks)
{
    options_.SetEnableRefinementCalculations(false);
    struct Case {
        bool option;
        bool activeBefore;
        bool activeDuring;
        std::vector<std::string> calls;
    };
    const Case cases[] = {
        {true, true, false, {"ask", "deactivate", "activate"}},
        {true, false, false, {"ask"}},
        {false, true, true, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "option " << c.option << ", active " << c.activeBefore);
        options_.SetDisableScreenSaver(c.option);
        screenSaver_ = FakeScreenSaver(c.activeBefore);
        bool during = !c.activeDuring;
        At(1, [&] { during = screenSaver_.Active(); });
        EXPECT_TRUE(runner_.RunAutoCalculate());
        EXPECT_EQ(during, c.activeDuring);
        EXPECT_EQ(screenSaver_.Active(), c.activeBefore);
        EXPECT_EQ(screenSaver_.Calls(), c.calls);
    }
}

TEST_F(AutoConfigureRunnerTest, OnlyEngineeringModeCountsTheCombinations)
{
    for (const bool engineering : {false, true}) {
        SCOPED_TRACE(engineering ? "engineering" : "standard");
        if (engineering)
            options_.SwitchToEngineeringMode();
        else
            options_.SwitchToStandardMode();
        progress_.lblCombosTried()->clear();
        bool captionShown = !engineering;
        bool countShown = !engineering;
        At(3, [&] {
            captionShown = progress_.findChild<QLabel*>(QStringLiteral("lblCTIdent"))->isVisible();
            countShown = progress_.lblCombosTried()->isVisible();
            progress_.cmdCancel()->click();
        });
        EXPECT_TRUE(runner_.RunAutoCalculate());
        EXPECT_EQ(captionShown, engineering);
        EXPECT_EQ(countShown, engineering);
        // The count reaches the label only when it is given to Auto-Configure.
        EXPECT_EQ(progress_.lblCombosTried()->text().isEmpty(), !engineering);
    }
}

// Right under "Percent Complete: 72.02%", a count grouped by the desktop's locale
// ("704.673" in German) reads as a decimal: it is written as every other number is.
TEST_F(AutoConfigureRunnerTest, TheCountIsWrittenTheSameUnderEveryLocale)
{
    options_.SwitchToEngineeringMode();
    const QLocale before;
    for (const QLocale::Language language : {QLocale::German, QLocale::French, QLocale::English}) {
        const QLocale locale(language, language == QLocale::English ? QLocale::UnitedStates
                                       : language == QLocale::German ? QLocale::Germany
                                                                     : QLocale::France);
        SCOPED_TRACE(locale.name().toStdString());
        QLocale::setDefault(locale);
        std::vector<QString> shown;
        clock_.SetOnMessages([&] {
            if (const QString text = progress_.lblCombosTried()->text(); !text.isEmpty())
                shown.push_back(text);
        });
        EXPECT_TRUE(runner_.RunAutoCalculate());
        ASSERT_FALSE(shown.empty());
        for (const QString& text : shown) {
            bool whole = false;
            const qlonglong count = text.toLongLong(&whole);
            ASSERT_TRUE(whole) << text.toStdString();
            EXPECT_EQ(text.toStdString(), std::to_string(count));
        }
        EXPECT_GE(shown.back().size(), 4) << "a count with thousands: " << shown.back().toStdString();
    }
    QLocale::setDefault(before);
}

TEST_F(AutoConfigureRunnerTest, AFailureRestoresEverythingBeforeItIsReported)
{
    At(3, [] { throw std::runtime_error("the search lost its venue"); });
    EXPECT_FALSE(runner_.RunAutoCalculate());

    ASSERT_EQ(ends_, 1);
    EXPECT_TRUE(atEnd_.screenSaverActive);
    EXPECT_TRUE(atEnd_.menuBarEnabled);
    EXPECT_TRUE(atEnd_.workAreaEnabled);
    EXPECT_FALSE(atEnd_.progressVisible);
    EXPECT_FALSE(atEnd_.progressModal);
    EXPECT_FALSE(atEnd_.autoCalculating);
    const std::string log = Log();
    EXPECT_NE(log.find("Error in \"modMain.RunAutoCalculate\""), std::string::npos) << log;
    EXPECT_NE(log.find("the search lost its venue"), std::string::npos) << log;
}

} // namespace
} // namespace polvane
