#include "files/FileChunk.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <system_error>
#include <utility>

#include "files/FileFormatError.h"
#include "model/Format.h"

namespace polvane {

namespace {

constexpr std::string_view kTags[] = {"(dbl)", "(int)", "(sng)", "(str)"};

bool KnownType(int type) { return type >= FileChunk::kDouble && type <= FileChunk::kString; }

// A piece of the offending text for a message, so that a huge value does not make a huge one.
std::string Quoted(std::string_view text)
{
    constexpr std::size_t kShown = 40;
    if (text.size() <= kShown)
        return "\"" + std::string(text) + "\"";
    return "\"" + std::string(text.substr(0, kShown)) + "...\"";
}

// ---- Writing numbers ------------------------------------------------------------------

// The shortest text that reads back as the same value, with a decimal point and at least one
// decimal; an exponent only far from the magnitudes a venue holds.
template <typename T>
std::string NumberText(T value)
{
    char buffer[128];
    std::to_chars_result result{};
    const T magnitude = std::fabs(value);
    if (!std::isfinite(value))
        result = std::to_chars(buffer, buffer + sizeof buffer, value);
    else if (magnitude == 0 || (magnitude >= T(1e-5) && magnitude < T(1e16)))
        result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    else
        result = std::to_chars(buffer, buffer + sizeof buffer, value,
                               std::chars_format::scientific);
    std::string text(buffer, result.ptr);
    if (std::isfinite(value) && text.find_first_of(".e") == std::string::npos)
        text += ".0";
    return text;
}

// ---- Reading numbers ------------------------------------------------------------------

// Drops one leading "+", which from_chars does not take.
std::string_view WithoutPlus(std::string_view text)
{
    if (text.size() > 1 && text[0] == '+' && text[1] != '-' && text[1] != '+')
        text.remove_prefix(1);
    return text;
}

std::string_view TrimBlanks(std::string_view text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

template <typename T>
const char* TypeWords()
{
    return std::is_same_v<T, float> ? "a single" : "a double";
}

// The whole text as a number, point as decimal separator. With `decimalComma`, a text with
// one comma and no point also reads with the comma as separator: files that older versions
// wrote under a locale whose separator is a comma look like that.
template <typename T>
T ParseReal(std::string_view text, bool decimalComma)
{
    const std::string_view s = WithoutPlus(text);
    T value{};
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (ec == std::errc::result_out_of_range && end == s.data() + s.size())
        throw std::out_of_range(Quoted(text) + " is out of range for " + TypeWords<T>());
    if (ec == std::errc() && end == s.data() + s.size())
        return value;
    if (decimalComma && s.find('.') == std::string_view::npos) {
        const auto comma = s.find(',');
        if (comma != std::string_view::npos && s.find(',', comma + 1) == std::string_view::npos) {
            std::string pointed(s);
            pointed[comma] = '.';
            return ParseReal<T>(pointed, false);
        }
    }
    throw std::invalid_argument(Quoted(text) + " is not a number");
}

std::int32_t RoundToInteger(double value)
{
    if (std::isnan(value))
        throw std::invalid_argument("NaN is not a whole number");
    const double whole = Format::RoundHalfEven(value);
    if (!(whole >= std::numeric_limits<std::int32_t>::min() &&
          whole <= std::numeric_limits<std::int32_t>::max())) {
        char buffer[64];
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
        throw std::out_of_range(std::string(buffer, result.ptr) +
                                " is out of range for a 32-bit integer");
    }
    return static_cast<std::int32_t>(whole);
}

// A whole number exactly; any other number rounded to the nearest, halves to even.
std::int32_t ParseInteger(std::string_view text)
{
    const std::string_view s = WithoutPlus(text);
    std::int32_t value = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (end == s.data() + s.size() && !s.empty()) {
        if (ec == std::errc())
            return value;
        if (ec == std::errc::result_out_of_range)
            throw std::out_of_range(Quoted(text) + " is out of range for a 32-bit integer");
    }
    try {
        return RoundToInteger(ParseReal<double>(text, false));
    } catch (const std::out_of_range&) {
        throw std::out_of_range(Quoted(text) + " is out of range for a 32-bit integer");
    }
}

float ToSingle(double value)
{
    if (std::isfinite(value) && std::fabs(value) > std::numeric_limits<float>::max()) {
        char buffer[64];
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
        throw std::out_of_range(std::string(buffer, result.ptr) +
                                " is out of range for a single");
    }
    return static_cast<float>(value);
}

// The number that the text begins with, 0 when it begins with none: the reading of the
// "(adb)" and "(asn)" tags.
double LeadingNumber(std::string_view text)
{
    const std::string_view s = WithoutPlus(text);
    std::size_t i = (!s.empty() && s[0] == '-') ? 1 : 0;
    const auto isDigit = [&](std::size_t k) { return k < s.size() && s[k] >= '0' && s[k] <= '9'; };
    if (!(isDigit(i) || (i < s.size() && s[i] == '.' && isDigit(i + 1))))
        return 0.0;
    double value = 0.0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (ec == std::errc::result_out_of_range)
        throw std::out_of_range(Quoted(text) + " is out of range for a double");
    return value;
}

} // namespace

FileChunk::FileChunk(Type type, std::string name, const Value& value)
{
    SetName(std::move(name));
    value_ = Convert(value, type);
}

void FileChunk::SetDataType(Type type) { value_ = Convert(value_, type); }

void FileChunk::SetName(std::string name)
{
    if (!IsValidName(name))
        throw std::invalid_argument("A record name must be non-empty, without blanks or line "
                                    "breaks: " + Quoted(name));
    name_ = std::move(name);
}

void FileChunk::SetValue(const Value& value) { value_ = Convert(value, DataType()); }

FileChunk::Value FileChunk::Convert(const Value& value, Type type)
{
    if (!KnownType(type))
        throw std::invalid_argument("Unknown data type code " + std::to_string(int{type}));
    return std::visit(
        [type](const auto& v) -> Value {
            using V = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<V, std::string>) {
                const std::string_view text = TrimBlanks(v);
                switch (type) {
                case kDouble: return ParseReal<double>(text, false);
                case kInteger: return ParseInteger(text);
                case kSingle: return ParseReal<float>(text, false);
                default: return v;
                }
            } else {
                switch (type) {
                case kDouble: return static_cast<double>(v);
                case kInteger:
                    if constexpr (std::is_same_v<V, std::int32_t>)
                        return v;
                    else
                        return RoundToInteger(static_cast<double>(v));
                case kSingle:
                    if constexpr (std::is_same_v<V, double>)
                        return ToSingle(v);
                    else
                        return static_cast<float>(v);
                default: {
                    if constexpr (std::is_same_v<V, std::int32_t>) {
                        return std::to_string(v);
                    } else {
                        char buffer[64];
                        const auto result = std::to_chars(buffer, buffer + sizeof buffer, v);
                        return std::string(buffer, result.ptr);
                    }
                }
                }
            }
        },
        value);
}

bool FileChunk::IsValidName(std::string_view name)
{
    return !name.empty() && name.find_first_of(" \r\n") == std::string_view::npos;
}

std::string_view FileChunk::TagOf(Type type)
{
    if (!KnownType(type))
        throw std::invalid_argument("Unknown data type code " + std::to_string(int{type}));
    return kTags[type];
}

std::size_t FileChunk::TextColumns(std::string_view text)
{
    std::size_t count = 0;
    for (const char c : text)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) // not a continuation byte
            ++count;
    return count;
}

std::string FileChunk::WriteRawData(std::size_t valueColumn) const
{
    if (!IsValidName(name_))
        throw std::invalid_argument("A record without a valid name cannot be written");
    std::string valueText;
    switch (DataType()) {
    case kDouble: valueText = NumberText(std::get<double>(value_)); break;
    case kInteger: valueText = std::to_string(std::get<std::int32_t>(value_)); break;
    case kSingle: valueText = NumberText(std::get<float>(value_)); break;
    case kString: valueText = EscapeText(std::get<std::string>(value_)); break;
    }
    std::string line(TagOf(DataType()));
    line += ' ';
    line += name_;
    const std::size_t column = 1 + TextColumns(line); // where the next character goes
    line.append(valueColumn > column ? valueColumn - column : 1, ' ');
    if (line.size() + valueText.size() > kMaxLineLength)
        throw std::length_error("The value of " + name_ + " is too long to be saved (" +
                                std::to_string(valueText.size()) + " bytes)");
    line += valueText;
    return line;
}

std::optional<FileChunk> FileChunk::ReadRawData(std::string_view line)
{
    if (line.empty() || line[0] == '#')
        return std::nullopt;
    const auto fail = [](std::string reason) { return FileFormatError({}, 0, std::move(reason)); };
    const auto first = line.find(' ');
    const auto second = first == std::string_view::npos ? first : line.find(' ', first + 1);
    const std::string_view tag = line.substr(0, first);
    // An empty text may have lost its blanks to an editor that strips them at line ends.
    if (first == std::string_view::npos || (second == std::string_view::npos && tag != "(str)"))
        throw fail("expected a type tag, a name and a value, separated by blanks");
    const std::string_view name = line.substr(first + 1, second - first - 1);
    const std::string_view text =
        second == std::string_view::npos ? std::string_view() : TrimBlanks(line.substr(second + 1));
    enum class Reader { Double, LeadingDouble, Integer, Single, LeadingSingle, String };
    Reader reader;
    if (tag == "(dbl)")
        reader = Reader::Double;
    else if (tag == "(adb)")
        reader = Reader::LeadingDouble;
    else if (tag == "(int)")
        reader = Reader::Integer;
    else if (tag == "(sng)")
        reader = Reader::Single;
    else if (tag == "(asn)")
        reader = Reader::LeadingSingle;
    else if (tag == "(str)")
        reader = Reader::String;
    else
        throw fail("unknown type tag " + Quoted(tag));
    if (name.empty())
        throw fail("the record has no name");
    // A lone CR inside a line would make a name that no save could write back.
    if (!IsValidName(name))
        throw fail("the record name " + Quoted(name) + " holds a line break");

    FileChunk chunk;
    chunk.name_ = std::string(name);
    try {
        switch (reader) {
        case Reader::Double: chunk.value_ = ParseReal<double>(text, true); break;
        case Reader::LeadingDouble: chunk.value_ = LeadingNumber(text); break;
        case Reader::Integer: chunk.value_ = ParseInteger(text); break;
        case Reader::Single: chunk.value_ = ParseReal<float>(text, true); break;
        case Reader::LeadingSingle: chunk.value_ = ToSingle(LeadingNumber(text)); break;
        case Reader::String: chunk.value_ = UnescapeText(text); break;
        }
    } catch (const std::logic_error& e) { // invalid_argument and out_of_range
        throw fail("the value of " + Quoted(chunk.name_) + ": " + e.what());
    }
    return chunk;
}

std::string FileChunk::EscapeText(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 8 + 4);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '\r': out += "\\r"; break;
        case '\n': out += "\\n"; break;
        case ' ':
            if (i == 0 || i + 1 == text.size())
                out += "\\s";
            else
                out += ' ';
            break;
        default: out += c;
        }
    }
    return out;
}

std::string FileChunk::UnescapeText(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\\' && i + 1 < text.size()) {
            const char next = text[i + 1];
            const char replacement = next == '\\' ? '\\'
                                   : next == 'r'  ? '\r'
                                   : next == 'n'  ? '\n'
                                   // Only written for a blank at either end; elsewhere,
                                   // as in "C:\\sounds", it is a backslash and an s.
                                   : next == 's' && (i == 0 || i + 2 == text.size()) ? ' '
                                                  : '\0';
            if (replacement != '\0') {
                out += replacement;
                ++i;
                continue;
            }
        }
        out += c; // any other backslash stands for itself
    }
    return out;
}

} // namespace polvane
