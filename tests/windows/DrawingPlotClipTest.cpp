// The venue and the array picture drawn from the real prediction of a steep hall: whatever
// they draw stays inside the plot, off the axes' labels; their markers, labels and the
// graphs' scale labels stay whole and apart.

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include <QAction>
#include <QImage>
#include <QSize>

#include "DrawingWindowTestSupport.h"
#include "ToolWindowFixture.h"
#include "engine/Environment.h"
#include "windows/tools/ArrayPictureWindow.h"
#include "windows/tools/IFEGraphWindow.h"
#include "plot/OverlayMarker.h"
#include "plot/PlotPictureBox.h"
#include "windows/base/ToolWindowHost.h"
#include "windows/tools/VenueWindow.h"

namespace polvane {
namespace {

using namespace drawing_test;

// Colours no smoothed text edge takes (the support's bumper colours are greys).
constexpr std::uint32_t kSeatingArea = ArgbColor::MakeARGB(255, 90, 60, 30);
constexpr std::uint32_t kBumper = ArgbColor::MakeARGB(255, 30, 90, 200);

// 24 cells at 5 degrees each curl back under a bumper 55 ft up: the lowest cells aim back
// over the array and meet no seating area, so their paths run far past the venue, and the
// array picture's ten-unit paths reach past the array.
class DrawingPlotClipTest : public ToolWindowFixture {
protected:
    DrawingPlotClipTest()
    {
        UseTestColours(options_);
        options_.Colors().SetColor(ColorTable::kSeatingArea, kSeatingArea);
        options_.Colors().SetColor(ColorTable::kBumperEdge, kBumper);
        options_.Colors().SetColor(ColorTable::kBumperFill, kBumper);
        options_.SetShowScale(true);
        options_.SetShowSoundPaths(true);
        options_.SetShowSoundPathMisses(true);
        options_.SetShowColoredResponseLevels(false);
        Environment& venue = lifecycle_.Venue();
        const Point2D floorFront{20, 0}, floorBack{90, 18}, balconyFront{95, 14}, balconyBack{140, 50};
        venue.SeatingAreas().Add(-1, &floorFront, &floorBack);
        venue.SeatingAreas().Add(-1, &balconyFront, &balconyBack);
        LineArray& array = venue.LineArray();
        array.Bumper().SetLocation(Point2D(0, 55));
        while (array.Cells().Count() < 24)
            array.Cells().Add();
        for (int index = 1; index <= 24; ++index) {
            Cell& cell = array.Cells().Item(index);
            cell.SetCellType(0);
            cell.SplayAngle().SetDegrees(5.0);
            cell.SetAttenuation(-6.0f);
        }
        hub_.UpdateInterfaces(UpdateScope::All, true);
        window_.SetToolWindowSlot(ToolWindowId::Venue, &venueHost_);
        window_.SetToolWindowSlot(ToolWindowId::ArrayPicture, &arrayHost_);
    }

    // Opens the window from the Tools menu, sizes its frame and expects nothing of the
    // drawing outside the plot, the scale drawn and the paths inside.
    void ExpectInsideThePlot(const char* menuItem, ToolWindowHost& host, int width, int height)
    {
        window_.findChild<QAction*>(QString::fromUtf8(menuItem))->trigger();
        auto* drawing = dynamic_cast<DrawingWindow*>(host.Window());
        ASSERT_NE(drawing, nullptr);
        ShowAtSize(*drawing, width, height);
        const QImage image = drawing->Picture()->Picture();
        const QRect plot = drawing->Canvas().PlotRect().toRect();
        ASSERT_FALSE(image.isNull());
        ASSERT_TRUE(QRect(QPoint(0, 0), image.size()).contains(plot));

        const std::vector<std::uint32_t> content{kPathHit, kPathMiss, kSeatingArea, kCellFill, kCellEdge, kBumper};
        int outside = 0;
        bool missInside = false;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QRgb pixel = image.pixel(x, y);
                const bool drawn = std::find(content.begin(), content.end(), pixel) != content.end();
                if (plot.contains(x, y))
                    missInside = missInside || pixel == kPathMiss;
                else if (drawn && ++outside <= 3)
                    ADD_FAILURE() << "drawn at (" << x << ", " << y << ") outside " << plot.x() << ", "
                                  << plot.y() << " " << plot.width() << " x " << plot.height();
            }
        }
        EXPECT_EQ(outside, 0);
        EXPECT_TRUE(missInside) << "the paths that miss are drawn up to the plot's edge";
        // Each scale label is written beside the plot in the text's black (its glyphs may be
        // smoothed whatever the switch says: dark is enough).
        int labels = 0;
        for (const PlotCanvas::ScaleLabel& label : drawing->Canvas().ScaleLabels()) {
            ++labels;
            const QRect rect = label.rect.toAlignedRect() & image.rect();
            EXPECT_FALSE(plot.intersects(rect.adjusted(1, 1, -1, -1))) << label.text;
            bool written = false;
            for (int y = rect.top(); y <= rect.bottom(); ++y)
                for (int x = rect.left(); x <= rect.right(); ++x)
                    written = written || qGray(image.pixel(x, y)) < 80;
            EXPECT_TRUE(written) << label.text;
        }
        EXPECT_GE(labels, 4);
        host.Unload();
    }

    ToolWindowHost venueHost_{context_, [](ToolWindowContext& context) { return new VenueWindow(context); }};
    ToolWindowHost arrayHost_{context_, [](ToolWindowContext& context) { return new ArrayPictureWindow(context); }};
    ToolWindowHost ifeHost_{context_, [](ToolWindowContext& context) { return new IFEGraphWindow(context); }};
};

TEST_F(DrawingPlotClipTest, EveryLineOfTheVenueStaysInsideThePlot)
{
    for (const QSize size : {QSize(900, 560), QSize(420, 300)}) {
        SCOPED_TRACE(std::to_string(size.width()) + " x " + std::to_string(size.height()));
        ExpectInsideThePlot("mnuViewVenue", venueHost_, size.width(), size.height());
    }
}

TEST_F(DrawingPlotClipTest, EveryLineOfTheArrayPictureStaysInsideThePlot)
{
    for (const QSize size : {QSize(500, 700), QSize(260, 300)}) {
        SCOPED_TRACE(std::to_string(size.width()) + " x " + std::to_string(size.height()));
        ExpectInsideThePlot("mnuViewArrayPicture", arrayHost_, size.width(), size.height());
    }
}

// The small hall's twelve straight cells hang from the bumper's outermost holes, so the
// centre of gravity lies just under the top of the array's box: its cross stays whole
// inside the plot at every size, the small ones too.
TEST_F(DrawingPlotClipTest, TheCentreOfGravityCrossStaysWholeInsideThePlot)
{
    options_.SetShowCenterOfGravity(true);
    options_.SetShowCellNumbers(true); // no small crosses at the cells
    options_.SetShowSoundPaths(false);
    LineArray& array = lifecycle_.Venue().LineArray();
    array.Bumper().SetLocation(Point2D(0, 40));
    while (array.Cells().Count() > 12)
        array.Cells().Remove(array.Cells().Count());
    for (int index = 1; index <= 12; ++index)
        array.Cells().Item(index).SplayAngle().SetDegrees(0.0);
    array.Bumper().SetFrontHangPoint(1);
    array.Bumper().SetBackHangPoint(11);
    hub_.UpdateInterfaces(UpdateScope::All, true);
    ASSERT_TRUE(session_.Results().Balanced);

    window_.findChild<QAction*>(QStringLiteral("mnuViewArrayPicture"))->trigger();
    auto* picture = dynamic_cast<ArrayPictureWindow*>(arrayHost_.Window());
    ASSERT_NE(picture, nullptr);
    for (const QSize size : {QSize(330, 230), QSize(260, 190), QSize(200, 150), QSize(500, 700)}) {
        SCOPED_TRACE(std::to_string(size.width()) + " x " + std::to_string(size.height()));
        ShowAtSize(*picture, size.width(), size.height());
        const QImage image = picture->Picture()->Picture();
        const QRect plot = picture->Canvas().PlotRect().toRect();
        // The cross's pixels: as tall as they are wide (none cut away) and off the plot's edge.
        QRect cross;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) == kCenterOfGravity)
                    cross |= QRect(x, y, 1, 1);
        ASSERT_FALSE(cross.isEmpty());
        EXPECT_EQ(cross.width(), cross.height())
            << "the cross at " << cross.x() << ", " << cross.y() << " " << cross.width() << " x " << cross.height();
        EXPECT_TRUE(plot.adjusted(1, 1, -1, -1).contains(cross))
            << "the cross at " << cross.x() << ", " << cross.y() << " " << cross.width() << " x " << cross.height()
            << " in the plot " << plot.x() << ", " << plot.y() << " " << plot.width() << " x " << plot.height();
    }
}

// With the pin positions on, the labels at the joints of 24 near-straight cells never print
// over one another, however closely the joints stand; the first cell's is always there, and
// a picture tall enough gets them all.
TEST_F(DrawingPlotClipTest, TheCellLabelsNeverOverprintOneAnother)
{
    options_.SetShowCellPinningConfigurations(true);
    LineArray& array = lifecycle_.Venue().LineArray();
    for (int index = 1; index <= 24; ++index)
        array.Cells().Item(index).SplayAngle().SetDegrees(index % 4 == 0 ? 1.6 : 0.0);
    hub_.UpdateInterfaces(UpdateScope::All, true);

    window_.findChild<QAction*>(QStringLiteral("mnuViewArrayPicture"))->trigger();
    auto* picture = dynamic_cast<ArrayPictureWindow*>(arrayHost_.Window());
    ASSERT_NE(picture, nullptr);
    for (const QSize size : {QSize(300, 420), QSize(240, 260), QSize(500, 1600)}) {
        SCOPED_TRACE(std::to_string(size.width()) + " x " + std::to_string(size.height()));
        ShowAtSize(*picture, size.width(), size.height());
        const auto& labels = picture->CellLabels();
        ASSERT_FALSE(labels.empty());
        EXPECT_EQ(labels.front().cell, 1);
        for (std::size_t a = 0; a < labels.size(); ++a)
            for (std::size_t b = a + 1; b < labels.size(); ++b)
                EXPECT_FALSE(labels[a].rect.intersects(labels[b].rect))
                    << "cells " << labels[a].cell << " and " << labels[b].cell;
        if (size.height() >= 1600) {
            EXPECT_EQ(labels.size(), 24u);
        }
    }
}

// The evenness graph's value labels, "100" at the top among them, stand whole in the
// picture, each centred on its line and ending at its tick, clear of the grid lines that
// start at the axis.
TEST_F(DrawingPlotClipTest, TheEvennessGraphsValueLabelsStandWholeBesideTheirLines)
{
    options_.SetShowGrid(true);
    window_.SetToolWindowSlot(ToolWindowId::IFEGraph, &ifeHost_);
    ifeHost_.Load();
    auto* graph = dynamic_cast<DrawingWindow*>(ifeHost_.Window());
    ASSERT_NE(graph, nullptr);
    for (const QSize size : {QSize(420, 280), QSize(300, 200), QSize(240, 150)}) {
        SCOPED_TRACE(std::to_string(size.width()) + " x " + std::to_string(size.height()));
        ShowAtSize(*graph, size.width(), size.height());
        const PlotCanvas& canvas = graph->Canvas();
        const QImage image = graph->Picture()->Picture();
        const QRectF picture(0, 0, image.width(), image.height());
        bool top = false;
        for (const PlotCanvas::ScaleLabel& label : canvas.ScaleLabels()) {
            if (label.alongX)
                continue;
            const float value = std::stof(label.text);
            top = top || value == 100.0f;
            EXPECT_TRUE(picture.contains(label.rect)) << label.text;
            EXPECT_NEAR(label.rect.center().y(), canvas.ConvertY(value), 1.0) << label.text;
            EXPECT_LE(label.rect.right(), canvas.Left() - PlotScale::kTickLength + 0.5) << label.text;
        }
        if (std::fmod(100.0f, canvas.YStep()) == 0) {
            EXPECT_TRUE(top) << "the top value is labelled";
        }
    }
    ifeHost_.Unload();
}

// The marker over the hovered cell's path stops where the drawn path does.
TEST_F(DrawingPlotClipTest, TheHoveredCellsPathStaysInsideThePlotToo)
{
    window_.findChild<QAction*>(QStringLiteral("mnuViewVenue"))->trigger();
    window_.findChild<QAction*>(QStringLiteral("mnuViewArrayPicture"))->trigger();
    auto* venue = dynamic_cast<VenueWindow*>(venueHost_.Window());
    auto* array = dynamic_cast<ArrayPictureWindow*>(arrayHost_.Window());
    ASSERT_NE(venue, nullptr);
    ASSERT_NE(array, nullptr);
    ShowAtSize(*venue, 700, 420);
    ShowAtSize(*array, 300, 360);
    ASSERT_EQ(array->PathCount(), 24);
    // The lowest cell meets no seating area.
    ASSERT_FALSE(session_.Results().CellResults.back().Hit);
    SendMouse(*array->picArray(), QEvent::MouseMove, array->PathStart(24), Qt::NoButton);
    ASSERT_EQ(hub_.HighlightedCell(), 24);
    for (const DrawingWindow* drawing : {static_cast<const DrawingWindow*>(venue), static_cast<const DrawingWindow*>(array)}) {
        const auto* marker = drawing->Picture()->findChild<OverlayMarker*>(QStringLiteral("linSoundPath"));
        ASSERT_NE(marker, nullptr);
        EXPECT_TRUE(marker->isVisible()) << drawing->objectName().toStdString();
        const QRect plot = drawing->Canvas().PlotRect().toRect();
        EXPECT_TRUE(plot.contains(marker->geometry()))
            << drawing->objectName().toStdString() << ": " << marker->x() << ", " << marker->y() << " "
            << marker->width() << " x " << marker->height();
        // Its far end lies outside, where the marker is cut.
        EXPECT_FALSE(plot.contains(marker->P2().toPoint())) << drawing->objectName().toStdString();
    }
}

} // namespace
} // namespace polvane
