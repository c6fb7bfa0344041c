#include "files/FileData.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <system_error>

#include "files/BuildVersion.h"
#include "files/FileFormatError.h"
#include "files/InputFile.h"
#include "files/ReplacedFile.h"

namespace polvane {

namespace fs = std::filesystem;

namespace {

// Splits at CR LF, CR and LF.
std::vector<std::string_view> PhysicalLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n')
            continue;
        lines.push_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    lines.push_back(text.substr(start));
    return lines;
}

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

} // namespace

FileData::ProgramVersion FileData::DefaultProgramVersion()
{
    return {BuildVersion::Major(), BuildVersion::Minor(), BuildVersion::Patch()};
}

void FileData::AddValue(Type type, std::string name, const Value& value)
{
    FileChunk chunk(type, std::move(name), value);
    records_.push_back(std::move(chunk));
}

void FileData::SetValue(Type type, std::string name, const Value& value)
{
    for (FileChunk& chunk : records_) {
        if (chunk.DataType() == type && chunk.Name() == name) {
            chunk.SetValue(value);
            return;
        }
    }
    AddValue(type, std::move(name), value);
}

const FileChunk* FileData::Find(Type type, std::string_view name) const
{
    for (const FileChunk& chunk : records_)
        if (chunk.DataType() == type && chunk.Name() == name)
            return &chunk;
    return nullptr;
}

std::optional<FileData::Value> FileData::FindValue(Type type, std::string_view name) const
{
    const FileChunk* chunk = Find(type, name);
    if (!chunk)
        return std::nullopt;
    return chunk->value();
}

FileData::Value FileData::FindValue(Type type, std::string_view name, Value fallback) const
{
    const FileChunk* chunk = Find(type, name);
    return chunk ? chunk->value() : std::move(fallback);
}

void FileData::Clear()
{
    records_.clear();
    headerLines_.clear();
}

void FileData::SetHeaderText(std::vector<std::string> lines) { headerLines_ = std::move(lines); }

// ---- Loading ------------------------------------------------------------------------

void FileData::ReadFile(const fs::path& path)
{
    std::ifstream in = InputFile::Open(path);
    ReadFrom(in, InputFile::PathText(path));
}

void FileData::ReadFrom(std::istream& in, const std::string& sourceName)
{
    using Traits = std::istream::traits_type;
    std::streambuf* buffer = in.rdbuf();
    if (!buffer || !in.good())
        throw FileFormatError(sourceName, 0, "the stream cannot be read");

    // Everything is read into a list of its own and only appended once the whole file has
    // been read, so that a failure leaves this object as it was.
    std::vector<FileChunk> read;
    std::string line;
    std::size_t lineNumber = 0;
    bool anyByte = false;
    for (;;) {
        line.clear();
        bool ended = false;
        for (auto c = buffer->sbumpc(); !Traits::eq_int_type(c, Traits::eof());
             c = buffer->sbumpc()) {
            anyByte = true;
            if (c == '\n') {
                ended = true;
                break;
            }
            // One byte more than the limit leaves room for the CR of a CR LF.
            if (line.size() > FileChunk::kMaxLineLength)
                throw FileFormatError(sourceName, lineNumber + 1,
                                      "the line is longer than " +
                                          std::to_string(FileChunk::kMaxLineLength) + " bytes");
            line.push_back(Traits::to_char_type(c));
        }
        if (!ended && line.empty())
            break;
        ++lineNumber;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.size() > FileChunk::kMaxLineLength)
            throw FileFormatError(sourceName, lineNumber,
                                  "the line is longer than " +
                                      std::to_string(FileChunk::kMaxLineLength) + " bytes");
        std::string_view text = line;
        if (lineNumber == 1 && text.starts_with(kByteOrderMark))
            text.remove_prefix(kByteOrderMark.size());
        try {
            if (std::optional<FileChunk> chunk = FileChunk::ReadRawData(text))
                read.push_back(std::move(*chunk));
        } catch (const FileFormatError& e) {
            throw FileFormatError(sourceName, lineNumber, e.Reason());
        }
    }
    if (!anyByte)
        throw FileFormatError(sourceName, 0, "the file is empty");
    if (in.bad())
        throw FileFormatError(sourceName, 0, "reading failed");

    records_.reserve(records_.size() + read.size());
    records_.insert(records_.end(), std::make_move_iterator(read.begin()),
                    std::make_move_iterator(read.end()));
}

void FileData::ReadString(std::string_view text, const std::string& sourceName)
{
    std::istringstream in{std::string(text)};
    ReadFrom(in, sourceName);
}

// ---- Saving -------------------------------------------------------------------------

std::string FileData::WriteString() const
{
    std::string out;
    const auto addLine = [&out](std::string_view line) {
        if (line.size() > FileChunk::kMaxLineLength)
            throw std::length_error("A header line is too long to be saved (" +
                                    std::to_string(line.size()) + " bytes)");
        out += line;
        out += "\r\n";
    };
    if (!headerLines_.empty()) {
        addLine("#");
        for (const std::string& headerLine : headerLines_)
            for (std::string_view part : PhysicalLines(headerLine))
                addLine("# " + std::string(part));
        std::string minor = std::to_string(version_.minor);
        if (version_.minor >= 0 && version_.minor < 10)
            minor.insert(minor.begin(), '0');
        addLine("# Created with program version " + std::to_string(version_.major) + "." +
                minor + " (Revision: " + std::to_string(version_.revision) + ")");
        addLine("#");
        addLine("");
    }
    std::size_t longest = 0;
    for (const FileChunk& chunk : records_)
        longest = std::max(longest, FileChunk::TextColumns(chunk.Name()));
    for (const FileChunk& chunk : records_)
        addLine(chunk.WriteRawData(longest + 8));
    if (out.empty())
        addLine("#");
    return out;
}

void FileData::WriteTo(std::ostream& out) const
{
    const std::string text = WriteString();
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.flush();
    if (!out)
        throw std::runtime_error("Writing the data to the stream failed");
}

void FileData::WriteFile(const fs::path& path) const
{
    // Everything that can fail before the disk is touched fails here.
    ReplacedFile::Write(path, WriteString());
}

} // namespace polvane
