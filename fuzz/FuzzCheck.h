#pragma once

#include <string_view>

namespace polvane {

// What a fuzz target found wrong: printed, then the run aborts so that libFuzzer keeps the
// input.
class FuzzCheck {
public:
    static void Require(bool holds, std::string_view what);
    [[noreturn]] static void Fail(std::string_view what);
};

} // namespace polvane
