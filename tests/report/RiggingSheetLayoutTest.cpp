#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include <QApplication>
#include <QFont>
#include <QFontMetricsF>
#include <QPageSize>
#include <QPrinter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "engine/CalculationResults.h"
#include "engine/CaptionLabel.h"
#include "engine/Environment.h"
#include "engine/ProgressController.h"
#include "model/Format.h"
#include "report/RiggingSheet.h"
#include "support/FakeClock.h"
#include "support/RecordingPrinter.h"
#include "support/ScriptedPrompts.h"

namespace polvane {
namespace {

using Op = RecordingPrinter::Op;

// A text as it lands on the page, in inches.
struct PrintedText {
    std::string text;
    float left, top, right, bottom;
    std::size_t call; // its place among the printer's calls
};

// Records every call like the recording printer, but measures texts as a PDF printer at
// 1200 dots per inch does with the program's own font, so that the layout is the one a
// real sheet gets.
class MeasuringPrinter : public RecordingPrinter {
public:
    MeasuringPrinter()
    {
        device_.setOutputFormat(QPrinter::PdfFormat);
        device_.setOutputFileName(folder_.filePath(QStringLiteral("unused.pdf")));
        device_.setPageSize(QPageSize(QPageSize::Letter));
        device_.setResolution(1200);
        font_ = QApplication::font();
    }
    void SetFont(float points, bool bold) override
    {
        RecordingPrinter::SetFont(points, bold);
        font_.setPointSizeF(points);
        font_.setBold(bold);
    }
    float TextWidth(const std::string& text) const override
    {
        return static_cast<float>(QFontMetricsF(font_, &device_).horizontalAdvance(QString::fromStdString(text)) / 1200.0);
    }
    float TextHeight(const std::string&) const override
    {
        return static_cast<float>(QFontMetricsF(font_, &device_).height() / 1200.0);
    }
    void Print(const std::string& text) override
    {
        printed_.push_back({text, CurrentX(), CurrentY(), CurrentX() + TextWidth(text), CurrentY() + TextHeight(text),
                            Calls().size()});
        RecordingPrinter::Print(text);
    }
    const std::vector<PrintedText>& Printed() const { return printed_; }

private:
    QTemporaryDir folder_;
    mutable QPrinter device_{QPrinter::HighResolution};
    QFont font_;
    std::vector<PrintedText> printed_;
};

struct NoBar : ProgressController {
    void SetProgress(double) override {}
};
struct NoCaption : CaptionLabel {
    void SetCaption(const std::string&) override {}
};

struct Venue {
    const char* name;
    BrandCode brand;
    int cells;
    double splay;
    float attenuation;
    double bumperDegrees;
    UnitsCode units;
    ConfigurationCode configuration = ConfigurationCode::Flown;
    RiggingCode rigging = RiggingCode::DualPoint;
    int front = 0; // 0: the bumper's own hang points
    int back = 0;
};

std::unique_ptr<Environment> Make(const Venue& v)
{
    auto venue = std::make_unique<Environment>();
    venue->Clear();
    LineArray& array = venue->LineArray();
    array.SetBrand(v.brand);
    array.SetConfiguration(v.configuration);
    array.Bumper().SetLocation(Point2D(0, 40));
    array.Bumper().SetAngle(Angle::FromDegrees(v.bumperDegrees));
    array.Bumper().SetRigging(v.rigging);
    for (int i = 0; i < v.cells; ++i) {
        const Angle splay = Angle::FromDegrees(v.splay);
        array.Cells().Add(-1, -1, &splay).SetAttenuation(v.attenuation);
    }
    if (v.front != 0) {
        array.Bumper().SetFrontHangPoint(v.front);
        array.Bumper().SetBackHangPoint(v.back);
    }
    const Point2D front(20, 0);
    const Point2D back(90, 6);
    venue->SeatingAreas().Add(-1, &front, &back);
    venue->SetUnits(v.units);
    return venue;
}

// The sheet of the venue, with the splay angles at the joints.
void PrintSheet(Environment& venue, MeasuringPrinter& printer, CalculationResults& shared)
{
    ScriptedPrompts prompts;
    NoBar bar;
    NoCaption caption;
    FakeClock clock;
    RiggingSheet::Settings settings;
    settings.venuePath = "/venues/Hall.venue";
    settings.date = "12/11/2026";
    settings.showSplayAngles = true;
    RiggingSheet(printer, prompts, bar, caption, clock).PrintOut(venue, settings, shared);
}

// A little less than the text's box, so that a rule under a heading or a tick that ends
// where its label starts does not count as crossing it.
constexpr float kInside = 0.003f;

bool Crosses(const PrintedText& t, float x1, float y1, float x2, float y2)
{
    const float left = t.left + kInside, right = t.right - kInside;
    const float top = t.top + kInside, bottom = t.bottom - kInside;
    // The segment clipped against the box, as a parameter range.
    float t0 = 0, t1 = 1;
    const float d[2] = {x2 - x1, y2 - y1};
    const float start[2] = {x1, y1};
    const float low[2] = {left, top};
    const float high[2] = {right, bottom};
    for (int axis = 0; axis < 2; ++axis) {
        if (d[axis] == 0) {
            if (start[axis] < low[axis] || start[axis] > high[axis])
                return false;
            continue;
        }
        float a = (low[axis] - start[axis]) / d[axis];
        float b = (high[axis] - start[axis]) / d[axis];
        if (a > b)
            std::swap(a, b);
        t0 = std::max(t0, a);
        t1 = std::min(t1, b);
        if (t0 > t1)
            return false;
    }
    return true;
}

bool Overlap(const PrintedText& a, const PrintedText& b)
{
    return a.left + kInside < b.right && b.left + kInside < a.right && a.top + kInside < b.bottom &&
           b.top + kInside < a.bottom;
}

// How far the point lies from the text's box (0 inside it).
float DistanceTo(const PrintedText& t, float x, float y)
{
    const float dx = std::max({t.left - x, 0.0f, x - t.right});
    const float dy = std::max({t.top - y, 0.0f, y - t.bottom});
    return std::hypot(dx, dy);
}

// How far the segment lies from the text's box (0 where it touches or crosses it).
float SegmentDistanceTo(const PrintedText& t, float x1, float y1, float x2, float y2)
{
    const PrintedText box{t.text, t.left, t.top, t.right, t.bottom, t.call};
    // Crosses() allows a hair of overlap; a segment that crosses the true box is at 0.
    if (Crosses(PrintedText{t.text, t.left - 2 * kInside, t.top - 2 * kInside, t.right + 2 * kInside,
                            t.bottom + 2 * kInside, t.call},
                x1, y1, x2, y2))
        return 0;
    const auto toSegment = [&](float px, float py) {
        const float dx = x2 - x1, dy = y2 - y1;
        const float length2 = dx * dx + dy * dy;
        const float u = length2 > 0 ? std::clamp(((px - x1) * dx + (py - y1) * dy) / length2, 0.0f, 1.0f) : 0.0f;
        return std::hypot(px - (x1 + u * dx), py - (y1 + u * dy));
    };
    return std::min({DistanceTo(box, x1, y1), DistanceTo(box, x2, y2), toSegment(t.left, t.top),
                     toSegment(t.right, t.top), toSegment(t.left, t.bottom), toSegment(t.right, t.bottom)});
}

// Whether two texts stand on one line of the page.
bool SameLine(const PrintedText& a, const PrintedText& b)
{
    return std::fabs((a.top + a.bottom) / 2 - (b.top + b.bottom) / 2) < (a.bottom - a.top) / 2;
}

// Room a reader sees between a caption and its value: clearly more than a word space.
constexpr float kCaptionGap = 0.1f;
// White between a label and the ink of an outline.
constexpr float kOutlineClear = 0.024f;

// A number written in a circle is centred on it.
bool InsideCircle(const PrintedText& t, const RecordingPrinter::Call& c)
{
    return std::hypot((t.left + t.right) / 2 - c.x, (t.top + t.bottom) / 2 - c.y) < 0.01f &&
           t.right - t.left < 2 * c.radius;
}

// The sheet of each venue, from a few level cells to a steep array of 24 in both unit
// systems: no text runs over another, over a line (a box's frame, an outline, a cable, an
// aim line, a tick) or a circle, except a brace's label on its own brace and a cell's number
// in its own white circle; the numbers' circles stay apart, and every cell has its number.
TEST(RiggingSheetLayout, TextsStayClearOfLinesCirclesAndEachOther)
{
    using enum BrandCode;
    using enum UnitsCode;
    using enum ConfigurationCode;
    const std::vector<Venue> venues = {
        {"24 steep cells, metric", TarvicKv9, 24, 5, -6, 0, Metric},
        {"24 steep cells, English", TarvicKv9, 24, 5, -6, 0, English},
        {"24 straight cells, metric", TarvicKv9, 24, 0, 0, 0, Metric},
        {"4 cells, English", TarvicKv9, 4, 2, 0, 0, English},
        {"4 cells, metric", TarvicKv9, 4, 2, 0, 0, Metric},
        {"tilted up, metric", TarvicKv9, 8, 3, 0, 12, Metric},
        {"tilted down, English", TarvicKv9, 8, 3, 0, -15, English},
        {"tilted, close hang points, metric", TarvicKv9, 8, 3, 0, 20, Metric, Flown, RiggingCode::DualPoint, 4, 6},
        {"outermost hang points, metric", TarvicKv9, 12, 0, 0, 0, Metric, Flown, RiggingCode::DualPoint, 1, 11},
        {"outermost hang points, English", TarvicKv9, 12, 0, 0, 0, English, Flown, RiggingCode::DualPoint, 1, 11},
        {"one hang point, English", TarvicKv9, 6, 3, 0, 0, English, Flown, RiggingCode::SinglePoint},
        {"stacked, metric", TarvicKv9, 6, 3, 0, 0, Metric, GroundStacked},
        {"16 small cells, metric", TarvicKv4, 16, 4, -3, 0, Metric},
        {"16 small cells, English", TarvicKv4, 16, 4, -3, 0, English},
        {"10 cells of another line, metric", RSarn, 10, 3, 0, 5, Metric},
        {"12 cells of a third line, English", DeVelt, 12, 2, 0, -5, English},
    };
    for (const Venue& v : venues) {
        auto venue = Make(v);
        MeasuringPrinter printer;
        CalculationResults shared;
        PrintSheet(*venue, printer, shared);
        ASSERT_EQ(printer.CallsOf(Op::EndDoc).size(), 1u) << v.name << ": one page";

        const auto& calls = printer.Calls();
        const auto& texts = printer.Printed();
        // The outlines are the widest lines on the sheet.
        int outlineWidth = 0;
        for (const auto& c : calls)
            if (c.op == Op::Line)
                outlineWidth = std::max(outlineWidth, c.lineWidth);
        const float outlineInk = static_cast<float>(outlineWidth) * printer.TwipsPerPixelX() / 1440 / 2;
        for (std::size_t i = 0; i < texts.size(); ++i) {
            const PrintedText& t = texts[i];
            const std::string what = std::string(v.name) + ": \"" + t.text + "\"";
            const auto& printed = calls[t.call];
            // The circle it is written in, if any: it hides what was drawn before it.
            std::size_t hiddenBefore = 0;
            for (std::size_t k = 0; k < t.call; ++k)
                if (calls[k].op == Op::Circle && InsideCircle(t, calls[k]))
                    hiddenBefore = k;
            for (std::size_t j = i + 1; j < texts.size(); ++j)
                EXPECT_FALSE(Overlap(t, texts[j])) << what << " runs over \"" << texts[j].text << "\"";
            // A caption keeps a clear gap from what stands beside it on its line: its value
            // on the right, the value before it on the left.
            if (t.text.ends_with(':')) {
                for (const PrintedText& other : texts) {
                    if (&other == &t || !SameLine(t, other))
                        continue;
                    const float gap = other.left >= t.right ? other.left - t.right : t.left - other.right;
                    if (gap > -kInside) {
                        EXPECT_GE(gap, kCaptionGap) << what << " is too close to \"" << other.text << "\"";
                    }
                }
            }
            const float cx = (t.left + t.right) / 2;
            const float cy = (t.top + t.bottom) / 2;
            for (std::size_t k = 0; k < calls.size(); ++k) {
                const auto& c = calls[k];
                if (c.op == Op::Line && c.lineWidth == outlineWidth && k >= hiddenBefore) {
                    EXPECT_GE(SegmentDistanceTo(t, c.x, c.y, c.x2, c.y2) - outlineInk, kOutlineClear)
                        << what << " touches the outline from (" << c.x << ", " << c.y << ") to (" << c.x2 << ", "
                        << c.y2 << ")";
                }
                if (c.op == Op::Line) {
                    if (k < hiddenBefore || !Crosses(t, c.x, c.y, c.x2, c.y2))
                        continue;
                    // An opaque label blanks its own brace, which runs through its middle.
                    const bool ownBrace = !printed.transparentText &&
                                          ((c.y == c.y2 && std::fabs(c.y - cy) < 1e-3f) ||
                                           (c.x == c.x2 && std::fabs(c.x - cx) < 1e-3f));
                    EXPECT_TRUE(ownBrace) << what << " at (" << t.left << ", " << t.top << ", " << t.right << ", " << t.bottom << ") runs over the line from (" << c.x << ", " << c.y << ") to ("
                                          << c.x2 << ", " << c.y2 << ")";
                } else if (c.op == Op::Circle && !InsideCircle(t, c)) {
                    EXPECT_GE(DistanceTo(t, c.x, c.y), c.radius - kInside)
                        << what << " runs over the circle at (" << c.x << ", " << c.y << ")";
                }
            }
        }

        // The side view's numbers: each once, in its own circle, the circles apart.
        std::vector<RecordingPrinter::Call> numbered;
        for (int n = 1; n <= v.cells; ++n) {
            const std::string number = std::to_string(n);
            const auto circle = std::find_if(calls.begin(), calls.end(), [&](const RecordingPrinter::Call& c) {
                if (c.op != Op::Circle)
                    return false;
                return std::any_of(texts.begin(), texts.end(), [&](const PrintedText& t) {
                    return t.text == number && InsideCircle(t, c);
                });
            });
            ASSERT_NE(circle, calls.end()) << v.name << ": cell " << n << " has no number in a circle";
            numbered.push_back(*circle);
        }
        for (std::size_t a = 0; a < numbered.size(); ++a)
            for (std::size_t b = a + 1; b < numbered.size(); ++b)
                EXPECT_GE(std::hypot(numbered[a].x - numbered[b].x, numbered[a].y - numbered[b].y),
                          numbered[a].radius + numbered[b].radius)
                    << v.name << ": the circles of cells " << a + 1 << " and " << b + 1 << " run together";
    }
}

// The text and rules of the sheet keep to its printable area: the cell table's numbers, up
// to two digits, stand within the margin that the title, the rules and the boxes keep. Every
// head keeps clear of the rule under it (its descenders off the rule's ink), the rule runs
// under the whole head, and the line after it starts clear of the rule too.
TEST(RiggingSheetLayout, HeadsKeepClearOfTheirRulesAndTextsWithinTheMargins)
{
    using enum BrandCode;
    using enum UnitsCode;
    const std::vector<Venue> venues = {
        {"24 steep cells, metric", TarvicKv9, 24, 5, -6, 0, Metric},
        {"12 cells of a third line, English", DeVelt, 12, 2, 0, -5, English},
        {"4 cells, English", TarvicKv9, 4, 2, 0, 0, English},
    };
    // White between a text's box (its descenders) and a rule's ink.
    constexpr float kRuleClear = 0.01f;
    constexpr float kPrintableLeft = (8.5f - 7.0f) / 2;
    for (const Venue& v : venues) {
        SCOPED_TRACE(v.name);
        auto venue = Make(v);
        MeasuringPrinter printer;
        CalculationResults shared;
        PrintSheet(*venue, printer, shared);
        const auto& texts = printer.Printed();
        const auto& calls = printer.Calls();
        for (const PrintedText& t : texts) {
            EXPECT_GE(t.left, kPrintableLeft - kInside) << "\"" << t.text << "\" starts left of the margin";
            EXPECT_LE(t.right, kPrintableLeft + 7.0f + kInside) << "\"" << t.text << "\" ends right of the margin";
        }

        for (const char* head : {"Cell", "Type", "Angle", "Pinning", "Splay", "Array", "Bumper", "Calculations",
                                 "12/11/2026"}) {
            const auto found = std::find_if(texts.begin(), texts.end(), [&](const PrintedText& t) { return t.text == head; });
            ASSERT_NE(found, texts.end()) << head;
            const PrintedText& t = *found;
            // Its rule: the nearest horizontal line under the middle of its line that runs
            // under some of it.
            const RecordingPrinter::Call* rule = nullptr;
            for (const auto& c : calls) {
                if (c.op != Op::Line || c.y != c.y2 || std::max(c.x, c.x2) < t.left || std::min(c.x, c.x2) > t.right)
                    continue;
                if (c.y > (t.top + t.bottom) / 2 && c.y < t.bottom + 0.2f && (rule == nullptr || c.y < rule->y))
                    rule = &c;
            }
            ASSERT_NE(rule, nullptr) << head << " has no rule";
            const float ink = static_cast<float>(rule->lineWidth) * printer.TwipsPerPixelX() / 1440 / 2;
            EXPECT_GE(rule->y - ink - t.bottom, kRuleClear) << head << " touches its rule";
            EXPECT_LE(std::min(rule->x, rule->x2), t.left) << head << " starts before its rule";
            EXPECT_GE(std::max(rule->x, rule->x2), t.right) << head << " ends after its rule";
            // What stands on the next line under the rule keeps as clear of it.
            for (const PrintedText& below : texts) {
                if (below.top < (t.top + t.bottom) / 2 + 0.01f || below.top > rule->y + 0.1f ||
                    below.right < std::min(rule->x, rule->x2) || below.left > std::max(rule->x, rule->x2))
                    continue;
                EXPECT_GE(below.top - (rule->y + ink), kRuleClear)
                    << "\"" << below.text << "\" touches the rule under " << head;
            }
        }
    }
}

// A dual-point array whose centre of gravity lies outside its hang points gets no load
// figures anywhere on its sheet, and its rigging box says why in the status bar's words,
// flown or ground stacked; a balanced flown array prints both loads over its cables and
// under its hang points, a stacked one neither loads nor hang points.
TEST(RiggingSheetLayout, AnArrayOutOfBalancePrintsNoLoadsAndSaysSo)
{
    using enum BrandCode;
    using enum UnitsCode;
    using enum ConfigurationCode;
    struct Case {
        Venue venue;
        bool balanced;
    };
    const std::vector<Case> cases = {
        {{"24 cells curling back under the bumper", TarvicKv9, 24, 5, -6, 0, English}, false},
        {{"24 cells curling back, metric", TarvicKv9, 24, 5, -6, 0, Metric}, false},
        {{"24 straight cells", TarvicKv9, 24, 0, 0, 0, English}, true},
        {{"24 steep cells stacked", TarvicKv9, 24, 5, -6, 0, English, GroundStacked}, false},
        {{"6 cells stacked", TarvicKv9, 6, 3, 0, 0, Metric, GroundStacked}, true},
    };
    constexpr const char* kMessage = "The array's center of gravity is unbalanced.";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.venue.name);
        auto venue = Make(c.venue);
        MeasuringPrinter printer;
        CalculationResults shared;
        PrintSheet(*venue, printer, shared);
        ASSERT_EQ(shared.Balanced, c.balanced);
        ASSERT_EQ(printer.CallsOf(Op::EndDoc).size(), 1u);

        const auto& texts = printer.Printed();
        const auto find = [&texts](const std::string& text) {
            return std::find_if(texts.begin(), texts.end(), [&](const PrintedText& t) { return t.text == text; });
        };
        const UnitsCode units = venue->Units();
        const std::string front = Format::FormatWeight(shared.FrontLoad, units);
        const std::string back = Format::FormatWeight(shared.BackLoad, units);
        const std::string unit = units == English ? " lbs" : " kg";
        std::vector<std::string> weights;
        for (const PrintedText& t : texts)
            if (t.text.ends_with(unit))
                weights.push_back(t.text);
        // Both hang points of a flown array stay named in the view from above.
        const bool flown = c.venue.configuration == Flown;
        EXPECT_EQ(find("Front") != texts.end(), flown);
        EXPECT_EQ(find("Back") != texts.end(), flown);

        const auto message = find(kMessage);
        if (c.balanced && !flown) {
            EXPECT_EQ(message, texts.end());
            EXPECT_EQ(weights, std::vector<std::string>{Format::FormatWeight(shared.TotalWeight, units)});
            continue;
        }
        if (c.balanced) {
            EXPECT_EQ(message, texts.end());
            EXPECT_EQ(weights, (std::vector<std::string>{Format::FormatWeight(shared.TotalWeight, units), front,
                                                         back, "Load: " + front, "Load: " + back}));
            continue;
        }
        EXPECT_EQ(weights, std::vector<std::string>{Format::FormatWeight(shared.TotalWeight, units)})
            << "the total weight and no load";
        ASSERT_NE(message, texts.end());
        EXPECT_EQ(std::count_if(texts.begin(), texts.end(), [&](const PrintedText& t) { return t.text == kMessage; }),
                  1);
        // In the rigging box: the right column, under the figures and above the view from
        // above, within the box's frame.
        const float printableLeft = (8.5f - 7.0f) / 2;
        EXPECT_GE(message->left, printableLeft + 0.45f * 7.0f);
        EXPECT_LE(message->right, printableLeft + 7.0f);
        EXPECT_GT(message->top, find("Array Height:")->bottom);
        if (flown) {
            EXPECT_LT(message->bottom, find("Front")->top);
        }
        const auto& calls = printer.Calls();
        const bool framed = std::any_of(calls.begin(), calls.end(), [&](const RecordingPrinter::Call& l) {
            return l.op == Op::Line && l.y == l.y2 && l.y < message->top && std::min(l.x, l.x2) < message->left &&
                   std::max(l.x, l.x2) > message->right && message->top - l.y < 0.5f;
        });
        EXPECT_TRUE(framed) << "the box's top edge lies just above the message";
    }
}

} // namespace
} // namespace polvane
