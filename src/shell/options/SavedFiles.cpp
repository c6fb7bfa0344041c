#include "shell/options/SavedFiles.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include <QString>

namespace polvane {

namespace fs = std::filesystem;

std::vector<SavedFiles::Saved> SavedFiles::List(const std::string& folder, std::string_view extension)
{
    std::vector<Saved> saved;
    std::error_code error;
    std::error_code kind;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        const std::string fileName = entry->path().filename().string();
        if (fileName.size() > extension.size() &&
            std::string_view(fileName).substr(fileName.size() - extension.size()) == extension &&
            !entry->is_directory(kind))
            saved.push_back({fileName.substr(0, fileName.size() - extension.size()), entry->path().string()});
    }
    std::sort(saved.begin(), saved.end(), [](const Saved& a, const Saved& b) { return a.name < b.name; });
    return saved;
}

const SavedFiles::Saved* SavedFiles::FindIgnoringCase(const std::vector<Saved>& saved, std::string_view name)
{
    const QString wanted = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
    for (const Saved& file : saved)
        if (QString::fromStdString(file.name).compare(wanted, Qt::CaseInsensitive) == 0)
            return &file;
    return nullptr;
}

} // namespace polvane
