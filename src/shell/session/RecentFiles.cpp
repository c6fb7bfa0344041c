#include "shell/session/RecentFiles.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <stdexcept>
#include <system_error>

#include "platform/SettingsStore.h"

namespace polvane {

namespace fs = std::filesystem;

std::string RecentFiles::ValueName(int slot) { return "File no. " + std::to_string(slot); }

void RecentFiles::AddToMRUList(const std::string& given)
{
    // A relative path (from the command line) would name another file, or none, once the
    // program starts from another folder.
    std::error_code error;
    const fs::path absolute = given.empty() ? fs::path() : fs::absolute(fs::path(given), error);
    const std::string path = error || given.empty() ? given : absolute.lexically_normal().string();
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

std::vector<std::string> RecentFiles::ListedPaths(int count)
{
    std::vector<std::string> paths;
    for (int slot = 1; slot <= std::min(count, kSlotCount); ++slot) {
        std::string path =
            store_.GetSetting(SettingsStore::kRecentlyUsedFiles, ValueName(slot), kNone, true);
        if (path == kNone)
            break;
        paths.push_back(std::move(path));
    }
    return paths;
}

namespace {
// Drops the last character, never splitting a UTF-8 sequence.
void DropLastCharacter(std::string& text)
{
    while (!text.empty()) {
        const auto byte = static_cast<unsigned char>(text.back());
        text.pop_back();
        if ((byte & 0xC0) != 0x80)
            return;
    }
}
} // namespace

std::string RecentFiles::ShortenPath(const std::string& path,
                                     const std::function<int(const std::string&)>& width,
                                     int maxWidth)
{
    if (width(path) <= maxWidth)
        return path;
    // A path without any separator is cut down whole.
    std::string candidate = path;
    for (std::size_t at = path.find_first_of("\\/"); at != std::string::npos;
         at = path.find_first_of("\\/", at + 1)) {
        candidate = "..." + path.substr(at);
        if (width(candidate) <= maxWidth)
            return candidate;
    }
    while (!candidate.empty()) {
        DropLastCharacter(candidate);
        if (width(candidate + "...") <= maxWidth)
            break;
    }
    return candidate + "...";
}

} // namespace polvane
