#include "windows/base/TypedNumber.h"

#include <string>

#include "shell/options/OptionText.h"

namespace polvane {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Whether each comma of a run of digits and commas follows a digit and stands before exactly
// three digits, as thousands separators do.
bool GroupsOfThousands(std::string_view run)
{
    for (std::size_t i = 0; i < run.size(); ++i) {
        if (run[i] != ',')
            continue;
        std::size_t digits = 0;
        while (i + 1 + digits < run.size() && IsDigit(run[i + 1 + digits]))
            ++digits;
        if (digits != 3 || i == 0)
            return false;
    }
    return true;
}

} // namespace

std::optional<double> TypedNumber::Read(std::string_view text)
{
    // The text is brought to the point form the option texts are read in; from_chars reads
    // that the same under every locale.
    std::string number(text);
    std::size_t i = 0;
    while (i < number.size() && (number[i] == ' ' || number[i] == '\t'))
        ++i;
    if (i < number.size() && (number[i] == '+' || number[i] == '-'))
        ++i;
    const std::size_t begin = i;
    while (i < number.size() && (IsDigit(number[i]) || number[i] == ','))
        ++i;
    const std::string_view run = std::string_view(number).substr(begin, i - begin);
    const std::size_t comma = run.find(',');
    if (comma != std::string_view::npos) {
        if (i < number.size() && number[i] == '.' && GroupsOfThousands(run)) {
            std::string digits(run);
            std::erase(digits, ',');
            number.replace(begin, run.size(), digits);
        } else {
            number[begin + comma] = '.';
        }
    }
    return OptionText::FindLeadingNumber(number);
}

} // namespace polvane
