#include "windows/tools/NotesWindow.h"

#include <string>

#include <QFocusEvent>
#include <QFont>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>

#include "engine/Environment.h"
#include "shell/options/Options.h"
#include "shell/session/UpdateGuard.h"
#include "shell/session/UpdateHub.h"
#include "shell/session/VenueLifecycle.h"
#include "windows/controls/KeyCodes.h"

namespace polvane {

namespace {

// The recogniser's lists are kept masked, so that the phrases are no text in the program.
constexpr int kMask = 0x5A;
constexpr int kOnPhrase[] = {53, 42, 63, 52, 122, 46, 50, 63, 122, 56, 59, 57, 49, 122, 40, 53, 53, 55};
constexpr int kAccessCode[] = {110, 106, 105, 104, 107, 98, 109, 111, 87};
constexpr int kOffPhrase[] = {41, 50, 47, 46, 122, 46, 50, 63, 122, 56, 59, 57, 49, 122, 40, 53, 53, 55, 116};
constexpr int kDiscardedCharacter = 30;

template <std::size_t N>
std::vector<int> Unmask(const int (&masked)[N])
{
    std::vector<int> codes;
    codes.reserve(N);
    for (const int code : masked)
        codes.push_back(code ^ kMask);
    return codes;
}

QString TextOf(const std::vector<int>& codes, std::size_t count)
{
    QString text;
    for (std::size_t index = 0; index < count && index < codes.size(); ++index)
        text += QChar(static_cast<char16_t>(codes[index]));
    return text;
}

// Notes from files written elsewhere may end their lines with CR LF; the box shows LF only,
// and that alone is no change of the notes.
QString Normalised(QString text) { return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")); }

// The notes as the venue keeps them, from the box's text: its line breaks are those the
// notes already use.
std::string VenueText(QString text, const std::string& notes)
{
    if (notes.find("\r\n") != std::string::npos)
        text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return text.toStdString();
}

} // namespace

NotesWindow::NotesWindow(ToolWindowContext& context, QWidget* parent)
    : ToolWindow(ToolWindowId::Notes, context, parent), txtNotes_(new QPlainTextEdit(this)),
      recogniser_(BuildRecogniser())
{
    txtNotes_->setObjectName(QStringLiteral("txtNotes"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(txtNotes_);
    normalPalette_ = txtNotes_->palette();
    txtNotes_->installEventFilter(this);
    capsLock_ = [this] { return capsLockSeen_; };
    connect(txtNotes_, &QPlainTextEdit::textChanged, this, [this] {
        Guard("txtNotes_Change", [this] {
            if (!UpdateGuard::IsUpdating())
                StoreIfChanged();
        });
    });
}

NotesWindow::~NotesWindow()
{
    // The box outlives this part of the window: its last focus loss or change must not
    // reach handlers whose window is gone.
    txtNotes_->removeEventFilter(this);
    txtNotes_->disconnect(this);
}

HiddenModeRecogniser NotesWindow::BuildRecogniser()
{
    return HiddenModeRecogniser(Unmask(kOnPhrase), Unmask(kAccessCode), Unmask(kOffPhrase));
}

void NotesWindow::UpdateInterface()
{
    const Options& options = Context().options;
    QFont font(QString::fromStdString(options.NotesFont()));
    if (options.NotesSize() > 0.0f)
        font.setPointSizeF(options.NotesSize());
    font.setBold(options.NotesBold());
    font.setItalic(options.NotesItalic());
    txtNotes_->setFont(font);
    // Refilling the same text would only lose the caret.
    const QString notes = Normalised(QString::fromStdString(Context().lifecycle.Venue().Notes()));
    if (BoxText() != notes)
        txtNotes_->setPlainText(notes);
}

QString NotesWindow::BoxText() const
{
    // The plain text would give every no-break space as a plain one. A line break typed
    // with Shift+Return is a line break of the notes like any other.
    QString text = txtNotes_->document()->toRawText();
    for (QChar& character : text)
        if (character == QChar::ParagraphSeparator || character == QChar::LineSeparator)
            character = QLatin1Char('\n');
    return text;
}

void NotesWindow::StoreIfChanged()
{
    Environment& venue = Context().lifecycle.Venue();
    const QString text = BoxText();
    if (text == Normalised(QString::fromStdString(venue.Notes())))
        return;
    venue.SetNotes(VenueText(text, venue.Notes()));
    Context().lifecycle.SetDirty();
}

bool NotesWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != txtNotes_)
        return ToolWindow::eventFilter(watched, event);
    bool used = false;
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto& key = static_cast<const QKeyEvent&>(*event);
        NoteCapsLock(key);
        Guard("txtNotes_KeyDown", [&] { used = KeyDown(key); });
        if (!used)
            Guard("txtNotes_KeyPress", [&] { used = KeyPress(key); });
        return used;
    }
    case QEvent::KeyRelease: {
        const auto& key = static_cast<const QKeyEvent&>(*event);
        if (!key.isAutoRepeat()) {
            NoteCapsLock(key);
            Guard("txtNotes_KeyUp", [&] { KeyUp(key); });
        }
        return false;
    }
    case QEvent::FocusOut:
        Guard("txtNotes_LostFocus", [this] { StoreIfChanged(); });
        return false;
    default:
        return false;
    }
}

void NotesWindow::NoteCapsLock(const QKeyEvent& event)
{
    const QString text = event.text();
    if (text.size() == 1 && text[0].isLetter() && text[0].isUpper() != text[0].isLower())
        capsLockSeen_ = text[0].isUpper() != event.modifiers().testFlag(Qt::ShiftModifier);
}

bool NotesWindow::KeyDown(const QKeyEvent& event)
{
    // The digit prefixes go by the physical key, as the state keys do: on a German layout
    // Ctrl+Shift+7 is "/" and Ctrl+Shift+6 "&", which would otherwise make another accent
    // pending or none.
    const AccentComposer::KeyDownResult result =
        composer_.KeyDown(KeyCodes::PhysicalCode(event), KeyCodes::ShiftState(event.modifiers()));
    using Kind = AccentComposer::KeyDownResult::Kind;
    switch (result.kind) {
    case Kind::SelectAll:
        txtNotes_->selectAll();
        return true;
    case Kind::Pending:
        return true;
    case Kind::Send:
        TypeCharacter(result.character);
        return true;
    case Kind::None:
        break;
    }
    return false;
}

bool NotesWindow::KeyPress(const QKeyEvent& event)
{
    const QString text = event.text();
    if (text.isEmpty())
        return false;
    // The character of any key while an accent is pending is dropped, the prefix's own too.
    if (composer_.IsPending())
        return true;
    // Ctrl combinations that are no accent keep their own meaning (copy, paste...).
    if (event.modifiers().testFlag(Qt::ControlModifier))
        return false;
    const QList<uint> characters = text.toUcs4();
    if (characters.size() != 1)
        return false;
    const char32_t character = characters.front();
    if (character == kDiscardedCharacter)
        return true;
    return Recognise(character, false);
}

void NotesWindow::KeyUp(const QKeyEvent& event)
{
    if (!composer_.IsPending())
        return;
    const int code = KeyCodes::PhysicalCode(event);
    const int shift = KeyCodes::ShiftState(event.modifiers());
    const bool capsLock = capsLock_ ? capsLock_() : false;
    if (const int character = composer_.KeyUp(code, shift, capsLock); character != 0)
        TypeCharacter(character);
}

void NotesWindow::TypeCharacter(int windows1252)
{
    Recognise(AccentComposer::ToUnicode(windows1252), true);
}

bool NotesWindow::Recognise(char32_t character, bool insertIfTyped)
{
    Options& options = Context().options;
    const HiddenModeRecogniser::Result result =
        recogniser_->Feed(static_cast<int>(character), options.GodMode());
    using Typing = HiddenModeRecogniser::Result::Typing;
    if (result.codeStarted) {
        QPalette blue = normalPalette_;
        blue.setColor(QPalette::Text, QColor(0, 0, 255));
        txtNotes_->setPalette(blue);
    }
    bool used = true;
    if (result.typing == Typing::Star)
        txtNotes_->insertPlainText(QStringLiteral("*"));
    else if (result.typing == Typing::AsTyped && insertIfTyped)
        txtNotes_->insertPlainText(QString::fromUcs4(&character, 1));
    else if (result.typing == Typing::AsTyped)
        used = false;

    if (result.codeEnded) {
        txtNotes_->setPalette(normalPalette_);
        const std::vector<int>& phrase = recogniser_->OnPhrase();
        RemovePhrase(TextOf(phrase, phrase.size()) +
                     QString(static_cast<qsizetype>(HiddenModeRecogniser::kCodeLength - 1), QLatin1Char('*')));
    }
    if (result.offPhraseEnded) {
        const std::vector<int>& phrase = recogniser_->OffPhrase();
        RemovePhrase(TextOf(phrase, phrase.size() - 1));
    }
    if (result.toggle) {
        // Only for this run: the stored option is left as it is.
        options.SetGodMode(!options.GodMode());
        Context().hub.UpdateInterfaces(UpdateScope::All, true);
    }
    return used;
}

void NotesWindow::RemovePhrase(const QString& phrase)
{
    QString text = BoxText();
    text.remove(phrase);
    Environment& venue = Context().lifecycle.Venue();
    venue.SetNotes(VenueText(text, venue.Notes()));
    // The box shows what the venue now holds, also after a wrong code.
    if (BoxText() != text) {
        UpdateGuard guard;
        txtNotes_->setPlainText(text);
        txtNotes_->moveCursor(QTextCursor::End);
    }
}

} // namespace polvane
