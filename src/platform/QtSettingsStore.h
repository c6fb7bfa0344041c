#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/SettingsStore.h"

class QSettings;

namespace polvane {

// The settings in a QSettings store. The store itself stands for
// "software\Quesselcorp\Polvane"; each sub-key below it becomes a chain of QSettings
// groups (see GroupFor), so on Windows the values land in the registry where the
// program has always kept them.
class QtSettingsStore : public SettingsStore {
public:
    // The current user's settings: organisation "Quesselcorp", application "Polvane",
    // in the platform's native form (on Linux a file in the user's config folder).
    QtSettingsStore();
    // An INI file of the caller's choosing, created on the first write; tests use this
    // so that they never touch the user's settings.
    explicit QtSettingsStore(const std::string& iniFile);
    ~QtSettingsStore() override;

    // The QSettings group of a sub-key: "Options\General" gives "Version 2/Options/General",
    // the empty sub-key "Version 2".
    static std::string GroupFor(std::string_view subKey);

    // The file or registry place that holds the settings.
    std::string Location() const;

    // Called once, with a message for the user, the first time values cannot be written
    // (a read-only settings file); without it the message goes to the standard error.
    void OnWriteFailure(std::function<void(const std::string&)> report);

protected:
    std::optional<std::string> ReadValue(std::string_view subKey,
                                         std::string_view name) const override;
    void WriteValue(std::string_view subKey, std::string_view name,
                    std::string_view value) override;

private:
    std::unique_ptr<QSettings> settings_;
    std::function<void(const std::string&)> reportWriteFailure_;
    bool writeFailureReported_ = false;
};

} // namespace polvane
