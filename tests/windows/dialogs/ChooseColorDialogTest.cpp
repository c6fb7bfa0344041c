#include "windows/dialogs/ChooseColorDialog.h"

#include <cstdlib>
#include <vector>

#include <QImage>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QSlider>
#include <QTest>

#include <gtest/gtest.h>

#include "../ToolWindowFixture.h"
#include "shell/options/ArgbColor.h"
#include "windows/controls/ColorSwatch.h"

namespace polvane {
namespace {

class ChooseColorDialogTest : public ToolWindowFixture {
protected:
    QString Label(const char* name) const
    {
        return dialog_.findChild<QLabel*>(QString::fromUtf8(name))->text();
    }

    ChooseColorDialog dialog_{hub_, reporter_};
};

TEST_F(ChooseColorDialogTest, SlidersHoldTheNegatedComponentsAndTheTopMeansFull)
{
    EXPECT_EQ(dialog_.objectName(), "frmChooseColor");
    EXPECT_EQ(dialog_.windowTitle(), "Select Color");
    dialog_.SetColor(ArgbColor::MakeARGB(40, 255, 0, 7));
    EXPECT_EQ(dialog_.sldRed()->value(), -255);
    EXPECT_EQ(dialog_.sldGreen()->value(), 0);
    EXPECT_EQ(dialog_.sldBlue()->value(), -7);
    EXPECT_EQ(dialog_.sldAlpha()->value(), -40);
    EXPECT_EQ(Label("lblRed"), "255");
    EXPECT_EQ(Label("lblBlue"), "7");
    EXPECT_EQ(Label("lblAlpha"), "40");
    EXPECT_EQ(dialog_.Color(), ArgbColor::MakeARGB(40, 255, 0, 7));

    // The top of a slider is its lowest value.
    for (QSlider* slider : {dialog_.sldRed(), dialog_.sldGreen(), dialog_.sldBlue(), dialog_.sldAlpha()}) {
        EXPECT_EQ(slider->minimum(), -255);
        EXPECT_EQ(slider->maximum(), 0);
        EXPECT_TRUE(slider->invertedAppearance());
    }

    // Moving a slider updates the labels and the preview at once.
    dialog_.sldGreen()->setValue(-255);
    EXPECT_EQ(Label("lblGreen"), "255");
    EXPECT_EQ(dialog_.picPreview()->Color(), ArgbColor::MakeARGB(40, 255, 255, 7));
}

TEST_F(ChooseColorDialogTest, ASliderIsFilledFromTheBottomAsMuchAsItsComponent)
{
    dialog_.show();
    QSlider* slider = dialog_.sldRed();
    // Rows of the slider showing the highlight colour of its filled groove.
    const auto filledRows = [slider](int component) {
        slider->setValue(-component);
        const QImage image = slider->grab().toImage();
        const QColor fill = slider->palette().color(QPalette::Highlight);
        std::vector<int> rows;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QColor pixel = image.pixelColor(x, y);
                if (std::abs(pixel.hue() - fill.hue()) < 12 && pixel.saturation() > 60) {
                    rows.push_back(y);
                    break;
                }
            }
        }
        return rows;
    };
    const int height = slider->height();
    EXPECT_TRUE(filledRows(0).empty()) << "a component of 0 leaves the groove empty";
    const std::vector<int> full = filledRows(255);
    ASSERT_FALSE(full.empty());
    EXPECT_GT(full.size(), static_cast<std::size_t>(height / 2));
    const std::vector<int> half = filledRows(128);
    ASSERT_FALSE(half.empty());
    EXPECT_GT(half.front(), height / 3) << "filled from the bottom up to the handle";
    EXPECT_EQ(half.back(), full.back());
}

TEST_F(ChooseColorDialogTest, PreviewShowsTheCheckerboardThroughTheColoursTransparency)
{
    const QSize size = dialog_.picPreview()->size();
    const QImage clear = ColorSwatch::Picture(size, ArgbColor::MakeARGB(0, 255, 0, 0));
    EXPECT_EQ(clear, ColorSwatch::Checker(size));
    EXPECT_EQ(clear.pixelColor(0, 0), QColor(128, 128, 128));
    EXPECT_EQ(clear.pixelColor(9, 9), QColor(128, 128, 128));
    EXPECT_EQ(clear.pixelColor(10, 0), QColor(192, 192, 192));
    EXPECT_EQ(clear.pixelColor(10, 10), QColor(128, 128, 128));

    const QImage opaque = ColorSwatch::Picture(size, ArgbColor::MakeARGB(255, 255, 0, 0));
    for (const QPoint point : {QPoint(0, 0), QPoint(10, 0), QPoint(size.width() - 1, size.height() - 1)})
        EXPECT_EQ(opaque.pixelColor(point), QColor(255, 0, 0));

    const QImage half = ColorSwatch::Picture(size, ArgbColor::MakeARGB(128, 255, 255, 255));
    EXPECT_NE(half.pixelColor(0, 0), half.pixelColor(10, 0));
    EXPECT_GT(half.pixelColor(0, 0).red(), 128);
}

TEST_F(ChooseColorDialogTest, CloseBoxAndCancelTagTheDialogOkLeavesTheTag)
{
    dialog_.show();
    dialog_.close();
    EXPECT_EQ(dialog_.Tag(), "cancel");

    dialog_.SetTag("");
    dialog_.show();
    QTest::mouseClick(dialog_.findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
    EXPECT_FALSE(dialog_.isVisible());
    EXPECT_EQ(dialog_.Tag(), "");

    dialog_.show();
    QTest::mouseClick(dialog_.findChild<QPushButton*>("cmdCancel"), Qt::LeftButton);
    EXPECT_FALSE(dialog_.isVisible());
    EXPECT_EQ(dialog_.Tag(), "cancel");
}

TEST_F(ChooseColorDialogTest, F1OnAnyControlOpensTheDialogsTopic)
{
    dialog_.show();
    QTest::keyClick(dialog_.sldBlue(), Qt::Key_F1);
    ASSERT_EQ(help_.Calls().size(), 1u);
    EXPECT_EQ(help_.Calls()[0], (RecordingHelpViewer::Call{"reference_select_color", false}));
    EXPECT_EQ(dialog_.sldBlue()->value(), 0);
}

} // namespace
} // namespace polvane
