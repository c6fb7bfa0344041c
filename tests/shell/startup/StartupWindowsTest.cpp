#include <QApplication>
#include <QImage>
#include <QKeySequence>
#include <QLabel>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "platform/QtPrompts.h"
#include "shell/startup/SplashWindow.h"
#include "shell/startup/WelcomeWindow.h"
#include "support/LayoutsAtRest.h"

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

// Only the About window closes by Escape or Enter: at start-up the keys may be meant for a
// message about the venue being opened.
TEST(SplashWindow, AtStartUpKeysLeaveItUp)
{
    SplashWindow splash;
    splash.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&splash));
    for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter}) {
        QTest::keyClick(splash.windowHandle(), key);
        EXPECT_TRUE(splash.isVisible()) << QKeySequence(key).toString().toStdString();
    }
}

// The picture stays above every window, so a message that comes while it shows (a file
// refused at start-up) must not open under it: the picture gives way, and the message takes
// the keyboard and the mouse.
TEST(SplashWindow, AMessageWhileItShowsComesAboveItAndTakesTheKeyboardAndMouse)
{
    SplashWindow splash;
    splash.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&splash));
    QtPrompts prompts;
    bool seen = false;
    bool splashShown = true;
    bool boxActive = false;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible() || seen)
            return;
        seen = true;
        poll.stop();
        splashShown = splash.isVisible();
        boxActive = QTest::qWaitForWindowActive(box);
        QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
    });
    poll.start();
    const MessageAnswer answer = prompts.ShowMessage("The venue could not be opened.", "Quessel Polvane",
                                                     MessageButtons::Ok, MessageIcon::Exclamation);
    ASSERT_TRUE(seen);
    EXPECT_FALSE(splashShown);
    EXPECT_TRUE(boxActive);
    EXPECT_EQ(answer, MessageAnswer::Ok);
}

// The picture has as many pixels as the screen gives the window, not a picture of 1x
// pixels scaled up. Also run with QT_SCALE_FACTOR=2 (see tests/CMakeLists.txt): the factor
// is read only when the application starts.
TEST(SplashWindow, ThePictureIsDrawnForTheScreensPixelRatio)
{
    SplashWindow splash;
    splash.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&splash));
    bool scaled = false;
    const double factor = qEnvironmentVariable("QT_SCALE_FACTOR").toDouble(&scaled);
    const qreal ratio = splash.devicePixelRatioF();
    if (scaled) {
        EXPECT_DOUBLE_EQ(ratio, factor);
    }
    const QPixmap picture = splash.findChild<QLabel*>(QStringLiteral("Picture1"))->pixmap();
    EXPECT_DOUBLE_EQ(picture.devicePixelRatio(), ratio);
    EXPECT_EQ(picture.size(), (QSizeF(splash.size()) * ratio).toSize());
}

TEST(SplashWindow, TheVersionIsWrittenOnThePictureNotOnAGreyStrip)
{
    SplashWindow splash;
    splash.show();
    ASSERT_TRUE(LayoutsAtRest::Await());
    const QImage shown = splash.grab().toImage();
    const QColor windowGrey = splash.palette().color(QPalette::Window);
    const QRect version = splash.VersionLabel()->geometry().translated(
        splash.VersionLabel()->parentWidget()->mapTo(&splash, QPoint(0, 0)));
    ASSERT_TRUE(splash.rect().contains(version)) << "the version is inside the window";
    // Every pixel of the version's rows, left of the text and below it to the window's edge,
    // is the picture's blue, never the window's grey; the window is the picture, no more.
    int painted = 0;
    for (int y = version.top(); y < shown.height(); ++y) {
        for (int x = 0; x < version.left(); x += 7) {
            const QColor pixel = shown.pixelColor(x, y);
            EXPECT_NE(pixel.rgb(), windowGrey.rgb()) << x << ", " << y;
            EXPECT_GT(pixel.blue(), pixel.red() + 40) << x << ", " << y;
            ++painted;
        }
    }
    EXPECT_GT(painted, 100);
    EXPECT_EQ(splash.findChild<QLabel*>(QStringLiteral("Picture1"))->size(), splash.size());
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
