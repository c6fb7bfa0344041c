#include "report/PrintBox.h"

#include <cmath>
#include <limits>
#include <numbers>
#include <stdexcept>

#include <gtest/gtest.h>

#include "model/Units.h"
#include "report/PrintDocument.h"
#include "support/RecordingPrinter.h"
#include "support/ScriptedPrompts.h"

namespace polvane {
namespace {

using Op = RecordingPrinter::Op;

constexpr float kTol = 1e-4f;

// A box 4 inches wide and 2 high whose top left corner is at (1, 2) on the page. The fake
// printer's 8 point text is 1/15 inch per character wide and 2/15 inch high.
class PrintBoxTest : public ::testing::Test {
protected:
    PrintBoxTest() { document.SetTextStyle(2); }

    // The model point that lands on page point (px, py) of the box.
    Point2D ModelAt(float px, float py) const
    {
        return {box.Left() + (px - 1) / 4 * (box.Right() - box.Left()),
                box.Bottom() + (4 - py) / 2 * (box.Top() - box.Bottom())};
    }

    static void ExpectLine(const RecordingPrinter::Call& line, float x1, float y1, float x2,
                           float y2)
    {
        EXPECT_EQ(line.op, Op::Line);
        EXPECT_NEAR(line.x, x1, kTol);
        EXPECT_NEAR(line.y, y1, kTol);
        EXPECT_NEAR(line.x2, x2, kTol);
        EXPECT_NEAR(line.y2, y2, kTol);
    }

    RecordingPrinter printer;
    ScriptedPrompts prompts;
    PrintDocument document{printer, prompts};
    PrintBox box{document, 1, 2, 5, 4};
};

TEST_F(PrintBoxTest, TheExtentIsPaddedAndWidenedAboutItsMiddleToOneScale)
{
    struct Case {
        const char* what;
        float left, top, right, bottom;
        float expectLeft, expectTop, expectRight, expectBottom;
    };
    const Case cases[] = {
        // Twice as wide as the box allows: x keeps its range plus 5 %, y grows both ways.
        {"wide", 0, 1, 4, 0, -0.2f, 1.6f, 4.2f, -0.6f},
        {"tall", 0, 4, 1, 0, -3.9f, 4.2f, 4.9f, -0.2f},
        // Already at the box's aspect after padding: nothing is added.
        {"equal", 0, 1, 2, 0, -0.1f, 1.05f, 2.1f, -0.05f},
        // Flat in one direction: that direction takes all its room from the other.
        {"flat", 0, 0, 4, 0, -0.2f, 1.1f, 4.2f, -1.1f},
        {"thin", 2, 3, 2, -1, -2.4f, 3.2f, 6.4f, -1.2f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        box.SetCoords(c.left, c.top, c.right, c.bottom);
        EXPECT_NEAR(box.Left(), c.expectLeft, kTol);
        EXPECT_NEAR(box.Top(), c.expectTop, kTol);
        EXPECT_NEAR(box.Right(), c.expectRight, kTol);
        EXPECT_NEAR(box.Bottom(), c.expectBottom, kTol);
        EXPECT_NEAR((box.Right() - box.Left()) / 4, (box.Top() - box.Bottom()) / 2, kTol)
            << "both axes at one scale";
    }
}

TEST_F(PrintBoxTest, ModelPointsMapOntoThePageWithYUpward)
{
    box.SetCoords(0, 1, 4, 0); // model x -0.2..4.2, y -0.6..1.6: 1.1 units per inch
    box.DrawLineFromXY(box.Left(), box.Top(), box.Right(), box.Bottom());
    box.DrawLineFromXY(0, 0, 1.1f, 1.1f);
    const auto lines = printer.CallsOf(Op::Line);
    ASSERT_EQ(lines.size(), 2u);
    ExpectLine(lines[0], 1, 2, 5, 4);
    const float x0 = 1 + 0.2f / 1.1f, y0 = 4 - 0.6f / 1.1f;
    ExpectLine(lines[1], x0, y0, x0 + 1, y0 - 1);

    box.SetXY(2.0f, 0.5f);
    EXPECT_NEAR(printer.CurrentX(), 3, kTol);
    EXPECT_NEAR(printer.CurrentY(), 3, kTol);
    EXPECT_NEAR(box.TextWidth({"ab", "abcde", ""}), 5.0f / 15 * 1.1f, kTol);
    EXPECT_EQ(box.TextWidth({}), 0);
}

TEST_F(PrintBoxTest, AnExtentItCannotShowIsRefused)
{
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_THROW(box.SetCoords(1, 2, 1, 2), std::invalid_argument) << "empty both ways";
    EXPECT_THROW(box.SetCoords(4, 1, 0, 0), std::invalid_argument) << "right left of left";
    EXPECT_THROW(box.SetCoords(0, 0, 4, 1), std::invalid_argument) << "top below bottom";
    EXPECT_THROW(box.SetCoords(0, inf, 4, 0), std::invalid_argument);
    EXPECT_THROW(box.SetCoords(nan, 1, 4, 0), std::invalid_argument);

    // Pads wider than the box leave it no room.
    auto cramped = document.CreateFreeformBox(0, 0, 5, 50, 4, 1, 2, 2, false);
    EXPECT_THROW(cramped->SetCoords(0, 1, 1, 0), std::invalid_argument);
}

TEST_F(PrintBoxTest, NothingIsDrawnInModelCoordinatesBeforeTheExtentIsSet)
{
    EXPECT_THROW(box.DrawLine({0, 0}, {1, 1}), std::logic_error);
    EXPECT_THROW(box.DrawCircle({0, 0}, 1), std::logic_error);
    EXPECT_THROW(box.DrawScale(15), std::logic_error);
    EXPECT_THROW(box.Text("1", 2, {0, 0}), std::logic_error);
    EXPECT_THROW(box.BraceDistance(0, 0, 1, 0, UnitsCode::English), std::logic_error);
    EXPECT_TRUE(printer.Calls().empty());
}

TEST_F(PrintBoxTest, ALineIsCutWhereItLeavesOnTheRightThenAtTheBottom)
{
    box.SetCoords(0, 1, 4, 0);
    struct Case {
        const char* what;
        float toX, toY;         // the second end on the page
        float drawnX, drawnY;   // where the drawn line ends
    };
    const Case cases[] = {
        {"inside", 4, 3, 4, 3},
        {"right, reaching the corner", 9, 6, 5, 4},
        {"right, then still below", 9, 10, 3, 4},
        {"below only", 3, 10, 1.5f, 4},
        {"out to the left and top, in full", -3, 0, -3, 0},
        {"straight down", 1, 8, 1, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        printer.ClearCalls();
        box.DrawLine(ModelAt(1, 2), ModelAt(c.toX, c.toY));
        const auto lines = printer.CallsOf(Op::Line);
        ASSERT_EQ(lines.size(), 1u);
        ExpectLine(lines[0], 1, 2, c.drawnX, c.drawnY);
    }

    // Lines given by coordinates are never cut.
    printer.ClearCalls();
    const Point2D far = ModelAt(9, 10);
    box.DrawLineFromXY(ModelAt(1, 2).x, ModelAt(1, 2).y, far.x, far.y);
    ExpectLine(printer.CallsOf(Op::Line).at(0), 1, 2, 9, 10);
}

TEST_F(PrintBoxTest, OutlinesCloseOnTheirFirstCorner)
{
    box.SetCoords(0, 1, 4, 0);
    box.DrawRectangleFromXY(ModelAt(2, 2.5f).x, ModelAt(2, 2.5f).y, ModelAt(4, 3.5f).x,
                            ModelAt(4, 3.5f).y);
    const auto lines = printer.CallsOf(Op::Line);
    ASSERT_EQ(lines.size(), 4u);
    ExpectLine(lines[0], 2, 2.5f, 4, 2.5f);
    ExpectLine(lines[1], 4, 2.5f, 4, 3.5f);
    ExpectLine(lines[2], 4, 3.5f, 2, 3.5f);
    ExpectLine(lines[3], 2, 3.5f, 2, 2.5f);
}

TEST_F(PrintBoxTest, CirclesScaleWithTheModelExceptTheFixedDot)
{
    box.SetCoords(0, 1, 4, 0); // 1.1 model units per inch
    box.DrawCircle({0, 0}, 1.1f);
    box.DrawCircle({0, 0}, 0);
    box.DrawCircleFromXY(0, 0, -2, false);
    const auto circles = printer.CallsOf(Op::Circle);
    ASSERT_EQ(circles.size(), 3u);
    EXPECT_NEAR(circles[0].radius, 1, kTol);
    EXPECT_NEAR(circles[1].radius, 0.07f, kTol);
    EXPECT_NEAR(circles[2].radius, 0.07f, kTol);
    EXPECT_NEAR(circles[0].x, 1 + 0.2f / 1.1f, kTol);
    EXPECT_TRUE(printer.CallsOf(Op::Pie).empty());
}

TEST_F(PrintBoxTest, TheHangPointMarkerBlackensTwoOppositeQuarters)
{
    box.SetCoords(0, 1, 4, 0);
    box.DrawCircleFromXY(2, 0.5f, 0, true);
    const auto& calls = printer.Calls();
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0].op, Op::Circle);
    EXPECT_EQ(calls[0].fillColor, Printer::kWhite);
    const double pi = std::numbers::pi;
    const double quarters[2][2] = {{3 * pi / 2, 2 * pi}, {pi / 2, pi}};
    for (int i = 0; i < 2; ++i) {
        const auto& pie = calls[1 + i];
        EXPECT_EQ(pie.op, Op::Pie);
        EXPECT_EQ(pie.fillColor, Printer::kBlack);
        EXPECT_NEAR(pie.startAngle, quarters[i][0], kTol);
        EXPECT_NEAR(pie.endAngle, quarters[i][1], kTol);
        EXPECT_NEAR(pie.radius, 0.07f, kTol);
        EXPECT_NEAR(pie.x, calls[0].x, kTol);
        EXPECT_NEAR(pie.y, calls[0].y, kTol);
    }
    EXPECT_EQ(printer.FillColor(), Printer::kWhite) << "the fill is put back";
}

TEST_F(PrintBoxTest, TheScaleLabelsEveryWholeUnitOnBothAxes)
{
    struct Case {
        float left, top, right, bottom;
        std::vector<std::string> labels; // x labels, then y labels
    };
    const Case cases[] = {
        // Model x -0.36..3.16, y -0.63..1.13.
        {-0.2f, 0.5f, 3.0f, 0, {"0", "1", "2", "3", "0", "1"}},
        // Model x -2.65..0.65, y -0.625..1.025.
        {-2.5f, 0.5f, 0.5f, -0.1f, {"-2", "-1", "0", "0", "1"}},
    };
    for (const Case& c : cases) {
        printer.ClearCalls();
        box.SetCoords(c.left, c.top, c.right, c.bottom);
        box.DrawScale(15);
        EXPECT_EQ(printer.Texts(), c.labels);
        EXPECT_EQ(printer.LineWidth(), 6) << "15 twips at 2.4 twips per pixel";
    }

    // Axes along the left and bottom edges; ticks 0.05 inch outward; x labels centred
    // under their ticks, y labels ending just left of theirs, centred on them.
    printer.ClearCalls();
    box.SetCoords(-0.2f, 0.5f, 3.0f, 0);
    box.DrawScale(15);
    const auto lines = printer.CallsOf(Op::Line);
    ASSERT_EQ(lines.size(), 2u + 6u);
    ExpectLine(lines[0], 1, 2, 1, 4);
    ExpectLine(lines[1], 1, 4, 5, 4);
    const float perUnit = 4 / (box.Right() - box.Left());
    const float x2 = 1 + (2 - box.Left()) * perUnit;
    ExpectLine(lines[4], x2, 4, x2, 4.05f);
    const float y1 = 4 - (1 - box.Bottom()) * perUnit;
    ExpectLine(lines[7], 1, y1, 0.95f, y1);
    const auto texts = printer.CallsOf(Op::Text);
    EXPECT_NEAR(texts[2].x, x2 - 1.0f / 30, kTol);
    EXPECT_NEAR(texts[2].y, 4.065f, kTol);
    EXPECT_NEAR(texts[5].x, 1 - 0.065f - 1.0f / 15, kTol);
    EXPECT_NEAR(texts[5].y, y1 - 1.0f / 15, kTol);
}

TEST_F(PrintBoxTest, LabelsTooCloseForEveryUnitStandOnRoundNumbersApart)
{
    struct Case {
        float right;   // model x 0..right across the 4 inches
        long long every; // units between x labels
    };
    // The labels need their width and 0.05 inch: "-1" 2/15 inch, "10" and "40" too, "100"
    // 3/15; 8 point lines are 2/15 inch high.
    const Case cases[] = {{10, 1}, {20, 2}, {40, 5}, {100, 10}};
    for (const Case& c : cases) {
        printer.ClearCalls();
        box.SetCoords(0, 1, c.right, 0);
        box.DrawScale(15);
        const float perUnit = 4 / (box.Right() - box.Left());
        std::vector<float> xs;
        for (const auto& text : printer.CallsOf(Op::Text)) {
            if (text.y < 4) // a y label
                continue;
            EXPECT_EQ(std::stoll(text.text) % c.every, 0) << c.right << ": " << text.text;
            xs.push_back(text.x);
        }
        ASSERT_GE(xs.size(), 2u) << c.right;
        // Neighbours stand a whole step apart; every unit keeps its tick.
        for (std::size_t i = 1; i < xs.size(); ++i)
            EXPECT_NEAR(xs[i] - xs[i - 1], static_cast<float>(c.every) * perUnit, 2.0f / 15) << c.right;
        const auto lines = printer.CallsOf(Op::Line);
        const auto across = std::count_if(lines.begin(), lines.end(),
                                          [](const auto& line) { return line.x == line.x2 && line.y == 4; });
        EXPECT_EQ(across, static_cast<long>(std::floor(box.Right())) - static_cast<long>(std::floor(box.Left()))) << c.right;
    }
}

TEST_F(PrintBoxTest, AHugeExtentIsTickedAtAPowerOfTenAndBeyondExactWholeNumbersNotAtAll)
{
    // Model x -5000..105000 by units would be 110 000 ticks; by thousands it is 109, the
    // left edge itself getting none as always, and 551 up. Labels as wide as these would run
    // together a thousand apart: they stand on every twentieth thousand, on whole thousands.
    box.SetCoords(0, 50000, 100000, 0);
    box.DrawScale(15);
    std::vector<std::string> xLabels;
    for (const std::string& label : printer.Texts()) {
        if (xLabels.size() < 3)
            xLabels.push_back(label);
        EXPECT_EQ(std::stoll(label) % 1000, 0) << label;
    }
    EXPECT_EQ(xLabels, (std::vector<std::string>{"0", "20000", "40000"}));
    EXPECT_EQ(printer.CallsOf(Op::Line).size(), 2u + 109u + 551u);
    EXPECT_LT(printer.Texts().size(), 109u + 551u);

    // Far beyond: only the two axes, and no overflow on the way.
    printer.ClearCalls();
    box.SetCoords(-3e30f, 1e30f, 3e30f, -1e30f);
    box.DrawScale(15);
    EXPECT_TRUE(printer.Texts().empty());
    EXPECT_EQ(printer.CallsOf(Op::Line).size(), 2u);
}

TEST_F(PrintBoxTest, TextsStandBesideOrCentredOnTheirPoint)
{
    box.SetCoords(0, 1, 4, 0);
    const Point2D p = ModelAt(3, 3);
    const float w = 3.0f / 15; // "abc"
    const float half = 1.0f / 15;
    struct Case {
        int align;
        float x;
    };
    for (const Case& c : {Case{0, 3.015f}, Case{1, 3 - 0.015f - w}, Case{2, 3 - w / 2}}) {
        printer.ClearCalls();
        box.Text("abc", c.align, p);
        EXPECT_NEAR(printer.TextCall("abc").x, c.x, kTol) << c.align;
        EXPECT_NEAR(printer.TextCall("abc").y, 3 - half, kTol) << c.align;
    }
    // Any other alignment starts at the cursor.
    printer.SetCurrentX(1.25f);
    box.Text("abc", 7, p);
    EXPECT_NEAR(printer.TextCall("abc").x, 1.25f, kTol);

    // With two points, centred on their midpoint.
    box.Text("mid", 2, ModelAt(2, 2.5f), ModelAt(4, 3.5f));
    EXPECT_NEAR(printer.TextCall("mid").x, 3 - 0.1f, kTol);
    EXPECT_NEAR(printer.TextCall("mid").y, 3 - half, kTol);

    box.TopText("load", ModelAt(2, 0).x);
    EXPECT_NEAR(printer.TextCall("load").x, 2 - 4.0f / 30, kTol);
    EXPECT_NEAR(printer.TextCall("load").y, 2 - 0.015f - 2 * half, kTol);
}

TEST_F(PrintBoxTest, BracesMeasureTheirLengthInTheSmallUnitOverAnOpaqueLabel)
{
    box.SetCoords(0, 1, 4, 0); // 1.1 model units per inch
    const Point2D left = ModelAt(2, 3), right = ModelAt(4, 3);

    // Across, at a model height, from left to right: b - a.
    box.BraceDistance(0, left.x, right.x, left.y, UnitsCode::English);
    auto lines = printer.CallsOf(Op::Line);
    ASSERT_EQ(lines.size(), 3u);
    ExpectLine(lines[0], 2, 2.95f, 2, 3.05f);
    ExpectLine(lines[1], 2, 3, 4, 3);
    ExpectLine(lines[2], 4, 2.95f, 4, 3.05f);
    auto texts = printer.CallsOf(Op::Text);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, "26.40 in"); // 2.2 ft
    EXPECT_FALSE(texts[0].transparentText);
    EXPECT_NEAR(texts[0].x, 3 - 8.0f / 30, kTol);
    EXPECT_NEAR(texts[0].y, 3 - 1.0f / 15, kTol);
    EXPECT_TRUE(printer.TransparentText()) << "put back as it was";

    // Without a position, 0.1 inch above the box; down from top to bottom: a - b.
    printer.ClearCalls();
    box.BraceDistance(0, left.x, right.x, 0, UnitsCode::English);
    EXPECT_NEAR(printer.CallsOf(Op::Line).at(1).y, 1.9f, kTol);
    printer.ClearCalls();
    printer.SetTransparentText(false);
    box.BraceDistance(1, ModelAt(0, 2.5f).y, ModelAt(0, 3).y, -1, UnitsCode::Metric);
    lines = printer.CallsOf(Op::Line);
    ASSERT_EQ(lines.size(), 3u);
    ExpectLine(lines[1], 5.1f, 2.5f, 5.1f, 3);
    ExpectLine(lines[0], 5.05f, 2.5f, 5.15f, 2.5f);
    texts = printer.CallsOf(Op::Text);
    EXPECT_EQ(texts.at(0).text, "55.00 cm"); // 0.55 m
    EXPECT_NEAR(texts[0].y, 2.75f - 1.0f / 15, kTol);
    EXPECT_FALSE(printer.TransparentText());

    // A label beside its brace, where the caller puts it.
    printer.ClearCalls();
    box.BraceDistance(0, left.x, right.x, left.y, UnitsCode::English, ModelAt(4.5f, 0).x);
    EXPECT_NEAR(printer.CallsOf(Op::Text).at(0).x, 4.5f - 8.0f / 30, kTol);
    EXPECT_NEAR(printer.CallsOf(Op::Line).at(1).x2, 4, kTol) << "the brace stays where it was";

    // A vertical brace at a model x.
    printer.ClearCalls();
    box.BraceDistance(1, ModelAt(0, 2.5f).y, ModelAt(0, 3).y, ModelAt(4.5f, 0).x, UnitsCode::Metric);
    EXPECT_NEAR(printer.CallsOf(Op::Line).at(1).x, 4.5f, kTol);

    // An unknown orientation draws nothing.
    printer.ClearCalls();
    printer.SetTransparentText(true);
    box.BraceDistance(2, 0, 1, 0, UnitsCode::English);
    EXPECT_TRUE(printer.Calls().empty());
    EXPECT_TRUE(printer.TransparentText());
}

} // namespace
} // namespace polvane
