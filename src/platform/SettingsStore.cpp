#include "platform/SettingsStore.h"

#include <stdexcept>

namespace polvane {

namespace {
std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }
} // namespace

void SettingsStore::CheckSubKey(std::string_view subKey)
{
    if (subKey.empty())
        return;
    if (subKey.find('/') != std::string_view::npos)
        throw std::invalid_argument("A settings sub-key cannot contain \"/\": " + Quoted(subKey));
    std::size_t start = 0;
    while (true) {
        const std::size_t end = subKey.find('\\', start);
        const std::size_t length = (end == std::string_view::npos ? subKey.size() : end) - start;
        if (length == 0)
            throw std::invalid_argument("A settings sub-key has an empty part: " + Quoted(subKey));
        if (end == std::string_view::npos)
            return;
        start = end + 1;
    }
}

void SettingsStore::CheckName(std::string_view name)
{
    if (name.empty())
        throw std::invalid_argument("A settings value needs a name");
    if (name.find_first_of("\\/") != std::string_view::npos)
        throw std::invalid_argument("A settings value name cannot contain \"\\\" or \"/\": " +
                                    Quoted(name));
}

std::string SettingsStore::FullKeyPath(std::string_view subKey)
{
    std::string path(kKeyPath);
    if (!subKey.empty()) {
        path += '\\';
        path += subKey;
    }
    return path;
}

std::optional<std::string> SettingsStore::ReadSetting(std::string_view subKey,
                                                      std::string_view name) const
{
    CheckSubKey(subKey);
    CheckName(name);
    std::optional<std::string> text = ReadValue(subKey, name);
    if (text) {
        const std::size_t nul = text->find('\0');
        if (nul != std::string::npos)
            text->resize(nul);
    }
    return text;
}

std::string SettingsStore::GetSetting(std::string_view subKey, std::string_view name,
                                      std::string_view defaultText, bool writeBack)
{
    if (std::optional<std::string> text = ReadSetting(subKey, name))
        return std::move(*text);
    if (writeBack)
        WriteValue(subKey, name, defaultText);
    return std::string(defaultText);
}

void SettingsStore::SaveSetting(std::string_view subKey, std::string_view name,
                                std::string_view value)
{
    CheckSubKey(subKey);
    CheckName(name);
    WriteValue(subKey, name, value);
}

} // namespace polvane
