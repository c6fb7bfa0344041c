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
        {"touching the right and bottom edges", {480, 424, 800, 600}, {480, 424, 800, 600}},
        {"half off the left", {-400, 10, 800, 600}, {0, 10, 800, 600}},
        {"off the right (a removed monitor)", {3000, 200, 800, 600}, {480, 200, 800, 600}},
        {"above the screen", {100, -300, 800, 600}, {100, 0, 800, 600}},
        {"below the screen", {100, 5000, 800, 600}, {100, 424, 800, 600}},
        {"larger than the screen", {10, 10, 20000, 20000}, {0, 0, 1280, 1024}},
        {"huge everything", {INT_MAX, INT_MAX, INT_MAX, INT_MAX}, {0, 0, 1280, 1024}},
        {"most negative everything", {INT_MIN, INT_MIN, INT_MIN, INT_MIN}, {0, 0, 0, 0}},
        {"huge place, small window", {INT_MAX, INT_MIN, 20, 20}, {1260, 0, 20, 20}},
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
    EXPECT_EQ(held, (Rect{0, 0, 1, 1}));
}

} // namespace
} // namespace polvane
