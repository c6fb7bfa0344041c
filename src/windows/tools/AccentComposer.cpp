#include "windows/tools/AccentComposer.h"

#include "model/Windows1252.h"
#include "windows/controls/KeyCodes.h"

namespace polvane {

namespace {

using Accent = AccentComposer::Accent;

constexpr int kShift = KeyCodes::kShiftBit;
constexpr int kCtrl = KeyCodes::kCtrlBit;
constexpr int kAlt = KeyCodes::kAltBit;

constexpr int kKeyA = 65;
constexpr int kKeyGrave = 192;
constexpr int kKeyQuote = 222;
constexpr int kKeyComma = 188;
constexpr int kKeySlash = 191;
constexpr int kKeySemicolon = 186;

struct Prefix {
    int key;
    bool shift;
    Accent accent;
};

constexpr Prefix kPrefixes[] = {
    {kKeyGrave, false, Accent::Grave},      {kKeyQuote, false, Accent::Acute},
    {kKeyComma, false, Accent::Cedilla},    {kKeySlash, false, Accent::Stroke},
    {55, true, Accent::Ligature},           {50, true, Accent::Ring},
    {54, true, Accent::Circumflex},         {kKeySemicolon, true, Accent::Diaeresis},
    {kKeyGrave, true, Accent::Tilde},
};

struct Entry {
    Accent accent;
    char letter;
    int lower;
    int upper; // 0: no upper-case form
};

constexpr Entry kTable[] = {
    {Accent::Grave, 'A', 224, 192},      {Accent::Grave, 'E', 232, 200},
    {Accent::Grave, 'I', 236, 204},      {Accent::Grave, 'O', 242, 210},
    {Accent::Grave, 'U', 249, 217},      {Accent::Ligature, 'A', 230, 198},
    {Accent::Ligature, 'O', 156, 140},   {Accent::Ligature, 'S', 223, 0},
    {Accent::Acute, 'A', 225, 193},      {Accent::Acute, 'D', 240, 208},
    {Accent::Acute, 'E', 233, 201},      {Accent::Acute, 'I', 237, 205},
    {Accent::Acute, 'O', 243, 211},      {Accent::Acute, 'U', 250, 218},
    {Accent::Acute, 'Y', 253, 221},      {Accent::Ring, 'A', 229, 197},
    {Accent::Circumflex, 'A', 226, 194}, {Accent::Circumflex, 'E', 234, 202},
    {Accent::Circumflex, 'I', 238, 206}, {Accent::Circumflex, 'O', 244, 212},
    {Accent::Circumflex, 'U', 251, 219}, {Accent::Diaeresis, 'A', 228, 196},
    {Accent::Diaeresis, 'E', 235, 203},  {Accent::Diaeresis, 'I', 239, 207},
    {Accent::Diaeresis, 'O', 246, 214},  {Accent::Diaeresis, 'U', 252, 220},
    {Accent::Diaeresis, 'Y', 255, 159},  {Accent::Cedilla, 'C', 231, 199},
    {Accent::Stroke, 'O', 248, 216},     {Accent::Tilde, 'A', 227, 195},
    {Accent::Tilde, 'N', 241, 209},      {Accent::Tilde, 'O', 245, 213},
};

} // namespace

AccentComposer::KeyDownResult AccentComposer::KeyDown(int keyCode, int shift)
{
    KeyDownResult result;
    if (IsPending() || (shift & kCtrl) == 0)
        return result;
    const bool shifted = (shift & kShift) != 0;
    if ((shift & kAlt) != 0) {
        int character = 0;
        if (keyCode == 48 && !shifted)
            character = 176; // degree sign
        else if (keyCode == 49 && shifted)
            character = 161; // inverted exclamation mark
        else if (keyCode == kKeySlash && shifted)
            character = 191; // inverted question mark
        if (character != 0)
            result = {KeyDownResult::Kind::Send, character};
        return result;
    }
    if (keyCode == kKeyA && !shifted) {
        result.kind = KeyDownResult::Kind::SelectAll;
        return result;
    }
    for (const Prefix& prefix : kPrefixes) {
        if (prefix.key == keyCode && prefix.shift == shifted) {
            pending_ = prefix.accent;
            result.kind = KeyDownResult::Kind::Pending;
            return result;
        }
    }
    return result;
}

int AccentComposer::KeyUp(int keyCode, int shift, bool capsLock)
{
    if (!IsPending() || keyCode == KeyCodes::kShift || keyCode == KeyCodes::kControl ||
        keyCode == KeyCodes::kAlt)
        return 0;
    if (IsPendingPrefix(keyCode))
        return 0;
    const Accent accent = pending_;
    pending_ = Accent::None;
    const bool upperCase = ((shift & kShift) != 0) != capsLock;
    return Letter(accent, keyCode, upperCase);
}

bool AccentComposer::IsPendingPrefix(int keyCode) const
{
    for (const Prefix& prefix : kPrefixes)
        if (prefix.accent == pending_ && prefix.key == keyCode)
            return true;
    return false;
}

int AccentComposer::Letter(Accent accent, int letterKey, bool upperCase)
{
    for (const Entry& entry : kTable)
        if (entry.accent == accent && entry.letter == letterKey)
            return upperCase ? entry.upper : entry.lower;
    return 0;
}

char32_t AccentComposer::ToUnicode(int windows1252) { return Windows1252::ToUnicode(windows1252); }

} // namespace polvane
