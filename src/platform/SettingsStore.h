#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace polvane {

// The program's persistent settings: string values in named sub-keys below one key path.
// Sub-keys are written with backslashes as the program has always named them
// ("Options\General"); each store maps them to its own storage.
//
// A sub-key is empty (the key path itself) or one or more non-empty parts joined by "\",
// without "/"; a value name is non-empty, without "\" or "/". Anything else is refused
// with std::invalid_argument before the store is touched.
class SettingsStore {
public:
    static constexpr std::string_view kKeyPath = "software\\Quesselcorp\\Polvane\\Version 2";

    static constexpr std::string_view kOptions = "Options";
    static constexpr std::string_view kGeneral = "Options\\General";
    static constexpr std::string_view kGraphAppearance = "Options\\Graph Appearance";
    static constexpr std::string_view kEnableRefinement = "Options\\Enable Refinement";
    static constexpr std::string_view kNotesWindow = "Options\\Notes Window";
    static constexpr std::string_view kColors = "Options\\Colors";
    static constexpr std::string_view kRecentlyUsedFiles = "Recently Used Files";
    static constexpr std::string_view kWindowPositions = "Window Positions";

    SettingsStore() = default;
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;
    virtual ~SettingsStore() = default;

    // The stored text, cut before its first NUL character; nothing when the value is
    // missing or is not text.
    std::optional<std::string> ReadSetting(std::string_view subKey, std::string_view name) const;

    // The stored text, or the default when there is none; with writeBack, a missing value
    // is stored with the default as it is read.
    std::string GetSetting(std::string_view subKey, std::string_view name,
                           std::string_view defaultText, bool writeBack = false);

    // Creates the sub-key when missing and stores the text whole.
    void SaveSetting(std::string_view subKey, std::string_view name, std::string_view value);

    // The key path joined with the sub-key by "\" (the key path alone for an empty one).
    static std::string FullKeyPath(std::string_view subKey);

    // Throw std::invalid_argument for a sub-key or value name that no store can hold.
    static void CheckSubKey(std::string_view subKey);
    static void CheckName(std::string_view name);

protected:
    // Called with a checked sub-key and name.
    virtual std::optional<std::string> ReadValue(std::string_view subKey,
                                                 std::string_view name) const = 0;
    virtual void WriteValue(std::string_view subKey, std::string_view name,
                            std::string_view value) = 0;
};

} // namespace polvane
