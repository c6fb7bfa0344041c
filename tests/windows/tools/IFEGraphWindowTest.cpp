#include "windows/tools/IFEGraphWindow.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include <QAction>
#include <QColor>
#include <QImage>
#include <QLayout>

#include "../ToolWindowFixture.h"
#include "engine/CalculationResults.h"
#include "model/Format.h"
#include "shell/options/ColorTable.h"
#include "shell/options/FrequencyTable.h"
#include "plot/PlotPictureBox.h"
#include "windows/base/ToolWindowHost.h"

namespace polvane {
namespace {

class IFEGraphWindowTest : public ToolWindowFixture {
protected:
    IFEGraphWindowTest()
    {
        window_.SetToolWindowSlot(ToolWindowId::IFEGraph, &host_);
        host_.Load();
        graph_ = dynamic_cast<IFEGraphWindow*>(host_.Window());
        window_.show();
        graph_->Show();
        graph_->parentWidget()->resize(420, 280);
    }

    Environment& Venue() { return lifecycle_.Venue(); }
    QColor PixelAt(float frequency, float percent) const
    {
        const PlotCanvas& canvas = graph_->Canvas();
        const QImage& picture = graph_->picGraph()->Picture();
        return picture.pixelColor(static_cast<int>(canvas.ConvertX(frequency)),
                                  static_cast<int>(canvas.ConvertY(percent)));
    }
    // The graph's pen over the background, as the picture shows it.
    QColor GraphColour() const
    {
        const QColor pen = QColor::fromRgba(options_.Colors().Color(ColorTable::kGraphLines));
        const QColor back = QColor::fromRgba(options_.Colors().Color(ColorTable::kBackground));
        const double a = pen.alphaF();
        const auto mix = [a](int over, int under) {
            return static_cast<int>(std::lround(over * a + under * (1.0 - a)));
        };
        return QColor(mix(pen.red(), back.red()), mix(pen.green(), back.green()),
                      mix(pen.blue(), back.blue()));
    }
    static bool Near(const QColor& a, const QColor& b)
    {
        return std::abs(a.red() - b.red()) <= 2 && std::abs(a.green() - b.green()) <= 2 &&
               std::abs(a.blue() - b.blue()) <= 2;
    }

    ToolWindowHost host_{context_, [](ToolWindowContext& context) { return new IFEGraphWindow(context); }};
    IFEGraphWindow* graph_ = nullptr;
};

TEST_F(IFEGraphWindowTest, DrawsTheEmptyScaleUntilTheFirstRecalculationThenTheCurve)
{
    graph_->UpdateInterface(false);
    EXPECT_FALSE(graph_->IsCalculated());
    ASSERT_FALSE(graph_->picGraph()->Picture().isNull());
    EXPECT_EQ(graph_->picGraph()->Picture().size(), graph_->picGraph()->size());
    EXPECT_FALSE(Near(PixelAt(1000.0f, 100.0f), GraphColour()));

    // A venue without seating areas scores 0, which is 100 % at every band.
    hub_.UpdateInterfaces(UpdateScope::All, true);
    ASSERT_TRUE(graph_->IsCalculated());
    ASSERT_EQ(graph_->Values().size(), static_cast<std::size_t>(FrequencyTable::Count()));
    for (float value : graph_->Values())
        EXPECT_FLOAT_EQ(value, 100.0f);
    EXPECT_TRUE(Near(PixelAt(1000.0f, 100.0f), GraphColour()));
}

TEST_F(IFEGraphWindowTest, EachBandIsPredictedAtItsOwnFrequency)
{
    LineArray& array = Venue().LineArray();
    array.SetBrand(BrandCode::RSarn);
    array.Bumper().SetLocation(Point2D(0, 30));
    for (int i = 0; i < 6; ++i) {
        const Angle splay = Angle::FromDegrees(i == 0 ? 0.0 : 3.0);
        array.Cells().Add(-1, -1, &splay);
    }
    const Point2D front(15, 0);
    const Point2D back(120, 8);
    Venue().SeatingAreas().Add(-1, &front, &back);

    const std::vector<float> values = IFEGraphWindow::Calculate(Venue());
    ASSERT_EQ(values.size(), static_cast<std::size_t>(FrequencyTable::Count()));
    for (const int band : {1, 12, 23}) {
        Venue().SetCenterFrequency(FrequencyTable::Frequency(band));
        const float score = Venue().GenerateCalculations(false).EvennessScore;
        EXPECT_FLOAT_EQ(values[static_cast<std::size_t>(band - 1)], Format::SPLECToPercent(score) * 100.0f)
            << band;
    }
    for (const float value : values) {
        EXPECT_GE(value, 0.0f);
        EXPECT_LE(value, 100.0f);
    }
    EXPECT_NE(*std::min_element(values.begin(), values.end()), *std::max_element(values.begin(), values.end()));
}

TEST_F(IFEGraphWindowTest, ARecalculationLeavesTheVenuesFrequencySettingsAsTheyWere)
{
    // Nor does it touch the shared results.
    CalculationResults shared;
    shared.EvennessScore = 42.0f;
    session_.StoreResults(shared);

    struct Case {
        bool aggregates;
        float centre;
        float centreAfter;
    };
    const Case cases[] = {
        {false, 1000.0f, 1000.0f},
        {false, 1234.4f, 1234.0f},
        {true, 500.0f, 16000.0f}, // an aggregating venue keeps the last band
    };
    for (const Case& c : cases) {
        Venue().SetAggregateFrequencies(c.aggregates);
        Venue().SetCenterFrequency(c.centre);
        graph_->UpdateInterface(true);
        EXPECT_EQ(Venue().AggregateFrequencies(), c.aggregates);
        EXPECT_FLOAT_EQ(Venue().CenterFrequency(), c.centreAfter) << c.centre;
    }
    EXPECT_FLOAT_EQ(session_.Results().EvennessScore, 42.0f);
}

TEST_F(IFEGraphWindowTest, TheHubSkipsTheCalculationForTheAnalysedFrequencyAndDisplayScopes)
{
    // A calculation leaves the centre frequency rounded, which shows whether one ran.
    struct Case {
        UpdateScope scope;
        bool calculates;
    };
    const Case cases[] = {{UpdateScope::All, true},
                          {UpdateScope::AllButArrayNotesAreas, true},
                          {UpdateScope::Results, true},
                          {UpdateScope::AllButNotesAreas, true},
                          {UpdateScope::AnalysedFrequency, false},
                          {UpdateScope::Display, false},
                          {UpdateScope::ResultsAndAreas, true},
                          {UpdateScope::ListeningConditions, true}};
    for (const Case& c : cases) {
        Venue().SetCenterFrequency(1000.25f);
        hub_.UpdateInterfaces(c.scope, false);
        EXPECT_FLOAT_EQ(Venue().CenterFrequency(), c.calculates ? 1000.0f : 1000.25f) << static_cast<int>(c.scope);
    }
    EXPECT_EQ(hub_.RefreshingScope(), std::nullopt);
}

TEST_F(IFEGraphWindowTest, OpeningFromTheToolsMenuCalculatesAndResizingRedrawsWithoutCalculating)
{
    host_.Unload();
    window_.findChild<QAction*>(QStringLiteral("mnuViewIFEGraph"))->trigger();
    graph_ = dynamic_cast<IFEGraphWindow*>(host_.Window());
    ASSERT_NE(graph_, nullptr);
    EXPECT_TRUE(graph_->IsCalculated());

    Venue().SetCenterFrequency(1000.25f);
    graph_->picGraph()->resize(300, 180);
    EXPECT_FLOAT_EQ(Venue().CenterFrequency(), 1000.25f);
    EXPECT_EQ(graph_->picGraph()->Picture().size(), QSize(300, 180));
}

TEST_F(IFEGraphWindowTest, APictureTooSmallForAPlotStillDrawsWithoutFailing)
{
    for (const QSize size : {QSize(0, 0), QSize(10, 10), QSize(40, 20)}) {
        graph_->picGraph()->resize(size);
        graph_->UpdateInterface(true);
        EXPECT_TRUE(graph_->IsCalculated());
    }
}

} // namespace
} // namespace polvane
