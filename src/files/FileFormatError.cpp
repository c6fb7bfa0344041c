#include "files/FileFormatError.h"

#include <utility>

namespace polvane {

namespace {
std::string Describe(const std::string& fileName, std::size_t line, const std::string& reason)
{
    std::string text = fileName.empty() ? std::string("Cannot load the data")
                                        : "Cannot load \"" + fileName + "\"";
    if (line > 0)
        text += ", line " + std::to_string(line);
    return text + ": " + reason;
}
} // namespace

FileFormatError::FileFormatError(std::string fileName, std::size_t line, std::string reason)
    : std::runtime_error(Describe(fileName, line, reason)), fileName_(std::move(fileName)),
      line_(line), reason_(std::move(reason))
{
}

} // namespace polvane
