#pragma once

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "shell/options/SavedFiles.h"

namespace polvane {

class ColorTable;
class FileData;

// The colour presets of the options dialog: the three built in, and those the user saved as
// "*.color" files (typed key-value files) in the colour-presets folder. A preset file holds
// four integers per colour of the table, named by the colour's preset name upper-cased with
// "_" for blanks and ended by "_ALPHA", "_RED", "_GREEN" or "_BLUE".
class ColorPresets {
public:
    static constexpr const char* kHeader = "Quessel Polvane color presets file";
    static constexpr const char* kExtension = ".color";
    // What a preset name may not hold: what no file name may, and the full stop, which would
    // end the name at the wrong place.
    static constexpr const char* kRefusedCharacters = "\\/:*?\"<>|.";

    enum class Standard { Default, RadarScreen, Silver };

    // What became of one colour read from a preset file.
    enum class Reading { Read, Missing, OutOfRange };

    // A saved preset: its name (the file name without ".color") and the file's path.
    using Saved = SavedFiles::Saved;

    // Colours 1..19 of a built-in preset.
    static std::uint32_t StandardColor(Standard preset, int index);
    static void ApplyStandard(Standard preset, ColorTable& colors);

    // "Grid Lines at Zero", for colour 1..19.
    static std::string_view PresetName(int index);
    // "GRID_LINES_AT_ZERO".
    static std::string KeyPrefix(int index);

    static void WriteColor(FileData& file, int index, std::uint32_t color);
    // Sets `color` only when all four values are present as integers of 0..255.
    static Reading ReadColor(const FileData& file, int index, std::uint32_t& color);

    // The header and all 19 colours of the table, in table order.
    static FileData Build(const ColorTable& colors);
    // Sets each colour of the table the file holds whole and valid; the others keep their
    // values. Returns the colours left because a value lay outside 0..255.
    static std::vector<int> Apply(const FileData& file, ColorTable& colors);

    // Reads as much of a preset file as can be read into `file`: all of it, or the records
    // before the first line that cannot be read. Returns why it could not be read whole.
    static std::optional<std::string> ReadReadable(const std::string& path, FileData& file);
    // The same from a stream that can be read again from its start.
    static std::optional<std::string> ReadReadable(std::istream& in, const std::string& sourceName,
                                                   FileData& file);

    // The "*.color" files of the folder, sorted by name in byte order. A folder that is
    // missing or cannot be listed has none.
    static std::vector<Saved> List(const std::string& folder);
    // The first refused character of the name, or 0 when there is none.
    static char RefusedCharacter(std::string_view name);
    // The saved preset whose name equals `name` ignoring case, if any.
    static const Saved* FindIgnoringCase(const std::vector<Saved>& saved, std::string_view name);
};

} // namespace polvane
