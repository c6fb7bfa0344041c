#include "shell/places/ScreenPlace.h"

#include <climits>
#include <optional>

#include <gtest/gtest.h>

namespace polvane {
namespace {

using Rect = ScreenPlace::Rect;
using Size = ScreenPlace::Size;

TEST(ScreenPlace, StoredPlacesAreHeldOnTheScreen)
{
    constexpr int kWidth = 1280;
    constexpr int kHeight = 1024;
    const struct {
        const char* what;
        Rect stored;
        Size least;
        Rect held;
    } cases[] = {
        {"on the screen", {100, 50, 800, 600}, {20, 20}, {100, 50, 800, 600}},
        {"filling the screen", {0, 0, 1280, 1024}, {20, 20}, {0, 0, 1280, 1024}},
        {"touching the right and bottom edges", {480, 424, 800, 600}, {20, 20}, {480, 424, 800, 600}},
        {"half off the left", {-400, 10, 800, 600}, {20, 20}, {0, 10, 800, 600}},
        {"off the right (a removed monitor)", {3000, 200, 800, 600}, {20, 20}, {480, 200, 800, 600}},
        {"above the screen", {100, -300, 800, 600}, {20, 20}, {100, 0, 800, 600}},
        {"below the screen", {100, 5000, 800, 600}, {20, 20}, {100, 424, 800, 600}},
        {"larger than the screen", {10, 10, 20000, 20000}, {20, 20}, {0, 0, 1280, 1024}},
        {"huge everything", {INT_MAX, INT_MAX, INT_MAX, INT_MAX}, {20, 20}, {0, 0, 1280, 1024}},
        {"most negative everything", {INT_MIN, INT_MIN, INT_MIN, INT_MIN}, {196, 120}, {0, 0, 196, 120}},
        {"huge place, small window", {INT_MAX, INT_MIN, 20, 20}, {20, 20}, {1260, 0, 20, 20}},
        // The window's least size, not the stored nothing, decides how far in it must come.
        {"no size past the bottom right corner", {INT_MAX, INT_MAX, -800, -600}, {196, 120},
         {1084, 904, 196, 120}},
        {"no width past the right edge", {INT_MAX, INT_MIN, -800, INT_MAX}, {196, 120},
         {1084, 0, 196, 1024}},
        {"smaller than the window takes", {500, 500, 50, 50}, {196, 120}, {500, 500, 196, 120}},
        {"least size of the whole screen", {300, 300, 10, 10}, {1280, 1024}, {0, 0, 1280, 1024}},
        {"no least size is one pixel", {2000, 2000, 0, 0}, {0, -5}, {1279, 1023, 1, 1}},
    };
    for (const auto& c : cases) {
        const std::optional<Rect> held = ScreenPlace::HeldOnScreen(c.stored, c.least, kWidth, kHeight);
        ASSERT_TRUE(held) << c.what;
        EXPECT_EQ(*held, c.held) << c.what << ": " << held->left << "," << held->top << ","
                                 << held->width << "," << held->height;
        EXPECT_EQ(ScreenPlace::HeldOnScreen(*held, c.least, kWidth, kHeight), held) << c.what;
    }
}

// No place holds a window larger than the screen wholly on it: the caller takes the window's
// default place.
TEST(ScreenPlace, AWindowLargerThanTheScreenHasNoPlaceOnIt)
{
    EXPECT_FALSE(ScreenPlace::HeldOnScreen({0, 0, 800, 600}, {1281, 100}, 1280, 1024));
    EXPECT_FALSE(ScreenPlace::HeldOnScreen({0, 0, 800, 600}, {100, 1025}, 1280, 1024));
    // A screen of no size is taken as one pixel, which holds only a window of one.
    EXPECT_FALSE(ScreenPlace::HeldOnScreen({INT_MAX, -5, INT_MAX, 300}, {196, 120}, 0, 0));
    EXPECT_EQ(ScreenPlace::HeldOnScreen({INT_MAX, -5, INT_MAX, 300}, {0, 0}, 0, 0), (Rect{0, 0, 1, 1}));
}

} // namespace
} // namespace polvane
