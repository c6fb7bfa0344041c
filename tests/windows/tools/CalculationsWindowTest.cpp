#include "windows/tools/CalculationsWindow.h"

#include <string>

#include <QAction>
#include <QLabel>

#include "../ToolWindowFixture.h"
#include "model/Format.h"
#include "windows/base/ToolWindowHost.h"

namespace polvane {
namespace {

class CalculationsWindowTest : public ToolWindowFixture {
protected:
    CalculationsWindowTest()
    {
        window_.SetToolWindowSlot(ToolWindowId::Calculations, &host_);
        window_.findChild<QAction*>(QStringLiteral("mnuViewCalculations"))->trigger();
        calculations_ = dynamic_cast<CalculationsWindow*>(host_.Window());
    }

    // The figures of a flown array whose lowest corner is at 12.5 and highest at 30.25.
    static CalculationResults Sample()
    {
        CalculationResults results;
        results.FarThrow = 123.456f;
        results.NearThrow = 20.0f;
        results.TotalWeight = 1512.25f;
        results.UpperCoverageAngle.SetDegrees(10.0);
        results.LowerCoverageAngle.SetDegrees(-35.5);
        results.ArrayMinY = 12.5f;
        results.ArrayMaxY = 30.25f;
        results.MaxLevelDrop = 6.125f;
        results.EvennessScore = 1000.0f;
        return results;
    }
    std::string Shown(const char* name) const
    {
        const QLabel* label = calculations_->Value(name);
        EXPECT_NE(label, nullptr) << name;
        return label == nullptr ? std::string() : label->text().toStdString();
    }

    ToolWindowHost host_{context_, [](ToolWindowContext& context) { return new CalculationsWindow(context); }};
    CalculationsWindow* calculations_ = nullptr;
};

TEST_F(CalculationsWindowTest, ShowsTheHeadlineFiguresInTheVenuesUnits)
{
    session_.StoreResults(Sample());
    hub_.UpdateInterfaces(UpdateScope::ResultsAndAreas, false);
    EXPECT_EQ(Shown("lblFarThrow"), "123.46 ft");
    EXPECT_EQ(Shown("lblNearThrow"), "20.00 ft");
    EXPECT_EQ(Shown("lblTotalWeight"), "1512.3 lbs");
    EXPECT_EQ(Shown("lblUpperAngle"), "10.0°");
    EXPECT_EQ(Shown("lblLowerAngle"), "-35.5°");
    EXPECT_EQ(Shown("lblTotalCoverage"), "45.5°");
    EXPECT_EQ(Shown("lblArrayHeight"), "17.75 ft");
    EXPECT_EQ(Shown("lblTrimHeight"), "12.50 ft");
    EXPECT_EQ(Shown("lblMaxSPLDrop"), "6.13 dB");
    EXPECT_EQ(Shown("lblMaxSPL"), "");

    // The same figures of a metric venue are labelled, not converted.
    lifecycle_.Venue().SetUnits(UnitsCode::Metric);
    session_.StoreResults(Sample());
    hub_.UpdateInterfaces(UpdateScope::ResultsAndAreas, false);
    EXPECT_EQ(Shown("lblFarThrow"), "123.46 m");
    EXPECT_EQ(Shown("lblTotalWeight"), "1512.3 kg");
}

TEST_F(CalculationsWindowTest, TheTrimHeightIsTheLowestPointFlownAndTheHighestStacked)
{
    session_.StoreResults(Sample());
    lifecycle_.Venue().LineArray().SetConfiguration(ConfigurationCode::GroundStacked);
    hub_.UpdateInterfaces(UpdateScope::ResultsAndAreas, false);
    EXPECT_EQ(Shown("lblTrimHeight"), "30.25 ft");
    EXPECT_EQ(Shown("lblArrayHeight"), "17.75 ft");
}

TEST_F(CalculationsWindowTest, GodModeAddsTheEvennessAsAWholePercentage)
{
    struct Case {
        float evenness;
        const char* shown;
    };
    // 6 ^ (-x / 20000): 1000 gives 0.9144, 0 gives 1, 20000 gives 1/6.
    const Case cases[] = {{1000.0f, "6.13 dB (91%)"}, {0.0f, "6.13 dB (100%)"}, {20000.0f, "6.13 dB (17%)"}};
    options_.SetGodMode(true);
    for (const Case& c : cases) {
        CalculationResults results = Sample();
        results.EvennessScore = c.evenness;
        session_.StoreResults(std::move(results));
        hub_.UpdateInterfaces(UpdateScope::ResultsAndAreas, false);
        EXPECT_EQ(Shown("lblMaxSPLDrop"), c.shown);
    }
    options_.SetGodMode(false);
    hub_.UpdateInterfaces(UpdateScope::ResultsAndAreas, false);
    EXPECT_EQ(Shown("lblMaxSPLDrop"), "6.13 dB");
}

TEST_F(CalculationsWindowTest, ARecalculationShowsTheNewResults)
{
    lifecycle_.Venue().LineArray().Cells().Add();
    hub_.UpdateInterfaces(UpdateScope::All, true);
    EXPECT_GT(session_.Results().TotalWeight, 0.0f);
    EXPECT_EQ(Shown("lblTotalWeight"),
              Format::FormatWeight(session_.Results().TotalWeight, lifecycle_.Venue().Units()));
}

} // namespace
} // namespace polvane
