#include "windows/controls/LinkLabel.h"

#include <QApplication>
#include <QEnterEvent>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>

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

// The keyboard reaches what the mouse does: the keys that open a list act as a click, no
// other key does, and a held key opens it once.
TEST_F(LinkLabelTest, SpaceReturnEnterAndAltDownActAsAClick)
{
    EXPECT_EQ(label_.focusPolicy(), Qt::TabFocus) << "Tab reaches it; a click leaves the focus alone";
    struct Case {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int clicks;
    };
    const Case cases[] = {
        {Qt::Key_Space, Qt::NoModifier, 1},
        {Qt::Key_Return, Qt::NoModifier, 1},
        {Qt::Key_Enter, Qt::KeypadModifier, 1},
        {Qt::Key_Down, Qt::AltModifier, 1},
        {Qt::Key_Down, Qt::NoModifier, 0},
        {Qt::Key_Space, Qt::ControlModifier, 0},
        {Qt::Key_Return, Qt::AltModifier, 0},
        {Qt::Key_A, Qt::NoModifier, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(QKeySequence(c.key | c.modifiers).toString().toStdString());
        QSignalSpy clicks(&label_, &LinkLabel::clicked);
        QTest::keyClick(&label_, c.key, c.modifiers);
        EXPECT_EQ(clicks.count(), c.clicks);
    }
    QSignalSpy clicks(&label_, &LinkLabel::clicked);
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), true);
    QApplication::sendEvent(&label_, &repeat);
    EXPECT_EQ(clicks.count(), 0);
}

// The focus shows as a frame in the text's colour, so it reads wherever the text does: on
// a light and a dark palette, at 1x and 2x.
TEST_F(LinkLabelTest, TheFocusShowsAsAFrameInTheTextsColour)
{
    label_.setText(QStringLiteral("KV9"));
    label_.resize(60, 24);
    label_.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&label_));
    struct Look {
        const char* name;
        QColor window;
        QColor text;
    };
    for (const Look look : {Look{"light", QColor(240, 240, 240), QColor(0, 0, 0)},
                            Look{"dark", QColor(40, 40, 40), QColor(230, 230, 230)}}) {
        QPalette palette = label_.palette();
        palette.setColor(QPalette::Window, look.window);
        palette.setColor(QPalette::WindowText, look.text);
        label_.setPalette(palette);
        for (const int scale : {1, 2}) {
            SCOPED_TRACE(std::string(look.name) + " at " + std::to_string(scale) + "x");
            // The share of the top edge's device pixels drawn in the text's colour.
            const auto edge = [&] {
                QImage image(label_.size() * scale, QImage::Format_ARGB32);
                image.setDevicePixelRatio(scale);
                image.fill(look.window);
                label_.render(&image);
                int drawn = 0;
                for (int x = 0; x < image.width(); ++x)
                    drawn += image.pixelColor(x, 0) == look.text ? 1 : 0;
                return static_cast<double>(drawn) / image.width();
            };
            label_.clearFocus();
            EXPECT_EQ(edge(), 0.0) << "no frame without the focus";
            label_.setFocus(Qt::TabFocusReason);
            ASSERT_TRUE(label_.hasFocus());
            EXPECT_GE(edge(), 0.25);
        }
    }
}

} // namespace
} // namespace polvane
