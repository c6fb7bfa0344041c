#include "files/BuildVersion.h"

// The build defines these for this file alone, so that a new version rebuilds one file.
#if !defined(POLVANE_VERSION_MAJOR) || !defined(POLVANE_VERSION_MINOR) || \
    !defined(POLVANE_VERSION_PATCH)
#error "The build must define the program version"
#endif

namespace polvane {

int BuildVersion::Major() { return POLVANE_VERSION_MAJOR; }
int BuildVersion::Minor() { return POLVANE_VERSION_MINOR; }
int BuildVersion::Patch() { return POLVANE_VERSION_PATCH; }

std::string BuildVersion::Text()
{
    return std::to_string(Major()) + "." + std::to_string(Minor()) + "." + std::to_string(Patch());
}

} // namespace polvane
