#include "model/Format.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <utility>

#include "model/ProductTables.h"
#include "model/Units.h"

namespace polvane {

namespace {

const std::string kTradeMark = "\xE2\x84\xA2"; // U+2122
const std::string kDegreeSign = "\xC2\xB0";    // U+00B0

bool Metric(UnitsCode units) { return units == UnitsCode::Metric; }

// A decimal number as its digits: `digits` holds every digit, the first `intDigits` of them
// before the point.
struct Decimal {
    bool negative = false;
    std::string digits;
    int intDigits = 0;
};

// The shortest text that reads back as the value, in fixed notation, taken apart. This is
// the decimal value the user sees, so rounding it (and not the binary value, which lies a
// little off most decimals) keeps halves such as 2.675 rounding up.
template <typename T>
Decimal ShortestDecimal(T value)
{
    char buffer[400]; // the longest fixed text of a double has 326 characters
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                      std::chars_format::fixed);
    Decimal d;
    const char* p = buffer;
    if (p != result.ptr && *p == '-') {
        d.negative = true;
        ++p;
    }
    for (; p != result.ptr; ++p) {
        if (*p == '.')
            d.intDigits = static_cast<int>(d.digits.size());
        else
            d.digits.push_back(*p);
    }
    if (d.intDigits == 0)
        d.intDigits = static_cast<int>(d.digits.size());
    return d;
}

// Keeps the first `keep` digits, rounding half away from zero on the first digit dropped.
void RoundToDigits(Decimal& d, int keep)
{
    if (keep < 0 || static_cast<int>(d.digits.size()) <= keep)
        return;
    const bool up = d.digits[static_cast<std::size_t>(keep)] >= '5';
    d.digits.resize(static_cast<std::size_t>(keep));
    if (!up)
        return;
    int i = keep - 1;
    for (; i >= 0; --i) {
        char& c = d.digits[static_cast<std::size_t>(i)];
        if (c == '9') {
            c = '0';
        } else {
            ++c;
            break;
        }
    }
    if (i < 0) { // carried past the first digit: 9.96 -> 10.0
        d.digits.insert(d.digits.begin(), '1');
        ++d.intDigits;
    }
}

bool AllZero(const Decimal& d) { return d.digits.find_first_not_of('0') == std::string::npos; }

std::string Render(const Decimal& d, bool stripTrailingZeros)
{
    std::string whole = d.digits.substr(0, static_cast<std::size_t>(d.intDigits));
    std::string fraction = d.digits.substr(static_cast<std::size_t>(d.intDigits));
    if (stripTrailingZeros) {
        const auto last = fraction.find_last_not_of('0');
        fraction.erase(last == std::string::npos ? 0 : last + 1);
    }
    // No leading zeros but the one before the point.
    const auto first = whole.find_first_not_of('0');
    whole = first == std::string::npos ? "0" : whole.substr(first);
    std::string out;
    if (d.negative && !AllZero(d))
        out += '-';
    out += whole;
    if (!fraction.empty()) {
        out += '.';
        out += fraction;
    }
    return out;
}

template <typename T>
std::string NonFiniteText(T value)
{
    if (std::isnan(value))
        return "nan";
    return value < 0 ? "-inf" : "inf";
}

template <typename T>
std::string FixedText(T value, int decimals)
{
    if (!std::isfinite(value))
        return NonFiniteText(value);
    if (decimals < 0)
        decimals = 0;
    Decimal d = ShortestDecimal(value);
    RoundToDigits(d, d.intDigits + decimals);
    d.digits.resize(static_cast<std::size_t>(d.intDigits + decimals), '0');
    return Render(d, false);
}

} // namespace

std::string Format::FormatNumber(double value, int decimals) { return FixedText(value, decimals); }
std::string Format::FormatNumber(float value, int decimals) { return FixedText(value, decimals); }

std::string Format::ShortestText(float value)
{
    if (!std::isfinite(value))
        return NonFiniteText(value);
    Decimal d = ShortestDecimal(value);
    const auto firstSignificant = d.digits.find_first_not_of('0');
    if (firstSignificant != std::string::npos)
        RoundToDigits(d, static_cast<int>(firstSignificant) + 7);
    // Digits dropped from the whole part stand as zeros.
    if (static_cast<int>(d.digits.size()) < d.intDigits)
        d.digits.resize(static_cast<std::size_t>(d.intDigits), '0');
    return Render(d, true);
}

std::string Format::FormatBrand(BrandCode brand)
{
    switch (brand) {
    case BrandCode::TarvicKv9: return "TARVIC" + kTradeMark + " KV9";
    case BrandCode::TarvicKv7: return "TARVIC" + kTradeMark + " KV7";
    case BrandCode::TarvicKv4: return "TARVIC" + kTradeMark + " KV4";
    case BrandCode::DeVelt: return "DE.VELT" + kTradeMark;
    case BrandCode::RSarn: break;
    }
    // Any other code, like R.SARN's own.
    return "R.SARN" + kTradeMark;
}

std::string Format::FormatCellType(int type)
{
    const CellTypeInfo* info = ProductTables::CellType(type);
    return info ? std::string(info->modelName) : std::string();
}

std::string Format::FormatDegrees(double degrees) { return FormatNumber(degrees, 1) + kDegreeSign; }

std::string Format::FormatMeasurement(float length, UnitsCode units)
{
    return FormatNumber(length, 2) + (Metric(units) ? " m" : " ft");
}

std::string Format::FormatSmallMeasurement(float length, UnitsCode units)
{
    if (Metric(units))
        return FormatNumber(length * 100.0f, 2) + " cm";
    return FormatNumber(length * 12.0f, 2) + " in";
}

std::string Format::FormatWeight(float weight, UnitsCode units)
{
    return FormatNumber(weight, 1) + (Metric(units) ? " kg" : " lbs");
}

std::string Format::FormatAttentuation(float dB) { return FormatNumber(dB, 1) + " dB"; }

std::string Format::FormatSPL(float dB) { return FormatNumber(dB, 2) + " dB"; }

std::string Format::FormatFrequency(float hertz)
{
    if (hertz < 1000.0f)
        return ShortestText(hertz) + " Hz";
    const float kilohertz = hertz / 1000.0f;
    if (hertz < 10000.0f)
        return FormatNumber(kilohertz, 2) + " kHz";
    return FormatNumber(kilohertz, 1) + " kHz";
}

std::string Format::FormatPinning(std::optional<int> hole)
{
    if (!hole)
        return kNoHole;
    return *hole >= 0 ? "Hole " + std::to_string(*hole) : "(n/a)";
}

std::string Format::FormatFont(std::string_view name, float size, bool bold, bool italic)
{
    std::string out(name);
    out += ", ";
    out += ShortestText(size);
    out += "pt";
    if (bold)
        out += ", Bold";
    if (italic)
        out += ", Italic";
    return out;
}

float Format::BoundSingle(float x, float low, float high)
{
    if (x < low)
        return low;
    return x <= high ? x : high;
}

float Format::BoundDistance(float x, UnitsCode units)
{
    return Metric(units) ? BoundSingle(x, -182.88f, 182.88f) : BoundSingle(x, -600.0f, 600.0f);
}

float Format::BoundLength(float x, UnitsCode units)
{
    return Metric(units) ? BoundSingle(x, 0.001f, 182.88f) : BoundSingle(x, 0.001f, 600.0f);
}

float Format::InterpolateValue(float a, float b, float t)
{
    const double bd = b;
    return static_cast<float>((static_cast<double>(a) - bd) * t + bd);
}

float Format::SnapTo(float x, float g)
{
    if (!(g > 0.0f) || !std::isfinite(g) || !std::isfinite(x))
        return x;
    // In 64 bits, so that a multiple just beyond the range of a single can be told apart:
    // then the other one is the answer.
    const auto fits = [](double v) { return std::fabs(v) <= std::numeric_limits<float>::max(); };
    const double lowerValue = std::floor(static_cast<double>(x) / g) * g;
    if (!fits(lowerValue)) {
        const double upperValue = lowerValue + g;
        return fits(upperValue) ? static_cast<float>(upperValue) : x;
    }
    const float lower = static_cast<float>(lowerValue);
    const double upperValue = static_cast<double>(lower) + g;
    if (!fits(upperValue))
        return lower;
    const float upper = static_cast<float>(upperValue);
    return upper - x >= x - lower ? lower : upper;
}

float Format::SPLECToPercent(float x)
{
    return static_cast<float>(std::pow(6.0, -static_cast<double>(x) / 20000.0));
}

void Format::BubbleSort(std::vector<std::string>& texts)
{
    // std::string compares its bytes as unsigned char: an ordinal comparison.
    for (std::size_t last = texts.size(); last > 1; --last) {
        bool swapped = false;
        for (std::size_t i = 1; i < last; ++i) {
            if (texts[i] < texts[i - 1]) {
                std::swap(texts[i - 1], texts[i]);
                swapped = true;
            }
        }
        if (!swapped)
            break;
    }
}

std::string Format::GetFileName(std::string_view path)
{
    const auto cut = path.find_last_of("\\/");
    return std::string(cut == std::string_view::npos ? path : path.substr(cut + 1));
}

std::string Format::GetFileTitle(std::string_view path)
{
    std::string name = GetFileName(path);
    const auto point = name.rfind('.');
    if (point != std::string::npos)
        name.erase(point);
    return name;
}

std::string Format::GetFileNameExtension(std::string_view path)
{
    const auto point = path.rfind('.');
    return point == std::string_view::npos ? std::string() : std::string(path.substr(point + 1));
}

double Format::RoundHalfEven(double value)
{
    if (!std::isfinite(value))
        return value;
    double whole = std::floor(value);
    const double fraction = value - whole;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0))
        whole += 1.0;
    return whole;
}

int Format::WholeHalfEven(double value)
{
    const double whole = RoundHalfEven(value);
    if (!(whole >= std::numeric_limits<int>::min() && whole <= std::numeric_limits<int>::max()))
        return 0;
    return static_cast<int>(whole);
}

} // namespace polvane
