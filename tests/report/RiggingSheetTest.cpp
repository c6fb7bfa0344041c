#include "report/RiggingSheet.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "../engine/PredictionTestVenues.h"
#include "engine/CalculationResults.h"
#include "engine/CaptionLabel.h"
#include "engine/Environment.h"
#include "engine/ProgressController.h"
#include "model/Format.h"
#include "model/Units.h"
#include "platform/PrinterFailure.h"
#include "support/FakeClock.h"
#include "support/RecordingPrinter.h"
#include "support/ScriptedPrompts.h"

namespace polvane {
namespace {

using Op = RecordingPrinter::Op;

constexpr float kTol = 1e-4f;

// On the fake letter page the printable area runs from 0.75 to 7.75 inches across.
constexpr float kLeft = 0.75f;
float AtPercent(float percent) { return kLeft + percent / 100 * 7; }

// The fake printer's 11 point text: 11/120 inch per character (UTF-8 continuation bytes
// start none).
float Width11(const std::string& text)
{
    const auto characters = std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    });
    return static_cast<float>(characters) * 11 / 120;
}

struct RecordingBar : ProgressController {
    void SetProgress(double fraction) override { fractions.push_back(fraction); }
    std::vector<double> fractions;
};

struct RecordingCaption : CaptionLabel {
    void SetCaption(const std::string& text) override { captions.push_back(text); }
    std::vector<std::string> captions;
};

// Three flown cells on a dual-point bumper, English units.
class RiggingSheetTest : public ::testing::Test {
protected:
    RiggingSheetTest()
    {
        prompts.SetAnswerOkBoxes(true);
        settings.venuePath = "C:\\Venues\\Hall A.venue";
        settings.date = "12/10/2026";
    }
    static std::unique_ptr<Environment> Venue(ConfigurationCode configuration = ConfigurationCode::Flown,
                                              RiggingCode rigging = RiggingCode::DualPoint)
    {
        testing::ArraySpec array;
        array.configuration = configuration;
        array.cells = {{1}, {3}, {5}};
        auto venue = testing::MakeVenue(array);
        if (configuration == ConfigurationCode::GroundStacked)
            venue->LineArray().SetPinStyle(PinStyleCode::Fixed);
        venue->LineArray().Bumper().SetRigging(rigging);
        testing::AddArea(*venue, Point2D(10, 0), Point2D(80, 5));
        return venue;
    }

    void Print(Environment& venue)
    {
        RiggingSheet sheet(printer, prompts, bar, percent, clock);
        sheet.PrintOut(venue, settings, shared);
    }

    std::size_t Count(const std::string& text) const
    {
        const auto texts = printer.Texts();
        return static_cast<std::size_t>(std::count(texts.begin(), texts.end(), text));
    }

    bool Printed(const std::string& text) const { return Count(text) > 0; }

    RecordingPrinter printer;
    ScriptedPrompts prompts;
    RecordingBar bar;
    RecordingCaption percent;
    FakeClock clock;
    RiggingSheet::Settings settings;
    CalculationResults shared; // what the windows show
};

TEST_F(RiggingSheetTest, TheTitleTheCellTableAndTheFiguresOfASmallVenue)
{
    auto venue = Venue();
    Print(*venue);
    const CalculationResults& r = shared;
    const auto texts = printer.Texts();
    ASSERT_GE(texts.size(), 25u);
    const std::vector<std::string> head(texts.begin(), texts.begin() + 25);
    const std::string r44 = Format::FormatCellType(venue->LineArray().Cells().Item(1).CellType());
    const auto aim = [&r](int i) { return Format::FormatDegrees(r.CellResults[i].Aim.Degrees()); };
    const auto pin = [&venue](int i) {
        return Format::FormatPinning(venue->LineArray().Cells().Item(i).PinPosition());
    };
    EXPECT_EQ(head, (std::vector<std::string>{
                        "Polvane Rigging Sheet", "File:", "Hall A.venue", "Date:", "12/10/2026",
                        "Cell", "Type", "Angle", "Pinning", "Splay",
                        "1", r44, aim(0), pin(1), "1.0°",
                        "2", r44, aim(1), pin(2), "3.0°",
                        "3", r44, aim(2), pin(3), "5.0°"}));
    EXPECT_FALSE(r44.empty());

    // The logo at the top right; the title in 16 point bold, the rest in 11 point.
    const auto pictures = printer.CallsOf(Op::Picture);
    ASSERT_EQ(pictures.size(), 1u);
    EXPECT_NEAR(pictures[0].x + pictures[0].x2, AtPercent(100), kTol);
    EXPECT_NEAR(pictures[0].y, 0.75f, kTol);
    EXPECT_TRUE(printer.TextCall("Polvane Rigging Sheet").bold);
    EXPECT_EQ(printer.TextCall("Polvane Rigging Sheet").fontPoints, 16);
    EXPECT_EQ(printer.TextCall("Hall A.venue").fontPoints, 11);
    // The file and the date start together at 7 %, or further right where a caption would
    // otherwise reach within a clear gap of its value.
    const auto& file = printer.TextCall("Hall A.venue");
    EXPECT_GE(file.x, AtPercent(7) - kTol);
    EXPECT_NEAR(printer.TextCall("12/10/2026").x, file.x, kTol);
    for (const char* caption : {"File:", "Date:"})
        EXPECT_GE(file.x - (printer.TextCall(caption).x + Width11(caption)), 0.1f) << caption;
    // Numbers end at 2 %, splays at 39 %.
    const auto calls = printer.CallsOf(Op::Text);
    const auto& three = calls[20];
    const auto& splay = calls[24];
    EXPECT_NEAR(three.x + Width11("3"), AtPercent(2), kTol);
    EXPECT_NEAR(splay.x + Width11("5.0°"), AtPercent(39), kTol);
    EXPECT_NEAR(splay.y, three.y, kTol);
    EXPECT_NEAR(three.y - calls[15].y, 11.0f / 60, kTol) << "one row a line";

    // The figures start level with the table's header, right of the table. Their columns
    // are where their texts leave room (these test metrics are wider than a printer's).
    const auto& array = printer.TextCall("Array");
    EXPECT_NEAR(array.y, printer.TextCall("Cell").y, kTol);
    EXPECT_GT(array.x, AtPercent(39));
    EXPECT_LE(array.x, AtPercent(45) + kTol);
    const std::vector<std::string> figures[] = {
        {"Type:", Format::FormatBrand(BrandCode::RSarn), "Pinning Style:",
         venue->LineArray().PinStyle() == PinStyleCode::Fixed ? "Fixed" : "Slide"},
        {"Horizontal:", "0.00 ft", "Angle:",
         Format::FormatDegrees(venue->LineArray().Bumper().Angle().Degrees())},
        {"Vertical:", "30.00 ft", "Hanging Points:", "2"},
        {"Far Throw:", Format::FormatMeasurement(r.FarThrow, UnitsCode::English), "Upper Angle:",
         Format::FormatDegrees(r.UpperCoverageAngle.Degrees())},
        {"Short Throw:", Format::FormatMeasurement(r.NearThrow, UnitsCode::English), "Lower Angle:",
         Format::FormatDegrees(r.LowerCoverageAngle.Degrees())},
        {"Total Weight:", Format::FormatWeight(r.TotalWeight, UnitsCode::English), "Total Coverage:",
         Format::FormatDegrees(r.UpperCoverageAngle.Degrees() - r.LowerCoverageAngle.Degrees())},
        {"Array Height:", Format::FormatMeasurement(r.ArrayMaxY - r.ArrayMinY, UnitsCode::English), "Trim Height:",
         Format::FormatMeasurement(r.ArrayMinY, UnitsCode::English)},
    };
    for (const auto& row : figures) {
        SCOPED_TRACE(row[0]);
        const auto at = std::find(texts.begin(), texts.end(), row[0]);
        ASSERT_NE(at, texts.end());
        ASSERT_LE(at + 4, texts.end());
        EXPECT_EQ(std::vector<std::string>(at, at + 4), row);
        // Labels under the heading, values ending at one stop, second labels at one stop,
        // second values ending at 100 %, on one line.
        const auto call = std::find_if(calls.begin(), calls.end(),
                                       [&](const auto& c) { return c.text == row[0]; });
        const auto weightValue = std::find_if(calls.begin(), calls.end(), [&](const auto& c) {
            return c.text == Format::FormatWeight(r.TotalWeight, UnitsCode::English);
        });
        EXPECT_NEAR(call[0].x, array.x, kTol);
        EXPECT_NEAR(call[1].x + Width11(call[1].text),
                    weightValue->x + Width11(weightValue->text), kTol);
        EXPECT_NEAR(call[2].x, printer.TextCall("Total Coverage:").x, kTol);
        EXPECT_NEAR(call[3].x + Width11(call[3].text), AtPercent(100), kTol);
        EXPECT_NEAR(call[3].y, call[0].y, kTol);
    }
    EXPECT_GT(r.TotalWeight, 0);

    // Printed, at 10 % steps up to 90 %, letting window messages run at each.
    EXPECT_EQ(printer.CallsOf(Op::EndDoc).size(), 1u);
    EXPECT_TRUE(printer.CallsOf(Op::KillDoc).empty());
    EXPECT_EQ(bar.fractions, (std::vector<double>{0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9}));
    EXPECT_EQ(percent.captions.front(), "10.00%");
    EXPECT_EQ(percent.captions.back(), "90.00%");
    EXPECT_EQ(clock.MessageRuns(), 9);
    EXPECT_TRUE(prompts.Requests().empty());
}

TEST_F(RiggingSheetTest, TheSharedResultsAreRecalculatedBeforePrinting)
{
    auto venue = Venue();
    shared = venue->GenerateCalculations(false);
    // Changed since the last prediction: a fourth cell.
    const Angle splay = Angle::FromDegrees(2);
    venue->LineArray().Cells().Add(-1, -1, &splay);
    std::size_t cellsWhenPrintingStarted = 0;
    clock.SetOnMessages([&] {
        if (cellsWhenPrintingStarted == 0)
            cellsWhenPrintingStarted = shared.CellResults.size();
    });
    Print(*venue);
    EXPECT_EQ(cellsWhenPrintingStarted, 4u);
    EXPECT_TRUE(Printed("4"));
    const CalculationResults fresh = venue->GenerateCalculations(false);
    EXPECT_FLOAT_EQ(shared.TotalWeight, fresh.TotalWeight);
    EXPECT_FLOAT_EQ(shared.ArrayMinY, fresh.ArrayMinY);
}

TEST_F(RiggingSheetTest, EditsWhileWindowMessagesRunDoNotReachTheSheet)
{
    auto venue = Venue();
    // The user removes every cell as soon as the sheet lets messages run.
    clock.SetOnMessages([&venue] {
        while (venue->LineArray().Cells().Count() > 0)
            venue->LineArray().Cells().Remove(1);
    });
    ASSERT_NO_THROW(Print(*venue));
    EXPECT_TRUE(Printed("3"));
    EXPECT_TRUE(Printed("5.0°"));
    EXPECT_EQ(printer.CallsOf(Op::EndDoc).size(), 1u);
}

TEST_F(RiggingSheetTest, CablesLoadsAndHangPointsFollowTheRigging)
{
    struct Case {
        const char* name;
        ConfigurationCode configuration;
        RiggingCode rigging;
        std::size_t markerPies; // two pies per hang-point marker
        bool loads;
        const char* hangingPoints;
    };
    const Case cases[] = {
        {"flown from two points", ConfigurationCode::Flown, RiggingCode::DualPoint, 4, true, "2"},
        {"flown from one point", ConfigurationCode::Flown, RiggingCode::SinglePoint, 2, false, "1"},
        {"ground stacked", ConfigurationCode::GroundStacked, RiggingCode::DualPoint, 0, false, "2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        printer.ClearCalls();
        auto venue = Venue(c.configuration, c.rigging);
        Print(*venue);
        const CalculationResults& r = shared;
        EXPECT_EQ(printer.CallsOf(Op::Pie).size(), c.markerPies);
        EXPECT_EQ(Printed(Format::FormatWeight(r.FrontLoad, UnitsCode::English)), c.loads);
        EXPECT_EQ(Printed("Load: " + Format::FormatWeight(r.FrontLoad, UnitsCode::English)), c.loads);
        EXPECT_EQ(Printed("Load: " + Format::FormatWeight(r.BackLoad, UnitsCode::English)), c.loads);
        EXPECT_EQ(Printed("Front"), c.loads);
        EXPECT_EQ(Printed("Back"), c.loads);
        const auto texts = printer.Texts();
        const auto at = std::find(texts.begin(), texts.end(), "Hanging Points:");
        ASSERT_NE(at, texts.end());
        EXPECT_EQ(at[1], c.hangingPoints);
        // The trim height is the lowest point when flown, the highest when stacked.
        const auto trim = std::find(texts.begin(), texts.end(), "Trim Height:");
        ASSERT_NE(trim, texts.end());
        EXPECT_EQ(trim[1], Format::FormatMeasurement(c.configuration == ConfigurationCode::Flown ? r.ArrayMinY
                                                                          : r.ArrayMaxY, UnitsCode::English));

        // The cables: vertical lines from the hang holes up to the top of the rigging box,
        // whose left axis stands 4 % right of its frame at 45 %.
        const auto lines = printer.CallsOf(Op::Line);
        const float axisX = AtPercent(49);
        const auto axis = std::find_if(lines.begin(), lines.end(), [&](const auto& l) {
            return std::abs(l.x - axisX) < kTol && std::abs(l.x2 - axisX) < kTol && l.y2 > l.y;
        });
        ASSERT_NE(axis, lines.end());
        const std::size_t cables = static_cast<std::size_t>(
            std::count_if(lines.begin(), lines.end(), [&](const RecordingPrinter::Call& l) {
                return std::abs(l.x - l.x2) < kTol && l.x > axisX && l.y2 < l.y &&
                       std::abs(l.y2 - axis->y) < kTol;
            }));
        EXPECT_EQ(cables, c.configuration == ConfigurationCode::GroundStacked ? 0u : (c.rigging == RiggingCode::DualPoint ? 2u : 1u));
        if (c.loads) {
            // Front right of back, apart, and both inside the top view's box.
            const auto& front = printer.TextCall("Load: " + Format::FormatWeight(r.FrontLoad, UnitsCode::English));
            const auto& back = printer.TextCall("Load: " + Format::FormatWeight(r.BackLoad, UnitsCode::English));
            EXPECT_EQ(front.fontPoints, 8);
            const auto width = [](const std::string& text) {
                return static_cast<float>(text.size()) * 8 / 120;
            };
            const float wF = width(front.text);
            const float wB = width(back.text);
            const float frontCentre = front.x + wF / 2;
            const float backCentre = back.x + wB / 2;
            EXPECT_GE(frontCentre - wF / 2 + kTol, backCentre + wB / 2);
            EXPECT_LE(frontCentre + wF / 2, AtPercent(95) + kTol);
            EXPECT_GE(backCentre - wB / 2, AtPercent(49) - kTol);
        }
    }
}

// A stacked array carrying single-point rigging is not hung: the sheet prints the array the
// screen shows, and printing does not turn it.
TEST_F(RiggingSheetTest, AStackedSinglePointArrayPrintsAsTheScreenShowsIt)
{
    auto venue = Venue(ConfigurationCode::GroundStacked);
    Bumper& bumper = venue->LineArray().Bumper();
    bumper.SetAngle(Angle::FromDegrees(-7));
    bumper.SetRigging(RiggingCode::SinglePoint);
    const double angle = bumper.Angle().Degrees();
    const CalculationResults screen = venue->GenerateCalculations(false);

    for (int print = 0; print < 2; ++print) {
        SCOPED_TRACE(print);
        printer.ClearCalls();
        Print(*venue);
        EXPECT_EQ(bumper.Angle().Degrees(), angle);
        const auto texts = printer.Texts();
        const auto cellRow = [&texts](const std::string& number) {
            return std::find(texts.begin(), texts.end(), number);
        };
        for (std::size_t i = 0; i < screen.CellResults.size(); ++i) {
            const auto row = cellRow(std::to_string(i + 1));
            ASSERT_NE(row, texts.end());
            EXPECT_EQ(row[2], Format::FormatDegrees(screen.CellResults[i].Aim.Degrees())) << "cell " << i + 1;
            EXPECT_EQ(shared.CellResults[i].Aim.Degrees(), screen.CellResults[i].Aim.Degrees());
        }
        const auto trim = std::find(texts.begin(), texts.end(), "Trim Height:");
        ASSERT_NE(trim, texts.end());
        EXPECT_EQ(trim[1], Format::FormatMeasurement(screen.ArrayMaxY, UnitsCode::English));
        EXPECT_TRUE(Printed(Format::FormatWeight(screen.TotalWeight, UnitsCode::English)));
    }
}

TEST_F(RiggingSheetTest, SplayLabelsStandAtTheJointAboveEachCellAndWinOverPinning)
{
    struct Case {
        const char* name;
        ConfigurationCode configuration;
        bool splays, pinning;
    };
    const Case cases[] = {
        {"flown, splays", ConfigurationCode::Flown, true, false},
        {"flown, both", ConfigurationCode::Flown, true, true},
        {"flown, pinning", ConfigurationCode::Flown, false, true},
        {"stacked, splays", ConfigurationCode::GroundStacked, true, false},
        {"flown, neither", ConfigurationCode::Flown, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        printer.ClearCalls();
        settings.showSplayAngles = c.splays;
        settings.showPinning = c.pinning;
        auto venue = Venue(c.configuration);
        Print(*venue);
        // The side view's labels are the only 8 point texts in degrees or holes.
        const Cells& cells = venue->LineArray().Cells();
        std::vector<std::string> expected;
        for (int i = 1; i <= cells.Count(); ++i) {
            if (c.splays)
                expected.push_back(Format::FormatDegrees(cells.Item(i).SplayAngle().Degrees()));
            else if (c.pinning)
                expected.push_back(Format::FormatPinning(cells.Item(i).PinPosition()));
        }
        std::vector<std::string> labels;
        for (const auto& t : printer.CallsOf(Op::Text)) {
            const bool degrees = t.text.size() > 2 && t.text.substr(t.text.size() - 2) == "°";
            if (t.fontPoints == 8 && (degrees || t.text.rfind("Hole", 0) == 0 || t.text == "(n/a)"))
                labels.push_back(t.text);
        }
        EXPECT_EQ(labels, expected);
        if (expected.empty())
            continue;

        // Cell 1's label ends just left of its joint: above its source when flown (its top
        // edge against the bumper), below it when stacked.
        const std::string& label = expected.front();
        const auto calls = printer.CallsOf(Op::Text);
        const auto circles = printer.CallsOf(Op::Circle);
        const auto source = std::find_if(circles.begin(), circles.end(), [](const auto& circle) {
            return std::abs(circle.radius - 0.07f) < kTol;
        });
        ASSERT_NE(source, circles.end());
        const auto inBox = std::find_if(calls.begin(), calls.end(), [&](const auto& t) {
            return t.text == label && t.fontPoints == 8;
        });
        ASSERT_NE(inBox, calls.end());
        const float centreY = inBox->y + 8.0f / 120;
        if (c.configuration == ConfigurationCode::Flown)
            EXPECT_LT(centreY, source->y);
        else
            EXPECT_GT(centreY, source->y);
        EXPECT_LT(inBox->x, source->x);
    }
}

// A first cell that kept a splay no pin hole gives (the second cell's 10 degrees after the
// first was removed) prints as having no hole, in the table and beside the array; the real
// hole 0 of the next cell still prints as hole 0.
TEST_F(RiggingSheetTest, ASplayNoHoleGivesPrintsAsNoHole)
{
    auto venue = Venue();
    Cells& cells = venue->LineArray().Cells();
    cells.Item(2).SplayAngle().SetDegrees(10);
    cells.Item(3).SplayAngle().SetDegrees(0);
    cells.Remove(1);
    ASSERT_EQ(cells.Item(1).PinPosition(), std::nullopt);
    ASSERT_EQ(cells.Item(2).PinPosition(), 0);
    settings.showSplayAngles = false;
    settings.showPinning = true;
    Print(*venue);
    EXPECT_EQ(Count(Format::kNoHole), 2u) << "the table's row and the label beside the array";
    EXPECT_EQ(Count("Hole 0"), 2u);
    const auto texts = printer.Texts();
    const auto row = std::find(texts.begin(), texts.end(), Format::kNoHole);
    ASSERT_NE(row, texts.end());
    EXPECT_EQ(*(row + 1), "10.0\u00b0") << "the table's splay follows its pinning";
}

TEST_F(RiggingSheetTest, AVenueWithoutCellsOrSeatingAreasStillPrints)
{
    testing::ArraySpec array;
    auto venue = testing::MakeVenue(array);
    settings.venuePath.clear();
    ASSERT_NO_THROW(Print(*venue));
    EXPECT_TRUE(Printed("(untitled)"));
    EXPECT_TRUE(Printed("Calculations"));
    const auto rows = printer.CallsOf(Op::Text);
    EXPECT_TRUE(std::none_of(rows.begin(), rows.end(), [](const auto& t) {
        return t.text == "1" && t.fontPoints == 11;
    })) << "no rows in the table";
    EXPECT_EQ(printer.CallsOf(Op::EndDoc).size(), 1u);
}

TEST_F(RiggingSheetTest, FarOutCoordinatesPrintWithABoundedScale)
{
    auto venue = Venue();
    venue->LineArray().Bumper().SetLocation(Point2D(4e6f, -9e6f));
    ASSERT_NO_THROW(Print(*venue));
    EXPECT_EQ(printer.CallsOf(Op::EndDoc).size(), 1u);
    EXPECT_LT(printer.Calls().size(), 20000u);
}

TEST_F(RiggingSheetTest, ASheetThatRanOntoASecondPageIsNotPrinted)
{
    printer.SetPage(2);
    auto venue = Venue();
    Print(*venue);
    EXPECT_TRUE(printer.CallsOf(Op::EndDoc).empty());
    EXPECT_EQ(printer.CallsOf(Op::KillDoc).size(), 1u);
    ASSERT_EQ(prompts.Requests().size(), 1u);
    EXPECT_EQ(prompts.Requests()[0].text, "Pages : 2");
}

TEST_F(RiggingSheetTest, APrinterWithoutAPixelSizeIsAPrinterFailure)
{
    RecordingPrinter broken(8.5f, 11.0f, 0.0f);
    auto venue = Venue();
    RiggingSheet sheet(broken, prompts, bar, percent, clock);
    EXPECT_THROW(sheet.PrintOut(*venue, settings, shared), PrinterFailure);
    EXPECT_TRUE(broken.CallsOf(Op::EndDoc).empty());
}

TEST(RiggingSheetFileName, TheNameAfterTheLastSeparatorOrUntitled)
{
    EXPECT_EQ(RiggingSheet::FileNameText("C:\\Shows\\Arena.venue"), "Arena.venue");
    EXPECT_EQ(RiggingSheet::FileNameText("/home/ana/tour/Arena.venue"), "Arena.venue");
    EXPECT_EQ(RiggingSheet::FileNameText(""), "(untitled)");
}

// Widths as the recording printer measures them: a code point is a 120th of an inch per point.
float RecordedWidth(const RecordingPrinter::Call& call)
{
    const auto points = std::count_if(call.text.begin(), call.text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    });
    return static_cast<float>(points) * call.fontPoints / 120;
}

TEST_F(RiggingSheetTest, FigureLabelsStayClearOfTheirValuesAndCellNumbersFitTheirCircles)
{
    testing::ArraySpec array;
    array.cells.assign(24, {2});
    auto venue = testing::MakeVenue(array);
    Print(*venue);
    const auto texts = printer.CallsOf(Op::Text);

    // Each row reads label, value, label, value; none of the four touches the next.
    for (const char* label : {"Type:", "Horizontal:", "Vertical:", "Far Throw:", "Short Throw:",
                              "Total Weight:", "Array Height:"}) {
        SCOPED_TRACE(label);
        const auto at = std::find_if(texts.begin(), texts.end(),
                                     [&](const auto& t) { return t.text == label; });
        ASSERT_LE(at + 4, texts.end());
        for (int i = 0; i < 3; ++i)
            EXPECT_LT(at[i].x + RecordedWidth(at[i]), at[i + 1].x - 0.05f) << at[i + 1].text;
        EXPECT_LE(at[3].x + RecordedWidth(at[3]), AtPercent(100) + kTol);
    }
    EXPECT_EQ(printer.TextCall("Total Weight:").y, printer.TextCall("Total Coverage:").y);

    // Each cell number is drawn right after its circle; the digits (about 0.6 of a line
    // high) lie wholly inside it.
    const auto calls = printer.Calls();
    int numbers = 0;
    for (std::size_t i = 0; i + 1 < calls.size(); ++i) {
        const auto& circle = calls[i];
        const auto& number = calls[i + 1];
        if (circle.op != Op::Circle || number.op != Op::Text || number.fontPoints != 8)
            continue;
        ++numbers;
        SCOPED_TRACE(number.text);
        const float lineHeight = number.fontPoints / 60;
        const float halfWidth = RecordedWidth(number) / 2;
        EXPECT_NEAR(number.x + halfWidth, circle.x, 1e-3f);
        EXPECT_NEAR(number.y + lineHeight / 2, circle.y, 1e-3f);
        EXPECT_LT(std::hypot(halfWidth, 0.3f * lineHeight), circle.radius);
    }
    EXPECT_EQ(numbers, 24);
}

} // namespace
} // namespace polvane
