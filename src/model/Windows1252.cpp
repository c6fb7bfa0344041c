#include "model/Windows1252.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace polvane {

namespace {

// Codes 0x80..0x9F; the rest of the code page is Latin-1, code for code point.
constexpr std::array<char32_t, 32> kHighCodes = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// The code point starting at `at`, and its length in bytes; length 0 for a malformed one.
struct CodePoint {
    char32_t value = 0;
    std::size_t length = 0;
};

CodePoint NextCodePoint(std::string_view text, std::size_t at)
{
    const auto byte = [&text](std::size_t i) { return static_cast<std::uint8_t>(text[i]); };
    const std::uint8_t lead = byte(at);
    if (lead < 0x80)
        return {lead, 1};
    std::size_t length = 0;
    char32_t value = 0;
    char32_t smallest = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        value = lead & 0x1Fu;
        smallest = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        value = lead & 0x0Fu;
        smallest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        value = lead & 0x07u;
        smallest = 0x10000;
    } else {
        return {};
    }
    if (text.size() - at < length)
        return {};
    for (std::size_t i = 1; i < length; ++i) {
        const std::uint8_t next = byte(at + i);
        if ((next & 0xC0u) != 0x80u)
            return {};
        value = (value << 6) | (next & 0x3Fu);
    }
    if (value < smallest || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return {};
    return {value, length};
}

void AppendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

bool HasNonAscii(std::string_view text)
{
    for (const char c : text)
        if (static_cast<std::uint8_t>(c) >= 0x80)
            return true;
    return false;
}

} // namespace

char32_t Windows1252::ToUnicode(int code)
{
    if (code < 0 || code > 0xFF)
        return 0;
    if (code >= 0x80 && code < 0xA0)
        return kHighCodes[static_cast<std::size_t>(code - 0x80)];
    return static_cast<char32_t>(code);
}

std::optional<unsigned char> Windows1252::FromUnicode(char32_t character)
{
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF))
        return static_cast<unsigned char>(character);
    for (std::size_t i = 0; i < kHighCodes.size(); ++i)
        if (kHighCodes[i] == character)
            return static_cast<unsigned char>(0x80 + i);
    return std::nullopt;
}

bool Windows1252::IsUtf8(std::string_view bytes)
{
    for (std::size_t at = 0; at < bytes.size();) {
        const CodePoint c = NextCodePoint(bytes, at);
        if (c.length == 0)
            return false;
        at += c.length;
    }
    return true;
}

std::string Windows1252::DecodeFileText(std::string_view bytes)
{
    if (IsUtf8(bytes))
        return std::string(bytes);
    std::string text;
    text.reserve(bytes.size() * 2);
    for (const char byte : bytes)
        AppendUtf8(text, ToUnicode(static_cast<std::uint8_t>(byte)));
    return text;
}

std::string Windows1252::EncodeFileText(std::string_view utf8)
{
    if (!HasNonAscii(utf8))
        return std::string(utf8);
    std::string bytes;
    bytes.reserve(utf8.size());
    for (std::size_t at = 0; at < utf8.size();) {
        const CodePoint c = NextCodePoint(utf8, at);
        if (c.length == 0)
            return std::string(utf8);
        const std::optional<unsigned char> code = FromUnicode(c.value);
        if (!code)
            return std::string(utf8);
        bytes += static_cast<char>(*code);
        at += c.length;
    }
    // Such bytes would be read as the UTF-8 they happen to form ("Ã©" would come back "é").
    if (IsUtf8(bytes))
        return std::string(utf8);
    return bytes;
}

} // namespace polvane
