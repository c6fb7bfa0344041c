#include "shell/options/ColorTable.h"

#include <optional>
#include <stdexcept>
#include <string>

#include "platform/SettingsStore.h"
#include "shell/options/ArgbColor.h"

namespace polvane {

namespace {

struct ColorEntry {
    std::string_view name;
    std::uint32_t color;
};

constexpr std::uint32_t C(std::uint8_t a, std::uint8_t r, std::uint8_t g, std::uint8_t b)
{
    return ArgbColor::MakeARGB(a, r, g, b);
}

constexpr std::array<ColorEntry, ColorTable::kCount> kColors = {{
    {"Background", C(255, 255, 255, 255)},
    {"Bumper edge", C(255, 0, 0, 0)},
    {"Bumper fill", C(64, 0, 0, 0)},
    {"Cell edge", C(255, 72, 96, 120)},
    {"Cell fill", C(96, 96, 128, 160)},
    {"Center of gravity", C(128, 255, 0, 32)},
    {"Far field transition line", C(96, 128, 128, 128)},
    {"Graph Lines", C(128, 64, 0, 255)},
    {"Grid lines (normal)", C(24, 0, 0, 0)},
    {"Grid lines (zero)", C(96, 0, 0, 0)},
    {"Progress left", C(255, 16, 196, 255)},
    {"Progress right", C(255, 0, 64, 255)},
    {"Rigging cable", C(255, 24, 28, 24)},
    {"Scale lines", C(255, 0, 0, 0)},
    {"Seating area", C(255, 0, 0, 0)},
    {"Selected item", C(255, 0, 96, 255)},
    {"Sound path hit", C(128, 64, 0, 255)},
    {"Sound path miss", C(128, 64, 0, 255)},
    {"Text", C(255, 0, 0, 0)},
}};

} // namespace

ColorTable::ColorTable()
{
    for (std::size_t i = 0; i < colors_.size(); ++i)
        colors_[i] = kColors[i].color;
}

std::size_t ColorTable::Slot(int index)
{
    if (index < 1 || index > kCount)
        throw std::out_of_range("Colour number " + std::to_string(index) +
                                " is not in the colour table (1 to 19)");
    return static_cast<std::size_t>(index - 1);
}

std::uint32_t ColorTable::Color(int index) const { return colors_[Slot(index)]; }
void ColorTable::SetColor(int index, std::uint32_t argb) { colors_[Slot(index)] = argb; }
std::string_view ColorTable::Name(int index) { return kColors[Slot(index)].name; }
std::uint32_t ColorTable::DefaultColor(int index) { return kColors[Slot(index)].color; }

void ColorTable::Read(SettingsStore& store)
{
    for (std::size_t i = 0; i < colors_.size(); ++i) {
        const std::string text =
            store.GetSetting(SettingsStore::kColors, kColors[i].name,
                             ArgbColor::RegistryColorOutput(kColors[i].color), true);
        colors_[i] = ArgbColor::ReadColorText(text).value_or(kColors[i].color);
    }
}

void ColorTable::Store(SettingsStore& store) const
{
    for (std::size_t i = 0; i < colors_.size(); ++i)
        store.SaveSetting(SettingsStore::kColors, kColors[i].name,
                          ArgbColor::RegistryColorOutput(colors_[i]));
}

} // namespace polvane
