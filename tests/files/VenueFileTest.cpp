#include "files/VenueFile.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/CalculationResults.h"
#include "engine/Environment.h"
#include "files/FileFormatError.h"
#include "model/ProductTables.h"
#include "support/ScratchFolder.h"
#include "support/TestFiles.h"

namespace polvane {
namespace {

namespace fs = std::filesystem;

using enum BrandCode;
using enum ConfigurationCode;
using enum PinStyleCode;
using enum RiggingCode;
using enum UnitsCode;

struct VenueCase {
    const char* name;
    UnitsCode units;
    BrandCode brand;
    ConfigurationCode configuration;
    PinStyleCode pinStyle;
    RiggingCode rigging;
    bool aggregate;
};

// A venue that sets every field the file holds to something other than its default.
std::unique_ptr<Environment> MakeVenue(const VenueCase& c)
{
    auto venue = std::make_unique<Environment>();
    venue->Clear();
    venue->SetUnits(c.units);
    venue->AmbientTemperature().SetCelsius(17.25f);
    venue->SetAggregateFrequencies(c.aggregate);
    if (c.aggregate)
        venue->SetFrequencyList({125.0f, 1000.0f, 3150.5f});
    else
        venue->SetCenterFrequency(2500.0f);
    venue->SetEarHeight(c.units == Metric ? 1.15f : 3.9f);

    const Point2D f1(12.34f, -1.5f), b1(40.1f, 3.3f), f2(42.0f, 6.0f), b2(55.5f, 12.25f);
    venue->SeatingAreas().Add(-1, &f1, &b1).SetName("Main floor");
    venue->SeatingAreas().Add(-1, &f2, &b2).SetName(" Balcony \\ rear ");

    LineArray& array = venue->LineArray();
    array.SetBrand(c.brand);
    array.SetConfiguration(c.configuration);
    array.SetPinStyle(c.pinStyle);
    Bumper& bumper = array.Bumper();
    bumper.SetLocation(Point2D(1.5f, 30.75f));
    bumper.SetAngle(Angle::FromDegrees(-3.7));
    bumper.SetRigging(c.rigging);
    bumper.SetFrontHangPoint(3);
    bumper.SetBackHangPoint(8);

    const int types[] = {ProductTables::DefaultCellType(c.brand), 10, 1,
                         ProductTables::kUnknownCellType, 13};
    const float attens[] = {0.0f, -1.5f, 1.0f, -6.0f, -0.25f};
    for (int i = 0; i < 5; ++i) {
        Cell& cell = array.Cells().Add();
        cell.SetCellType(types[i]);
        if (!cell.GetPossibleSplays().empty())
            cell.SetSplayIndex(static_cast<int>(cell.GetPossibleSplays().size()) > 2 ? 3 : 1);
        cell.SetAttenuation(attens[i]);
    }

    for (int i = 1; i <= 3; ++i) {
        ListeningPoint& p = venue->ListeningPoints().Add("Seat " + std::to_string(i));
        p.SetSeatingAreaIndex(i == 3 ? 2 : 1);
        p.SetHorizontalPosition(i == 1 ? 12.34f : 4.5f * static_cast<float>(i));
    }
    venue->ListeningPoints().SetReferencePointIndex(2);
    venue->SetNotes("  First line\\ with a backslash\r\nSecond\rThird\nend  ");
    return venue;
}

void ExpectSameVenue(const Environment& a, const Environment& b)
{
    EXPECT_EQ(a.Units(), b.Units());
    EXPECT_EQ(a.AmbientTemperature().Celsius(), b.AmbientTemperature().Celsius());
    EXPECT_EQ(a.AggregateFrequencies(), b.AggregateFrequencies());
    if (a.AggregateFrequencies()) {
        EXPECT_EQ(a.FrequencyList(), b.FrequencyList());
    }
    EXPECT_EQ(a.CenterFrequency(), b.CenterFrequency());
    EXPECT_EQ(a.EarHeight(), b.EarHeight());
    EXPECT_EQ(a.Notes(), b.Notes());

    ASSERT_EQ(a.SeatingAreas().Count(), b.SeatingAreas().Count());
    for (int i = 1; i <= a.SeatingAreas().Count(); ++i) {
        const Plane& pa = a.SeatingAreas().Item(i);
        const Plane& pb = b.SeatingAreas().Item(i);
        EXPECT_EQ(pa.Name(), pb.Name());
        EXPECT_EQ(pa.FrontPoint(), pb.FrontPoint());
        EXPECT_EQ(pa.BackPoint(), pb.BackPoint());
    }

    const LineArray& la = a.LineArray();
    const LineArray& lb = b.LineArray();
    EXPECT_EQ(la.Brand(), lb.Brand());
    EXPECT_EQ(la.Configuration(), lb.Configuration());
    EXPECT_EQ(la.PinStyle(), lb.PinStyle());
    EXPECT_EQ(la.Units(), lb.Units());
    EXPECT_EQ(la.Bumper().Location(), lb.Bumper().Location());
    EXPECT_NEAR(la.Bumper().Angle().Degrees(), lb.Bumper().Angle().Degrees(), 1e-12);
    EXPECT_EQ(la.Bumper().Rigging(), lb.Bumper().Rigging());
    EXPECT_EQ(la.Bumper().FrontHangPoint(), lb.Bumper().FrontHangPoint());
    if (la.Bumper().Rigging() == DualPoint) {
        EXPECT_EQ(la.Bumper().BackHangPoint(), lb.Bumper().BackHangPoint());
    }
    ASSERT_EQ(la.Cells().Count(), lb.Cells().Count());
    for (int i = 1; i <= la.Cells().Count(); ++i) {
        const Cell& ca = la.Cells().Item(i);
        const Cell& cb = lb.Cells().Item(i);
        EXPECT_EQ(ca.CellType(), cb.CellType()) << "cell " << i;
        EXPECT_NEAR(ca.SplayAngle().Degrees(), cb.SplayAngle().Degrees(), 1e-12) << "cell " << i;
        EXPECT_EQ(ca.Attenuation(), cb.Attenuation()) << "cell " << i;
        EXPECT_EQ(ca.Width(), cb.Width()) << "cell " << i;
    }

    ASSERT_EQ(a.ListeningPoints().Count(), b.ListeningPoints().Count());
    for (int i = 1; i <= a.ListeningPoints().Count(); ++i) {
        const ListeningPoint& pa = a.ListeningPoints().Item(i);
        const ListeningPoint& pb = b.ListeningPoints().Item(i);
        EXPECT_EQ(pa.Name(), pb.Name());
        EXPECT_EQ(pa.HorizontalPosition(), pb.HorizontalPosition());
        EXPECT_EQ(pa.SeatingAreaIndex(), pb.SeatingAreaIndex());
    }
    EXPECT_EQ(a.ListeningPoints().ReferencePointIndex(), b.ListeningPoints().ReferencePointIndex());
}

// ---- Round trips --------------------------------------------------------------------

class VenueFileRoundTrip : public ::testing::TestWithParam<VenueCase> {};

TEST_P(VenueFileRoundTrip, SavedVenueLoadsBackField_for_field)
{
    ScratchFolder folder;
    const auto original = MakeVenue(GetParam());
    const fs::path path = folder / "venue.venue";
    VenueFile::SaveAs(*original, path);

    Environment loaded;
    loaded.Clear();
    VenueFile::Load(loaded, path);
    ExpectSameVenue(*original, loaded);
    // The areas renumber the loaded points, not some list left behind.
    EXPECT_EQ(loaded.SeatingAreas().ListeningPointsLink(), &loaded.ListeningPoints());
    EXPECT_EQ(loaded.CalcParameters().LowerAngle(), -135);
    EXPECT_EQ(loaded.CalcParameters().UpperAngle(), 90);
    EXPECT_EQ(loaded.CalcParameters().AngleStep(), 1);

    // Saving what was loaded writes the same file again.
    EXPECT_EQ(VenueFile::SaveToString(loaded), ReadAll(path));
}

INSTANTIATE_TEST_SUITE_P(
    Venues, VenueFileRoundTrip,
    ::testing::Values(VenueCase{"EnglishFlownSlideDual", English, TarvicKv9, Flown, Slide, DualPoint, true},
                      VenueCase{"MetricStackedFixedSingle", Metric, TarvicKv7, GroundStacked, Fixed, SinglePoint, false},
                      VenueCase{"MetricFlownFixedDualRSarn", Metric, RSarn, Flown, Fixed, DualPoint, true},
                      VenueCase{"EnglishFlownFixedSingleDeVelt", English, DeVelt, Flown, Fixed, SinglePoint, false},
                      VenueCase{"EnglishStackedFixedDualKv4", English, TarvicKv4, GroundStacked, Fixed, DualPoint, true}),
    [](const ::testing::TestParamInfo<VenueCase>& info) { return std::string(info.param.name); });

// Saved venues compared whole with the files in tests/data/venues (made by this program and
// checked by hand, see NOTES.md there): the venue's own units, the shortest numbers
// (12.34 m is written as 12.34), type 14 written as "Unknown", the keys by units, rigging and
// frequency mode.
TEST(VenueFileSave, WritesTheVenuesOwnUnitsAndShortestNumbers)
{
    const auto venue = MakeVenue({"", Metric, TarvicKv9, Flown, Slide, DualPoint, false});
    const std::string text = VenueFile::SaveToString(*venue);
    EXPECT_EQ(text, ExpectedFile("venues/SavedMetric.venue"));

    Environment loaded;
    VenueFile::LoadFrom(loaded, text);
    EXPECT_EQ(loaded.Units(), UnitsCode::Metric);
    EXPECT_EQ(loaded.SeatingAreas().Item(1).FrontPoint().x, 12.34f);
    EXPECT_EQ(loaded.ListeningPoints().Item(1).HorizontalPosition(), 12.34f);
    EXPECT_EQ(loaded.LineArray().Cells().Item(4).CellType(), ProductTables::kUnknownCellType);
}

TEST(VenueFileSave, AggregateVenueWritesItsListAndNoCentreFrequency)
{
    const auto venue = MakeVenue({"", English, TarvicKv9, Flown, Slide, DualPoint, true});
    EXPECT_EQ(VenueFile::SaveToString(*venue), ExpectedFile("venues/SavedAggregate.venue"));
}

// A venue file written by hand, key by key (tests/data/venues/make_venues.py): read as
// written, and saved again byte for byte.
TEST(VenueFileRead, HandWrittenFileReadsAsWrittenAndSavesUnchanged)
{
    Environment venue;
    VenueFile::Load(venue, DataFile("venues/Hall.venue"));

    EXPECT_EQ(venue.Units(), Metric);
    EXPECT_EQ(venue.AmbientTemperature().Celsius(), 18.5f);
    EXPECT_TRUE(venue.AggregateFrequencies());
    EXPECT_EQ(venue.FrequencyList(), (std::vector<float>{250, 1000, 4000}));
    EXPECT_EQ(venue.EarHeight(), 1.2f);
    ASSERT_EQ(venue.SeatingAreas().Count(), 2);
    EXPECT_EQ(venue.SeatingAreas().Item(1).Name(), "Floor");
    EXPECT_EQ(venue.SeatingAreas().Item(1).FrontPoint(), Point2D(6, 0));
    EXPECT_EQ(venue.SeatingAreas().Item(1).BackPoint(), Point2D(30.5f, 1.5f));
    EXPECT_EQ(venue.SeatingAreas().Item(2).Name(), "Balcony");
    EXPECT_EQ(venue.SeatingAreas().Item(2).FrontPoint(), Point2D(24, 6));
    EXPECT_EQ(venue.SeatingAreas().Item(2).BackPoint(), Point2D(36, 11.25f));

    const LineArray& array = venue.LineArray();
    EXPECT_EQ(array.Brand(), TarvicKv9);
    EXPECT_EQ(array.Configuration(), Flown);
    EXPECT_EQ(array.PinStyle(), Fixed);
    EXPECT_EQ(array.Bumper().Location(), Point2D(1.5f, 12));
    EXPECT_NEAR(array.Bumper().Angle().Degrees(), -2.5, 1e-9);
    EXPECT_EQ(array.Bumper().Rigging(), DualPoint);
    EXPECT_EQ(array.Bumper().FrontHangPoint(), 3);
    EXPECT_EQ(array.Bumper().BackHangPoint(), 9);
    const double splays[] = {-1.6, 3.3, 5, 6.6, 8.3};
    const float attenuations[] = {0, 0, -1.5f, -3, -6};
    ASSERT_EQ(array.Cells().Count(), 5);
    for (int i = 1; i <= 5; ++i) {
        EXPECT_EQ(array.Cells().Item(i).CellType(), 0) << i;
        EXPECT_NEAR(array.Cells().Item(i).SplayAngle().Degrees(), splays[i - 1], 1e-9) << i;
        EXPECT_EQ(array.Cells().Item(i).Attenuation(), attenuations[i - 1]) << i;
    }

    ASSERT_EQ(venue.ListeningPoints().Count(), 2);
    EXPECT_EQ(venue.ListeningPoints().Item(1).Name(), "Mix position");
    EXPECT_EQ(venue.ListeningPoints().Item(1).HorizontalPosition(), 14.5f);
    EXPECT_EQ(venue.ListeningPoints().Item(1).SeatingAreaIndex(), 1);
    EXPECT_EQ(venue.ListeningPoints().Item(2).Name(), "Balcony rail");
    EXPECT_EQ(venue.ListeningPoints().Item(2).HorizontalPosition(), 2);
    EXPECT_EQ(venue.ListeningPoints().Item(2).SeatingAreaIndex(), 2);
    EXPECT_EQ(venue.ListeningPoints().ReferencePointIndex(), 1);
    EXPECT_EQ(venue.Notes(), "Rigging checked 12 May.\r\nPath: C:\\shows\\hall");

    EXPECT_EQ(VenueFile::SaveToString(venue), ExpectedFile("venues/Hall.venue"));
}

TEST(VenueFileSave, FailedSaveLeavesTheOldFileAndThrows)
{
    ScratchFolder folder;
    const fs::path path = folder / "kept.venue";
    const auto venue = MakeVenue({"", English, TarvicKv9, Flown, Slide, DualPoint, false});
    VenueFile::SaveAs(*venue, path);
    const std::string before = ReadAll(path);

    // A number that could not be read back is refused before the disk is touched.
    auto broken = MakeVenue({"", English, TarvicKv9, Flown, Slide, DualPoint, false});
    broken->SetEarHeight(std::numeric_limits<float>::quiet_NaN());
    try {
        VenueFile::SaveAs(*broken, path);
        FAIL() << "a NaN ear height was saved";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("EAR_HEIGHT"), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find("kept.venue"), std::string::npos) << e.what();
    }
    EXPECT_EQ(ReadAll(path), before);

    // A file that cannot be replaced.
    fs::permissions(path, fs::perms::owner_write | fs::perms::group_write |
                              fs::perms::others_write, fs::perm_options::remove);
    venue->SetNotes("changed");
    EXPECT_THROW(VenueFile::SaveAs(*venue, path), std::runtime_error);
    EXPECT_EQ(ReadAll(path), before);

    EXPECT_THROW(VenueFile::SaveAs(*venue, folder / "no such folder" / "x.venue"),
                 std::runtime_error);
}

TEST(VenueFileEnvironment, MembersSaveAndLoadThroughTheFile)
{
    ScratchFolder folder;
    const std::string path = (folder / "members.venue").string();
    const auto venue = MakeVenue({"", Metric, TarvicKv7, Flown, Fixed, DualPoint, true});
    VenueFile::SaveAs(*venue, path);

    Environment loaded;
    loaded.Pictures().Add();
    loaded.SetAutoCalcBaselines(4, 6);
    VenueFile::Load(loaded, path);
    ExpectSameVenue(*venue, loaded);
    // Not stored in the file, so loading keeps them.
    EXPECT_EQ(loaded.Pictures().Count(), 1);
    EXPECT_EQ(loaded.AutoCalcOverthrow(), 4);

    EXPECT_THROW(VenueFile::Load(loaded, folder / "missing.venue"), FileFormatError);
    ExpectSameVenue(*venue, loaded);
}

// Splays a removal or an insertion at the top leaves outside the list of a cell's new place
// are saved as they are and open as they were saved: the screen, a copy and the file agree.
TEST(VenueFileEnvironment, SplaysOutsideTheirCaseSaveAndOpenAsTheyWere)
{
    for (const bool removed : {true, false}) {
        SCOPED_TRACE(removed ? "first cell removed" : "cell inserted at the top");
        Environment venue;
        venue.Clear();
        const Point2D front(20.0f, 0.0f), back(120.0f, 12.0f);
        venue.SeatingAreas().Add(-1, &front, &back).SetName("Floor");
        venue.LineArray().Bumper().SetLocation(Point2D(0.0f, 30.0f));
        Cells& cells = venue.LineArray().Cells();
        for (int i = 0; i < 12; ++i)
            cells.Add();
        if (removed) {
            cells.Item(2).SplayAngle().SetDegrees(10); // the first cell's list ends at 5
            cells.Remove(1);
        } else {
            cells.Item(1).SplayAngle().SetDegrees(-5); // the other cells' list starts at 0
            cells.Add(1);
        }
        std::vector<double> splays;
        for (int i = 1; i <= cells.Count(); ++i)
            splays.push_back(cells.Item(i).SplayAngle().Radians());
        const CalculationResults shown = venue.GenerateCalculations(false);

        std::unique_ptr<Environment> copy = venue.CloneOf();
        Environment reopened;
        VenueFile::LoadFrom(reopened, VenueFile::SaveToString(venue), "saved.venue");
        for (Environment* held : {copy.get(), &reopened}) {
            const Cells& heldCells = held->LineArray().Cells();
            ASSERT_EQ(heldCells.Count(), static_cast<int>(splays.size()));
            for (int i = 1; i <= heldCells.Count(); ++i)
                EXPECT_EQ(heldCells.Item(i).SplayAngle().Radians(), splays[static_cast<std::size_t>(i - 1)])
                    << i;
            const CalculationResults results = held->GenerateCalculations(false);
            EXPECT_EQ(results.FrontLoad, shown.FrontLoad);
            EXPECT_EQ(results.BackLoad, shown.BackLoad);
            EXPECT_EQ(results.CenterOfGravity, shown.CenterOfGravity);
            EXPECT_EQ(results.PolarLevels, shown.PolarLevels);
        }
    }
}

// ---- Reading rules ------------------------------------------------------------------

// The keys a file must hold, in the order a save writes them.
const std::vector<std::pair<std::string, std::string>> kRequired = {
    {"SEATING_AREA_COUNT", "(int) SEATING_AREA_COUNT 1"},
    {"SEATING_AREA_1_NAME", "(str) SEATING_AREA_1_NAME Floor"},
    {"SEATING_AREA_1_FRONT_X", "(sng) SEATING_AREA_1_FRONT_X 10.0"},
    {"SEATING_AREA_1_FRONT_Y", "(sng) SEATING_AREA_1_FRONT_Y 0.0"},
    {"SEATING_AREA_1_BACK_X", "(sng) SEATING_AREA_1_BACK_X 80.0"},
    {"SEATING_AREA_1_BACK_Y", "(sng) SEATING_AREA_1_BACK_Y 6.5"},
    {"BUMPER_LOCATION_X", "(sng) BUMPER_LOCATION_X 0.0"},
    {"BUMPER_LOCATION_Y", "(sng) BUMPER_LOCATION_Y 30.0"},
    {"BUMPER_ANGLE_DEGREES", "(dbl) BUMPER_ANGLE_DEGREES 2.5"},
    {"BUMPER_RIGGING_STYLE", "(str) BUMPER_RIGGING_STYLE Dual-point"},
    {"BUMPER_RIGGING_FRONT_HOLE_INDEX", "(int) BUMPER_RIGGING_FRONT_HOLE_INDEX 2"},
    {"BUMPER_RIGGING_BACK_HOLE_INDEX", "(int) BUMPER_RIGGING_BACK_HOLE_INDEX 9"},
    {"CELL_COUNT", "(int) CELL_COUNT 2"},
    {"CELL_1_TYPE", "(str) CELL_1_TYPE KV9"},
    {"CELL_1_ANGLE_DEGREES", "(dbl) CELL_1_ANGLE_DEGREES 0.0"},
    {"CELL_2_TYPE", "(str) CELL_2_TYPE kb9"},
    {"CELL_2_ANGLE_DEGREES", "(dbl) CELL_2_ANGLE_DEGREES 6.0"},
    {"LISTENING_POINT_COUNT", "(int) LISTENING_POINT_COUNT 1"},
    {"LISTENING_POINT_1_NAME", "(str) LISTENING_POINT_1_NAME Mix position"},
    {"LISTENING_POINT_1_POSITION_X", "(sng) LISTENING_POINT_1_POSITION_X 20.5"},
    {"LISTENING_POINT_1_SEATING_AREA_INDEX", "(int) LISTENING_POINT_1_SEATING_AREA_INDEX 1"},
    {"LISTENING_POINT_REFERENCE_INDEX", "(int) LISTENING_POINT_REFERENCE_INDEX 1"},
};

// The required keys with some lines replaced ("" drops the key) and others added at the end.
std::string Compose(const std::map<std::string, std::string>& replaced = {},
                    const std::vector<std::string>& added = {})
{
    std::string text = "#\r\n# Quessel Polvane Venue file\r\n#\r\n\r\n";
    for (const auto& [key, line] : kRequired) {
        const auto r = replaced.find(key);
        const std::string& chosen = r == replaced.end() ? line : r->second;
        if (!chosen.empty())
            text += chosen + "\r\n";
    }
    for (const std::string& line : added)
        text += line + "\r\n";
    return text;
}

Environment& Loaded(Environment& venue, const std::string& text)
{
    VenueFile::LoadFrom(venue, text, "test.venue");
    return venue;
}

TEST(VenueFileRead, FileWithOnlyTheRequiredKeysTakesTheDefaults)
{
    Environment venue;
    Loaded(venue, Compose());
    EXPECT_EQ(venue.Units(), UnitsCode::English);
    EXPECT_EQ(venue.AmbientTemperature().Celsius(), 22);
    EXPECT_FALSE(venue.AggregateFrequencies());
    EXPECT_EQ(venue.CenterFrequency(), 1000);
    EXPECT_EQ(venue.EarHeight(), 4.25f);
    EXPECT_EQ(venue.LineArray().Brand(), BrandCode::TarvicKv9);
    EXPECT_EQ(venue.LineArray().Configuration(), ConfigurationCode::Flown);
    EXPECT_EQ(venue.LineArray().PinStyle(), PinStyleCode::Slide);
    EXPECT_EQ(venue.Notes(), "");

    ASSERT_EQ(venue.SeatingAreas().Count(), 1);
    EXPECT_EQ(venue.SeatingAreas().Item(1).Name(), "Floor");
    EXPECT_EQ(venue.SeatingAreas().Item(1).BackPoint(), Point2D(80.0f, 6.5f));
    const Bumper& bumper = venue.LineArray().Bumper();
    EXPECT_EQ(bumper.Location(), Point2D(0.0f, 30.0f));
    EXPECT_NEAR(bumper.Angle().Degrees(), 2.5, 1e-12);
    EXPECT_EQ(bumper.Rigging(), RiggingCode::DualPoint);
    EXPECT_EQ(bumper.FrontHangPoint(), 2);
    EXPECT_EQ(bumper.BackHangPoint(), 9);

    const Cells& cells = venue.LineArray().Cells();
    ASSERT_EQ(cells.Count(), 2);
    EXPECT_EQ(cells.Item(1).CellType(), 0);
    EXPECT_EQ(cells.Item(2).CellType(), 10);
    // 6 is not an allowed splay: the cell takes the next one up.
    EXPECT_NEAR(cells.Item(2).SplayAngle().Degrees(), 6.6, 1e-9);
    EXPECT_EQ(cells.Item(1).Attenuation(), 0);
    EXPECT_EQ(cells.Item(2).Attenuation(), 0);

    ASSERT_EQ(venue.ListeningPoints().Count(), 1);
    EXPECT_EQ(venue.ListeningPoints().Item(1).Name(), "Mix position");
    EXPECT_EQ(venue.ListeningPoints().Item(1).HorizontalPosition(), 20.5f);
    EXPECT_EQ(venue.ListeningPoints().ReferencePointIndex(), 1);
}

TEST(VenueFileRead, MetricFileWithoutEarHeightTakesOnePointThree)
{
    Environment venue;
    Loaded(venue, Compose({}, {"(str) MEASUREMENT_UNITS metric"}));
    EXPECT_EQ(venue.Units(), UnitsCode::Metric);
    EXPECT_EQ(venue.EarHeight(), 1.3f);
    // Lengths are taken in the file's unit, not converted.
    EXPECT_EQ(venue.SeatingAreas().Item(1).BackPoint().x, 80.0f);
    EXPECT_EQ(venue.LineArray().Bumper().Location().y, 30.0f);
}

TEST(VenueFileRead, BrandTexts)
{
    const struct {
        const char* text;
        BrandCode brand;
    } cases[] = {
        {"TARVIC KV7", TarvicKv7}, {"kv7", TarvicKv7},     {"Tarvic Kv4", TarvicKv4}, {"KV4", TarvicKv4},
        {"R.SARN", RSarn},     {"rsarn", RSarn},   {"DE.VELT", DeVelt},    {"develt", DeVelt},
        {"TARVIC KV9", TarvicKv9}, {"DE VELT", TarvicKv9}, {"", TarvicKv9},           {"TARVIC  KV7", TarvicKv9},
    };
    for (const auto& c : cases) {
        Environment venue;
        Loaded(venue, Compose({}, {std::string("(str) LINE_ARRAY_TYPE ") + c.text}));
        EXPECT_EQ(venue.LineArray().Brand(), c.brand) << '"' << c.text << '"';
        EXPECT_EQ(VenueFile::BrandFromText(c.text), c.brand) << '"' << c.text << '"';
    }
}

TEST(VenueFileRead, RiggingTexts)
{
    const struct {
        const char* text;
        RiggingCode rigging;
    } cases[] = {
        {"Single", SinglePoint}, {"single-point", SinglePoint}, {"SINGLEPOINT", SinglePoint}, {"Single-Point", SinglePoint},
        {"dual", DualPoint},   {"Dual-point", DualPoint},   {"single point", DualPoint}, {"", DualPoint},
    };
    for (const auto& c : cases) {
        Environment venue;
        Loaded(venue, Compose({{"BUMPER_RIGGING_STYLE",
                                std::string("(str) BUMPER_RIGGING_STYLE ") + c.text}},
                              {"(int) BUMPER_RIGGING_HOLE_INDEX 5"}));
        const Bumper& bumper = venue.LineArray().Bumper();
        EXPECT_EQ(bumper.Rigging(), c.rigging) << '"' << c.text << '"';
        // One point: its hole key, and the bumper is level. Two: the front and back keys.
        EXPECT_EQ(bumper.FrontHangPoint(), c.rigging == SinglePoint ? 5 : 2) << '"' << c.text << '"';
        if (c.rigging == SinglePoint) {
            EXPECT_EQ(bumper.Angle().Degrees(), 0);
        } else {
            EXPECT_EQ(bumper.BackHangPoint(), 9);
        }
    }
}

TEST(VenueFileRead, SwitchesIgnoreCase)
{
    const struct {
        const char* line;
        UnitsCode units;
        ConfigurationCode configuration;
        PinStyleCode pinStyle;
        bool aggregate;
    } cases[] = {
        {"(str) MEASUREMENT_UNITS METRIC", Metric, Flown, Slide, false},
        {"(str) MEASUREMENT_UNITS Metres", English, Flown, Slide, false},
        {"(str) LINE_ARRAY_CONFIGURATION STACKED", English, GroundStacked, Slide, false},
        {"(str) LINE_ARRAY_CONFIGURATION ground", English, Flown, Slide, false},
        {"(str) LINE_ARRAY_PINNING_STYLE fIxEd", English, Flown, Fixed, false},
        {"(str) LINE_ARRAY_PINNING_STYLE slid", English, Flown, Slide, false},
        {"(str) USE_AGGREGATE_FREQUENCIES YES", English, Flown, Slide, true},
        {"(str) USE_AGGREGATE_FREQUENCIES true", English, Flown, Slide, false},
    };
    for (const auto& c : cases) {
        Environment venue;
        Loaded(venue, Compose({}, {c.line, "(int) FREQUENCY_COUNT 1", "(sng) FREQUENCY_1_HZ 500"}));
        EXPECT_EQ(venue.Units(), c.units) << c.line;
        EXPECT_EQ(venue.LineArray().Configuration(), c.configuration) << c.line;
        EXPECT_EQ(venue.LineArray().PinStyle(), c.pinStyle) << c.line;
        EXPECT_EQ(venue.AggregateFrequencies(), c.aggregate) << c.line;
        const std::vector<float> expected = c.aggregate ? std::vector<float>{500}
                                                        : std::vector<float>{};
        EXPECT_EQ(venue.FrequencyList(), expected) << c.line;
    }
}

TEST(VenueFileRead, CellTypeNames)
{
    for (int type = 0; type < ProductTables::kCellTypeCount; ++type) {
        const std::string name(VenueFile::CellTypeName(type));
        EXPECT_EQ(VenueFile::CellTypeFromText(name), type) << name;
        std::string lower = name;
        for (char& ch : lower)
            ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        EXPECT_EQ(VenueFile::CellTypeFromText(lower), type) << lower;
    }
    EXPECT_EQ(VenueFile::CellTypeName(ProductTables::kUnknownCellType), "Unknown");
    for (const char* text : {"Unknown", "KV10", "", "KV9 "})
        EXPECT_EQ(VenueFile::CellTypeFromText(text), ProductTables::kUnknownCellType) << text;

    Environment venue;
    Loaded(venue, Compose({{"CELL_1_TYPE", "(str) CELL_1_TYPE Subwoofer 3000"}}));
    EXPECT_EQ(venue.LineArray().Cells().Item(1).CellType(), ProductTables::kUnknownCellType);
}

TEST(VenueFileRead, OrderBlankLinesCommentsAndUnknownKeysChangeNothing)
{
    Environment plain;
    Loaded(plain, Compose({}, {"(sng) EAR_HEIGHT 4.0", "(str) NOTES hello"}));

    std::string shuffled = "# another comment\n\n";
    shuffled += "(str) NOTES hello\n(sng) EAR_HEIGHT 4.0\n";
    for (auto it = kRequired.rbegin(); it != kRequired.rend(); ++it)
        shuffled += "\n# between\n" + it->second + "\n";
    shuffled += "(dbl) SOME_FUTURE_KEY 1.5\n(str) CELL_9_TYPE KV7\n";
    Environment other;
    Loaded(other, shuffled);
    EXPECT_EQ(VenueFile::SaveToString(plain), VenueFile::SaveToString(other));
}

TEST(VenueFileRead, FirstRecordOfItsTypeWinsAndAlternativeTagsCount)
{
    Environment venue;
    Loaded(venue, Compose({{"BUMPER_ANGLE_DEGREES", "(adb) BUMPER_ANGLE_DEGREES 4.5 degrees"}},
                          {"(dbl) BUMPER_ANGLE_DEGREES 9.0", "(asn) EAR_HEIGHT 5.5ft",
                           "(int) CELL_COUNT 1"}));
    EXPECT_NEAR(venue.LineArray().Bumper().Angle().Degrees(), 4.5, 1e-12);
    EXPECT_EQ(venue.EarHeight(), 5.5f);
    EXPECT_EQ(venue.LineArray().Cells().Count(), 2);
}

TEST(VenueFileRead, AggregateWithZeroFrequenciesGivesAnEmptyList)
{
    Environment venue;
    venue.SetFrequencyList({100, 200});
    Loaded(venue, Compose({}, {"(str) USE_AGGREGATE_FREQUENCIES Yes", "(int) FREQUENCY_COUNT 0"}));
    EXPECT_TRUE(venue.AggregateFrequencies());
    EXPECT_TRUE(venue.FrequencyList().empty());
    EXPECT_EQ(venue.CenterFrequency(), 1000);
}

// The records of cells `from` to `to` and of listening points likewise, for files holding
// more of them than the required keys do.
std::vector<std::string> CellLines(int from, int to)
{
    std::vector<std::string> lines;
    for (int i = from; i <= to; ++i) {
        lines.push_back("(str) CELL_" + std::to_string(i) + "_TYPE KV7");
        lines.push_back("(dbl) CELL_" + std::to_string(i) + "_ANGLE_DEGREES 2.0");
    }
    return lines;
}

std::vector<std::string> PointLines(int from, int to)
{
    std::vector<std::string> lines;
    for (int i = from; i <= to; ++i) {
        const std::string key = "LISTENING_POINT_" + std::to_string(i);
        lines.push_back("(str) " + key + "_NAME Seat " + std::to_string(i));
        lines.push_back("(sng) " + key + "_POSITION_X 5.0");
        lines.push_back("(int) " + key + "_SEATING_AREA_INDEX 1");
    }
    return lines;
}

// What the windows can show opens, down to columns shorter than the windows make (stored
// files may hold them) and the points and reference numbers the program itself saves.
TEST(VenueFileRead, ColumnsAndPointsTheWindowsCanShowOpen)
{
    const struct {
        const char* what;
        std::string text;
        int cells, points, reference;
    } cases[] = {
        {"no cells", Compose({{"CELL_COUNT", "(int) CELL_COUNT 0"}}), 0, 1, 1},
        {"three cells", Compose({{"CELL_COUNT", "(int) CELL_COUNT 3"}}, CellLines(3, 3)), 3, 1, 1},
        {"as many cells as the grid has rows",
         Compose({{"CELL_COUNT", "(int) CELL_COUNT 24"}}, CellLines(3, 24)), 24, 1, 1},
        {"as many points as the window adds",
         Compose({{"LISTENING_POINT_COUNT", "(int) LISTENING_POINT_COUNT 20"},
                  {"LISTENING_POINT_REFERENCE_INDEX", "(int) LISTENING_POINT_REFERENCE_INDEX 20"}},
                 PointLines(2, 20)),
         2, 20, 20},
        {"no reference point",
         Compose({{"LISTENING_POINT_REFERENCE_INDEX", "(int) LISTENING_POINT_REFERENCE_INDEX 0"}}), 2, 1, 0},
        // A cleared venue keeps its reference number without its points.
        {"a kept reference without points",
         Compose({{"LISTENING_POINT_COUNT", "(int) LISTENING_POINT_COUNT 0"},
                  {"LISTENING_POINT_REFERENCE_INDEX", "(int) LISTENING_POINT_REFERENCE_INDEX 20"}}),
         2, 0, 20},
        // Deleting the last seating area leaves its points on area 1.
        {"points left on area 1 without areas",
         Compose({{"SEATING_AREA_COUNT", "(int) SEATING_AREA_COUNT 0"}}), 2, 1, 1},
    };
    for (const auto& c : cases) {
        Environment venue;
        try {
            Loaded(venue, c.text);
        } catch (const FileFormatError& e) {
            ADD_FAILURE() << c.what << ": " << e.what();
            continue;
        }
        EXPECT_EQ(venue.LineArray().Cells().Count(), c.cells) << c.what;
        EXPECT_EQ(venue.ListeningPoints().Count(), c.points) << c.what;
        EXPECT_EQ(venue.ListeningPoints().ReferencePointIndex(), c.reference) << c.what;
        if (c.cells > 0) {
            EXPECT_EQ(venue.LineArray().Cells().Item(c.cells).Position(), c.cells) << c.what;
        }
    }
}

// ---- Malformed and hostile files ----------------------------------------------------

struct BadFile {
    std::string name;
    std::string text;
    std::size_t line; // 0: the failure belongs to no line
    std::string reason; // a part of the message
};

std::vector<BadFile> BadFiles()
{
    const std::size_t lastLine = 4 + kRequired.size() + 1; // header, records, the added line
    std::vector<BadFile> cases = {
        {"UnknownTag", Compose({}, {"(xyz) CELL_COUNT 2"}), lastLine, "unknown type tag"},
        {"NotANumber", Compose({}, {"(sng) EAR_HEIGHT tall"}), lastLine, "not a number"},
        {"IntegerOutOfRange", Compose({}, {"(int) SOME_COUNT 99999999999"}), lastLine,
         "out of range"},
        {"SingleOutOfRange", Compose({}, {"(sng) EAR_HEIGHT 1e60"}), lastLine, "out of range"},
        {"MalformedLine", Compose({}, {"CELL_COUNT"}), lastLine, "expected a type tag"},
        // A last line without a break counts; one cut inside its name cannot be read.
        {"CutShortInAName", Compose() + "(sng) EAR_HEI", lastLine, "separated by blanks"},
        {"Empty", "", 0, "empty"},
        {"NotFinite", Compose({}, {"(sng) EAR_HEIGHT nan"}), 0, "not a finite number"},
        {"InfiniteRequired",
         Compose({{"SEATING_AREA_1_BACK_X", "(sng) SEATING_AREA_1_BACK_X inf"}}), 0,
         "\"SEATING_AREA_1_BACK_X\" is not a finite number"},
        {"HugeCellCount", Compose({{"CELL_COUNT", "(int) CELL_COUNT 2000000000"}}), 0,
         "\"CELL_COUNT\" is 2000000000, more than the"},
        {"NegativeCellCount", Compose({{"CELL_COUNT", "(int) CELL_COUNT -1"}}), 0, "negative"},
        {"HugeAreaCount", Compose({{"SEATING_AREA_COUNT", "(int) SEATING_AREA_COUNT 5000"}}), 0,
         "more than the"},
        {"NegativeAreaCount",
         Compose({{"SEATING_AREA_COUNT", "(int) SEATING_AREA_COUNT -2147483648"}}), 0, "negative"},
        {"HugePointCount",
         Compose({{"LISTENING_POINT_COUNT", "(int) LISTENING_POINT_COUNT 2147483647"}}), 0,
         "more than the"},
        {"HugeFrequencyCount",
         Compose({}, {"(str) USE_AGGREGATE_FREQUENCIES yes", "(int) FREQUENCY_COUNT 100000"}), 0,
         "\"FREQUENCY_COUNT\" is 100000"},
        {"NegativeFrequencyCount",
         Compose({}, {"(str) USE_AGGREGATE_FREQUENCIES yes", "(int) FREQUENCY_COUNT -3"}), 0,
         "negative"},
        {"CountLargerThanItsItems", Compose({{"CELL_COUNT", "(int) CELL_COUNT 3"}}), 0,
         "\"CELL_3_TYPE\" is missing"},
        // Beyond what the windows can show: 24 rows of cells, 20 listening points, points on
        // the file's own areas and a reference among its points.
        {"MoreCellsThanTheGridHasRows",
         Compose({{"CELL_COUNT", "(int) CELL_COUNT 25"}}, CellLines(3, 25)), 0,
         "\"CELL_COUNT\" is 25; the program allows 0 to 24 cells"},
        {"AThousandCells", Compose({{"CELL_COUNT", "(int) CELL_COUNT 1000"}}, CellLines(3, 1000)), 0,
         "\"CELL_COUNT\" is 1000; the program allows 0 to 24 cells"},
        {"MorePointsThanTheWindowAdds",
         Compose({{"LISTENING_POINT_COUNT", "(int) LISTENING_POINT_COUNT 21"}}, PointLines(2, 21)), 0,
         "\"LISTENING_POINT_COUNT\" is 21; the program allows 0 to 20 listening points"},
        {"PointOnAnAreaBeyondTheAreas",
         Compose({{"LISTENING_POINT_1_SEATING_AREA_INDEX", "(int) LISTENING_POINT_1_SEATING_AREA_INDEX 7"}}),
         0, "\"LISTENING_POINT_1_SEATING_AREA_INDEX\" is 7; the program allows 1 to 1"},
        {"PointOnAreaZero",
         Compose({{"LISTENING_POINT_1_SEATING_AREA_INDEX", "(int) LISTENING_POINT_1_SEATING_AREA_INDEX 0"}}),
         0, "\"LISTENING_POINT_1_SEATING_AREA_INDEX\" is 0; the program allows 1 to 1"},
        {"PointOnAnAreaWhenThereAreNone",
         Compose({{"SEATING_AREA_COUNT", "(int) SEATING_AREA_COUNT 0"},
                  {"LISTENING_POINT_1_SEATING_AREA_INDEX", "(int) LISTENING_POINT_1_SEATING_AREA_INDEX 2"}}),
         0, "\"LISTENING_POINT_1_SEATING_AREA_INDEX\" is 2; the program allows 1 to 1"},
        {"ReferenceBeyondThePoints",
         Compose({{"LISTENING_POINT_COUNT", "(int) LISTENING_POINT_COUNT 2"},
                  {"LISTENING_POINT_REFERENCE_INDEX", "(int) LISTENING_POINT_REFERENCE_INDEX 9"}},
                 PointLines(2, 2)),
         0, "\"LISTENING_POINT_REFERENCE_INDEX\" is 9; the program allows 0 to 2"},
        {"NegativeReference",
         Compose({{"LISTENING_POINT_REFERENCE_INDEX", "(int) LISTENING_POINT_REFERENCE_INDEX -1"}}), 0,
         "\"LISTENING_POINT_REFERENCE_INDEX\" is -1; the program allows 0 to 1"},
        {"ReferenceBeyondAnyListWithoutPoints",
         Compose({{"LISTENING_POINT_COUNT", "(int) LISTENING_POINT_COUNT 0"},
                  {"LISTENING_POINT_REFERENCE_INDEX", "(int) LISTENING_POINT_REFERENCE_INDEX 21"}}),
         0, "\"LISTENING_POINT_REFERENCE_INDEX\" is 21; the program allows 0 to 20"},
        {"DoubleWrittenAsSingle",
         Compose({{"BUMPER_ANGLE_DEGREES", "(sng) BUMPER_ANGLE_DEGREES 2.5"}}), 0,
         "\"BUMPER_ANGLE_DEGREES\" is missing (it must be written as (dbl); the file has it as "
         "(sng))"},
        {"CountWrittenAsString", Compose({{"CELL_COUNT", "(str) CELL_COUNT 2"}}), 0,
         "\"CELL_COUNT\" is missing"},
        {"AggregateWithoutCount", Compose({}, {"(str) USE_AGGREGATE_FREQUENCIES Yes"}), 0,
         "\"FREQUENCY_COUNT\" is missing"},
        {"AggregateWithoutAFrequency",
         Compose({}, {"(str) USE_AGGREGATE_FREQUENCIES Yes", "(int) FREQUENCY_COUNT 2",
                      "(sng) FREQUENCY_1_HZ 100"}),
         0, "\"FREQUENCY_2_HZ\" is missing"},
        {"SinglePointWithoutItsHole",
         Compose({{"BUMPER_RIGGING_STYLE", "(str) BUMPER_RIGGING_STYLE single"}}), 0,
         "\"BUMPER_RIGGING_HOLE_INDEX\" is missing"},
    };
    for (const auto& [key, line] : kRequired) {
        std::string name = "Missing_" + key;
        cases.push_back({name, Compose({{key, ""}}), 0, "\"" + key + "\" is missing"});
    }
    return cases;
}

class VenueFileBadInput : public ::testing::TestWithParam<BadFile> {};

TEST_P(VenueFileBadInput, FailsClearlyAndLeavesTheVenueAsItWas)
{
    const BadFile& c = GetParam();
    const auto venue = MakeVenue({"", Metric, TarvicKv7, Flown, Fixed, DualPoint, true});
    const std::string before = VenueFile::SaveToString(*venue);
    const LineArray* array = &venue->LineArray();
    const Planes* areas = &venue->SeatingAreas();
    const Cell* firstCell = &venue->LineArray().Cells().Item(1);

    try {
        VenueFile::LoadFrom(*venue, c.text, "bad.venue");
        FAIL() << "loaded without an error";
    } catch (const FileFormatError& e) {
        EXPECT_EQ(e.FileName(), "bad.venue");
        EXPECT_EQ(e.Line(), c.line) << e.what();
        EXPECT_NE(std::string(e.what()).find("bad.venue"), std::string::npos) << e.what();
        EXPECT_NE(e.Reason().find(c.reason), std::string::npos) << e.what();
    }

    EXPECT_EQ(VenueFile::SaveToString(*venue), before);
    EXPECT_EQ(&venue->LineArray(), array);
    EXPECT_EQ(&venue->SeatingAreas(), areas);
    EXPECT_EQ(&venue->LineArray().Cells().Item(1), firstCell);
    EXPECT_EQ(venue->SeatingAreas().Count(), 2);
    EXPECT_EQ(venue->LineArray().Cells().Count(), 5);
    EXPECT_EQ(venue->ListeningPoints().Count(), 3);
    EXPECT_EQ(venue->Units(), UnitsCode::Metric);
    EXPECT_EQ(venue->SeatingAreas().ListeningPointsLink(), &venue->ListeningPoints());
}

INSTANTIATE_TEST_SUITE_P(Files, VenueFileBadInput, ::testing::ValuesIn(BadFiles()),
                         [](const ::testing::TestParamInfo<BadFile>& info) {
                             return info.param.name;
                         });

TEST(VenueFileBadInput, UnreadableFilesFailWithTheirName)
{
    ScratchFolder folder;
    const auto venue = MakeVenue({"", English, TarvicKv9, Flown, Slide, DualPoint, false});
    const std::string before = VenueFile::SaveToString(*venue);

    const fs::path missing = folder / "missing.venue";
    try {
        VenueFile::Load(*venue, missing);
        FAIL();
    } catch (const FileFormatError& e) {
        EXPECT_NE(std::string(e.what()).find("missing.venue"), std::string::npos) << e.what();
        EXPECT_NE(e.Reason().find("does not exist"), std::string::npos) << e.what();
    }
    EXPECT_THROW(VenueFile::Load(*venue, folder / ""), FileFormatError);

    // Refused by its size alone (a sparse file: nothing is written or read).
    const fs::path huge = folder / "huge.venue";
    std::ofstream(huge).put('#');
    fs::resize_file(huge, VenueFile::kMaxFileSize + 1);
    try {
        VenueFile::Load(*venue, huge);
        FAIL();
    } catch (const FileFormatError& e) {
        EXPECT_NE(e.Reason().find("larger than any venue file"), std::string::npos) << e.what();
    }

    const fs::path bad = folder / "bad.venue";
    std::ofstream(bad, std::ios::binary) << Compose({{"CELL_COUNT", ""}});
    try {
        VenueFile::Load(*venue, bad);
        FAIL();
    } catch (const FileFormatError& e) {
        EXPECT_NE(std::string(e.what()).find("bad.venue"), std::string::npos) << e.what();
        EXPECT_NE(e.Reason().find("CELL_COUNT"), std::string::npos) << e.what();
    }
    EXPECT_EQ(VenueFile::SaveToString(*venue), before);
}

} // namespace
} // namespace polvane
