#include "shell/places/WindowPositions.h"

#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "shell/places/PlaceableWindow.h"
#include "shell/places/WindowPlace.h"
#include "support/MemorySettingsStore.h"

namespace polvane {
namespace {

TEST(WindowPlace, ParsesStoredPlacesAndRefusesTooFewFields)
{
    struct Case {
        const char* text;
        bool sizable;
        std::optional<WindowPlace> place;
    };
    const Case cases[] = {
        {"1,120,345", false, WindowPlace{true, 120, 345, false, 0, 0}},
        {"0,120,345,4800,3600", true, WindowPlace{false, 120, 345, true, 4800, 3600}},
        {"0,120,345,4800,3600", false, WindowPlace{false, 120, 345, false, 0, 0}},
        {"1,-60,0,,", false, WindowPlace{true, -60, 0, false, 0, 0}},
        {"2,100.5,201.5", false, WindowPlace{true, 100, 202, false, 0, 0}},
        {"0,100,200", true, std::nullopt},
        {"1,120", false, std::nullopt},
        {"1,", false, std::nullopt},
        {"", false, std::nullopt},
        {"1,12a,345", false, std::nullopt},
        {"1,120,,4800,3600", true, std::nullopt},
        {"1,1e10,0", false, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WindowPlace::Parse(c.text, c.sizable), c.place) << c.text;

    EXPECT_EQ((WindowPlace{true, 120, 345, false, 9, 9}.Text()), "1,120,345");
    EXPECT_EQ((WindowPlace{false, 120, 345, true, 4800, 3600}.Text()), "0,120,345,4800,3600");
}

class FakeWindow : public PlaceableWindow {
public:
    explicit FakeWindow(bool sizable) : sizable_(sizable) {}
    bool IsSizable() const override { return sizable_; }
    int Left() const override { return left; }
    int Top() const override { return top; }
    int NeededWidth() const override { return 0; }
    int NeededHeight() const override { return 0; }
    int Width() const override { return width; }
    int Height() const override { return height; }
    void Move(int l, int t) override { Record("move", l, t); }
    void Move(int l, int t, int w, int h) override
    {
        Record("move", l, t);
        width = w, height = h;
    }
    void Show() override
    {
        calls.push_back(std::string("show") + (WindowPositions::IsPositioning() ? " positioning" : ""));
    }

    int left = 10, top = 20, width = 300, height = 200;
    std::vector<std::string> calls;

private:
    void Record(const char* what, int l, int t)
    {
        left = l, top = t;
        calls.push_back(std::string(what) + (WindowPositions::IsPositioning() ? " positioning" : ""));
    }
    bool sizable_;
};

class WindowPositionsTest : public ::testing::Test {
protected:
    void Stored(const char* name, const char* text) { store_.SaveSetting("Window Positions", name, text); }

    MemorySettingsStore store_;
    WindowPositions positions_{store_};
};

TEST_F(WindowPositionsTest, AHiddenPlaceIsRestoredOnlyWhenForced)
{
    Stored("Notes", "0,100,200");
    FakeWindow window(false);
    positions_.PositionWindow(window, "Notes", false);
    EXPECT_TRUE(window.calls.empty());

    positions_.PositionWindow(window, "Notes", true);
    EXPECT_EQ(window.calls, (std::vector<std::string>{"move positioning", "show positioning"}));
    EXPECT_EQ(window.left, 100);
    EXPECT_EQ(window.top, 200);
    EXPECT_FALSE(WindowPositions::IsPositioning());
}

TEST_F(WindowPositionsTest, TooFewFieldsCountAsNoPlace)
{
    Stored("Venue", "1,100,200"); // the Venue window is sizable: width and height are missing
    FakeWindow venue(true);
    positions_.PositionWindow(venue, "Venue", false);
    EXPECT_TRUE(venue.calls.empty());
    positions_.PositionWindow(venue, "Venue", true);
    EXPECT_EQ(venue.calls, (std::vector<std::string>{"show"}));
    EXPECT_EQ(venue.left, 10) << "shown where it is";
}

TEST_F(WindowPositionsTest, SizableWindowsKeepTheirSize)
{
    FakeWindow window(true);
    window.left = 120, window.top = 345, window.width = 4800, window.height = 3600;
    positions_.SaveFormPosition(window, "Array Picture", true);
    EXPECT_EQ(store_.ReadSetting("Window Positions", "Array Picture"), "1,120,345,4800,3600");

    FakeWindow restored(true);
    positions_.PositionWindow(restored, "Array Picture", false);
    EXPECT_EQ((std::vector<int>{restored.left, restored.top, restored.width, restored.height}),
              (std::vector<int>{120, 345, 4800, 3600}));

    FakeWindow fixed(false);
    positions_.SaveFormPosition(fixed, "Calculations", false);
    EXPECT_EQ(store_.ReadSetting("Window Positions", "Calculations"), "0,10,20");
}

} // namespace
} // namespace polvane
