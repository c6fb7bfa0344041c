#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace polvane {

// The whole file, byte for byte; empty when it cannot be read.
std::string ReadAll(const std::filesystem::path& path);

// Writes the bytes as the whole file; false when that failed.
bool WriteAll(const std::filesystem::path& path, std::string_view bytes);

// A checked-in file of tests/data, wherever the build tree is.
std::filesystem::path DataFile(const std::string& name);

// Writes the bytes as the whole file; false when that failed.
bool WriteAll(const std::filesystem::path& path, std::string_view bytes);

// A checked-in file as this build would write it: the whole file, its "Created with program
// version" line (if any) naming this build's version, so a new version needs no new files.
std::string ExpectedFile(const std::string& name);

} // namespace polvane
