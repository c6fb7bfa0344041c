#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>

namespace polvane {

// A typed key-value file that could not be loaded: unreadable, cut short, or holding a line
// that does not parse. what() gives the file, the line and the reason in one sentence.
class FileFormatError : public std::runtime_error {
public:
    // `line` counts from 1; 0 when the failure belongs to no single line. `fileName` may be
    // empty for text that did not come from a file.
    FileFormatError(std::string fileName, std::size_t line, std::string reason);

    const std::string& FileName() const noexcept { return fileName_; }
    std::size_t Line() const noexcept { return line_; }
    const std::string& Reason() const noexcept { return reason_; }

private:
    std::string fileName_;
    std::size_t line_;
    std::string reason_;
};

} // namespace polvane
