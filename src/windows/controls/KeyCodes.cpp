#include "windows/controls/KeyCodes.h"

#include <QKeyEvent>


namespace polvane {

namespace {

struct KeyCode {
    int qtKey;
    int code;
};

// The keys whose Qt key follows the shift state, with the code of the key cap.
constexpr KeyCode kShared[] = {
    {Qt::Key_Exclam, 49},      {Qt::Key_At, 50},           {Qt::Key_NumberSign, 51},
    {Qt::Key_Dollar, 52},      {Qt::Key_Percent, 53},      {Qt::Key_AsciiCircum, 54},
    {Qt::Key_Ampersand, 55},   {Qt::Key_Asterisk, 56},     {Qt::Key_ParenLeft, 57},
    {Qt::Key_ParenRight, 48},  {Qt::Key_QuoteLeft, 192},   {Qt::Key_AsciiTilde, 192},
    {Qt::Key_Apostrophe, 222}, {Qt::Key_QuoteDbl, 222},    {Qt::Key_Comma, 188},
    {Qt::Key_Less, 188},       {Qt::Key_Slash, 191},       {Qt::Key_Question, 191},
    {Qt::Key_Semicolon, 186},  {Qt::Key_Colon, 186},       {Qt::Key_Period, 190},
    {Qt::Key_Greater, 190},    {Qt::Key_Minus, 189},       {Qt::Key_Underscore, 189},
    {Qt::Key_Equal, 187},      {Qt::Key_Plus, 187},        {Qt::Key_BracketLeft, 219},
    {Qt::Key_BraceLeft, 219},  {Qt::Key_Backslash, 220},   {Qt::Key_Bar, 220},
    {Qt::Key_BracketRight, 221}, {Qt::Key_BraceRight, 221},
    {Qt::Key_Backspace, 8},    {Qt::Key_Tab, 9},           {Qt::Key_Backtab, 9},
    {Qt::Key_Return, 13},      {Qt::Key_Enter, 13},        {Qt::Key_Shift, KeyCodes::kShift},
    {Qt::Key_Control, KeyCodes::kControl}, {Qt::Key_Alt, KeyCodes::kAlt},
    {Qt::Key_CapsLock, 20},    {Qt::Key_Escape, 27},       {Qt::Key_Space, 32},
    {Qt::Key_PageUp, 33},      {Qt::Key_PageDown, 34},     {Qt::Key_End, 35},
    {Qt::Key_Home, 36},        {Qt::Key_Left, 37},         {Qt::Key_Up, 38},
    {Qt::Key_Right, 39},       {Qt::Key_Down, 40},         {Qt::Key_Insert, 45},
    {Qt::Key_Delete, 46},
};

// The keypad's own keys other than its digits.
constexpr KeyCode kKeypad[] = {
    {Qt::Key_Asterisk, 106}, {Qt::Key_Plus, 107}, {Qt::Key_Minus, 109},
    {Qt::Key_Period, 110},   {Qt::Key_Slash, 111}, {Qt::Key_Enter, 13},
};

} // namespace

int KeyCodes::Code(const QKeyEvent& event) { return Code(event.key(), event.modifiers()); }

int KeyCodes::MainDigitByNativeKey(quint32 nativeScanCode, quint32 nativeVirtualKey)
{
#if defined(Q_OS_WIN)
    // Virtual keys '0'..'9' are the main keyboard's digit keys whatever the layout.
    (void)nativeScanCode;
    if (nativeVirtualKey == 0)
        return -2;
    return nativeVirtualKey >= 0x30 && nativeVirtualKey <= 0x39
               ? static_cast<int>(nativeVirtualKey - 0x30)
               : -1;
#elif defined(Q_OS_MACOS)
    (void)nativeScanCode;
    (void)nativeVirtualKey;
    return -2;
#else
    // X11 and Wayland deliver the XKB key code: the row's 1..9 are 10..18 and 0 is 19.
    (void)nativeVirtualKey;
    constexpr quint32 kXkbDigit1 = 10;
    constexpr quint32 kXkbDigit0 = 19;
    if (nativeScanCode == 0)
        return -2;
    if (nativeScanCode < kXkbDigit1 || nativeScanCode > kXkbDigit0)
        return -1;
    return nativeScanCode == kXkbDigit0 ? 0 : static_cast<int>(nativeScanCode - kXkbDigit1 + 1);
#endif
}

int KeyCodes::PhysicalCode(const QKeyEvent& event)
{
    const int digit = MainDigitByNativeKey(event.nativeScanCode(), event.nativeVirtualKey());
    if (digit >= 0)
        return 48 + digit;
    const int code = Code(event);
    if (digit == -1 && code >= 48 && code <= 57)
        return 0;
    return code;
}

int KeyCodes::Code(int qtKey, Qt::KeyboardModifiers modifiers)
{
    if (modifiers.testFlag(Qt::KeypadModifier)) {
        if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
            return 96 + (qtKey - Qt::Key_0);
        for (const KeyCode& key : kKeypad)
            if (key.qtKey == qtKey)
                return key.code;
    }
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)
        return 65 + (qtKey - Qt::Key_A);
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return 48 + (qtKey - Qt::Key_0);
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return kF1 + (qtKey - Qt::Key_F1);
    for (const KeyCode& key : kShared)
        if (key.qtKey == qtKey)
            return key.code;
    return 0;
}

int KeyCodes::ShiftState(Qt::KeyboardModifiers modifiers)
{
    int shift = 0;
    if (modifiers.testFlag(Qt::ShiftModifier))
        shift |= kShiftBit;
    if (modifiers.testFlag(Qt::ControlModifier))
        shift |= kCtrlBit;
    if (modifiers.testFlag(Qt::AltModifier))
        shift |= kAltBit;
    return shift;
}

} // namespace polvane
