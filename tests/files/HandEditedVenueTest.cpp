// Venue files as people edit them by hand: each either opens with its data, and then predicts,
// or is refused with a message naming the problem, the open venue untouched.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/CalculationResults.h"
#include "engine/Environment.h"
#include "files/FileFormatError.h"
#include "files/VenueFile.h"
#include "support/ScratchFolder.h"
#include "support/TestFiles.h"

namespace polvane {
namespace {

namespace fs = std::filesystem;

// A venue saved by the program: a TARVIC KV4 array (a bumper of 19 holes), hung from its
// first and last hole, over one seating area with a listening point.
std::string SavedKv4Venue()
{
    Environment venue;
    venue.Clear();
    venue.LineArray().SetBrand(BrandCode::TarvicKv4);
    venue.LineArray().Bumper().SetLocation(Point2D(0.0f, 30.0f));
    for (int i = 0; i < 4; ++i)
        venue.LineArray().Cells().Add();
    const Point2D front(20.0f, 0.0f);
    const Point2D back(120.0f, 12.0f);
    venue.SeatingAreas().Add(-1, &front, &back).SetName("Floor");
    venue.ListeningPoints().Add("Mix").SetSeatingAreaIndex(1);
    venue.ListeningPoints().SetReferencePointIndex(1);
    return VenueFile::SaveToString(venue);
}

// The text with the record named `key` replaced by `line` (the whole line, without its
// break).
std::string WithRecord(std::string text, const std::string& key, const std::string& line)
{
    const std::size_t at = text.find(" " + key + " ");
    EXPECT_NE(at, std::string::npos) << key;
    const std::size_t start = text.rfind('\n', at) + 1;
    const std::size_t end = text.find("\r\n", at);
    return text.replace(start, end - start, line);
}

struct EditCase {
    std::string name;
    std::string text;
    // Refused: a part of the message. Opened: nothing, and the notes it must hold.
    std::optional<std::string> refusal;
    std::string notes;
};

std::vector<EditCase> Edits()
{
    const std::string saved = SavedKv4Venue();
    std::string kv9 = saved;
    kv9.replace(kv9.find("TARVIC KV4"), 10, "TARVIC KV9");
    std::string noFinalBreak = WithRecord(saved, "NOTES", "(str) NOTES  last line");
    noFinalBreak.resize(noFinalBreak.size() - 2);
    return {
        {"ArrayTypeEditedFromKv4ToKv9", kv9,
         "\"BUMPER_RIGGING_BACK_HOLE_INDEX\" is 19, but the bumper of this array has holes 1 to "
         "11", ""},
        {"FrontHangPointZero",
         WithRecord(saved, "BUMPER_RIGGING_FRONT_HOLE_INDEX", "(int) BUMPER_RIGGING_FRONT_HOLE_INDEX 0"),
         "\"BUMPER_RIGGING_FRONT_HOLE_INDEX\" is 0, but the bumper of this array has holes 1 to 19",
         ""},
        {"BackHangPoint99",
         WithRecord(saved, "BUMPER_RIGGING_BACK_HOLE_INDEX", "(int) BUMPER_RIGGING_BACK_HOLE_INDEX 99"),
         "\"BUMPER_RIGGING_BACK_HOLE_INDEX\" is 99", ""},
        {"SinglePointHole99",
         WithRecord(WithRecord(saved, "BUMPER_RIGGING_STYLE", "(str) BUMPER_RIGGING_STYLE Single-point"),
                    "BUMPER_RIGGING_FRONT_HOLE_INDEX", "(int) BUMPER_RIGGING_HOLE_INDEX 99"),
         "\"BUMPER_RIGGING_HOLE_INDEX\" is 99", ""},
        {"HugeBumperLocation",
         WithRecord(saved, "BUMPER_LOCATION_X", "(sng) BUMPER_LOCATION_X 3.4e38"),
         "\"BUMPER_LOCATION_X\" is 3.4e+38; the program allows -600 to 600 feet", ""},
        {"HugeNegativeArea",
         WithRecord(saved, "SEATING_AREA_1_BACK_Y", "(sng) SEATING_AREA_1_BACK_Y -3.4e38"),
         "\"SEATING_AREA_1_BACK_Y\" is -3.4e+38", ""},
        {"ListeningPointBeyondTheBound",
         WithRecord(saved, "LISTENING_POINT_1_POSITION_X", "(sng) LISTENING_POINT_1_POSITION_X 601"),
         "\"LISTENING_POINT_1_POSITION_X\" is 601", ""},
        {"NoLineBreakAfterTheLastLine", noFinalBreak, std::nullopt, "last line"},
        {"EmptyNotesWithTheirBlanksStripped", WithRecord(saved, "NOTES", "(str) NOTES"),
         std::nullopt, ""},
        {"BackslashSInsideAText", WithRecord(saved, "NOTES", "(str) NOTES  C:\\sounds\\show"),
         std::nullopt, "C:\\sounds\\show"},
        {"EscapedBlanksAtBothEnds", WithRecord(saved, "NOTES", "(str) NOTES  \\sa b\\s"),
         std::nullopt, " a b "},
        // No window makes such hang points, and a copy or a change of units would have moved
        // the front one to hole 0.
        {"FrontHangPointBehindTheBack",
         WithRecord(WithRecord(saved, "BUMPER_RIGGING_FRONT_HOLE_INDEX", "(int) BUMPER_RIGGING_FRONT_HOLE_INDEX 5"),
                    "BUMPER_RIGGING_BACK_HOLE_INDEX", "(int) BUMPER_RIGGING_BACK_HOLE_INDEX 1"),
         "\"BUMPER_RIGGING_FRONT_HOLE_INDEX\" is 5, but the front hang point must lie before the back "
         "one (\"BUMPER_RIGGING_BACK_HOLE_INDEX\" is 1)", ""},
        {"BothHangPointsOnOneHole",
         WithRecord(WithRecord(saved, "BUMPER_RIGGING_FRONT_HOLE_INDEX", "(int) BUMPER_RIGGING_FRONT_HOLE_INDEX 7"),
                    "BUMPER_RIGGING_BACK_HOLE_INDEX", "(int) BUMPER_RIGGING_BACK_HOLE_INDEX 7"),
         "\"BUMPER_RIGGING_FRONT_HOLE_INDEX\" is 7, but the front hang point must lie before", ""},
        {"HangPointsNextToEachOther",
         WithRecord(WithRecord(saved, "BUMPER_RIGGING_FRONT_HOLE_INDEX", "(int) BUMPER_RIGGING_FRONT_HOLE_INDEX 7"),
                    "BUMPER_RIGGING_BACK_HOLE_INDEX", "(int) BUMPER_RIGGING_BACK_HOLE_INDEX 8"),
         std::nullopt, ""},
        // A single-point bumper reads no back point: any front hole will do.
        {"SinglePointOnTheLastHole",
         WithRecord(WithRecord(saved, "BUMPER_RIGGING_STYLE", "(str) BUMPER_RIGGING_STYLE Single-point"),
                    "BUMPER_RIGGING_FRONT_HOLE_INDEX", "(int) BUMPER_RIGGING_HOLE_INDEX 19"),
         std::nullopt, ""},
    };
}

class HandEditedVenue : public ::testing::TestWithParam<EditCase> {};

TEST_P(HandEditedVenue, OpensWithItsDataOrIsRefusedByName)
{
    const EditCase& c = GetParam();
    Environment venue;
    venue.Clear();
    venue.SetNotes("the open venue");
    const std::string before = VenueFile::SaveToString(venue);
    try {
        VenueFile::LoadFrom(venue, c.text, "edited.venue");
        ASSERT_FALSE(c.refusal) << "opened; expected: " << *c.refusal;
    } catch (const FileFormatError& e) {
        ASSERT_TRUE(c.refusal) << e.what();
        EXPECT_NE(e.Reason().find(*c.refusal), std::string::npos) << e.what();
        EXPECT_EQ(VenueFile::SaveToString(venue), before);
        return;
    }
    EXPECT_EQ(venue.Notes(), c.notes);
    EXPECT_EQ(venue.LineArray().Cells().Count(), 4);
    EXPECT_EQ(venue.SeatingAreas().Item(1).Name(), "Floor");
    // The prediction the program runs after opening must not fail.
    EXPECT_NO_THROW(venue.GenerateCalculations(false));
    Environment again;
    VenueFile::LoadFrom(again, VenueFile::SaveToString(venue), "saved.venue");
    EXPECT_EQ(again.Notes(), c.notes);
}

INSTANTIATE_TEST_SUITE_P(Files, HandEditedVenue, ::testing::ValuesIn(Edits()),
                         [](const auto& info) { return info.param.name; });

// The earlier Windows program wrote its texts in Windows-1252; this one reads either that or
// UTF-8, and writes a text back in Windows-1252 where every character has a code there (so
// that program reads it too), else in UTF-8.
TEST(VenueFileText, NotesAndNamesInEitherEncodingOpenAsTypedAndSaveAndReopenUnchanged)
{
    struct Case {
        const char* name;
        std::string notes, area, point; // as the file holds them
        std::string notesText, areaText, pointText; // UTF-8
        std::string savedNotes, savedArea; // as a save writes them
    };
    const std::string notes1252 = "Caf\xE9, B\xFChne, Zuschauerraum \x96 3 \xD7 2 m\xB2";
    const std::string notesUtf8 = "Café, Bühne, Zuschauerraum – 3 × 2 m²";
    const Case cases[] = {
        {"Windows1252", notes1252, "Parkett S\xFC" "d", "Mischpult \x84" "A\x93", notesUtf8, "Parkett Süd",
         "Mischpult „A“", notes1252, "Parkett S\xFC" "d"},
        {"Utf8", notesUtf8, "Parkett Süd", "Régie", notesUtf8, "Parkett Süd", "Régie", notes1252,
         "Parkett S\xFC" "d"},
        {"Utf8BeyondTheCodePage", "Bühne → Saal", "Rang ✓", "Pult", "Bühne → Saal", "Rang ✓", "Pult",
         "Bühne → Saal", "Rang ✓"},
        {"UnassignedCodes", "\x81\x8D\x8F\x90\x9D", "\x80", "x", "\u0081\u008D\u008F\u0090\u009D", "€", "x",
         "\x81\x8D\x8F\x90\x9D", "\x80"},
    };
    ScratchFolder folder;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string text = WithRecord(SavedKv4Venue(), "NOTES", "(str) NOTES  " + c.notes);
        text = WithRecord(text, "SEATING_AREA_1_NAME", "(str) SEATING_AREA_1_NAME  " + c.area);
        text = WithRecord(text, "LISTENING_POINT_1_NAME", "(str) LISTENING_POINT_1_NAME  " + c.point);
        const fs::path path = folder / (std::string(c.name) + ".venue");
        ASSERT_TRUE(WriteAll(path, text));

        Environment venue;
        VenueFile::Load(venue, path);
        EXPECT_EQ(venue.Notes(), c.notesText);
        EXPECT_EQ(venue.SeatingAreas().Item(1).Name(), c.areaText);
        EXPECT_EQ(venue.ListeningPoints().Item(1).Name(), c.pointText);

        const fs::path saved = folder / (std::string(c.name) + " saved.venue");
        VenueFile::SaveAs(venue, saved);
        const std::string written = ReadAll(saved);
        const auto value = [&written](const std::string& key) {
            const std::size_t at = written.find(" " + key + " ");
            const std::size_t start = written.find_first_not_of(' ', at + key.size() + 2);
            return written.substr(start, written.find("\r\n", start) - start);
        };
        EXPECT_EQ(value("NOTES"), c.savedNotes);
        EXPECT_EQ(value("SEATING_AREA_1_NAME"), c.savedArea);
        Environment reopened;
        VenueFile::Load(reopened, saved);
        EXPECT_EQ(reopened.Notes(), c.notesText);
        EXPECT_EQ(reopened.SeatingAreas().Item(1).Name(), c.areaText);
        EXPECT_EQ(reopened.ListeningPoints().Item(1).Name(), c.pointText);
        EXPECT_EQ(VenueFile::SaveToString(reopened), written);
    }
}

} // namespace
} // namespace polvane
