#include "files/OldVenueFile.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/Environment.h"
#include "files/FileFormatError.h"
#include "files/VenueFile.h"
#include "support/ScratchFolder.h"
#include "support/TestFiles.h"

namespace polvane {
namespace {

namespace fs = std::filesystem;

// Writes the fields of an old venue file, little-endian whatever the host.
class Bytes {
public:
    Bytes& Text(const std::string& text)
    {
        bytes_.insert(bytes_.end(), text.begin(), text.end());
        return *this;
    }
    Bytes& Byte(char c)
    {
        bytes_.push_back(static_cast<std::uint8_t>(c));
        return *this;
    }
    Bytes& I16(std::int16_t v)
    {
        const auto u = static_cast<std::uint16_t>(v);
        bytes_.push_back(static_cast<std::uint8_t>(u & 0xFF));
        bytes_.push_back(static_cast<std::uint8_t>(u >> 8));
        return *this;
    }
    Bytes& I32(std::int32_t v)
    {
        const auto u = static_cast<std::uint32_t>(v);
        for (int shift = 0; shift < 32; shift += 8)
            bytes_.push_back(static_cast<std::uint8_t>((u >> shift) & 0xFF));
        return *this;
    }
    Bytes& F32(float v) { return I32(static_cast<std::int32_t>(std::bit_cast<std::uint32_t>(v))); }
    Bytes& Count(int version, std::int32_t n)
    {
        return version == 0 ? I16(static_cast<std::int16_t>(n)) : I32(n);
    }

    const std::vector<std::uint8_t>& Data() const { return bytes_; }
    std::size_t Size() const { return bytes_.size(); }

private:
    std::vector<std::uint8_t> bytes_;
};

struct OldArea {
    float length, height, frontX, frontY;
};
struct OldCell {
    float splay;
    char letter;
};

struct OldFile {
    int version = 2;
    char units = 'E';
    float bumperX = 1.5f, bumperY = 25.0f;
    std::vector<OldArea> areas = {{100, 15, 20, 5}, {30, 6, 125, 22}};
    float bumperRadians = 0.1f;
    std::vector<OldCell> cells = {{-1.6f, 'h'}, {8.3f, 'x'}, {6.0f, 'h'}};
    // Counts written in place of the true ones, to build damaged files.
    std::int32_t areaCount = -1000000;
    std::int32_t cellCount = -1000000;
};

// The header of a version: a 13-byte signature, and for version 0 the gap to byte 71.
Bytes Header(int version)
{
    Bytes b;
    if (version == 2)
        b.Text("POLVANE VNU02");
    else if (version == 1)
        b.Text("POLVANE VNU01");
    else
        b.Text("POLVANE VNU  ").Text(std::string(70 - 13, 'm'));
    return b;
}

Bytes Build(const OldFile& f)
{
    Bytes b = Header(f.version);
    b.Byte(f.units);
    if (f.version != 0)
        b.Text(std::string(12, 'e')); // a units letter misread from here would be English
    b.F32(f.bumperX).F32(f.bumperY);
    b.Count(f.version, f.areaCount != -1000000 ? f.areaCount : static_cast<int>(f.areas.size()));
    for (const OldArea& a : f.areas)
        b.F32(a.length).F32(a.height).F32(a.frontX).F32(a.frontY);
    b.Count(f.version, f.cellCount != -1000000 ? f.cellCount : static_cast<int>(f.cells.size()));
    b.F32(f.bumperRadians);
    for (const OldCell& c : f.cells)
        b.F32(c.splay).Byte(c.letter);
    return b;
}

// A venue with something in every part that a load replaces or keeps.
std::unique_ptr<Environment> Target()
{
    auto venue = std::make_unique<Environment>();
    venue->Clear();
    venue->SetUnits(UnitsCode::Metric);
    venue->AmbientTemperature().SetCelsius(31);
    venue->SetNotes("kept notes");
    venue->SetEarHeight(1.2f);
    venue->SetAggregateFrequencies(true);
    venue->SetFrequencyList({250, 500});
    const Point2D f(2, 0), b(9, 1);
    venue->SeatingAreas().Add(-1, &f, &b).SetName("Old area");
    venue->LineArray().SetBrand(BrandCode::TarvicKv4);
    venue->LineArray().SetConfiguration(ConfigurationCode::GroundStacked);
    venue->LineArray().SetPinStyle(PinStyleCode::Fixed);
    for (int i = 0; i < 4; ++i)
        venue->LineArray().Cells().Add();
    venue->ListeningPoints().Add("Old point").SetSeatingAreaIndex(1);
    venue->ListeningPoints().SetReferencePointIndex(1);
    return venue;
}

void Load(Environment& venue, const Bytes& bytes)
{
    OldVenueFile::LoadFrom(venue, bytes.Data(), "old.vnu");
}

TEST(OldVenueFile, Version2ReadsEveryField)
{
    auto venue = Target();
    Load(*venue, Build({}));

    EXPECT_EQ(venue->Units(), UnitsCode::English);
    EXPECT_EQ(venue->LineArray().Brand(), BrandCode::TarvicKv9);
    EXPECT_EQ(venue->LineArray().Configuration(), ConfigurationCode::Flown);
    EXPECT_EQ(venue->LineArray().Bumper().Location(), Point2D(1.5f, 25.0f));
    EXPECT_NEAR(venue->LineArray().Bumper().Angle().Radians(), 0.1f, 1e-7);

    ASSERT_EQ(venue->SeatingAreas().Count(), 2);
    const Plane& first = venue->SeatingAreas().Item(1);
    EXPECT_EQ(first.Name(), "Seating Area 1");
    EXPECT_EQ(first.FrontPoint(), Point2D(20, 5));
    EXPECT_EQ(first.BackPoint(), Point2D(120, 20));
    EXPECT_EQ(venue->SeatingAreas().Item(2).Name(), "Seating Area 2");
    EXPECT_EQ(venue->SeatingAreas().Item(2).BackPoint(), Point2D(155, 28));

    // The splays the file holds stay, snapped to the allowed ones; they are not reset to
    // the defaults (-3.3 and 5) when the pin style is chosen.
    const Cells& cells = venue->LineArray().Cells();
    ASSERT_EQ(cells.Count(), 3);
    for (int i = 1; i <= 3; ++i)
        EXPECT_EQ(cells.Item(i).CellType(), 0);
    EXPECT_NEAR(cells.Item(1).SplayAngle().Degrees(), -1.6, 1e-9);
    EXPECT_NEAR(cells.Item(2).SplayAngle().Degrees(), 8.3, 1e-9);
    EXPECT_NEAR(cells.Item(3).SplayAngle().Degrees(), 6.6, 1e-9);
    EXPECT_EQ(venue->LineArray().PinStyle(), PinStyleCode::Slide);

    // Not in the file: what clearing leaves.
    EXPECT_EQ(venue->ListeningPoints().Count(), 0);
    EXPECT_EQ(venue->AmbientTemperature().Celsius(), 31);
    EXPECT_EQ(venue->Notes(), "kept notes");
    EXPECT_TRUE(venue->AggregateFrequencies());
    EXPECT_EQ(venue->FrequencyList(), (std::vector<float>{250, 500}));
    EXPECT_NEAR(venue->EarHeight(), 1.2f * 3.28084f, 1e-5); // cleared to feet
    EXPECT_EQ(venue->CalcParameters().LowerAngle(), -135);
    EXPECT_EQ(venue->SeatingAreas().ListeningPointsLink(), &venue->ListeningPoints());
}

TEST(OldVenueFile, Version2MetricTakesValuesAsMetres)
{
    auto venue = Target();
    OldFile f;
    f.units = 'm';
    Load(*venue, Build(f));
    EXPECT_EQ(venue->Units(), UnitsCode::Metric);
    EXPECT_EQ(venue->LineArray().Units(), UnitsCode::Metric);
    EXPECT_EQ(venue->LineArray().Bumper().Location(), Point2D(1.5f, 25.0f));
    EXPECT_EQ(venue->SeatingAreas().Item(1).BackPoint(), Point2D(120, 20));
    EXPECT_NEAR(venue->EarHeight(), 1.2f, 1e-5);
}

TEST(OldVenueFile, UnitsLetters)
{
    for (const char letter : {'e', 'E', 'm', 'M', 'x', '\0'}) {
        auto venue = Target();
        OldFile f;
        f.units = letter;
        Load(*venue, Build(f));
        EXPECT_EQ(venue->Units(), letter == 'e' || letter == 'E' ? UnitsCode::English : UnitsCode::Metric) << int{letter};
    }
}

TEST(OldVenueFile, Version0ReadsAtByte71WithShortCounts)
{
    for (const char units : {'E', 'm'}) {
        OldFile f;
        f.version = 0;
        f.units = units;
        const Bytes bytes = Build(f);
        ASSERT_EQ(bytes.Data()[70], static_cast<std::uint8_t>(units));

        auto venue = Target();
        Load(*venue, bytes);
        EXPECT_EQ(venue->Units(), units == 'E' ? UnitsCode::English : UnitsCode::Metric);
        EXPECT_EQ(venue->LineArray().Bumper().Location(), Point2D(1.5f, 25.0f));
        EXPECT_EQ(venue->SeatingAreas().Count(), 2);
        EXPECT_EQ(venue->SeatingAreas().Item(2).FrontPoint(), Point2D(125, 22));
        EXPECT_EQ(venue->LineArray().Cells().Count(), 3);
        EXPECT_NEAR(venue->LineArray().Cells().Item(2).SplayAngle().Degrees(), 8.3, 1e-9);
    }
}

TEST(OldVenueFile, Version1ReadsLikeVersion2)
{
    OldFile f;
    f.version = 1;
    auto venue = Target();
    Load(*venue, Build(f));
    EXPECT_EQ(venue->SeatingAreas().Count(), 2);
    EXPECT_EQ(venue->LineArray().Cells().Count(), 3);
    EXPECT_EQ(venue->LineArray().Bumper().Location(), Point2D(1.5f, 25.0f));
}

TEST(OldVenueFile, PinStyleFollowsTheMajorityOfLetters)
{
    const struct {
        const char* letters;
        PinStyleCode pinStyle;
    } cases[] = {
        {"hxh", PinStyleCode::Slide}, {"hxx", PinStyleCode::Fixed}, {"hx", PinStyleCode::Slide},
        {"HxH", PinStyleCode::Slide}, {"xxH", PinStyleCode::Fixed}, {"", PinStyleCode::Slide},
        {"x", PinStyleCode::Fixed},   {"h", PinStyleCode::Slide},
    };
    for (const auto& c : cases) {
        OldFile f;
        f.cells.clear();
        for (const char* p = c.letters; *p; ++p)
            f.cells.push_back({3.3f, *p});
        auto venue = Target();
        Load(*venue, Build(f));
        EXPECT_EQ(venue->LineArray().PinStyle(), c.pinStyle) << c.letters;
        const Cells& cells = venue->LineArray().Cells();
        for (int i = 1; i <= cells.Count(); ++i) {
            EXPECT_EQ(cells.Item(i).PinStyle(), c.pinStyle) << c.letters;
            EXPECT_NEAR(cells.Item(i).SplayAngle().Degrees(), 3.3, 1e-6) << c.letters;
        }
    }
}

TEST(OldVenueFile, TrailingBytesAreIgnored)
{
    Bytes bytes = Build({});
    bytes.Text("anything after the last cell");
    auto venue = Target();
    Load(*venue, bytes);
    EXPECT_EQ(venue->LineArray().Cells().Count(), 3);
}

TEST(OldVenueFile, EnvironmentMemberLoadsAFile)
{
    const ScratchFolder folder;
    const fs::path path = folder / "member.vnu";
    const Bytes bytes = Build({});
    ASSERT_TRUE(WriteAll(path, {reinterpret_cast<const char*>(bytes.Data().data()), bytes.Size()}));
    auto venue = Target();
    OldVenueFile::Load(*venue, path);
    EXPECT_EQ(venue->SeatingAreas().Count(), 2);
    EXPECT_EQ(venue->LineArray().Cells().Count(), 3);
}

// ---- Checked-in files ---------------------------------------------------------------

// Files made outside the program from the format's field table (tests/data/NOTES.md), so a
// misreading of the format shared by the reader and the tests' own writer shows here.
struct CheckedInOldVenue {
    const char* file;
    UnitsCode units;
    Point2D bumper;
    float bumperRadians;
    struct Area {
        Point2D front, back;
    };
    std::vector<Area> areas;
    std::vector<double> splays;
    PinStyleCode pinStyle;

    friend void PrintTo(const CheckedInOldVenue& c, std::ostream* out) { *out << c.file; }
};

class OldVenueFileCheckedIn : public ::testing::TestWithParam<CheckedInOldVenue> {};

TEST_P(OldVenueFileCheckedIn, ReadsAsMadeAndSavesAsTheExpectedVenueFile)
{
    const CheckedInOldVenue& c = GetParam();
    auto venue = Target();
    OldVenueFile::Load(*venue, DataFile(std::string("old-venues/") + c.file + ".vnu"));

    EXPECT_EQ(venue->Units(), c.units);
    EXPECT_EQ(venue->LineArray().Brand(), BrandCode::TarvicKv9);
    EXPECT_EQ(venue->LineArray().Configuration(), ConfigurationCode::Flown);
    EXPECT_EQ(venue->LineArray().Bumper().Location(), c.bumper);
    EXPECT_NEAR(venue->LineArray().Bumper().Angle().Radians(), c.bumperRadians, 1e-7);
    ASSERT_EQ(venue->SeatingAreas().Count(), static_cast<int>(c.areas.size()));
    for (int i = 1; i <= venue->SeatingAreas().Count(); ++i) {
        const Plane& area = venue->SeatingAreas().Item(i);
        EXPECT_EQ(area.Name(), "Seating Area " + std::to_string(i));
        EXPECT_EQ(area.FrontPoint(), c.areas[i - 1].front) << i;
        EXPECT_EQ(area.BackPoint(), c.areas[i - 1].back) << i;
    }
    const Cells& cells = venue->LineArray().Cells();
    ASSERT_EQ(cells.Count(), static_cast<int>(c.splays.size()));
    for (int i = 1; i <= cells.Count(); ++i) {
        EXPECT_EQ(cells.Item(i).CellType(), 0) << i;
        EXPECT_NEAR(cells.Item(i).SplayAngle().Degrees(), c.splays[i - 1], 1e-6) << i;
    }
    EXPECT_EQ(venue->LineArray().PinStyle(), c.pinStyle);

    // The whole venue as the user saves it afterwards, the kept parts of the venue included.
    EXPECT_EQ(VenueFile::SaveToString(*venue),
              ExpectedFile(std::string("old-venues/") + c.file + ".venue"));
}

INSTANTIATE_TEST_SUITE_P(
    Files, OldVenueFileCheckedIn,
    ::testing::Values(
        CheckedInOldVenue{"v2-english", UnitsCode::English, Point2D(1.5f, 25), 0.1f,
                          {{Point2D(20, 5), Point2D(120, 20)}, {Point2D(125, 22), Point2D(155, 28)}},
                          {-1.6, 8.3, 6.6}, PinStyleCode::Slide},
        CheckedInOldVenue{"v1-metric", UnitsCode::Metric, Point2D(0.5f, 8), -0.05f,
                          {{Point2D(4, 1), Point2D(24, 4)}}, {0, 1.6}, PinStyleCode::Fixed},
        CheckedInOldVenue{"v0-english", UnitsCode::English, Point2D(3, 0), 0,
                          {{Point2D(10, 2), Point2D(60, 12)}}, {0, 1.6}, PinStyleCode::Slide}),
    [](const ::testing::TestParamInfo<CheckedInOldVenue>& info) {
        std::string name = info.param.file;
        name.erase(name.find('-'), 1);
        return name;
    });

// ---- Damaged files ------------------------------------------------------------------

// Loads the bytes into a full venue, expects a clear failure and the venue as it was.
void ExpectRefused(const std::vector<std::uint8_t>& bytes, const std::string& reason,
                   const std::string& label)
{
    auto venue = Target();
    const std::string before = VenueFile::SaveToString(*venue);
    const LineArray* array = &venue->LineArray();
    const Cell* firstCell = &venue->LineArray().Cells().Item(1);
    try {
        OldVenueFile::LoadFrom(*venue, bytes, "old.vnu");
        ADD_FAILURE() << label << ": loaded without an error";
    } catch (const FileFormatError& e) {
        EXPECT_EQ(e.FileName(), "old.vnu") << label;
        EXPECT_NE(e.Reason().find(reason), std::string::npos) << label << ": " << e.what();
    }
    EXPECT_EQ(VenueFile::SaveToString(*venue), before) << label;
    EXPECT_EQ(&venue->LineArray(), array) << label;
    EXPECT_EQ(&venue->LineArray().Cells().Item(1), firstCell) << label;
    EXPECT_EQ(venue->SeatingAreas().Count(), 1) << label;
    EXPECT_EQ(venue->SeatingAreas().Item(1).Name(), "Old area") << label;
    EXPECT_EQ(venue->LineArray().Cells().Count(), 4) << label;
    EXPECT_EQ(venue->ListeningPoints().Count(), 1) << label;
    EXPECT_EQ(venue->Units(), UnitsCode::Metric) << label;
}

TEST(OldVenueFileDamaged, EveryTruncationFails)
{
    for (const int version : {0, 1, 2}) {
        OldFile f;
        f.version = version;
        const std::vector<std::uint8_t> whole = Build(f).Data();
        for (std::size_t size = 0; size < whole.size(); ++size) {
            const std::vector<std::uint8_t> cut(whole.begin(),
                                                whole.begin() + static_cast<std::ptrdiff_t>(size));
            // Cut inside the fields a count covers, the count itself already says so.
            ExpectRefused(cut, "", "version " + std::to_string(version) + " cut to " +
                                       std::to_string(size) + " bytes");
        }
    }
}

TEST(OldVenueFileDamaged, TruncationMessagesNameTheField)
{
    const std::vector<std::uint8_t> whole = Build({}).Data();
    const auto cut = [&](std::size_t size) {
        return std::vector<std::uint8_t>(whole.begin(),
                                         whole.begin() + static_cast<std::ptrdiff_t>(size));
    };
    ExpectRefused(cut(5), "in the signature", "signature");
    ExpectRefused(cut(13), "in the units letter", "units");
    ExpectRefused(cut(20), "in the gap after the units letter", "gap");
    ExpectRefused(cut(28), "in the bumper x", "bumper x");
    ExpectRefused(cut(32), "in the bumper y", "bumper y");
    ExpectRefused(cut(36), "in the number of seating areas", "area count");
    ExpectRefused(cut(50), "holds 2 seating areas, but only 12 bytes follow", "areas");
    ExpectRefused(cut(whole.size() - 1), "holds 3 cells", "cells");

    OldFile v0;
    v0.version = 0;
    const std::vector<std::uint8_t> v0Bytes = Build(v0).Data();
    ExpectRefused(std::vector<std::uint8_t>(v0Bytes.begin(), v0Bytes.begin() + 40),
                  "in the gap before the units letter", "version 0 gap");
}

TEST(OldVenueFileDamaged, ImpossibleCounts)
{
    const struct {
        const char* label;
        int version;
        std::int32_t areas, cells;
        const char* reason;
    } cases[] = {
        {"negative areas", 2, -1, -1000000, "seating areas is -1; a count cannot be negative"},
        {"most negative areas", 2, std::numeric_limits<std::int32_t>::min(), -1000000,
         "cannot be negative"},
        {"huge areas", 2, std::numeric_limits<std::int32_t>::max(), -1000000,
         "holds 2147483647 seating areas"},
        {"areas past the end", 2, 3, -1000000, "holds 3 seating areas"},
        {"negative cells", 2, -1000000, -7, "cells is -7"},
        {"huge cells", 1, -1000000, 2000000000, "holds 2000000000 cells"},
        {"cells past the end", 2, -1000000, 4, "holds 4 cells"},
        {"short negative areas", 0, -5, -1000000, "seating areas is -5"},
        {"short huge cells", 0, -1000000, 32767, "holds 32767 cells"},
        {"short negative cells", 0, -1000000, -32768, "cells is -32768"},
    };
    for (const auto& c : cases) {
        OldFile f;
        f.version = c.version;
        f.areaCount = c.areas;
        f.cellCount = c.cells;
        ExpectRefused(Build(f).Data(), c.reason, c.label);
    }
}

// The cell grid has 24 rows: a longer column is refused, a shorter one than the windows make
// (stored files may hold them) opens.
TEST(OldVenueFileDamaged, ColumnsLongerThanTheCellGridAreRefused)
{
    for (const int version : {0, 2}) {
        for (const int count : {25, 1000}) {
            OldFile f;
            f.version = version;
            f.cells.assign(static_cast<std::size_t>(count), OldCell{1.6f, 'h'});
            ExpectRefused(Build(f).Data(),
                          "the number of cells is " + std::to_string(count) +
                              "; the program allows 0 to 24 cells",
                          std::to_string(count) + " cells, version " + std::to_string(version));
        }
        for (const int count : {0, 1, 24}) {
            OldFile f;
            f.version = version;
            f.cells.assign(static_cast<std::size_t>(count), OldCell{1.6f, 'h'});
            Environment venue;
            ASSERT_NO_THROW(Load(venue, Build(f))) << count << " cells";
            EXPECT_EQ(venue.LineArray().Cells().Count(), count);
        }
    }
}

TEST(OldVenueFileDamaged, NumbersThatAreNotFinite)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    OldFile badX;
    badX.bumperX = nan;
    ExpectRefused(Build(badX).Data(), "the bumper x at byte 27 is not a finite number", "x");
    OldFile badArea;
    badArea.areas[1].height = -inf;
    ExpectRefused(Build(badArea).Data(), "the height of seating area 2", "area");
    OldFile badSplay;
    badSplay.cells[2].splay = nan;
    ExpectRefused(Build(badSplay).Data(), "the splay of cell 3", "splay");
    OldFile badAngle;
    badAngle.bumperRadians = inf;
    ExpectRefused(Build(badAngle).Data(), "the bumper angle", "angle");
}

// Finite numbers beyond what the windows allow would take the prediction past a single's
// range, or make a venue that opens but cannot be saved.
TEST(OldVenueFileDamaged, PlacesBeyondTheProgramsBounds)
{
    const struct {
        const char* label;
        char units;
        void (*spoil)(OldFile&);
        const char* reason;
    } cases[] = {
        {"huge bumper", 'E', [](OldFile& f) { f.bumperX = 3.4e38f; }, "the bumper x is 3.4e+38"},
        {"bumper beyond 600 ft", 'E', [](OldFile& f) { f.bumperY = -600.5f; },
         "the bumper y is -600.5; the program allows -600 to 600 feet"},
        {"bumper beyond 182.88 m", 'M', [](OldFile& f) { f.bumperX = 183.0f; },
         "the bumper x is 183; the program allows -182.88 to 182.88 metres"},
        {"area whose back overflows", 'E',
         [](OldFile& f) { f.areas[1] = {3.0e38f, 6.0f, 3.0e38f, 22.0f}; },
         "the front x of seating area 2"},
        {"area whose length overflows", 'E',
         [](OldFile& f) { f.areas[0].length = 3.4e38f; },
         "the back x (front x + length) of seating area 1 is 3.4e+38"},
        {"area rising past the bound", 'E', [](OldFile& f) { f.areas[1].height = 580.0f; },
         "the back y (front y + height) of seating area 2 is 602"},
    };
    for (const auto& c : cases) {
        OldFile f;
        f.units = c.units;
        c.spoil(f);
        ExpectRefused(Build(f).Data(), c.reason, c.label);
    }
}

TEST(OldVenueFileDamaged, UnreadableAndOversizedFiles)
{
    const ScratchFolder folder;
    auto venue = Target();
    const std::string before = VenueFile::SaveToString(*venue);

    try {
        OldVenueFile::Load(*venue, folder / "missing.vnu");
        FAIL();
    } catch (const FileFormatError& e) {
        EXPECT_NE(std::string(e.what()).find("missing.vnu"), std::string::npos) << e.what();
        EXPECT_NE(e.Reason().find("does not exist"), std::string::npos) << e.what();
    }
    EXPECT_THROW(OldVenueFile::Load(*venue, folder.Path()), FileFormatError);

    const fs::path huge = folder / "huge.vnu";
    std::ofstream(huge).put('x');
    fs::resize_file(huge, OldVenueFile::kMaxFileSize + 1);
    try {
        OldVenueFile::Load(*venue, huge);
        FAIL();
    } catch (const FileFormatError& e) {
        EXPECT_NE(e.Reason().find("larger than"), std::string::npos) << e.what();
    }
    EXPECT_EQ(VenueFile::SaveToString(*venue), before);
}

} // namespace
} // namespace polvane
