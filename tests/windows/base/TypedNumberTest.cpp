#include "windows/base/TypedNumber.h"

#include <clocale>
#include <cmath>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "../TypingLocale.h"

namespace polvane {
namespace {

struct Case {
    const char* text;
    std::optional<double> number;
};

const Case kCases[] = {
    // The decimal comma, as a German keypad types it, and the point.
    {"12,5", 12.5}, {"12.5", 12.5}, {"-2,5", -2.5}, {",5", 0.5}, {"12,", 12}, {"1,5e3", 1500},
    // Shown measurements read as their number.
    {"12.50 ft", 12.5}, {"12,50 ft", 12.5}, {"2.5\u00B0", 2.5}, {"-6 dB", -6}, {"0.0 dB", 0},
    // Thousands separators only before a point; otherwise the first comma is the decimal one.
    {"1,234.5", 1234.5}, {"1,234,567.5", 1234567.5}, {"1,234", 1.234}, {"12,5.3", 12.5}, {"12,5,3", 12.5},
    {"1.234,5", 1.234},
    // Sign, exponent and blanks as before.
    {"+3", 3}, {"  7", 7}, {"\t-2.25", -2.25}, {"1e3", 1000}, {"3abc", 3},
    // No number: nothing, never 0.
    {"vierzig", std::nullopt}, {"", std::nullopt}, {"ft", std::nullopt}, {"-", std::nullopt},
    {",", std::nullopt}, {".", std::nullopt}, {" ", std::nullopt}, {"- 1", std::nullopt}, {"inf", std::nullopt},
};

void ExpectCases()
{
    for (const Case& c : kCases)
        EXPECT_EQ(TypedNumber::Read(c.text), c.number) << '"' << c.text << '"';
    EXPECT_EQ(TypedNumber::Read("1e400"), INFINITY);
    EXPECT_EQ(TypedNumber::Read("-1e400"), -INFINITY);
}

TEST(TypedNumber, ReadsPointsAndCommasAndNothingForAWord)
{
    ExpectCases();
}

// The reading is the program's own: neither Qt's default locale nor the C library's decides
// what a separator means.
TEST(TypedNumber, ReadsAlikeUnderEveryLocale)
{
    {
        const TypingLocale german(TypingLocale::German());
        ExpectCases();
    }
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    // Whichever comma locale the machine has (perhaps none: then the C one is used).
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE", "fr_FR.UTF-8", "C"}) {
        if (std::setlocale(LC_ALL, name) != nullptr)
            break;
    }
    ExpectCases();
    std::setlocale(LC_ALL, previous.c_str());
}

} // namespace
} // namespace polvane
