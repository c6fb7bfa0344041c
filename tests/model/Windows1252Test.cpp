#include "model/Windows1252.h"

#include <string>

#include <gtest/gtest.h>

namespace polvane {
namespace {

TEST(Windows1252, EveryCodeDecodesAndEncodesBackToItself)
{
    for (int code = 0; code <= 0xFF; ++code) {
        SCOPED_TRACE(code);
        const char32_t character = Windows1252::ToUnicode(code);
        ASSERT_EQ(Windows1252::FromUnicode(character), static_cast<unsigned char>(code));
    }
    EXPECT_EQ(Windows1252::ToUnicode(0x80), U'\u20AC');
    EXPECT_EQ(Windows1252::ToUnicode(0x96), U'\u2013');
    EXPECT_EQ(Windows1252::ToUnicode(0x9F), U'\u0178');
    EXPECT_EQ(Windows1252::ToUnicode(0x81), U'\u0081'); // unassigned: its own control
    EXPECT_EQ(Windows1252::ToUnicode(0xE9), U'\u00E9');
    EXPECT_EQ(Windows1252::FromUnicode(U'\u0080'), std::nullopt); // its code holds the euro
    EXPECT_EQ(Windows1252::FromUnicode(U'\u2192'), std::nullopt);
}

TEST(Windows1252, FileTextIsUtf8WhenValidAndWindows1252Otherwise)
{
    struct Case {
        const char* name;
        std::string bytes;
        std::string text; // UTF-8
    };
    const Case cases[] = {
        {"ascii", "Hall B", "Hall B"},
        {"utf8", "Caf\xC3\xA9 \xE2\x80\x93 m\xC2\xB2", "Café – m²"},
        {"utf8 beyond the code page", "\xE2\x86\x92 \xF0\x9F\x8E\xB5", "→ 🎵"},
        {"windows-1252", "Caf\xE9, B\xFChne \x96 3 \xD7 2 m\xB2", "Café, Bühne – 3 × 2 m²"},
        {"unassigned codes", "\x81\x8D\x8F\x90\x9D", "\u0081\u008D\u008F\u0090\u009D"},
        // Not UTF-8: an overlong form, a surrogate, a code point past U+10FFFF, a cut one.
        {"overlong", "\xC0\xAF", "À¯"},
        {"surrogate", "\xED\xA0\x80", "í\u00A0€"},
        {"beyond unicode", "\xF4\x90\x80\x80", "ô\u0090€€"},
        {"cut short", "ab\xC3", "abÃ"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Windows1252::DecodeFileText(c.bytes), c.text);
        EXPECT_TRUE(Windows1252::IsUtf8(Windows1252::DecodeFileText(c.bytes)));
    }
}

TEST(Windows1252, FileTextIsWrittenInTheCodePageWhereThatReadsBackExactly)
{
    struct Case {
        const char* name;
        std::string text; // UTF-8
        std::string written;
    };
    const Case cases[] = {
        {"ascii", "Hall B", "Hall B"},
        {"in the code page", "Café, Bühne – 3 × 2 m² €", "Caf\xE9, B\xFChne \x96 3 \xD7 2 m\xB2 \x80"},
        {"unassigned codes", "\u0081\u009D", "\x81\x9D"},
        {"a character beyond it", "Bühne → Saal", "B\xC3\xBChne \xE2\x86\x92 Saal"},
        // Its code-page bytes C3 A9 would read back as the UTF-8 of "é".
        {"bytes that would read as UTF-8", "Ã©", "\xC3\x83\xC2\xA9"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string written = Windows1252::EncodeFileText(c.text);
        EXPECT_EQ(written, c.written);
        EXPECT_EQ(Windows1252::DecodeFileText(written), c.text);
    }
}

} // namespace
} // namespace polvane
