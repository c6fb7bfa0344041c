#include "model/VenuePicture.h"

#include <fstream>
#include <stdexcept>
#include <system_error>

namespace polvane {

namespace {
[[noreturn]] void Fail(const std::filesystem::path& path, const char* why)
{
    throw std::runtime_error("cannot read the picture file \"" + path.string() + "\": " + why);
}
} // namespace

void VenuePicture::LoadFromFile(const std::filesystem::path& path)
{
    // A directory opens as a stream that reads nothing, which would pass for an empty image.
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        Fail(path, "it is a directory");

    std::ifstream in(path, std::ios::binary);
    if (!in)
        Fail(path, "it cannot be opened");

    std::vector<unsigned char> bytes;
    char buffer[65536];
    while (in) {
        in.read(buffer, sizeof buffer);
        bytes.insert(bytes.end(), buffer, buffer + in.gcount());
    }
    if (in.bad())
        Fail(path, "reading failed");
    data_ = std::move(bytes);
}

} // namespace polvane
