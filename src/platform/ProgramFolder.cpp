#include "platform/ProgramFolder.h"

#include <atomic>
#include <filesystem>
#include <fstream>
#include <system_error>

#include <QCoreApplication>
#include <QStandardPaths>

#include <unistd.h>

namespace polvane {

namespace fs = std::filesystem;

namespace {

std::string ExecutableFolder()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath().toStdString();
    std::error_code error;
    const fs::path executable = fs::read_symlink("/proc/self/exe", error);
    if (!error)
        return executable.parent_path().string();
    return fs::current_path(error).string();
}

// Set by the build from the install layout, so that a relocated installation still finds
// its files.
#ifndef POLVANE_SHARED_DATA_FROM_BIN
#define POLVANE_SHARED_DATA_FROM_BIN "../share/polvane"
#endif

std::string WithoutTrailingSeparator(std::string path)
{
    while (path.size() > 1 && (path.back() == '/' || path.back() == '\\'))
        path.pop_back();
    return path;
}

} // namespace

ProgramFolder::ProgramFolder() : folder_(ExecutableFolder()) {}

ProgramFolder::ProgramFolder(std::string folder, std::string dataFolder)
    : folder_(WithoutTrailingSeparator(std::move(folder))),
      dataFolder_(WithoutTrailingSeparator(std::move(dataFolder)))
{
}

std::string ProgramFolder::File(std::string_view relative) const
{
    return (fs::path(folder_) / fs::path(relative)).string();
}

std::string ProgramFolder::SharedDataFolder() const
{
    return (fs::path(folder_) / POLVANE_SHARED_DATA_FROM_BIN).lexically_normal().string();
}

std::string ProgramFolder::InstalledFile(std::string_view relative) const
{
    const fs::path beside = fs::path(folder_) / fs::path(relative);
    const fs::path shared = SharedDataFolder();
    std::error_code error;
    if (fs::exists(beside, error) || !fs::is_directory(shared, error))
        return beside.string();
    return (shared / fs::path(relative)).string();
}

bool ProgramFolder::CanCreateFilesIn(const std::string& folder)
{
    static std::atomic<int> serial{0};
    const fs::path probe = fs::path(folder) / (".polvane-write-test-" + std::to_string(::getpid()) +
                                               "-" + std::to_string(serial++));
    {
        std::ofstream file(probe, std::ios::binary | std::ios::trunc);
        if (!file)
            return false;
    }
    std::error_code error;
    fs::remove(probe, error);
    return true;
}

std::string ProgramFolder::DataFolder() const
{
    if (!dataFolder_.empty())
        return dataFolder_;
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation).toStdString();
}

std::string ProgramFolder::WritableFolder() const
{
    if (CanCreateFilesIn(folder_))
        return folder_;
    const std::string data = DataFolder();
    std::error_code error;
    fs::create_directories(data, error);
    return data;
}

std::string ProgramFolder::WritableFile(std::string_view name) const
{
    return (fs::path(WritableFolder()) / fs::path(name)).string();
}

} // namespace polvane
