#include <cmath>
#include <vector>

#include <QImage>
#include <QPointF>

#include <gtest/gtest.h>

#include "shell/options/ArgbColor.h"
#include "shell/options/ColorTable.h"
#include "shell/options/CurveColors.h"
#include "shell/options/Options.h"
#include "support/MemorySettingsStore.h"
#include "plot/PlotCanvas.h"

namespace polvane {
namespace {

constexpr std::uint32_t kBackground = ArgbColor::MakeARGB(255, 255, 255, 255);
constexpr std::uint32_t kGraphLines = ArgbColor::MakeARGB(255, 200, 0, 0);

// The graphs' curves on a plain surface, aliased so that pixels hold exact pen colours.
class PlotCanvasCurveTest : public ::testing::Test {
protected:
    PlotCanvasCurveTest()
    {
        options_.Colors().SetColor(ColorTable::kBackground, kBackground);
        options_.Colors().SetColor(ColorTable::kGraphLines, kGraphLines);
        options_.SetAntialias(false);
    }

    PlotCanvas& Canvas(PlotCanvas::Kind kind)
    {
        canvas_ = std::make_unique<PlotCanvas>(kind, options_);
        canvas_->CreateGraphicsObjects();
        canvas_->SetPictureSize(200, 100);
        canvas_->RefreshGraphicsHandle(false, true);
        return *canvas_;
    }
    int Inked() const
    {
        int count = 0;
        const QImage& image = canvas_->Surface();
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                count += image.pixel(x, y) != kBackground ? 1 : 0;
        return count;
    }
    bool Inked(QPointF at) const
    {
        const QImage& image = canvas_->Surface();
        return image.pixel(at.toPoint()) != kBackground;
    }
    // Within a pixel: flat caps end a curve exactly at its first and last point.
    bool InkedNear(QPointF at) const
    {
        for (int dx = -1; dx <= 1; ++dx)
            for (int dy = -1; dy <= 1; ++dy)
                if (Inked(at + QPointF(dx, dy)))
                    return true;
        return false;
    }

    MemorySettingsStore store_;
    Options options_{store_};
    std::unique_ptr<PlotCanvas> canvas_;
};

TEST_F(PlotCanvasCurveTest, ASmoothCurvePassesThroughEveryPointAndStaysNearTheirHull)
{
    PlotCanvas& canvas = Canvas(PlotCanvas::Kind::ListeningPointsGraph);
    const std::vector<QPointF> points{{20, 80}, {60, 20}, {100, 70}, {140, 30}, {180, 50}};
    canvas.DrawCurve(points, canvas.CurvePen(1));
    for (const QPointF& point : points)
        EXPECT_TRUE(InkedNear(point)) << point.x();
    // A smooth bend, not an overshoot far beyond the points' heights.
    for (int x = 0; x < 200; ++x) {
        EXPECT_FALSE(Inked(QPointF(x, 8)));
        EXPECT_FALSE(Inked(QPointF(x, 92)));
    }
    // Not the straight segments: midway between the first two points the curve is off
    // the chord.
    EXPECT_FALSE(Inked(QPointF(40, 50)));
}

TEST_F(PlotCanvasCurveTest, APolylineJoinsThePointsStraightAndFewerThanTwoPointsDrawNothing)
{
    PlotCanvas& canvas = Canvas(PlotCanvas::Kind::EvennessGraph);
    const QPen& pen = canvas.Pen(PlotCanvas::PenRole::GraphLines);
    canvas.DrawPolyline({}, pen);
    canvas.DrawPolyline({{50, 50}}, pen);
    canvas.DrawCurve({{50, 50}}, pen);
    EXPECT_EQ(Inked(), 0);

    canvas.DrawPolyline({{20, 80}, {60, 20}, {100, 80}}, pen);
    EXPECT_TRUE(Inked(QPointF(40, 50)));
    EXPECT_TRUE(Inked(QPointF(80, 50)));
    EXPECT_EQ(canvas.Surface().pixel(40, 50), kGraphLines);
}

} // namespace
} // namespace polvane
