#pragma once

#include <stdexcept>
#include <string>
#include <utility>

namespace polvane {

// A failure inside a procedure that reports to the error reporter under its own name:
// Procedure() is that name text (with the procedure's state where it gives any), what()
// the original description of the failure.
class ProcedureFailure : public std::runtime_error {
public:
    ProcedureFailure(std::string procedure, const std::string& description)
        : std::runtime_error(description), procedure_(std::move(procedure))
    {
    }

    const std::string& Procedure() const noexcept { return procedure_; }

private:
    std::string procedure_;
};

} // namespace polvane
