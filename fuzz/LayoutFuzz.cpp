// The window layout reader: the typed key-value file and the window places taken from it.
// Every place must be held wholly on the screen (ScreenPlace) at the size the window will take,
// and the records must survive a save and reload.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "files/FileData.h"
#include "files/FileFormatError.h"
#include "shell/places/ScreenPlace.h"

namespace {

using polvane::FileData;
using polvane::FuzzCheck;
using polvane::ScreenPlace;

constexpr int kScreenWidth = 1280;
constexpr int kScreenHeight = 1024;
constexpr int kTwips = 15;

int Pixels(std::optional<std::int32_t> twips) { return twips.value_or(0) / kTwips; }

// Least sizes of windows as they take their places: a tool window's smallest frame, the main
// window's (its menu and status bars), one as wide as the screen, and none at all.
constexpr ScreenPlace::Size kLeastSizes[] = {{100, 80}, {196, 120}, {kScreenWidth, 300}, {0, 0}};

void CheckPlace(const FileData& file, const std::string& window)
{
    const ScreenPlace::Rect stored{Pixels(file.FindInteger(window + "_LEFT")),
                                   Pixels(file.FindInteger(window + "_TOP")),
                                   Pixels(file.FindInteger(window + "_WIDTH")),
                                   Pixels(file.FindInteger(window + "_HEIGHT"))};
    for (const ScreenPlace::Size least : kLeastSizes) {
        const std::optional<ScreenPlace::Rect> held =
            ScreenPlace::HeldOnScreen(stored, least, kScreenWidth, kScreenHeight);
        FuzzCheck::Require(held.has_value(), "a window that fits the screen has no place on it");
        // The window is at least its least size, whatever the place asked for.
        const int takenWidth = std::max({held->width, least.width, 1});
        const int takenHeight = std::max({held->height, least.height, 1});
        FuzzCheck::Require(takenWidth == held->width && takenHeight == held->height,
                           "a held place is smaller than the window will take");
        FuzzCheck::Require(held->width <= kScreenWidth && held->height <= kScreenHeight,
                           "a held place is larger than the screen");
        FuzzCheck::Require(held->left >= 0 && held->top >= 0 &&
                               static_cast<long long>(held->left) + takenWidth <= kScreenWidth &&
                               static_cast<long long>(held->top) + takenHeight <= kScreenHeight,
                           "a held place is not wholly on the screen");
        FuzzCheck::Require(ScreenPlace::HeldOnScreen(*held, least, kScreenWidth, kScreenHeight) == held,
                           "holding a held place moves it");
    }
    // A window larger than the screen has no place on it: the caller takes its default.
    FuzzCheck::Require(!ScreenPlace::HeldOnScreen(stored, {kScreenWidth + 1, 1}, kScreenWidth, kScreenHeight),
                       "a window wider than the screen was given a place on it");
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
