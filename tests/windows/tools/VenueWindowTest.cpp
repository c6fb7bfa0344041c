#include "windows/tools/VenueWindow.h"

#include <cmath>
#include <functional>
#include <string>

#include <QAction>
#include <QCoreApplication>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QTest>

#include "../ToolWindowFixture.h"
#include "engine/CalculationResults.h"
#include "model/Format.h"
#include "shell/options/ArgbColor.h"
#include "shell/options/ColorTable.h"
#include "shell/options/CurveColors.h"
#include "plot/OverlayMarker.h"
#include "plot/PlotPictureBox.h"
#include "windows/base/ToolWindowHost.h"

namespace polvane {
namespace {

constexpr std::uint32_t kBackground = ArgbColor::MakeARGB(255, 255, 255, 255);
constexpr std::uint32_t kSeatingArea = ArgbColor::MakeARGB(255, 90, 60, 30);
constexpr std::uint32_t kPathHit = ArgbColor::MakeARGB(255, 0, 160, 0);
constexpr std::uint32_t kPathMiss = ArgbColor::MakeARGB(255, 160, 0, 160);
constexpr std::uint32_t kSelected = ArgbColor::MakeARGB(128, 200, 20, 20);

// Counts the redraws, so a drop can be seen to refresh the window once.
class CountingVenueWindow : public VenueWindow {
public:
    using VenueWindow::VenueWindow;
    void UpdateInterface() override
    {
        ++redraws;
        VenueWindow::UpdateInterface();
    }
    int redraws = 0;
};

// The window with a 406 x 206 picture and the scale off: a plot of 400 x 200 pixels at
// 3 pixels from the top-left corner. The results' venue box of 0..100 by 0..50 pads to
// 0..105 by 0..52.5, which fits the plot exactly (0.2625 units per pixel).
class VenueWindowTest : public ToolWindowFixture {
protected:
    VenueWindowTest()
    {
        ColorTable& colors = options_.Colors();
        colors.SetColor(ColorTable::kBackground, kBackground);
        colors.SetColor(ColorTable::kSeatingArea, kSeatingArea);
        colors.SetColor(ColorTable::kSoundPathHit, kPathHit);
        colors.SetColor(ColorTable::kSoundPathMiss, kPathMiss);
        colors.SetColor(ColorTable::kSelectedItem, kSelected);
        options_.SetAntialias(false);
        options_.SetShowScale(false);
        options_.SetShowGrid(false);
        options_.SetShowColoredResponseLevels(false);
        options_.SetShowSoundPaths(true);
        options_.SetShowSoundPathMisses(false);
        options_.SetShowArrayPolarResponse(false);
        options_.SetShowFarFieldTransitionLines(false);
        options_.SetShowListeningPoints(false);
        options_.SetClickAndDragVenueItems(true);
        options_.SetSnapToGrid(false);
        options_.SetShowCoordinatesWhileDragging(true);

        window_.SetToolWindowSlot(ToolWindowId::Venue, &host_);
        window_.findChild<QAction*>(QStringLiteral("mnuViewVenue"))->trigger();
        venue_ = dynamic_cast<CountingVenueWindow*>(host_.Window());
        venue_->picVenue()->setFixedSize(406, 206);
        QCoreApplication::processEvents();
        results_.VenueMaxX = 100.0f;
        results_.VenueMaxY = 50.0f;
    }

    static float X(float x) { return x / 105.0f * 400.0f + 3.0f; }
    static float Y(float y) { return (52.5f - y) / 52.5f * 200.0f + 3.0f; }
    static QPointF At(float x, float y) { return {X(x), Y(y)}; }

    Environment& Venue() { return lifecycle_.Venue(); }
    Plane& AddArea(Point2D front, Point2D back) { return Venue().SeatingAreas().Add(-1, &front, &back); }
    // A listening point of the venue, and where the results put it.
    ListeningPoint& AddListener(int area, float position, Point2D drawnAt)
    {
        ListeningPoint& listener = Venue().ListeningPoints().Add("Mix");
        listener.SetSeatingAreaIndex(area);
        listener.SetHorizontalPosition(position);
        ListeningPointResult point;
        point.Point = drawnAt;
        results_.PointLevels = {point};
        return listener;
    }

    // The results as they stand, drawn.
    const QImage& Draw()
    {
        session_.StoreResults(results_);
        venue_->UpdateInterface();
        return venue_->Canvas().Surface();
    }

    static CellResult Cell(Point2D center, bool hit, Point2D end, float aimDegrees = 0.0f)
    {
        CellResult cell;
        cell.Center = center;
        cell.TopFront = center.OffsetFromXY(0.5f, 0.5f);
        cell.BottomFront = center.OffsetFromXY(0.5f, -0.5f);
        cell.BottomBack = center.OffsetFromXY(-0.5f, -0.5f);
        cell.TopBack = center.OffsetFromXY(-0.5f, 0.5f);
        cell.Hit = hit;
        if (hit) {
            cell.HitPoint = end;
            cell.Throw = center.DistanceTo(end);
        }
        cell.Aim = Angle::FromDegrees(aimDegrees);
        return cell;
    }

    void Mouse(QEvent::Type type, QPointF at, Qt::MouseButton button, Qt::MouseButtons buttons,
               Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        PlotPictureBox* box = venue_->picVenue();
        QMouseEvent event(type, at, box->mapToGlobal(at), button, buttons, modifiers);
        QCoreApplication::sendEvent(box, &event);
    }
    void Press(QPointF at, Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        Mouse(QEvent::MouseButtonPress, at, button, button, mods);
    }
    void Move(QPointF at, Qt::MouseButtons buttons, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        Mouse(QEvent::MouseMove, at, Qt::NoButton, buttons, mods);
    }
    void Release(QPointF at, Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        Mouse(QEvent::MouseButtonRelease, at, button, Qt::NoButton, mods);
    }
    // A whole left-button drag; the redraws it caused.
    int Drag(QPointF from, QPointF to, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        venue_->redraws = 0;
        Press(from, Qt::LeftButton, mods);
        Move(to, Qt::LeftButton, mods);
        Release(to, Qt::LeftButton, mods);
        return venue_->redraws;
    }

    ToolWindowHost host_{context_, [](ToolWindowContext& context) { return new CountingVenueWindow(context); }};
    CountingVenueWindow* venue_ = nullptr;
    CalculationResults results_;
};

// Whether some pixel within one pixel of p passes the test (aliased lines at fractional
// positions land on either neighbour).
bool AnyNear(const QImage& image, QPointF p, const std::function<bool(QRgb)>& test)
{
    const int cx = static_cast<int>(std::lround(p.x()));
    const int cy = static_cast<int>(std::lround(p.y()));
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (image.valid(cx + dx, cy + dy) && test(image.pixel(cx + dx, cy + dy)))
                return true;
    return false;
}

// Shown in its window (the main window itself is never shown in these tests).
bool Shown(const QWidget* widget) { return !widget->isHidden(); }

bool HasColour(const QImage& image, QPointF p, std::uint32_t argb)
{
    return AnyNear(image, p, [argb](QRgb pixel) { return pixel == argb; });
}

bool Inked(const QImage& image, QPointF p)
{
    return AnyNear(image, p, [](QRgb pixel) { return pixel != kBackground; });
}

// Within a few steps of the colour on each channel (gradients blend between samples).
bool Roughly(const QImage& image, QPointF p, int red, int green, int blue)
{
    return AnyNear(image, p, [=](QRgb pixel) {
        return std::abs(qRed(pixel) - red) <= 12 && std::abs(qGreen(pixel) - green) <= 12 &&
               std::abs(qBlue(pixel) - blue) <= 12;
    });
}

// --- Drawing -----------------------------------------------------------------------------

TEST_F(VenueWindowTest, SeatingAreasShowTheirLevelsAsColoursWhenAsked)
{
    AddArea({20, 10}, {80, 10});
    AreaLevelResult levels;
    levels.SampleCount = 3;
    levels.Samples = {{{20, 10}, 0.0f}, {{50, 10}, -18.0f}, {{80, 10}, -50.0f}};
    results_.AreaLevels = {levels};

    const QImage plain = Draw();
    EXPECT_TRUE(HasColour(plain, At(35, 10), kSeatingArea));
    EXPECT_TRUE(HasColour(plain, At(65, 10), kSeatingArea));

    options_.SetShowColoredResponseLevels(true);
    const QImage& coloured = Draw();
    EXPECT_TRUE(Roughly(coloured, At(20.3f, 10), 255, 0, 0));  // 0 dB: red
    EXPECT_TRUE(Roughly(coloured, At(50, 10), 0, 255, 0));     // -18 dB: green
    EXPECT_TRUE(Roughly(coloured, At(79.7f, 10), 0, 4, 255));  // below -36 dB: the ramp's end
    EXPECT_FALSE(HasColour(coloured, At(35, 10), kSeatingArea));
}

TEST_F(VenueWindowTest, SoundPathsRunToTheirHitOrFiveHundredUnitsAlongTheAim)
{
    results_.CellResults = {Cell({10, 40}, true, {60, 10}), Cell({10, 46}, false, {}, 0.0f)};
    const QImage hitsOnly = Draw();
    EXPECT_TRUE(HasColour(hitsOnly, At(35, 25), kPathHit));
    EXPECT_TRUE(Inked(hitsOnly, At(10, 40)));
    EXPECT_FALSE(HasColour(hitsOnly, At(60, 46), kPathMiss));

    const std::vector<QPoint>& starts = venue_->SoundPathStarts();
    const std::vector<QPoint>& ends = venue_->SoundPathEnds();
    ASSERT_EQ(ends.size(), 2u);
    EXPECT_EQ(starts[0], QPoint(41, 51));  // (41.10, 50.62)
    EXPECT_EQ(ends[0], QPoint(232, 165));  // (231.57, 164.90)
    EXPECT_EQ(ends[1], QPoint(1946, 28));  // 500 units on: (1945.86, 27.76)

    options_.SetShowSoundPathMisses(true);
    EXPECT_TRUE(HasColour(Draw(), At(60, 46), kPathMiss));
    // Misses need both switches.
    options_.SetShowSoundPaths(false);
    const QImage& none = Draw();
    EXPECT_FALSE(HasColour(none, At(60, 46), kPathMiss));
    EXPECT_FALSE(HasColour(none, At(35, 25), kPathHit));
}

TEST_F(VenueWindowTest, HighlightedCellShowsItsPathAndTheThrowOfAHit)
{
    results_.CellResults = {Cell({10, 40}, true, {60, 10}), Cell({10, 46}, false, {}, 0.0f)};
    Draw();
    OverlayMarker* path = venue_->linSoundPath();
    QLabel* distance = venue_->lblDistance();
    EXPECT_EQ(path->Color(), QColor(200, 20, 20)); // "Selected item" without its alpha

    hub_.HighlightCell(1);
    EXPECT_TRUE(Shown(path));
    EXPECT_EQ(path->P1(), QPointF(41, 51));
    EXPECT_EQ(path->P2(), QPointF(232, 165));
    ASSERT_TRUE(Shown(distance));
    EXPECT_EQ(distance->text().toStdString(), "58.31 ft");
    EXPECT_NEAR(distance->geometry().center().x(), 136.5, 1.0);
    EXPECT_NEAR(distance->geometry().center().y(), 108.0, 1.0);

    // A miss shows its 500-unit path even with misses not drawn, and no throw.
    hub_.HighlightCell(2);
    EXPECT_TRUE(Shown(path));
    EXPECT_EQ(path->P2(), QPointF(1946, 28));
    EXPECT_FALSE(Shown(distance));

    hub_.ClearHighlightedCell();
    EXPECT_FALSE(Shown(path));
    EXPECT_FALSE(Shown(distance));

    // A cell the picture does not have marks nothing.
    hub_.HighlightCell(7);
    EXPECT_FALSE(Shown(path));
    EXPECT_FALSE(Shown(distance));

    // New colours reach the marker with the drawing objects.
    options_.Colors().SetColor(ColorTable::kSelectedItem, ArgbColor::MakeARGB(255, 1, 2, 3));
    hub_.RefreshAllGraphicsObjects();
    EXPECT_EQ(path->Color(), QColor(1, 2, 3));
}

TEST_F(VenueWindowTest, EngineeringFiguresAppearOnlyInEngineeringMode)
{
    AddArea({10, 10}, {90, 10});
    AddListener(1, 40, {50, 30});
    results_.CenterOfGravity = {0, 30};
    results_.FarFieldDistance = 50;
    results_.PolarLevels.assign(91, 0.0f);
    Venue().CalcParameters().SetLowerAngle(-90);
    Venue().CalcParameters().SetUpperAngle(0);
    Venue().CalcParameters().SetAngleStep(1);

    const QImage bare = Draw();
    options_.SetShowArrayPolarResponse(true);
    options_.SetShowFarFieldTransitionLines(true);
    options_.SetShowListeningPoints(true);
    EXPECT_EQ(Draw(), bare);

    options_.SwitchToEngineeringMode();
    const QImage& full = Draw();
    EXPECT_NE(full, bare);
    // The figure's head: a circle of one foot round the point, in the first curve colour.
    EXPECT_TRUE(HasColour(full, QPointF(X(51), Y(30)), CurveColors::Color(1)));
    EXPECT_FALSE(Inked(full, At(50, 30)));
    // Its feet, five feet below the head's centre.
    EXPECT_TRUE(HasColour(full, QPointF(X(49), Y(25)), CurveColors::Color(1)));
}

TEST_F(VenueWindowTest, AListenerFigureIsAsBigInAMetricVenue)
{
    options_.SwitchToEngineeringMode();
    options_.SetShowListeningPoints(true);
    struct Case {
        UnitsCode units;
        float foot;
    };
    for (const Case c : {Case{UnitsCode::English, 1.0f}, Case{UnitsCode::Metric, 0.3048f}}) {
        SCOPED_TRACE(static_cast<int>(c.units));
        Venue().SetUnits(c.units);
        AddListener(0, 0, {50 * c.foot, 30 * c.foot});
        // The same venue in metres: the same picture scale in feet.
        results_.VenueMaxX = 100 * c.foot;
        results_.VenueMaxY = 50 * c.foot;
        const QImage& figure = Draw();
        EXPECT_TRUE(HasColour(figure, QPointF(X(51), Y(30)), CurveColors::Color(1)));
        EXPECT_TRUE(HasColour(figure, QPointF(X(49), Y(25)), CurveColors::Color(1)));
        EXPECT_TRUE(HasColour(figure, QPointF(X(51), Y(25)), CurveColors::Color(1)));
        EXPECT_FALSE(Inked(figure, QPointF(X(50), Y(24))));
        Venue().ListeningPoints().Remove(1);
    }
}

TEST_F(VenueWindowTest, FarFieldMarksStandWhereTheCircleMeetsAnArea)
{
    options_.SwitchToEngineeringMode();
    options_.SetShowFarFieldTransitionLines(true);
    // From (0, 30) a circle of 50 meets y = 10 at x = +-45.83; only the first lies on the
    // area. An upright area at x = 40 is met at y = 30 -+ 33.17, of which 10..50 holds
    // neither.
    AddArea({10, 10}, {90, 10});
    AddArea({40, 70}, {40, 75});
    results_.CenterOfGravity = {0, 30};
    results_.FarFieldDistance = 50;
    results_.VenueMaxY = 50;

    const QPointF mark(X(45.83f), Y(10) - 8.0f);
    EXPECT_TRUE(Inked(Draw(), mark));
    EXPECT_FALSE(Inked(Draw(), QPointF(X(45.83f) + 20, Y(10) - 8.0f)));

    results_.FarFieldDistance = 15; // too short to reach the area
    EXPECT_FALSE(Inked(Draw(), mark));

    results_.FarFieldDistance = 50;
    Venue().SetAggregateFrequencies(true);
    EXPECT_FALSE(Inked(Draw(), mark));
}

TEST_F(VenueWindowTest, PolarBalloonSpansTheSweepMirroredForAStackedArray)
{
    options_.SwitchToEngineeringMode();
    options_.SetShowArrayPolarResponse(true);
    Venue().CalcParameters().SetLowerAngle(-90);
    Venue().CalcParameters().SetUpperAngle(0);
    Venue().CalcParameters().SetAngleStep(1);
    results_.PolarLevels.assign(91, 0.0f);
    results_.CenterOfGravity = {50, 25};
    // Centre (193, 108); 0 dB at 60 pixels, -36 dB at 15.
    const QPointF centre(193, 108);
    auto at = [&](double degrees, double radius) {
        const double r = degrees / 180.0 * 3.141592653589793;
        return QPointF(centre.x() + radius * std::cos(r), centre.y() - radius * std::sin(r));
    };

    const QImage& flown = Draw();
    EXPECT_TRUE(Inked(flown, at(-52, 41)));
    EXPECT_FALSE(Inked(flown, at(52, 41)));
    EXPECT_FALSE(Inked(flown, at(-52, 70)));

    Venue().LineArray().SetConfiguration(ConfigurationCode::GroundStacked);
    const QImage& stacked = Draw();
    EXPECT_TRUE(Inked(stacked, at(52, 41)));
    EXPECT_FALSE(Inked(stacked, at(-52, 41)));

    // Levels the prediction left out sit on the inner circle: no shade, only the frame
    // (the -12 dB arc at 45 pixels).
    results_.PolarLevels.clear();
    const QImage& empty = Draw();
    EXPECT_FALSE(Inked(empty, at(52, 41)));
    EXPECT_TRUE(Inked(empty, at(52, 45)));

    // A sweep without a step draws no balloon and does not stop the drawing.
    Venue().CalcParameters().SetAngleStep(0);
    EXPECT_FALSE(Inked(Draw(), at(52, 45)));
}

TEST_F(VenueWindowTest, TooSmallOrEmptyPicturesDrawWithoutFailing)
{
    results_.CellResults = {Cell({10, 40}, true, {60, 10})};
    AreaLevelResult levels;
    levels.SampleCount = 5; // more than it holds
    levels.Samples = {{{20, 10}, 0.0f}};
    results_.AreaLevels = {levels, levels}; // more than the venue has
    results_.PointLevels.resize(3);
    options_.SetShowColoredResponseLevels(true);
    options_.SwitchToEngineeringMode();
    options_.SetShowListeningPoints(true);
    Draw();

    venue_->picVenue()->setFixedSize(5, 5);
    Draw();
    EXPECT_FALSE(venue_->Canvas().PlotHasRoom());

    // A new size redraws at once, at that size.
    // (The main window is never shown here, so its resize event is sent by hand.)
    venue_->picVenue()->setFixedSize(300, 150);
    QResizeEvent resize(QSize(300, 150), QSize(406, 206));
    QCoreApplication::sendEvent(venue_->picVenue(), &resize);
    EXPECT_EQ(venue_->Canvas().Surface().size(), QSize(300, 150));
    EXPECT_EQ(venue_->picVenue()->Picture().size(), QSize(300, 150));

    // Absurd bounds.
    venue_->picVenue()->setFixedSize(406, 206);
    results_.VenueMinX = -1.0e30f;
    results_.VenueMaxX = 1.0e30f;
    Draw();
}

TEST_F(VenueWindowTest, F1OnThePictureOpensTheVenueTopic)
{
    QTest::keyClick(venue_->picVenue(), Qt::Key_F1);
    ASSERT_EQ(help_.Calls().size(), 1u);
    EXPECT_EQ(help_.Calls()[0].topic, "reference_venue");
}

// --- Pointing and dragging ----------------------------------------------------------------

TEST_F(VenueWindowTest, DraggingTheArrayLocationSnapsToTheGridAndChangesTheVenueOnce)
{
    Bumper& bumper = Venue().LineArray().Bumper();
    bumper.SetLocation({10, 40});
    options_.SetSnapToGrid(true);
    options_.SetSnapToGridSize(5);
    Draw();

    venue_->redraws = 0;
    Press(At(10.5f, 40.5f));
    ASSERT_TRUE(venue_->IsDragging());
    EXPECT_EQ(venue_->DragRecord().type, HotSpot::ArrayLocation);
    EXPECT_TRUE(Shown(venue_->shpHotspot()));
    Move(At(21, 12), Qt::LeftButton);
    EXPECT_TRUE(Shown(venue_->linMove()));
    EXPECT_EQ(venue_->linMove()->P1(), QPointF(41, 51));
    EXPECT_NEAR(venue_->linMove()->P2().x(), X(20), 1e-3);
    EXPECT_NEAR(venue_->linMove()->P2().y(), Y(10), 1e-3);
    ASSERT_TRUE(Shown(venue_->lblCoordinates()));
    EXPECT_EQ(venue_->lblCoordinates()->text().toStdString(), " X: 20.00 ft\n  Y: 10.00 ft\n  SPL: -- dB");
    EXPECT_EQ(bumper.Location(), Point2D(10, 40)); // nothing changes before the drop
    EXPECT_FALSE(lifecycle_.IsDirty());
    Release(At(21, 12));

    EXPECT_EQ(bumper.Location(), Point2D(20, 10));
    EXPECT_TRUE(lifecycle_.IsDirty());
    EXPECT_EQ(venue_->redraws, 1);
    EXPECT_FALSE(venue_->IsDragging());
    EXPECT_FALSE(Shown(venue_->linMove()));
    EXPECT_FALSE(Shown(venue_->lblCoordinates()));

    // Ctrl keeps the drop off the grid.
    Draw();
    Drag(At(20, 10), At(33, 27), Qt::ControlModifier);
    EXPECT_NEAR(bumper.Location().x, 33.0f, 0.3f);
    EXPECT_NEAR(bumper.Location().y, 27.0f, 0.3f);

    // A drop far outside is held within 600 ft of the origin.
    Draw();
    Drag(QPointF(X(33), Y(27)), QPointF(1.0e6, -1.0e6));
    EXPECT_EQ(bumper.Location(), Point2D(600, 600));
}

TEST_F(VenueWindowTest, PressesOnEmptySpaceOrWithDraggingOffChangeNothing)
{
    Venue().LineArray().Bumper().SetLocation({10, 40});
    Draw();
    EXPECT_EQ(Drag(At(60, 20), At(70, 30)), 0);
    EXPECT_FALSE(venue_->IsDragging());

    options_.SetClickAndDragVenueItems(false);
    EXPECT_EQ(Drag(At(10, 40), At(70, 30)), 0);
    EXPECT_EQ(Venue().LineArray().Bumper().Location(), Point2D(10, 40));
    EXPECT_FALSE(lifecycle_.IsDirty());
    EXPECT_FALSE(Shown(venue_->shpHotspot()));
}

TEST_F(VenueWindowTest, ADragWhoseWindowShrankAwayChangesNothing)
{
    Venue().LineArray().Bumper().SetLocation({10, 40});
    Draw();
    Press(At(10, 40));
    ASSERT_TRUE(venue_->IsDragging());
    venue_->picVenue()->setFixedSize(5, 5);
    Draw();
    Release(QPointF(2, 2));
    EXPECT_FALSE(venue_->IsDragging());
    EXPECT_FALSE(Shown(venue_->linMove()));
    EXPECT_EQ(Venue().LineArray().Bumper().Location(), Point2D(10, 40));
    EXPECT_FALSE(lifecycle_.IsDirty());
    // Nothing is hot until the picture has a plot again.
    Press(QPointF(2, 2));
    EXPECT_FALSE(venue_->IsDragging());
}

TEST_F(VenueWindowTest, AreaEndsMoveAndABackPointNeverPassesItsFront)
{
    Plane& area = AddArea({20, 10}, {80, 20});
    Draw();
    EXPECT_EQ(Drag(At(80, 20), At(10, 5)), 1);
    EXPECT_EQ(area.FrontPoint(), Point2D(20, 10));
    EXPECT_NEAR(area.Length(), 0.001f, 1e-5f);
    EXPECT_NEAR(area.Height(), 0.001f, 1e-5f);

    area.SetBackPoint({80, 20});
    Draw();
    Drag(At(20, 10), At(30, 15));
    EXPECT_NEAR(area.FrontPoint().x, 30.0f, 0.3f);
    EXPECT_NEAR(area.FrontPoint().y, 15.0f, 0.3f);
    EXPECT_EQ(area.BackPoint(), Point2D(80, 20));
    EXPECT_TRUE(lifecycle_.IsDirty());
}

TEST_F(VenueWindowTest, AWholeAreaDropsCentredOnTheMouseKeepingItsSize)
{
    Plane& area = AddArea({20, 10}, {80, 20});
    Draw();
    // Grabbed off its middle, on the line.
    Press(At(35, 12.5f));
    ASSERT_EQ(venue_->DragRecord().type, HotSpot::WholeArea);
    Move(At(60, 30), Qt::LeftButton);
    // The rubber band is the area's copy centred on the mouse.
    const QPointF middle = (venue_->linMove()->P1() + venue_->linMove()->P2()) / 2;
    EXPECT_NEAR(middle.x(), X(60), 1.0);
    EXPECT_NEAR(middle.y(), Y(30), 1.0);
    venue_->redraws = 0;
    Release(At(60, 30));

    EXPECT_EQ(venue_->redraws, 1);
    EXPECT_NEAR(area.FrontPoint().x, 30.0f, 0.3f);
    EXPECT_NEAR(area.FrontPoint().y, 25.0f, 0.3f);
    EXPECT_NEAR(area.Length(), 60.0f, 1e-3f);
    EXPECT_NEAR(area.Height(), 10.0f, 1e-3f);
}

TEST_F(VenueWindowTest, AListeningPointStaysOnItsAreaWhereverItIsDropped)
{
    options_.SwitchToEngineeringMode();
    AddArea({20, 10}, {80, 20});
    ListeningPoint& listener = AddListener(1, 30, {50, 15});

    struct Case {
        float dropX, dropY, position;
    };
    const Case cases[] = {{95, 40, 60}, {5, 15, 0}, {42, 0, 22}};
    for (const Case& c : cases) {
        Draw();
        Press(At(50, 15));
        ASSERT_EQ(venue_->DragRecord().type, HotSpot::ListeningPoint);
        Move(At(c.dropX, c.dropY), Qt::LeftButton);
        Release(At(c.dropX, c.dropY));
        EXPECT_NEAR(listener.HorizontalPosition(), c.position, 0.3f) << c.dropX;
    }
}

TEST_F(VenueWindowTest, HoveringMarksPointsAndWholeAreas)
{
    AddArea({20, 10}, {80, 20});
    Draw();
    OverlayMarker* dot = venue_->shpHotspot();
    OverlayMarker* plane = venue_->linPlane();

    Move(At(20.5f, 10), Qt::NoButton);
    EXPECT_TRUE(Shown(dot));
    EXPECT_FALSE(Shown(plane));
    EXPECT_NEAR(dot->Centre().x(), 79, 1.0);
    EXPECT_NEAR(dot->Centre().y(), 165, 1.0);

    Move(At(35, 12.5f), Qt::NoButton);
    EXPECT_FALSE(Shown(dot));
    ASSERT_TRUE(Shown(plane));
    EXPECT_EQ(plane->P1(), QPointF(79, 165));
    EXPECT_EQ(plane->P2(), QPointF(308, 127));

    Move(QPointF(300, 30), Qt::NoButton);
    EXPECT_FALSE(Shown(dot));
    EXPECT_FALSE(Shown(plane));

    options_.SetClickAndDragVenueItems(false);
    Move(At(20.5f, 10), Qt::NoButton);
    EXPECT_FALSE(Shown(dot));
}

TEST_F(VenueWindowTest, RightButtonReadsOutTheNearestLevelNextToTheMouse)
{
    AddArea({20, 40}, {80, 40});
    AreaLevelResult levels;
    levels.SampleCount = 2;
    levels.Samples = {{{30, 40}, -3.0f}, {{60, 40}, -6.0f}};
    results_.AreaLevels = {levels};
    Draw();
    QLabel* label = venue_->lblCoordinates();
    OverlayMarker* dot = venue_->shpHotspot();

    const QPointF near = At(31, 42);
    Press(near, Qt::RightButton);
    ASSERT_TRUE(Shown(label));
    EXPECT_EQ(label->text().toStdString(), " X: 30.00 ft\n  Y: 40.00 ft\n  SPL: -3.00 dB");
    EXPECT_EQ(label->x(), std::lround(near.x() + 5));
    EXPECT_EQ(label->y(), std::lround(near.y() + 5));
    EXPECT_TRUE(Shown(dot));
    EXPECT_NEAR(dot->Centre().x(), X(30), 1.0);
    EXPECT_NEAR(dot->Centre().y(), Y(40), 1.0);

    Move(At(59, 41), Qt::RightButton);
    EXPECT_NE(label->text().indexOf(QStringLiteral("SPL: -6.00 dB")), -1);
    Release(At(59, 41), Qt::RightButton);
    EXPECT_FALSE(Shown(label));
    EXPECT_TRUE(Shown(dot)); // the hover marker, with dragging on

    // Far from every sample: the mouse's own point, and the label turns to stay inside.
    const QPointF corner(395, 200);
    Press(corner, Qt::RightButton);
    ASSERT_TRUE(Shown(label));
    EXPECT_NE(label->text().indexOf(QStringLiteral("  SPL: -- dB")), -1);
    EXPECT_NE(label->text().indexOf(QString::fromStdString(" X: " + Format::FormatMeasurement((395 - 3) * 0.2625f, lifecycle_.Venue().Units()))), -1);
    EXPECT_FALSE(Shown(dot));
    EXPECT_EQ(label->x(), std::lround(corner.x() - label->width() - 5));
    EXPECT_EQ(label->y(), std::lround(corner.y() - label->height() - 5));

    options_.SetClickAndDragVenueItems(false);
    Press(near, Qt::RightButton);
    EXPECT_TRUE(Shown(dot));
    Release(near, Qt::RightButton);
    EXPECT_FALSE(Shown(dot));
    EXPECT_FALSE(lifecycle_.IsDirty());
}

} // namespace
} // namespace polvane
