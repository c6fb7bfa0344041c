#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "files/FileData.h"
#include "model/BrandCode.h"

namespace polvane {

class Environment;

// The venue file ("*.venue"): a typed key-value file holding the units, temperature,
// analysed frequencies, ear height, seating areas, line array, bumper, cells, listening
// points and notes of a venue. The angle sweep, the Auto-Configure settings and the pictures
// are not stored.
//
// Loading reads the whole file into a scratch copy of the venue, cleared as a new load
// starts, and moves the result into the venue only when every step succeeded. Any failure
// (an unreadable file, a malformed line, a value its tag cannot convert, a number that is
// not finite, a missing required key, an impossible count, a value beyond what the windows
// allow (VenueLimits)) throws FileFormatError naming the file, the line where there is one,
// and what was wrong; the venue is then as it was.
//
// A cell whose type names no product (ProductTables::kUnknownCellType) is written as
// "Unknown", and every type name the reader does not know reads as that type.
class VenueFile {
public:
    static constexpr std::string_view kHeaderLine = "Quessel Polvane Venue file";
    static constexpr std::string_view kUnknownCellTypeName = "Unknown";
    // Larger files are refused unread: no venue comes near this.
    static constexpr std::uintmax_t kMaxFileSize = 64u * 1024u * 1024u;

    static void Load(Environment& venue, const std::filesystem::path& path);
    // The same from the text of a file; `sourceName` names it in errors.
    static void LoadFrom(Environment& venue, std::string_view text,
                         const std::string& sourceName = {});
    // Reads records already loaded; throws as Load does.
    static void FromFileData(Environment& venue, const FileData& data,
                             const std::string& sourceName = {});

    // Creates or replaces the file through FileData's atomic write. Throws
    // std::runtime_error, the old file untouched, when writing fails or when a number of the
    // venue is not finite (such a file could not be loaded again).
    static void SaveAs(const Environment& venue, const std::filesystem::path& path);
    // The records SaveAs writes, in the venue's own units.
    static FileData ToFileData(const Environment& venue);
    static std::string SaveToString(const Environment& venue);

    // ---- The texts of the file ----
    // "TARVIC KV9" for code 0 and for any code the file has no name for.
    static std::string_view BrandName(BrandCode brand);
    // Case-insensitive; any text not naming another brand gives 0.
    static BrandCode BrandFromText(std::string_view text);
    // The product's model name, "Unknown" outside the product table.
    static std::string_view CellTypeName(int type);
    // Case-insensitive; any other text gives ProductTables::kUnknownCellType.
    static int CellTypeFromText(std::string_view text);
};

} // namespace polvane
