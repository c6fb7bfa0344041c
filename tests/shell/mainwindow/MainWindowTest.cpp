#include "shell/mainwindow/MainWindow.h"

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <QAction>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeySequence>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "../MainWindowFixture.h"
#include "shell/startup/SplashWindow.h"

#include "engine/Environment.h"
#include "files/VenueFile.h"
#include "platform/ProgramFolder.h"
#include "shell/mainwindow/CellPopupTarget.h"
#include "shell/startup/ErrorReporter.h"
#include "shell/options/Options.h"
#include "shell/places/PlaceableWindow.h"
#include "shell/session/RecentFiles.h"
#include "shell/session/RefreshableWindow.h"
#include "shell/mainwindow/RiggingPopupTarget.h"
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
namespace {

struct RecordingPopupTarget : CellPopupTarget, RiggingPopupTarget {
    void SetCellType(int item) override { calls.push_back("type " + std::to_string(item)); }
    void SetSplay(int item) override { calls.push_back("splay " + std::to_string(item)); }
    void SetAttenuationVal(int item) override { calls.push_back("attenuation " + std::to_string(item)); }
    void ChoosePointType(int point) override { calls.push_back("point " + std::to_string(point)); }
    std::vector<std::string> calls;
};

struct LoadedWindow : RefreshableWindow {
    void Refresh() override {}
};



TEST_F(MainWindowTest, MenusCarryTheirTextsShortcutsAndStates)
{
    EXPECT_EQ(window_.objectName(), "frmMain");
    EXPECT_NE(qobject_cast<QMdiArea*>(window_.centralWidget()), nullptr);

    QStringList bar;
    for (QAction* action : window_.menuBar()->actions())
        bar << action->text();
    EXPECT_EQ(bar, QStringList({"&File", "&Array", "&Tools", "&View", "&Help"}));

    struct Case {
        const char* name;
        const char* text;
        const char* shortcut;
        bool enabled; // Qt counts hidden items as disabled
        bool visible;
    };
    const Case cases[] = {
        {"mnuFileNew", "&New", "Ctrl+N", true, true},
        {"mnuFileOpen", "&Open...", "Ctrl+O", true, true},
        {"mnuFileRevert", "&Revert", "", false, true},
        {"mnuFileSave", "&Save", "Ctrl+S", true, true},
        {"mnuFileSaveAs", "Save &As...", "", true, true},
        {"mnuFilePrint", "&Print...", "Ctrl+P", false, true},
        {"mnuFileMRU(0)", "", "", false, false},
        {"mnuFileSep4", "", "", false, false},
        {"mnuFileExit", "E&xit", "Ctrl+Q", true, true},
        {"mnuArrayAutoConfigure", "&Auto-Configure", "", false, true},
        {"mnuArrayDesgin", "&Design...", "", false, true},
        {"mnuArrayDistill", "Distill to PLR file...", "", false, false},
        {"mnuArrayStatesSaveToState(3)", "State &3\tCtrl+Shift+3", "", true, true},
        {"mnuArrayStatesSwitch(9)", "State &9\tCtrl+9", "", true, true},
        {"mnuViewUnitsEnglish", "&English", "", true, true},
        {"mnuViewUnitsMetric", "&Metric", "", true, true},
        {"mnuViewOptions", "&Options...", "", false, true},
        {"mnuModeStandard", "Basic", "", true, true},
        {"mnuModeEngineering", "Advanced", "", true, true},
        {"mnuViewWindowsArrange800x600", "&800 x 600", "", true, true},
        {"mnuViewWindowsArrange1024x768", "&1024 x 768", "", true, true},
        {"mnuViewWindowsArrange1280x1024", "&1280 x 1024", "", true, true},
        {"mnuViewWindowsArrangeSave", "&Save Current Layout...", "", false, true},
        {"mnuViewWindowsArrangeCustom(0)", "", "", false, false},
        {"mnuViewRefresh", "&Refresh All", "F5", true, true},
        {"mnuViewStatusBar", "S&tatus Bar", "", true, true},
        {"mnuHelpContents", "&Contents", "", true, true},
        {"mnuHelpSearch", "&Search", "", true, true},
        {"mnuHelpAbout", "&About...", "", true, true},
    };
    for (const Case& c : cases) {
        QAction* item = Item(c.name);
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item->text().toStdString(), c.text) << c.name;
        EXPECT_EQ(item->shortcut(), QKeySequence(QString::fromUtf8(c.shortcut))) << c.name;
        EXPECT_EQ(item->isEnabled(), c.enabled) << c.name;
        EXPECT_EQ(item->isVisible(), c.visible) << c.name;
    }
    // The designed-hidden sub-menus never show in the Array menu.
    for (const char* hidden : {"mnuArrayConfiguration", "mnuArrayPinning", "mnuArrayStates"})
        EXPECT_FALSE(Menu(hidden)->menuAction()->isVisible()) << hidden;

    // File > Revert follows the venue's changes only when it has a file name.
    lifecycle_.SetDirty();
    EXPECT_FALSE(Item("mnuFileRevert")->isEnabled());
    // Only the states in use can be switched to.
    EXPECT_TRUE(Item("mnuArrayStatesSwitch(1)")->isEnabled());
    lifecycle_.SaveState(4);
    EXPECT_TRUE(Item("mnuArrayStatesSwitch(4)")->isEnabled());

    Item("mnuHelpContents")->trigger();
    Item("mnuHelpSearch")->trigger();
    EXPECT_EQ(help_.Calls(), (std::vector<RecordingHelpViewer::Call>{{"index", false}, {"index", true}}));
    int abouts = 0;
    window_.SetShowAbout([&abouts] { ++abouts; });
    Item("mnuHelpAbout")->trigger();
    EXPECT_EQ(abouts, 1);
    // A command handed over later enables its item.
    int prints = 0;
    window_.SetCommand(MainWindow::Command::Print, [&prints] { ++prints; });
    ASSERT_TRUE(Item("mnuFilePrint")->isEnabled());
    Item("mnuFilePrint")->trigger();
    EXPECT_EQ(prints, 1);
}

TEST_F(MainWindowTest, AfterAboutIsClickedAwayTheKeyboardIsTheMainWindowsAgain)
{
    SplashWindow splash;
    window_.SetAboutWindow(splash);
    window_.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));

    QTest::keyClick(window_.windowHandle(), Qt::Key_H, Qt::AltModifier);
    QMenu* help = Menu("mnuHelp");
    ASSERT_TRUE(help->isVisible());
    QTest::keyClick(help, Qt::Key_A);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&splash));
    QTest::mouseClick(&splash, Qt::LeftButton, {}, splash.rect().center());
    EXPECT_FALSE(splash.isVisible());
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));

    // Alt+F opens the File menu as the keyboard reaches the window the system made active.
    QTest::keyClick(QGuiApplication::focusWindow(), Qt::Key_F, Qt::AltModifier);
    EXPECT_TRUE(Menu("mnuFile")->isVisible());
    Menu("mnuFile")->close();
}

TEST_F(MainWindowTest, EscapeAndEnterCloseAboutWhereverTheKeyboardIs)
{
    SplashWindow splash;
    window_.SetAboutWindow(splash);
    window_.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
    const auto openAbout = [&] {
        QTest::keyClick(window_.windowHandle(), Qt::Key_H, Qt::AltModifier);
        QMenu* help = Menu("mnuHelp");
        ASSERT_TRUE(help->isVisible());
        QTest::keyClick(help, Qt::Key_A);
        ASSERT_TRUE(splash.isVisible());
    };
    // The About window with the keyboard, and the main window keeping it, as a window
    // manager that gives no focus to a splash window does.
    for (const bool toAbout : {true, false}) {
        for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter}) {
            SCOPED_TRACE(QKeySequence(key).toString().toStdString() + (toAbout ? " on About" : " on the main window"));
            openAbout();
            QWindow* target = toAbout ? splash.windowHandle() : window_.windowHandle();
            // Other keys leave it up.
            QTest::keyClick(target, Qt::Key_Space);
            QTest::keyClick(target, Qt::Key_X);
            ASSERT_TRUE(splash.isVisible());
            QTest::keyClick(target, key);
            EXPECT_FALSE(splash.isVisible());
            ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
        }
    }
    // An open menu takes Escape first; the next one closes About.
    openAbout();
    QTest::keyClick(window_.windowHandle(), Qt::Key_F, Qt::AltModifier);
    QMenu* file = Menu("mnuFile");
    ASSERT_TRUE(file->isVisible());
    QTest::keyClick(file, Qt::Key_Escape);
    EXPECT_FALSE(file->isVisible());
    EXPECT_TRUE(splash.isVisible());
    QTest::keyClick(window_.windowHandle(), Qt::Key_Escape);
    EXPECT_FALSE(splash.isVisible());
}

TEST_F(MainWindowTest, ToolsMenuListsTheTwelveWindowsDisabledUntilTheyExist)
{
    const QStringList expected{"&Array Configuration", "Array &Picture", "&Bumper Configuration",
                               "&Calculations", "C&ell Configurations",
                               "&Frequency Response Options", "&Inter-Frequency Evenness Graph",
                               "&Listening Points", "&Notes", "&Rigging Details",
                               "&Seating Areas", "&Venue", "", "&Units", "", "&Options..."};
    QStringList texts;
    for (QAction* action : Menu("mnuTools")->actions())
        texts << action->text();
    EXPECT_EQ(texts, expected);

    for (const ToolWindowInfo& info : ToolWindowRegistry::All()) {
        QAction* item = Item(info.menuName);
        ASSERT_NE(item, nullptr);
        EXPECT_FALSE(item->isEnabled()) << info.caption;
        EXPECT_TRUE(item->isCheckable()) << info.caption;
        EXPECT_EQ(item->isVisible(), !info.engineeringOnly) << info.caption;
    }
    EXPECT_EQ(ToolWindowRegistry::LayoutName(ToolWindowId::IFEGraph), "INTER-FREQUENCY_EVENNESS_GRAPH");

    // A window that can be loaded enables its item. Without a stored place it opens where
    // it is, is refreshed and checked; once loaded the item only brings it to the front.
    std::vector<std::string> log;
    FakeToolWindow notes(ToolWindowId::Notes, registry_, log);
    window_.SetToolWindowSlot(ToolWindowId::Notes, &notes);
    ASSERT_TRUE(Item("mnuViewNotes")->isEnabled());
    Item("mnuViewNotes")->trigger();
    EXPECT_TRUE(Item("mnuViewNotes")->isChecked());
    Item("mnuViewNotes")->trigger();
    EXPECT_TRUE(Item("mnuViewNotes")->isChecked()) << "chosen again while open";
    EXPECT_EQ(log, (std::vector<std::string>{"Notes: load", "Notes: show", "Notes: refresh",
                                             "Notes: show"}));

    // Closed, it opens again at the place it saved, even one saved as hidden.
    notes.Unload();
    window_.UpdateVisibleWindows();
    EXPECT_FALSE(Item("mnuViewNotes")->isChecked());
    store_.SaveSetting(SettingsStore::kWindowPositions, "Notes", "0,150,300,4500,3000");
    log.clear();
    Item("mnuViewNotes")->trigger();
    EXPECT_EQ(log, (std::vector<std::string>{"Notes: load", "Notes: move 150,300", "Notes: show",
                                             "Notes: refresh"}));
    EXPECT_EQ(notes.Width(), 4500);
}

TEST_F(MainWindowTest, ViewModeItemsSwitchModeAndShowTheEngineeringTools)
{
    EXPECT_TRUE(Item("mnuModeStandard")->isChecked());
    EXPECT_FALSE(Item("mnuModeEngineering")->isChecked());

    Item("mnuModeEngineering")->trigger();
    EXPECT_TRUE(options_.EngineeringMode());
    EXPECT_TRUE(Item("mnuModeEngineering")->isChecked());
    EXPECT_FALSE(Item("mnuModeStandard")->isChecked());
    for (const char* name : {"mnuViewFROptions", "mnuViewIFEGraph", "mnuViewListeningPoints"})
        EXPECT_TRUE(Item(name)->isVisible()) << name;

    Item("mnuModeStandard")->trigger();
    EXPECT_FALSE(options_.EngineeringMode());
    EXPECT_TRUE(Item("mnuModeStandard")->isChecked());
    EXPECT_FALSE(Item("mnuModeEngineering")->isChecked());
    EXPECT_FALSE(Item("mnuViewListeningPoints")->isVisible());
    // Choosing the mode in force leaves its mark on.
    Item("mnuModeStandard")->trigger();
    EXPECT_TRUE(Item("mnuModeStandard")->isChecked());
}

TEST_F(MainWindowTest, PopupMenusHoldTheirItemsAndReportTheChoice)
{
    RecordingPopupTarget target;
    window_.SetCellPopupTarget(&target);
    window_.SetRiggingPopupTarget(&target);

    struct Case {
        MainWindow::Popup popup;
        const char* title;
        const char* firstText;
        bool firstVisible;
        const char* call;
    };
    const Case lists[] = {
        {MainWindow::Popup::Type, "Type (Popup)", "(type)", true, "type 7"},
        {MainWindow::Popup::Splay, "Splay (Popup)", "(angle)", false, "splay 7"},
        {MainWindow::Popup::Attenuation, "Attenuations (Popup)", "(value)", false, "attenuation 7"},
    };
    for (const Case& c : lists) {
        QMenu* menu = window_.PopupMenu(c.popup);
        EXPECT_EQ(menu->title().toStdString(), c.title);
        const QList<QAction*> actions = menu->actions();
        ASSERT_EQ(actions.size(), MainWindow::kPopupItemCount + 2) << c.title;
        EXPECT_TRUE(actions[MainWindow::kPopupItemCount]->isSeparator());
        EXPECT_EQ(actions.back()->text(), "Cancel");
        EXPECT_EQ(window_.PopupItem(c.popup, 1)->text().toStdString(), c.firstText);
        EXPECT_EQ(window_.PopupItem(c.popup, 1)->isVisible(), c.firstVisible);
        EXPECT_FALSE(window_.PopupItem(c.popup, 20)->isVisible());
        window_.PopupItem(c.popup, 7)->trigger();
        EXPECT_EQ(target.calls.back(), c.call);
        actions.back()->trigger(); // Cancel tells nobody
        EXPECT_EQ(target.calls.back(), c.call);
    }
    EXPECT_THROW(window_.PopupItem(MainWindow::Popup::Type, 21), std::out_of_range);
    EXPECT_THROW(window_.PopupItem(MainWindow::Popup::Rigging, 1), std::out_of_range);

    Item("mnuRiggingBack")->trigger();
    EXPECT_EQ(target.calls.back(), "point 1");
    Item("mnuRiggingFront")->trigger();
    EXPECT_EQ(target.calls.back(), "point 0");
    EXPECT_EQ(window_.PopupMenu(MainWindow::Popup::Rigging)->actions().size(), 4);

    QStringList extras;
    for (QAction* action : window_.PopupMenu(MainWindow::Popup::Extras)->actions())
        extras << action->text();
    EXPECT_EQ(extras, QStringList({"Geometric Approximation", "", "First-Order Search",
                                   "Second-Order Search", "Third-Order Search",
                                   "Higher Order Search"}));
    EXPECT_EQ(Menu("mnuExtrasHigherOrder")->actions().size(), 1);

    // None of them is in the menu bar.
    for (QAction* action : window_.menuBar()->actions())
        EXPECT_FALSE(action->text().contains("Popup"));
}

TEST_F(MainWindowTest, StatusBarPanelsCaptionAndToggle)
{
    EXPECT_EQ(window_.statusBar()->objectName(), "sbrMain");
    lifecycle_.SetDirty();
    EXPECT_EQ(window_.StatusPanel(1)->text(), "(Unsaved)");
    window_.SetStatusPanel(3, "State 2 Loaded");
    EXPECT_EQ(window_.StatusPanel(3)->text(), "State 2 Loaded");
    EXPECT_THROW(window_.SetStatusPanel(4, "x"), std::out_of_range);
    EXPECT_EQ(window_.StatusPanel(2)->minimumWidth(), 220); // 3300 twips at 15 per pixel

    EXPECT_EQ(window_.windowTitle().toStdString(), "(untitled venue) -- Quessel Polvane");

    ASSERT_FALSE(options_.ShowStatusBar());
    EXPECT_TRUE(window_.statusBar()->isHidden());
    Item("mnuViewStatusBar")->trigger();
    EXPECT_TRUE(options_.ShowStatusBar());
    EXPECT_FALSE(window_.statusBar()->isHidden());
    EXPECT_TRUE(Item("mnuViewStatusBar")->isChecked());
    EXPECT_EQ(store_.ReadSetting(SettingsStore::kGeneral, "Show status bar"), "Yes");
    Item("mnuViewStatusBar")->trigger();
    EXPECT_TRUE(window_.statusBar()->isHidden());
    EXPECT_FALSE(Item("mnuViewStatusBar")->isChecked());
    EXPECT_EQ(store_.ReadSetting(SettingsStore::kGeneral, "Show status bar"), "No");
}

TEST_F(MainWindowTest, CloseIsIgnoredSavesThePlaceAndEndsAfterTheTimer)
{
    window_.show();
    window_.move(40, 60);
    window_.resize(700, 500);
    EXPECT_FALSE(window_.close());
    EXPECT_TRUE(window_.isVisible());
    EXPECT_EQ(StoredPlace(), "0," + std::to_string(window_.x() * 15) + "," +
                                 std::to_string(window_.y() * 15) + ",10500,7500");
    EXPECT_EQ(window_.ExitTimer()->interval(), MainWindow::kExitDelayMs);
    EXPECT_TRUE(window_.ExitTimer()->isActive());
    // The end comes from the timer, after the close event returned.
    EXPECT_EQ(ends_, 0);
    EXPECT_TRUE(QTest::qWaitFor([this] { return ends_ != 0; }, 60000));
    EXPECT_EQ(ends_, 1);
    EXPECT_FALSE(window_.ExitTimer()->isActive());
    EXPECT_TRUE(prompts_.Requests().empty());
    EXPECT_EQ(reportedEnds_, 0);

    // The orderly end's unload really closes it, writing the place again.
    store_.Remove(SettingsStore::kWindowPositions, "Main Window");
    window_.Unload();
    EXPECT_FALSE(window_.isVisible());
    EXPECT_FALSE(StoredPlace().empty());
}

TEST_F(MainWindowTest, CancelAtTheSaveQuestionKeepsTheProgramRunning)
{
    window_.show();
    lifecycle_.SetDirty();
    prompts_.QueueAnswer(MessageAnswer::Cancel);
    EXPECT_FALSE(window_.close());
    EXPECT_FALSE(StoredPlace().empty());
    EXPECT_FALSE(window_.ExitTimer()->isActive());
    // Only the timer ends the program after a close: what the close left to the event loop
    // starts it no later.
    QCoreApplication::processEvents();
    EXPECT_FALSE(window_.ExitTimer()->isActive());
    EXPECT_EQ(ends_, 0);
    EXPECT_TRUE(lifecycle_.IsDirty());
    const auto& asked = prompts_.Last();
    EXPECT_EQ(asked.text, "Do you want to save the changes to this venue?");
    EXPECT_EQ(asked.title, "Quessel Polvane");
    EXPECT_EQ(asked.buttons, MessageButtons::YesNoCancel);
    EXPECT_EQ(asked.icon, MessageIcon::Question);
}

// The save question before Exit: which answers let the program end, and whether the
// changes survive.
TEST_F(MainWindowTest, SaveQuestionPathsBeforeExit)
{
    enum class Save { None, Cancelled, Fails, Saved };
    struct Case {
        const char* name;
        MessageAnswer answer;
        Save save;
        bool ends;
        bool dirtyAfter;
    };
    const Case cases[] = {
        {"no", MessageAnswer::No, Save::None, true, true},
        {"cancel", MessageAnswer::Cancel, Save::None, false, true},
        {"yes, saved", MessageAnswer::Yes, Save::Saved, true, false},
        // A cancelled or failed save must not throw the changes away.
        {"yes, save cancelled", MessageAnswer::Yes, Save::Cancelled, false, true},
        {"yes, save failed", MessageAnswer::Yes, Save::Fails, false, true},
    };
    for (const Case& c : cases) {
        lifecycle_.NewVenue();
        lifecycle_.SetDirty();
        ends_ = 0;
        prompts_.QueueAnswer(c.answer);
        if (c.save == Save::Cancelled)
            prompts_.QueueSaveFile(std::nullopt);
        else if (c.save == Save::Fails)
            prompts_.QueueSaveFile(Path("missing folder/venue.venue"));
        else if (c.save == Save::Saved)
            prompts_.QueueSaveFile(Path("saved.venue"));
        Item("mnuFileExit")->trigger();
        EXPECT_EQ(ends_, c.ends ? 1 : 0) << c.name;
        EXPECT_EQ(lifecycle_.IsDirty(), c.dirtyAfter) << c.name;
        EXPECT_EQ(prompts_.QueuedAnswers(), 0u) << c.name;
        if (c.save == Save::Saved) {
            EXPECT_EQ(window_.windowTitle().toStdString(), "saved -- Quessel Polvane");
        }
    }
    EXPECT_EQ(reportedEnds_, 0);
}

TEST_F(MainWindowTest, YesWithACancelledSaveCancelsNewOpenAndARecentFile)
{
    const std::string other = Path("other.venue");
    Environment venue;
    venue.Clear();
    VenueFile::SaveAs(venue, other);
    lifecycle_.Venue().LineArray().SetBrand(BrandCode::TarvicKv4);
    lifecycle_.SetDirty();
    const Environment* before = &lifecycle_.Venue();

    for (const char* item : {"mnuFileNew", "mnuFileOpen"}) {
        prompts_.QueueAnswer(MessageAnswer::Yes);
        prompts_.QueueSaveFile(std::nullopt);
        Item(item)->trigger();
        EXPECT_EQ(prompts_.QueuedAnswers(), 0u) << item; // no open dialog followed
    }
    prompts_.QueueAnswer(MessageAnswer::Yes);
    prompts_.QueueSaveFile(std::nullopt);
    EXPECT_FALSE(window_.OpenRecentFile(other));
    EXPECT_EQ(&lifecycle_.Venue(), before);
    EXPECT_EQ(lifecycle_.Venue().LineArray().Brand(), BrandCode::TarvicKv4);
    EXPECT_TRUE(lifecycle_.IsDirty());
    EXPECT_FALSE(lifecycle_.HasFileName());

    // With a file name the question names the file; No opens the other one.
    prompts_.QueueAnswer(MessageAnswer::No);
    EXPECT_TRUE(window_.OpenRecentFile(other));
    EXPECT_EQ(lifecycle_.VenuePath(), other);
    lifecycle_.SetDirty();
    prompts_.QueueAnswer(MessageAnswer::Cancel);
    Item("mnuFileNew")->trigger();
    EXPECT_EQ(prompts_.Last().text, "Do you want to save the changes to \"" + other + "\"?");
    EXPECT_EQ(lifecycle_.VenuePath(), other);
}

TEST_F(MainWindowTest, UnitsSwitchConvertsAndMarksOnlyOnAChange)
{
    ASSERT_EQ(lifecycle_.Venue().Units(), UnitsCode::Metric);
    EXPECT_TRUE(Item("mnuViewUnitsMetric")->isChecked());
    EXPECT_FALSE(Item("mnuViewUnitsEnglish")->isChecked());

    // The unit in force: no change, no mark, and its check stays.
    Item("mnuViewUnitsMetric")->trigger();
    EXPECT_FALSE(lifecycle_.IsDirty());
    EXPECT_TRUE(Item("mnuViewUnitsMetric")->isChecked());
    EXPECT_FALSE(Item("mnuViewUnitsEnglish")->isChecked());

    Item("mnuViewUnitsEnglish")->trigger();
    EXPECT_EQ(lifecycle_.Venue().Units(), UnitsCode::English);
    EXPECT_TRUE(lifecycle_.IsDirty());
    EXPECT_TRUE(Item("mnuViewUnitsEnglish")->isChecked());
    EXPECT_FALSE(Item("mnuViewUnitsMetric")->isChecked());
    EXPECT_EQ(window_.StatusPanel(1)->text(), "(Unsaved)");
}

TEST_F(MainWindowTest, PresetFollowsTheScreenWidth)
{
    struct Case {
        int width;
        PresetArrangement::Preset preset;
    };
    for (const Case c : {Case{800, PresetArrangement::Preset::k800x600}, Case{1023, PresetArrangement::Preset::k800x600},
                         Case{1024, PresetArrangement::Preset::k1024x768}, Case{1279, PresetArrangement::Preset::k1024x768},
                         Case{1280, PresetArrangement::Preset::k1280x1024}, Case{2560, PresetArrangement::Preset::k1280x1024}})
        EXPECT_EQ(PresetArrangement::PresetFor(c.width, 2000), c.preset) << c.width;

    // Every preset fills the screen, whatever its size: the windows are placed by their
    // real sizes in the room there is.
    FixedScreenInfo exact(1024, 768, 15, 15);
    ShellMainWindowRelay smallRelay;
    MainWindow small(options_, prompts_, exact, registry_, reporter_, lifecycle_, hub_, smallRelay);
    small.Arrangement().PositionPreset(PresetArrangement::Preset::k1024x768);
    EXPECT_TRUE(small.windowState() & Qt::WindowMaximized);
    window_.Arrangement().PositionPreset(PresetArrangement::Preset::k800x600);
    EXPECT_TRUE(window_.windowState() & Qt::WindowMaximized);
}

// The first start's preset on the screens users have, in device-independent pixels: a 4:3
// screen keeps the preset of its width, a wide one whose work area is too low for it takes
// the next smaller.
TEST_F(MainWindowTest, FirstStartPresetFollowsTheWorkAreasWidthAndHeight)
{
    using P = PresetArrangement::Preset;
    struct Case {
        int width;
        int height;
        double scale;
        P preset;
    };
    const Case cases[] = {
        {800, 600, 1, P::k800x600},     {1024, 768, 1, P::k1024x768},   {1280, 1024, 1, P::k1280x1024},
        {1600, 1200, 1, P::k1280x1024}, {1280, 960, 1, P::k1280x1024},  {1920, 1080, 1, P::k1280x1024},
        {1920, 1080, 1.5, P::k1024x768}, {1366, 768, 1, P::k1024x768},  {1280, 800, 1, P::k1024x768},
        {1280, 720, 1, P::k1024x768},   {1440, 900, 1, P::k1280x1024},   {1680, 1050, 1, P::k1280x1024},
        {2560, 1440, 2, P::k1024x768},  {2560, 1600, 2, P::k1024x768},  {3840, 2160, 2, P::k1280x1024},
        {2560, 1440, 1.25, P::k1280x1024}, {1024, 600, 1, P::k800x600}, {1080, 1920, 1, P::k1024x768},
        {768, 1024, 1, P::k800x600},    {1200, 1920, 1, P::k1024x768},  {1440, 2560, 1, P::k1280x1024},
    };
    for (const Case& c : cases) {
        FixedScreenInfo screen(static_cast<int>(c.width / c.scale), static_cast<int>(c.height / c.scale), 15, 15);
        ShellMainWindowRelay relay;
        MainWindow window(options_, prompts_, screen, registry_, reporter_, lifecycle_, hub_, relay);
        EXPECT_EQ(window.Arrangement().PresetForScreen(), c.preset)
            << c.width << " x " << c.height << " at " << c.scale << ": work area "
            << window.Arrangement().WorkAreaSize().width() << " x " << window.Arrangement().WorkAreaSize().height();
    }
    // The window's size of the moment does not count (a change of mode arranges a shown
    // window too): every preset maximises it.
    window_.show();
    window_.setWindowState(Qt::WindowNoState);
    window_.resize(640, 480);
    QApplication::processEvents();
    EXPECT_EQ(window_.Arrangement().PresetForScreen(), P::k1280x1024);
}

// The venue is built before the main window and outlives it: what it reports reaches the
// window while it lives and nothing once it is gone.
TEST_F(MainWindowTest, TheVenueReachesTheMainWindowOnlyWhileItLives)
{
    ShellMainWindowRelay relay;
    Session session(store_);
    VenueLifecycle lifecycle(session, prompts_, relay, recent_, [this] { return templatePath_; },
                             [] { return std::string("Quessel Polvane"); });
    lifecycle.SetDirty(); // no window yet: nothing to show it on
    {
        MainWindow other(options_, prompts_, screen_, registry_, reporter_, lifecycle, hub_, relay);
        EXPECT_EQ(other.StatusPanel(1)->text().toStdString(), "");
        lifecycle.SetDirty();
        EXPECT_EQ(other.StatusPanel(1)->text().toStdString(), VenueLifecycle::kUnsavedText);
        lifecycle.ClearDirty();
        EXPECT_EQ(other.StatusPanel(1)->text().toStdString(), "");
    }
    lifecycle.SetDirty();
    EXPECT_TRUE(lifecycle.IsDirty());
    EXPECT_EQ(window_.StatusPanel(1)->text().toStdString(), "") << "another window's venue";
}

TEST_F(MainWindowTest, ShowWindowsRestoresTheStoredPlaceAndTheStatusBar)
{
    // Options read after the window was built: the mode items follow at the start.
    options_.SetModeSwitchListener(nullptr);
    options_.SwitchToEngineeringMode();
    options_.SetShowStatusBar(true);
    store_.SaveSetting(SettingsStore::kWindowPositions, "Main Window", "2,0,0,100,100");
    // A stored tool window that opens keeps the preset from overriding the stored place.
    std::vector<std::string> log;
    FakeToolWindow venue(ToolWindowId::Venue, registry_, log);
    window_.SetToolWindowSlot(ToolWindowId::Venue, &venue);
    store_.SaveSetting(SettingsStore::kWindowPositions, "Venue", "1,0,0,6000,4000");
    window_.ShowWindows();
    EXPECT_EQ(log, (std::vector<std::string>{"Venue: load", "Venue: move 0,0", "Venue: show"}));
    EXPECT_TRUE(window_.windowState() & Qt::WindowMaximized);
    EXPECT_TRUE(Item("mnuModeEngineering")->isChecked());
    EXPECT_TRUE(Item("mnuViewFROptions")->isVisible());
    EXPECT_FALSE(window_.statusBar()->isHidden());
    EXPECT_TRUE(Item("mnuViewStatusBar")->isChecked());

    store_.SaveSetting(SettingsStore::kWindowPositions, "Main Window", "0,600,900,9000,6000");
    window_.ShowWindows();
    EXPECT_FALSE(window_.windowState() & Qt::WindowMaximized);
    EXPECT_EQ(window_.pos(), QPoint(40, 60));
    EXPECT_EQ(window_.size(), QSize(600, 400));
    // A damaged place leaves the window where it is rather than ending the program.
    store_.SaveSetting(SettingsStore::kWindowPositions, "Main Window", "0,600,x,9000");
    window_.ShowWindows();
    EXPECT_EQ(window_.pos(), QPoint(40, 60));
    EXPECT_EQ(reportedEnds_, 0);
}

// Places stored on a larger or a removed monitor, or edited by hand, put the whole window,
// its frame with it, on the 1280 x 1024 screen, no larger than it and no smaller than the
// window's least size.
TEST_F(MainWindowTest, StoredPlacesOffTheScreenAreHeldOnIt)
{
    // A stored tool window that opens keeps the preset from maximising the main window.
    std::vector<std::string> log;
    FakeToolWindow venue(ToolWindowId::Venue, registry_, log);
    window_.SetToolWindowSlot(ToolWindowId::Venue, &venue);
    store_.SaveSetting(SettingsStore::kWindowPositions, "Venue", "1,0,0,6000,4000");
    const QSize frame = window_.frameGeometry().size() - window_.size();
    const QSize least = window_.minimumSizeHint().expandedTo(window_.minimumSize()) + frame;
    ASSERT_GT(least.width(), 1);
    ASSERT_GT(least.height(), 1);
    const QSize stored = QSize(600, 400) + frame;
    const struct {
        const char* stored;
        QRect held; // the frame's
    } cases[] = {
        {"0,2147483647,2147483647,2147483647,2147483647", QRect(0, 0, 1280, 1024)},
        {"0,-2147483648,-2147483648,-2147483648,-2147483648", QRect(QPoint(0, 0), least)},
        {"0,-150000,-30000,9000,6000", QRect(QPoint(0, 0), stored)},
        {"0,45000,600,9000,6000", QRect(QPoint(1280 - stored.width(), 40), stored)},
        {"0,600,900,300000,300000", QRect(0, 0, 1280, 1024)},
        // No size past the far corner: the window comes in by its least size.
        {"0,2147483647,2147483647,-12000,-9000",
         QRect(QPoint(1280 - least.width(), 1024 - least.height()), least)},
        {"0,600,900,15,15", QRect(QPoint(40, 60), least)},
    };
    for (const auto& c : cases) {
        store_.SaveSetting(SettingsStore::kWindowPositions, "Main Window", c.stored);
        window_.ShowWindows();
        EXPECT_FALSE(window_.isMaximized()) << c.stored;
        EXPECT_EQ(window_.frameGeometry(), c.held) << c.stored;
        EXPECT_TRUE(QRect(0, 0, 1280, 1024).contains(window_.frameGeometry())) << c.stored;
    }
    EXPECT_EQ(reportedEnds_, 0);
}

// At the start the place is taken before the window is shown, framed and given its status
// bar: once it is shown and active, the grown window is held on the screen again.
TEST_F(MainWindowTest, AStoredPlaceIsHeldAgainOnceTheWindowIsShown)
{
    std::vector<std::string> log;
    FakeToolWindow venue(ToolWindowId::Venue, registry_, log);
    window_.SetToolWindowSlot(ToolWindowId::Venue, &venue);
    store_.SaveSetting(SettingsStore::kWindowPositions, "Venue", "1,0,0,6000,4000");
    options_.SetShowStatusBar(false);
    window_.ShowWindows();
    options_.SetShowStatusBar(true);
    store_.SaveSetting(SettingsStore::kWindowPositions, "Main Window", "0,2147483647,2147483647,-12000,-9000");
    window_.ShowWindows(); // places the window, then shows the status bar
    window_.show();
    window_.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
    EXPECT_FALSE(window_.statusBar()->isHidden());
    EXPECT_FALSE(window_.isMaximized());
    EXPECT_TRUE(QRect(0, 0, 1280, 1024).contains(window_.frameGeometry())) << window_.frameGeometry().y();
    EXPECT_EQ(window_.frameGeometry().bottomRight(), QPoint(1279, 1023));
    EXPECT_GE(window_.height(), window_.minimumSizeHint().height());
    EXPECT_EQ(reportedEnds_, 0);
}

// A screen too small for the window holds no stored place: the window takes the presets'
// place, maximised.
TEST_F(MainWindowTest, AScreenSmallerThanTheWindowMaximisesIt)
{
    std::vector<std::string> log;
    FakeToolWindow venue(ToolWindowId::Venue, registry_, log);
    window_.SetToolWindowSlot(ToolWindowId::Venue, &venue);
    store_.SaveSetting(SettingsStore::kWindowPositions, "Venue", "1,0,0,6000,4000");
    const QSize least = window_.minimumSizeHint().expandedTo(window_.minimumSize());
    screen_.SetSize(least.width() - 1, 2000);
    store_.SaveSetting(SettingsStore::kWindowPositions, "Main Window", "0,600,900,9000,6000");
    window_.ShowWindows();
    EXPECT_TRUE(window_.isMaximized());
    EXPECT_EQ(reportedEnds_, 0);
}

TEST_F(MainWindowArrangementTest, PresetsPlaceTheirWindowsByModeAndCloseTheRest)
{
    using P = PresetArrangement::Preset;
    using Id = ToolWindowId;
    enum Where { Closed, Below, RightOf };
    struct Case {
        P preset;
        bool engineering;
        Id window;
        Where where; // closed, or its place against its neighbour
        Id neighbour;
    };
    const Case cases[] = {
        {P::k800x600, true, Id::Calculations, Closed, Id::Venue},
        {P::k800x600, false, Id::ArrayPicture, RightOf, Id::Notes},
        {P::k800x600, false, Id::Venue, Below, Id::Notes},
        {P::k1024x768, true, Id::FROptions, Below, Id::Calculations},
        {P::k1024x768, true, Id::RiggingDetails, Below, Id::FROptions},
        {P::k1024x768, false, Id::FROptions, Closed, Id::Venue},
        {P::k1024x768, false, Id::Calculations, Below, Id::ArrayPicture},
        // Where the screen has room for them, the rigging details stand beside the seating
        // areas and the listening points below both.
        {P::k1280x1024, true, Id::RiggingDetails, RightOf, Id::SeatingAreas},
        {P::k1280x1024, true, Id::ListeningPoints, Below, Id::RiggingDetails},
        {P::k1280x1024, true, Id::FROptions, RightOf, Id::ListeningPoints},
        {P::k1280x1024, false, Id::ListeningPoints, Closed, Id::Venue},
        {P::k1280x1024, false, Id::Venue, Below, Id::RiggingDetails},
        {P::k1280x1024, true, Id::IFEGraph, Closed, Id::Venue},
    };
    for (const Case& c : cases) {
        const std::string caption = ToolWindowRegistry::Info(c.window).caption;
        if (options_.EngineeringMode() != c.engineering)
            c.engineering ? options_.SwitchToEngineeringMode() : options_.SwitchToStandardMode();
        Fake(c.window).Load(); // open before, so closing it shows
        log_.clear();
        window_.Arrangement().ArrangePreset(c.preset);
        if (c.where == Closed) {
            EXPECT_LT(Find(caption + ": unload"), Find("Array Configuration: refresh")) << caption;
            EXPECT_FALSE(registry_.IsLoaded(c.window)) << caption;
            EXPECT_EQ(Stored(caption.c_str()).substr(0, 2), "0,") << caption;
            EXPECT_FALSE(Item(ToolWindowRegistry::Info(c.window).menuName)->isChecked()) << caption;
            continue;
        }
        EXPECT_LT(FindStart(caption + ": move "), log_.size()) << caption;
        EXPECT_TRUE(registry_.IsLoaded(c.window)) << caption;
        const FakeToolWindow& window = Fake(c.window);
        const FakeToolWindow& neighbour = Fake(c.neighbour);
        if (c.where == Below) {
            const int height = neighbour.IsSizable() ? neighbour.Height() : neighbour.NeededHeight();
            EXPECT_EQ(window.Top(), neighbour.Top() + height) << caption;
        } else {
            const int width = neighbour.IsSizable() ? neighbour.Width() : neighbour.NeededWidth();
            EXPECT_EQ(window.Left(), neighbour.Left() + width) << caption;
        }
    }
}

TEST_F(MainWindowArrangementTest, PresetMovesEveryWindowBeforeShowingAndClosesLast)
{
    // A window closed in the preset but not open keeps its place, marked hidden, so the
    // next start does not bring it back.
    store_.SaveSetting(SettingsStore::kWindowPositions, "Inter-Frequency Evenness Graph",
                       "1,10,20,3000,2000");
    Fake(ToolWindowId::FROptions).Load();
    log_.clear();
    window_.Arrangement().ArrangePreset(PresetArrangement::Preset::k1024x768); // standard mode
    const std::size_t lastMove = FindStart("Venue: move ");
    const std::size_t firstShow = Find("Array Configuration: show");
    ASSERT_LT(lastMove, log_.size());
    EXPECT_LT(lastMove, firstShow);
    EXPECT_LT(Find("Venue: show"), Find("Frequency Response Options: unload"));
    // Then every window is refreshed.
    EXPECT_EQ(Find("Frequency Response Options: unload") + 1, Find("Array Configuration: refresh"));
    EXPECT_EQ(Stored("Frequency Response Options"), "0,15,30");
    EXPECT_EQ(Stored("Inter-Frequency Evenness Graph"), "0,10,20,3000,2000");
    EXPECT_TRUE(Item("mnuViewVenue")->isChecked());
    EXPECT_FALSE(Item("mnuViewFROptions")->isChecked());
    // The arrange items do the same.
    log_.clear();
    Item("mnuViewWindowsArrange800x600")->trigger();
    EXPECT_EQ(Find("Rigging Details: unload") + 1, Find("Array Configuration: refresh"));
    EXPECT_EQ(reportedEnds_, 0);
}

TEST_F(MainWindowArrangementTest, StartOpensTheStoredWindowsOrThePresetForTheScreen)
{
    // First start: nothing stored, so the 1280 x 1024 standard preset on this screen; the
    // desktop is not larger than the preset, so the main window is maximised.
    window_.ShowWindows();
    EXPECT_LT(FindStart("Calculations: move "), log_.size());
    EXPECT_TRUE(window_.windowState() & Qt::WindowMaximized);

    // The last run ended with every window closed: the preset again, over the stored place.
    for (const ToolWindowInfo& info : ToolWindowRegistry::All())
        Fake(info.id).Unload();
    for (const ToolWindowInfo& info : ToolWindowRegistry::All())
        store_.SaveSetting(SettingsStore::kWindowPositions, info.caption, "0,0,0,100,100");
    store_.SaveSetting(SettingsStore::kWindowPositions, "Main Window", "0,600,900,9000,6000");
    log_.clear();
    window_.ShowWindows();
    EXPECT_LT(FindStart("Venue: move "), log_.size());
    EXPECT_TRUE(window_.windowState() & Qt::WindowMaximized);

    // Standard mode: the listening points window stored as open reopens though its item is
    // hidden; the engineering-only frequency response options window does not.
    for (const ToolWindowInfo& info : ToolWindowRegistry::All())
        Fake(info.id).Unload();
    store_.SaveSetting(SettingsStore::kWindowPositions, "Listening Points", "1,0,3375,11250,4455");
    store_.SaveSetting(SettingsStore::kWindowPositions, "Frequency Response Options", "1,10,10");
    log_.clear();
    window_.ShowWindows();
    EXPECT_EQ(log_, (std::vector<std::string>{"Listening Points: load",
                                              "Listening Points: move 0,3375",
                                              "Listening Points: show"}));
    EXPECT_TRUE(registry_.IsLoaded(ToolWindowId::ListeningPoints));
    EXPECT_FALSE(Item("mnuViewListeningPoints")->isVisible());
}

TEST_F(MainWindowTest, RecentFileItemsListTheStoredPathsUpToTheEntryCount)
{
    const auto store = [this](int slot, const std::string& path) {
        store_.SaveSetting(SettingsStore::kRecentlyUsedFiles, RecentFiles::ValueName(slot), path);
    };
    for (int slot = 1; slot <= 6; ++slot)
        store(slot, "/venues/hall" + std::to_string(slot) + ".venue");
    options_.SetRecentFileListEntries(4);
    window_.ShowMRUListEntries();
    for (int item = 1; item <= RecentFiles::kSlotCount; ++item)
        EXPECT_EQ(window_.RecentFileItem(item)->isVisible(), item <= 4) << item;
    EXPECT_EQ(window_.RecentFileItem(2)->text(), "&2 /venues/hall2.venue");
    EXPECT_EQ(window_.RecentFileItem(2)->data().toString(), "/venues/hall2.venue");
    EXPECT_TRUE(Item("mnuFileSep4")->isVisible());

    // Ten asked, nine at most; an "&" in a path is shown, not taken for an access key.
    for (int slot = 1; slot <= 9; ++slot)
        store(slot, "/venues/R&D " + std::to_string(slot) + ".venue");
    options_.SetRecentFileListEntries(10);
    window_.ShowMRUListEntries();
    EXPECT_TRUE(window_.RecentFileItem(9)->isVisible());
    EXPECT_EQ(window_.RecentFileItem(9)->text(), "&9 /venues/R&&D 9.venue");

    // An empty first slot lists nothing, whatever follows.
    store(1, RecentFiles::kNone);
    window_.ShowMRUListEntries();
    for (int item = 1; item <= RecentFiles::kSlotCount; ++item)
        EXPECT_FALSE(window_.RecentFileItem(item)->isVisible()) << item;
    EXPECT_FALSE(Item("mnuFileSep4")->isVisible());

    // A path too wide for the menu is shortened; the item still opens the whole path.
    const std::string deep = "/" + std::string(120, 'x') + "/" + std::string(120, 'y') + "/hall.venue";
    store(1, deep);
    window_.ShowMRUListEntries();
    EXPECT_EQ(window_.RecentFileItem(1)->text().toStdString(), "&1 .../hall.venue");
    EXPECT_EQ(window_.RecentFileItem(1)->data().toString().toStdString(), deep);
}

TEST_F(MainWindowTest, ChoosingARecentFileOpensItAndMovesItToTheTop)
{
    Environment venue;
    venue.Clear();
    venue.LineArray().SetBrand(BrandCode::RSarn);
    const std::string first = Path("first.venue");
    const std::string second = Path("second.venue");
    VenueFile::SaveAs(venue, first);
    VenueFile::SaveAs(venue, second);
    ASSERT_TRUE(lifecycle_.OpenVenue(first));
    ASSERT_TRUE(lifecycle_.OpenVenue(second));
    window_.ShowMRUListEntries();
    ASSERT_EQ(window_.RecentFileItem(2)->data().toString().toStdString(), first);

    window_.RecentFileItem(2)->trigger();
    EXPECT_EQ(lifecycle_.VenuePath(), first);
    EXPECT_EQ(window_.RecentFileItem(1)->data().toString().toStdString(), first);
    EXPECT_EQ(window_.RecentFileItem(2)->data().toString().toStdString(), second);

    // A listed file that is gone: a message, and the venue, its path and the list stay.
    lifecycle_.Venue().LineArray().SetBrand(BrandCode::TarvicKv7);
    lifecycle_.SetDirty();
    fs::remove(second);
    const std::size_t asked = prompts_.Requests().size();
    prompts_.QueueAnswer(MessageAnswer::No);
    window_.RecentFileItem(2)->trigger();
    ASSERT_EQ(prompts_.Requests().size(), asked + 2);
    EXPECT_NE(prompts_.Last().text.find(second), std::string::npos) << prompts_.Last().text;
    EXPECT_EQ(lifecycle_.VenuePath(), first);
    EXPECT_EQ(lifecycle_.Venue().LineArray().Brand(), BrandCode::TarvicKv7);
    EXPECT_TRUE(lifecycle_.IsDirty());
    EXPECT_EQ(window_.RecentFileItem(1)->data().toString().toStdString(), first);
    EXPECT_EQ(reportedEnds_, 0);
}

TEST_F(MainWindowTest, TheHiddenPolarExportWritesEveryFrequencyOrSaysWhyNot)
{
    QAction* distill = Item("mnuArrayDistill");
    EXPECT_FALSE(distill->isVisible());
    Environment& venue = lifecycle_.Venue();
    for (int cell = 0; cell < 4; ++cell)
        venue.LineArray().Cells().Add(-1, -1, nullptr);
    venue.SetCenterFrequency(2000.0f);

    prompts_.QueueSaveFile(std::nullopt); // cancelled: nothing written, the venue as it was
    distill->trigger();
    EXPECT_EQ(prompts_.Last().file.title, "Save venue as...");
    EXPECT_EQ(prompts_.Last().file.filter, "Orbisan native format file (*.plr)|*.plr");
    EXPECT_EQ(prompts_.Last().file.defaultExtension, "plr");
    EXPECT_EQ(lifecycle_.Venue().CenterFrequency(), 2000.0f);
    EXPECT_FALSE(lifecycle_.IsDirty());

    const std::string path = Path("array.plr");
    prompts_.QueueSaveFile(path);
    distill->trigger();
    EXPECT_EQ(fs::file_size(path), 56u + 8u + 23u * 576u);

    // A folder that is not there: a message naming the file, and the program goes on.
    const std::string nowhere = Path("missing/array.plr");
    prompts_.QueueSaveFile(nowhere);
    distill->trigger();
    EXPECT_NE(prompts_.Last().text.find(nowhere), std::string::npos) << prompts_.Last().text;
    EXPECT_EQ(reportedEnds_, 0);
}

} // namespace
} // namespace polvane
