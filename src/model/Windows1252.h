#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace polvane {

// The Windows-1252 code page, in which the earlier Windows program stored its texts (and
// which its accent composer types), against the UTF-8 the program holds.
//
// All 256 codes decode: the five that the code page leaves unassigned (0x81, 0x8D, 0x8F,
// 0x90, 0x9D) stand for the control characters of the same number, so that no byte of a
// file is lost and each encodes back to itself.
class Windows1252 {
public:
    // The Unicode code point of a code 0..255; 0 for a number outside that range.
    static char32_t ToUnicode(int code);
    // The code of a code point, nothing when the code page has none for it.
    static std::optional<unsigned char> FromUnicode(char32_t character);

    // Strict UTF-8: no overlong forms, surrogates, or code points above U+10FFFF.
    static bool IsUtf8(std::string_view bytes);

    // Text read from a file as UTF-8: valid UTF-8 as it is, anything else decoded byte by
    // byte as Windows-1252.
    static std::string DecodeFileText(std::string_view bytes);
    // What a file is to hold for a UTF-8 text: its Windows-1252 bytes when every character
    // has one and those bytes would not read back as other UTF-8 (so that the earlier program
    // reads it too and DecodeFileText gives the text back exactly); otherwise the UTF-8 as it
    // is. ASCII is the same either way. The text must be valid UTF-8.
    static std::string EncodeFileText(std::string_view utf8);
};

} // namespace polvane
