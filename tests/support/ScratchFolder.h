#pragma once

#include <filesystem>
#include <string>

namespace polvane {

// A folder of a test's own under the system's temporary folder, removed with everything in
// it (read-only entries too) when the test ends. Two builds may run the tests at once.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

} // namespace polvane
