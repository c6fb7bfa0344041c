#pragma once

#include <Qt>
#include <QtGlobal>

class QKeyEvent;

namespace polvane {

// Key codes as the windows' key handlers compare them: the codes of the classic desktop
// keyboard (letters 65..90, main-keyboard digits 48..57, F1 112, the punctuation keys of
// a US layout: grave/tilde 192, quote 222, comma 188, slash 191, semicolon 186...), so
// that a shifted key keeps the code of its key cap. Keypad digits get codes of their own
// (96..105), so they never count as the main keyboard's digits.
class KeyCodes {
public:
    static constexpr int kShift = 16;
    static constexpr int kControl = 17;
    static constexpr int kAlt = 18;
    static constexpr int kF1 = 112;
    // The bits of ShiftState, as the key handlers take them.
    static constexpr int kShiftBit = 1;
    static constexpr int kCtrlBit = 2;
    static constexpr int kAltBit = 4;

    // 0 for a key without a code.
    static int Code(const QKeyEvent& event);
    // As Code, except that the digits 48..57 come from the physical key alone, so that the
    // digit keys of the main keyboard give their digit on every layout (a German Shift+6 is
    // "&", a French unshifted 1 is "&" too) and no other key gives one. Where the event
    // carries no native key (synthesised events), the symbol is used as Code does.
    static int PhysicalCode(const QKeyEvent& event);
    // The digit 0..9 of a main-keyboard digit key by its native codes, -1 for any other key,
    // -2 when the codes do not tell (none given).
    static int MainDigitByNativeKey(quint32 nativeScanCode, quint32 nativeVirtualKey);
    static int Code(int qtKey, Qt::KeyboardModifiers modifiers);
    // The modifiers as shift bits: kShiftBit, kCtrlBit, kAltBit.
    static int ShiftState(Qt::KeyboardModifiers modifiers);
};

} // namespace polvane
