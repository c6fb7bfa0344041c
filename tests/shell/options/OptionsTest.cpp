#include "shell/options/Options.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <vector>

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "platform/ProgramFolder.h"
#include "shell/options/ArgbColor.h"
#include "shell/options/ModeSwitchListener.h"
#include "shell/options/ProgramConstants.h"
#include "shell/options/WelcomePrompt.h"
#include "support/FakeClock.h"
#include "support/FixedScreenInfo.h"
#include "support/MemorySettingsStore.h"

namespace polvane {
namespace {

namespace fs = std::filesystem;

class ScriptedWelcome : public WelcomePrompt {
public:
    MeasurementSystem AskMeasurementSystem() override
    {
        ++asked;
        return answer;
    }
    MeasurementSystem answer = MeasurementSystem::English;
    int asked = 0;
};

class RecordingModeListener : public ModeSwitchListener {
public:
    void ModeSwitched(bool engineering) override { calls.push_back(engineering); }
    std::vector<bool> calls;
};

class OptionsTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(temp_.isValid()); }

    std::string ProgramPath() const { return temp_.path().toStdString(); }
    ProgramConstants Constants() const
    {
        return ProgramConstants(ProgramFolder(ProgramPath()), FixedScreenInfo());
    }
    void Store(const char* subKey, const char* name, const std::string& value)
    {
        store_.SaveSetting(subKey, name, value);
    }
    // Reads with a template that exists, so that only the rules under test are at work.
    void ReadWithTemplate()
    {
        const std::string path = ProgramPath() + "/mine.venue";
        std::ofstream(path) << "";
        Store("Options\\General", "New venue template", path);
        options_.Read(Constants(), welcome_, clock_);
    }

    QTemporaryDir temp_;
    MemorySettingsStore store_;
    Options options_{store_};
    ScriptedWelcome welcome_;
    FakeClock clock_;
};

TEST_F(OptionsTest, FirstRunStoresEveryWrittenBackDefaultAndTheChosenTemplate)
{
    welcome_.answer = MeasurementSystem::Metric;
    options_.Read(Constants(), welcome_, clock_);

    const std::string gen = "Options\\General";
    const std::string graph = "Options\\Graph Appearance";
    const std::string notes = "Options\\Notes Window";
    MemorySettingsStore::Values expected = {
        {{"Options", "Engineering mode"}, "No"},
        {{gen, "Show status bar"}, "Yes"},
        {{gen, "New venue template"}, ProgramPath() + "/Templates/Blank_Metric.venue"},
        {{gen, "Show recently used file list"}, "Yes"},
        {{gen, "Recently used file list entries"}, "4"},
        {{gen, "Max Auto-Configure time (milliseconds)"}, "30000"},
        {{gen, "Max Auto-Configure overthrow (degrees)"}, "2"},
        {{gen, "Max Auto-Configure underthrow (degrees)"}, "2"},
        {{gen, "Click and drag venue items"}, "Yes"},
        {{gen, "Snap to grid"}, "Yes"},
        {{gen, "Snap to grid size (feet or meters)"}, "1"},
        {{gen, "Disable screen saver while running Auto-Configure"}, "Yes"},
        {{gen, "Lock bumper during Auto-Configure"}, "No"},
        {{graph, "Antialias"}, "Yes"},
        {{graph, "Show array polar response"}, "Yes"},
        {{graph, "Show cell numbers"}, "No"},
        {{graph, "Show cell pinning configurations"}, "No"},
        {{graph, "Show cell splay angles"}, "No"},
        {{"Options\\Enable Refinement", "Enable Refinement Calculations"}, "No"},
        {{graph, "Show center of gravity"}, "Yes"},
        {{graph, "Show colored reponse levels on seating areas"}, "Yes"},
        {{graph, "Show coordinates while dragging"}, "Yes"},
        {{graph, "Show distance between cables"}, "Yes"},
        {{graph, "Show far field transition lines"}, "No"},
        {{graph, "Show grid"}, "Yes"},
        {{graph, "Show listening points"}, "Yes"},
        {{graph, "Show scale"}, "Yes"},
        {{graph, "Show sound paths"}, "Yes"},
        {{graph, "Show sound path misses"}, "Yes"},
        {{graph, "Show weights"}, "Yes"},
        {{notes, "Font"}, "Tahoma"},
        {{notes, "Size"}, "10"},
        {{notes, "Bold"}, "No"},
        {{notes, "Italic"}, "No"},
    };
    for (int i = 1; i <= ColorTable::kCount; ++i)
        expected[{"Options\\Colors", std::string(ColorTable::Name(i))}] =
            ArgbColor::RegistryColorOutput(ColorTable::DefaultColor(i));
    EXPECT_EQ(store_.AllValues(), expected);
    EXPECT_EQ(store_.ReadSetting("Options\\Colors", "Cell edge"), "255,72,96,120");

    EXPECT_EQ(welcome_.asked, 1);
    EXPECT_EQ(clock_.MessageRuns(), 1);
    EXPECT_FALSE(options_.GodMode());
    EXPECT_FALSE(options_.EngineeringMode());
    EXPECT_TRUE(options_.ShowGrid());
    EXPECT_FALSE(options_.ShowCellNumbers());
    EXPECT_EQ(options_.RecentFileListEntries(), 4);
    EXPECT_EQ(options_.MaxAutoConfigureTime(), 30000);
    EXPECT_EQ(options_.NotesFont(), "Tahoma");
    EXPECT_EQ(options_.NewVenueTemplate(), ProgramPath() + "/Templates/Blank_Metric.venue");
}

TEST_F(OptionsTest, TheWelcomeAnswerEnglishGivesTheEnglishTemplate)
{
    options_.Read(Constants(), welcome_, clock_);
    EXPECT_EQ(options_.NewVenueTemplate(), ProgramPath() + "/Templates/Blank_English.venue");
}

TEST_F(OptionsTest, AStoredTemplateThatExistsStaysAndNothingIsAsked)
{
    ReadWithTemplate();
    EXPECT_EQ(options_.NewVenueTemplate(), ProgramPath() + "/mine.venue");
    EXPECT_EQ(welcome_.asked, 0);
    EXPECT_EQ(clock_.MessageRuns(), 0);
}

TEST_F(OptionsTest, AMissingTemplateIsReplacedByTheBlankOfItsMeasurementSystem)
{
    struct Case {
        const char* stored;
        const char* replacement;
    };
    const Case cases[] = {
        {"/gone/Hall_MeTrIc.venue", "/Templates/Blank_Metric.venue"},
        {"/gone/metric/Hall.venue", "/Templates/Blank_Metric.venue"},
        {"/gone/Hall.venue", "/Templates/Blank_English.venue"},
        {"/gone/Hall_metri.venue", "/Templates/Blank_English.venue"},
    };
    for (const Case& c : cases) {
        MemorySettingsStore store;
        store.SaveSetting("Options\\General", "New venue template", c.stored);
        Options options(store);
        options.Read(Constants(), welcome_, clock_);
        EXPECT_EQ(store.ReadSetting("Options\\General", "New venue template"),
                  ProgramPath() + c.replacement)
            << c.stored;
    }
    EXPECT_EQ(welcome_.asked, 0);
}

TEST_F(OptionsTest, GodModeIsOnOnlyForYesAndIsNeverStored)
{
    struct Case {
        const char* stored;
        bool on;
    };
    const Case cases[] = {{"YES", true}, {"yes", true}, {"yes ", false}, {"No", false}, {"1", false}};
    for (const Case& c : cases) {
        MemorySettingsStore store;
        store.SaveSetting("Options", "God mode", c.stored);
        Options options(store);
        options.Read(Constants(), welcome_, clock_);
        EXPECT_EQ(options.GodMode(), c.on) << c.stored;
        options.SetGodMode(!c.on);
        EXPECT_EQ(store.ReadSetting("Options", "God mode"), c.stored);
    }
    options_.Read(Constants(), welcome_, clock_);
    options_.SetGodMode(true);
    EXPECT_FALSE(store_.Contains("Options", "God mode"));
}

TEST_F(OptionsTest, ASwitchWithOtherTextStaysOffAndKeepsItsText)
{
    Store("Options\\General", "Snap to grid", "maybe");
    Store("Options\\Graph Appearance", "Show grid", "NO");
    Store("Options\\Graph Appearance", "Show cell numbers", "yEs");
    Store("Options\\Notes Window", "Bold", "Yes ");
    ReadWithTemplate();
    EXPECT_FALSE(options_.SnapToGrid()) << "a switch starts off, whatever its default";
    EXPECT_EQ(store_.ReadSetting("Options\\General", "Snap to grid"), "maybe");
    EXPECT_FALSE(options_.ShowGrid());
    EXPECT_TRUE(options_.ShowCellNumbers());
    EXPECT_FALSE(options_.NotesBold());
}

TEST_F(OptionsTest, NumbersAreReadByTheirLeadingNumber)
{
    struct Case {
        const char* entries;
        int read;
    };
    for (const Case& c : {Case{"4.5", 4}, Case{"5.5", 6}, Case{"abc", 0}, Case{"7 files", 7}}) {
        MemorySettingsStore store;
        store.SaveSetting("Options\\General", "Recently used file list entries", c.entries);
        store.SaveSetting("Options\\General", "Max Auto-Configure time (milliseconds)", "1e12");
        store.SaveSetting("Options\\General", "Max Auto-Configure overthrow (degrees)", "-1.5deg");
        store.SaveSetting("Options\\Notes Window", "Size", "12.5");
        Options options(store);
        options.Read(Constants(), welcome_, clock_);
        EXPECT_EQ(options.RecentFileListEntries(), c.read) << c.entries;
        EXPECT_EQ(options.MaxAutoConfigureTime(), 30000) << "too large: the default";
        EXPECT_EQ(options.MaxAutoConfigureOverthrow(), -1.5f);
        EXPECT_EQ(options.NotesSize(), 12.5f);
    }
}

TEST_F(OptionsTest, ASnapSizeThatIsNotPositiveIsTakenAsMissing)
{
    for (const char* stored : {"0", "-2", "abc", "1e39"}) {
        MemorySettingsStore store;
        store.SaveSetting("Options\\General", "Snap to grid size (feet or meters)", stored);
        Options options(store);
        options.Read(Constants(), welcome_, clock_);
        EXPECT_EQ(options.SnapToGridSize(), 1.0f) << stored;
    }
    Store("Options\\General", "Snap to grid size (feet or meters)", "0.5");
    Store("Options", "Engineering mode", "yes");
    ReadWithTemplate();
    EXPECT_EQ(options_.SnapToGridSize(), 0.5f);
    EXPECT_TRUE(options_.EngineeringMode());
}

TEST_F(OptionsTest, SettersStoreUnderTheOptionsOwnName)
{
    ReadWithTemplate();
    options_.SetShowGrid(false);
    options_.SetEnableRefinementCalculations(true);
    options_.SetMaxAutoConfigureOverthrow(2.5f);
    options_.SetSnapToGridSize(0.25f);
    options_.SetRecentFileListEntries(9);
    options_.SetNotesFont("DejaVu Sans");
    EXPECT_EQ(store_.ReadSetting("Options\\Graph Appearance", "Show grid"), "No");
    EXPECT_EQ(store_.ReadSetting("Options\\Enable Refinement", "Enable Refinement Calculations"), "Yes");
    EXPECT_EQ(store_.ReadSetting("Options\\General", "Max Auto-Configure overthrow (degrees)"), "2.5");
    EXPECT_EQ(store_.ReadSetting("Options\\General", "Snap to grid size (feet or meters)"), "0.25");
    EXPECT_EQ(store_.ReadSetting("Options\\General", "Recently used file list entries"), "9");
    EXPECT_EQ(store_.ReadSetting("Options\\Notes Window", "Font"), "DejaVu Sans");
    EXPECT_EQ(options_.SnapToGridSize(), 0.25f);

    for (float bad : {0.0f, -1.0f, NAN, INFINITY})
        EXPECT_THROW(options_.SetSnapToGridSize(bad), std::invalid_argument);
    EXPECT_THROW(options_.SetMaxAutoConfigureUnderthrow(NAN), std::invalid_argument);
    EXPECT_THROW(options_.SetNotesSize(0), std::invalid_argument);
    EXPECT_EQ(options_.SnapToGridSize(), 0.25f);
    EXPECT_EQ(store_.ReadSetting("Options\\General", "Snap to grid size (feet or meters)"), "0.25");
}

TEST_F(OptionsTest, ModeSwitchesStoreTellTheCoreAndThenTheListener)
{
    ReadWithTemplate();
    RecordingModeListener listener;
    options_.SetModeSwitchListener(&listener);

    options_.SwitchToEngineeringMode();
    EXPECT_TRUE(options_.EngineeringMode());
    EXPECT_TRUE(options_.EngineeringMode());
    EXPECT_EQ(store_.ReadSetting("Options", "Engineering mode"), "Yes");

    options_.SwitchToStandardMode();
    EXPECT_FALSE(options_.EngineeringMode());
    EXPECT_EQ(store_.ReadSetting("Options", "Engineering mode"), "No");
    EXPECT_EQ(listener.calls, (std::vector<bool>{true, false}));
}

TEST_F(OptionsTest, ColourEditsAreUndoneByReadingTheColoursBack)
{
    ReadWithTemplate();
    options_.Colors().SetColor(ColorTable::kBackground, 0xFF000000u);
    options_.ReadColors();
    EXPECT_EQ(options_.Colors().Color(ColorTable::kBackground), 0xFFFFFFFFu);
    options_.Colors().SetColor(ColorTable::kBackground, 0xFF000000u);
    options_.StoreColors();
    EXPECT_EQ(store_.ReadSetting("Options\\Colors", "Background"), "255,0,0,0");
}

} // namespace
} // namespace polvane
