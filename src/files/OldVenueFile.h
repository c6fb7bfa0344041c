#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

namespace polvane {

class Environment;

// The binary venue file of the earlier generation ("*.vnu"), read and never written. It
// holds the units, the bumper's location and angle, the seating areas and each cell's splay
// with a pinning letter; everything else is what clearing the venue leaves.
//
// Layout (little-endian, no padding): a 13-byte signature whose last two characters are
// "02" or "01" (versions 2 and 1; anything else is version 0); version 0 then skips to byte
// 71. A units letter ("e" or "E" English, anything else metric); versions 1 and 2 skip 12
// bytes. Bumper x and y (singles); the area count (16-bit in version 0, else 32-bit,
// signed); per area length, height, front x and front y (singles); the cell count; the
// bumper angle (single, radians); per cell the splay in degrees (single) and one letter.
//
// The whole file is read into memory and parsed with bounds checks into a scratch copy of
// the venue; a file cut short, a negative count or one the remaining bytes cannot hold, or a
// number that is not finite throws FileFormatError naming the file, the byte and what was
// wrong, and the venue is then as it was. So does a file beyond what the windows allow
// (VenueLimits: places, more cells than the cell grid holds).
class OldVenueFile {
public:
    // Larger files are refused unread: a real one is a few kilobytes.
    static constexpr std::uintmax_t kMaxFileSize = 64u * 1024u * 1024u;

    static void Load(Environment& venue, const std::filesystem::path& path);
    // The same from the bytes of a file; `sourceName` names it in errors.
    static void LoadFrom(Environment& venue, std::span<const std::uint8_t> bytes,
                         const std::string& sourceName = {});
};

} // namespace polvane
