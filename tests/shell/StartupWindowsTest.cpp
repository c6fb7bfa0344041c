#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "shell/SplashWindow.h"
#include "shell/WelcomeWindow.h"

namespace polvane {
namespace {

TEST(SplashWindow, ClickHidesItAndALaterHideDoesNothing)
{
    SplashWindow splash;
    splash.show();
    ASSERT_TRUE(splash.isVisible());
    EXPECT_EQ(splash.VersionLabel()->text(), "Version 2.4.0");
    QTest::mouseClick(&splash, Qt::LeftButton);
    EXPECT_FALSE(splash.isVisible());
    splash.hide();
    EXPECT_FALSE(splash.isVisible());
}

// Presses the window's OK as soon as its modal loop runs.
void PressOkWhenShown(WelcomeWindow& window, bool chooseMetric)
{
    QTimer::singleShot(0, &window, [&window, chooseMetric] {
        if (chooseMetric)
            window.optMetric()->setChecked(true);
        window.findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
    });
}

TEST(WelcomeWindow, OkWithoutTouchingGivesEnglish)
{
    WelcomeWindow window;
    EXPECT_EQ(window.windowTitle(), "Welcome");
    PressOkWhenShown(window, false);
    EXPECT_EQ(window.AskMeasurementSystem(), MeasurementSystem::English);
    EXPECT_FALSE(window.isVisible());
}

TEST(WelcomeWindow, MetricWhenChosen)
{
    WelcomeWindow window;
    PressOkWhenShown(window, true);
    EXPECT_EQ(window.AskMeasurementSystem(), MeasurementSystem::Metric);
}

} // namespace
} // namespace polvane
