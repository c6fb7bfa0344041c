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
        ScriptedPrompts prompts;
        NoBar bar;
        NoCaption caption;
        FakeClock clock;
        CalculationResults shared;
        RiggingSheet::Settings settings;
        settings.venuePath = "/venues/Hall.venue";
        settings.date = "12/11/2026";
        settings.showSplayAngles = true;
        RiggingSheet(printer, prompts, bar, caption, clock).PrintOut(*venue, settings, shared);
        ASSERT_EQ(printer.CallsOf(Op::EndDoc).size(), 1u) << v.name << ": one page";

        const auto& calls = printer.Calls();
        const auto& texts = printer.Printed();
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
            const float cx = (t.left + t.right) / 2;
            const float cy = (t.top + t.bottom) / 2;
            for (std::size_t k = 0; k < calls.size(); ++k) {
                const auto& c = calls[k];
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

} // namespace
} // namespace polvane
