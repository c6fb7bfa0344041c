#include "windows/tools/RiggingDetailsWindow.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include <QAction>
#include <QImage>
#include <QLabel>
#include <QLineF>
#include <QPolygonF>
#include <QRectF>
#include <QMenu>
#include <QPointer>

#include "../DrawingWindowTestSupport.h"
#include "../ToolWindowFixture.h"
#include "model/Format.h"
#include "shell/session/UpdateHub.h"
#include "windows/base/ToolWindowHost.h"

namespace polvane {
namespace {

using namespace drawing_test;

// The rigging details of a new venue's flown array of four cells on two hang points,
// drawn from its prediction.
class RiggingDetailsWindowTest : public ToolWindowFixture {
protected:
    RiggingDetailsWindowTest()
    {
        UseTestColours(options_);
        options_.SetShowDistanceBetweenCables(false);
        options_.SetShowCenterOfGravity(false);
        options_.SetShowWeights(false);
        for (int i = 0; i < 4; ++i)
            Array().Cells().Add();
        // Calculations is refreshed by scope 3 and not by scope 7.
        registry_.Register(ToolWindowId::Calculations, &spy_);

        window_.SetToolWindowSlot(ToolWindowId::RiggingDetails, &host_);
        window_.findChild<QAction*>(QStringLiteral("mnuViewRiggingDetails"))->trigger();
        rigging_ = dynamic_cast<RiggingDetailsWindow*>(host_.Window());
        ShowAtSize(*rigging_, 520, 300);
        Recalculate();
    }
    ~RiggingDetailsWindowTest() override
    {
        window_.PopupMenu(MainWindow::Popup::Rigging)->close();
        registry_.Unregister(ToolWindowId::Calculations, &spy_);
    }

    LineArray& Array() { return lifecycle_.Venue().LineArray(); }
    Bumper& TheBumper() { return Array().Bumper(); }
    void Recalculate()
    {
        hub_.UpdateInterfaces(UpdateScope::RiggingDetails, true);
        lifecycle_.ClearDirty();
        spy_.refreshes = 0;
    }
    QImage Image() const { return rigging_->picRigging()->Picture(); }
    void Click(int hole, Qt::MouseButton button, QPointF offset = {})
    {
        SendMouse(*rigging_->picRigging(), QEvent::MouseButtonPress, rigging_->HolePoint(hole) + offset, button);
        SendMouse(*rigging_->picRigging(), QEvent::MouseButtonRelease, rigging_->HolePoint(hole) + offset, button);
    }
    void HangFrom(int front, int back)
    {
        TheBumper().SetFrontHangPoint(front);
        TheBumper().SetBackHangPoint(back);
        Recalculate();
    }
    QAction* MenuItem(const char* name) const { return window_.findChild<QAction*>(QString::fromUtf8(name)); }

    HighlightSpy spy_;
    ToolWindowHost host_{context_, [](ToolWindowContext& context) { return new RiggingDetailsWindow(context); }};
    RiggingDetailsWindow* rigging_ = nullptr;
};

TEST_F(RiggingDetailsWindowTest, DrawsTheBumperWithItsHolesOpen)
{
    EXPECT_EQ(rigging_->objectName(), "frmRiggingDetails");
    EXPECT_EQ(rigging_->windowTitle(), "Rigging Details");
    EXPECT_EQ(rigging_->picRigging()->objectName(), "picRigging");
    EXPECT_EQ(rigging_->picRigging()->size(), rigging_->size());

    const Bumper& bumper = TheBumper();
    ASSERT_GT(bumper.HoleCount(), 2);
    ASSERT_EQ(rigging_->HoleCount(), bumper.HoleCount());
    const PlotCanvas& canvas = rigging_->Canvas();
    for (int i = 1; i <= bumper.HoleCount(); ++i) {
        EXPECT_NEAR(rigging_->HolePoint(i).x(), canvas.ConvertX(bumper.HoleLocation(i).x), 1e-3);
        EXPECT_NEAR(rigging_->HolePoint(i).y(), canvas.ConvertY(bumper.HoleLocation(i).y), 1e-3);
    }
    ASSERT_GE(canvas.ConvertWidth(2 * bumper.HoleRadius()), 4.0f) << "holes too small to look into";
    const QImage image = Image();
    EXPECT_EQ(Pixel(image, rigging_->HolePoint(2)), kBackground);
    // The body of the bumper, halfway between a hole and the bottom edge.
    const QPointF bottom(canvas.ConvertX(bumper.BottomFront().x), canvas.ConvertY(bumper.BottomFront().y));
    const QPointF inside = (rigging_->HolePoint(1) + bottom) / 2 + QPointF(-3, 0);
    EXPECT_EQ(Pixel(image, inside), kBumperFill);
}

TEST_F(RiggingDetailsWindowTest, CablesRiseFromTheHangPointsOfAFlownArrayOnly)
{
    using enum ConfigurationCode;
    using enum RiggingCode;
    struct Case {
        ConfigurationCode configuration;
        RiggingCode rigging;
        bool front;
        bool back;
    };
    const std::vector<Case> cases = {
        {Flown, DualPoint, true, true}, {Flown, SinglePoint, true, false}, {GroundStacked, DualPoint, false, false}};
    for (const Case& c : cases) {
        Array().SetConfiguration(c.configuration);
        TheBumper().SetRigging(c.rigging);
        TheBumper().SetFrontHangPoint(2);
        TheBumper().SetBackHangPoint(rigging_->HoleCount() - 1);
        Recalculate();
        const QImage image = Image();
        const float top = static_cast<float>(rigging_->Canvas().Top());
        auto cableAbove = [&](int hole) {
            const QPointF at = rigging_->HolePoint(hole);
            return ColourNear(image, QPointF(at.x(), (top + at.y()) / 2 - 3), kCable);
        };
        EXPECT_EQ(cableAbove(2), c.front) << static_cast<int>(c.configuration) << static_cast<int>(c.rigging);
        EXPECT_EQ(cableAbove(rigging_->HoleCount() - 1), c.back) << static_cast<int>(c.configuration) << static_cast<int>(c.rigging);
        if (!c.front && !c.back) {
            EXPECT_FALSE(ColourAnywhere(image, kCable));
        }
    }
}

TEST_F(RiggingDetailsWindowTest, CentreOfGravityAndDistancesOnlyForTwoHangPoints)
{
    options_.SetShowCenterOfGravity(true);
    options_.SetShowDistanceBetweenCables(true);
    Recalculate();
    const PlotCanvas& canvas = rigging_->Canvas();
    const Point2D hang = session_.Results().HangLinePoint;
    const QPointF cross(std::lround(canvas.ConvertX(hang.x)), std::lround(canvas.ConvertY(hang.y)));
    QImage image = Image();
    EXPECT_TRUE(ColourNear(image, cross + QPointF(4, 4), kCenterOfGravity));
    EXPECT_TRUE(ColourNear(image, cross + QPointF(4, -4), kCenterOfGravity));
    // The horizontal dimension line runs above the plot, between the cables.
    const float fx = static_cast<float>(rigging_->HolePoint(TheBumper().FrontHangPoint()).x());
    const QSize label = canvas.MeasureText(Format::FormatSmallMeasurement(TheBumper().XDistanceBetweenCables(), lifecycle_.Venue().Units()));
    const float y = std::round(static_cast<float>(canvas.Top()) - label.height() / 2.0f - 1);
    EXPECT_TRUE(ColourNear(image, QPointF(fx - 6, y), kScaleLines, 0));

    TheBumper().SetRigging(RiggingCode::SinglePoint);
    Recalculate();
    image = Image();
    EXPECT_FALSE(ColourAnywhere(image, kCenterOfGravity));
    EXPECT_FALSE(ColourAnywhere(image, kScaleLines));
}

TEST_F(RiggingDetailsWindowTest, TheVerticalDistanceSitsBetweenTheHolesOrBelowTheLowerOne)
{
    options_.SetShowDistanceBetweenCables(true);
    // Ink in the right margin, on the dimension's column, between two rows.
    auto inkInMargin = [this](float fromY, float toY) {
        const QImage image = Image();
        const int left = rigging_->Canvas().RightEdge() + 2;
        for (int y = static_cast<int>(std::lround(fromY)); y <= static_cast<int>(std::lround(toY)); ++y)
            for (int x = left; x < image.width(); ++x)
                if (image.valid(x, y) && image.pixel(x, y) != kBackground)
                    return true;
        return false;
    };
    struct Case {
        double degrees;
        bool between; // room for arrows and the text between the holes
    };
    for (const Case c : {Case{0.0, false}, Case{20.0, true}}) {
        TheBumper().SetAngle(Angle::FromDegrees(c.degrees));
        Recalculate();
        const float fy = static_cast<float>(rigging_->HolePoint(TheBumper().FrontHangPoint()).y());
        const float by = static_cast<float>(rigging_->HolePoint(TheBumper().BackHangPoint()).y());
        const float high = std::min(fy, by);
        const float low = std::max(fy, by);
        const float text = static_cast<float>(rigging_->Canvas().MeasureText("0").height());
        if (c.between) {
            ASSERT_GT(low - high, text + 10);
            EXPECT_TRUE(inkInMargin((fy + by) / 2 - 2, (fy + by) / 2 + 2));
            EXPECT_FALSE(inkInMargin(low + 3, low + text));
        } else {
            EXPECT_TRUE(inkInMargin(low + 3, low + text));
            EXPECT_FALSE(inkInMargin(high - 3 * text, high - 3));
        }
    }
}

TEST_F(RiggingDetailsWindowTest, LoadsShowOnlyWhileTheArrayIsBalanced)
{
    options_.SetShowWeights(true);
    Recalculate();
    CalculationResults results = session_.Results();
    // Above the plot only the load labels, or the notice in their place, are written (no
    // cable distances).
    auto writtenAbove = [this] {
        const QImage image = Image();
        // The cables start at the top margin; their round caps reach a pixel above it.
        for (int y = 0; y < rigging_->Canvas().Top() - 2; ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) != kBackground)
                    return true;
        return false;
    };
    for (const bool balanced : {true, false}) {
        results.Balanced = balanced;
        results.FrontLoad = 123.4f;
        results.BackLoad = 56.7f;
        session_.StoreResults(results);
        rigging_->UpdateInterface();
        EXPECT_TRUE(writtenAbove()) << balanced;
        std::vector<std::string> written;
        for (const auto& label : rigging_->Labels())
            written.push_back(label.text);
        const UnitsCode units = lifecycle_.Venue().Units();
        const std::vector<std::string> loads{Format::FormatWeight(123.4f, units), Format::FormatWeight(56.7f, units)};
        const std::vector<std::string> notice{UpdateHub::kUnbalancedText};
        EXPECT_EQ(written, balanced ? loads : notice) << balanced;
    }
}

// Where the status bar calls the array unbalanced, flown or ground stacked, the window says
// so in the same words above the bumper, whatever the options, on as many lines as its
// width needs; a balanced array gets no such words.
TEST_F(RiggingDetailsWindowTest, AnArrayOutOfBalanceIsToldSoInTheStatusBarsWords)
{
    using enum ConfigurationCode;
    for (int i = 0; i < 20; ++i)
        Array().Cells().Add(-1, -1, nullptr);
    struct Case {
        ConfigurationCode configuration;
        double splay; // every cell's
        bool weights;
        int width;
    };
    const std::vector<Case> cases = {
        {GroundStacked, 5, false, 520}, {GroundStacked, 5, true, 520}, {Flown, 5, false, 520},
        {GroundStacked, 5, false, 160}, {GroundStacked, 0, false, 520}, {Flown, 0, true, 520},
    };
    bool stackedOutOfBalance = false;
    for (const Case& c : cases) {
        Array().SetConfiguration(c.configuration);
        for (int i = 1; i <= Array().Cells().Count(); ++i)
            Array().Cells().Item(i).SplayAngle().SetDegrees(c.splay);
        options_.SetShowWeights(c.weights);
        ShowAtSize(*rigging_, c.width, 300);
        hub_.UpdateInterfaces(UpdateScope::RiggingDetails, true);
        const bool balanced = session_.Results().Balanced;
        const std::string where = std::string(c.configuration == Flown ? "flown" : "stacked") + ", splay " +
                                  std::to_string(c.splay) + (c.weights ? ", weights" : "") + ", width " +
                                  std::to_string(c.width);
        const std::string status = window_.StatusPanel(2)->text().toStdString();
        EXPECT_EQ(status, balanced ? "" : UpdateHub::kUnbalancedText) << where;

        // The notice's lines over the plot, inside the picture; the loads are no part of it.
        std::string notice;
        const QRectF picture(0, 0, Image().width(), Image().height());
        for (const auto& label : rigging_->Labels()) {
            if (std::string(UpdateHub::kUnbalancedText).find(label.text) == std::string::npos)
                continue;
            notice += (notice.empty() ? "" : " ") + label.text;
            EXPECT_TRUE(picture.contains(label.rect)) << where << ": " << label.text;
            EXPECT_LE(label.rect.bottom(), rigging_->Canvas().Top()) << where << ": " << label.text;
        }
        EXPECT_EQ(notice, status) << where;
        stackedOutOfBalance = stackedOutOfBalance || (!balanced && c.configuration == GroundStacked);
    }
    EXPECT_TRUE(stackedOutOfBalance);
}

// Whether any part of the line lies in the rectangle, its edges included.
bool Crosses(const QLineF& line, const QRectF& rect)
{
    if (rect.contains(line.p1()) || rect.contains(line.p2()))
        return true;
    const QLineF edges[] = {{rect.topLeft(), rect.topRight()}, {rect.topRight(), rect.bottomRight()},
                            {rect.bottomRight(), rect.bottomLeft()}, {rect.bottomLeft(), rect.topLeft()}};
    return std::any_of(std::begin(edges), std::end(edges), [&line](const QLineF& edge) {
        return line.intersects(edge, nullptr) == QLineF::BoundedIntersection;
    });
}

// Every label stays inside the picture, off its own arrows and the cables, the other labels,
// the scale's labels and the bumper, from a window squeezed below its least size to a large
// one, level and tilted, on close and far hang points, in both unit systems, with and without
// the cable distances. A balanced array's two loads are there at every size; from a middling
// size on, no label is left out.
TEST_F(RiggingDetailsWindowTest, LabelsStayInsideThePictureAndClearOfTheDrawing)
{
    options_.SetShowCenterOfGravity(true);
    options_.SetShowWeights(true);
    options_.SetShowScale(true);
    struct Venue {
        const char* name;
        int cells;
        double splay;
        float attenuation;
        double bumperDegrees;
        UnitsCode units;
        int front; // 0: the venue's own hang points
        int back;
    };
    using enum UnitsCode;
    const std::vector<Venue> venues = {
        {"24 steep cells, metric", 24, 5, -6, 0, Metric, 0, 0},
        {"24 steep cells, English", 24, 5, -6, 0, English, 0, 0},
        {"4 cells, English", 4, 2, 0, 0, English, 0, 0},
        {"tilted up, metric", 8, 3, 0, 12, Metric, 0, 0},
        {"tilted down, English", 8, 3, 0, -15, English, 0, 0},
        {"tilted, close hang points, metric", 8, 3, 0, 20, Metric, 4, 6},
        {"level, close hang points, English", 8, 3, 0, 0, English, 5, 6},
        {"16 heavy level cells, English", 16, 0, 0, 0, English, 0, 0},
    };
    struct Size {
        int width;
        int height;
        bool everyLabel; // big enough to show every label
    };
    const std::vector<Size> sizes = {{90, 90, false},   {120, 100, false}, {150, 120, false}, {200, 160, false},
                                     {320, 220, true},  {520, 300, true},  {900, 500, true},   {1600, 900, true}};
    for (const Venue& v : venues) {
        lifecycle_.Venue().SetUnits(English);
        Array().SetBrand(BrandCode::TarvicKv9);
        while (Array().Cells().Count() > 0)
            Array().Cells().Remove(1);
        for (int i = 0; i < v.cells; ++i) {
            const Angle splay = Angle::FromDegrees(v.splay);
            Array().Cells().Add(-1, -1, &splay).SetAttenuation(v.attenuation);
        }
        TheBumper().SetRigging(RiggingCode::DualPoint);
        TheBumper().SetAngle(Angle::FromDegrees(v.bumperDegrees));
        if (v.front != 0) {
            TheBumper().SetFrontHangPoint(v.front);
            TheBumper().SetBackHangPoint(v.back);
        }
        lifecycle_.Venue().SetUnits(v.units);
        for (const bool distances : {true, false}) {
            for (const Size& size : sizes) {
                options_.SetShowDistanceBetweenCables(distances);
                ShowAtSize(*rigging_, size.width, size.height);
                Recalculate();
                const std::string where = std::string(v.name) + " at " + std::to_string(size.width) + " x " +
                                          std::to_string(size.height) + (distances ? "" : ", no distances");
                if (!rigging_->Canvas().PlotHasRoom())
                    continue; // nothing is drawn at all
                const QImage image = Image();
                const QRectF picture(0, 0, image.width(), image.height());
                const auto& labels = rigging_->Labels();
                for (std::size_t i = 0; i < labels.size(); ++i) {
                    const auto& [text, rect] = labels[i];
                    EXPECT_TRUE(picture.contains(rect)) << where << ": " << text;
                    for (std::size_t j = i + 1; j < labels.size(); ++j)
                        EXPECT_FALSE(rect.intersects(labels[j].rect))
                            << where << ": " << text << " on " << labels[j].text;
                    for (const QLineF& line : rigging_->Lines())
                        EXPECT_FALSE(Crosses(line, rect)) << where << ": " << text << " on a line";
                    for (const PlotCanvas::ScaleLabel& scale : rigging_->Canvas().ScaleLabels())
                        EXPECT_FALSE(rect.intersects(scale.rect)) << where << ": " << text << " on " << scale.text;
                    EXPECT_FALSE(rigging_->BumperOutline().intersects(QPolygonF(rect))) << where << ": " << text;
                }
                std::vector<std::string> expected;
                if (distances) {
                    expected = {Format::FormatSmallMeasurement(TheBumper().XDistanceBetweenCables(), v.units),
                                Format::FormatSmallMeasurement(TheBumper().YDistanceBetweenCables(), v.units)};
                }
                std::vector<std::string> loads;
                if (session_.Results().Balanced) {
                    loads = {Format::FormatWeight(session_.Results().FrontLoad, v.units),
                             Format::FormatWeight(session_.Results().BackLoad, v.units)};
                    expected.insert(expected.end(), loads.begin(), loads.end());
                }
                std::vector<std::string> written;
                for (const auto& label : labels)
                    written.push_back(label.text);
                if (!session_.Results().Balanced) {
                    // First the notice, on as many lines as the width needs.
                    std::string notice;
                    std::size_t lines = 0;
                    while (lines < written.size() && notice.size() < std::string(UpdateHub::kUnbalancedText).size())
                    {
                        notice += (lines == 0 ? "" : " ") + written[lines];
                        ++lines;
                    }
                    EXPECT_EQ(notice, UpdateHub::kUnbalancedText) << where;
                    written.erase(written.begin(), written.begin() + static_cast<std::ptrdiff_t>(lines));
                }
                if (size.everyLabel) {
                    EXPECT_EQ(written, expected) << where;
                } else {
                    const std::vector<std::string> loadsWritten(written.end() - std::min(written.size(), loads.size()),
                                                                written.end());
                    EXPECT_EQ(loadsWritten, loads) << where << ": the loads are never left out";
                }
            }
        }
    }
}

TEST_F(RiggingDetailsWindowTest, ClickingAHoleMovesTheNearerHangPoint)
{
    struct Case {
        int hole;
        Qt::MouseButton button;
        int front;
        int back;
    };
    // Hanging from 3 and 8; the centre of gravity lies on hole 5, and hole numbers grow
    // towards the back (left).
    const std::vector<Case> cases = {
        {2, Qt::LeftButton, 2, 8},  {1, Qt::RightButton, 1, 8}, {9, Qt::LeftButton, 3, 9},
        {3, Qt::LeftButton, 3, 8},  {8, Qt::RightButton, 3, 8}, {5, Qt::LeftButton, 3, 5},
        {6, Qt::LeftButton, 3, 6},  {4, Qt::LeftButton, 4, 8},
    };
    ASSERT_GE(rigging_->HoleCount(), 9);
    for (const Case& c : cases) {
        HangFrom(3, 8);
        CalculationResults results = session_.Results();
        results.HangLinePoint = TheBumper().HoleLocation(5);
        session_.StoreResults(results);
        rigging_->UpdateInterface();

        Click(c.hole, c.button, QPointF(0, 6));
        EXPECT_EQ(TheBumper().FrontHangPoint(), c.front) << c.hole;
        EXPECT_EQ(TheBumper().BackHangPoint(), c.back) << c.hole;
        EXPECT_EQ(rigging_->ClickedHole(), c.hole);
        // Every hit hole marks the venue changed and updates, even a current hang point.
        EXPECT_TRUE(lifecycle_.IsDirty()) << c.hole;
        EXPECT_EQ(spy_.refreshes, 0) << "two hang points update the rigging window alone";
    }
}

TEST_F(RiggingDetailsWindowTest, AClickOnNoHoleChangesNothing)
{
    HangFrom(3, 8);
    const QPointF hole = rigging_->HolePoint(5);
    SendMouse(*rigging_->picRigging(), QEvent::MouseButtonRelease, hole + QPointF(0, 16), Qt::LeftButton);
    EXPECT_EQ(rigging_->ClickedHole(), 0);
    EXPECT_EQ(TheBumper().FrontHangPoint(), 3);
    EXPECT_EQ(TheBumper().BackHangPoint(), 8);
    EXPECT_FALSE(lifecycle_.IsDirty());
}

TEST_F(RiggingDetailsWindowTest, ASinglePointFollowsEveryClickAndUpdatesTheArrayWindows)
{
    TheBumper().SetRigging(RiggingCode::SinglePoint);
    HangFrom(3, 8);
    Click(9, Qt::LeftButton);
    EXPECT_EQ(TheBumper().FrontHangPoint(), 9);
    Click(1, Qt::RightButton);
    EXPECT_EQ(TheBumper().FrontHangPoint(), 1);
    EXPECT_EQ(TheBumper().BackHangPoint(), 8);
    EXPECT_TRUE(lifecycle_.IsDirty());
    EXPECT_EQ(spy_.refreshes, 2);
}

TEST_F(RiggingDetailsWindowTest, ARightClickBetweenTheHangPointsAsksWhichOne)
{
    struct Case {
        const char* item;
        int front;
        int back;
        bool dirty;
    };
    const std::vector<Case> cases = {
        {"mnuRiggingBack", 3, 6, true},
        {"mnuRiggingFront", 6, 8, true},
        {"mnuRiggingCancel", 3, 8, false},
    };
    QMenu* menu = window_.PopupMenu(MainWindow::Popup::Rigging);
    for (const Case& c : cases) {
        HangFrom(3, 8);
        Click(6, Qt::RightButton);
        EXPECT_TRUE(menu->isVisible()) << c.item;
        // Nothing changes until the choice.
        EXPECT_EQ(TheBumper().FrontHangPoint(), 3);
        EXPECT_EQ(TheBumper().BackHangPoint(), 8);
        EXPECT_FALSE(lifecycle_.IsDirty());

        MenuItem(c.item)->trigger();
        menu->close();
        EXPECT_EQ(TheBumper().FrontHangPoint(), c.front) << c.item;
        EXPECT_EQ(TheBumper().BackHangPoint(), c.back) << c.item;
        EXPECT_EQ(lifecycle_.IsDirty(), c.dirty) << c.item;
    }
}

TEST_F(RiggingDetailsWindowTest, AChoiceForAHoleTheBumperNoLongerHasIsIgnored)
{
    HangFrom(3, 8);
    rigging_->ChoosePointType(RiggingDetailsWindow::kBackPoint); // nothing clicked yet
    EXPECT_EQ(TheBumper().BackHangPoint(), 8);
    EXPECT_FALSE(lifecycle_.IsDirty());

    Click(6, Qt::RightButton);
    window_.PopupMenu(MainWindow::Popup::Rigging)->close();
    ASSERT_EQ(rigging_->ClickedHole(), 6);
    rigging_->ChoosePointType(RiggingDetailsWindow::kBackPoint);
    EXPECT_EQ(TheBumper().BackHangPoint(), 6);
}

TEST_F(RiggingDetailsWindowTest, ClosingTheWindowLeavesTheMenuWithNobodyToTell)
{
    HangFrom(3, 8);
    Click(6, Qt::RightButton);
    const QPointer<RiggingDetailsWindow> closed = rigging_;
    host_.Unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_TRUE(closed.isNull());
    MenuItem("mnuRiggingBack")->trigger();
    EXPECT_EQ(TheBumper().BackHangPoint(), 8);
}

} // namespace
} // namespace polvane
