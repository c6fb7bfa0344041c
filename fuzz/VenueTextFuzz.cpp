// The venue text reader: every input is refused with FileFormatError or loads a venue that
// predicts and saves (VenueRoundTrip).
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "VenueRoundTrip.h"
#include "engine/Environment.h"
#include "files/FileFormatError.h"
#include "files/VenueFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace polvane;
    Environment venue;
    try {
        VenueFile::LoadFrom(venue, std::string_view(reinterpret_cast<const char*>(data), size),
                            "fuzz");
    } catch (const FileFormatError&) {
        return 0;
    }
    VenueRoundTrip::Check(venue);
    return 0;
}
