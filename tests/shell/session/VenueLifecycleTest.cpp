#include "shell/session/VenueLifecycle.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <string>
#include <vector>

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "../FakeShellMainWindow.h"
#include "engine/CalculationResults.h"
#include "engine/Environment.h"
#include "files/VenueFile.h"
#include "model/Cells.h"
#include "model/ProductTables.h"
#include "shell/session/RecentFiles.h"
#include "shell/session/Session.h"
#include "shell/session/UpdateHub.h"
#include "shell/session/WindowRegistry.h"
#include "support/MemorySettingsStore.h"
#include "support/RecordingHelpViewer.h"
#include "support/ScriptedPrompts.h"
#include "support/TestFiles.h"

namespace polvane {
namespace {

namespace fs = std::filesystem;

class VenueLifecycleTest : public ::testing::Test {
protected:
    VenueLifecycleTest()
        : session_(store_), recent_(store_),
          lifecycle_(session_, prompts_, main_, recent_, [this] { return templatePath_; },
                     [] { return std::string("Quessel Polvane"); }),
          hub_(session_, registry_, main_, help_)
    {
        lifecycle_.SetUpdateHub(&hub_);
        prompts_.SetAnswerOkBoxes(true);
        Environment blank;
        blank.Clear();
        blank.SetUnits(UnitsCode::Metric);
        blank.LineArray().SetBrand(BrandCode::RSarn);
        templatePath_ = Path("Blank_Metric.venue");
        VenueFile::SaveAs(blank, templatePath_);
    }

    std::string Path(const std::string& name) const
    {
        return (fs::path(temp_.path().toStdString()) / name).string();
    }
    // A venue file whose notes tell it apart.
    std::string WriteVenue(const std::string& name, const std::string& notes)
    {
        Environment venue;
        venue.Clear();
        venue.SetNotes(notes);
        VenueFile::SaveAs(venue, Path(name));
        return Path(name);
    }
    int Messages() const
    {
        int count = 0;
        for (const auto& request : prompts_.Requests())
            count += request.kind == ScriptedPrompts::Kind::Message;
        return count;
    }
    void Key(int code, int shift)
    {
        int key = code;
        EXPECT_TRUE(lifecycle_.GlobalKeyHandler(key, shift));
        EXPECT_EQ(key, 0);
    }

    QTemporaryDir temp_;
    ScriptedPrompts prompts_;
    FakeShellMainWindow main_;
    MemorySettingsStore store_;
    Session session_;
    RecentFiles recent_;
    std::string templatePath_;
    VenueLifecycle lifecycle_;
    WindowRegistry registry_;
    RecordingHelpViewer help_;
    UpdateHub hub_;
};

TEST_F(VenueLifecycleTest, NewLoadsTheTemplateWithBrandZeroAndSlotOneIsTheLiveVenue)
{
    lifecycle_.SetDirty();
    lifecycle_.NewVenue();
    EXPECT_EQ(lifecycle_.Venue().Units(), UnitsCode::Metric);
    EXPECT_EQ(lifecycle_.Venue().LineArray().Brand(), BrandCode::TarvicKv9);
    EXPECT_FALSE(lifecycle_.IsDirty());
    EXPECT_FALSE(lifecycle_.HasFileName());
    EXPECT_EQ(lifecycle_.VenuePath(), "");
    EXPECT_EQ(main_.panels[1], "");
    EXPECT_EQ(lifecycle_.SlotVenue(1), &lifecycle_.Venue());
    for (int slot = 2; slot <= 9; ++slot)
        EXPECT_FALSE(lifecycle_.SlotUsed(slot));
    EXPECT_EQ(Messages(), 0);
    EXPECT_TRUE(main_.metricChecked) << "the hub refreshed everything";
}

TEST_F(VenueLifecycleTest, AMissingTemplateGivesAClearedVenueAndAMessage)
{
    templatePath_ = Path("Templates/Blank_English.venue");
    lifecycle_.Venue().SetUnits(UnitsCode::Metric);
    lifecycle_.NewVenue();
    EXPECT_EQ(lifecycle_.Venue().Units(), UnitsCode::English);
    EXPECT_EQ(lifecycle_.Venue().LineArray().Cells().Count(), 0);
    ASSERT_EQ(Messages(), 1);
    EXPECT_NE(prompts_.Last().text.find("Blank_English.venue"), std::string::npos);
    EXPECT_TRUE(lifecycle_.SlotUsed(1));
}

TEST_F(VenueLifecycleTest, StateKeysSaveAndLoadSnapshots)
{
    lifecycle_.NewVenue();
    int key = 51; // Ctrl+3 on a slot never filled: swallowed, nothing else
    EXPECT_TRUE(lifecycle_.GlobalKeyHandler(key, VenueLifecycle::kCtrlBit));
    EXPECT_EQ(key, 0);
    EXPECT_EQ(main_.panels[3], "");

    lifecycle_.Venue().SetNotes("at the snapshot");
    Key(51, VenueLifecycle::kCtrlBit | VenueLifecycle::kShiftBit);
    EXPECT_EQ(main_.panels[3], "Saved to State 3");
    EXPECT_TRUE(main_.stateItems[3]);
    EXPECT_FALSE(main_.stateItems[2]);
    lifecycle_.Venue().SetNotes("edited later");
    lifecycle_.SetDirty();
    lifecycle_.ClearDirty();
    Key(51, VenueLifecycle::kCtrlBit);
    EXPECT_EQ(lifecycle_.Venue().Notes(), "at the snapshot");
    EXPECT_FALSE(lifecycle_.IsDirty());
    EXPECT_EQ(main_.panels[3], "State 3 Loaded");

    // Alt is not looked at.
    Key(50, VenueLifecycle::kCtrlBit | VenueLifecycle::kShiftBit | VenueLifecycle::kAltBit);
    EXPECT_TRUE(lifecycle_.SlotUsed(2));
}

TEST_F(VenueLifecycleTest, OtherKeysAreLeftAlone)
{
    struct Case {
        int code;
        int shift;
    };
    for (const Case& c : {Case{49, 0}, Case{49, VenueLifecycle::kShiftBit}, Case{48, 2}, Case{58, 2},
                          Case{97, 2} /* keypad 1 */, Case{105, 3} /* keypad 9 */}) {
        int key = c.code;
        EXPECT_FALSE(lifecycle_.GlobalKeyHandler(key, c.shift)) << c.code;
        EXPECT_EQ(key, c.code);
    }
}

TEST_F(VenueLifecycleTest, SlotOneFollowsTheLiveVenueUntilAStateIsLoaded)
{
    lifecycle_.NewVenue();
    lifecycle_.Venue().SetNotes("edited after new");
    Key(49, VenueLifecycle::kCtrlBit); // Ctrl+1: a copy of the current venue
    EXPECT_EQ(lifecycle_.Venue().Notes(), "edited after new");
    const Environment* slotOne = lifecycle_.SlotVenue(1);
    EXPECT_NE(slotOne, &lifecycle_.Venue());
    lifecycle_.Venue().SetNotes("edited after the load");
    EXPECT_EQ(lifecycle_.SlotVenue(1)->Notes(), "edited after new");
}

TEST_F(VenueLifecycleTest, OpeningIntoTheLiveVenueKeepsSlotOneLinked)
{
    lifecycle_.NewVenue();
    const std::string path = WriteVenue("hall.venue", "from the file");
    ASSERT_TRUE(lifecycle_.OpenVenue(path));
    EXPECT_EQ(lifecycle_.SlotVenue(1), &lifecycle_.Venue());
    EXPECT_EQ(lifecycle_.SlotVenue(1)->Notes(), "from the file");
    EXPECT_TRUE(lifecycle_.HasFileName());
    EXPECT_EQ(lifecycle_.VenuePath(), path);
    EXPECT_EQ(recent_.Entry(1), path);
}

// A file that cannot be read, and files beyond what the windows can show (each refused by
// name with the range), leave the open venue as it was.
TEST_F(VenueLifecycleTest, AFailedOpenChangesNothingAndSaysWhy)
{
    lifecycle_.NewVenue();
    const std::string good = WriteVenue("good.venue", "good");
    ASSERT_TRUE(lifecycle_.OpenVenue(good));
    lifecycle_.Venue().SetNotes("unsaved edit");
    lifecycle_.SetDirty();
    const std::string bad = Path("broken.venue");
    std::ofstream(bad) << "# not a venue\n(int) CELL_COUNT zebra\n";

    Environment tall;
    tall.Clear();
    for (int i = 0; i < 1000; ++i)
        tall.LineArray().Cells().Add();
    VenueFile::SaveAs(tall, Path("tall.venue"));

    Environment lost;
    lost.Clear();
    const Point2D front(10, 0), back(80, 6);
    lost.SeatingAreas().Add(-1, &front, &back);
    lost.ListeningPoints().Add("Mix").SetSeatingAreaIndex(7);
    VenueFile::SaveAs(lost, Path("lost.venue"));

    // An old venue file, version 2, English, no areas and 1000 cells.
    std::string old = "SAMPLE VNU 02E" + std::string(12 + 8 + 4, '\0');
    old += std::string("\xE8\x03\0\0", 4) + std::string(4, '\0');
    for (int i = 0; i < 1000; ++i)
        old += std::string(4, '\0') + "h";
    std::ofstream(Path("TALL.VNU"), std::ios::binary) << old;

    const struct {
        std::string path;
        const char* reason;
    } cases[] = {
        {bad, ""},
        {Path("missing.venue"), ""},
        {Path("tall.venue"), "\"CELL_COUNT\" is 1000; the program allows 0 to 24 cells"},
        {Path("lost.venue"), "\"LISTENING_POINT_1_SEATING_AREA_INDEX\" is 7; the program allows 1 to 1"},
        {Path("TALL.VNU"), "the number of cells is 1000; the program allows 0 to 24 cells"},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(lifecycle_.OpenVenue(c.path));
        EXPECT_EQ(lifecycle_.Venue().Notes(), "unsaved edit");
        EXPECT_EQ(lifecycle_.Venue().LineArray().Cells().Count(), 0);
        EXPECT_EQ(lifecycle_.VenuePath(), good);
        EXPECT_TRUE(lifecycle_.IsDirty());
        EXPECT_EQ(recent_.Entry(1), good);
        EXPECT_EQ(recent_.Entry(2), "(none)");
        EXPECT_NE(prompts_.Last().text.find(fs::path(c.path).filename().string()), std::string::npos);
        EXPECT_NE(prompts_.Last().text.find(c.reason), std::string::npos) << prompts_.Last().text;
    }
}

TEST_F(VenueLifecycleTest, OpenWithoutAPathAsksAndACancelChangesNothing)
{
    lifecycle_.NewVenue();
    prompts_.QueueOpenFile(std::nullopt);
    EXPECT_FALSE(lifecycle_.OpenVenue(""));
    EXPECT_EQ(prompts_.Last().file.title, "Open venue...");
    EXPECT_EQ(prompts_.Last().file.filterIndex, 1);
    EXPECT_FALSE(lifecycle_.HasFileName());
    EXPECT_EQ(Messages(), 0);
}

TEST_F(VenueLifecycleTest, AnOldFileIsReadByItsExtensionAndSavedAsANewVenueFile)
{
    lifecycle_.NewVenue();
    // Text of the current format under an old name: only the old reader refuses it.
    const std::string disguised = WriteVenue("TEXT.VNU", "text");
    EXPECT_FALSE(lifecycle_.OpenVenue(disguised));

    // A checked-in old file: English, the bumper at (3, 0).
    const std::string old = Path("HALL.VNU");
    fs::copy_file(DataFile("old-venues/v0-english.vnu"), old);
    ASSERT_TRUE(lifecycle_.OpenVenue(old));
    EXPECT_FLOAT_EQ(lifecycle_.Venue().LineArray().Bumper().Location().x, 3.0f);
    EXPECT_TRUE(lifecycle_.IsFromOldFile());

    const std::string oldBytes = ReadAll(old);
    prompts_.QueueSaveFile(Path("HALL.venue"));
    ASSERT_TRUE(lifecycle_.SaveVenue());
    EXPECT_EQ(prompts_.Last().kind, ScriptedPrompts::Kind::SaveFile);
    EXPECT_EQ(prompts_.Last().file.fileName, Path("HALL.venue"));
    EXPECT_EQ(ReadAll(old), oldBytes) << "the old file is not written over";
    EXPECT_EQ(lifecycle_.VenuePath(), Path("HALL.venue"));
    EXPECT_FALSE(lifecycle_.IsFromOldFile());
}

TEST_F(VenueLifecycleTest, SaveOfANewVenueAsksOnceThenWritesToTheChosenFile)
{
    lifecycle_.NewVenue();
    lifecycle_.SetDirty();
    EXPECT_FALSE(main_.revertEnabled) << "a new venue has nothing to revert to";
    prompts_.QueueSaveFile(Path("mine.venue"));
    ASSERT_TRUE(lifecycle_.SaveVenue());
    EXPECT_EQ(prompts_.Last().file.title, "Save venue as...");
    EXPECT_EQ(prompts_.Last().file.defaultExtension, "venue");
    EXPECT_TRUE(prompts_.Last().file.askBeforeOverwrite);
    EXPECT_FALSE(lifecycle_.IsDirty());
    EXPECT_EQ(recent_.Entry(1), Path("mine.venue"));

    lifecycle_.Venue().SetNotes("second save");
    lifecycle_.SetDirty();
    EXPECT_TRUE(main_.revertEnabled);
    EXPECT_EQ(main_.panels[1], "(Unsaved)");
    ASSERT_TRUE(lifecycle_.SaveVenue()); // no dialog: none is scripted
    EXPECT_NE(ReadAll(Path("mine.venue")).find("second save"), std::string::npos);
    EXPECT_EQ(main_.panels[1], "");
}

TEST_F(VenueLifecycleTest, AFailedSaveKeepsTheOldFileAndTheVenueDirty)
{
    lifecycle_.NewVenue();
    prompts_.QueueSaveFile(Path("kept.venue"));
    ASSERT_TRUE(lifecycle_.SaveVenueAs());
    const std::string before = ReadAll(Path("kept.venue"));

    lifecycle_.Venue().SetEarHeight(std::numeric_limits<float>::quiet_NaN());
    lifecycle_.SetDirty();
    EXPECT_FALSE(lifecycle_.SaveVenue());
    EXPECT_TRUE(lifecycle_.IsDirty());
    EXPECT_EQ(ReadAll(Path("kept.venue")), before);
    EXPECT_EQ(prompts_.Last().kind, ScriptedPrompts::Kind::Message);
    EXPECT_NE(prompts_.Last().text.find("kept.venue"), std::string::npos);

    // Save As to a place that cannot be written keeps the old name too.
    lifecycle_.Venue().SetEarHeight(0.0f);
    prompts_.QueueSaveFile(Path("no such folder/other.venue"));
    EXPECT_FALSE(lifecycle_.SaveVenueAs());
    EXPECT_EQ(lifecycle_.VenuePath(), Path("kept.venue"));
    EXPECT_TRUE(lifecycle_.IsDirty());
}

TEST_F(VenueLifecycleTest, ReplacingTheVenueClearsTheHighlightedCell)
{
    lifecycle_.NewVenue();
    for (int i = 0; i < 3; ++i)
        lifecycle_.Venue().LineArray().Cells().Add();
    Key(50, VenueLifecycle::kCtrlBit | VenueLifecycle::kShiftBit);
    hub_.HighlightCell(2);
    Key(50, VenueLifecycle::kCtrlBit);
    EXPECT_EQ(hub_.HighlightedCell(), 0);
    hub_.HighlightCell(1);
    lifecycle_.NewVenue();
    EXPECT_EQ(hub_.HighlightedCell(), 0);
}

TEST_F(VenueLifecycleTest, SlotNumbersOutsideOneToNineAreRefused)
{
    EXPECT_THROW(lifecycle_.SaveState(0), std::out_of_range);
    EXPECT_THROW(lifecycle_.LoadState(10), std::out_of_range);
    EXPECT_THROW((void)lifecycle_.SlotUsed(-1), std::out_of_range);
}

TEST(InstalledTemplatesTest, TheTemplatesAreBlankVenuesWithTheSmallestArrayInTheirUnits)
{
    // The tests' source folder, absolute whatever way the compiler was given the file.
    const fs::path folder = fs::path(QT_TESTCASE_SOURCEDIR) / ".." / "templates";
    struct Case {
        const char* name;
        UnitsCode units;
    };
    for (const Case& c : {Case{"Blank_English.venue", UnitsCode::English}, Case{"Blank_Metric.venue", UnitsCode::Metric}}) {
        Environment venue;
        venue.SetUnits(c.units == UnitsCode::English ? UnitsCode::Metric : UnitsCode::English);
        ASSERT_NO_THROW(VenueFile::Load(venue, folder / c.name)) << c.name;
        EXPECT_EQ(venue.Units(), c.units);
        EXPECT_EQ(venue.SeatingAreas().Count(), 0);
        EXPECT_EQ(venue.ListeningPoints().Count(), 0);
        // Four cells of the default type, the fewest any window keeps, each with its size.
        const Cells& cells = venue.LineArray().Cells();
        ASSERT_EQ(cells.Count(), 4) << c.name;
        for (int i = 1; i <= 4; ++i) {
            EXPECT_EQ(cells.Item(i).CellType(), ProductTables::DefaultCellType(venue.LineArray().Brand()));
            EXPECT_GT(cells.Item(i).Width(), 0.0f);
        }
        const CalculationResults results = venue.GenerateCalculations(false);
        EXPECT_GT(results.ArrayMaxY - results.ArrayMinY, 0.0f) << c.name;
        EXPECT_GT(results.TotalWeight, 0.0f) << c.name;
    }
}

} // namespace
} // namespace polvane
