#include "windows/base/ToolWindow.h"

#include <memory>
#include <string>
#include <vector>

#include <QAction>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QTest>
#include <QVBoxLayout>

#include "../ToolWindowFixture.h"
#include "model/Format.h"
#include "shell/session/UpdateGuard.h"
#include "windows/base/EditBox.h"
#include "windows/base/ToolWindowHost.h"

namespace polvane {
namespace {

// A line edit that records the keys that reach it.
class RecordingLineEdit : public QLineEdit {
public:
    using QLineEdit::QLineEdit;
    std::vector<int> pressed;

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        pressed.push_back(event->key());
        QLineEdit::keyPressEvent(event);
    }
};

// A tool window with one edit box bound to a length, refilled from `length`.
class ProbeWindow : public ToolWindow {
public:
    explicit ProbeWindow(ToolWindowContext& context)
        : ToolWindow(ToolWindowId::CellConfigurations, context), box(new RecordingLineEdit(this))
    {
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(box);
        edit = std::make_unique<EditBox>(
            *box, *this, "txtLength", UpdateScope::All,
            BoundValue{[this](float value) { return Format::BoundLength(value, VenueUnits()); },
                       [this](float value) { length = value; },
                       [this] { return Format::FormatMeasurement(length, VenueUnits()); }});
    }
    void UpdateInterface() override
    {
        ++refreshes;
        guardUp = UpdateGuard::IsUpdating();
        box->setText(QString::fromStdString(Format::FormatMeasurement(length, VenueUnits())));
    }

    RecordingLineEdit* box;
    std::unique_ptr<EditBox> edit;
    float length = 2.0f;
    int refreshes = 0;
    bool guardUp = false;
};

class ToolWindowTest : public ToolWindowFixture {
protected:
    ToolWindowTest()
    {
        window_.SetToolWindowSlot(ToolWindowId::CellConfigurations, &host_);
    }

    ProbeWindow& Open()
    {
        window_.findChild<QAction*>(QStringLiteral("mnuViewCellConfigurations"))->trigger();
        auto* probe = dynamic_cast<ProbeWindow*>(host_.Window());
        EXPECT_NE(probe, nullptr);
        return *probe;
    }
    bool Checked() const
    {
        return window_.findChild<QAction*>(QStringLiteral("mnuViewCellConfigurations"))->isChecked();
    }
    static void Focus(QWidget* widget, QEvent::Type type)
    {
        QFocusEvent event(type, Qt::TabFocusReason);
        QApplication::sendEvent(widget, &event);
    }

    ToolWindowHost host_{context_, [](ToolWindowContext& context) { return new ProbeWindow(context); }};
};

TEST_F(ToolWindowTest, F1FromAControlOpensTheTopicAndNeverReachesTheControl)
{
    ProbeWindow& probe = Open();
    QTest::keyClick(probe.box, Qt::Key_F1);
    QTest::keyClick(probe.box, Qt::Key_X);

    ASSERT_EQ(help_.Calls().size(), 1u);
    EXPECT_EQ(help_.Calls()[0].topic, "reference_cell_configs");
    EXPECT_FALSE(help_.Calls()[0].search);
    EXPECT_EQ(probe.box->pressed, std::vector<int>{Qt::Key_X});
}

TEST_F(ToolWindowTest, StateKeysFromAControlStoreAndLoadOnRelease)
{
    ProbeWindow& probe = Open();
    lifecycle_.Venue().SetNotes("stored");
    QTest::keyClick(probe.box, Qt::Key_Percent, Qt::ControlModifier | Qt::ShiftModifier);
    ASSERT_TRUE(lifecycle_.SlotUsed(5));

    lifecycle_.Venue().SetNotes("changed");
    QTest::keyPress(probe.box, Qt::Key_5, Qt::ControlModifier);
    EXPECT_EQ(lifecycle_.Venue().Notes(), "changed") << "the state loads on release";
    QTest::keyRelease(probe.box, Qt::Key_5, Qt::ControlModifier);
    EXPECT_EQ(lifecycle_.Venue().Notes(), "stored");

    // The keypad's digits are not state keys.
    QTest::keyClick(probe.box, Qt::Key_6, Qt::ControlModifier | Qt::ShiftModifier | Qt::KeypadModifier);
    EXPECT_FALSE(lifecycle_.SlotUsed(6));
}

TEST_F(ToolWindowTest, ClosingAloneRecordsHiddenAndUnchecksClosingWithTheMainWindowRecordsOpen)
{
    ProbeWindow& probe = Open();
    EXPECT_TRUE(Checked());
    probe.Move(1500, 3000, 6000, 4500);
    host_.Unload();
    EXPECT_FALSE(registry_.IsLoaded(ToolWindowId::CellConfigurations));
    EXPECT_FALSE(Checked());
    EXPECT_EQ(StoredPlace("Cell Configurations"), "0,1500,3000");

    Open();
    EXPECT_TRUE(Checked());
    window_.Unload();
    EXPECT_FALSE(registry_.IsLoaded(ToolWindowId::CellConfigurations));
    EXPECT_EQ(StoredPlace("Cell Configurations").substr(0, 2), "1,");
}

TEST_F(ToolWindowTest, ARefreshRaisesTheGuardAndLeavesBoxAndVenueClean)
{
    ProbeWindow& probe = Open();
    probe.length = 7.25f;
    hub_.UpdateInterfaces(UpdateScope::All, false);
    EXPECT_TRUE(probe.guardUp);
    probe.Refresh(); // as the Tools item does, outside the hub
    EXPECT_TRUE(probe.guardUp);
    EXPECT_EQ(probe.box->text(), "7.25 ft");
    EXPECT_EQ(probe.edit->Tag(), "");
    EXPECT_FALSE(lifecycle_.IsDirty());

    // Typed, then refilled by a refresh (a state loaded, say): the refill is what the box
    // shows, so a later focus loss must not commit it and mark the venue changed.
    QTest::keyClicks(probe.box, "9");
    ASSERT_EQ(probe.edit->Tag(), "dirty");
    probe.length = 3.0f;
    hub_.UpdateInterfaces(UpdateScope::All, false);
    EXPECT_EQ(probe.edit->Tag(), "");
}

TEST_F(ToolWindowTest, EnterCommitsTheLeadingNumberClampedAndIsUsedUp)
{
    struct Case {
        const char* typed;
        float stored;
        bool changes = true;
    };
    // A text without a number changes nothing: the box shows the value again.
    const Case cases[] = {{"12.50 ft", 12.5f}, {"  3.5e1", 35.0f}, {"abc", 35.0f, false}, {"-4", 0.001f},
                          {"9999", 600.0f}};
    ProbeWindow& probe = Open();
    for (const Case& c : cases) {
        lifecycle_.ClearDirty();
        probe.box->clear();
        QTest::keyClicks(probe.box, QString::fromUtf8(c.typed));
        EXPECT_EQ(probe.edit->Tag(), "dirty") << c.typed;
        const int refreshes = probe.refreshes;
        probe.box->pressed.clear();
        QTest::keyClick(probe.box, Qt::Key_Return);
        EXPECT_FLOAT_EQ(probe.length, c.stored) << c.typed;
        EXPECT_EQ(probe.refreshes, refreshes + (c.changes ? 1 : 0)) << c.typed;
        EXPECT_EQ(probe.edit->Tag(), "") << c.typed;
        EXPECT_EQ(lifecycle_.IsDirty(), c.changes) << c.typed;
        EXPECT_EQ(probe.box->selectedText(), probe.box->text()) << c.typed;
        EXPECT_TRUE(probe.box->pressed.empty()) << c.typed;
    }
}

TEST_F(ToolWindowTest, EscRestoresAndTheNextFocusLossCommitsNothing)
{
    ProbeWindow& probe = Open();
    probe.Refresh();
    QTest::keyClicks(probe.box, QStringLiteral("9"));
    QTest::keyClick(probe.box, Qt::Key_Escape);
    EXPECT_EQ(probe.box->text(), "2.00 ft");
    EXPECT_EQ(probe.box->selectedText(), "2.00 ft");
    EXPECT_EQ(probe.edit->Tag(), "");
    EXPECT_TRUE(probe.box->pressed.empty() || probe.box->pressed.back() != Qt::Key_Escape);

    Focus(probe.box, QEvent::FocusOut);
    EXPECT_FLOAT_EQ(probe.length, 2.0f);
    EXPECT_FALSE(lifecycle_.IsDirty());
}

TEST_F(ToolWindowTest, FocusLossCommitsOnlyWhenTypedAndFocusSelectsAll)
{
    ProbeWindow& probe = Open();
    probe.Refresh();
    Focus(probe.box, QEvent::FocusIn);
    EXPECT_EQ(probe.box->selectedText(), "2.00 ft");

    Focus(probe.box, QEvent::FocusOut);
    EXPECT_FALSE(lifecycle_.IsDirty());

    probe.box->setCursorPosition(1);
    QTest::keyClicks(probe.box, QStringLiteral("5"));
    Focus(probe.box, QEvent::FocusOut);
    EXPECT_FLOAT_EQ(probe.length, 25.0f);
    EXPECT_TRUE(lifecycle_.IsDirty());
    EXPECT_EQ(probe.edit->Tag(), "");
}

TEST_F(ToolWindowTest, PlaceIsInTwipsOfTheSubWindowAndAFixedSizeWindowKeepsItsSize)
{
    ProbeWindow& probe = Open();
    auto* frame = qobject_cast<QMdiSubWindow*>(probe.parentWidget());
    ASSERT_NE(frame, nullptr);
    const QSize size = frame->size();
    probe.Move(300, 450, 4500, 3000);
    EXPECT_EQ(frame->geometry(), QRect(QPoint(20, 30), size));
    EXPECT_EQ(probe.Left(), 300);
    EXPECT_EQ(probe.Top(), 450);
    EXPECT_EQ(probe.Width(), size.width() * 15);
    EXPECT_EQ(probe.Height(), size.height() * 15);
}

// A place stored far off the screen brings the whole frame onto it; on a screen smaller than
// the window no place holds it, and its title bar goes to the corner.
TEST_F(ToolWindowTest, PlacesOffTheScreenBringTheWholeFrameOnIt)
{
    ProbeWindow& probe = Open();
    auto* frame = qobject_cast<QMdiSubWindow*>(probe.parentWidget());
    ASSERT_NE(frame, nullptr);
    const QSize size = frame->size();
    probe.Move(2147483647, 2147483647, -12000, -9000);
    EXPECT_EQ(frame->geometry(), QRect(QPoint(1280 - size.width(), 1024 - size.height()), size));

    screen_.SetSize(size.width() - 1, 1024);
    probe.Move(3000, 3000);
    EXPECT_EQ(frame->geometry(), QRect(QPoint(0, 0), size));
    EXPECT_EQ(reportedEnds_, 0);
}

// A fixed frame fits a label's longer text, gives the room back for a shorter one, and is
// left alone (no layout of the frame at all) for a new text that fits as the old one did.
TEST_F(ToolWindowTest, AFixedFrameFollowsItsLabelsAndRestsWhileTheyFit)
{
    ProbeWindow& probe = Open();
    auto* frame = qobject_cast<QMdiSubWindow*>(probe.parentWidget());
    ASSERT_NE(frame, nullptr);
    auto* label = new QLabel(QStringLiteral("12.5 ft"), &probe);
    probe.layout()->addWidget(label);
    window_.show();
    frame->show();
    QApplication::processEvents();
    const QSize fitted = frame->size();

    struct LayoutCounter : QObject {
        int requests = 0;
        bool eventFilter(QObject*, QEvent* event) override
        {
            requests += event->type() == QEvent::LayoutRequest;
            return false;
        }
    } counter;
    frame->installEventFilter(&counter);
    label->setText(QStringLiteral("13.0 ft"));
    QApplication::processEvents();
    EXPECT_EQ(frame->size(), fitted);
    EXPECT_EQ(counter.requests, 0);

    label->setText(QString(60, QLatin1Char('W')));
    QApplication::processEvents();
    EXPECT_GT(frame->width(), fitted.width());
    EXPECT_GE(label->width(), label->sizeHint().width()) << "the whole text shows";

    label->setText(QStringLiteral("1"));
    QApplication::processEvents();
    EXPECT_EQ(frame->size(), fitted) << "a box as wide as before, as at first";
}

} // namespace
} // namespace polvane
