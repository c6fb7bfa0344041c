#include "shell/options/ColorPresets.h"

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "files/FileData.h"
#include "shell/options/ArgbColor.h"
#include "shell/options/ColorTable.h"
#include "support/TestFiles.h"

namespace polvane {
namespace {

namespace fs = std::filesystem;

constexpr std::uint32_t C(std::uint8_t a, std::uint8_t r, std::uint8_t g, std::uint8_t b)
{
    return ArgbColor::MakeARGB(a, r, g, b);
}

ColorTable Filled(std::uint32_t color)
{
    ColorTable table;
    for (int index = 1; index <= ColorTable::kCount; ++index)
        table.SetColor(index, color);
    return table;
}

TEST(ColorPresetsTest, FileHoldsFourIntegersPerColourUnderItsPresetKeys)
{
    ColorTable colors;
    colors.SetColor(ColorTable::kGridLinesZero, C(1, 2, 3, 4));
    const FileData file = ColorPresets::Build(colors);

    ASSERT_EQ(file.RecordCount(), 76u);
    EXPECT_EQ(file.HeaderLines(), std::vector<std::string>{"Quessel Polvane color presets file"});
    for (const FileChunk& record : file.Records())
        EXPECT_EQ(record.DataType(), FileChunk::kInteger) << record.Name();
    EXPECT_EQ(file.Records().front().Name(), "BACKGROUND_ALPHA");
    EXPECT_EQ(file.Records().back().Name(), "TEXT_BLUE");

    struct Key {
        const char* name;
        std::int32_t value;
    };
    for (const Key& key : {Key{"GRID_LINES_ALPHA", 24}, Key{"GRID_LINES_AT_ZERO_ALPHA", 1},
                           Key{"GRID_LINES_AT_ZERO_RED", 2}, Key{"GRID_LINES_AT_ZERO_GREEN", 3},
                           Key{"GRID_LINES_AT_ZERO_BLUE", 4}, Key{"CENTER_OF_GRAVITY_ALPHA", 128},
                           Key{"FAR_FIELD_TRANSITION_LINE_RED", 128}, Key{"CELL_FILL_BLUE", 160}})
        EXPECT_EQ(file.FindInteger(key.name), key.value) << key.name;
    EXPECT_EQ(file.WriteString().find("GRID_LINES_(ZERO)"), std::string::npos);
}

TEST(ColorPresetsTest, WrittenFileReadsBackToTheSameColours)
{
    QTemporaryDir temp;
    const fs::path path = fs::path(temp.path().toStdString()) / "Hall.color";
    ColorTable written;
    ColorPresets::ApplyStandard(ColorPresets::Standard::RadarScreen, written);
    written.SetColor(ColorTable::kText, C(0, 255, 1, 254));
    ColorPresets::Build(written).WriteFile(path);

    FileData file;
    file.ReadFile(path);
    ColorTable read = Filled(C(9, 9, 9, 9));
    EXPECT_TRUE(ColorPresets::Apply(file, read).empty());
    EXPECT_EQ(read, written);
}

// The files in tests/data/colors were written by hand from the colours the user sees.
TEST(ColorPresetsTest, APresetIsSavedAsTheCheckedInFileAndReadsBackWhole)
{
    ColorTable silver = Filled(C(1, 1, 1, 1));
    ColorPresets::ApplyStandard(ColorPresets::Standard::Silver, silver);
    QTemporaryDir temp;
    const fs::path path = fs::path(temp.path().toStdString()) / "Silver.color";
    ColorPresets::Build(silver).WriteFile(path);
    EXPECT_EQ(ReadAll(path), ExpectedFile("colors/Silver.color"));

    FileData file;
    file.ReadFile(DataFile("colors/Silver.color"));
    ColorTable read = Filled(C(9, 9, 9, 9));
    EXPECT_TRUE(ColorPresets::Apply(file, read).empty());
    EXPECT_EQ(read, silver);
}

TEST(ColorPresetsTest, AFileWithSomeColoursSetsThoseAndKeepsTheRest)
{
    FileData file;
    file.ReadFile(DataFile("colors/Partial.color"));
    const std::uint32_t kept = C(9, 8, 7, 6);
    ColorTable colors = Filled(kept);
    EXPECT_TRUE(ColorPresets::Apply(file, colors).empty());
    EXPECT_EQ(colors.Color(ColorTable::kBackground), C(255, 1, 2, 3));
    EXPECT_EQ(colors.Color(ColorTable::kText), C(128, 250, 251, 252));
    for (int index = 1; index <= ColorTable::kCount; ++index) {
        if (index != ColorTable::kBackground && index != ColorTable::kText) {
            EXPECT_EQ(colors.Color(index), kept) << index;
        }
    }
}

TEST(ColorPresetsTest, ColourMissingAValueOrHoldingOneBeyondAByteKeepsItsValue)
{
    FileData file;
    file.AddInteger("BACKGROUND_ALPHA", 10);
    file.AddInteger("BACKGROUND_RED", 20);
    file.AddInteger("BACKGROUND_GREEN", 30);
    file.AddInteger("BACKGROUND_BLUE", 40);
    // Three of four: kept without a word.
    file.AddInteger("TEXT_ALPHA", 1);
    file.AddInteger("TEXT_RED", 1);
    file.AddInteger("TEXT_GREEN", 1);
    // Present but not bytes.
    for (const char* part : {"_ALPHA", "_RED", "_GREEN", "_BLUE"})
        file.AddInteger(std::string("CELL_EDGE") + part, 7);
    file.SetValue(FileChunk::kInteger, "CELL_EDGE_RED", 256);
    for (const char* part : {"_ALPHA", "_RED", "_GREEN", "_BLUE"})
        file.AddInteger(std::string("CELL_FILL") + part, -1);
    // Another type under the right name counts as missing.
    for (const char* part : {"_ALPHA", "_RED", "_GREEN", "_BLUE"})
        file.AddString(std::string("SCALE_LINES") + part, "5");

    const std::uint32_t kept = C(9, 8, 7, 6);
    ColorTable colors = Filled(kept);
    EXPECT_EQ(ColorPresets::Apply(file, colors),
              (std::vector<int>{ColorTable::kCellEdge, ColorTable::kCellFill}));
    EXPECT_EQ(colors.Color(ColorTable::kBackground), C(10, 20, 30, 40));
    for (int index = 2; index <= ColorTable::kCount; ++index)
        EXPECT_EQ(colors.Color(index), kept) << index;
}

TEST(ColorPresetsTest, BuiltInPresetsFollowTheirTables)
{
    ColorTable colors = Filled(0);
    ColorPresets::ApplyStandard(ColorPresets::Standard::Default, colors);
    EXPECT_EQ(colors, ColorTable());

    ColorPresets::ApplyStandard(ColorPresets::Standard::RadarScreen, colors);
    EXPECT_EQ(colors.Color(ColorTable::kBackground), C(255, 0, 0, 0));
    EXPECT_EQ(colors.Color(ColorTable::kCenterOfGravity), C(160, 0, 255, 32));
    EXPECT_EQ(colors.Color(ColorTable::kFarFieldTransitionLine), C(96, 0, 255, 32));
    EXPECT_EQ(colors.Color(ColorTable::kSelectedItem), C(255, 0, 255, 96));
    EXPECT_EQ(colors.Color(ColorTable::kText), C(255, 0, 255, 0));

    // Silver sets every colour, the far field transition line included, whatever was there.
    colors = Filled(C(1, 1, 1, 1));
    ColorPresets::ApplyStandard(ColorPresets::Standard::Silver, colors);
    EXPECT_EQ(colors.Color(ColorTable::kBumperEdge), C(192, 12, 8, 28));
    EXPECT_EQ(colors.Color(ColorTable::kCenterOfGravity), C(128, 255, 0, 32));
    EXPECT_EQ(colors.Color(ColorTable::kFarFieldTransitionLine), C(128, 0, 0, 0));
    EXPECT_EQ(colors.Color(ColorTable::kSoundPathMiss), C(96, 16, 0, 0));
    EXPECT_THROW(ColorPresets::StandardColor(ColorPresets::Standard::Silver, 20), std::out_of_range);
}

TEST(ColorPresetsTest, ListsColourFilesByNameAndNothingElse)
{
    QTemporaryDir temp;
    const fs::path folder(temp.path().toStdString());
    for (const char* name : {"hall.color", "Arena.color", "b.color.bak", "notes.txt", ".color"})
        std::ofstream(folder / name) << "(int) A  1\r\n";
    fs::create_directory(folder / "Folder.color");

    const std::vector<ColorPresets::Saved> saved = ColorPresets::List(folder.string());
    ASSERT_EQ(saved.size(), 2u);
    EXPECT_EQ(saved[0], (ColorPresets::Saved{"Arena", (folder / "Arena.color").string()}));
    EXPECT_EQ(saved[1].name, "hall");
    EXPECT_TRUE(ColorPresets::List((folder / "missing").string()).empty());

    ASSERT_NE(ColorPresets::FindIgnoringCase(saved, "HALL"), nullptr);
    EXPECT_EQ(ColorPresets::FindIgnoringCase(saved, "HALL")->name, "hall");
    EXPECT_EQ(ColorPresets::FindIgnoringCase(saved, "hal"), nullptr);
}

TEST(ColorPresetsTest, NamesHoldingAFileNameCharacterOrAPointAreRefused)
{
    for (const char refused : std::string("\\/:*?\"<>|."))
        EXPECT_EQ(ColorPresets::RefusedCharacter(std::string("a") + refused + "b"), refused);
    EXPECT_EQ(ColorPresets::RefusedCharacter("My Preset (2) - 100%"), '\0');
}

} // namespace
} // namespace polvane
