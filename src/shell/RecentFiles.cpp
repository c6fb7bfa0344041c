#include "shell/RecentFiles.h"

#include <array>
#include <stdexcept>

#include "platform/SettingsStore.h"

namespace polvane {

std::string RecentFiles::ValueName(int slot) { return "File no. " + std::to_string(slot); }

void RecentFiles::AddToMRUList(const std::string& path)
{
    std::array<std::string, kSlotCount + 1> held; // 1-based
    for (int slot = 1; slot <= kSlotCount; ++slot)
        held[slot] = store_.GetSetting(SettingsStore::kRecentlyUsedFiles, ValueName(slot), kNone,
                                       true);
    int last = kSlotCount;
    for (int slot = kSlotCount; slot >= 1; --slot)
        if (held[slot] == path) {
            last = slot;
            break;
        }
    for (int slot = 2; slot <= last; ++slot)
        store_.SaveSetting(SettingsStore::kRecentlyUsedFiles, ValueName(slot), held[slot - 1]);
    store_.SaveSetting(SettingsStore::kRecentlyUsedFiles, ValueName(1), path);
}

std::string RecentFiles::Entry(int slot) const
{
    if (slot < 1 || slot > kSlotCount)
        throw std::out_of_range("Recent file slot " + std::to_string(slot) + " is not 1 to 9");
    return store_.ReadSetting(SettingsStore::kRecentlyUsedFiles, ValueName(slot)).value_or(kNone);
}

} // namespace polvane
