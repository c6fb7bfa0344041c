#include "windows/tools/ArrayConfigurationWindow.h"

#include <vector>

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "../ToolWindowFixture.h"
#include "windows/base/ToolWindowHost.h"

namespace polvane {
namespace {

class ArrayConfigurationWindowTest : public ToolWindowFixture {
protected:
    ArrayConfigurationWindowTest()
    {
        window_.SetToolWindowSlot(ToolWindowId::ArrayConfiguration, &host_);
        Open();
    }

    void Open()
    {
        window_.findChild<QAction*>(QStringLiteral("mnuViewArrayConfiguration"))->trigger();
        config_ = dynamic_cast<ArrayConfigurationWindow*>(host_.Window());
        ASSERT_NE(config_, nullptr);
    }
    LineArray& Array() { return lifecycle_.Venue().LineArray(); }
    // A column of cells, each moved off its default splay.
    void AddCellsOffDefault(int count)
    {
        for (int i = 0; i < count; ++i)
            Array().Cells().Add();
        for (int i = 1; i <= count; ++i) {
            Cell& cell = Array().Cells().Item(i);
            const int splays = static_cast<int>(cell.GetPossibleSplays().size());
            ASSERT_GT(splays, 1);
            cell.SetSplayIndex(cell.GetSplayIndex() == splays ? 1 : splays);
        }
        for (int i = 1; i <= count; ++i)
            ASSERT_FALSE(OnDefaultSplay(i)) << "cell " << i;
    }
    bool OnDefaultSplay(int i)
    {
        const Cell& cell = Array().Cells().Item(i);
        const auto copy = cell.CloneOf();
        copy->TouchSplay();
        return copy->SplayAngle().Radians() == cell.SplayAngle().Radians();
    }
    std::vector<double> Splays()
    {
        std::vector<double> splays;
        for (int i = 1; i <= Array().Cells().Count(); ++i)
            splays.push_back(Array().Cells().Item(i).SplayAngle().Degrees());
        return splays;
    }

    int designs_ = 0;
    ToolWindowHost host_{context_, [this](ToolWindowContext& context) {
                             return new ArrayConfigurationWindow(context, [this] { ++designs_; });
                         }};
    ArrayConfigurationWindow* config_ = nullptr;
};

TEST_F(ArrayConfigurationWindowTest, ARefreshShowsTheBrandTheStyleAndThePinning)
{
    using enum BrandCode;
    using enum ConfigurationCode;
    using enum PinStyleCode;
    struct Case {
        BrandCode brand;
        ConfigurationCode configuration;
        PinStyleCode pinStyle;
        const char* brandText;
        bool pinsEnabled;
    };
    const Case cases[] = {
        {TarvicKv9, Flown, Slide, "TARVIC™ KV9", true},
        {TarvicKv7, Flown, Fixed, "TARVIC™ KV7", true},
        {TarvicKv4, GroundStacked, Fixed, "TARVIC™ KV4", false},
        {DeVelt, Flown, Fixed, "DE.VELT™", false},
        {DeVelt, GroundStacked, Fixed, "DE.VELT™", false},
        {BrandCode{5}, Flown, Slide, "R.SARN™", true},
    };
    for (const Case& c : cases) {
        Array().SetBrand(c.brand);
        Array().SetConfiguration(c.configuration);
        Array().SetPinStyle(c.pinStyle);
        ASSERT_EQ(Array().PinStyle(), c.pinStyle) << c.brandText;
        hub_.UpdateInterfaces(UpdateScope::AllButNotesAreas, false);
        EXPECT_EQ(config_->lblLineArrayType()->text().toStdString(), c.brandText);
        EXPECT_EQ(config_->optFlown()->isChecked(), c.configuration == Flown) << c.brandText;
        EXPECT_EQ(config_->optGroundStacked()->isChecked(), c.configuration == GroundStacked) << c.brandText;
        EXPECT_EQ(config_->optSlide()->isChecked(), c.pinStyle == Slide) << c.brandText;
        EXPECT_EQ(config_->optFixed()->isChecked(), c.pinStyle == Fixed) << c.brandText;
        EXPECT_EQ(config_->optSlide()->isEnabled(), c.pinsEnabled) << c.brandText;
        EXPECT_EQ(config_->optFixed()->isEnabled(), c.pinsEnabled) << c.brandText;
    }
    // Refilling the options is no choice of the user's.
    EXPECT_FALSE(lifecycle_.IsDirty());
}

TEST_F(ArrayConfigurationWindowTest, StackedSelectsFixedPinsAndResetsEverySplay)
{
    AddCellsOffDefault(4);
    config_->optGroundStacked()->click();

    EXPECT_EQ(Array().Configuration(), ConfigurationCode::GroundStacked);
    EXPECT_EQ(Array().PinStyle(), PinStyleCode::Fixed);
    EXPECT_TRUE(config_->optGroundStacked()->isChecked());
    EXPECT_TRUE(config_->optFixed()->isChecked());
    EXPECT_FALSE(config_->optSlide()->isEnabled());
    EXPECT_FALSE(config_->optFixed()->isEnabled());
    for (int i = 1; i <= 4; ++i)
        EXPECT_TRUE(OnDefaultSplay(i)) << "cell " << i;
    EXPECT_TRUE(lifecycle_.IsDirty());

    // And back: flown always gives slide pins.
    config_->optFlown()->click();
    EXPECT_EQ(Array().Configuration(), ConfigurationCode::Flown);
    EXPECT_EQ(Array().PinStyle(), PinStyleCode::Slide);
    EXPECT_TRUE(config_->optSlide()->isChecked());
    EXPECT_TRUE(config_->optSlide()->isEnabled());
}

TEST_F(ArrayConfigurationWindowTest, FlownOnAFixedPinBrandKeepsThePinsAndTheSplays)
{
    Array().SetBrand(BrandCode::DeVelt);
    Array().SetConfiguration(ConfigurationCode::GroundStacked);
    Array().SetPinStyle(PinStyleCode::Fixed);
    AddCellsOffDefault(3);
    const std::vector<double> before = Splays();
    hub_.UpdateInterfaces(UpdateScope::AllButNotesAreas, false);

    config_->optFlown()->click();
    EXPECT_EQ(Array().Configuration(), ConfigurationCode::Flown);
    EXPECT_EQ(Array().PinStyle(), PinStyleCode::Fixed);
    EXPECT_EQ(Splays(), before);
    EXPECT_TRUE(config_->optFixed()->isChecked());
    EXPECT_FALSE(config_->optSlide()->isEnabled());
    EXPECT_TRUE(lifecycle_.IsDirty());
}

TEST_F(ArrayConfigurationWindowTest, APinChoiceResetsTheSplaysButTheChoiceAlreadyMadeDoesNothing)
{
    AddCellsOffDefault(3);
    const std::vector<double> before = Splays();
    // Slide is already chosen: clicking it again keeps the user's splays.
    config_->optSlide()->click();
    EXPECT_EQ(Splays(), before);
    EXPECT_FALSE(lifecycle_.IsDirty());

    config_->optFixed()->click();
    EXPECT_EQ(Array().PinStyle(), PinStyleCode::Fixed);
    for (int i = 1; i <= 3; ++i)
        EXPECT_TRUE(OnDefaultSplay(i)) << "cell " << i;
    EXPECT_TRUE(lifecycle_.IsDirty());

    config_->optSlide()->click();
    EXPECT_EQ(Array().PinStyle(), PinStyleCode::Slide);
    EXPECT_TRUE(config_->optSlide()->isChecked());
}

TEST_F(ArrayConfigurationWindowTest, DesignOpensTheArrayDesignAndF1TheWindowsTopic)
{
    config_->cmdSelect()->click();
    EXPECT_EQ(designs_, 1);
    EXPECT_EQ(config_->cmdSelect()->text().toStdString(), "Design...");

    QTest::keyClick(config_->optFlown(), Qt::Key_F1);
    ASSERT_EQ(help_.Calls().size(), 1u);
    EXPECT_EQ(help_.Calls()[0].topic, "reference_array_config");
}

TEST_F(ArrayConfigurationWindowTest, DesignWithoutADialogDoesNothing)
{
    host_.Unload();
    ToolWindowHost bare{context_, [](ToolWindowContext& context) {
                            return new ArrayConfigurationWindow(context, {});
                        }};
    window_.SetToolWindowSlot(ToolWindowId::ArrayConfiguration, &bare);
    window_.findChild<QAction*>(QStringLiteral("mnuViewArrayConfiguration"))->trigger();
    auto* window = dynamic_cast<ArrayConfigurationWindow*>(bare.Window());
    ASSERT_NE(window, nullptr);
    window->cmdSelect()->click();
    EXPECT_FALSE(lifecycle_.IsDirty());
    window_.SetToolWindowSlot(ToolWindowId::ArrayConfiguration, &host_);
}

} // namespace
} // namespace polvane
