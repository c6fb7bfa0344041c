#include "shell/options/OptionText.h"

#include <cmath>
#include <optional>

#include <gtest/gtest.h>

namespace polvane {
namespace {

TEST(OptionText, SwitchesReadYesAndNoInAnyCaseAndKeepTheirValueOtherwise)
{
    struct Case {
        const char* text;
        bool previous;
        bool read;
    };
    const Case cases[] = {
        {"Yes", false, true}, {"yes", false, true}, {"YES", false, true}, {"yEs", false, true},
        {"No", true, false},  {"NO", true, false},  {"no", true, false},
        {"maybe", true, true}, {"maybe", false, false}, {"", true, true},
        {"yes ", false, false}, {" no", true, true}, {"1", false, false}, {"true", false, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(OptionText::ReadSwitch(c.text, c.previous), c.read) << '"' << c.text << '"';

    EXPECT_TRUE(OptionText::ReadStrictSwitch("YES"));
    EXPECT_FALSE(OptionText::ReadStrictSwitch("yes "));
    EXPECT_FALSE(OptionText::ReadStrictSwitch("No"));
    EXPECT_EQ(OptionText::SwitchText(true), "Yes");
    EXPECT_EQ(OptionText::SwitchText(false), "No");
}

TEST(OptionText, NumbersAreTheDecimalNumberATextBeginsWith)
{
    struct Case {
        const char* text;
        double number;
    };
    const Case cases[] = {
        {"4", 4}, {"4.5", 4.5}, {"  7", 7}, {"\t-2.25", -2.25}, {"+5", 5}, {".5", 0.5},
        {"1.", 1}, {"3abc", 3}, {"12.5 kHz", 12.5}, {"1e3", 1000}, {"2.5E-1", 0.25},
        {"1e", 1}, {"1e+", 1}, {"7,5", 7}, {"abc", 0}, {"", 0}, {".", 0}, {"-", 0},
        {"--1", 0}, {"- 1", 0}, {"inf", 0}, {"nan", 0}, {"1e-400", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(OptionText::LeadingNumber(c.text), c.number) << '"' << c.text << '"';
    EXPECT_EQ(OptionText::LeadingNumber("1e400"), INFINITY);
    EXPECT_EQ(OptionText::LeadingNumber("-1e400"), -INFINITY);
}

TEST(OptionText, WholeNumbersRoundHalvesToEven)
{
    struct Case {
        const char* text;
        std::optional<int> whole;
    };
    const Case cases[] = {
        {"4.5", 4}, {"5.5", 6}, {"abc", 0}, {"2.5", 2}, {"3.5", 4}, {"-2.5", -2},
        {"4.51", 5}, {"30000", 30000}, {"1e3", 1000}, {"2147483647", 2147483647},
        {"2147483648", std::nullopt}, {"-2147483648", -2147483647 - 1}, {"1e12", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(OptionText::ReadWholeNumber(c.text), c.whole) << '"' << c.text << '"';
}

TEST(OptionText, SinglesMustFit)
{
    EXPECT_EQ(OptionText::ReadSingle("0.25"), 0.25f);
    EXPECT_EQ(OptionText::ReadSingle("x"), 0.0f);
    EXPECT_EQ(OptionText::ReadSingle("1e39"), std::nullopt);
    EXPECT_EQ(OptionText::ReadSingle("1e400"), std::nullopt);
    EXPECT_EQ(OptionText::NumberText(0.5f), "0.5");
    EXPECT_EQ(OptionText::NumberText(2.0f), "2");
}

TEST(OptionText, ParseNumberTakesOnlyATextThatIsANumber)
{
    EXPECT_EQ(OptionText::ParseNumber(" 64 "), 64.0);
    EXPECT_EQ(OptionText::ParseNumber("-0.5"), -0.5);
    EXPECT_EQ(OptionText::ParseNumber("64a"), std::nullopt);
    EXPECT_EQ(OptionText::ParseNumber(""), std::nullopt);
    EXPECT_EQ(OptionText::ParseNumber("  "), std::nullopt);
    EXPECT_EQ(OptionText::ParseNumber("1 2"), std::nullopt);
}

} // namespace
} // namespace polvane
