#include <algorithm>
#include <climits>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include <QAction>

#include <gtest/gtest.h>

#include "../MainWindowFixture.h"
#include "files/FileData.h"
#include "support/TestFiles.h"

namespace polvane {
namespace {

constexpr const char* kPrompt = "Please enter a name for this layout:";
constexpr const char* kProposed = "My Custom Layout";
constexpr const char* kRefused =
    "Window layout names cannot contain any of the following characters:\r\n"
    "\\ / : * ? \" < > | .";
constexpr const char* kCorrupted =
    "The file storing this window layout appears to be corrupted. Cannot open layout.";

// Every tool window loadable and the layouts kept in a folder of the test's own.
class WindowLayoutsTest : public MainWindowArrangementTest {
protected:
    WindowLayoutsTest() { window_.Layouts().SetLayoutFolder(Folder()); }

    std::string Folder() const { return Path("Custom Window Layouts"); }
    std::string LayoutPath(const std::string& name) const
    {
        return (fs::path(Folder()) / (name + ".layout")).string();
    }
    void Touch(const std::string& fileName) const
    {
        std::ofstream(fs::path(Folder()) / fileName) << "(str) A  b\r\n";
    }
    // The program's own folder (which an installed program cannot write) holding layouts of
    // these names.
    std::string ProgramFolderWith(const std::vector<std::string>& names) const
    {
        const std::string folder = Path("Program layouts");
        fs::create_directories(folder);
        FileData shipped;
        shipped.AddString("MAIN_WINDOW_MAXIMIZED", "Yes");
        for (const std::string& name : names)
            shipped.WriteFile(fs::path(folder) / (name + ".layout"));
        return folder;
    }
    // Saves under the name, answering any replace question with Yes.
    void Save(const std::string& name)
    {
        prompts_.QueueText(name);
        if (fs::exists(LayoutPath(name)))
            prompts_.QueueAnswer(MessageAnswer::Yes);
        window_.Layouts().SaveCurrentLayout();
    }
    QStringList VisibleCaptions() const
    {
        QStringList captions;
        for (int item = 0; item <= window_.Layouts().LayoutItemCount(); ++item)
            if (window_.Layouts().LayoutItem(item)->isVisible())
                captions << window_.Layouts().LayoutItem(item)->text();
        return captions;
    }
    void PlaceMainWindow()
    {
        window_.setWindowState(Qt::WindowNoState);
        window_.move(40, 60);
        window_.resize(800, 600);
    }
};

TEST_F(WindowLayoutsTest, EmptyNameEndsTheCommandSilently)
{
    EXPECT_TRUE(Item("mnuViewWindowsArrangeSave")->isEnabled());
    for (const std::optional<std::string>& answer : {std::optional<std::string>(""),
                                                     std::optional<std::string>()}) {
        const std::size_t asked = prompts_.Requests().size();
        prompts_.QueueText(answer);
        Item("mnuViewWindowsArrangeSave")->trigger();
        ASSERT_EQ(prompts_.Requests().size(), asked + 1);
        const auto& request = prompts_.Last();
        EXPECT_EQ(request.kind, ScriptedPrompts::Kind::Text);
        EXPECT_EQ(request.text, kPrompt);
        EXPECT_EQ(request.title, "Quessel Polvane");
        EXPECT_EQ(request.defaultText, kProposed);
    }
    EXPECT_TRUE(fs::is_empty(Folder()));
    EXPECT_EQ(reportedEnds_, 0);
}

TEST_F(WindowLayoutsTest, NamesHoldingAFileNameCharacterAreRefusedAndAskedAgain)
{
    for (const char refused : std::string("\\/:*?\"<>|.")) {
        prompts_.QueueText(std::string("Stage") + refused + "Left");
        prompts_.QueueText(std::nullopt);
        const std::size_t asked = prompts_.Requests().size();
        window_.Layouts().SaveCurrentLayout();
        const auto& requests = prompts_.Requests();
        ASSERT_EQ(requests.size(), asked + 3) << refused;
        EXPECT_EQ(requests[asked + 1].kind, ScriptedPrompts::Kind::Message);
        EXPECT_EQ(requests[asked + 1].text, kRefused);
        EXPECT_EQ(requests[asked + 1].title, "Quessel Polvane");
        EXPECT_EQ(requests[asked + 1].buttons, MessageButtons::Ok);
        EXPECT_EQ(requests[asked + 1].icon, MessageIcon::Exclamation);
        EXPECT_EQ(requests[asked + 2].defaultText, kProposed) << refused;
    }
    EXPECT_TRUE(fs::is_empty(Folder()));
}

TEST_F(WindowLayoutsTest, ABlanksOnlyNameIsAcceptedAndListed)
{
    Save("   ");
    EXPECT_TRUE(fs::is_regular_file(LayoutPath("   ")));
    EXPECT_EQ(VisibleCaptions(), QStringList({"   "}));
    EXPECT_EQ(window_.Layouts().LayoutItem(1)->data().toString().toStdString(), LayoutPath("   "));
}

TEST_F(WindowLayoutsTest, NoToReplacingAsksAgainAndKeepsTheFile)
{
    Save("Stage");
    const std::string first = ReadAll(LayoutPath("Stage"));
    Fake(ToolWindowId::Notes).Load();

    prompts_.QueueText("Stage");
    prompts_.QueueAnswer(MessageAnswer::No);
    prompts_.QueueText(std::nullopt);
    const std::size_t asked = prompts_.Requests().size();
    window_.Layouts().SaveCurrentLayout();
    const auto& requests = prompts_.Requests();
    ASSERT_EQ(requests.size(), asked + 3);
    EXPECT_EQ(requests[asked + 1].text,
              "The preset \"Stage\" already exists. Do you want to replace it?");
    EXPECT_EQ(requests[asked + 1].buttons, MessageButtons::YesNo);
    EXPECT_EQ(requests[asked + 1].icon, MessageIcon::Question);
    EXPECT_EQ(requests[asked + 2].defaultText, kProposed);
    EXPECT_EQ(ReadAll(LayoutPath("Stage")), first);

    Save("Stage"); // Yes replaces it
    EXPECT_NE(ReadAll(LayoutPath("Stage")), first);
    EXPECT_EQ(VisibleCaptions(), QStringList({"Stage"}));
}

// A name that differs from a saved one only in case names that layout: the question is
// asked, and Yes replaces that file rather than writing a second one the menu lists beside it.
TEST_F(WindowLayoutsTest, ANameDifferingOnlyInCaseAsksAndReplacesThatLayout)
{
    const std::string programFolder = ProgramFolderWith({"Shipped"});
    window_.Layouts().SetLayoutFolder(Folder(), programFolder);
    Save("Hall");
    const std::string first = ReadAll(LayoutPath("Hall"));
    PlaceMainWindow();

    struct Case {
        std::string typed, existing;
    };
    for (const Case& c : {Case{"hall", "Hall"}, Case{"SHIPPED", "Shipped"}}) {
        SCOPED_TRACE(c.typed);
        prompts_.QueueText(c.typed);
        prompts_.QueueAnswer(MessageAnswer::No);
        prompts_.QueueText(c.typed);
        prompts_.QueueAnswer(MessageAnswer::Yes);
        const std::size_t asked = prompts_.Requests().size();
        window_.Layouts().SaveCurrentLayout();
        const auto& requests = prompts_.Requests();
        ASSERT_EQ(requests.size(), asked + 4);
        for (const std::size_t question : {asked + 1, asked + 3})
            EXPECT_EQ(requests[question].text,
                      "The preset \"" + c.typed + "\" already exists. Do you want to replace it?");
    }
    // One file of each name, in the saving folder, holding the new place.
    std::vector<std::string> files;
    for (const fs::directory_entry& entry : fs::directory_iterator(Folder()))
        files.push_back(entry.path().filename().string());
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files, (std::vector<std::string>{"Hall.layout", "Shipped.layout"}));
    EXPECT_NE(ReadAll(LayoutPath("Hall")), first);
    EXPECT_EQ(ReadAll(LayoutPath("Shipped")), ReadAll(LayoutPath("Hall")));
    EXPECT_EQ(VisibleCaptions(), (QStringList{"Hall", "Shipped"}));
    EXPECT_EQ(window_.Layouts().LayoutItem(2)->data().toString().toStdString(), LayoutPath("Shipped"));
}

TEST_F(WindowLayoutsTest, WrittenFileHoldsTheMainWindowAndEachWindowInOrder)
{
    PlaceMainWindow();
    Fake(ToolWindowId::ArrayConfiguration).Load().Move(100, 200);  // fixed
    Fake(ToolWindowId::Venue).Load().Move(300, 400, 9000, 6000);    // sizable
    Fake(ToolWindowId::Calculations).Load().Move(1, 2);
    Fake(ToolWindowId::Calculations).Unload();                      // closed again
    Save("Normal");

    // The file as written by hand in tests/data/layouts: the main window, then each window in
    // order, its place only when it is open.
    EXPECT_EQ(ReadAll(LayoutPath("Normal")), ExpectedFile("layouts/Normal.layout"));

    // Maximised, the main window's place is left out.
    window_.setWindowState(Qt::WindowMaximized);
    Save("Maximised");
    EXPECT_EQ(ReadAll(LayoutPath("Maximised")), ExpectedFile("layouts/Maximised.layout"));
}

TEST_F(WindowLayoutsTest, ACheckedInLayoutOpensWithItsPlaces)
{
    window_.setWindowState(Qt::WindowMaximized);
    Fake(ToolWindowId::Calculations).Load(); // open, and closed by the layout

    ASSERT_TRUE(window_.Layouts().OpenLayout(DataFile("layouts/Normal.layout").string()));
    EXPECT_FALSE(window_.isMaximized());
    EXPECT_EQ(window_.pos(), QPoint(40, 60));
    EXPECT_EQ(window_.size(), QSize(800, 600));
    EXPECT_EQ(Fake(ToolWindowId::ArrayConfiguration).Left(), 100);
    EXPECT_EQ(Fake(ToolWindowId::ArrayConfiguration).Top(), 200);
    EXPECT_EQ(Fake(ToolWindowId::Venue).Left(), 300);
    EXPECT_EQ(Fake(ToolWindowId::Venue).Top(), 400);
    EXPECT_EQ(Fake(ToolWindowId::Venue).Width(), 9000);
    EXPECT_EQ(Fake(ToolWindowId::Venue).Height(), 6000);
    for (const ToolWindowId id : {ToolWindowId::ArrayConfiguration, ToolWindowId::Venue})
        EXPECT_TRUE(registry_.IsLoaded(id));
    EXPECT_FALSE(registry_.IsLoaded(ToolWindowId::Calculations));
    EXPECT_FALSE(registry_.IsLoaded(ToolWindowId::Notes));
    EXPECT_EQ(reportedEnds_, 0);
}

// How the main window's records are read.
TEST_F(WindowLayoutsTest, MainWindowIsMaximisedUnlessAWholeNormalPlaceIsStored)
{
    struct Case {
        const char* what;
        std::optional<FileChunk::Type> maximizedType; // nothing: no record
        const char* maximized;
        int placeValues;                       // how many of the four are written
        FileChunk::Type placeType;
        bool expectMaximized;
    };
    using T = FileChunk::Type;
    const Case cases[] = {
        {"normal place", T::kString, "No", 4, T::kInteger, false},
        {"no maximised record", std::nullopt, "", 4, T::kInteger, true},
        {"maximised record typed as a number", T::kInteger, "0", 4, T::kInteger, true},
        {"yes in any case", T::kString, "yEs", 4, T::kInteger, true},
        {"a place value missing", T::kString, "No", 3, T::kInteger, true},
        {"place values typed as doubles", T::kString, "No", 4, T::kDouble, true},
    };
    const char* names[] = {"MAIN_WINDOW_LEFT", "MAIN_WINDOW_TOP", "MAIN_WINDOW_WIDTH",
                           "MAIN_WINDOW_HEIGHT"};
    const int values[] = {600, 900, 12000, 9000};
    for (const Case& c : cases) {
        FileData file;
        if (c.maximizedType)
            file.AddValue(*c.maximizedType, "MAIN_WINDOW_MAXIMIZED", std::string(c.maximized));
        for (int index = 0; index < c.placeValues; ++index)
            file.AddValue(c.placeType, names[index], values[index]);
        file.WriteFile(LayoutPath("Case"));
        // Start from the other state, so the change shows.
        if (c.expectMaximized)
            window_.setWindowState(Qt::WindowNoState);
        else
            window_.setWindowState(Qt::WindowMaximized);

        EXPECT_TRUE(window_.Layouts().OpenLayout(LayoutPath("Case"))) << c.what;
        EXPECT_EQ(window_.isMaximized(), c.expectMaximized) << c.what;
        if (!c.expectMaximized) {
            EXPECT_EQ(window_.pos(), QPoint(40, 60)) << c.what;
            EXPECT_EQ(window_.size(), QSize(800, 600)) << c.what;
        }
    }
    EXPECT_EQ(reportedEnds_, 0);
}

// A layout file edited by hand, or saved on a larger monitor, puts the whole main window, its
// frame with it, on the 1280 x 1024 screen, no larger than it and no smaller than its least
// size.
TEST_F(WindowLayoutsTest, MainWindowPlacesOffTheScreenAreHeldOnIt)
{
    PlaceMainWindow();
    window_.show(); // with its frame
    const QSize frame = window_.frameGeometry().size() - window_.size();
    const QSize least = window_.minimumSizeHint().expandedTo(window_.minimumSize()) + frame;
    const QSize stored = QSize(800, 600) + frame;
    const struct {
        std::int32_t left, top, width, height;
        QRect held; // the frame's
    } cases[] = {
        {INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX, QRect(0, 0, 1280, 1024)},
        {-90000, -90000, 12000, 9000, QRect(QPoint(0, 0), stored)},
        {60000, 600, 12000, 9000, QRect(QPoint(1280 - stored.width(), 40), stored)},
        // No width past the right edge: the window comes in by its least width.
        {INT32_MAX, INT32_MIN, -12000, INT32_MAX,
         QRect(1280 - least.width(), 0, least.width(), 1024)},
        {INT32_MAX, INT32_MAX, -12000, -9000,
         QRect(QPoint(1280 - least.width(), 1024 - least.height()), least)},
    };
    for (const auto& c : cases) {
        FileData file;
        file.AddString("MAIN_WINDOW_MAXIMIZED", "No");
        file.AddInteger("MAIN_WINDOW_LEFT", c.left);
        file.AddInteger("MAIN_WINDOW_TOP", c.top);
        file.AddInteger("MAIN_WINDOW_WIDTH", c.width);
        file.AddInteger("MAIN_WINDOW_HEIGHT", c.height);
        file.WriteFile(LayoutPath("Far away"));
        window_.Layouts().LoadLayoutMenus();
        ASSERT_EQ(VisibleCaptions(), QStringList{"Far away"});
        window_.Layouts().LayoutItem(1)->trigger();
        EXPECT_FALSE(window_.isMaximized()) << c.left;
        EXPECT_EQ(window_.frameGeometry(), c.held) << c.left << "," << c.top;
        EXPECT_TRUE(QRect(0, 0, 1280, 1024).contains(window_.frameGeometry())) << c.left;
    }
    // On a screen too small for the window no place holds it: maximised, as the presets
    // place it.
    screen_.SetSize(least.width() - 1, 1024);
    window_.Layouts().LayoutItem(1)->trigger();
    EXPECT_TRUE(window_.isMaximized());
    EXPECT_EQ(reportedEnds_, 0);
}

// An installed program's folder cannot be written: its layouts are listed beside those the
// user saved in the data folder, the user's winning a name both hold.
TEST_F(WindowLayoutsTest, LayoutsBesideTheProgramAreListedToo)
{
    const std::string programFolder = ProgramFolderWith({"Shipped", "Both"});
    fs::create_directories(Folder());
    FileData own;
    own.AddString("MAIN_WINDOW_MAXIMIZED", "No");
    own.WriteFile(LayoutPath("Both"));
    window_.Layouts().SetLayoutFolder(Folder(), programFolder);
    EXPECT_EQ(VisibleCaptions(), (QStringList{"Both", "Shipped"}));
    EXPECT_EQ(window_.Layouts().LayoutItem(1)->data().toString().toStdString(), LayoutPath("Both"));
    EXPECT_EQ(window_.Layouts().LayoutItem(2)->data().toString().toStdString(),
              (fs::path(programFolder) / "Shipped.layout").string());
}

TEST_F(WindowLayoutsTest, OpeningMovesAndShowsTheStoredWindowsAndClosesTheRest)
{
    Fake(ToolWindowId::Notes).Load();          // says No: closed, saved as hidden
    Fake(ToolWindowId::Venue).Load();          // sizable without a height: closed too
    Fake(ToolWindowId::SeatingAreas).Load();   // no record at all: closed
    store_.SaveSetting(SettingsStore::kWindowPositions, "Calculations", "1,5,6");

    FileData file;
    file.AddString("MAIN_WINDOW_MAXIMIZED", "Yes");
    file.AddString("ARRAY_CONFIGURATION_WINDOW_LOADED", "YES");
    file.AddInteger("ARRAY_CONFIGURATION_WINDOW_LEFT", 100);
    file.AddInteger("ARRAY_CONFIGURATION_WINDOW_TOP", 200);
    file.AddString("ARRAY_PICTURE_WINDOW_LOADED", "Yes");
    file.AddInteger("ARRAY_PICTURE_WINDOW_LEFT", 10);
    file.AddInteger("ARRAY_PICTURE_WINDOW_TOP", 20);
    file.AddInteger("ARRAY_PICTURE_WINDOW_WIDTH", 3000);
    file.AddInteger("ARRAY_PICTURE_WINDOW_HEIGHT", 4000);
    file.AddString("CALCULATIONS_WINDOW_LOADED", "Yes");
    file.AddDouble("CALCULATIONS_WINDOW_LEFT", 1.0);   // another type counts as missing
    file.AddInteger("CALCULATIONS_WINDOW_TOP", 2);
    // An engineering window opens in standard mode too.
    file.AddString("FREQUENCY_RESPONSE_OPTIONS_WINDOW_LOADED", "Yes");
    file.AddInteger("FREQUENCY_RESPONSE_OPTIONS_WINDOW_LEFT", 7);
    file.AddInteger("FREQUENCY_RESPONSE_OPTIONS_WINDOW_TOP", 8);
    file.AddString("NOTES_WINDOW_LOADED", "No");
    file.AddString("VENUE_WINDOW_LOADED", "Yes");
    file.AddInteger("VENUE_WINDOW_LEFT", 1);
    file.AddInteger("VENUE_WINDOW_TOP", 2);
    file.AddInteger("VENUE_WINDOW_WIDTH", 3);
    file.WriteFile(LayoutPath("Mixed"));
    window_.Layouts().LoadLayoutMenus();
    ASSERT_FALSE(options_.EngineeringMode());
    log_.clear();

    window_.Layouts().LayoutItem(1)->trigger();

    EXPECT_LT(Find("Array Configuration: move 100,200"), Find("Array Configuration: show"));
    EXPECT_LT(Find("Array Picture: move 10,20"), log_.size());
    EXPECT_EQ(Fake(ToolWindowId::ArrayPicture).Width(), 3000);
    EXPECT_EQ(Fake(ToolWindowId::ArrayPicture).Height(), 4000);
    EXPECT_LT(Find("Frequency Response Options: show"), log_.size());
    for (const ToolWindowId open : {ToolWindowId::ArrayConfiguration, ToolWindowId::ArrayPicture,
                                    ToolWindowId::FROptions}) {
        EXPECT_TRUE(registry_.IsLoaded(open));
        EXPECT_TRUE(Item(ToolWindowRegistry::Info(open).menuName)->isChecked());
    }
    for (const ToolWindowId closed : {ToolWindowId::Notes, ToolWindowId::Venue,
                                      ToolWindowId::SeatingAreas, ToolWindowId::Calculations}) {
        EXPECT_FALSE(registry_.IsLoaded(closed));
        EXPECT_FALSE(Item(ToolWindowRegistry::Info(closed).menuName)->isChecked());
    }
    EXPECT_EQ(Stored("Notes"), "0,15,30,3000,2000");
    EXPECT_EQ(Stored("Venue"), "0,15,30,3000,2000");
    EXPECT_EQ(Stored("Seating Areas"), "0,15,30");
    // A window that was not open keeps its stored place, marked hidden.
    EXPECT_EQ(Stored("Calculations"), "0,5,6");
    // Every window is refreshed once all are placed.
    EXPECT_LT(Find("Frequency Response Options: show"), Find("Array Configuration: refresh"));
    EXPECT_EQ(reportedEnds_, 0);
}

TEST_F(WindowLayoutsTest, SavedLayoutOpensAsItWasSaved)
{
    PlaceMainWindow();
    Fake(ToolWindowId::RiggingDetails).Load().Move(11355, 2910, 3945, 1500);
    Save("Round");
    window_.Arrangement().ArrangePreset(PresetArrangement::Preset::k800x600);
    ASSERT_TRUE(registry_.IsLoaded(ToolWindowId::Venue));

    ASSERT_TRUE(window_.Layouts().OpenLayout(LayoutPath("Round")));
    EXPECT_FALSE(window_.isMaximized());
    EXPECT_EQ(window_.pos(), QPoint(40, 60));
    EXPECT_TRUE(registry_.IsLoaded(ToolWindowId::RiggingDetails));
    EXPECT_EQ(Fake(ToolWindowId::RiggingDetails).Left(), 11355);
    EXPECT_EQ(Fake(ToolWindowId::RiggingDetails).Height(), 1500);
    EXPECT_FALSE(registry_.IsLoaded(ToolWindowId::Venue));
}

TEST_F(WindowLayoutsTest, AFileThatCannotBeUsedIsReportedAndChangesNothing)
{
    std::ofstream(LayoutPath("Broken"), std::ios::binary) << "this is not a record\r\n";
    Save("Gone");
    window_.Layouts().LoadLayoutMenus();
    ASSERT_EQ(VisibleCaptions(), QStringList({"Broken", "Gone"}));
    fs::remove(LayoutPath("Gone"));

    Fake(ToolWindowId::Notes).Load().Move(5, 5);
    window_.setWindowState(Qt::WindowNoState);
    window_.move(40, 60);
    log_.clear();
    const std::string place = window_.PlaceText();

    struct Case {
        int item;
        const char* message; // the start of the message
    };
    const Case cases[] = {{1, kCorrupted}, {2, "The window layout could not be opened."}};
    for (const Case& c : cases) {
        window_.Layouts().LayoutItem(c.item)->trigger();
        const auto& message = prompts_.Last();
        EXPECT_EQ(message.text.rfind(c.message, 0), 0u) << message.text;
        EXPECT_EQ(message.icon, MessageIcon::Exclamation);
        EXPECT_EQ(message.title, "Quessel Polvane");
    }
    // The missing file is named in its message.
    EXPECT_NE(prompts_.Last().text.find(LayoutPath("Gone")), std::string::npos);
    EXPECT_EQ(prompts_.Requests()[prompts_.Requests().size() - 2].text, kCorrupted);
    EXPECT_TRUE(log_.empty());
    EXPECT_TRUE(registry_.IsLoaded(ToolWindowId::Notes));
    EXPECT_EQ(window_.PlaceText(), place);
    EXPECT_EQ(reportedEnds_, 0);
}

TEST_F(WindowLayoutsTest, AFolderThatCannotBeWrittenIsReported)
{
    // A file where the folder should be: neither the folder nor a layout can be made.
    std::ofstream(Path("blocker")) << "x";
    const std::string folder = (fs::path(Path("blocker")) / "Layouts").string();
    window_.Layouts().SetLayoutFolder(folder);
    EXPECT_TRUE(VisibleCaptions().isEmpty());

    prompts_.QueueText("Stage");
    Item("mnuViewWindowsArrangeSave")->trigger();
    const auto& message = prompts_.Last();
    EXPECT_EQ(message.kind, ScriptedPrompts::Kind::Message);
    EXPECT_EQ(message.text.rfind("The window layout could not be saved to \"" + folder, 0), 0u)
        << message.text;
    EXPECT_EQ(message.icon, MessageIcon::Exclamation);
    EXPECT_TRUE(VisibleCaptions().isEmpty());
    EXPECT_EQ(reportedEnds_, 0);
}

TEST_F(WindowLayoutsTest, MenuListsTheLayoutFilesSortedAndDropsTheSurplus)
{
    fs::remove_all(Folder());
    window_.Layouts().LoadLayoutMenus();
    EXPECT_TRUE(fs::is_directory(Folder())); // created when missing
    EXPECT_FALSE(Item("mnuViewWindowsArrangeSep1")->isVisible());
    EXPECT_EQ(window_.Layouts().LayoutItemCount(), 0);

    for (const char* name : {"b.layout", "B.layout", "a.x.layout", "R&D.layout", "notes.txt",
                             "c.layout.bak"})
        Touch(name);
    fs::create_directory(fs::path(Folder()) / "folder.layout");
    window_.Layouts().LoadLayoutMenus();
    EXPECT_EQ(VisibleCaptions(), QStringList({"B", "R&&D", "a.x", "b"}));
    EXPECT_EQ(window_.Layouts().LayoutItemCount(), 4);
    EXPECT_FALSE(window_.Layouts().LayoutItem(0)->isVisible());
    EXPECT_EQ(window_.Layouts().LayoutItem(3)->data().toString().toStdString(), LayoutPath("a.x"));
    EXPECT_EQ(Item("mnuViewWindowsArrangeCustom(4)")->text(), "b");
    EXPECT_TRUE(Item("mnuViewWindowsArrangeSep1")->isVisible());

    // Saving rebuilds the list: the deleted files' items are gone.
    for (const char* name : {"B.layout", "R&D.layout", "a.x.layout"})
        fs::remove(fs::path(Folder()) / name);
    Save("c");
    EXPECT_EQ(VisibleCaptions(), QStringList({"b", "c"}));
    EXPECT_EQ(window_.Layouts().LayoutItemCount(), 2);
    EXPECT_EQ(window_.findChild<QAction*>("mnuViewWindowsArrangeCustom(3)"), nullptr);
    EXPECT_THROW(window_.Layouts().LayoutItem(3), std::out_of_range);

    // With none left, every item and the separator are hidden.
    fs::remove(LayoutPath("b"));
    fs::remove(LayoutPath("c"));
    window_.Layouts().LoadLayoutMenus();
    EXPECT_TRUE(VisibleCaptions().isEmpty());
    EXPECT_FALSE(Item("mnuViewWindowsArrangeSep1")->isVisible());
}

TEST_F(MainWindowTest, SaveCurrentLayoutWaitsForTheLayoutFolder)
{
    EXPECT_FALSE(Item("mnuViewWindowsArrangeSave")->isEnabled());
    window_.Layouts().SetLayoutFolder(Path("Layouts"));
    EXPECT_TRUE(Item("mnuViewWindowsArrangeSave")->isEnabled());
}

} // namespace
} // namespace polvane
