#pragma once

#include <map>
#include <string>
#include <string_view>
#include <utility>

#include "platform/SettingsStore.h"

namespace polvane {

// Settings held in memory only, for tests: what was stored can be inspected whole.
class MemorySettingsStore : public SettingsStore {
public:
    // (sub-key, value name) to text.
    using Values = std::map<std::pair<std::string, std::string>, std::string>;

    MemorySettingsStore() = default;
    explicit MemorySettingsStore(Values values) : values_(std::move(values)) {}

    const Values& AllValues() const { return values_; }
    bool Contains(std::string_view subKey, std::string_view name) const;
    void Remove(std::string_view subKey, std::string_view name);
    // How many writes reached the store.
    int WriteCount() const { return writeCount_; }

protected:
    std::optional<std::string> ReadValue(std::string_view subKey,
                                         std::string_view name) const override;
    void WriteValue(std::string_view subKey, std::string_view name,
                    std::string_view value) override;

private:
    Values values_;
    int writeCount_ = 0;
};

} // namespace polvane
