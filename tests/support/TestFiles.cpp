#include "support/TestFiles.h"

#include <fstream>
#include <iterator>

#include "files/BuildVersion.h"

namespace polvane {

std::string ReadAll(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

bool WriteAll(const std::filesystem::path& path, std::string_view bytes)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    file.close();
    return !file.fail();
}

std::filesystem::path DataFile(const std::string& name)
{
    return std::filesystem::path(POLVANE_TEST_DATA_FOLDER) / name;
}

std::string ExpectedFile(const std::string& name)
{
    std::string text = ReadAll(DataFile(name));
    const std::string versionLine = "# Created with program version ";
    const std::size_t start = text.find(versionLine);
    if (start != std::string::npos) {
        const std::size_t end = text.find("\r\n", start);
        std::string minor(BuildVersion::Minor() < 10 ? "0" : "");
        minor += std::to_string(BuildVersion::Minor());
        text.replace(start, end - start,
                     versionLine + std::to_string(BuildVersion::Major()) + "." + minor +
                         " (Revision: " + std::to_string(BuildVersion::Patch()) + ")");
    }
    return text;
}

} // namespace polvane
