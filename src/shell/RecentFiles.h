#pragma once

#include <string>

namespace polvane {

class SettingsStore;

// The recently used venue files under "Recently Used Files": "File no. 1" (the most
// recent) to "File no. 9", each a full path or "(none)".
class RecentFiles {
public:
    static constexpr int kSlotCount = 9;
    static constexpr const char* kNone = "(none)";

    explicit RecentFiles(SettingsStore& store) : store_(store) {}

    // "File no. " + n.
    static std::string ValueName(int slot);

    // Puts the path at the top: a path already listed moves up from its place (the entries
    // above it move down one, those below stay); a new one pushes every entry down and the
    // ninth falls off. Missing entries are written back as "(none)".
    void AddToMRUList(const std::string& path);
    // The entry of slot 1..9 (std::out_of_range otherwise); "(none)" when empty.
    std::string Entry(int slot) const;

private:
    SettingsStore& store_;
};

} // namespace polvane
