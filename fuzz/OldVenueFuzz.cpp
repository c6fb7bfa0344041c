// The old binary venue reader: every input is refused with FileFormatError or loads a venue
// that predicts and saves in the current format (VenueRoundTrip).
#include <cstddef>
#include <cstdint>
#include <span>

#include "VenueRoundTrip.h"
#include "engine/Environment.h"
#include "files/FileFormatError.h"
#include "files/OldVenueFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace polvane;
    Environment venue;
    try {
        OldVenueFile::LoadFrom(venue, std::span<const std::uint8_t>(data, size), "fuzz");
    } catch (const FileFormatError&) {
        return 0;
    }
    VenueRoundTrip::Check(venue);
    return 0;
}
