#pragma once

#include <filesystem>
#include <string_view>

namespace polvane {

// Creating or replacing a file so that a failure never leaves it half written: the bytes
// go to a temporary file in the same folder, which is then renamed over the target.
class ReplacedFile {
public:
    // std::runtime_error naming the path and what failed ("Cannot save "...": ..."); the
    // file that was there before is then as it was. A read-only file is not replaced, and a
    // replaced file keeps its permissions. Through a symbolic link, the link stays and its
    // final target is replaced.
    static void Write(const std::filesystem::path& path, std::string_view bytes);
};

} // namespace polvane
