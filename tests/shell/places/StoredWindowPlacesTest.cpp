#include "shell/places/StoredWindowPlaces.h"

#include <string>

#include <gtest/gtest.h>

#include "shell/places/WindowPlace.h"
#include "support/MemorySettingsStore.h"

namespace polvane {
namespace {

class StoredWindowPlacesTest : public ::testing::Test {
protected:
    void Stored(const char* name, const char* text) { store_.SaveSetting("Window Positions", name, text); }
    std::string Text(const char* name) const
    {
        return store_.ReadSetting("Window Positions", name).value_or("");
    }

    MemorySettingsStore store_;
    StoredWindowPlaces places_{store_};
};

TEST_F(StoredWindowPlacesTest, AClosingWindowIsStoredOpenOnlyWithTheMainWindow)
{
    places_.SaveClosing("Notes", WindowPlace{true, 150, 300, true, 4500, 3000}, true);
    EXPECT_EQ(Text("Notes"), "1,150,300,4500,3000");
    places_.SaveClosing("Notes", WindowPlace{false, 15, 30, true, 1500, 1500}, true);
    EXPECT_EQ(Text("Notes"), "0,15,30,1500,1500");
}

TEST_F(StoredWindowPlacesTest, AWindowClosedUnseenKeepsThePlaceStoredForItHidden)
{
    const WindowPlace place{true, 150, 300, true, 4500, 3000};
    Stored("Listening Points", "1,600,700,5000,4000");
    places_.SaveClosing("Listening Points", place, false);
    EXPECT_EQ(Text("Listening Points"), "0,600,700,5000,4000");
    // With none stored, its own place, hidden.
    places_.SaveClosing("Venue", place, false);
    EXPECT_EQ(Text("Venue"), "0,150,300,4500,3000");
    // A stored text that is no place is left as it is.
    Stored("Calculations", "x");
    places_.SaveClosing("Calculations", WindowPlace{true, 1, 2, false, 0, 0}, false);
    EXPECT_EQ(Text("Calculations"), "x");
}

} // namespace
} // namespace polvane
