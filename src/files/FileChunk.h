#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace polvane {

// One record of a typed key-value file: a type, a name and a value. On disk a record is one
// line: the type's tag, a blank, the name, blanks, and the value's text.
//
// Numbers are written and read with a point as decimal separator whatever the locale.
// Doubles and singles are written with the fewest digits that read back to the same value
// and at least one decimal (22 as "22.0", 12.34 as "12.34"); very large and very small
// magnitudes take an exponent ("1e-07").
class FileChunk {
public:
    // The data type codes that every caller shares.
    enum Type : int { kDouble = 0, kInteger = 1, kSingle = 2, kString = 3 };
    // The alternatives stand in the order of the type codes.
    using Value = std::variant<double, std::int32_t, float, std::string>;

    // No line of a file may be longer than this many bytes, line break excluded: reading
    // refuses a longer line, so writing refuses to make one.
    static constexpr std::size_t kMaxLineLength = 512 * 1024;

    // A double 0 without a name.
    FileChunk() = default;
    // Throws as SetName and SetValue do.
    FileChunk(Type type, std::string name, const Value& value);

    Type DataType() const { return static_cast<Type>(value_.index()); }
    // Converts the held value to the new type, as SetValue does; on failure nothing changes.
    void SetDataType(Type type);

    const std::string& Name() const { return name_; }
    // std::invalid_argument for a name that could not be read back: empty, or holding a
    // blank, a CR or a LF.
    void SetName(std::string name);

    const Value& value() const { return value_; }
    // Stores the value converted to this record's type (see Convert).
    void SetValue(const Value& value);

    // The value as `type`: numbers convert to each other (to an integer rounded to the
    // nearest, halves to even) and to their shortest text; a text converts to a number when
    // it is one, point as decimal separator. std::invalid_argument when the value is not a
    // number or the type is unknown, std::out_of_range when the number does not fit.
    static Value Convert(const Value& value, Type type);

    static bool IsValidName(std::string_view name);
    // "(dbl)", "(int)", "(sng)" or "(str)"; std::invalid_argument for an unknown type.
    static std::string_view TagOf(Type type);
    // How many characters (code points) a UTF-8 text has: the unit of the file's columns.
    static std::size_t TextColumns(std::string_view text);

    // The record as one line without its line break, its value text starting in the 1-based
    // column `valueColumn` or one blank after the name, whichever is further right.
    // std::length_error when the line would be longer than kMaxLineLength.
    std::string WriteRawData(std::size_t valueColumn) const;

    // Reads one line, without its line break. Nothing for a line to skip (empty, or a
    // comment starting with "#"). Throws FileFormatError, without file or line, for a line
    // that is malformed or whose value its tag cannot convert. Besides the four written tags
    // it accepts "(adb)" and "(asn)": the leading number of the text, 0 when there is none,
    // as a double or a single.
    static std::optional<FileChunk> ReadRawData(std::string_view line);

private:
    // Backslash, CR and LF become "\\", "\r" and "\n"; a blank at either end becomes "\s",
    // since reading trims blanks at the ends of a line.
    static std::string EscapeText(std::string_view text);
    static std::string UnescapeText(std::string_view text);

    std::string name_;
    Value value_ = 0.0;
};

} // namespace polvane
