// The window layout reader: the typed key-value file and the window places taken from it.
// Every place must be held on the screen (ScreenPlace), and the records must survive a save
// and reload.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "files/FileData.h"
#include "files/FileFormatError.h"
#include "shell/ScreenPlace.h"

namespace {

using polvane::FileData;
using polvane::FuzzCheck;
using polvane::ScreenPlace;

constexpr int kScreenWidth = 1280;
constexpr int kScreenHeight = 1024;
constexpr int kTwips = 15;

int Pixels(std::optional<std::int32_t> twips) { return twips.value_or(0) / kTwips; }

void CheckPlace(const FileData& file, const std::string& window)
{
    const ScreenPlace::Rect stored{Pixels(file.FindInteger(window + "_LEFT")),
                                   Pixels(file.FindInteger(window + "_TOP")),
                                   Pixels(file.FindInteger(window + "_WIDTH")),
                                   Pixels(file.FindInteger(window + "_HEIGHT"))};
    const ScreenPlace::Rect held = ScreenPlace::HeldOnScreen(stored, kScreenWidth, kScreenHeight);
    FuzzCheck::Require(held.width >= 0 && held.width <= kScreenWidth &&
                           held.height >= 0 && held.height <= kScreenHeight,
                       "a held place is larger than the screen");
    FuzzCheck::Require(held.left >= 0 && held.top >= 0 &&
                           static_cast<long long>(held.left) + held.width <= kScreenWidth &&
                           static_cast<long long>(held.top) + held.height <= kScreenHeight,
                       "a held place is not wholly on the screen");
    FuzzCheck::Require(ScreenPlace::HeldOnScreen(held, kScreenWidth, kScreenHeight) == held,
                       "holding a held place moves it");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FileData file;
    try {
        file.ReadString(std::string_view(reinterpret_cast<const char*>(data), size), "fuzz");
    } catch (const polvane::FileFormatError&) {
        return 0;
    }
    // Every window a layout names, by the records ending in "_WINDOW_LEFT" ("MAIN_WINDOW_LEFT").
    constexpr std::string_view kLeft = "_LEFT";
    for (const polvane::FileChunk& chunk : file.Records()) {
        const std::string& name = chunk.Name();
        if (name.size() > kLeft.size() && name.ends_with(kLeft))
            CheckPlace(file, name.substr(0, name.size() - kLeft.size()));
    }
    std::string written;
    try {
        written = file.WriteString();
    } catch (const std::length_error&) {
        return 0;
    }
    FileData again;
    again.ReadString(written, "written");
    FuzzCheck::Require(again.WriteString() == written, "a layout changed in a round trip");
    return 0;
}
