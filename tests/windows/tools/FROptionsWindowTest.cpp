#include "windows/tools/FROptionsWindow.h"

#include <string>
#include <string_view>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTest>

#include "../ToolWindowFixture.h"
#include "model/Units.h"
#include "shell/options/FrequencyTable.h"
#include "windows/base/ToolWindowHost.h"

namespace polvane {
namespace {

class FROptionsWindowTest : public ToolWindowFixture {
protected:
    FROptionsWindowTest()
    {
        window_.SetToolWindowSlot(ToolWindowId::FROptions, &host_);
        host_.Load();
        options_window_ = dynamic_cast<FROptionsWindow*>(host_.Window());
        frequency_ = options_window_->findChild<QComboBox*>(QStringLiteral("cboFrequency"));
        earHeight_ = options_window_->findChild<QLineEdit*>(QStringLiteral("txtEarHeight"));
        temperature_ = options_window_->findChild<QLineEdit*>(QStringLiteral("txtTemperature"));
        hub_.UpdateInterfaces(UpdateScope::All, false);
    }

    Environment& Venue() { return lifecycle_.Venue(); }
    void Refresh() { hub_.UpdateInterfaces(UpdateScope::All, false); }
    void Type(QLineEdit* box, const QString& text)
    {
        box->selectAll();
        QTest::keyClicks(box, text);
    }
    // A choice as the user makes it: the list opened by a click, the item picked by keys.
    void Choose(const QString& text)
    {
        window_.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
        QTest::mouseClick(frequency_, Qt::LeftButton);
        QAbstractItemView* list = frequency_->view();
        ASSERT_TRUE(list->isVisible());
        QTest::keyClick(window_.windowHandle(), Qt::Key_Home);
        for (int item = 0; item < frequency_->findText(text); ++item)
            QTest::keyClick(window_.windowHandle(), Qt::Key_Down);
        QTest::keyClick(window_.windowHandle(), Qt::Key_Return);
        EXPECT_FALSE(list->isVisible());
        EXPECT_EQ(frequency_->currentText(), text);
    }
    void Spin(const char* name, int direction)
    {
        options_window_->findChild<QSpinBox*>(QString::fromLatin1(name))->setValue(direction);
    }

    ToolWindowHost host_{context_, [](ToolWindowContext& context) { return new FROptionsWindow(context); }};
    FROptionsWindow* options_window_ = nullptr;
    QComboBox* frequency_ = nullptr;
    QLineEdit* earHeight_ = nullptr;
    QLineEdit* temperature_ = nullptr;
};

TEST_F(FROptionsWindowTest, ListsAllAndTheBandsWithTheirHertz)
{
    EXPECT_EQ(options_window_->objectName(), "frmFROptions");
    ASSERT_EQ(frequency_->count(), 1 + FrequencyTable::Count());
    EXPECT_EQ(frequency_->itemText(0), "All");
    EXPECT_EQ(frequency_->itemText(1), "100 Hz");
    EXPECT_EQ(frequency_->itemData(1).toInt(), 100);
    EXPECT_EQ(frequency_->itemText(12), "1.25 kHz");
    EXPECT_EQ(frequency_->itemData(12).toInt(), 1250);
    EXPECT_EQ(frequency_->itemData(23).toInt(), 16000);
    for (const auto& [name, caption] : {std::pair{"lblFIdent", "Freq.:"}, std::pair{"lblEHIdent", "Ear Height:"},
                                        std::pair{"lblTIdent", "Temp.:"}}) {
        const auto* label = options_window_->findChild<QLabel*>(QString::fromLatin1(name));
        ASSERT_NE(label, nullptr) << name;
        EXPECT_EQ(label->text(), caption);
    }
}

TEST_F(FROptionsWindowTest, ARefreshSelectsTheVenuesFrequencyAndKeepsItForNoBand)
{
    Venue().SetAggregateFrequencies(false);
    Venue().SetCenterFrequency(2000);
    Refresh();
    EXPECT_EQ(frequency_->currentText(), "2.00 kHz");

    Venue().SetCenterFrequency(1100);
    Refresh();
    EXPECT_EQ(frequency_->currentText(), "2.00 kHz") << "no band of 1100 Hz";

    Venue().SetAggregateFrequencies(true);
    Refresh();
    EXPECT_EQ(frequency_->currentIndex(), 0);
    EXPECT_FALSE(lifecycle_.IsDirty()) << "refilling chooses nothing";
    EXPECT_TRUE(Venue().AggregateFrequencies());
    EXPECT_FLOAT_EQ(Venue().CenterFrequency(), 1100.0f);
}

TEST_F(FROptionsWindowTest, ChoosingAllAggregatesEveryBandAndABandSwitchesItOff)
{
    Venue().SetAggregateFrequencies(false);
    Venue().SetFrequencyList({1000});
    Venue().SetCenterFrequency(1000);
    Refresh();

    Choose(QStringLiteral("All"));
    EXPECT_TRUE(Venue().AggregateFrequencies());
    ASSERT_EQ(Venue().FrequencyList().size(), static_cast<std::size_t>(FrequencyTable::Count()));
    for (int band = 1; band <= FrequencyTable::Count(); ++band)
        EXPECT_FLOAT_EQ(Venue().FrequencyList()[static_cast<std::size_t>(band - 1)], FrequencyTable::Frequency(band));
    EXPECT_TRUE(lifecycle_.IsDirty());

    lifecycle_.ClearDirty();
    Choose(QStringLiteral("500 Hz"));
    EXPECT_FALSE(Venue().AggregateFrequencies());
    EXPECT_FLOAT_EQ(Venue().CenterFrequency(), 500.0f);
    EXPECT_EQ(Venue().FrequencyList().size(), static_cast<std::size_t>(FrequencyTable::Count()));
    EXPECT_TRUE(lifecycle_.IsDirty());
}

TEST_F(FROptionsWindowTest, ChoosingTheItemAlreadyShownActsAgain)
{
    // A file may hold an aggregating venue with only part of the bands.
    Venue().SetAggregateFrequencies(true);
    Venue().SetFrequencyList({1000});
    Refresh();
    ASSERT_EQ(frequency_->currentText(), "All");

    Choose(QStringLiteral("All"));
    EXPECT_EQ(Venue().FrequencyList().size(), static_cast<std::size_t>(FrequencyTable::Count()));
    EXPECT_TRUE(lifecycle_.IsDirty());
}

TEST_F(FROptionsWindowTest, TypedTemperaturesNameTheirScaleWithATrailingLetter)
{
    struct Case {
        UnitsCode units;
        const char* typed;
        float celsius;
        const char* shown;
    };
    const Case cases[] = {
        {UnitsCode::English, "22 c", 22.0f, "71.6\u00B0 F"},
        {UnitsCode::English, "22C", 22.0f, "71.6\u00B0 F"},
        {UnitsCode::English, "50 F", 10.0f, "50.0\u00B0 F"},
        {UnitsCode::English, "5f", -15.0f, "5.0\u00B0 F"},  // too short for a scale: the venue's own
        {UnitsCode::English, "68", 20.0f, "68.0\u00B0 F"},
        {UnitsCode::Metric, "5f", 5.0f, "5.0\u00B0 C"},
        {UnitsCode::Metric, "50 f", 10.0f, "10.0\u00B0 C"},
        {UnitsCode::Metric, "-3.5", -3.5f, "-3.5\u00B0 C"},
        {UnitsCode::Metric, "warm", 22.0f, "22.0\u00B0 C"}, // no number: nothing changes
    };
    for (const Case& c : cases) {
        Venue().SetUnits(c.units);
        Venue().AmbientTemperature().SetCelsius(22.0f);
        Refresh();
        lifecycle_.ClearDirty();
        Type(temperature_, QString::fromLatin1(c.typed));
        QTest::keyClick(temperature_, Qt::Key_Return);
        EXPECT_NEAR(Venue().AmbientTemperature().Celsius(), c.celsius, 1e-4) << c.typed;
        EXPECT_EQ(temperature_->text().toStdString(), c.shown) << c.typed;
        EXPECT_EQ(lifecycle_.IsDirty(), std::string_view(c.typed) != "warm") << c.typed;
    }
}

TEST_F(FROptionsWindowTest, TemperatureStepsGoToWholeDegreesOfTheVenuesScale)
{
    Venue().AmbientTemperature().SetCelsius(22.0f);
    Refresh();
    ASSERT_EQ(temperature_->text().toStdString(), "71.6\u00B0 F");
    Spin("spnTemperature", +1);
    EXPECT_NEAR(Venue().AmbientTemperature().Fahrenheit(), 72.0f, 1e-4);
    EXPECT_EQ(temperature_->text().toStdString(), "72.0\u00B0 F");
    EXPECT_EQ(temperature_->selectedText(), temperature_->text());
    Spin("spnTemperature", -1);
    EXPECT_NEAR(Venue().AmbientTemperature().Fahrenheit(), 71.0f, 1e-4);

    // A typed scale that was never committed does not change what a step means.
    Type(temperature_, QStringLiteral("30 c"));
    Spin("spnTemperature", +1);
    EXPECT_NEAR(Venue().AmbientTemperature().Fahrenheit(), 31.0f, 1e-4);

    Venue().SetUnits(UnitsCode::Metric);
    Venue().AmbientTemperature().SetCelsius(18.5f);
    Refresh();
    Spin("spnTemperature", -1);
    EXPECT_NEAR(Venue().AmbientTemperature().Celsius(), 18.0f, 1e-4);
}

TEST_F(FROptionsWindowTest, EarHeightIsStoredUnboundedAndEscRestoresIt)
{
    Venue().SetEarHeight(4.0f);
    Refresh();
    EXPECT_EQ(earHeight_->text(), "4.00 ft");

    Type(earHeight_, QStringLiteral("-2.25"));
    QTest::keyClick(earHeight_, Qt::Key_Return);
    EXPECT_FLOAT_EQ(Venue().EarHeight(), -2.25f);
    EXPECT_EQ(earHeight_->text(), "-2.25 ft");
    EXPECT_TRUE(lifecycle_.IsDirty());

    Spin("spnEarHeight", +1);
    EXPECT_FLOAT_EQ(Venue().EarHeight(), -2.0f);
    EXPECT_EQ(earHeight_->selectedText(), "-2.00 ft");

    lifecycle_.ClearDirty();
    Type(earHeight_, QStringLiteral("7"));
    QTest::keyClick(earHeight_, Qt::Key_Escape);
    EXPECT_EQ(earHeight_->text(), "-2.00 ft");
    QFocusEvent out(QEvent::FocusOut);
    QApplication::sendEvent(earHeight_, &out);
    EXPECT_FLOAT_EQ(Venue().EarHeight(), -2.0f);
    EXPECT_FALSE(lifecycle_.IsDirty());
}

TEST_F(FROptionsWindowTest, ARefreshClearsATypedChangeSoLeavingCommitsNothing)
{
    Type(temperature_, QStringLiteral("40"));
    Venue().AmbientTemperature().SetCelsius(10.0f);
    Refresh();
    EXPECT_EQ(temperature_->text().toStdString(), "50.0\u00B0 F");
    QFocusEvent out(QEvent::FocusOut);
    QApplication::sendEvent(temperature_, &out);
    EXPECT_FLOAT_EQ(Venue().AmbientTemperature().Celsius(), 10.0f);
    EXPECT_FALSE(lifecycle_.IsDirty());
}

TEST_F(FROptionsWindowTest, F1OpensTheFrequencyResponseTopic)
{
    QTest::keyClick(temperature_, Qt::Key_F1);
    ASSERT_EQ(help_.Calls().size(), 1u);
    EXPECT_EQ(help_.Calls()[0].topic, "reference_fr_options");
}

} // namespace
} // namespace polvane
