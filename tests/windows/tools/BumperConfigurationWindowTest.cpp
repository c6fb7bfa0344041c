#include "windows/tools/BumperConfigurationWindow.h"

#include <string>
#include <utility>

#include <QAction>
#include <QApplication>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>

#include "../ToolWindowFixture.h"
#include "../TypingLocale.h"
#include "model/Format.h"
#include "windows/base/EditBox.h"
#include "windows/base/ToolWindowHost.h"

namespace polvane {
namespace {

class BumperConfigurationWindowTest : public ToolWindowFixture {
protected:
    BumperConfigurationWindowTest()
    {
        window_.SetToolWindowSlot(ToolWindowId::BumperConfiguration, &host_);
        window_.findChild<QAction*>(QStringLiteral("mnuViewBumperConfiguration"))->trigger();
        bumper_ = dynamic_cast<BumperConfigurationWindow*>(host_.Window());
    }

    Bumper& TheBumper() { return lifecycle_.Venue().LineArray().Bumper(); }
    // Replaces the box's text as the user would: select all, type, then Enter.
    void TypeAndEnter(QLineEdit* box, const QString& text)
    {
        Type(box, text);
        QTest::keyClick(box, Qt::Key_Return);
    }
    void Type(QLineEdit* box, const QString& text)
    {
        box->selectAll();
        QTest::keyClicks(box, text);
    }
    static void LoseFocus(QLineEdit* box)
    {
        QFocusEvent out(QEvent::FocusOut);
        QApplication::sendEvent(box, &out);
    }
    static std::string Text(const QLineEdit* box) { return box->text().toStdString(); }

    ToolWindowHost host_{context_, [](ToolWindowContext& context) { return new BumperConfigurationWindow(context); }};
    BumperConfigurationWindow* bumper_ = nullptr;
};

TEST_F(BumperConfigurationWindowTest, OnePickPointHangsFromTheMiddleHoleAndShowsTheAngleReadOnly)
{
    struct Case {
        int type;
        int holes;
        int frontHangPoint;
    };
    // Halves go to the even hole.
    const Case cases[] = {{0, 11, 6}, {2, 9, 4}, {1, 19, 10}, {3, 20, 10}};
    for (const Case& c : cases) {
        bumper_->opt2()->click();
        TheBumper().SetBumperType(c.type);
        ASSERT_EQ(TheBumper().HoleCount(), c.holes) << "type " << c.type;
        TheBumper().SetAngle(Angle::FromDegrees(5.0));
        hub_.UpdateInterfaces(UpdateScope::AllButArrayNotesAreas, false);
        ASSERT_FALSE(bumper_->lblBumperAngle()->isVisibleTo(bumper_));

        bumper_->opt1()->click();
        EXPECT_EQ(TheBumper().Rigging(), RiggingCode::SinglePoint);
        EXPECT_EQ(TheBumper().FrontHangPoint(), c.frontHangPoint) << "type " << c.type;
        // The prediction that follows hangs the bumper by its own weight; the label shows
        // that angle.
        EXPECT_TRUE(bumper_->lblBumperAngle()->isVisibleTo(bumper_));
        EXPECT_FALSE(bumper_->txtBumperAngle()->isVisibleTo(bumper_));
        EXPECT_FALSE(bumper_->spnBumperAngle()->isVisibleTo(bumper_));
        EXPECT_EQ(bumper_->lblBumperAngle()->text().toStdString(),
                  Format::FormatDegrees(TheBumper().Angle().Degrees()));
    }
    EXPECT_TRUE(lifecycle_.IsDirty());
}

TEST_F(BumperConfigurationWindowTest, TwoPickPointsHangFromTheFirstAndTheLastHole)
{
    TheBumper().SetBumperType(1);
    bumper_->opt1()->click();
    bumper_->opt2()->click();
    EXPECT_EQ(TheBumper().Rigging(), RiggingCode::DualPoint);
    EXPECT_EQ(TheBumper().FrontHangPoint(), 1);
    EXPECT_EQ(TheBumper().BackHangPoint(), 19);
    EXPECT_TRUE(bumper_->txtBumperAngle()->isVisibleTo(bumper_));
    EXPECT_TRUE(bumper_->spnBumperAngle()->isVisibleTo(bumper_));
    EXPECT_FALSE(bumper_->lblBumperAngle()->isVisibleTo(bumper_));
}

TEST_F(BumperConfigurationWindowTest, AStackedArrayKeepsTheRiggingChoiceDisabled)
{
    bumper_->opt1()->click();
    lifecycle_.Venue().LineArray().SetConfiguration(ConfigurationCode::GroundStacked);
    hub_.UpdateInterfaces(UpdateScope::AllButArrayNotesAreas, false);
    EXPECT_FALSE(bumper_->opt1()->isEnabled());
    EXPECT_FALSE(bumper_->opt2()->isEnabled());
    EXPECT_TRUE(bumper_->opt1()->isChecked());

    lifecycle_.Venue().LineArray().SetConfiguration(ConfigurationCode::Flown);
    hub_.UpdateInterfaces(UpdateScope::AllButArrayNotesAreas, false);
    EXPECT_TRUE(bumper_->opt1()->isEnabled());
    EXPECT_TRUE(bumper_->opt1()->isChecked());
}

TEST_F(BumperConfigurationWindowTest, OpenedOnAStackedArrayItShowsTheRiggingChoice)
{
    for (const RiggingCode rigging : {RiggingCode::SinglePoint, RiggingCode::DualPoint}) {
        const bool single = rigging == RiggingCode::SinglePoint;
        SCOPED_TRACE(single ? "one pick point" : "two pick points");
        host_.Unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        TheBumper().SetRigging(rigging);
        lifecycle_.Venue().LineArray().SetConfiguration(ConfigurationCode::GroundStacked);
        hub_.UpdateInterfaces(UpdateScope::All, true);
        window_.findChild<QAction*>(QStringLiteral("mnuViewBumperConfiguration"))->trigger();
        bumper_ = dynamic_cast<BumperConfigurationWindow*>(host_.Window());
        ASSERT_NE(bumper_, nullptr);
        EXPECT_EQ(bumper_->opt1()->isChecked(), single);
        EXPECT_EQ(bumper_->opt2()->isChecked(), !single);
        EXPECT_FALSE(bumper_->opt1()->isEnabled());
        EXPECT_FALSE(bumper_->opt2()->isEnabled());
        // Flown again, the same choice is shown, now to be changed.
        lifecycle_.Venue().LineArray().SetConfiguration(ConfigurationCode::Flown);
        hub_.UpdateInterfaces(UpdateScope::AllButArrayNotesAreas, true);
        EXPECT_TRUE(bumper_->opt1()->isEnabled());
        EXPECT_EQ(bumper_->opt1()->isChecked(), single);
        EXPECT_EQ(TheBumper().Rigging(), rigging);
        lifecycle_.Venue().LineArray().SetConfiguration(ConfigurationCode::GroundStacked);
    }
    EXPECT_FALSE(lifecycle_.IsDirty());
}

// One pick point chosen while flown, then stacked: the rigging stays, but a stacked array
// is not hung from it, so recalculating never turns it.
TEST_F(BumperConfigurationWindowTest, AStackedArrayStandsStillThroughRecalculations)
{
    for (int i = 0; i < 4; ++i)
        lifecycle_.Venue().LineArray().Cells().Add(-1, -1, nullptr);
    bumper_->opt1()->click();
    lifecycle_.Venue().LineArray().SetConfiguration(ConfigurationCode::GroundStacked);
    hub_.UpdateInterfaces(UpdateScope::All, true);
    const std::string shown = bumper_->lblBumperAngle()->text().toStdString();
    EXPECT_EQ(shown, Format::FormatDegrees(TheBumper().Angle().Degrees()));
    for (int i = 0; i < 3; ++i) {
        hub_.UpdateInterfaces(UpdateScope::All, true);
        EXPECT_EQ(bumper_->lblBumperAngle()->text().toStdString(), shown) << "recalculation " << i + 1;
    }
    EXPECT_EQ(TheBumper().Rigging(), RiggingCode::SinglePoint);
}

TEST_F(BumperConfigurationWindowTest, TypedPositionsAreBoundToTheVenuesRange)
{
    struct Case {
        UnitsCode units;
        const char* typed;
        float stored;
        const char* shown;
    };
    const Case cases[] = {
        {UnitsCode::English, "700", 600.0f, "600.00 ft"},
        {UnitsCode::Metric, "700", 182.88f, "182.88 m"},
        {UnitsCode::English, "-1e39", -600.0f, "-600.00 ft"},
        {UnitsCode::English, "12.5 ft", 12.5f, "12.50 ft"},
        {UnitsCode::Metric, "abc", 3.81f, "3.81 m"}, // no number: 12.5 ft stays, in metres
    };
    for (const Case& c : cases) {
        lifecycle_.Venue().SetUnits(c.units);
        TypeAndEnter(bumper_->txtBumperHoriz(), QString::fromUtf8(c.typed));
        EXPECT_FLOAT_EQ(TheBumper().Location().x, c.stored) << c.typed;
        EXPECT_EQ(Text(bumper_->txtBumperHoriz()), c.shown) << c.typed;
        EXPECT_FALSE(bumper_->HorizBox().IsDirty());

        TypeAndEnter(bumper_->txtBumperVert(), QString::fromUtf8(c.typed));
        EXPECT_FLOAT_EQ(TheBumper().Location().y, c.stored) << c.typed;
        EXPECT_FLOAT_EQ(TheBumper().Location().x, c.stored) << "the other coordinate stays";
    }
    EXPECT_TRUE(lifecycle_.IsDirty());
}

TEST_F(BumperConfigurationWindowTest, TheAngleIsUnboundedAndShownWrapped)
{
    TypeAndEnter(bumper_->txtBumperAngle(), QStringLiteral("190"));
    EXPECT_EQ(Text(bumper_->txtBumperAngle()), "-170.0°");
    EXPECT_NEAR(TheBumper().Angle().Degrees(), -170.0, 1e-4);

    // An absurd angle still wraps into the circle.
    TypeAndEnter(bumper_->txtBumperAngle(), QStringLiteral("1e30"));
    EXPECT_GE(TheBumper().Angle().Degrees(), -180.0);
    EXPECT_LE(TheBumper().Angle().Degrees(), 180.0);
}

TEST_F(BumperConfigurationWindowTest, EscPutsBackTheShownValueAndCommitsNothing)
{
    TheBumper().SetLocation(Point2D(3.0f, 12.25f));
    hub_.UpdateInterfaces(UpdateScope::AllButArrayNotesAreas, false);
    Type(bumper_->txtBumperVert(), QStringLiteral("40"));
    EXPECT_TRUE(bumper_->VertBox().IsDirty());
    QTest::keyClick(bumper_->txtBumperVert(), Qt::Key_Escape);
    EXPECT_EQ(Text(bumper_->txtBumperVert()), "12.25 ft");
    EXPECT_FALSE(bumper_->VertBox().IsDirty());
    LoseFocus(bumper_->txtBumperVert());
    EXPECT_FLOAT_EQ(TheBumper().Location().y, 12.25f);
    EXPECT_FALSE(lifecycle_.IsDirty());
}

TEST_F(BumperConfigurationWindowTest, LosingTheFocusAfterTypingCommits)
{
    Type(bumper_->txtBumperHoriz(), QStringLiteral("8"));
    LoseFocus(bumper_->txtBumperHoriz());
    EXPECT_FLOAT_EQ(TheBumper().Location().x, 8.0f);
    EXPECT_TRUE(lifecycle_.IsDirty());
}

TEST_F(BumperConfigurationWindowTest, ARefreshClearsAnEditThatWasNotCommitted)
{
    Type(bumper_->txtBumperHoriz(), QStringLiteral("8"));
    TheBumper().SetLocation(Point2D(2.0f, 0.0f));
    hub_.UpdateInterfaces(UpdateScope::AllButArrayNotesAreas, false);
    EXPECT_EQ(Text(bumper_->txtBumperHoriz()), "2.00 ft");
    EXPECT_FALSE(bumper_->HorizBox().IsDirty());
    LoseFocus(bumper_->txtBumperHoriz());
    EXPECT_FLOAT_EQ(TheBumper().Location().x, 2.0f);
    EXPECT_FALSE(lifecycle_.IsDirty());
}

TEST_F(BumperConfigurationWindowTest, SpinsStepToTheNextWholeNumber)
{
    struct Case {
        double angle;
        int direction;
        double stepped;
    };
    const Case cases[] = {{2.7, -1, 2.0}, {2.7, 1, 3.0}, {3.0, -1, 2.0}, {3.0, 1, 4.0}, {-3.2, -1, -4.0}};
    for (const Case& c : cases) {
        TheBumper().SetAngle(Angle::FromDegrees(c.angle));
        hub_.UpdateInterfaces(UpdateScope::AllButArrayNotesAreas, false);
        bumper_->spnBumperAngle()->setValue(c.direction);
        EXPECT_NEAR(TheBumper().Angle().Degrees(), c.stepped, 1e-4) << c.angle << " by " << c.direction;
        EXPECT_EQ(bumper_->spnBumperAngle()->value(), 0);
    }

    lifecycle_.Venue().SetUnits(UnitsCode::Metric);
    TheBumper().SetLocation(Point2D(182.5f, 1.5f));
    hub_.UpdateInterfaces(UpdateScope::AllButArrayNotesAreas, false);
    bumper_->spnBumperHoriz()->setValue(1);
    EXPECT_FLOAT_EQ(TheBumper().Location().x, 182.88f) << "bound like a typed value";
    bumper_->spnBumperVert()->setValue(-1);
    EXPECT_FLOAT_EQ(TheBumper().Location().y, 1.0f);
    EXPECT_EQ(Text(bumper_->txtBumperVert()), "1.00 m");
    EXPECT_TRUE(lifecycle_.IsDirty());
}

} // namespace
} // namespace polvane

namespace polvane {
namespace {

// "Vert." as a user types it, under a German desktop and a plain one: a comma (from the main
// keys or the keypad) is a decimal one, and a word changes nothing.
TEST_F(BumperConfigurationWindowTest, TheVerticalBoxReadsCommasAndKeepsItsValueForAWord)
{
    struct Case {
        const char* typed;
        float stored; // the value held before each case is 40
        const char* shown;
    };
    const Case cases[] = {
        {"12,5", 12.5f, "12.50 ft"},  {"12.5", 12.5f, "12.50 ft"}, {"12.50 ft", 12.5f, "12.50 ft"},
        {"-2,5", -2.5f, "-2.50 ft"},  {"40,5", 40.5f, "40.50 ft"}, {"vierzig", 40.0f, "40.00 ft"},
        {"", 40.0f, "40.00 ft"},      {"ft", 40.0f, "40.00 ft"},
    };
    for (const QLocale& locale : {TypingLocale::German(), TypingLocale::Plain()}) {
        const TypingLocale typing(locale);
        for (const Case& c : cases) {
            TheBumper().SetLocation(Point2D(0.0f, 40.0f));
            hub_.UpdateInterfaces(UpdateScope::AllButArrayNotesAreas, false);
            lifecycle_.ClearDirty();
            QLineEdit* box = bumper_->txtBumperVert();
            box->selectAll();
            QTest::keyClick(box, Qt::Key_Backspace);
            TypeAndEnter(box, QString::fromUtf8(c.typed));
            EXPECT_FLOAT_EQ(TheBumper().Location().y, c.stored) << c.typed << " " << locale.name().toStdString();
            EXPECT_EQ(Text(box), c.shown) << c.typed;
            EXPECT_EQ(lifecycle_.IsDirty(), c.stored != 40.0f) << c.typed;
            EXPECT_FALSE(bumper_->VertBox().IsDirty()) << c.typed;
        }
        // The keypad's decimal key of a German keyboard types a comma.
        TheBumper().SetLocation(Point2D(0.0f, 40.0f));
        hub_.UpdateInterfaces(UpdateScope::AllButArrayNotesAreas, false);
        QLineEdit* box = bumper_->txtBumperVert();
        box->selectAll();
        QTest::keyClicks(box, QStringLiteral("12"), Qt::KeypadModifier);
        QTest::keyClick(box, ',', Qt::KeypadModifier);
        QTest::keyClick(box, '5', Qt::KeypadModifier);
        ASSERT_EQ(box->text(), "12,5");
        QTest::keyClick(box, Qt::Key_Enter, Qt::KeypadModifier);
        EXPECT_FLOAT_EQ(TheBumper().Location().y, 12.5f);
        // A word left by losing the focus changes nothing either.
        Type(box, QStringLiteral("vierzig"));
        LoseFocus(box);
        EXPECT_FLOAT_EQ(TheBumper().Location().y, 12.5f);
        EXPECT_EQ(Text(box), "12.50 ft");
    }
}

// Up and Down in a box do what its arrows do: the same step, bound and refresh.
TEST_F(BumperConfigurationWindowTest, UpAndDownStepABoxAsItsArrowsDo)
{
    const auto stepped = [this](QLineEdit* box, QSpinBox* spin, float from, bool byKey, int direction) {
        TheBumper().SetLocation(Point2D(from, from));
        hub_.UpdateInterfaces(UpdateScope::AllButArrayNotesAreas, false);
        lifecycle_.ClearDirty();
        box->setFocus();
        if (byKey)
            QTest::keyClick(box, direction > 0 ? Qt::Key_Up : Qt::Key_Down);
        else if (direction > 0)
            spin->stepUp();
        else
            spin->stepDown();
        EXPECT_TRUE(lifecycle_.IsDirty());
        EXPECT_EQ(spin->value(), 0);
        return std::pair(box == bumper_->txtBumperVert() ? TheBumper().Location().y : TheBumper().Location().x,
                         box->text().toStdString());
    };
    for (const float from : {3.7f, 3.0f, 600.0f, -600.0f, -3.2f}) {
        for (const int direction : {+1, -1}) {
            for (const auto& [box, spin] : {std::pair(bumper_->txtBumperVert(), bumper_->spnBumperVert()),
                                            std::pair(bumper_->txtBumperHoriz(), bumper_->spnBumperHoriz())}) {
                const auto byArrow = stepped(box, spin, from, false, direction);
                const auto byKey = stepped(box, spin, from, true, direction);
                EXPECT_EQ(byKey, byArrow) << from << " by " << direction;
                EXPECT_EQ(box->selectedText(), box->text()) << "the box is selected, as after a click";
            }
        }
    }
    // The keypad's arrows too; with a modifier the key is left to the box.
    TheBumper().SetLocation(Point2D(0.0f, 5.0f));
    hub_.UpdateInterfaces(UpdateScope::AllButArrayNotesAreas, false);
    QTest::keyClick(bumper_->txtBumperVert(), Qt::Key_Up, Qt::KeypadModifier);
    EXPECT_FLOAT_EQ(TheBumper().Location().y, 6.0f);
    QTest::keyClick(bumper_->txtBumperVert(), Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_FLOAT_EQ(TheBumper().Location().y, 6.0f);
    // A word in the box is not stepped: the box shows its value again.
    Type(bumper_->txtBumperVert(), QStringLiteral("vierzig"));
    QTest::keyClick(bumper_->txtBumperVert(), Qt::Key_Down);
    EXPECT_FLOAT_EQ(TheBumper().Location().y, 6.0f);
    EXPECT_EQ(Text(bumper_->txtBumperVert()), "6.00 ft");
    EXPECT_FALSE(bumper_->VertBox().IsDirty());
}

} // namespace
} // namespace polvane
