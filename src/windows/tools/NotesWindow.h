#pragma once

#include <functional>
#include <optional>

#include <QPalette>

#include "windows/tools/AccentComposer.h"
#include "windows/tools/HiddenModeRecogniser.h"
#include "windows/base/ToolWindow.h"

class QKeyEvent;
class QPlainTextEdit;

namespace polvane {

// The venue's free-text notes in one text box that fills the window. Typing stores the text
// into the venue at once and marks it changed; a refresh refills the box without that.
// Ctrl+punctuation keys put an accent on the next letter (AccentComposer), and the typed
// characters are watched for the hidden mode's phrases (HiddenModeRecogniser).
class NotesWindow : public ToolWindow {
    Q_OBJECT

public:
    // Whether Caps Lock is on, asked when an accented letter is typed.
    using CapsLockProbe = std::function<bool()>;

    explicit NotesWindow(ToolWindowContext& context, QWidget* parent = nullptr);
    ~NotesWindow() override;

    void UpdateInterface() override;

    QPlainTextEdit* txtNotes() const { return txtNotes_; }
    const AccentComposer& Composer() const { return composer_; }
    const HiddenModeRecogniser& Recogniser() const { return *recogniser_; }
    // Without a probe of its own the window judges Caps Lock by the case of the letters
    // typed, as Qt tells no toolkit-neutral Caps Lock state.
    void SetCapsLockProbe(CapsLockProbe probe) { capsLock_ = std::move(probe); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Ctrl+Shift+2, 6 and 7 are accent prefixes too: their release must not also store
    // the venue into a state slot over what the user kept there.
    bool KeepsKeyUp(int keyCode) const override { return composer_.IsPendingPrefix(keyCode); }

private:
    static HiddenModeRecogniser BuildRecogniser();
    // The box's text with every character it holds, its lines ending in LF.
    QString BoxText() const;
    // The box's text into the venue, marking it changed, when it differs.
    void StoreIfChanged();
    bool KeyDown(const QKeyEvent& event);
    bool KeyPress(const QKeyEvent& event);
    void KeyUp(const QKeyEvent& event);
    // A character typed for the user (accented letters, symbols), as if from the keyboard.
    void TypeCharacter(int windows1252);
    // The recogniser's verdict on one character; true when the key is used up here.
    bool Recognise(char32_t character, bool insertIfTyped);
    void RemovePhrase(const QString& phrase);
    void NoteCapsLock(const QKeyEvent& event);

    QPlainTextEdit* txtNotes_;
    QPalette normalPalette_;
    AccentComposer composer_;
    std::optional<HiddenModeRecogniser> recogniser_;
    CapsLockProbe capsLock_;
    bool capsLockSeen_ = false;
};

} // namespace polvane
