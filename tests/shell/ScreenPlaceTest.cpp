#include "shell/ScreenPlace.h"

#include <climits>

#include <gtest/gtest.h>

namespace polvane {
namespace {

using Rect = ScreenPlace::Rect;

TEST(ScreenPlace, StoredPlacesAreHeldOnTheScreen)
{
    constexpr int kWidth = 1280;
    constexpr int kHeight = 1024;
    const struct {
        const char* what;
        Rect stored;
        Rect held;
    } cases[] = {
        {"on the screen", {100, 50, 800, 600}, {100, 50, 800, 600}},
        {"filling the screen", {0, 0, 1280, 1024}, {0, 0, 1280, 1024}},
        {"half off the left, title bar reachable", {-700, 10, 800, 600}, {-700, 10, 800, 600}},
        {"off the left", {-5000, 10, 800, 600}, {-760, 10, 800, 600}},
        {"off the right (a removed monitor)", {3000, 200, 800, 600}, {1240, 200, 800, 600}},
        {"above the screen", {100, -300, 800, 600}, {100, 0, 800, 600}},
        {"below the screen", {100, 5000, 800, 600}, {100, 984, 800, 600}},
        {"larger than the screen", {0, 0, 20000, 20000}, {0, 0, 1280, 1024}},
        {"huge everything", {INT_MAX, INT_MAX, INT_MAX, INT_MAX}, {1240, 984, 1280, 1024}},
        {"most negative everything", {INT_MIN, INT_MIN, INT_MIN, INT_MIN}, {0, 0, 0, 0}},
        {"narrower than the grip", {-50, 10, 20, 20}, {0, 10, 20, 20}},
        {"narrow at the right edge", {1275, 10, 20, 20}, {1260, 10, 20, 20}},
    };
    for (const auto& c : cases) {
        const Rect held = ScreenPlace::HeldOnScreen(c.stored, kWidth, kHeight);
        EXPECT_EQ(held, c.held) << c.what << ": " << held.left << "," << held.top << ","
                                << held.width << "," << held.height;
        EXPECT_EQ(ScreenPlace::HeldOnScreen(held, kWidth, kHeight), held) << c.what;
    }
}

TEST(ScreenPlace, AScreenOfNoSizeStillGivesAPlace)
{
    const Rect held = ScreenPlace::HeldOnScreen({INT_MAX, -5, INT_MAX, 300}, 0, 0);
    EXPECT_LE(held.width, 1);
    EXPECT_LE(held.height, 1);
    EXPECT_GE(held.top, 0);
}

} // namespace
} // namespace polvane
