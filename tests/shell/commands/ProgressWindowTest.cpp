#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include "shell/commands/GradientProgressBar.h"
#include "shell/commands/ProgressWindow.h"

namespace polvane {
namespace {

TEST(GradientProgressBar, HalfFillsPixelsUpToTheMiddleInclusive)
{
    GradientProgressBar bar;
    bar.resize(200, 10);
    bar.Initialize(QColor(255, 0, 0), QColor(0, 0, 255));
    bar.SetProgress(0.5);
    const QImage& s = bar.Surface();
    EXPECT_NE(s.pixelColor(100, 9), QColor(Qt::white));
    EXPECT_EQ(s.pixelColor(101, 5), QColor(Qt::white));
    EXPECT_GE(s.pixelColor(0, 0).red(), 250); // the left colour at the start
    EXPECT_LE(s.pixelColor(0, 0).blue(), 5);
    // A falling fraction leaves the longer bar until Clear.
    bar.SetProgress(0.1);
    EXPECT_NE(s.pixelColor(100, 5), QColor(Qt::white));
    bar.Clear();
    EXPECT_EQ(bar.Surface().pixelColor(0, 0), QColor(Qt::white));
}

TEST(ProgressWindow, ModesShowTheirLabels)
{
    ProgressWindow w;
    w.Initialize(ProgressWindow::kAutoConfigure, false);
    w.show();
    EXPECT_EQ(w.windowTitle(), "Auto-Configure Progress...");
    EXPECT_TRUE(w.lblTimeRemaining()->isVisible());
    EXPECT_FALSE(w.lblCombosTried()->isVisible());
    w.Initialize(ProgressWindow::kAutoConfigure, true);
    EXPECT_TRUE(w.lblCombosTried()->isVisible());
    w.Initialize(ProgressWindow::kPrinting, true);
    EXPECT_EQ(w.windowTitle(), "Printing Progress...");
    EXPECT_FALSE(w.lblTimeRemaining()->isVisible());
    EXPECT_FALSE(w.lblCombosTried()->isVisible());
    w.Initialize(7, false);
    EXPECT_EQ(w.windowTitle(), "Printing Progress...");
    w.TimeCaption().SetCaption("4m 5s");
    EXPECT_EQ(w.lblTimeRemaining()->text(), "4m 5s");
}

TEST(ProgressWindow, StopEscAndTheCloseBoxRaiseTheCancelFlag)
{
    {
        ProgressWindow w;
        w.show();
        w.cmdCancel()->click();
        EXPECT_TRUE(w.CancelFlag());
    }
    {
        ProgressWindow w;
        w.show();
        QTest::keyClick(&w, Qt::Key_Escape);
        EXPECT_TRUE(w.CancelFlag());
        EXPECT_TRUE(w.isVisible()); // stays up until its owner hides it
    }
    {
        ProgressWindow w;
        w.show();
        QCloseEvent close;
        QCoreApplication::sendEvent(&w, &close);
        EXPECT_TRUE(w.CancelFlag());
        EXPECT_FALSE(close.isAccepted());
    }
}

} // namespace
} // namespace polvane
