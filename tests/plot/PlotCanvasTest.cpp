#include "plot/PlotCanvas.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QRect>

#include <gtest/gtest.h>

#include "engine/CalculationResults.h"
#include "engine/Environment.h"
#include "shell/options/ArgbColor.h"
#include "shell/options/ColorTable.h"
#include "shell/options/CurveColors.h"
#include "shell/options/FrequencyTable.h"
#include "shell/options/Options.h"
#include "support/MemorySettingsStore.h"
#include "plot/PlotPictureBox.h"

namespace polvane {
namespace {

using Kind = PlotCanvas::Kind;
using PenRole = PlotCanvas::PenRole;
using BrushRole = PlotCanvas::BrushRole;
using TextFormat = PlotCanvas::TextFormat;

constexpr std::uint32_t kBackground = ArgbColor::MakeARGB(255, 255, 255, 255);
constexpr std::uint32_t kGridNormal = ArgbColor::MakeARGB(255, 0, 200, 0);
constexpr std::uint32_t kGridZero = ArgbColor::MakeARGB(255, 200, 0, 0);
constexpr std::uint32_t kScaleLines = ArgbColor::MakeARGB(255, 0, 0, 200);
constexpr std::uint32_t kText = ArgbColor::MakeARGB(255, 0, 0, 0);
constexpr std::uint32_t kCellFill = ArgbColor::MakeARGB(255, 250, 200, 0);
constexpr std::uint32_t kCellEdge = ArgbColor::MakeARGB(255, 120, 0, 120);

// Options in memory with colours that tell the drawn parts apart, and every switch off
// (aliased drawing, so pixels hold exact pen colours).
class PlotCanvasTest : public ::testing::Test {
protected:
    PlotCanvasTest()
    {
        ColorTable& colors = options_.Colors();
        colors.SetColor(ColorTable::kBackground, kBackground);
        colors.SetColor(ColorTable::kGridLinesNormal, kGridNormal);
        colors.SetColor(ColorTable::kGridLinesZero, kGridZero);
        colors.SetColor(ColorTable::kScaleLines, kScaleLines);
        colors.SetColor(ColorTable::kText, kText);
        colors.SetColor(ColorTable::kCellFill, kCellFill);
        colors.SetColor(ColorTable::kCellEdge, kCellEdge);
        options_.SetAntialias(false);
        options_.SetShowScale(false);
        options_.SetShowGrid(false);
    }

    // A canvas as a window has it after Load, with its picture box's size.
    std::unique_ptr<PlotCanvas> Canvas(Kind kind, double width, double height)
    {
        auto canvas = std::make_unique<PlotCanvas>(kind, options_);
        canvas->CreateGraphicsObjects();
        canvas->SetPictureSize(width, height);
        canvas->RefreshGraphicsHandle(false, true);
        return canvas;
    }

    MemorySettingsStore store_;
    Options options_{store_};
};

QRgb Pixel(const QImage& image, float x, float y)
{
    return image.pixel(static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y)));
}

// Whether the colour lies on a pixel within one pixel of (x, y): aliased lines at
// fractional positions land on either neighbour.
bool ColourNear(const QImage& image, float x, float y, std::uint32_t argb)
{
    const int cx = static_cast<int>(std::lround(x));
    const int cy = static_cast<int>(std::lround(y));
    for (int dx = -1; dx <= 1; ++dx)
        for (int dy = -1; dy <= 1; ++dy)
            if (image.valid(cx + dx, cy + dy) && image.pixel(cx + dx, cy + dy) == argb)
                return true;
    return false;
}

// The rectangle of all pixels that differ from the background.
QRect InkBounds(const QImage& image, QRect within)
{
    QRect ink;
    for (int y = within.top(); y <= within.bottom(); ++y)
        for (int x = within.left(); x <= within.right(); ++x)
            if (image.valid(x, y) && image.pixel(x, y) != kBackground)
                ink |= QRect(x, y, 1, 1);
    return ink;
}

// --- Geometry transform --------------------------------------------------------------------

// 230 x 121 with the scale on leaves a 200 x 100 plot.
TEST_F(PlotCanvasTest, ArrayPictureFitsTheBoxAtEqualScaleGrowingTheShortAxisBothWays)
{
    options_.SetShowScale(true);
    auto canvas = Canvas(Kind::ArrayPicture, 230, 121);
    ASSERT_TRUE(canvas->SetBounds(PlotCanvas::Box{0, 5, 20, 0}));

    EXPECT_EQ(canvas->Left(), 27);
    EXPECT_EQ(canvas->Top(), 3);
    EXPECT_EQ(canvas->PlotWidth(), 200);
    EXPECT_EQ(canvas->PlotHeight(), 100);
    EXPECT_EQ(canvas->RightEdge(), 227);
    EXPECT_EQ(canvas->BottomEdge(), 103);
    // x padded by 5 % to -1..21 fills the plot less the markers' reach on either side;
    // y padded to -0.25..5.25 grows about its middle to the same units per pixel.
    const int reach = PlotCanvas::kArrayMarkerReach;
    const double perPixel = 22.0 / (200 - 2 * reach);
    EXPECT_NEAR(canvas->ConvertX(-1), 27 + reach, 1e-3);
    EXPECT_NEAR(canvas->ConvertX(21), 227 - reach, 1e-3);
    EXPECT_NEAR(canvas->XMin(), -1 - reach * perPixel, 1e-4);
    EXPECT_NEAR(canvas->YRange(), 100 * perPixel, 1e-4);
    EXPECT_NEAR(canvas->ConvertY(2.5f), 53, 1e-3);
    EXPECT_NEAR(canvas->ConvertX(1) - canvas->ConvertX(0), canvas->ConvertY(0) - canvas->ConvertY(1),
                1e-4);
}

TEST_F(PlotCanvasTest, VenueStartingAtTheOriginKeepsItInTheLowerLeftCorner)
{
    struct Case {
        PlotCanvas::Box box;
        float xMax, yMax;
    };
    // Plot 200 x 100 with the scale off (picture 206 x 106).
    const std::vector<Case> cases = {
        // Wide: y grows, all of it upwards (0.105 units per pixel).
        {{0, 5, 20, 0}, 21.0f, 10.5f},
        // Tall: x grows, all of it to the right (0.21 units per pixel).
        {{0, 20, 2, 0}, 42.0f, 21.0f},
        // Items away from the origin still start the picture at it.
        {{4, 20, 10, 2}, 41.8f, 20.9f},
    };
    for (const Case& c : cases) {
        auto canvas = Canvas(Kind::Venue, 206, 106);
        ASSERT_TRUE(canvas->SetBounds(c.box));
        EXPECT_FLOAT_EQ(canvas->XMin(), 0.0f);
        EXPECT_FLOAT_EQ(canvas->YMin(), 0.0f);
        EXPECT_FLOAT_EQ(canvas->XMax(), c.xMax);
        EXPECT_FLOAT_EQ(canvas->YMax(), c.yMax);
        EXPECT_FLOAT_EQ(canvas->ConvertX(0), 3.0f);
        EXPECT_FLOAT_EQ(canvas->ConvertY(0), static_cast<float>(canvas->BottomEdge()));
    }
}

TEST_F(PlotCanvasTest, VenueReachingBelowTheOriginPadsAndGrowsAboutTheMiddle)
{
    auto canvas = Canvas(Kind::Venue, 206, 106);
    ASSERT_TRUE(canvas->SetBounds(PlotCanvas::Box{-10, 2, 10, -2}));
    EXPECT_FLOAT_EQ(canvas->XMin(), -11.0f);
    EXPECT_FLOAT_EQ(canvas->XMax(), 11.0f);
    EXPECT_FLOAT_EQ(canvas->YMin(), -5.5f);
    EXPECT_FLOAT_EQ(canvas->YMax(), 5.5f);

    // The venue maps pixels back to the model.
    for (const float x : {-11.0f, -3.25f, 0.0f, 7.5f})
        EXPECT_NEAR(canvas->RevertX(canvas->ConvertX(x)), x, 1e-4);
    for (const float y : {-5.5f, -1.0f, 0.0f, 4.75f})
        EXPECT_NEAR(canvas->RevertY(canvas->ConvertY(y)), y, 1e-4);
}

TEST_F(PlotCanvasTest, ScaleSwitchSetsTheMarginsAndTheGridStaysWithoutIt)
{
    options_.SetShowGrid(true);
    for (const bool scale : {true, false}) {
        options_.SetShowScale(scale);
        auto canvas = Canvas(Kind::ArrayPicture, 300, 200);
        ASSERT_TRUE(canvas->SetBounds(PlotCanvas::Box{-10, 10, 10, -10}));
        canvas->DrawScale();
        const QImage& image = canvas->Surface();

        EXPECT_EQ(canvas->Left(), scale ? 27 : 3);
        EXPECT_EQ(canvas->BottomEdge(), scale ? 200 - 18 : 200 - 3);
        EXPECT_FLOAT_EQ(canvas->ConvertX(canvas->XMin()), scale ? 27.0f : 3.0f);
        // Labels live left of the plot only with the scale on.
        const QRect labelColumn(0, 0, canvas->Left() - 6, 200);
        EXPECT_EQ(InkBounds(image, labelColumn).isEmpty(), !scale);
        // The grid line next to zero is there either way.
        const float step = canvas->XStep();
        ASSERT_GT(step, 0.0f);
        EXPECT_TRUE(ColourNear(image, canvas->ConvertX(step),
                               canvas->ConvertY(canvas->YStep() / 2), kGridNormal));
    }
}

TEST_F(PlotCanvasTest, RiggingMarginsMakeRoomForTheCableDistanceAndTheWeights)
{
    const std::string label = "53.34 cm";
    auto canvas = Canvas(Kind::RiggingDetails, 300, 200);
    const QSize size = canvas->MeasureText(label);
    ASSERT_GT(size.width(), 0);
    struct Case {
        bool distance, weights;
        int loadRows;
        int top, right;
    };
    const std::vector<Case> cases = {
        {false, false, 1, 2, 2},
        {true, false, 1, size.height() + 2, size.width() + 2},
        {false, true, 1, 2 + size.height() + 1, 2},
        {true, true, 1, 2 * size.height() + 3, size.width() + 2},
        {true, true, 2, 3 * size.height() + 4, size.width() + 2},
        {false, false, 2, 2, 2},
    };
    for (const Case& c : cases) {
        options_.SetShowDistanceBetweenCables(c.distance);
        options_.SetShowWeights(c.weights);
        canvas->SetLoadRows(c.loadRows);
        ASSERT_TRUE(canvas->SetBounds(PlotCanvas::Box{-1, 1, 1, -1}, label));
        EXPECT_EQ(canvas->Top(), c.top);
        EXPECT_EQ(canvas->Right(), c.right);
        EXPECT_FLOAT_EQ(canvas->ConvertY(canvas->YMax()), static_cast<float>(c.top));
        EXPECT_EQ(canvas->PlotWidth(), 300 - 3 - c.right);
        // Lengths without the offset.
        EXPECT_FLOAT_EQ(canvas->ConvertWidth(1.0f),
                        canvas->ConvertX(1.0f) - canvas->ConvertX(0.0f));
        EXPECT_FLOAT_EQ(canvas->ConvertHeight(1.0f),
                        canvas->ConvertY(0.0f) - canvas->ConvertY(1.0f));
    }
}

TEST_F(PlotCanvasTest, BoxOfASinglePointStillGivesAFiniteTransform)
{
    // An empty venue: every bound 0. Nothing to pad; the canvas shows one unit across
    // rather than dividing by a zero range.
    for (const Kind kind : {Kind::ArrayPicture, Kind::Venue, Kind::RiggingDetails}) {
        auto canvas = Canvas(kind, 206, 106);
        ASSERT_TRUE(canvas->SetBounds(PlotCanvas::Box{}));
        // The array picture keeps its markers' reach free on either side of the unit.
        const int reach = kind == Kind::ArrayPicture ? PlotCanvas::kArrayMarkerReach : 0;
        EXPECT_FLOAT_EQ(canvas->XRange() * static_cast<float>(canvas->PlotWidth() - 2 * reach) /
                            static_cast<float>(canvas->PlotWidth()),
                        1.0f);
        EXPECT_NEAR(canvas->YRange(),
                    canvas->XRange() * static_cast<float>(canvas->PlotHeight()) /
                        static_cast<float>(canvas->PlotWidth()),
                    1e-6);
        EXPECT_TRUE(std::isfinite(canvas->ConvertX(0)));
        EXPECT_TRUE(std::isfinite(canvas->ConvertY(0)));
        EXPECT_NO_THROW(canvas->DrawScale());
    }
    auto venue = Canvas(Kind::Venue, 206, 106);
    ASSERT_TRUE(venue->SetBounds(PlotCanvas::Box{}));
    EXPECT_FLOAT_EQ(venue->ConvertX(0), 3.0f);
    EXPECT_FLOAT_EQ(venue->ConvertY(0), static_cast<float>(venue->BottomEdge()));
    // A single point off the origin is centred.
    auto array = Canvas(Kind::ArrayPicture, 206, 106);
    ASSERT_TRUE(array->SetBounds(PlotCanvas::Box{2, 3, 2, 3}));
    EXPECT_NEAR(array->ConvertX(2), 103, 1e-3);
    EXPECT_NEAR(array->ConvertY(3), 53, 1e-3);
}

TEST_F(PlotCanvasTest, BoundsComeFromTheWindowsOwnPartOfTheResults)
{
    CalculationResults results;
    results.ArrayMinX = 0, results.ArrayMaxX = 1, results.ArrayMinY = 0, results.ArrayMaxY = 1;
    results.RiggingMinX = 0, results.RiggingMaxX = 2, results.RiggingMinY = 0,
    results.RiggingMaxY = 2;
    results.VenueMinX = -30, results.VenueMaxX = 30, results.VenueMinY = -30,
    results.VenueMaxY = 30;
    struct Case {
        Kind kind;
        float xMax;
    };
    for (const Case& c : {Case{Kind::ArrayPicture, 1.05f}, Case{Kind::RiggingDetails, 2.1f},
                          Case{Kind::Venue, 33.0f}}) {
        auto canvas = Canvas(c.kind, 206, 206);
        ASSERT_TRUE(canvas->SetBounds(results));
        // The array picture's box ends its markers' reach inside the plot.
        const int reach = c.kind == Kind::ArrayPicture ? PlotCanvas::kArrayMarkerReach : 0;
        EXPECT_NEAR(canvas->ConvertX(c.xMax), static_cast<float>(canvas->RightEdge() - reach), 1e-3);
    }
}

TEST_F(PlotCanvasTest, PictureTooSmallForAPlotIsNotDrawnOrCopied)
{
    PlotPictureBox box;
    CalculationResults results;
    results.VenueMaxX = 10, results.VenueMaxY = 10;
    struct Case {
        double width, height;
    };
    // Width 6 leaves a zero-wide plot with the scale off; 0 x 0 leaves no surface at all.
    for (const Case& c : {Case{6, 100}, Case{100, 6}, Case{6.4, 6.4}, Case{0, 0}, Case{-5, 40}}) {
        auto canvas = Canvas(Kind::Venue, c.width, c.height);
        EXPECT_FALSE(canvas->BeginRedraw(results));
        EXPECT_FALSE(canvas->PlotHasRoom());
        // What a careless window would still draw must not fail either.
        EXPECT_NO_THROW(canvas->DrawLine(Point2D(0, 0), Point2D(1, 1), canvas->Pen(PenRole::CellEdge)));
    }
    auto canvas = Canvas(Kind::Venue, 0, 0);
    EXPECT_FALSE(canvas->HasSurface());
    canvas->CopyTo(box);
    EXPECT_TRUE(box.Picture().isNull());
}

// --- Surface ---------------------------------------------------------------------------------

TEST_F(PlotCanvasTest, SurfaceFollowsThePictureSizeRoundedHalvesToEven)
{
    struct Case {
        double width, height;
        int w, h;
    };
    auto canvas = Canvas(Kind::ArrayPicture, 1, 1);
    for (const Case& c : {Case{100, 50, 100, 50}, Case{100.5, 50.5, 100, 50},
                          Case{101.5, 3.5, 102, 4}, Case{1.4, 7.6, 1, 8}}) {
        canvas->SetPictureSize(c.width, c.height);
        canvas->RefreshGraphicsHandle(true, true);
        ASSERT_TRUE(canvas->HasSurface());
        EXPECT_EQ(canvas->Surface().size(), QSize(c.w, c.h));
        EXPECT_EQ(canvas->Surface().pixel(c.w - 1, c.h - 1), kBackground);
    }
    canvas->RefreshGraphicsHandle(true, false);
    EXPECT_FALSE(canvas->HasSurface());
}

// A redraw at the same size paints over the same image, cleared to the background; the
// picture already handed to the box keeps what it showed.
TEST_F(PlotCanvasTest, RedrawAtTheSameSizeReusesTheSurface)
{
    PlotPictureBox box;
    box.resize(80, 50);
    auto canvas = Canvas(Kind::ArrayPicture, box.ScaleWidth(), box.ScaleHeight());
    canvas->DrawLineManual(0, 10, 80, 10, canvas->Pen(PenRole::GridZero));
    canvas->CopyTo(box);
    const uchar* const bits = canvas->Surface().constBits();

    canvas->RefreshGraphicsHandle(true, true);
    ASSERT_TRUE(canvas->HasSurface());
    EXPECT_EQ(canvas->Surface().constBits(), bits);
    EXPECT_TRUE(InkBounds(canvas->Surface(), QRect(0, 0, 80, 50)).isNull());
    EXPECT_EQ(box.Picture().pixel(40, 10), kGridZero);
    canvas->DrawLineManual(0, 20, 80, 20, canvas->Pen(PenRole::GridZero));
    EXPECT_EQ(canvas->Surface().pixel(40, 20), kGridZero);

    canvas->SetPictureSize(60, 50);
    canvas->RefreshGraphicsHandle(true, true);
    EXPECT_EQ(canvas->Surface().size(), QSize(60, 50));
    EXPECT_TRUE(InkBounds(canvas->Surface(), QRect(0, 0, 60, 50)).isNull());
}

TEST_F(PlotCanvasTest, AntialiasSwitchTakesEffectAtTheNextRedraw)
{
    auto colours = [](const QImage& image) {
        std::set<QRgb> seen;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                seen.insert(image.pixel(x, y));
        return seen.size();
    };
    auto canvas = Canvas(Kind::Venue, 60, 60);
    canvas->DrawLineManual(5, 7, 50, 41, canvas->Pen(PenRole::SeatingArea));
    EXPECT_EQ(colours(canvas->Surface()), 2u);

    options_.SetAntialias(true);
    canvas->DrawLineManual(5, 41, 50, 7, canvas->Pen(PenRole::SeatingArea));
    EXPECT_EQ(colours(canvas->Surface()), 2u) << "the surface keeps the smoothing it was made with";

    canvas->RefreshGraphicsHandle(true, true);
    canvas->DrawLineManual(5, 7, 50, 41, canvas->Pen(PenRole::SeatingArea));
    EXPECT_GT(colours(canvas->Surface()), 2u);
}

TEST_F(PlotCanvasTest, CopyHandsTheWholePictureToThePictureBox)
{
    PlotPictureBox box;
    box.resize(80, 50);
    auto canvas = Canvas(Kind::ArrayPicture, box.ScaleWidth(), box.ScaleHeight());
    canvas->DrawLineManual(0, 10, 80, 10, canvas->Pen(PenRole::GridZero));
    canvas->CopyTo(box);
    ASSERT_EQ(box.Picture().size(), QSize(80, 50));
    EXPECT_EQ(box.Picture().pixel(40, 10), kGridZero);

    // The next drawing does not reach the box until it is copied.
    canvas->DrawLineManual(0, 20, 80, 20, canvas->Pen(PenRole::GridZero));
    EXPECT_EQ(box.Picture().pixel(40, 20), kBackground);

    const QImage shown = box.grab().toImage();
    EXPECT_EQ(shown.pixel(40, 10), kGridZero);
    EXPECT_EQ(shown.pixel(40, 30), kBackground);
}

// --- Drawing objects ---------------------------------------------------------------------------

TEST_F(PlotCanvasTest, EachWindowGetsItsOwnPensAndBrushes)
{
    auto array = Canvas(Kind::ArrayPicture, 10, 10);
    EXPECT_EQ(array->Pen(PenRole::BumperEdge).widthF(), 2.0);
    EXPECT_EQ(array->Pen(PenRole::BumperEdge).capStyle(), Qt::RoundCap);
    EXPECT_EQ(array->Pen(PenRole::CenterOfGravity).widthF(), 3.0);
    EXPECT_EQ(array->Pen(PenRole::CenterOfGravityThin).widthF(), 1.0);
    EXPECT_EQ(array->Brush(BrushRole::Background).color().rgba(), kBackground);
    EXPECT_THROW(array->Pen(PenRole::SeatingArea), std::out_of_range);
    EXPECT_THROW(array->CurvePen(1), std::out_of_range);

    auto venue = Canvas(Kind::Venue, 10, 10);
    EXPECT_EQ(venue->Pen(PenRole::BumperEdge).widthF(), 1.0);
    EXPECT_EQ(venue->Pen(PenRole::BumperEdge).capStyle(), Qt::FlatCap);
    EXPECT_EQ(venue->Pen(PenRole::SeatingArea).widthF(), 4.0);
    EXPECT_EQ(venue->Pen(PenRole::FarField).color().alpha(), 128);
    EXPECT_EQ(venue->Brush(BrushRole::Shade).color().alpha(), 64);
    EXPECT_EQ(venue->CurvePen(CurveColors::Count()).color().rgba(),
              CurveColors::Color(CurveColors::Count()));
    EXPECT_EQ(venue->CurvePen(1).widthF(), 1.0);
    EXPECT_THROW(venue->CurvePen(CurveColors::Count() + 1), std::out_of_range);
    EXPECT_FALSE(venue->HasBrush(BrushRole::Background));

    auto rigging = Canvas(Kind::RiggingDetails, 10, 10);
    EXPECT_EQ(rigging->Pen(PenRole::Dimension).color().rgba(), kScaleLines);
    EXPECT_EQ(rigging->Pen(PenRole::Dimension).dashPattern(), (QList<qreal>{1.0, 3.0}));
    EXPECT_FALSE(rigging->HasPen(PenRole::GridZero));

    auto graph = Canvas(Kind::ListeningPointsGraph, 10, 10);
    EXPECT_EQ(graph->CurvePen(2).widthF(), 3.0);
    EXPECT_FALSE(graph->HasPen(PenRole::GraphLines));
    EXPECT_TRUE(Canvas(Kind::EvennessGraph, 10, 10)->HasPen(PenRole::GraphLines));
}

TEST_F(PlotCanvasTest, ColourChangesReachThePensOnlyWhenRefreshed)
{
    auto canvas = Canvas(Kind::Venue, 10, 10);
    options_.Colors().SetColor(ColorTable::kCellEdge, kGridZero);
    EXPECT_EQ(canvas->Pen(PenRole::CellEdge).color().rgba(), kCellEdge);
    canvas->RefreshGraphicsObjects();
    EXPECT_EQ(canvas->Pen(PenRole::CellEdge).color().rgba(), kGridZero);

    canvas->DestroyGraphicsObjects();
    EXPECT_FALSE(canvas->HasGraphicsObjects());
    EXPECT_THROW(canvas->Pen(PenRole::CellEdge), std::out_of_range);
}

// --- Scale -------------------------------------------------------------------------------------

TEST_F(PlotCanvasTest, GeometryStepsAreWholeUnitsAndTheVenuesAreMultiplesOfFive)
{
    options_.SetShowScale(true);
    for (const PlotCanvas::Box& box :
         {PlotCanvas::Box{0, 2, 3, 0}, PlotCanvas::Box{-40, 30, 120, -10},
          PlotCanvas::Box{0, 900, 1500, 0}}) {
        for (const Kind kind : {Kind::ArrayPicture, Kind::RiggingDetails, Kind::Venue}) {
            auto canvas = Canvas(kind, 420, 300);
            ASSERT_TRUE(canvas->SetBounds(box));
            for (const float step : {canvas->XStep(), canvas->YStep()}) {
                ASSERT_GE(step, 1.0f);
                EXPECT_EQ(step, std::floor(step));
                if (kind == Kind::Venue) {
                    EXPECT_EQ(std::fmod(step, 5.0f), 0.0f) << step;
                }
            }
        }
    }
    // A few units across a wide picture step by single units, except in the venue.
    auto array = Canvas(Kind::ArrayPicture, 420, 300);
    ASSERT_TRUE(array->SetBounds(PlotCanvas::Box{0, 2, 3, 0}));
    EXPECT_EQ(array->XStep(), 1.0f);
    auto venue = Canvas(Kind::Venue, 420, 300);
    ASSERT_TRUE(venue->SetBounds(PlotCanvas::Box{0, 2, 3, 0}));
    EXPECT_EQ(venue->XStep(), 5.0f);
}

TEST_F(PlotCanvasTest, GeometryLabelsDoNotCrowdAndATooNarrowAxisGetsNone)
{
    options_.SetShowScale(true);
    options_.SetShowGrid(true);
    auto canvas = Canvas(Kind::ArrayPicture, 420, 300);
    ASSERT_TRUE(canvas->SetBounds(PlotCanvas::Box{-300, 200, 1200, -100}));
    const float step = canvas->XStep();
    // The widest whole part, " 1275", with its sign position.
    const int sample = canvas->MeasureText(" 00000").width();
    // Labels sit about a sample width apart, even where the range runs to many times the
    // plot's pixels.
    EXPECT_GT(canvas->ConvertX(step) - canvas->ConvertX(0), 0.5f * sample);
    EXPECT_LT(canvas->ConvertX(step) - canvas->ConvertX(0), 2.0f * sample);

    // A plot narrower than half a sample label: no ticks, labels or grid across.
    auto narrow = Canvas(Kind::ArrayPicture, 27 + 3 + 6, 300);
    ASSERT_TRUE(narrow->SetBounds(PlotCanvas::Box{-300, 200, 1200, -100}));
    ASSERT_TRUE(narrow->PlotHasRoom());
    EXPECT_EQ(narrow->XStep(), 0.0f);
    narrow->DrawScale();
    const QRect underPlot(narrow->Left() + 1, narrow->BottomEdge() + 1, 5, 17);
    EXPECT_TRUE(InkBounds(narrow->Surface(), underPlot).isEmpty());
}

TEST_F(PlotCanvasTest, ZeroGridLineHasItsOwnColourOutsideTheRiggingWindow)
{
    options_.SetShowGrid(true);
    struct Case {
        Kind kind;
        std::uint32_t zero;
    };
    for (const Case& c : {Case{Kind::ArrayPicture, kGridZero}, Case{Kind::Venue, kGridZero},
                          Case{Kind::RiggingDetails, kGridNormal}}) {
        auto canvas = Canvas(c.kind, 306, 306);
        ASSERT_TRUE(canvas->SetBounds(PlotCanvas::Box{-12, 12, 12, -12}));
        canvas->DrawScale();
        const QImage& image = canvas->Surface();
        const float between = canvas->ConvertY(canvas->YStep() / 2);
        EXPECT_TRUE(ColourNear(image, canvas->ConvertX(0), between, c.zero));
        EXPECT_TRUE(ColourNear(image, canvas->ConvertX(canvas->XStep()), between, kGridNormal));
        EXPECT_FALSE(ColourNear(image, canvas->ConvertX(canvas->XStep() / 2), between, kGridNormal));
    }
}

TEST_F(PlotCanvasTest, ScaleDrawsAxesTicksAndLabelsBelowAndLeftOfThePlot)
{
    options_.SetShowScale(true);
    auto canvas = Canvas(Kind::ArrayPicture, 330, 221);
    ASSERT_TRUE(canvas->SetBounds(PlotCanvas::Box{0, 10, 20, 0}));
    canvas->DrawScale();
    const QImage& image = canvas->Surface();
    const float step = canvas->XStep();
    ASSERT_GT(step, 0.0f);
    // Axes.
    EXPECT_TRUE(ColourNear(image, 27, 100, kScaleLines));
    EXPECT_TRUE(ColourNear(image, 150, canvas->BottomEdge(), kScaleLines));
    // A tick below the axis at the first step, its label under it.
    const float x = canvas->ConvertX(step);
    EXPECT_TRUE(ColourNear(image, x, canvas->BottomEdge() + 3, kScaleLines));
    const QRect label = InkBounds(image, QRect(static_cast<int>(x) - 12, canvas->BottomEdge() + 6,
                                               24, 12));
    ASSERT_FALSE(label.isEmpty());
    EXPECT_NEAR(label.center().x(), x, 4.0);
    // A y label ends left of its tick.
    const float y = canvas->ConvertY(canvas->YStep());
    const QRect yLabel = InkBounds(image, QRect(0, static_cast<int>(y) - 8, 22, 16));
    ASSERT_FALSE(yLabel.isEmpty());
    EXPECT_NEAR(yLabel.center().y(), y, 3.0);
}

// --- Graph transform and scale -------------------------------------------------------------

TEST_F(PlotCanvasTest, GraphsMapTheFrequencyTableLogarithmicallyAndTheirValueRange)
{
    struct Case {
        Kind kind;
        float top, middle, bottom;
    };
    for (const Case& c : {Case{Kind::EvennessGraph, 100, 50, 0},
                          Case{Kind::ListeningPointsGraph, 12, -12, -36}}) {
        auto canvas = Canvas(c.kind, 530, 223);
        canvas->SetGraphBounds();
        // The margins of 27 and 5 pixels, or wider where the value labels need it: the
        // widest ends at its tick, and the top one is centred on its line.
        const int left = canvas->Left();
        const int top = canvas->Top();
        const QSize topLabel = canvas->MeasureText(PlotScale::SignedText(c.top));
        const QSize bottomLabel = canvas->MeasureText(PlotScale::SignedText(c.bottom));
        EXPECT_GE(left, 27);
        EXPECT_GE(left, std::max(topLabel.width(), bottomLabel.width()) + PlotScale::kTickLength + 1);
        EXPECT_GE(top, 5);
        EXPECT_GE(2 * top, topLabel.height() + 1);
        EXPECT_EQ(canvas->PlotWidth(), 530 - left - 3);
        EXPECT_EQ(canvas->PlotHeight(), 223 - top - 18);
        EXPECT_EQ(canvas->RightEdge(), 527);
        EXPECT_EQ(canvas->BottomEdge(), 205);
        const double width = canvas->PlotWidth();
        EXPECT_NEAR(canvas->ConvertX(100), left, 1e-3);
        EXPECT_NEAR(canvas->ConvertX(16000), 527, 1e-3);
        EXPECT_NEAR(canvas->ConvertX(1000), 1.0 / std::log10(160.0) * width + left, 1e-3);
        EXPECT_NEAR(canvas->ConvertY(c.top), top, 1e-4);
        EXPECT_NEAR(canvas->ConvertY(c.middle), (top + 205) / 2.0, 1e-4);
        EXPECT_NEAR(canvas->ConvertY(c.bottom), 205, 1e-4);
    }
    auto level = Canvas(Kind::ListeningPointsGraph, 530, 223);
    level->SetGraphBounds();
    EXPECT_NEAR(level->ConvertY(0), level->Top() + (205 - level->Top()) / 4.0, 1e-4);
}

TEST_F(PlotCanvasTest, GraphValueStepsAreMultiplesOfFiveOrThreeWithRoomForTheirLabels)
{
    struct Case {
        Kind kind;
        float multiple;
    };
    for (const Case& c : {Case{Kind::EvennessGraph, 5}, Case{Kind::ListeningPointsGraph, 3}}) {
        for (const int height : {60, 90, 123, 223, 600}) {
            auto canvas = Canvas(c.kind, 300, height);
            canvas->SetGraphBounds();
            const float step = canvas->YStep();
            EXPECT_EQ(std::fmod(step, c.multiple), 0.0f) << height;
            EXPECT_GE(step, c.multiple);
            const float spacing = canvas->ConvertY(0) - canvas->ConvertY(step);
            EXPECT_GE(spacing, 0.8f * canvas->MeasureText("Xy").height()) << height;
        }
    }
}

// The prediction of a flown column of `cells` cells of the default type, no seating areas.
CalculationResults ColumnResults(int cells)
{
    Environment venue;
    venue.Clear();
    for (int i = 0; i < cells; ++i)
        venue.LineArray().Cells().Add();
    return venue.GenerateCalculations(false);
}

TEST_F(PlotCanvasTest, StepsFollowTheRuleOfPixelsPerLabel)
{
    options_.SetShowScale(true);
    // The value axes at 400 pixels: the evenness graph by tens, the levels by sixes.
    auto evenness = Canvas(Kind::EvennessGraph, 400, 400);
    evenness->SetGraphBounds();
    EXPECT_EQ(evenness->YStep(), 10.0f);
    auto levels = Canvas(Kind::ListeningPointsGraph, 400, 400);
    levels->SetGraphBounds();
    EXPECT_EQ(levels->YStep(), 6.0f);

    // A 24-cell column in a 231 x 314 array picture is labelled every third unit up.
    auto array = Canvas(Kind::ArrayPicture, 231, 314);
    ASSERT_TRUE(array->SetBounds(ColumnResults(24)));
    const int h = array->MeasureText("Xy").height();
    ASSERT_GE(h, 12);
    ASSERT_LE(h, 14) << "the rule's example assumes a label font 12 to 14 pixels high";
    EXPECT_EQ(array->YStep(), 3.0f);
}

TEST_F(PlotCanvasTest, NoTwoScaleLabelsMeetAndEveryLabelIsWholeAtTheWindowsSizes)
{
    options_.SetShowScale(true);
    options_.SetShowGrid(true);
    const CalculationResults columns[] = {ColumnResults(4), ColumnResults(24)};
    const Kind kinds[] = {Kind::ArrayPicture, Kind::RiggingDetails, Kind::Venue,
                          Kind::EvennessGraph, Kind::ListeningPointsGraph};
    // The plots' sizes in the arrangements follow the screen; these span the smallest a
    // window may be made to a large screen's share.
    const int widths[] = {150, 231, 300, 420, 640, 900};
    const int heights[] = {90, 160, 225, 314, 480, 700};
    for (const Kind kind : kinds) {
        for (const int width : widths) {
            for (const int height : heights) {
                for (const CalculationResults& results : columns) {
                    SCOPED_TRACE(std::to_string(static_cast<int>(kind)) + " at " +
                                 std::to_string(width) + " x " + std::to_string(height) + ", " +
                                 std::to_string(results.CellResults.size()) + " cells");
                    auto canvas = Canvas(kind, width, height);
                    if (canvas->IsGraph())
                        canvas->SetGraphBounds();
                    else
                        ASSERT_TRUE(canvas->SetBounds(results));
                    canvas->DrawScale();
                    const auto& labels = canvas->ScaleLabels();
                    EXPECT_FALSE(labels.empty());
                    const QRectF picture(0, 0, width, height);
                    for (std::size_t i = 0; i < labels.size(); ++i) {
                        EXPECT_TRUE(picture.contains(labels[i].rect)) << labels[i].text;
                        for (std::size_t j = i + 1; j < labels.size(); ++j) {
                            if (labels[i].alongX == labels[j].alongX) {
                                EXPECT_FALSE(labels[i].rect.intersects(labels[j].rect))
                                    << labels[i].text << " and " << labels[j].text;
                            }
                        }
                    }
                }
            }
        }
    }
}

TEST_F(PlotCanvasTest, LabelsAtThePicturesEdgesAreMovedInWhole)
{
    options_.SetShowScale(true);
    auto canvas = Canvas(Kind::EvennessGraph, 400, 400);
    canvas->SetGraphBounds();
    canvas->DrawScale();
    const QRectF picture(0, 0, 400, 400);
    bool top = false;
    for (const PlotCanvas::ScaleLabel& label : canvas->ScaleLabels()) {
        EXPECT_TRUE(picture.contains(label.rect)) << label.text;
        top = top || label.text == " 100";
    }
    EXPECT_TRUE(top) << "the top value keeps its label";
    // A width at which the last band is labelled: its label ends inside the picture.
    for (int width = 200; width <= 1200; width += 50) {
        auto wide = Canvas(Kind::EvennessGraph, width, 200);
        wide->SetGraphBounds();
        wide->DrawScale();
        for (const PlotCanvas::ScaleLabel& label : wide->ScaleLabels())
            EXPECT_LE(label.rect.right(), width) << label.text << " at " << width;
    }
}

TEST_F(PlotCanvasTest, FrequencyLabelsAreThinnedToWhatFits)
{
    auto probe = Canvas(Kind::EvennessGraph, 10, 10);
    const int widest = probe->MeasureText("12.5 kHz").width();
    for (const int width : {widest * 3 + 30, widest * 8 + 30, widest * 23 + 30, widest * 40}) {
        auto canvas = Canvas(Kind::EvennessGraph, width, 200);
        canvas->SetGraphBounds();
        const int step = canvas->FrequencyLabelStep();
        ASSERT_GE(step, 1);
        const int labelled = (FrequencyTable::Count() + step - 1) / step;
        EXPECT_LE(labelled * widest, canvas->PlotWidth() + widest) << width;
    }
}

TEST_F(PlotCanvasTest, GraphGridsAreBandLinesOrDecadeLines)
{
    options_.SetShowGrid(true);
    const float y = 120;
    auto evenness = Canvas(Kind::EvennessGraph, 530, 223);
    evenness->SetGraphBounds();
    evenness->DrawScale();
    EXPECT_TRUE(ColourNear(evenness->Surface(), evenness->ConvertX(2500), y, kGridNormal));
    EXPECT_FALSE(ColourNear(evenness->Surface(), evenness->ConvertX(2800), y, kGridNormal));

    auto levels = Canvas(Kind::ListeningPointsGraph, 530, 223);
    levels->SetGraphBounds();
    levels->DrawScale();
    EXPECT_TRUE(ColourNear(levels->Surface(), levels->ConvertX(3000), y, kGridNormal));
    EXPECT_FALSE(ColourNear(levels->Surface(), levels->ConvertX(2500), y, kGridNormal));
    // The axes are drawn with the scale switched off (the 100 Hz grid line covers the
    // left one).
    EXPECT_TRUE(ColourNear(levels->Surface(), levels->ConvertX(1500), levels->BottomEdge(),
                           kScaleLines));
}

TEST_F(PlotCanvasTest, GraphsTooSmallForTheirLabelsStillDraw)
{
    options_.SetShowScale(true);
    options_.SetShowGrid(true);
    CalculationResults results;
    struct Case {
        double width, height;
    };
    for (const Kind kind : {Kind::EvennessGraph, Kind::ListeningPointsGraph}) {
        for (const Case& c : {Case{40, 200}, Case{300, 28}, Case{10, 10}, Case{0, 0}}) {
            auto canvas = Canvas(kind, c.width, c.height);
            EXPECT_TRUE(canvas->BeginRedraw(results));
            if (c.width < 100) {
                EXPECT_EQ(canvas->FrequencyLabelStep(), 0);
            }
            if (c.height < 30) {
                EXPECT_EQ(canvas->YStep(), 0.0f);
            }
        }
    }
}

// --- Primitives ---------------------------------------------------------------------------

TEST_F(PlotCanvasTest, TextFormatsPlaceTheTextRelativeToItsPoint)
{
    const QRect all(0, 0, 100, 100);
    auto draw = [&](Kind kind, int code) {
        auto canvas = Canvas(kind, 100, 100);
        canvas->DrawText("Wg8", code, 50, 50, canvas->Font(), canvas->Brush(BrushRole::Text));
        return InkBounds(canvas->Surface(), all);
    };
    const QRect farCentred = draw(Kind::ArrayPicture, 1);
    EXPECT_LE(farCentred.right(), 51);
    EXPECT_NEAR(farCentred.center().y(), 50, 3);
    const QRect below = draw(Kind::Venue, 2);
    EXPECT_GE(below.top(), 50);
    EXPECT_NEAR(below.center().x(), 50, 3);
    const QRect centred = draw(Kind::ArrayPicture, 0);
    EXPECT_NEAR(centred.center().x(), 50, 3);
    EXPECT_NEAR(centred.center().y(), 50, 3);
    // Windows without the centred format put the text's corner at the point.
    for (const QRect& corner : {draw(Kind::Venue, 0), draw(Kind::EvennessGraph, 0),
                                draw(Kind::ArrayPicture, 3), draw(Kind::ArrayPicture, -1)}) {
        EXPECT_GE(corner.left(), 49);
        EXPECT_GE(corner.top(), 50);
    }
    EXPECT_FALSE(farCentred.isEmpty());
}

TEST_F(PlotCanvasTest, ShapesFillAndOutlineAtTheConvertedPoints)
{
    auto canvas = Canvas(Kind::ArrayPicture, 206, 206);
    ASSERT_TRUE(canvas->SetBounds(PlotCanvas::Box{0, 10, 10, 0}));
    const QImage& image = canvas->Surface();
    const Point2D a(1, 1), b(4, 1), c(4, 4), d(1, 4);

    canvas->FillQuad(a, b, c, d, canvas->Brush(BrushRole::CellFill));
    EXPECT_EQ(Pixel(image, canvas->ConvertX(2.5f), canvas->ConvertY(2.5f)), kCellFill);
    EXPECT_EQ(Pixel(image, canvas->ConvertX(5), canvas->ConvertY(2.5f)), kBackground);

    const Point2D e(6, 6), f(9, 6), g(9, 9), h(6, 9);
    canvas->DrawFillQuad(e, f, g, h, canvas->Brush(BrushRole::CellFill),
                         canvas->Pen(PenRole::CellEdge));
    EXPECT_EQ(Pixel(image, canvas->ConvertX(7.5f), canvas->ConvertY(7.5f)), kCellFill);
    EXPECT_TRUE(ColourNear(image, canvas->ConvertX(6), canvas->ConvertY(7.5f), kCellEdge));

    canvas->DrawFillCircle(2.5f, 7.5f, 6, canvas->Pen(PenRole::CellEdge),
                           canvas->Brush(BrushRole::CellFill));
    const float cx = canvas->ConvertX(2.5f);
    const float cy = canvas->ConvertY(7.5f);
    EXPECT_EQ(Pixel(image, cx, cy), kCellFill);
    EXPECT_TRUE(ColourNear(image, cx + 6, cy, kCellEdge));
    EXPECT_EQ(Pixel(image, cx + 9, cy), kBackground);
}

TEST_F(PlotCanvasTest, VenueOutlinesQuadsAndEllipses)
{
    auto canvas = Canvas(Kind::Venue, 206, 206);
    ASSERT_TRUE(canvas->SetBounds(PlotCanvas::Box{0, 10, 10, 0}));
    const QImage& image = canvas->Surface();
    canvas->DrawQuad(Point2D(1, 1), Point2D(4, 1), Point2D(4, 4), Point2D(1, 4),
                     canvas->Pen(PenRole::CellEdge));
    EXPECT_TRUE(ColourNear(image, canvas->ConvertX(1), canvas->ConvertY(2.5f), kCellEdge));
    EXPECT_EQ(Pixel(image, canvas->ConvertX(2.5f), canvas->ConvertY(2.5f)), kBackground);

    // Corners given either way round.
    canvas->DrawCircleFromXY(9, 5, 5, 9, canvas->Pen(PenRole::CellEdge));
    EXPECT_TRUE(ColourNear(image, canvas->ConvertX(5), canvas->ConvertY(7), kCellEdge));
    EXPECT_TRUE(ColourNear(image, canvas->ConvertX(7), canvas->ConvertY(9), kCellEdge));
    EXPECT_EQ(Pixel(image, canvas->ConvertX(7), canvas->ConvertY(7)), kBackground);
}

TEST_F(PlotCanvasTest, MidPointTextEndsAtTheMiddleOfTheTwoPoints)
{
    auto canvas = Canvas(Kind::ArrayPicture, 206, 206);
    ASSERT_TRUE(canvas->SetBounds(PlotCanvas::Box{0, 10, 10, 0}));
    canvas->DrawTextOnMidPoint(Point2D(2, 2), Point2D(8, 6), "12.5°", canvas->Font(),
                               canvas->Brush(BrushRole::Text));
    const QRect ink = InkBounds(canvas->Surface(), QRect(0, 0, 206, 206));
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_LE(ink.right(), canvas->ConvertX(5) + 1);
    EXPECT_NEAR(ink.center().y(), canvas->ConvertY(4), 3);
}

TEST(PlotCanvasHelpersTest, PixelHelpersAndSignedLabels)
{
    EXPECT_FLOAT_EQ(PlotCanvas::DistanceBetweenCoords(1, 2, 4, 6), 5.0f);
    EXPECT_FLOAT_EQ(PlotCanvas::DistanceBetweenCoords(-3, 0, -3, 0), 0.0f);

    struct Between {
        int v, a, b;
        bool expected;
    };
    for (const Between& c : {Between{5, 1, 9, true}, Between{1, 1, 9, true}, Between{9, 1, 9, true},
                             Between{0, 1, 9, false}, Between{5, 9, 1, true},
                             Between{10, 9, 1, false}, Between{4, 4, 4, true},
                             Between{5, 4, 4, false}}) {
        EXPECT_EQ(PlotCanvas::IsBetween(c.v, c.a, c.b), c.expected) << c.v << " " << c.a << " " << c.b;
    }

    EXPECT_EQ(PlotCanvas::SignedText(5), " 5");
    EXPECT_EQ(PlotCanvas::SignedText(-15), "-15");
    EXPECT_EQ(PlotCanvas::SignedText(0), " 0");
    EXPECT_EQ(PlotCanvas::SignedText(-0.0), " 0");
    EXPECT_EQ(PlotCanvas::SignedText(1200), " 1200");
}

} // namespace
} // namespace polvane

namespace polvane {
namespace {

// A redraw whose scale is the same as the last one's starts from the kept scale; the
// picture is exactly the one drawn afresh, and whatever the scale depends on (the bounds,
// the switches, the colours once the drawing objects are made again) draws it anew.
TEST_F(PlotCanvasTest, AKeptScaleGivesThePictureADrawnOneGives)
{
    options_.SetAntialias(true);
    options_.SetShowScale(true);
    options_.SetShowGrid(true);
    CalculationResults results;
    results.VenueMinX = -12, results.VenueMaxX = 140, results.VenueMinY = 0, results.VenueMaxY = 45;
    const auto fresh = [&](Kind kind) {
        auto canvas = Canvas(kind, 400, 160);
        canvas->BeginRedraw(results);
        canvas->DrawLineManual(30, 40, 300, 120, canvas->Pen(PenRole::GridNormal));
        return canvas->Surface().copy();
    };
    struct Change {
        const char* what;
        std::function<void(PlotCanvas&)> apply;
    };
    const std::vector<Change> changes{
        {"nothing", [](PlotCanvas&) {}},
        {"the bounds", [&](PlotCanvas&) { results.VenueMaxX = 150; }},
        {"the grid switch", [&](PlotCanvas&) { options_.SetShowGrid(false); }},
        {"the smoothing", [&](PlotCanvas&) { options_.SetAntialias(false); }},
        {"the background", [&](PlotCanvas&) { options_.Colors().SetColor(ColorTable::kBackground, kCellFill); }},
        {"the scale colour",
         [&](PlotCanvas& canvas) {
             options_.Colors().SetColor(ColorTable::kScaleLines, kCellEdge);
             canvas.RefreshGraphicsObjects();
         }},
    };
    for (Kind kind : {Kind::Venue, Kind::EvennessGraph}) {
        auto canvas = Canvas(kind, 400, 160);
        for (const Change& change : changes) {
            canvas->BeginRedraw(results);
            change.apply(*canvas);
            const QImage expected = fresh(kind);
            canvas->BeginRedraw(results);
            canvas->DrawLineManual(30, 40, 300, 120, canvas->Pen(PenRole::GridNormal));
            EXPECT_EQ(canvas->Surface(), expected) << "after a change of " << change.what;
        }
    }
}

} // namespace
} // namespace polvane

namespace polvane {
namespace {

// Tall steep lines are drawn in bands; the picture is the one a single stroke gives, smoothed
// or not, thin or wide, reaching past the picture or not.
TEST_F(PlotCanvasTest, ATallLineIsTheLineOneStrokeDraws)
{
    struct Case {
        bool smooth;
        float x, y1, y2;
        float dx = 0.0f;
    };
    for (const Case& c : {Case{true, 40.3f, 3.6f, 190.2f}, Case{true, 12.5f, 197.0f, 0.0f},
                          Case{false, 70.7f, -20.0f, 260.0f}, Case{true, 99.9f, 41.0f, 121.5f},
                          Case{true, 10.3f, 3.6f, 190.2f, 57.7f}, Case{true, 100.2f, 1.1f, 300.0f, -93.4f},
                          Case{false, 10.3f, 3.6f, 190.2f, 37.1f}, Case{true, 0.5f, -50.0f, 180.0f, 300.0f}}) {
      for (PenRole role : {PenRole::GridNormal, PenRole::SeatingArea}) {
        options_.SetAntialias(c.smooth);
        auto canvas = Canvas(Kind::Venue, 120, 200);
        const QPen& pen = canvas->Pen(role);
        canvas->DrawLineManual(c.x, c.y1, c.x + c.dx, c.y2, pen);

        QImage expected(canvas->Surface().size(), canvas->Surface().format());
        expected.fill(QColor::fromRgba(kBackground));
        QPainter painter(&expected);
        painter.setRenderHint(QPainter::Antialiasing, c.smooth);
        painter.setRenderHint(QPainter::TextAntialiasing, c.smooth);
        painter.setPen(pen);
        painter.drawLine(QPointF(c.x, c.y1), QPointF(c.x + c.dx, c.y2));
        painter.end();
        EXPECT_EQ(canvas->Surface(), expected) << "x " << c.x << " from " << c.y1 << " to " << c.y2;
      }
    }
}

} // namespace
} // namespace polvane
