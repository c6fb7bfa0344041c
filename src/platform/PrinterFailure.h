#pragma once

#include <stdexcept>
#include <string>

namespace polvane {

// The printer or its driver refused the job. Not a fault of the program: the user is told
// and the program goes on.
class PrinterFailure : public std::runtime_error {
public:
    explicit PrinterFailure(const std::string& description) : std::runtime_error(description) {}
};

} // namespace polvane
