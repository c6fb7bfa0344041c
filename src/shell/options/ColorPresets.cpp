#include "shell/options/ColorPresets.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <optional>
#include <system_error>

#include "files/FileData.h"
#include "files/FileFormatError.h"
#include "files/InputFile.h"
#include "shell/options/ArgbColor.h"
#include "shell/options/ColorTable.h"
#include "shell/options/SavedFiles.h"

namespace polvane {

namespace fs = std::filesystem;

namespace {

constexpr std::uint32_t C(std::uint8_t a, std::uint8_t r, std::uint8_t g, std::uint8_t b)
{
    return ArgbColor::MakeARGB(a, r, g, b);
}

struct PresetRow {
    std::string_view name;
    std::uint32_t standard;
    std::uint32_t radarScreen;
    std::uint32_t silver;
};

// Silver keeps the red centre of gravity of the other presets and gives the far field
// transition lines a light black that suits its greys.
constexpr std::array<PresetRow, ColorTable::kCount> kRows = {{
    {"Background", C(255, 255, 255, 255), C(255, 0, 0, 0), C(255, 255, 255, 255)},
    {"Bumper Edge", C(255, 0, 0, 0), C(255, 0, 224, 0), C(192, 12, 8, 28)},
    {"Bumper Fill", C(64, 0, 0, 0), C(96, 0, 224, 0), C(48, 12, 8, 28)},
    {"Cell Edge", C(255, 72, 96, 120), C(255, 0, 224, 0), C(192, 18, 12, 32)},
    {"Cell Fill", C(96, 96, 128, 160), C(64, 0, 224, 0), C(48, 18, 12, 32)},
    {"Center of Gravity", C(128, 255, 0, 32), C(160, 0, 255, 32), C(128, 255, 0, 32)},
    {"Far Field Transition Line", C(96, 128, 128, 128), C(96, 0, 255, 32), C(128, 0, 0, 0)},
    {"Graph Lines", C(128, 64, 0, 255), C(255, 0, 255, 16), C(255, 64, 66, 72)},
    {"Grid Lines", C(24, 0, 0, 0), C(80, 0, 255, 0), C(24, 0, 0, 0)},
    {"Grid Lines at Zero", C(96, 0, 0, 0), C(112, 0, 255, 0), C(96, 0, 0, 0)},
    {"Progress Left", C(255, 16, 196, 255), C(255, 0, 128, 0), C(255, 224, 224, 224)},
    {"Progress Right", C(255, 0, 64, 255), C(255, 0, 255, 16), C(255, 160, 160, 160)},
    {"Rigging Cable", C(255, 24, 28, 24), C(255, 0, 255, 0), C(192, 24, 28, 32)},
    {"Scale Lines", C(255, 0, 0, 0), C(255, 0, 255, 0), C(255, 0, 0, 0)},
    {"Seating Area", C(255, 0, 0, 0), C(255, 0, 224, 0), C(192, 64, 32, 96)},
    {"Selected Item", C(255, 0, 96, 255), C(255, 0, 255, 96), C(255, 0, 0, 32)},
    {"Sound Path Hit", C(128, 64, 0, 255), C(192, 0, 224, 0), C(128, 0, 0, 0)},
    {"Sound Path Miss", C(128, 64, 0, 255), C(160, 0, 224, 0), C(96, 16, 0, 0)},
    {"Text", C(255, 0, 0, 0), C(255, 0, 255, 0), C(255, 0, 0, 0)},
}};

constexpr std::array<std::string_view, 4> kComponents = {"_ALPHA", "_RED", "_GREEN", "_BLUE"};

const PresetRow& Row(int index)
{
    // The colour table owns the range check and its message.
    ColorTable::Name(index);
    return kRows[static_cast<std::size_t>(index - 1)];
}

} // namespace

std::uint32_t ColorPresets::StandardColor(Standard preset, int index)
{
    const PresetRow& row = Row(index);
    switch (preset) {
    case Standard::RadarScreen:
        return row.radarScreen;
    case Standard::Silver:
        return row.silver;
    case Standard::Default:
        break;
    }
    return row.standard;
}

void ColorPresets::ApplyStandard(Standard preset, ColorTable& colors)
{
    for (int index = 1; index <= ColorTable::kCount; ++index)
        colors.SetColor(index, StandardColor(preset, index));
}

std::string_view ColorPresets::PresetName(int index) { return Row(index).name; }

std::string ColorPresets::KeyPrefix(int index)
{
    std::string key(PresetName(index));
    for (char& character : key)
        character = character == ' ' ? '_'
                                      : static_cast<char>(std::toupper(static_cast<unsigned char>(character)));
    return key;
}

void ColorPresets::WriteColor(FileData& file, int index, std::uint32_t color)
{
    const std::string prefix = KeyPrefix(index);
    file.AddInteger(prefix + std::string(kComponents[0]), ArgbColor::Alpha(color));
    file.AddInteger(prefix + std::string(kComponents[1]), ArgbColor::Red(color));
    file.AddInteger(prefix + std::string(kComponents[2]), ArgbColor::Green(color));
    file.AddInteger(prefix + std::string(kComponents[3]), ArgbColor::Blue(color));
}

ColorPresets::Reading ColorPresets::ReadColor(const FileData& file, int index, std::uint32_t& color)
{
    const std::string prefix = KeyPrefix(index);
    std::array<std::uint8_t, 4> bytes{};
    bool inRange = true;
    for (std::size_t part = 0; part < kComponents.size(); ++part) {
        const std::optional<std::int32_t> value = file.FindInteger(prefix + std::string(kComponents[part]));
        if (!value)
            return Reading::Missing;
        if (*value < 0 || *value > 255)
            inRange = false;
        else
            bytes[part] = static_cast<std::uint8_t>(*value);
    }
    // A hand-edited value beyond a byte is no colour: keeping the one in use beats guessing.
    if (!inRange)
        return Reading::OutOfRange;
    color = ArgbColor::MakeARGB(bytes[0], bytes[1], bytes[2], bytes[3]);
    return Reading::Read;
}

FileData ColorPresets::Build(const ColorTable& colors)
{
    FileData file;
    file.SetHeaderText({kHeader});
    for (int index = 1; index <= ColorTable::kCount; ++index)
        WriteColor(file, index, colors.Color(index));
    return file;
}

std::vector<int> ColorPresets::Apply(const FileData& file, ColorTable& colors)
{
    std::vector<int> outOfRange;
    for (int index = 1; index <= ColorTable::kCount; ++index) {
        std::uint32_t color = colors.Color(index);
        if (ReadColor(file, index, color) == Reading::OutOfRange)
            outOfRange.push_back(index);
        colors.SetColor(index, color);
    }
    return outOfRange;
}

std::optional<std::string> ColorPresets::ReadReadable(const std::string& path, FileData& file)
{
    try {
        std::ifstream in = InputFile::Open(fs::path(path));
        return ReadReadable(in, InputFile::PathText(fs::path(path)), file);
    } catch (const FileFormatError& failure) {
        return failure.what();
    }
}

std::optional<std::string> ColorPresets::ReadReadable(std::istream& in,
                                                      const std::string& sourceName,
                                                      FileData& file)
{
    try {
        file.ReadFrom(in, sourceName);
        return std::nullopt;
    } catch (const FileFormatError& failure) {
        // The reader takes a file whole or not at all; the lines before the failing one
        // are read again on their own.
        if (failure.Line() > 1) {
            in.clear();
            in.seekg(0);
            std::string text;
            std::string line;
            for (std::size_t number = 1; number < failure.Line() && std::getline(in, line);
                 ++number)
                text += line + "\n";
            try {
                file.ReadString(text, sourceName);
            } catch (const FileFormatError&) {
                // Nothing more could be read.
            }
        }
        return failure.what();
    }
}

std::vector<ColorPresets::Saved> ColorPresets::List(const std::string& folder)
{
    return SavedFiles::List(folder, kExtension);
}

char ColorPresets::RefusedCharacter(std::string_view name)
{
    const std::size_t at = name.find_first_of(kRefusedCharacters);
    return at == std::string_view::npos ? '\0' : name[at];
}

const ColorPresets::Saved* ColorPresets::FindIgnoringCase(const std::vector<Saved>& saved,
                                                          std::string_view name)
{
    return SavedFiles::FindIgnoringCase(saved, name);
}

} // namespace polvane
