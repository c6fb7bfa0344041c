#include "windows/tools/ArrayPictureWindow.h"

#include <cmath>
#include <vector>

#include <QAction>
#include <QImage>
#include <QMdiSubWindow>

#include "../DrawingWindowTestSupport.h"
#include "../ToolWindowFixture.h"
#include "plot/OverlayMarker.h"
#include "windows/base/ToolWindowHost.h"

namespace polvane {
namespace {

using namespace drawing_test;

// A unit-square cell whose back lower corner is (x, y), aimed straight ahead (+x).
CellResult SquareCell(float x, float y, bool hit)
{
    CellResult r;
    r.TopFront = Point2D(x + 1, y + 1);
    r.BottomFront = Point2D(x + 1, y);
    r.BottomBack = Point2D(x, y);
    r.TopBack = Point2D(x, y + 1);
    r.Center = Point2D(x + 0.5f, y + 0.5f);
    r.Source = Point2D(x + 0.3f, y + 0.5f);
    r.Hit = hit;
    return r;
}

// An array picture of a venue with three cells, drawn from results made by hand: the cells
// stand one above the other at x = 8 with a gap of one unit, in a box of 20 x 10 units, the
// bumper well to their left and the hang line point in empty space at (16, 2).
class ArrayPictureWindowTest : public ToolWindowFixture {
protected:
    ArrayPictureWindowTest()
    {
        UseTestColours(options_);
        options_.SetShowSoundPaths(false);
        options_.SetShowCenterOfGravity(false);
        options_.SetShowCellNumbers(false);
        options_.SetShowCellSplayAngles(false);
        options_.SetShowCellPinningConfigurations(false);
        LineArray& array = lifecycle_.Venue().LineArray();
        for (int i = 0; i < 3; ++i)
            array.Cells().Add();
        array.Bumper().SetLocation(Point2D(2, 9));
        registry_.Register(ToolWindowId::CellConfigurations, &spy_);

        results_.ArrayMinX = 0;
        results_.ArrayMaxX = 20;
        results_.ArrayMinY = 0;
        results_.ArrayMaxY = 10;
        results_.HangLinePoint = Point2D(16, 2);
        results_.CellResults = {SquareCell(8, 8, true), SquareCell(8, 6, false), SquareCell(8, 4, false)};
        session_.StoreResults(results_);

        window_.SetToolWindowSlot(ToolWindowId::ArrayPicture, &host_);
        window_.findChild<QAction*>(QStringLiteral("mnuViewArrayPicture"))->trigger();
        picture_ = dynamic_cast<ArrayPictureWindow*>(host_.Window());
        ShowAtSize(*picture_, 460, 300);
    }
    ~ArrayPictureWindowTest() override { registry_.Unregister(ToolWindowId::CellConfigurations, &spy_); }

    void Redraw(const CalculationResults& results)
    {
        session_.StoreResults(results);
        picture_->UpdateInterface();
    }
    void Redraw() { Redraw(results_); }
    QImage Image() const { return picture_->picArray()->Picture(); }
    QPointF Pixel(Point2D p) const { return {picture_->Canvas().ConvertX(p.x), picture_->Canvas().ConvertY(p.y)}; }
    void MoveTo(QPointF at) { SendMouse(*picture_->picArray(), QEvent::MouseMove, at, Qt::NoButton); }

    CalculationResults results_;
    HighlightSpy spy_;
    ToolWindowHost host_{context_, [](ToolWindowContext& context) { return new ArrayPictureWindow(context); }};
    ArrayPictureWindow* picture_ = nullptr;
};

TEST_F(ArrayPictureWindowTest, IsTheArrayPictureToolWindowWithItsControls)
{
    EXPECT_EQ(picture_->objectName(), "frmArrayPicture");
    EXPECT_EQ(picture_->windowTitle(), "Array Picture");
    EXPECT_EQ(picture_->picArray()->objectName(), "picArray");
    EXPECT_EQ(picture_->linSoundPath()->objectName(), "linSoundPath");
    EXPECT_EQ(picture_->linSoundPath()->LineWidth(), 2);
    EXPECT_FALSE(picture_->linSoundPath()->isVisible());
    // The picture fills the window.
    EXPECT_EQ(picture_->picArray()->size(), picture_->size());
    EXPECT_EQ(Image().size(), picture_->picArray()->size());
}

// A place stored far beyond the 1280 x 1024 screen (a hand edit, a removed monitor) must not
// make a window, or a drawing surface, larger than the screen, nor put it out of reach.
TEST_F(ArrayPictureWindowTest, AStoredPlaceBeyondTheScreenIsHeldOnIt)
{
    auto* frame = qobject_cast<QMdiSubWindow*>(picture_->parentWidget());
    ASSERT_NE(frame, nullptr);
    for (const char* stored : {"1,2147483647,2147483647,2147483647,2147483647",
                               "1,-2147483648,-2147483648,300000,300000"}) {
        store_.SaveSetting(SettingsStore::kWindowPositions, "Array Picture", stored);
        window_.ShowWindows();
        QApplication::processEvents();
        picture_->UpdateInterface();
        EXPECT_LE(frame->width(), 1280) << stored;
        EXPECT_LE(frame->height(), 1024) << stored;
        EXPECT_GE(frame->x(), 0) << stored;
        EXPECT_GE(frame->y(), 0) << stored;
        EXPECT_LE(frame->x() + frame->width(), 1280) << stored;
        EXPECT_LE(frame->y() + frame->height(), 1024) << stored;
        EXPECT_LE(Image().width(), 1280) << stored;
        EXPECT_LE(Image().height(), 1024) << stored;
    }
}

TEST_F(ArrayPictureWindowTest, KeepsEachCellsSoundPathFromItsSourceTenUnitsAlongItsAim)
{
    ASSERT_TRUE(picture_->Drawn());
    ASSERT_EQ(picture_->PathCount(), 3);
    for (int i = 1; i <= 3; ++i) {
        const CellResult& r = results_.CellResults[static_cast<std::size_t>(i - 1)];
        const QPointF start = Pixel(r.Source);
        const QPointF end = Pixel(Point2D(r.Center.x + 10, r.Center.y));
        EXPECT_NEAR(picture_->PathStart(i).x(), start.x(), 1e-3) << i;
        EXPECT_NEAR(picture_->PathStart(i).y(), start.y(), 1e-3) << i;
        EXPECT_NEAR(picture_->PathEnd(i).x(), end.x(), 1e-3) << i;
        EXPECT_NEAR(picture_->PathEnd(i).y(), end.y(), 1e-3) << i;
    }
}

TEST_F(ArrayPictureWindowTest, PointingAtACellHighlightsItOnceAndEmptySpaceClearsIt)
{
    const QPointF third = picture_->PathStart(3);
    MoveTo(third + QPointF(4, -3));
    EXPECT_EQ(hub_.HighlightedCell(), 3);
    EXPECT_EQ(spy_.highlights, 1);
    OverlayMarker* marker = picture_->linSoundPath();
    EXPECT_TRUE(marker->isVisible());
    EXPECT_EQ(marker->P1(), third);
    EXPECT_EQ(marker->P2(), picture_->PathEnd(3));
    // The "Selected item" colour without its alpha.
    EXPECT_EQ(marker->Color(), QColor(10, 20, 30));

    // Staying on the same cell calls nobody again.
    MoveTo(third + QPointF(-2, 5));
    MoveTo(third);
    EXPECT_EQ(spy_.highlights, 1);
    EXPECT_EQ(spy_.clears, 0);

    MoveTo(picture_->PathStart(1));
    EXPECT_EQ(hub_.HighlightedCell(), 1);
    EXPECT_EQ(marker->P1(), picture_->PathStart(1));

    MoveTo(Pixel(Point2D(1, 1)));
    EXPECT_EQ(hub_.HighlightedCell(), 0);
    EXPECT_FALSE(marker->isVisible());
    const int clears = spy_.clears;
    EXPECT_GE(clears, 1);
    MoveTo(Pixel(Point2D(2, 1)));
    EXPECT_EQ(spy_.clears, clears);
}

TEST_F(ArrayPictureWindowTest, TheHotCellIsTheNearestWithinFifteenPixelsTheLowerOnATie)
{
    const QPointF second = picture_->PathStart(2);
    struct Case {
        QPointF offset;
        int hot;
    };
    const std::vector<Case> cases = {
        {{0, 0}, 2}, {{15, 0}, 2}, {{0, -15}, 2}, {{9, 12}, 2}, {{15.5f, 0}, 0}, {{11, 11}, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(picture_->GetHotCell(static_cast<float>((second + c.offset).x()),
                                       static_cast<float>((second + c.offset).y())),
                  c.hot)
            << c.offset.x() << ", " << c.offset.y();

    // Cells 2 and 3 with the same source: the lower number wins.
    CalculationResults same = results_;
    same.CellResults[2].Source = same.CellResults[1].Source;
    Redraw(same);
    MoveTo(picture_->PathStart(3) + QPointF(3, 3));
    EXPECT_EQ(hub_.HighlightedCell(), 2);
}

TEST_F(ArrayPictureWindowTest, TheHighlightMarkerMovesOnlyThroughTheHighlight)
{
    hub_.HighlightCell(2);
    OverlayMarker* marker = picture_->linSoundPath();
    ASSERT_TRUE(marker->isVisible());
    const QPointF from = marker->P1();

    // A redraw at another size neither moves nor hides the marker.
    ShowAtSize(*picture_, 300, 260);
    EXPECT_TRUE(marker->isVisible());
    EXPECT_EQ(marker->P1(), from);

    hub_.ClearHighlightedCell();
    EXPECT_FALSE(marker->isVisible());
    Redraw();
    EXPECT_FALSE(marker->isVisible());
}

TEST_F(ArrayPictureWindowTest, ResultsShorterThanTheColumnDrawAndPointOnlyTheCellsTheyHold)
{
    lifecycle_.Venue().LineArray().Cells().Add();
    CalculationResults stale = results_;
    stale.CellResults.resize(2);
    Redraw(stale);
    EXPECT_EQ(picture_->PathCount(), 2);
    EXPECT_EQ(picture_->GetHotCell(static_cast<float>(Pixel(results_.CellResults[2].Source).x()),
                                   static_cast<float>(Pixel(results_.CellResults[2].Source).y())),
              0);
    // Another window highlights a cell this drawing has no path for.
    hub_.HighlightCell(4);
    EXPECT_FALSE(picture_->linSoundPath()->isVisible());

    Redraw(CalculationResults{});
    EXPECT_EQ(picture_->PathCount(), 0);
}

TEST_F(ArrayPictureWindowTest, SoundPathsTakeTheHitOrMissColourWhateverTheMissesOption)
{
    options_.SetShowSoundPaths(true);
    for (const bool misses : {false, true}) {
        options_.SetShowSoundPathMisses(misses);
        Redraw();
        const QImage image = Image();
        // Between the cells' fronts and the ends of their paths.
        EXPECT_TRUE(ColourNear(image, Pixel(Point2D(14, 8.5f)), kPathHit)) << misses;
        EXPECT_TRUE(ColourNear(image, Pixel(Point2D(14, 6.5f)), kPathMiss)) << misses;
        EXPECT_TRUE(ColourNear(image, Pixel(Point2D(14, 4.5f)), kPathMiss)) << misses;
        // The cell covers its own part of the path.
        EXPECT_EQ(drawing_test::Pixel(image, Pixel(Point2D(8.7f, 6.5f))), kCellFill);
    }
    options_.SetShowSoundPaths(false);
    Redraw();
    EXPECT_FALSE(ColourNear(Image(), Pixel(Point2D(14, 6.5f)), kPathMiss));
}

TEST_F(ArrayPictureWindowTest, TheArrayCentreOfGravityShowsOnlyForAFlownArrayOnTwoPoints)
{
    options_.SetShowCenterOfGravity(true);
    using enum ConfigurationCode;
    using enum RiggingCode;
    struct Case {
        ConfigurationCode configuration;
        RiggingCode rigging;
        bool shown;
    };
    const std::vector<Case> cases = {{Flown, DualPoint, true}, {GroundStacked, DualPoint, false}, {Flown, SinglePoint, false}};
    LineArray& array = lifecycle_.Venue().LineArray();
    const QPointF hang = Pixel(results_.HangLinePoint);
    for (const Case& c : cases) {
        array.SetConfiguration(c.configuration);
        array.Bumper().SetRigging(c.rigging);
        Redraw();
        const QImage image = Image();
        EXPECT_EQ(ColourNear(image, hang + QPointF(4, 4), kCenterOfGravity), c.shown)
            << static_cast<int>(c.configuration) << static_cast<int>(c.rigging);
        EXPECT_EQ(ColourNear(image, hang + QPointF(-4, 4), kCenterOfGravity), c.shown)
            << static_cast<int>(c.configuration) << static_cast<int>(c.rigging);
    }
    options_.SetShowCenterOfGravity(false);
    array.SetConfiguration(ConfigurationCode::Flown);
    array.Bumper().SetRigging(RiggingCode::DualPoint);
    Redraw();
    EXPECT_FALSE(ColourNear(Image(), hang, kCenterOfGravity, 5));
}

TEST_F(ArrayPictureWindowTest, CellCrossesGiveWayToCellNumbers)
{
    // A see-through cell shows what lies under it.
    options_.Colors().SetColor(ColorTable::kCellFill, ArgbColor::MakeARGB(0, 0, 0, 0));
    picture_->RefreshGraphicsObjects();
    lifecycle_.Venue().LineArray().SetConfiguration(ConfigurationCode::GroundStacked); // no array cross
    options_.SetShowCenterOfGravity(true);
    Redraw();
    const QPointF source = picture_->PathStart(2);
    EXPECT_TRUE(ColourNear(Image(), source + QPointF(3, 3), kCenterOfGravity));
    EXPECT_TRUE(ColourNear(Image(), source + QPointF(-3, 3), kCenterOfGravity));

    options_.SetShowCellNumbers(true);
    Redraw();
    const QImage numbered = Image();
    EXPECT_FALSE(ColourNear(numbered, source + QPointF(3, 3), kCenterOfGravity));
    // The number's circle of radius 7, outlined in the cell edge colour.
    EXPECT_TRUE(ColourNear(numbered, source + QPointF(0, -7), kCellEdge));
    EXPECT_TRUE(ColourNear(numbered, source + QPointF(0, 7), kCellEdge));
    options_.SetShowCenterOfGravity(false);
    Redraw();
    EXPECT_EQ(Image(), numbered);
}

TEST_F(ArrayPictureWindowTest, SplayAnglesTakePrecedenceOverPinning)
{
    Redraw();
    const QImage plain = Image();
    options_.SetShowCellSplayAngles(true);
    Redraw();
    const QImage splays = Image();
    options_.SetShowCellPinningConfigurations(true);
    Redraw();
    const QImage both = Image();
    options_.SetShowCellSplayAngles(false);
    Redraw();
    const QImage pins = Image();

    EXPECT_NE(splays, plain);
    EXPECT_EQ(both, splays);
    EXPECT_NE(pins, splays);
    EXPECT_NE(pins, plain);
    // Cell 1's label ends at its top back corner, left of the cell (text may be smoothed,
    // so any ink counts).
    const QPointF label = Pixel(results_.CellResults[0].TopBack) + QPointF(-8, 0);
    EXPECT_TRUE(InkNear(splays, label, 5));
    EXPECT_FALSE(InkNear(plain, label, 5));
}

TEST_F(ArrayPictureWindowTest, AWindowTooSmallForAPlotDrawsNothingAndIgnoresTheMouse)
{
    // A window of its own, whose first drawing has no room inside the 3-pixel margins.
    ArrayPictureWindow small(context_);
    small.show();
    small.resize(5, 5);
    QApplication::processEvents();
    ASSERT_EQ(small.picArray()->size(), QSize(5, 5));
    small.UpdateInterface();
    EXPECT_FALSE(small.Drawn());
    EXPECT_TRUE(small.picArray()->Picture().isNull());
    SendMouse(*small.picArray(), QEvent::MouseMove, QPointF(2, 2), Qt::NoButton);
    EXPECT_EQ(hub_.HighlightedCell(), 0);
}

TEST_F(ArrayPictureWindowTest, NewColoursReachTheDrawingAndTheMarker)
{
    constexpr std::uint32_t kNewFill = ArgbColor::MakeARGB(255, 1, 2, 3);
    options_.Colors().SetColor(ColorTable::kCellFill, kNewFill);
    options_.Colors().SetColor(ColorTable::kSelectedItem, ArgbColor::MakeARGB(255, 200, 100, 50));
    hub_.RefreshAllGraphicsObjects();
    Redraw();
    EXPECT_EQ(drawing_test::Pixel(Image(), Pixel(Point2D(8.7f, 6.5f))), kNewFill);
    EXPECT_EQ(picture_->linSoundPath()->Color(), QColor(200, 100, 50));
}

} // namespace
} // namespace polvane
