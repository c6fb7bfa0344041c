#include "FuzzCheck.h"

#include <cstdio>
#include <cstdlib>

namespace polvane {

void FuzzCheck::Require(bool holds, std::string_view what)
{
    if (!holds)
        Fail(what);
}

void FuzzCheck::Fail(std::string_view what)
{
    std::fprintf(stderr, "fuzz check failed: %.*s\n", static_cast<int>(what.size()), what.data());
    std::abort();
}

} // namespace polvane
