#pragma once

#include <filesystem>
#include <fstream>
#include <string>

namespace polvane {

// Opening the files the program reads, with the reasons the user is shown when it fails.
class InputFile {
public:
    // The path as UTF-8, for messages.
    static std::string PathText(const std::filesystem::path& path);
    // " (reason)" for an errno value, or nothing for 0.
    static std::string ErrnoText(int error);
    // Opens the file for binary reading; FileFormatError when it is a folder, does not
    // exist or cannot be opened.
    static std::ifstream Open(const std::filesystem::path& path);
};

} // namespace polvane
