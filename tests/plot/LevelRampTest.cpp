#include "plot/LevelRamp.h"

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "shell/options/ArgbColor.h"

namespace polvane {
namespace {

TEST(LevelRampTest, LevelsMapOntoTheRampAndClampBelowThirtySixDecibels)
{
    struct Case {
        float level;
        int index;
    };
    const Case cases[] = {
        {0.0f, 0},
        {-18.0f, 128}, // 127.5 goes to the even neighbour
        {-36.0f, 255},
        {-90.0f, 255},
        {-std::numeric_limits<float>::infinity(), 255},
        {std::numeric_limits<float>::quiet_NaN(), 255},
        {3.0f, 0},
        {-9.0f, 64}, // 63.75
        {-0.1f, 1},  // 0.708
    };
    for (const Case& c : cases)
        EXPECT_EQ(LevelRamp::IndexOf(c.level), c.index) << c.level;
}

TEST(LevelRampTest, RampRunsFromRedThroughYellowGreenAndCyanToBlue)
{
    const LevelRamp ramp;
    struct Case {
        int index;
        std::uint32_t argb;
    };
    const Case cases[] = {
        {0, ArgbColor::MakeARGB(255, 255, 0, 0)},     // loudest: red
        {1, ArgbColor::MakeARGB(255, 255, 4, 0)},
        {63, ArgbColor::MakeARGB(255, 255, 252, 0)},
        {64, ArgbColor::MakeARGB(255, 255, 255, 0)},  // yellow
        {127, ArgbColor::MakeARGB(255, 4, 255, 0)},   // 3.98
        {128, ArgbColor::MakeARGB(255, 0, 255, 0)},   // green, at -18 dB
        {191, ArgbColor::MakeARGB(255, 0, 255, 252)},
        {192, ArgbColor::MakeARGB(255, 0, 255, 255)}, // cyan
        {255, ArgbColor::MakeARGB(255, 0, 4, 255)},   // blue at -36 dB
        {-5, ArgbColor::MakeARGB(255, 255, 0, 0)},
        {300, ArgbColor::MakeARGB(255, 0, 4, 255)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ramp.Color(c.index), c.argb) << c.index;
    EXPECT_EQ(ramp.ColorOf(-18.0f), ramp.Color(128));
}

} // namespace
} // namespace polvane
