// F1 and the state keys as a person uses them: a mouse click somewhere in a tool window,
// then keys typed on the main window, whatever took the focus and whatever the layout.

#include <functional>
#include <map>
#include <memory>
#include <string>

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTest>
#include <QWindow>

#include "ToolWindowFixture.h"
#include "engine/Environment.h"
#include "windows/tools/ArrayConfigurationWindow.h"
#include "windows/tools/ArrayPictureWindow.h"
#include "windows/tools/BumperConfigurationWindow.h"
#include "windows/tools/CalculationsWindow.h"
#include "windows/tools/CellConfigurationsWindow.h"
#include "windows/tools/FROptionsWindow.h"
#include "windows/tools/IFEGraphWindow.h"
#include "windows/tools/ListeningPointsWindow.h"
#include "windows/tools/NotesWindow.h"
#include "windows/tools/RiggingDetailsWindow.h"
#include "windows/tools/SeatingAreasWindow.h"
#include "windows/base/ToolWindowHost.h"
#include "windows/tools/ToolWindowFactory.h"
#include "windows/tools/VenueWindow.h"

namespace polvane {
namespace {

// A key as the X server hands it to the program: the layout's symbol and text, the key
// code of the physical key (XKB key code) and the key symbol.
struct XKey {
    int qtKey;
    const char* text;
    quint32 scanCode;
    quint32 keySym;
};

constexpr XKey kControl{Qt::Key_Control, "", 37, 0xffe3};
constexpr XKey kShift{Qt::Key_Shift, "", 50, 0xffe1};

// X's modifier state bits.
constexpr quint32 kShiftMask = 1;
constexpr quint32 kControlMask = 4;

// The real tool windows in the main window, shown and active.
class ToolWindowKeysTest : public ToolWindowFixture {
protected:
    ToolWindowKeysTest()
    {
        options_.SwitchToEngineeringMode();
        for (const ToolWindowInfo& info : ToolWindowRegistry::All()) {
            const ToolWindowId id = info.id;
            hosts_[id] = std::make_unique<ToolWindowHost>(
                context_, [id](ToolWindowContext& context) { return ToolWindowFactory::Create(id, context); });
            window_.SetToolWindowSlot(id, hosts_[id].get());
        }
        window_.resize(1200, 900);
        window_.show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window_));
    }
    ~ToolWindowKeysTest() override
    {
        for (auto& [id, host] : hosts_)
            host->Unload();
    }

    ToolWindow& Open(ToolWindowId id)
    {
        Item(ToolWindowRegistry::Info(id).menuName)->trigger();
        ToolWindow* window = hosts_[id]->Window();
        EXPECT_NE(window, nullptr);
        auto* frame = qobject_cast<QMdiSubWindow*>(window->parentWidget());
        frame->move(0, 0);
        frame->resize(frame->size().expandedTo(QSize(400, 300)));
        QApplication::processEvents();
        return *window;
    }

    // A click where the window does nothing with it: its background, a drawing, a caption,
    // never a control that acts on a click.
    static void ClickInside(ToolWindow& window)
    {
        for (int y = 4; y < window.height(); y += 6) {
            for (int x = 4; x < window.width(); x += 6) {
                QWidget* at = window.childAt(QPoint(x, y));
                if (at != nullptr && !Passive(*at))
                    continue;
                QWidget* target = at != nullptr ? at : &window;
                QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(&window, QPoint(x, y)));
                QApplication::processEvents();
                return;
            }
        }
        ADD_FAILURE() << "no place to click in " << window.objectName().toStdString();
    }
    static bool Passive(const QWidget& widget)
    {
        if (qobject_cast<const QAbstractButton*>(&widget) || qobject_cast<const QLineEdit*>(&widget) ||
            qobject_cast<const QAbstractSpinBox*>(&widget) || qobject_cast<const QComboBox*>(&widget) ||
            qobject_cast<const QListWidget*>(&widget) || qobject_cast<const QLabel*>(&widget))
            return false;
        // Anything that takes keys (the notes text) is a control too; a drawing takes none.
        return widget.focusPolicy() == Qt::NoFocus;
    }

    QWindow* Screen() const { return window_.windowHandle(); }
    void Type(int key, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::keyClick(Screen(), static_cast<Qt::Key>(key), modifiers);
    }
    // Ctrl (and Shift) held around the key, each press and release as X delivers it.
    void StateKey(const XKey& key, bool shift)
    {
        Send(QEvent::KeyPress, kControl, Qt::NoModifier, 0);
        if (shift)
            Send(QEvent::KeyPress, kShift, Qt::ControlModifier, kControlMask);
        const Qt::KeyboardModifiers held =
            shift ? Qt::ControlModifier | Qt::ShiftModifier : Qt::ControlModifier;
        const quint32 heldMask = shift ? kControlMask | kShiftMask : kControlMask;
        Send(QEvent::KeyPress, key, held, heldMask);
        Send(QEvent::KeyRelease, key, held, heldMask);
        if (shift)
            Send(QEvent::KeyRelease, kShift, held, heldMask);
        Send(QEvent::KeyRelease, kControl, Qt::ControlModifier, kControlMask);
    }
    void Send(QEvent::Type type, const XKey& key, Qt::KeyboardModifiers modifiers, quint32 mask)
    {
        QKeyEvent event(type, key.qtKey, modifiers, key.scanCode, key.keySym, mask,
                        QString::fromUtf8(key.text));
        QApplication::sendEvent(Screen(), &event);
    }

    // Slot n holds a venue whose notes read "slot n".
    void FillSlot(int slot)
    {
        const std::string notes = lifecycle_.Venue().Notes();
        lifecycle_.Venue().SetNotes("slot " + std::to_string(slot));
        lifecycle_.SaveState(slot);
        lifecycle_.Venue().SetNotes(notes);
    }

    std::map<ToolWindowId, std::unique_ptr<ToolWindowHost>> hosts_;
};

TEST_F(ToolWindowKeysTest, AfterAClickInAnyToolWindowF1AndTheStateKeysWork)
{
    for (const ToolWindowInfo& info : ToolWindowRegistry::All()) {
        SCOPED_TRACE(info.caption);
        ToolWindow& window = Open(info.id);
        ClickInside(window);
        ASSERT_EQ(QApplication::activeWindow(), &window_);

        const std::size_t helps = help_.Calls().size();
        Type(Qt::Key_F1);
        ASSERT_EQ(help_.Calls().size(), helps + 1);
        EXPECT_EQ(help_.Calls().back().topic, info.helpTopic);

        const std::string stored = std::string("stored from ") + info.caption;
        lifecycle_.Venue().SetNotes(stored);
        Type(Qt::Key_Percent, Qt::ControlModifier | Qt::ShiftModifier);
        lifecycle_.Venue().SetNotes("changed");
        Type(Qt::Key_5, Qt::ControlModifier);
        EXPECT_EQ(lifecycle_.Venue().Notes(), stored);
        hosts_[info.id]->Unload();
    }
}

TEST_F(ToolWindowKeysTest, OnlyTheBoxWithTheFocusShowsASelection)
{
    lifecycle_.Venue().SeatingAreas().Add();
    for (const ToolWindowInfo& info : ToolWindowRegistry::All())
        Open(info.id);
    const auto boxes = window_.MdiArea()->findChildren<QLineEdit*>();
    ASSERT_FALSE(boxes.empty());
    // Typed into and committed by Enter: that box keeps its text selected for typing over.
    QLineEdit* typed = nullptr;
    for (QLineEdit* box : boxes)
        if (box->objectName() == "txtEarHeight")
            typed = box;
    ASSERT_NE(typed, nullptr);
    QTest::mouseClick(typed, Qt::LeftButton, {}, typed->rect().center());
    QApplication::processEvents();
    Type(Qt::Key_5);
    Type(Qt::Key_Return);
    EXPECT_EQ(typed->selectedText(), typed->text());

    hub_.UpdateInterfaces(UpdateScope::All, true);
    QApplication::processEvents();
    for (QLineEdit* box : boxes) {
        if (box != typed) {
            EXPECT_EQ(box->selectedText(), "") << box->objectName().toStdString();
        }
    }
}

TEST_F(ToolWindowKeysTest, MenuAccessKeysWinOverTheWindowsOwn)
{
    // Every window open, as a user has them: several windows share access keys.
    lifecycle_.Venue().SeatingAreas().Add();
    for (const ToolWindowInfo& info : ToolWindowRegistry::All())
        Open(info.id);
    ToolWindow& areas = Open(ToolWindowId::SeatingAreas);
    // The main window resized after its windows opened, as when its place is restored at
    // the start: the menu bar takes its access keys anew, after the windows' own.
    window_.resize(window_.width() + 40, window_.height());
    QApplication::processEvents();
    auto* add = areas.findChild<QAbstractButton*>(QStringLiteral("cmdAdd"));
    auto* list = areas.findChild<QListWidget*>(QStringLiteral("lstSeatingAreas"));
    ASSERT_NE(add, nullptr);
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(add->text(), "&Add");
    struct Case {
        Qt::Key key;
        const char* menu;
    };
    for (const Case c : {Case{Qt::Key_A, "mnuArray"}, Case{Qt::Key_F, "mnuFile"},
                         Case{Qt::Key_T, "mnuTools"}, Case{Qt::Key_H, "mnuHelp"}}) {
        SCOPED_TRACE(c.menu);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
        ASSERT_TRUE(list->hasFocus());
        // Alt goes down first, as it does on a keyboard.
        QTest::keyPress(Screen(), Qt::Key_Alt);
        Type(c.key, Qt::AltModifier);
        QTest::keyRelease(Screen(), Qt::Key_Alt, Qt::AltModifier);
        QMenu* menu = Menu(c.menu);
        EXPECT_TRUE(menu->isVisible());
        EXPECT_FALSE(add->hasFocus());
        menu->close();
        QApplication::processEvents();
    }
    EXPECT_TRUE(prompts_.Requests().empty()) << "Add was not pressed";
}

TEST_F(ToolWindowKeysTest, StateKeysFollowThePhysicalDigitKeysOnEveryLayout)
{
    struct Case {
        const char* layout;
        XKey key;
        bool shift;
        int slot; // 0: no state key
    };
    const Case cases[] = {
        // German: the shifted digit row holds ! " § $ % & / ( ) =.
        {"de", {Qt::Key_QuoteDbl, "\"", 11, 0x22}, true, 2},
        {"de", {Qt::Key_section, "\u00a7", 12, 0xa7}, true, 3},
        {"de", {Qt::Key_Ampersand, "&", 15, 0x26}, true, 6},
        {"de", {Qt::Key_Slash, "/", 16, 0x2f}, true, 7},
        {"de", {Qt::Key_ParenLeft, "(", 17, 0x28}, true, 8},
        {"de", {Qt::Key_ParenRight, ")", 18, 0x29}, true, 9},
        {"de", {Qt::Key_6, "6", 15, 0x36}, false, 6},
        // French: the digit row gives & é " ' ( - è _ ç unshifted, its digits shifted.
        {"fr", {Qt::Key_Ampersand, "&", 10, 0x26}, false, 1},
        {"fr", {Qt::Key_Eacute, "\u00e9", 11, 0xe9}, false, 2},
        {"fr", {Qt::Key_Egrave, "\u00e8", 16, 0xe8}, false, 7},
        {"fr", {Qt::Key_Ccedilla, "\u00e7", 18, 0xe7}, false, 9},
        {"fr", {Qt::Key_1, "1", 10, 0x31}, true, 1},
        {"fr", {Qt::Key_7, "7", 16, 0x37}, true, 7},
        // Keys that show a digit's US symbol elsewhere, and the keypad: no state keys.
        {"fr", {Qt::Key_Exclam, "!", 61, 0x21}, false, 0},
        {"fr", {Qt::Key_ParenLeft, "(", 14, 0x28}, true, 5},
        {"de", {Qt::Key_5, "5", 84, 0xffb5}, false, 0},
    };
    ClickInside(Open(ToolWindowId::Venue));
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.layout) + " " + c.key.text + (c.shift ? " shifted" : ""));
        lifecycle_.NewVenue(); // slots 2..9 empty
        if (c.shift) {
            lifecycle_.Venue().SetNotes("stored");
            StateKey(c.key, c.shift);
            lifecycle_.Venue().SetNotes("live");
            const Environment* slot = lifecycle_.SlotVenue(c.slot);
            ASSERT_NE(slot, nullptr);
            EXPECT_EQ(slot->Notes(), "stored");
            for (int other = 2; other <= 9; ++other)
                EXPECT_EQ(lifecycle_.SlotUsed(other), other == c.slot) << other;
        } else {
            for (int slot = 1; slot <= 9; ++slot)
                FillSlot(slot);
            lifecycle_.Venue().SetNotes("live");
            StateKey(c.key, c.shift);
            EXPECT_EQ(lifecycle_.Venue().Notes(),
                      c.slot == 0 ? std::string("live") : "slot " + std::to_string(c.slot));
        }
    }
}

// The modifiers said what a state key does when its digit went down; people lift the keys
// in any order, and X reports each release with the modifiers still held at that moment.
TEST_F(ToolWindowKeysTest, StateKeysActAsTheModifiersHeldWhenTheDigitWentDown)
{
    // The US key 3: "#" while Shift is held, "3" otherwise.
    constexpr XKey kHash{Qt::Key_NumberSign, "#", 12, 0x23};
    constexpr XKey kThree{Qt::Key_3, "3", 12, 0x33};
    enum class Up { DigitFirst, ShiftFirst, ControlFirst, ShiftThenControl, ControlThenShift };
    struct Case {
        const char* name;
        bool controlDown;
        bool shiftDown;
        bool controlAfter; // Ctrl pressed only after the digit, before its release
        Up order;
        bool stored;   // the live venue went into slot 3
        bool recalled; // slot 3 became the live venue
    };
    const Case cases[] = {
        {"store, digit up first", true, true, false, Up::DigitFirst, true, false},
        {"store, Shift up first", true, true, false, Up::ShiftFirst, true, false},
        {"store, Ctrl up first", true, true, false, Up::ControlFirst, true, false},
        {"store, both up first", true, true, false, Up::ShiftThenControl, true, false},
        {"store, both up first, Ctrl before Shift", true, true, false, Up::ControlThenShift, true, false},
        {"recall, digit up first", true, false, false, Up::DigitFirst, false, true},
        {"recall, Ctrl up first", true, false, false, Up::ControlFirst, false, true},
        {"Ctrl only after the digit went down", false, false, true, Up::DigitFirst, false, false},
    };
    const auto run = [&](ToolWindowId id, const std::function<void()>& focus) {
        Open(id);
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(ToolWindowRegistry::Info(id).caption) + ": " + c.name);
            focus();
            lifecycle_.NewVenue();
            FillSlot(3);
            lifecycle_.Venue().SetNotes("live");

            Qt::KeyboardModifiers held;
            quint32 mask = 0;
            const auto press = [&](const XKey& key, Qt::KeyboardModifier modifier, quint32 bit) {
                Send(QEvent::KeyPress, key, held, mask);
                held |= modifier;
                mask |= bit;
            };
            const auto release = [&](const XKey& key, Qt::KeyboardModifier modifier, quint32 bit) {
                Send(QEvent::KeyRelease, key, held, mask);
                held &= ~Qt::KeyboardModifiers(modifier);
                mask &= ~bit;
            };
            const auto digit = [&]() -> const XKey& {
                return held.testFlag(Qt::ShiftModifier) ? kHash : kThree;
            };
            if (c.controlDown)
                press(kControl, Qt::ControlModifier, kControlMask);
            if (c.shiftDown)
                press(kShift, Qt::ShiftModifier, kShiftMask);
            Send(QEvent::KeyPress, digit(), held, mask);
            if (c.controlAfter)
                press(kControl, Qt::ControlModifier, kControlMask);
            const auto releaseDigit = [&] { Send(QEvent::KeyRelease, digit(), held, mask); };
            switch (c.order) {
            case Up::DigitFirst:
                releaseDigit();
                break;
            case Up::ShiftFirst:
                release(kShift, Qt::ShiftModifier, kShiftMask);
                releaseDigit();
                break;
            case Up::ControlFirst:
                release(kControl, Qt::ControlModifier, kControlMask);
                releaseDigit();
                break;
            case Up::ShiftThenControl:
                release(kShift, Qt::ShiftModifier, kShiftMask);
                release(kControl, Qt::ControlModifier, kControlMask);
                releaseDigit();
                break;
            case Up::ControlThenShift:
                release(kControl, Qt::ControlModifier, kControlMask);
                release(kShift, Qt::ShiftModifier, kShiftMask);
                releaseDigit();
                break;
            }
            if (held.testFlag(Qt::ShiftModifier))
                release(kShift, Qt::ShiftModifier, kShiftMask);
            if (held.testFlag(Qt::ControlModifier))
                release(kControl, Qt::ControlModifier, kControlMask);

            // The notes box takes a plain digit as text, so the live notes are only told
            // apart from the slot's.
            EXPECT_EQ(lifecycle_.Venue().Notes() == "slot 3", c.recalled) << lifecycle_.Venue().Notes();
            const Environment* slot = lifecycle_.SlotVenue(3);
            ASSERT_NE(slot, nullptr);
            EXPECT_EQ(slot->Notes(), c.stored ? "live" : "slot 3");
        }
        hosts_[id]->Unload();
    };
    run(ToolWindowId::Venue, [this] { ClickInside(*hosts_[ToolWindowId::Venue]->Window()); });
    run(ToolWindowId::Notes, [this] {
        auto* box = hosts_[ToolWindowId::Notes]->Window()->findChild<QPlainTextEdit*>(
            QStringLiteral("txtNotes"));
        ASSERT_NE(box, nullptr);
        QTest::mouseClick(box->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
        ASSERT_TRUE(box->hasFocus());
    });
}

TEST_F(ToolWindowKeysTest, NotesAccentPrefixesFollowThePhysicalDigitKeysOnEveryLayout)
{
    constexpr XKey kLetterA{Qt::Key_A, "a", 38, 0x61};
    struct Case {
        const char* layout;
        XKey prefix; // held with Ctrl and Shift
        int digit;
        const char* typed; // UTF-8
    };
    const Case cases[] = {
        // German: Ctrl+Shift+7 is "/" (the stroke's key), 6 is "&" (the US ligature's key).
        {"de", {Qt::Key_Slash, "/", 16, 0x2f}, 7, "æ"},
        {"de", {Qt::Key_QuoteDbl, "\"", 11, 0x22}, 2, "å"},
        {"de", {Qt::Key_Ampersand, "&", 15, 0x26}, 6, "â"},
        {"us", {Qt::Key_Ampersand, "&", 16, 0x26}, 7, "æ"},
        {"us", {Qt::Key_At, "@", 11, 0x40}, 2, "å"},
        {"us", {Qt::Key_AsciiCircum, "^", 15, 0x5e}, 6, "â"},
        // French: the shifted digit row gives the digits.
        {"fr", {Qt::Key_7, "7", 16, 0x37}, 7, "æ"},
        {"fr", {Qt::Key_6, "6", 15, 0x36}, 6, "â"},
    };
    ToolWindow& notes = Open(ToolWindowId::Notes);
    auto* box = notes.findChild<QPlainTextEdit*>(QStringLiteral("txtNotes"));
    ASSERT_NE(box, nullptr);
    QTest::mouseClick(box->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    ASSERT_TRUE(box->hasFocus());
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.layout) + " Ctrl+Shift+" + std::to_string(c.digit));
        lifecycle_.NewVenue(); // slots 2..9 empty
        box->clear();
        StateKey(c.prefix, true);
        Send(QEvent::KeyPress, kLetterA, Qt::NoModifier, 0);
        Send(QEvent::KeyRelease, kLetterA, Qt::NoModifier, 0);
        EXPECT_EQ(box->toPlainText().toStdString(), c.typed);
        EXPECT_FALSE(lifecycle_.SlotUsed(c.digit)) << "the prefix stored no state";
    }
}

} // namespace
} // namespace polvane
