#include "windows/base/SpinStepper.h"

#include <memory>
#include <vector>

#include <QApplication>
#include <QLineEdit>
#include <QSpinBox>
#include <QTest>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <QWindow>

#include "../ToolWindowFixture.h"
#include "model/Format.h"
#include "windows/base/ToolWindow.h"

namespace polvane {
namespace {

TEST(SpinStepperRules, StepByRule)
{
    using Rule = SpinStepper::Rule;
    struct Case {
        double x;
        Rule rule;
        double down;
        double up;
    };
    const Case cases[] = {
        {3.7, Rule::B, 3.0, 4.0},   {3.0, Rule::B, 2.0, 4.0},   {-3.2, Rule::B, -4.0, -3.0},
        {0.0, Rule::B, -1.0, 1.0},  {3.7, Rule::A, 2.7, 4.7},   {3.0, Rule::A, 2.0, 4.0},
        {-3.2, Rule::A, -4.2, -2.2},
    };
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(SpinStepper::Step(c.x, -1, c.rule), c.down) << c.x;
        EXPECT_DOUBLE_EQ(SpinStepper::Step(c.x, +1, c.rule), c.up) << c.x;
    }
}

// A tool window with a box and its stepper, bound to a distance.
class StepperWindow : public ToolWindow {
public:
    StepperWindow(ToolWindowContext& context, bool focusBox)
        : ToolWindow(ToolWindowId::BumperConfiguration, context), box(new QLineEdit(this)),
          spin(new QSpinBox(this))
    {
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(box);
        layout->addWidget(spin);
        stepper = std::make_unique<SpinStepper>(*spin, *box, *this, "updAngle", UpdateScope::AllButNotesAreas, SpinStepper::Rule::B,
                                  BoundValue{[this](float value) { return Format::BoundDistance(value, VenueUnits()); },
                                             [this](float value) {
                                                 stored.push_back(value);
                                                 shown = value;
                                             },
                                             [this] { return Format::FormatNumber(shown, 1); }},
                                  focusBox);
    }
    void UpdateInterface() override
    {
        ++refreshes;
        box->setText(QString::fromStdString(Format::FormatNumber(shown, 1)));
    }

    QLineEdit* box;
    QSpinBox* spin;
    std::unique_ptr<SpinStepper> stepper;
    std::vector<float> stored;
    float shown = 3.7f;
    int refreshes = 0;
};

class SpinStepperTest : public ToolWindowFixture {
protected:
    void Register(StepperWindow& window) { registry_.Register(window.Id(), &window); }
};

TEST_F(SpinStepperTest, AClickStepsStoresRefreshesOnceAndRestsAtZero)
{
    StepperWindow window(context_, false);
    Register(window);
    window.Refresh();

    window.spin->stepUp();
    EXPECT_EQ(window.stored, std::vector<float>{4.0f});
    EXPECT_EQ(window.spin->value(), 0);
    EXPECT_EQ(window.refreshes, 2) << "the return to 0 steps nothing";
    EXPECT_EQ(window.box->text(), "4.0");
    EXPECT_TRUE(lifecycle_.IsDirty());

    window.spin->stepDown();
    EXPECT_EQ(window.stored, (std::vector<float>{4.0f, 3.0f}));
    EXPECT_EQ(window.spin->value(), 0);
}

TEST_F(SpinStepperTest, TheStepIsClampedByTheBoxsBound)
{
    StepperWindow window(context_, false);
    Register(window);
    window.box->setText(QStringLiteral("600 ft"));
    window.spin->stepUp();
    EXPECT_EQ(window.stored, std::vector<float>{600.0f});
}

TEST_F(SpinStepperTest, AStepperThatFocusesTheBoxSelectsItsText)
{
    StepperWindow window(context_, true);
    Register(window);
    window.Refresh();
    window.spin->stepDown();
    EXPECT_EQ(window.box->selectedText(), "3.0");
}

TEST_F(SpinStepperTest, OnlyTheArrowsStepNotTheWheelTheKeysOrTyping)
{
    StepperWindow window(context_, false);
    Register(window);
    window.Refresh();
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

    QTest::mouseClick(window.spin, Qt::LeftButton, {}, QPoint(window.spin->width() - 4, 3));
    ASSERT_EQ(window.stored, std::vector<float>{4.0f}) << "the up arrow steps once";
    lifecycle_.ClearDirty();

    const QPointF over = window.spin->mapTo(&window, window.spin->rect().center());
    for (int notch = 0; notch < 3; ++notch) {
        QWheelEvent wheel(over, window.mapToGlobal(over), QPoint(), QPoint(0, 120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(window.windowHandle(), &wheel);
    }
    // (Up and Down in the box step it as the arrows do.)
    for (const Qt::Key key : {Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_1, Qt::Key_Minus})
        QTest::keyClick(window.windowHandle(), key);
    for (const Qt::Key key : {Qt::Key_Up, Qt::Key_Down})
        QTest::keyClick(window.spin, key);
    EXPECT_EQ(window.stored, std::vector<float>{4.0f});
    EXPECT_EQ(window.spin->value(), 0);
    EXPECT_FALSE(window.spin->hasFocus());
    EXPECT_FALSE(lifecycle_.IsDirty());
}

} // namespace
} // namespace polvane

namespace polvane {
namespace {

// A dialog's box with a text-only stepper: no window, no model.
TEST_F(SpinStepperTest, ATextOnlyStepperWritesTheNumberBackAndTouchesNothingElse)
{
    QWidget dialog;
    auto* box = new QLineEdit(&dialog);
    auto* spin = new QSpinBox(&dialog);
    std::vector<std::string> handlers;
    SpinStepper stepper(*spin, *box,
                        [&handlers](const std::string& handler, const std::function<void()>& action) {
                            handlers.push_back(handler);
                            action();
                            return true;
                        },
                        "spnTotalCells", SpinStepper::Rule::A, false);
    box->setText(QStringLiteral("3.7 cells"));
    spin->stepUp();
    EXPECT_EQ(box->text(), "4.7");
    EXPECT_EQ(spin->value(), 0);
    spin->stepDown();
    spin->stepDown();
    EXPECT_EQ(box->text(), "2.7");
    EXPECT_EQ(handlers.front(), "spnTotalCells_Change");
    EXPECT_FALSE(lifecycle_.IsDirty());
}

} // namespace
} // namespace polvane
