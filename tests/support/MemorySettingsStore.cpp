#include "support/MemorySettingsStore.h"

namespace polvane {

namespace {
std::pair<std::string, std::string> KeyOf(std::string_view subKey, std::string_view name)
{
    return {std::string(subKey), std::string(name)};
}
} // namespace

bool MemorySettingsStore::Contains(std::string_view subKey, std::string_view name) const
{
    return values_.contains(KeyOf(subKey, name));
}

void MemorySettingsStore::Remove(std::string_view subKey, std::string_view name)
{
    values_.erase(KeyOf(subKey, name));
}

std::optional<std::string> MemorySettingsStore::ReadValue(std::string_view subKey,
                                                          std::string_view name) const
{
    const auto found = values_.find(KeyOf(subKey, name));
    if (found == values_.end())
        return std::nullopt;
    return found->second;
}

void MemorySettingsStore::WriteValue(std::string_view subKey, std::string_view name,
                                     std::string_view value)
{
    values_[KeyOf(subKey, name)] = std::string(value);
    ++writeCount_;
}

} // namespace polvane
