#include "windows/tools/NotesWindow.h"

#include <string>
#include <vector>

#include <QAction>
#include <QFocusEvent>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextDocument>

#include "../ToolWindowFixture.h"
#include "engine/Environment.h"
#include "files/VenueFile.h"
#include "shell/session/UpdateGuard.h"
#include "support/TestFiles.h"
#include "windows/base/ToolWindowHost.h"

namespace polvane {
namespace {

using Mods = Qt::KeyboardModifiers;
constexpr Mods kNone = Qt::NoModifier;
constexpr Mods kShift = Qt::ShiftModifier;
constexpr Mods kCtrl = Qt::ControlModifier;
constexpr Mods kCtrlShift = Qt::ControlModifier | Qt::ShiftModifier;
constexpr Mods kCtrlAlt = Qt::ControlModifier | Qt::AltModifier;

class NotesWindowTest : public ToolWindowFixture {
protected:
    NotesWindowTest()
    {
        window_.SetToolWindowSlot(ToolWindowId::Notes, &host_);
        window_.findChild<QAction*>(QStringLiteral("mnuViewNotes"))->trigger();
        notes_ = dynamic_cast<NotesWindow*>(host_.Window());
        notes_->SetCapsLockProbe([this] { return capsLock_; });
        box_ = notes_->txtNotes();
    }

    void Key(Qt::Key key, Mods modifiers = kNone) { QTest::keyClick(box_, key, modifiers); }
    void Type(const std::vector<int>& codes, std::size_t count)
    {
        for (std::size_t index = 0; index < count; ++index) {
            if (codes[index] == '\r')
                Key(Qt::Key_Return);
            else
                QTest::keyClicks(box_, QString(QChar(codes[index])));
        }
    }
    std::string Text() const { return box_->toPlainText().toStdString(); }
    std::string Status() const { return window_.StatusPanel(1)->text().toStdString(); }

    ToolWindowHost host_{context_, [](ToolWindowContext& context) { return new NotesWindow(context); }};
    NotesWindow* notes_ = nullptr;
    QPlainTextEdit* box_ = nullptr;
    bool capsLock_ = false;
};

TEST_F(NotesWindowTest, AccentKeysTypeTheAccentedLetters)
{
    struct Case {
        Qt::Key prefix;
        Mods prefixMods;
        Qt::Key letter;
        Mods letterMods;
        bool capsLock;
        const char* typed; // UTF-8
    };
    const Case cases[] = {
        {Qt::Key_QuoteLeft, kCtrl, Qt::Key_A, kNone, false, "à"},
        {Qt::Key_QuoteLeft, kCtrl, Qt::Key_A, kNone, true, "À"},
        {Qt::Key_QuoteLeft, kCtrl, Qt::Key_A, kShift, true, "à"},
        {Qt::Key_Ampersand, kCtrlShift, Qt::Key_A, kShift, false, "Æ"},
        {Qt::Key_Ampersand, kCtrlShift, Qt::Key_O, kNone, false, "œ"},
        {Qt::Key_Ampersand, kCtrlShift, Qt::Key_O, kShift, false, "Œ"},
        {Qt::Key_Ampersand, kCtrlShift, Qt::Key_S, kNone, false, "ß"},
        {Qt::Key_Ampersand, kCtrlShift, Qt::Key_S, kShift, false, ""},
        {Qt::Key_Apostrophe, kCtrl, Qt::Key_D, kShift, false, "Ð"},
        {Qt::Key_At, kCtrlShift, Qt::Key_A, kNone, false, "å"},
        {Qt::Key_AsciiCircum, kCtrlShift, Qt::Key_U, kNone, false, "û"},
        {Qt::Key_Colon, kCtrlShift, Qt::Key_Y, kShift, false, "Ÿ"},
        {Qt::Key_Colon, kCtrlShift, Qt::Key_Y, kNone, false, "ÿ"},
        {Qt::Key_Comma, kCtrl, Qt::Key_C, kNone, true, "Ç"},
        {Qt::Key_Slash, kCtrl, Qt::Key_O, kNone, false, "ø"},
        {Qt::Key_AsciiTilde, kCtrlShift, Qt::Key_N, kNone, false, "ñ"},
        {Qt::Key_QuoteLeft, kCtrl, Qt::Key_B, kNone, false, ""},
    };
    for (const Case& c : cases) {
        box_->clear();
        capsLock_ = c.capsLock;
        Key(c.prefix, c.prefixMods);
        EXPECT_TRUE(notes_->Composer().IsPending()) << c.typed;
        Key(c.letter, c.letterMods);
        EXPECT_EQ(Text(), c.typed);
        EXPECT_FALSE(notes_->Composer().IsPending()) << c.typed;
    }
}

TEST_F(NotesWindowTest, ThePrefixAgainKeepsTheAccentPendingAndTypesNothing)
{
    Key(Qt::Key_Apostrophe, kCtrl);
    Key(Qt::Key_Apostrophe, kCtrl);
    EXPECT_TRUE(notes_->Composer().IsPending());
    EXPECT_EQ(Text(), "");
    Key(Qt::Key_E);
    EXPECT_EQ(Text(), "é");
}

TEST_F(NotesWindowTest, CtrlAltSymbolsAndTheirEffectOnAPendingAccent)
{
    Key(Qt::Key_0, kCtrlAlt);
    Key(Qt::Key_Exclam, kCtrlAlt | kShift);
    Key(Qt::Key_Question, kCtrlAlt | kShift);
    EXPECT_EQ(Text(), "°¡¿");
    EXPECT_FALSE(notes_->Composer().IsPending());

    box_->clear();
    Key(Qt::Key_QuoteLeft, kCtrl);
    Key(Qt::Key_0, kCtrlAlt);
    EXPECT_EQ(Text(), "");
    EXPECT_FALSE(notes_->Composer().IsPending());
}

TEST_F(NotesWindowTest, CtrlASelectsTheWholeText)
{
    QTest::keyClicks(box_, QStringLiteral("line one"));
    Key(Qt::Key_A, kCtrl);
    EXPECT_EQ(box_->textCursor().selectedText(), "line one");
}

TEST_F(NotesWindowTest, TypingStoresTheNotesAndMarksTheVenueUnsaved)
{
    QTest::keyClicks(box_, QStringLiteral("Hall B"));
    EXPECT_EQ(lifecycle_.Venue().Notes(), "Hall B");
    EXPECT_TRUE(lifecycle_.IsDirty());
    EXPECT_EQ(Status(), "(Unsaved)");
}

TEST_F(NotesWindowTest, ARefreshShowsTheNotesInTheOptionsFontWithoutMarkingTheVenue)
{
    options_.SetNotesFont("Courier");
    options_.SetNotesSize(14.0f);
    options_.SetNotesBold(true);
    lifecycle_.Venue().SetNotes("Rig from the\r\nfront truss");
    hub_.UpdateInterfaces(UpdateScope::All, false);
    EXPECT_EQ(Text(), "Rig from the\nfront truss");
    EXPECT_EQ(box_->font().family(), "Courier");
    EXPECT_DOUBLE_EQ(box_->font().pointSizeF(), 14.0);
    EXPECT_TRUE(box_->font().bold());
    EXPECT_FALSE(box_->font().italic());
    EXPECT_FALSE(lifecycle_.IsDirty());

    // Line ends are no change of the notes.
    QFocusEvent out(QEvent::FocusOut);
    QApplication::sendEvent(box_, &out);
    EXPECT_FALSE(lifecycle_.IsDirty());
    EXPECT_EQ(lifecycle_.Venue().Notes(), "Rig from the\r\nfront truss");
}

// Notes the earlier Windows program wrote in Windows-1252, or notes in UTF-8, show as typed;
// an edit with the accent keys (which type that code page) keeps them, and so do a save and
// an opening again.
TEST_F(NotesWindowTest, NotesOfEitherEncodingShowEditSaveAndReopenAsTyped)
{
    struct Case {
        const char* name;
        std::string stored; // the file's bytes
    };
    const Case cases[] = {
        {"Windows1252", "Caf\xE9, B\xFChne \x96 3 \xD7 2 m\xB2"},
        {"Utf8", "Café, Bühne – 3 × 2 m²"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Environment written;
        written.Clear();
        written.SetNotes("@");
        std::string text = VenueFile::SaveToString(written);
        text.replace(text.find("@\r\n"), 1, c.stored);
        const std::string path = Path(std::string(c.name) + ".venue");
        ASSERT_TRUE(WriteAll(path, text));

        ASSERT_TRUE(lifecycle_.OpenVenue(path));
        EXPECT_EQ(Text(), "Café, Bühne – 3 × 2 m²");
        Key(Qt::Key_End, kCtrl);
        Key(Qt::Key_Space);
        Key(Qt::Key_Apostrophe, kCtrl);
        Key(Qt::Key_E, kShift);
        const std::string edited = "Café, Bühne – 3 × 2 m² É";
        EXPECT_EQ(Text(), edited);
        EXPECT_EQ(lifecycle_.Venue().Notes(), edited);

        ASSERT_TRUE(lifecycle_.SaveVenue());
        EXPECT_NE(ReadAll(path).find("Caf\xE9, B\xFChne \x96 3 \xD7 2 m\xB2 \xC9\r\n"), std::string::npos);
        lifecycle_.NewVenue();
        ASSERT_NE(Text(), edited);
        ASSERT_TRUE(lifecycle_.OpenVenue(path));
        EXPECT_EQ(Text(), edited);
        EXPECT_EQ(lifecycle_.Venue().Notes(), edited);
    }
}

// A no-break space keeps a number with its unit ("12\u00a0ft"): one from the file or typed
// stays one through an edit, a save and an opening again, and the lines keep the breaks
// the file gave them.
TEST_F(NotesWindowTest, NoBreakSpacesAndLineBreaksStayThroughEditsAndSaves)
{
    struct Case {
        const char* name;
        std::string notes; // as the file holds them
        std::string saved; // after the edit
    };
    const Case cases[] = {
        // Every character has a Windows-1252 byte, so the file is written in that code page.
        {"Windows1252 with CR LF", "Trim 12\u00a0" "ft\r\nPin 3", "Trim 12\u00a0" "ft\r\nPin 3\r\n4\u00a0m"},
        {"Utf8 with LF", "Trim \u2248 12\u00a0" "ft\nPin 3", "Trim \u2248 12\u00a0" "ft\nPin 3\n4\u00a0m"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Environment written;
        written.Clear();
        written.SetNotes(c.notes);
        const std::string path = Path("notes.venue");
        ASSERT_TRUE(WriteAll(path, VenueFile::SaveToString(written)));

        ASSERT_TRUE(lifecycle_.OpenVenue(path));
        ASSERT_EQ(lifecycle_.Venue().Notes(), c.notes);
        Key(Qt::Key_End, kCtrl);
        Key(Qt::Key_Return);
        QTest::keyClicks(box_, QStringLiteral("4"));
        QTest::sendKeyEvent(QTest::Click, box_, Qt::Key_nobreakspace, QString(QChar::Nbsp), kNone);
        QTest::keyClicks(box_, QStringLiteral("m"));
        EXPECT_EQ(lifecycle_.Venue().Notes(), c.saved);

        ASSERT_TRUE(lifecycle_.SaveVenue());
        lifecycle_.NewVenue();
        ASSERT_TRUE(lifecycle_.OpenVenue(path));
        EXPECT_EQ(lifecycle_.Venue().Notes(), c.saved);
        // Shown as held: the box's own text is where a no-break space was lost before.
        QString shown = QString::fromStdString(c.saved).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        shown.replace(QLatin1Char('\n'), QChar::ParagraphSeparator);
        EXPECT_EQ(box_->document()->toRawText().toStdString(), shown.toStdString());
    }
}

TEST_F(NotesWindowTest, LosingTheFocusStoresATextThatDiffers)
{
    {
        UpdateGuard guard;
        box_->setPlainText(QStringLiteral("set while refreshing"));
    }
    EXPECT_FALSE(lifecycle_.IsDirty());
    QFocusEvent out(QEvent::FocusOut);
    QApplication::sendEvent(box_, &out);
    EXPECT_EQ(lifecycle_.Venue().Notes(), "set while refreshing");
    EXPECT_TRUE(lifecycle_.IsDirty());
}

TEST_F(NotesWindowTest, F1OpensTheNotesTopicAndStateKeysWorkFromTheBox)
{
    Key(Qt::Key_F1);
    ASSERT_EQ(help_.Calls().size(), 1u);
    EXPECT_EQ(help_.Calls()[0].topic, "reference_notes");
    Key(Qt::Key_Percent, kCtrlShift);
    EXPECT_TRUE(lifecycle_.SlotUsed(5));
    EXPECT_EQ(Text(), "");
}

TEST_F(NotesWindowTest, AccentPrefixesOnDigitKeysStoreNoState)
{
    for (const Qt::Key prefix : {Qt::Key_At, Qt::Key_AsciiCircum, Qt::Key_Ampersand}) {
        Key(prefix, kCtrlShift);
        EXPECT_TRUE(notes_->Composer().IsPending());
        Key(Qt::Key_A);
    }
    EXPECT_EQ(Text(), "åâæ");
    for (int slot : {2, 6, 7})
        EXPECT_FALSE(lifecycle_.SlotUsed(slot)) << slot;
}

TEST_F(NotesWindowTest, TheHiddenModeSwitchesOnWithTheCodeAndOffWithTheOffPhrase)
{
    const HiddenModeRecogniser& recogniser = notes_->Recogniser();
    QTest::keyClicks(box_, QStringLiteral("Mains: "));
    Type(recogniser.OnPhrase(), recogniser.OnPhrase().size());
    EXPECT_EQ(box_->palette().color(QPalette::Text), QColor(0, 0, 255));
    Type(recogniser.AccessCode(), 3);
    EXPECT_TRUE(Text().ends_with("***")) << "the code shows as stars";
    Type(std::vector<int>(recogniser.AccessCode().begin() + 3, recogniser.AccessCode().end()), 6);

    EXPECT_TRUE(options_.GodMode());
    EXPECT_EQ(lifecycle_.Venue().Notes(), "Mains: ");
    EXPECT_EQ(Text(), "Mains: ");
    EXPECT_NE(box_->palette().color(QPalette::Text), QColor(0, 0, 255));
    EXPECT_FALSE(store_.ReadSetting(SettingsStore::kOptions, "God mode").has_value())
        << "the mode is for this run only";

    Type(recogniser.OffPhrase(), recogniser.OffPhrase().size());
    EXPECT_FALSE(options_.GodMode());
    EXPECT_EQ(lifecycle_.Venue().Notes(), "Mains: ");
    EXPECT_EQ(Text(), "Mains: ");
}

TEST_F(NotesWindowTest, AWrongCodeRemovesThePhraseButLeavesTheModeOff)
{
    const HiddenModeRecogniser& recogniser = notes_->Recogniser();
    Type(recogniser.OnPhrase(), recogniser.OnPhrase().size());
    QTest::keyClicks(box_, QStringLiteral("xxxxxxxx"));
    Key(Qt::Key_Return);
    EXPECT_FALSE(options_.GodMode());
    EXPECT_EQ(lifecycle_.Venue().Notes(), "");
    EXPECT_EQ(Text(), "");

    // The off-phrase means nothing while the mode is off.
    Type(recogniser.OffPhrase(), recogniser.OffPhrase().size());
    EXPECT_FALSE(options_.GodMode());
    EXPECT_EQ(Text().size(), recogniser.OffPhrase().size());
}

TEST_F(NotesWindowTest, IsSizableAndPlacedInTwips)
{
    notes_->Move(600, 900, 6000, 4500);
    auto* frame = qobject_cast<QMdiSubWindow*>(notes_->parentWidget());
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->geometry(), QRect(40, 60, 400, 300));
    EXPECT_EQ(frame->windowTitle(), "Notes");
    EXPECT_EQ(notes_->Width(), 6000);
    EXPECT_EQ(notes_->Height(), 4500);
}

TEST_F(NotesWindowTest, TheStartReopensTheWindowWhereItWasLeftOpen)
{
    host_.Unload();
    ASSERT_FALSE(registry_.IsLoaded(ToolWindowId::Notes));
    store_.SaveSetting(SettingsStore::kWindowPositions, "Notes", "1,150,300,4500,3000");
    window_.ShowWindows();
    ASSERT_TRUE(registry_.IsLoaded(ToolWindowId::Notes));
    ToolWindow* reopened = host_.Window();
    ASSERT_NE(reopened, nullptr);
    EXPECT_EQ(reopened->Left(), 150);
    EXPECT_EQ(reopened->Width(), 4500);
}

} // namespace
} // namespace polvane
