#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace polvane {

// How option texts are read and written: switches as "Yes" and "No", numbers as the
// decimal number a text begins with.
class OptionText {
public:
    static constexpr std::string_view kYes = "Yes";
    static constexpr std::string_view kNo = "No";

    // "yes" in any case gives true, "no" in any case false; any other text (blanks
    // included) keeps the previous value.
    static bool ReadSwitch(std::string_view text, bool previous);
    // True only for "yes" in any case.
    static bool ReadStrictSwitch(std::string_view text);
    static std::string_view SwitchText(bool on) { return on ? kYes : kNo; }

    // The decimal number at the start of the text, after any blanks and tabs: an optional
    // sign, digits with an optional point (point as decimal separator whatever the
    // locale) and an optional exponent ("1e3"); 0 when the text does not begin with one.
    // A number too large for a double gives an infinity of its sign.
    static double LeadingNumber(std::string_view text);
    // The same, or nothing when the text does not start with a number.
    static std::optional<double> FindLeadingNumber(std::string_view text);
    // The text as a number when, blanks and tabs around it aside, it is nothing but one.
    static std::optional<double> ParseNumber(std::string_view text);

    // The leading number rounded to a whole number, halves to even; nothing when that
    // lies outside the 32-bit range.
    static std::optional<int> ReadWholeNumber(std::string_view text);
    // The leading number as a single; nothing when it does not fit in one.
    static std::optional<float> ReadSingle(std::string_view text);

    // A single in its shortest decimal text ("2", "0.5").
    static std::string NumberText(float value);

    // ASCII letters in lower case; other bytes unchanged.
    static std::string ToLower(std::string_view text);
};

} // namespace polvane
