#pragma once

#include <functional>
#include <string>
#include <vector>

namespace polvane {

class SettingsStore;

// The recently used venue files under "Recently Used Files": "File no. 1" (the most
// recent) to "File no. 9", each a full path or "(none)".
class RecentFiles {
public:
    static constexpr int kSlotCount = 9;
    static constexpr const char* kNone = "(none)";
    // The widest a menu item's path may be, in pixels.
    static constexpr int kMaxItemWidth = 300;

    explicit RecentFiles(SettingsStore& store) : store_(store) {}

    // "File no. " + n.
    static std::string ValueName(int slot);

    // Puts the path at the top: a path already listed moves up from its place (the entries
    // above it move down one, those below stay); a new one pushes every entry down and the
    // ninth falls off. Missing entries are written back as "(none)".
    void AddToMRUList(const std::string& path);
    // The entry of slot 1..9 (std::out_of_range otherwise); "(none)" when empty.
    std::string Entry(int slot) const;
    // The paths the File menu lists: slots 1 up to count (at most nine), ending at the
    // first empty slot. A missing slot read on the way is written back as "(none)".
    std::vector<std::string> ListedPaths(int count);

    // A path as its menu item shows it: the path itself when it is at most maxWidth wide;
    // else "..." and the path from its first separator ("\" or "/") on, then from each
    // later one, whichever first fits; else the last of these (the file name) cut from the
    // right a character at a time, with "..." appended, until it fits. width measures a
    // text in pixels.
    static std::string ShortenPath(const std::string& path,
                                   const std::function<int(const std::string&)>& width,
                                   int maxWidth = kMaxItemWidth);

private:
    SettingsStore& store_;
};

} // namespace polvane
