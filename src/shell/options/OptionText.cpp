#include "shell/options/OptionText.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "model/Format.h"

namespace polvane {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

struct Scan {
    std::size_t begin = 0; // of the number, its sign included
    std::size_t end = 0;   // one past its last character; begin when there is none
};

// Finds the number at the start of the text (after blanks).
Scan ScanLeadingNumber(std::string_view text)
{
    Scan scan;
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    scan.begin = scan.end = i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    std::size_t digits = 0;
    while (i < text.size() && IsDigit(text[i]))
        ++i, ++digits;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && IsDigit(text[i]))
            ++i, ++digits;
    }
    if (digits == 0)
        return scan;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t k = i + 1;
        if (k < text.size() && (text[k] == '+' || text[k] == '-'))
            ++k;
        if (k < text.size() && IsDigit(text[k])) {
            while (k < text.size() && IsDigit(text[k]))
                ++k;
            i = k;
        }
    }
    scan.end = i;
    return scan;
}

// The power of ten of the number's first significant digit, roughly: enough to tell an
// overflow from an underflow.
long long DecimalMagnitude(std::string_view number)
{
    std::size_t i = 0;
    if (i < number.size() && (number[i] == '+' || number[i] == '-'))
        ++i;
    long long integerDigits = 0;
    bool significant = false;
    while (i < number.size() && IsDigit(number[i])) {
        if (number[i] != '0')
            significant = true;
        if (significant)
            ++integerDigits;
        ++i;
    }
    long long magnitude = integerDigits;
    if (!significant && i < number.size() && number[i] == '.') {
        ++i;
        long long zeros = 0;
        while (i < number.size() && number[i] == '0')
            ++i, ++zeros;
        magnitude = -zeros;
    }
    while (i < number.size() && (IsDigit(number[i]) || number[i] == '.'))
        ++i;
    if (i < number.size() && (number[i] == 'e' || number[i] == 'E')) {
        ++i;
        const bool negative = i < number.size() && number[i] == '-';
        if (i < number.size() && (number[i] == '+' || number[i] == '-'))
            ++i;
        long long exponent = 0;
        while (i < number.size() && IsDigit(number[i])) {
            if (exponent < 1'000'000'000)
                exponent = exponent * 10 + (number[i] - '0');
            ++i;
        }
        magnitude += negative ? -exponent : exponent;
    }
    return magnitude;
}

double NumberOf(std::string_view number)
{
    const bool negative = !number.empty() && number.front() == '-';
    std::string_view digits = number;
    if (!digits.empty() && (digits.front() == '+' || digits.front() == '-'))
        digits.remove_prefix(1);
    double value = 0.0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    (void)end;
    if (ec == std::errc::result_out_of_range)
        value = DecimalMagnitude(number) > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    return negative ? -value : value;
}

} // namespace

bool OptionText::ReadSwitch(std::string_view text, bool previous)
{
    const std::string lower = ToLower(text);
    if (lower == "yes")
        return true;
    if (lower == "no")
        return false;
    return previous;
}

bool OptionText::ReadStrictSwitch(std::string_view text) { return ToLower(text) == "yes"; }

double OptionText::LeadingNumber(std::string_view text)
{
    return FindLeadingNumber(text).value_or(0.0);
}

std::optional<double> OptionText::FindLeadingNumber(std::string_view text)
{
    const Scan scan = ScanLeadingNumber(text);
    if (scan.end == scan.begin)
        return std::nullopt;
    return NumberOf(text.substr(scan.begin, scan.end - scan.begin));
}

std::optional<double> OptionText::ParseNumber(std::string_view text)
{
    const Scan scan = ScanLeadingNumber(text);
    if (scan.end == scan.begin)
        return std::nullopt;
    for (std::size_t i = scan.end; i < text.size(); ++i) {
        if (!IsBlank(text[i]))
            return std::nullopt;
    }
    return NumberOf(text.substr(scan.begin, scan.end - scan.begin));
}

std::optional<int> OptionText::ReadWholeNumber(std::string_view text)
{
    const double whole = Format::RoundHalfEven(LeadingNumber(text));
    if (!(whole >= std::numeric_limits<int>::min() && whole <= std::numeric_limits<int>::max()))
        return std::nullopt;
    return static_cast<int>(whole);
}

std::optional<float> OptionText::ReadSingle(std::string_view text)
{
    const double value = LeadingNumber(text);
    if (!(std::fabs(value) <= std::numeric_limits<float>::max()))
        return std::nullopt;
    return static_cast<float>(value);
}

std::string OptionText::NumberText(float value) { return Format::ShortestText(value); }

std::string OptionText::ToLower(std::string_view text)
{
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return lower;
}

} // namespace polvane
