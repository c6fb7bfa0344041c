#include "files/InputFile.h"

#include <cerrno>
#include <system_error>

#include "files/FileFormatError.h"

namespace polvane {

namespace fs = std::filesystem;

std::string InputFile::PathText(const fs::path& path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

std::string InputFile::ErrnoText(int error)
{
    return error == 0 ? std::string() : " (" + std::generic_category().message(error) + ")";
}

std::ifstream InputFile::Open(const fs::path& path)
{
    const std::string shown = PathText(path);
    std::error_code ec;
    if (fs::is_directory(path, ec))
        throw FileFormatError(shown, 0, "it is a folder, not a file");
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in.is_open()) {
        const int error = errno;
        if (!fs::exists(path, ec))
            throw FileFormatError(shown, 0, "the file does not exist");
        throw FileFormatError(shown, 0, "the file cannot be opened for reading" + ErrnoText(error));
    }
    return in;
}

} // namespace polvane
