#include "report/PrintDocument.h"

#include <memory>
#include <stdexcept>

#include <gtest/gtest.h>

#include "report/PrintBox.h"
#include "support/RecordingPrinter.h"
#include "support/ScriptedPrompts.h"

namespace polvane {
namespace {

using Op = RecordingPrinter::Op;

constexpr float kTol = 1e-5f;

// A letter page: the printable area runs from 0.75 to 7.75 across and 0.75 to 10.25 down.
// The fake printer's 11 point text is 11/120 inch per character wide and 11/60 inch high.
class PrintDocumentTest : public ::testing::Test {
protected:
    PrintDocumentTest() { prompts.SetAnswerOkBoxes(true); }

    static float Width11(int characters) { return characters * 11.0f / 120.0f; }

    RecordingPrinter printer{8.5f, 11.0f, 2.4f};
    ScriptedPrompts prompts;
    PrintDocument document{printer, prompts};
};

TEST(PrintDocumentPage, PercentMapsOntoASevenByNineAndAHalfInchAreaCentredOnThePaper)
{
    struct Case {
        float pageWidth, pageHeight;
        float left, top; // the printable area's corner, inches
    };
    const Case cases[] = {
        {8.5f, 11.0f, 0.75f, 0.75f},
        {8.27f, 11.69f, 0.635f, 1.095f},
        {6.0f, 8.0f, -0.5f, -0.75f}, // smaller than the area: its corner lies off the paper
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.pageWidth << " x " << c.pageHeight);
        RecordingPrinter printer(c.pageWidth, c.pageHeight);
        ScriptedPrompts prompts;
        PrintDocument document(printer, prompts);
        // A new document starts at the area's top left corner.
        EXPECT_NEAR(printer.CurrentX(), c.left, kTol);
        EXPECT_NEAR(printer.CurrentY(), c.top, kTol);
        EXPECT_NEAR(document.x(), 0, kTol);
        EXPECT_NEAR(document.y(), 0, kTol);

        document.SetX(100);
        document.SetY(100);
        EXPECT_NEAR(printer.CurrentX(), c.left + 7, kTol);
        EXPECT_NEAR(printer.CurrentY(), c.top + 9.5f, kTol);

        document.SetX(25);
        document.SetY(-10); // above the area, not the cursor
        EXPECT_NEAR(printer.CurrentX(), c.left + 1.75f, kTol);
        EXPECT_NEAR(printer.CurrentY(), c.top - 0.95f, kTol);
        EXPECT_NEAR(document.x(), 25, 1e-4);
        EXPECT_NEAR(document.y(), -10, 1e-4);
    }
}

TEST(PrintDocumentPage, CreationSetsThePrinterUpForWhiteFilledCirclesInBlack)
{
    RecordingPrinter printer;
    printer.SetForeColor(0x00FF00);
    ScriptedPrompts prompts;
    PrintDocument document(printer, prompts);
    EXPECT_EQ(printer.ForeColor(), Printer::kBlack);
    EXPECT_EQ(printer.FillColor(), Printer::kWhite);
    auto box = document.CreateFreeformBox(0, 0, 50, 50, 0, 0, 0, 0, false);
    box->SetCoords(0, 1, 1, 0);
    box->DrawCircleFromXY(0.5f, 0.5f, 0, false);
    ASSERT_EQ(printer.CallsOf(Op::Circle).size(), 1u);
    EXPECT_EQ(printer.CallsOf(Op::Circle)[0].fillStyle, Printer::FillStyle::Solid);
    EXPECT_EQ(printer.CallsOf(Op::Circle)[0].fillColor, Printer::kWhite);
}

TEST(PrintDocumentPage, APrinterWithoutAPixelSizeIsRefused)
{
    RecordingPrinter printer(8.5f, 11.0f, 0.0f);
    ScriptedPrompts prompts;
    EXPECT_THROW(PrintDocument(printer, prompts), std::runtime_error);
}

TEST_F(PrintDocumentTest, AlignmentPlacesTheTextAndWhereTheCursorGoesNext)
{
    struct Case {
        int align;
        bool keepOnLine;
        float printedX;
        float nextX;
        float nextY;
    };
    const float anchorX = 4.25f; // 50 %
    const float anchorY = 1.7f;  // 10 %
    const float cursorX = 2.15f; // 20 %, where the cursor stood before
    const float w = Width11(5);
    const float lineHeight = 11.0f / 60.0f;
    const Case cases[] = {
        {0, true, anchorX, anchorX + w, anchorY},
        {1, true, anchorX - w, anchorX, anchorY},
        {2, true, anchorX - w / 2, anchorX + w / 2, anchorY},
        {3, true, cursorX, cursorX, anchorY},
        {0, false, anchorX, anchorX, anchorY + lineHeight},
        {1, false, anchorX - w, anchorX, anchorY + lineHeight},
        {2, false, anchorX - w / 2, anchorX, anchorY + lineHeight},
        {3, false, cursorX, anchorX, anchorY + lineHeight},
    };
    document.SetTextStyle(1);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "align " << c.align << " keep " << c.keepOnLine);
        document.SetX(20);
        printer.ClearCalls();
        document.Text("Hello", c.align, c.keepOnLine, false, 50, 10);
        const auto& printed = printer.TextCall("Hello");
        EXPECT_NEAR(printed.x, c.printedX, kTol);
        EXPECT_NEAR(printed.y, anchorY, kTol);
        EXPECT_NEAR(printer.CurrentX(), c.nextX, kTol);
        EXPECT_NEAR(printer.CurrentY(), c.nextY, kTol);
    }
}

TEST_F(PrintDocumentTest, MinusOneMeansTheCursorSoLinesStackUnderTheAnchor)
{
    document.SetTextStyle(1);
    document.Text("File:", 0, true, false, 0, 10);
    document.Text("venue.venue", 0, false, false, 7, -1);
    document.Text("Date:", 0, true, false, 0, -1);
    document.Text("today", 0, false, false, 7, -1);
    document.Text("next", 0, false, false);
    const float line = 11.0f / 60.0f;
    EXPECT_NEAR(printer.TextCall("venue.venue").y, 1.7f, kTol);
    EXPECT_NEAR(printer.TextCall("venue.venue").x, 0.75f + 0.49f, kTol);
    EXPECT_NEAR(printer.TextCall("Date:").y, 1.7f + line, kTol);
    EXPECT_NEAR(printer.TextCall("today").y, 1.7f + line, kTol);
    EXPECT_NEAR(printer.TextCall("next").x, 0.75f + 0.49f, kTol);
    EXPECT_NEAR(printer.TextCall("next").y, 1.7f + 2 * line, kTol);

    // Only exactly -1 is the cursor: other negatives lie left of the printable area.
    document.Text("out", 0, false, false, -1.5f, 0);
    EXPECT_NEAR(printer.TextCall("out").x, 0.75f - 0.105f, kTol);
}

TEST_F(PrintDocumentTest, ARuleUnderlinesTheWholeLineBetweenTheRuleLimits)
{
    document.SetTextStyle(1);
    document.SetDrawingWidth(15); // 6.25 printer pixels
    document.SetBorderClipping(45, 100);
    document.Text("Array", 0, false, true, 45, 20);
    auto lines = printer.CallsOf(Op::Line);
    ASSERT_EQ(lines.size(), 1u);
    // Under the line, its ink (6 pixels of 2.4 twips) 0.015 inch clear of the descenders.
    const float clearance = 6 * 2.4f / 1440 / 2 + 0.015f;
    const float ruleY = 0.75f + 1.9f + 11.0f / 60.0f + clearance;
    EXPECT_NEAR(lines[0].x, 3.9f, kTol);
    EXPECT_NEAR(lines[0].x2, 7.75f, kTol);
    EXPECT_NEAR(lines[0].y, ruleY, kTol);
    EXPECT_NEAR(lines[0].y2, ruleY, kTol);
    EXPECT_EQ(lines[0].lineWidth, 6);
    EXPECT_EQ(lines[0].foreColor, Printer::kBlack);
    // The text still starts at its anchor, not where the rule ended; the next line starts
    // as clear below the rule.
    EXPECT_NEAR(printer.TextCall("Array").x, 3.9f, kTol);
    EXPECT_NEAR(printer.CurrentY(), ruleY + clearance, kTol);
    document.Text("Type:", 0, false, false);
    EXPECT_NEAR(printer.TextCall("Type:").y, ruleY + clearance, kTol);
    EXPECT_NEAR(printer.CurrentY(), ruleY + clearance + 11.0f / 60.0f, kTol) << "a line without a rule moves as before";

    printer.ClearCalls();
    document.SetBorderClipping(0, 39);
    document.Text("Cell", 0, true, true, 0, 30);
    document.Text("Type", 0, true, false, 6, -1);
    lines = printer.CallsOf(Op::Line);
    ASSERT_EQ(lines.size(), 1u) << "only a text with the rule flag draws one";
    EXPECT_NEAR(lines[0].x, 0.75f, kTol);
    EXPECT_NEAR(lines[0].x2, 0.75f + 2.73f, kTol);
}

TEST_F(PrintDocumentTest, TextStylesSetTheFontAndTheLineHeightFollowsIt)
{
    // Before any style there is no line height, so blank lines do not move.
    document.SetY(10);
    document.BlankLine(3);
    EXPECT_NEAR(document.y(), 10, 1e-4);
    EXPECT_EQ(document.LineHeight(), 0);

    struct Case {
        int style;
        float points;
        bool bold;
    };
    for (const Case& c : {Case{0, 16, true}, Case{1, 11, false}, Case{2, 8, false}}) {
        document.SetTextStyle(c.style);
        EXPECT_EQ(printer.FontPoints(), c.points) << c.style;
        EXPECT_EQ(printer.Bold(), c.bold) << c.style;
        EXPECT_NEAR(document.LineHeight(), c.points / 60, kTol) << c.style;
    }

    // An unknown style keeps the font but still measures it again.
    printer.SetFont(12, true);
    document.SetTextStyle(5);
    EXPECT_EQ(printer.FontPoints(), 12);
    EXPECT_TRUE(printer.Bold());
    EXPECT_NEAR(document.LineHeight(), 0.2f, kTol);

    document.SetY(10);
    document.BlankLine(3);
    EXPECT_NEAR(printer.CurrentY(), 1.7f + 0.6f, kTol);
}

TEST(PrintDocumentWidth, DrawingWidthsRoundToWholePixelsWithHalvesToEven)
{
    RecordingPrinter printer(8.5f, 11.0f, 4.0f);
    ScriptedPrompts prompts;
    PrintDocument document(printer, prompts);
    const struct {
        float twips;
        int pixels;
    } cases[] = {{2, 0}, {5, 1}, {6, 2}, {10, 2}, {14, 4}, {15, 4}, {30, 8}, {7.5f, 2}};
    for (const auto& c : cases) {
        document.SetDrawingWidth(c.twips);
        EXPECT_EQ(printer.LineWidth(), c.pixels) << c.twips << " twips";
    }
    EXPECT_THROW(document.SetDrawingWidth(-15), std::invalid_argument);
}

TEST_F(PrintDocumentTest, MemorisedPositionsSurviveTheListsGrowing)
{
    for (int i = 1; i <= 101; ++i) {
        document.SetX(static_cast<float>(i) / 10);
        document.SetY(static_cast<float>(i) / 2);
        EXPECT_EQ(document.MemorizePosition(), i);
    }
    for (int i : {1, 57, 100, 101}) {
        document.SetX(0);
        document.SetY(0);
        document.SeekToMemorizedPosition(i);
        EXPECT_NEAR(document.x(), static_cast<float>(i) / 10, 1e-4) << i;
        EXPECT_NEAR(document.y(), static_cast<float>(i) / 2, 1e-4) << i;
    }
    EXPECT_THROW(document.SeekToMemorizedPosition(0), std::out_of_range);
    EXPECT_THROW(document.SeekToMemorizedPosition(102), std::out_of_range);
}

TEST(PrintDocumentMemory, SeekingBeforeAnythingWasMemorisedFails)
{
    RecordingPrinter printer;
    ScriptedPrompts prompts;
    PrintDocument document(printer, prompts);
    EXPECT_THROW(document.SeekToMemorizedPosition(1), std::out_of_range);
}

TEST_F(PrintDocumentTest, ABoxIsFramedAndDrawsInsideItsPadsFromTheCursor)
{
    document.SetDrawingWidth(30);
    document.SetY(20);
    auto box = document.CreateFreeformBox(0, -5, 40, 100, 4, 1, 1, 2, true);
    // The frame: top left to right, right edge down, bottom right to left, left edge up.
    const float l = 0.75f, t = 0.75f + 1.9f, r = 0.75f + 2.8f, b = 10.25f;
    const auto frame = printer.CallsOf(Op::Line);
    ASSERT_EQ(frame.size(), 4u);
    const float expected[4][4] = {{l, t, r, t}, {r, t, r, b}, {r, b, l, b}, {l, b, l, t}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(frame[i].x, expected[i][0], kTol) << i;
        EXPECT_NEAR(frame[i].y, expected[i][1], kTol) << i;
        EXPECT_NEAR(frame[i].x2, expected[i][2], kTol) << i;
        EXPECT_NEAR(frame[i].y2, expected[i][3], kTol) << i;
        EXPECT_EQ(frame[i].lineWidth, 12) << i;
    }

    // The pads are percent of the whole printable area; the scale's axes run along the
    // inner rectangle's left and bottom edges.
    printer.ClearCalls();
    box->SetCoords(0, 1, 1, 0);
    box->DrawScale(15);
    const auto axes = printer.CallsOf(Op::Line);
    ASSERT_GE(axes.size(), 2u);
    EXPECT_NEAR(axes[0].x, l + 0.28f, kTol);
    EXPECT_NEAR(axes[0].y, t + 0.095f, kTol);
    EXPECT_NEAR(axes[0].y2, b - 0.19f, kTol);
    EXPECT_NEAR(axes[1].x2, r - 0.07f, kTol);

    // Without a border nothing is drawn at creation.
    printer.ClearCalls();
    document.CreateFreeformBox(45, 60, 100, 100, 4, 1, 5, 2, false);
    EXPECT_TRUE(printer.Calls().empty());
}

TEST_F(PrintDocumentTest, TheLogoSitsInTheTopRightCornerAtTheBitmapsAspect)
{
    document.Logo();
    const auto pictures = printer.CallsOf(Op::Picture);
    ASSERT_EQ(pictures.size(), 1u);
    const float height = 0.06301167f * 9.5f;
    const float width = height * 630 / 166;
    EXPECT_EQ(pictures[0].text, "Logo");
    EXPECT_NEAR(pictures[0].x, 7.75f - width, kTol);
    EXPECT_NEAR(pictures[0].y, 0.75f, kTol);
    EXPECT_NEAR(pictures[0].x2, width, kTol);
    EXPECT_NEAR(pictures[0].y2, height, kTol);
}

TEST_F(PrintDocumentTest, FinalizePrintsAOnePageJob)
{
    document.Finalize();
    EXPECT_EQ(printer.CallsOf(Op::EndDoc).size(), 1u);
    EXPECT_TRUE(printer.CallsOf(Op::KillDoc).empty());
    EXPECT_TRUE(prompts.Requests().empty());
}

TEST_F(PrintDocumentTest, FinalizeOfAJobThatRanOntoAnotherPageShowsThePagesAndPrintsNothing)
{
    printer.SetPage(2);
    document.Finalize();
    EXPECT_TRUE(printer.CallsOf(Op::EndDoc).empty());
    EXPECT_EQ(printer.CallsOf(Op::KillDoc).size(), 1u);
    ASSERT_EQ(prompts.Requests().size(), 1u);
    EXPECT_EQ(prompts.Last().text, "Pages : 2");
    EXPECT_EQ(prompts.Last().buttons, MessageButtons::Ok);
}

} // namespace
} // namespace polvane
