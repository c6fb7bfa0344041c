#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <utility>
#include <vector>

#include "files/FileChunk.h"

namespace polvane {

// A typed key-value file: an optional comment header, then one record per line, kept in the
// order added. The venue, window layout and colour preset files are written with it.
//
// Loading either takes the whole file or throws FileFormatError and leaves this object as
// it was. Saving writes a temporary file beside the target and renames it over the target
// only once it is complete, so a failed save leaves the old file as it was.
class FileData {
public:
    using Type = FileChunk::Type;
    using Value = FileChunk::Value;

    struct ProgramVersion {
        int major = 0;
        int minor = 0;
        int revision = 0;
    };

    // The version that new objects write in their header: the build's (BuildVersion).
    static ProgramVersion DefaultProgramVersion();

    // ---- Records ----------------------------------------------------------------------

    // Appends a record holding `value` converted to `type` (FileChunk::Convert). Throws
    // std::invalid_argument for a name that cannot be written or a value that is not a
    // number where one is needed, std::out_of_range for a number that does not fit.
    void AddValue(Type type, std::string name, const Value& value);
    void AddDouble(std::string name, double value)
    {
        AddValue(Type::kDouble, std::move(name), value);
    }
    void AddInteger(std::string name, std::int32_t value)
    {
        AddValue(Type::kInteger, std::move(name), value);
    }
    void AddSingle(std::string name, float value)
    {
        AddValue(Type::kSingle, std::move(name), value);
    }
    void AddString(std::string name, std::string value)
    {
        AddValue(Type::kString, std::move(name), std::move(value));
    }

    // Replaces the value of the first record of that type and name, or appends one.
    void SetValue(Type type, std::string name, const Value& value);

    // The first record in file order whose type is `type` and whose name is `name` exactly;
    // a record of the same name and another type does not count. nullptr when there is none.
    const FileChunk* Find(Type type, std::string_view name) const;
    // A required value: nothing when it is missing.
    std::optional<Value> FindValue(Type type, std::string_view name) const;
    // An optional value: `fallback`, as given, when it is missing.
    Value FindValue(Type type, std::string_view name, Value fallback) const;

    // The value of a record as the C++ type its record type holds (double for kDouble,
    // std::int32_t for kInteger, float for kSingle, std::string for kString).
    template <typename T>
    std::optional<T> FindAs(Type type, std::string_view name) const
    {
        const FileChunk* chunk = Find(type, name);
        if (!chunk)
            return std::nullopt;
        return std::get<T>(chunk->value());
    }

    std::optional<double> FindDouble(std::string_view name) const { return FindAs<double>(Type::kDouble, name); }
    double FindDouble(std::string_view name, double fallback) const { return FindDouble(name).value_or(fallback); }
    std::optional<std::int32_t> FindInteger(std::string_view name) const
    {
        return FindAs<std::int32_t>(Type::kInteger, name);
    }
    std::int32_t FindInteger(std::string_view name, std::int32_t fallback) const
    {
        return FindInteger(name).value_or(fallback);
    }
    std::optional<float> FindSingle(std::string_view name) const { return FindAs<float>(Type::kSingle, name); }
    float FindSingle(std::string_view name, float fallback) const { return FindSingle(name).value_or(fallback); }
    std::optional<std::string> FindString(std::string_view name) const
    {
        return FindAs<std::string>(Type::kString, name);
    }
    std::string FindString(std::string_view name, std::string fallback) const
    {
        return FindString(name).value_or(std::move(fallback));
    }

    const std::vector<FileChunk>& Records() const { return records_; }
    std::size_t RecordCount() const { return records_.size(); }
    // Drops every record and header line.
    void Clear();

    // ---- Header -----------------------------------------------------------------------

    // Replaces the header lines. A line holding line breaks is written as several comment
    // lines.
    void SetHeaderText(std::vector<std::string> lines);
    const std::vector<std::string>& HeaderLines() const { return headerLines_; }
    void SetProgramVersion(ProgramVersion version) { version_ = version; }
    ProgramVersion GetProgramVersion() const { return version_; }

    // ---- Loading ----------------------------------------------------------------------

    // Reads the file and appends its records to those held. Comment and empty lines are
    // skipped; the header is not read back; the last line needs no line break. Throws
    // FileFormatError for a file that cannot be read, is empty, or holds a malformed line, a
    // value that its tag cannot convert or a line longer than FileChunk::kMaxLineLength; this
    // object is then unchanged.
    void ReadFile(const std::filesystem::path& path);
    // The same from a stream or a text; `sourceName` names the source in errors.
    void ReadFrom(std::istream& in, const std::string& sourceName = {});
    void ReadString(std::string_view text, const std::string& sourceName = {});

    // ---- Saving -----------------------------------------------------------------------

    // The whole file as text: the header when there are header lines, then every record with
    // its value in the column of the longest name + 8; lines end with CR LF. An object with
    // neither writes one comment line, so that its file does not read as an empty one.
    // std::length_error when a record's line would be too long to be read back.
    std::string WriteString() const;
    void WriteTo(std::ostream& out) const;
    // Creates or replaces the file. std::runtime_error naming the path and what failed; the
    // file that was there before is then as it was.
    void WriteFile(const std::filesystem::path& path) const;

private:
    std::vector<FileChunk> records_;
    std::vector<std::string> headerLines_;
    ProgramVersion version_ = DefaultProgramVersion();
};

} // namespace polvane
