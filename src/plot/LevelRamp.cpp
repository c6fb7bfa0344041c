#include "plot/LevelRamp.h"

#include <algorithm>
#include <cmath>

#include "model/Format.h"
#include "shell/options/ArgbColor.h"

namespace polvane {
namespace {

constexpr int kRun = 64;

std::uint8_t Byte(double value) { return static_cast<std::uint8_t>(std::clamp(Format::WholeHalfEven(value), 0, 255)); }

} // namespace

LevelRamp::LevelRamp()
{
    for (int j = 0; j < kRun; ++j) {
        const std::uint8_t rising = Byte(j * 256.0 / kRun);
        const std::uint8_t falling = Byte((kRun - j) * 255.0 / kRun);
        colors_[static_cast<std::size_t>(j)] = ArgbColor::MakeARGB(255, 255, rising, 0);
        colors_[static_cast<std::size_t>(kRun + j)] = ArgbColor::MakeARGB(255, falling, 255, 0);
        colors_[static_cast<std::size_t>(2 * kRun + j)] = ArgbColor::MakeARGB(255, 0, 255, rising);
        colors_[static_cast<std::size_t>(3 * kRun + j)] = ArgbColor::MakeARGB(255, 0, falling, 255);
    }
}

std::uint32_t LevelRamp::Color(int index) const
{
    return colors_[static_cast<std::size_t>(std::clamp(index, 0, kSize - 1))];
}

int LevelRamp::IndexOf(float level)
{
    if (std::isnan(level))
        return kSize - 1;
    const double floored = std::max(static_cast<double>(level), -static_cast<double>(kRangeDb));
    const int index = Format::WholeHalfEven(-floored / kRangeDb * (kSize - 1));
    return std::clamp(index, 0, kSize - 1);
}

} // namespace polvane
