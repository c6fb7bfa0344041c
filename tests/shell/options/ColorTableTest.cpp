#include "shell/options/ColorTable.h"

#include <optional>
#include <stdexcept>

#include <gtest/gtest.h>

#include "shell/options/ArgbColor.h"
#include "shell/options/CurveColors.h"
#include "support/MemorySettingsStore.h"

namespace polvane {
namespace {

TEST(ArgbColor, PacksAlphaRedGreenBlueFromTheTopByteDown)
{
    const std::uint32_t color = ArgbColor::MakeARGB(255, 0, 64, 255);
    EXPECT_EQ(color, 0xFF0040FFu);
    EXPECT_EQ(ArgbColor::ARGBToRGB(color), 64u * 256 + 255u * 65536);
    EXPECT_EQ(ArgbColor::RegistryColorOutput(color), "255,0,64,255");
    EXPECT_EQ(ArgbColor::RegistryColorOutput(ArgbColor::MakeARGB(0, 7, 0, 10)), "0,7,0,10");
}

TEST(ArgbColor, ReadsColourTexts)
{
    struct Case {
        const char* text;
        std::optional<std::uint32_t> color;
    };
    const Case cases[] = {
        {"255,0,64,255", 0xFF0040FFu},
        {"255,255,255,255", 0xFFFFFFFFu},
        {" 24 , 0,0 ,0", 0x18000000u},
        {"254.5,0.5,1.5,2.5", 0xFE000202u}, // halves to even
        {"-0.4,0,0,255.4", 0x000000FFu},
        {"1,2,3,4,99", 0x01020304u},        // parts after the fourth do not count
        {"255,0,64", std::nullopt},
        {"255,0,64,", std::nullopt},
        {"255,,64,255", std::nullopt},
        {"255,0,64,256", std::nullopt},
        {"255,0,64,255.5", std::nullopt},   // rounds to 256
        {"-1,0,0,0", std::nullopt},
        {"255,0,64,2x", std::nullopt},
        {"red", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ArgbColor::ReadColorText(c.text), c.color) << '"' << c.text << '"';
}

TEST(ColorTable, FirstReadStoresEveryDefault)
{
    MemorySettingsStore store;
    ColorTable table;
    table.SetColor(ColorTable::kText, 0x12345678u);
    table.Read(store);
    EXPECT_EQ(table, ColorTable());
    EXPECT_EQ(store.AllValues().size(), 19u);
    EXPECT_EQ(store.ReadSetting("Options\\Colors", "Background"), "255,255,255,255");
    EXPECT_EQ(store.ReadSetting("Options\\Colors", "Grid lines (normal)"), "24,0,0,0");
    EXPECT_EQ(store.ReadSetting("Options\\Colors", "Graph Lines"), "128,64,0,255");
    EXPECT_EQ(store.ReadSetting("Options\\Colors", "Text"), "255,0,0,0");
}

TEST(ColorTable, AMalformedStoredColourGivesItsDefaultAndStaysAsStored)
{
    MemorySettingsStore store;
    store.SaveSetting("Options\\Colors", "Cell fill", "1,2,3");
    store.SaveSetting("Options\\Colors", "Selected item", "10,20,30,40");
    ColorTable table;
    table.Read(store);
    EXPECT_EQ(table.Color(ColorTable::kCellFill), ArgbColor::MakeARGB(96, 96, 128, 160));
    EXPECT_EQ(store.ReadSetting("Options\\Colors", "Cell fill"), "1,2,3");
    EXPECT_EQ(table.Color(ColorTable::kSelectedItem), ArgbColor::MakeARGB(10, 20, 30, 40));

    table.SetColor(ColorTable::kCellFill, ArgbColor::MakeARGB(1, 2, 3, 4));
    table.Store(store);
    EXPECT_EQ(store.ReadSetting("Options\\Colors", "Cell fill"), "1,2,3,4");
}

TEST(ColorTable, IndicesRunFrom1To19)
{
    ColorTable table;
    EXPECT_EQ(ColorTable::Name(1), "Background");
    EXPECT_EQ(ColorTable::Name(ColorTable::kFarFieldTransitionLine), "Far field transition line");
    EXPECT_EQ(ColorTable::Name(19), "Text");
    EXPECT_THROW(table.Color(0), std::out_of_range);
    EXPECT_THROW(table.SetColor(20, 0), std::out_of_range);
    EXPECT_EQ(CurveColors::Color(1), 0xFF000000u);
    EXPECT_EQ(CurveColors::Color(8), ArgbColor::MakeARGB(255, 224, 0, 224));
    EXPECT_THROW(CurveColors::Color(9), std::out_of_range);
}

} // namespace
} // namespace polvane
