#pragma once

#include <optional>
#include <string_view>

namespace polvane {

// How every number box and dialog reads what the user typed, whatever the locale.
//
// The number is the one the text begins with, after blanks and tabs: an optional sign,
// digits with an optional decimal separator and an optional exponent ("1e3"); whatever
// follows it, such as the unit of a shown measurement ("12.50 ft", "2.5°"), is ignored.
// The decimal separator is a point or a comma ("12,5" is 12.5, as a German keypad types
// it). Only where the digits go on to a point are commas before it thousands separators,
// each followed by three digits ("1,234.5" is 1234.5); otherwise the first comma is the
// decimal separator and a second one ends the number ("12,5,3" is 12.5). A text that does
// not begin with a number ("vierzig", "", "-", "ft") gives nothing: the caller keeps the
// value it holds. A number too large for a double gives an infinity of its sign.
class TypedNumber {
public:
    static std::optional<double> Read(std::string_view text);
};

} // namespace polvane
