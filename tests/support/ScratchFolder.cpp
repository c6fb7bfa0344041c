#include "support/ScratchFolder.h"

#include <random>

namespace polvane {

namespace fs = std::filesystem;

ScratchFolder::ScratchFolder()
{
    std::random_device random;
    path_ = fs::temp_directory_path() /
            ("polvane-test-" + std::to_string(random()) + "-" + std::to_string(random()));
    fs::remove_all(path_);
    fs::create_directories(path_);
}

ScratchFolder::~ScratchFolder()
{
    std::error_code ec;
    for (const auto& entry : fs::recursive_directory_iterator(path_, ec))
        fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(path_, ec);
}

} // namespace polvane
