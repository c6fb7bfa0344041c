#pragma once

namespace polvane {

// The notes window's accent keys: Ctrl with a punctuation or digit key makes an accent
// pending, and the release of the next key types that letter with the accent. Characters
// are Windows-1252 codes (ToUnicode turns them into what is inserted). Key codes and
// shift bits are those of KeyCodes.
class AccentComposer {
public:
    enum class Accent { None, Grave, Ligature, Acute, Ring, Circumflex, Diaeresis, Cedilla, Stroke, Tilde };

    struct KeyDownResult {
        enum class Kind { None, SelectAll, Pending, Send } kind = Kind::None;
        int character = 0; // for Send
    };

    // A key press: with no accent pending and Ctrl held, a prefix makes its accent pending,
    // Ctrl+A selects all and Ctrl+Alt(+Shift) types a symbol; anything else is left alone.
    KeyDownResult KeyDown(int keyCode, int shift);
    // A key release: with an accent pending and a key other than Shift, Ctrl or Alt, the
    // accent ends (unless the key is the accent's own prefix) and the accented letter is
    // returned, or 0 when the table has none.
    int KeyUp(int keyCode, int shift, bool capsLock);

    Accent Pending() const { return pending_; }
    bool IsPending() const { return pending_ != Accent::None; }
    // True when an accent is pending and the key is its prefix key.
    bool IsPendingPrefix(int keyCode) const;

    // The accented letter of the table; 0 for none. letterKey is 65..90.
    static int Letter(Accent accent, int letterKey, bool upperCase);
    // The Unicode code point of a Windows-1252 character code 0..255.
    static char32_t ToUnicode(int windows1252);

private:
    Accent pending_ = Accent::None;
};

} // namespace polvane
