#include "windows/controls/LinkLabel.h"

#include <QApplication>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include "windows/controls/TextContrast.h"

namespace polvane {
namespace {

class LinkLabelTest : public ::testing::Test {
protected:
    void Enter()
    {
        QEnterEvent event(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
        QApplication::sendEvent(&label_, &event);
    }
    void MoveInside()
    {
        QMouseEvent event(QEvent::MouseMove, QPointF(3, 3), QPointF(3, 3), Qt::NoButton,
                          Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&label_, &event);
    }
    void Leave()
    {
        QEvent event(QEvent::Leave);
        QApplication::sendEvent(&label_, &event);
    }
    QColor WindowText() const { return QApplication::palette(&label_).color(QPalette::WindowText); }

    bool busy_ = false;
    LinkLabel label_{nullptr, [this] { return busy_; }};
};

TEST_F(LinkLabelTest, LightsWhileTheCursorIsOverItAndNotAfter)
{
    label_.resize(80, 20);
    EXPECT_EQ(label_.TextColor(), WindowText());
    Enter();
    EXPECT_TRUE(label_.IsLit());
    EXPECT_EQ(label_.TextColor(), label_.LitColor());
    MoveInside();
    EXPECT_EQ(label_.TextColor(), label_.LitColor());
    Leave();
    EXPECT_FALSE(label_.IsLit());
    EXPECT_EQ(label_.TextColor(), WindowText());
}

// Lit, the label reads plainly on the palette's background, light or dark, in a colour
// close to the highlight; on a shading of its own it takes the colours it is given.
TEST_F(LinkLabelTest, LitItReadsOnWhatLiesBehindIt)
{
    const QPalette light = QApplication::palette();
    QPalette dark = light;
    dark.setColor(QPalette::Window, QColor(0x35, 0x35, 0x35));
    dark.setColor(QPalette::WindowText, QColor(0xff, 0xff, 0xff));
    for (const QPalette& palette : {light, dark}) {
        QApplication::setPalette(palette);
        const QColor back = QApplication::palette(&label_).color(QPalette::Window);
        EXPECT_GE(TextContrast::Ratio(label_.LitColor(), back), TextContrast::kReadable) << back.name().toStdString();
        EXPECT_GT(label_.LitColor().blue(), label_.LitColor().red() + 40) << "still the highlight's blue";
    }
    QApplication::setPalette(light);
    label_.SetColors(QColor(0, 0, 0), QColor(0, 40, 160));
    EXPECT_EQ(label_.TextColor(), QColor(0, 0, 0));
    Enter();
    EXPECT_EQ(label_.TextColor(), QColor(0, 40, 160));
    Leave();
    EXPECT_EQ(label_.TextColor(), QColor(0, 0, 0));
}

TEST_F(LinkLabelTest, StaysIdleDuringAutoConfigureAndLightsOnTheNextMoveAfter)
{
    label_.resize(80, 20);
    busy_ = true;
    Enter();
    MoveInside();
    EXPECT_FALSE(label_.IsLit());
    EXPECT_EQ(label_.TextColor(), WindowText());
    busy_ = false;
    MoveInside();
    EXPECT_TRUE(label_.IsLit());
}

// Auto-Configure disables the windows: a link that was lit or put back greys with them.
TEST_F(LinkLabelTest, ADisabledLinkGreysWhateverItsState)
{
    label_.resize(80, 20);
    const QColor grey = QApplication::palette(&label_).color(QPalette::Disabled, QPalette::WindowText);
    Enter();
    label_.setEnabled(false);
    EXPECT_EQ(label_.palette().color(QPalette::Disabled, QPalette::WindowText), grey) << "lit";
    Leave();
    EXPECT_EQ(label_.palette().color(QPalette::Disabled, QPalette::WindowText), grey) << "put back";
    label_.setEnabled(true);
    EXPECT_EQ(label_.TextColor(), WindowText());
}

TEST_F(LinkLabelTest, AClickInsideIsReported)
{
    label_.resize(80, 20);
    QSignalSpy clicks(&label_, &LinkLabel::clicked);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&label_, &release);
    QMouseEvent outside(QEvent::MouseButtonRelease, QPointF(500, 5), QPointF(500, 5), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&label_, &outside);
    EXPECT_EQ(clicks.count(), 1);
}

} // namespace
} // namespace polvane
