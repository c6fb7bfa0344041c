#include "shell/session/RecentFiles.h"

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/MemorySettingsStore.h"

namespace polvane {
namespace {

// Every character (byte) one pixel wide, so the limits below are character counts.
int Bytes(const std::string& text) { return static_cast<int>(text.size()); }

TEST(RecentFiles, AListedPathMovesUpAndANewOnePushesTheNinthOff)
{
    MemorySettingsStore store;
    RecentFiles recent(store);
    for (int i = 1; i <= 9; ++i)
        recent.AddToMRUList("/v/" + std::to_string(i));
    // Slot n now holds /v/(10 - n); /v/5 is in slot 5.
    recent.AddToMRUList("/v/5");
    const std::vector<std::string> moved = {"/v/5", "/v/9", "/v/8", "/v/7", "/v/6",
                                            "/v/4", "/v/3", "/v/2", "/v/1"};
    for (int slot = 1; slot <= 9; ++slot)
        EXPECT_EQ(recent.Entry(slot), moved[slot - 1]) << slot;
    recent.AddToMRUList("/v/new");
    EXPECT_EQ(recent.Entry(1), "/v/new");
    EXPECT_EQ(recent.Entry(9), "/v/2");
}

// A path given on the command line is relative to the folder the program started in; the
// list must still name that file when the program starts elsewhere.
TEST(RecentFiles, RelativePathsAreStoredAsAbsolutePaths)
{
    MemorySettingsStore store;
    RecentFiles recent(store);
    const std::string absolute = (std::filesystem::current_path() / "hall.venue").string();
    recent.AddToMRUList("venues/../hall.venue");
    EXPECT_EQ(recent.Entry(1), absolute);
    recent.AddToMRUList("hall.venue");
    EXPECT_EQ(recent.ListedPaths(9), std::vector<std::string>{absolute});
}

TEST(RecentFiles, ListedPathsStopAtTheFirstEmptySlotAndWriteMissingOnesBack)
{
    MemorySettingsStore store;
    RecentFiles recent(store);
    store.SaveSetting(SettingsStore::kRecentlyUsedFiles, "File no. 1", "a");
    store.SaveSetting(SettingsStore::kRecentlyUsedFiles, "File no. 2", "b");
    EXPECT_EQ(recent.ListedPaths(1), std::vector<std::string>{"a"});
    EXPECT_EQ(recent.ListedPaths(0), std::vector<std::string>{});
    EXPECT_EQ(recent.ListedPaths(100), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(store.ReadSetting(SettingsStore::kRecentlyUsedFiles, "File no. 3"), "(none)");
    EXPECT_FALSE(store.ReadSetting(SettingsStore::kRecentlyUsedFiles, "File no. 4"));
}

TEST(RecentFiles, WidePathsAreShortenedFromTheLeftThenCut)
{
    struct Case {
        const char* path;
        int maxWidth;
        const char* shown;
    };
    const Case cases[] = {
        {"/short/name.venue", 17, "/short/name.venue"},
        // "..." and the path from the first separator that fits.
        {"/aaaa/bbbb/name.venue", 20, ".../bbbb/name.venue"},
        {"C:\\aaaa\\bbbb\\name.venue", 19, "...\\bbbb\\name.venue"},
        {"/aaaa/bbbb/name.venue", 14, ".../name.venue"},
        // Not even the file name fits: it is cut, "..." appended.
        {"/aaaa/bbbb/name.venue", 13, ".../name.v..."},
        {"/aaaa/bbbb/name.venue", 2, "..."},
        // No separator at all: the path itself is cut.
        {"averylongname.venue", 10, "averylo..."},
        // Never inside a character.
        {"/d/\xc3\xa9\xc3\xa9\xc3\xa9.venue", 10, ".../\xc3\xa9..."},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RecentFiles::ShortenPath(c.path, Bytes, c.maxWidth), c.shown) << c.path;
}

} // namespace
} // namespace polvane
