#include "files/OldVenueFile.h"

#include <array>
#include <bit>
#include <cerrno>
#include <cmath>
#include <fstream>
#include <memory>
#include <new>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include "engine/Environment.h"
#include "files/FileFormatError.h"
#include "files/InputFile.h"
#include "files/VenueLimits.h"
#include "model/Units.h"

namespace polvane {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kSignatureSize = 13;
// Version 0 keeps its units letter at byte 71 (offset 70).
constexpr std::size_t kVersion0DataOffset = 70;
constexpr std::size_t kVersion12Gap = 12;
constexpr std::size_t kAreaSize = 16;
constexpr std::size_t kCellSize = 5;


struct OldArea {
    float length = 0, height = 0, frontX = 0, frontY = 0;
};

struct OldCell {
    float splayDegrees = 0;
    char letter = 0;
};

// Everything the file holds, decoded before the venue is touched.
struct OldVenue {
    int version = 0;
    char unitsLetter = 0;
    float bumperX = 0, bumperY = 0;
    std::vector<OldArea> areas;
    float bumperRadians = 0;
    std::vector<OldCell> cells;
};

// Reads little-endian fields from a buffer, never past its end.
class ByteReader {
public:
    ByteReader(std::span<const std::uint8_t> bytes, const std::string& source)
        : bytes_(bytes), source_(source)
    {
    }

    [[noreturn]] void Fail(const std::string& reason) const
    {
        throw FileFormatError(source_, 0, reason);
    }

    std::size_t Remaining() const { return bytes_.size() - pos_; }
    // 1-based, as positions in the file are counted.
    std::size_t BytePosition() const { return pos_ + 1; }

    void SkipTo(std::size_t offset, const char* what)
    {
        if (offset > bytes_.size())
            Fail(Short(what, offset - pos_));
        pos_ = offset;
    }

    std::span<const std::uint8_t> Take(std::size_t n, const std::string& what)
    {
        if (n > Remaining())
            Fail(Short(what, n));
        const auto taken = bytes_.subspan(pos_, n);
        pos_ += n;
        return taken;
    }

    char Letter(const std::string& what) { return static_cast<char>(Take(1, what)[0]); }

    std::int16_t Int16(const std::string& what)
    {
        const auto b = Take(2, what);
        return static_cast<std::int16_t>(static_cast<std::uint16_t>(b[0] | (b[1] << 8)));
    }

    std::int32_t Int32(const std::string& what)
    {
        return static_cast<std::int32_t>(UInt32(what));
    }

    float Single(const std::string& what)
    {
        const std::size_t at = BytePosition();
        const float value = std::bit_cast<float>(UInt32(what));
        if (!std::isfinite(value))
            Fail(what + " at byte " + std::to_string(at) + " is not a finite number");
        return value;
    }

private:
    std::uint32_t UInt32(const std::string& what)
    {
        const auto b = Take(4, what);
        return static_cast<std::uint32_t>(b[0]) | (static_cast<std::uint32_t>(b[1]) << 8) |
               (static_cast<std::uint32_t>(b[2]) << 16) | (static_cast<std::uint32_t>(b[3]) << 24);
    }

    std::string Short(const std::string& what, std::size_t needed) const
    {
        return "the file ends after " + std::to_string(bytes_.size()) + " bytes, in " + what +
               " (" + std::to_string(needed) + " bytes needed from byte " +
               std::to_string(BytePosition()) + "); it may have been cut short";
    }

    std::span<const std::uint8_t> bytes_;
    const std::string& source_;
    std::size_t pos_ = 0;
};

// A count checked against what the rest of the file can hold before anything is allocated:
// `perItem` bytes each, plus `after` bytes that must follow the items.
std::size_t CheckedCount(const ByteReader& in, std::int32_t count, std::size_t perItem,
                         std::size_t after, const char* items)
{
    if (count < 0)
        in.Fail("the number of " + std::string(items) + " is " + std::to_string(count) +
                "; a count cannot be negative");
    const auto n = static_cast<std::size_t>(count);
    const std::size_t remaining = in.Remaining();
    if (remaining < after || n > (remaining - after) / perItem)
        in.Fail("the file says it holds " + std::to_string(n) + " " + items + ", but only " +
                std::to_string(remaining) + " bytes follow (each takes " +
                std::to_string(perItem) + "); the file is damaged or cut short");
    return n;
}

OldVenue Parse(std::span<const std::uint8_t> bytes, const std::string& source)
{
    ByteReader in(bytes, source);
    OldVenue venue;

    const auto signature = in.Take(kSignatureSize, "the signature");
    const char tens = static_cast<char>(signature[kSignatureSize - 2]);
    const char ones = static_cast<char>(signature[kSignatureSize - 1]);
    venue.version = tens == '0' && ones == '2' ? 2 : tens == '0' && ones == '1' ? 1 : 0;
    if (venue.version == 0)
        in.SkipTo(kVersion0DataOffset, "the gap before the units letter");

    venue.unitsLetter = in.Letter("the units letter");
    if (venue.version != 0)
        in.Take(kVersion12Gap, "the gap after the units letter");

    venue.bumperX = in.Single("the bumper x");
    venue.bumperY = in.Single("the bumper y");

    const bool wide = venue.version != 0;
    const std::int32_t areaCount =
        wide ? in.Int32("the number of seating areas") : in.Int16("the number of seating areas");
    // The cell count and the bumper angle follow the areas.
    const std::size_t areas =
        CheckedCount(in, areaCount, kAreaSize, (wide ? 4 : 2) + 4, "seating areas");
    venue.areas.reserve(areas);
    for (std::size_t i = 1; i <= areas; ++i) {
        const std::string which = " of seating area " + std::to_string(i);
        OldArea area;
        area.length = in.Single("the length" + which);
        area.height = in.Single("the height" + which);
        area.frontX = in.Single("the front x" + which);
        area.frontY = in.Single("the front y" + which);
        venue.areas.push_back(area);
    }

    const std::int32_t cellCount =
        wide ? in.Int32("the number of cells") : in.Int16("the number of cells");
    const std::size_t cells = CheckedCount(in, cellCount, kCellSize, 4, "cells");
    venue.bumperRadians = in.Single("the bumper angle");
    venue.cells.reserve(cells);
    for (std::size_t i = 1; i <= cells; ++i) {
        const std::string which = " of cell " + std::to_string(i);
        OldCell cell;
        cell.splayDegrees = in.Single("the splay" + which);
        cell.letter = in.Letter("the pinning letter" + which);
        venue.cells.push_back(cell);
    }
    return venue;
}

void Apply(Environment& venue, const OldVenue& file)
{
    VenueLimits::CheckRange(static_cast<long long>(file.cells.size()), 0, VenueLimits::kMaxCells,
                            "the number of cells", "cells");
    venue.Clear();
    LineArray& array = venue.LineArray();
    array.SetBrand(BrandCode::TarvicKv9);
    array.SetConfiguration(ConfigurationCode::Flown);

    // The venue is empty here, so the change of units converts only the ear height.
    venue.SetUnits(file.unitsLetter == 'e' || file.unitsLetter == 'E' ? UnitsCode::English : UnitsCode::Metric);
    // Held to what the windows allow; the back point is checked as the sum the area will
    // hold, which a huge length could take past any single.
    const UnitsCode units = venue.Units();
    VenueLimits::CheckDistance(file.bumperX, units, "the bumper x");
    VenueLimits::CheckDistance(file.bumperY, units, "the bumper y");
    array.Bumper().SetLocation(Point2D(file.bumperX, file.bumperY));

    for (std::size_t i = 0; i < file.areas.size(); ++i) {
        const OldArea& stored = file.areas[i];
        const std::string which = " of seating area " + std::to_string(i + 1);
        VenueLimits::CheckDistance(stored.frontX, units, "the front x" + which);
        VenueLimits::CheckDistance(stored.frontY, units, "the front y" + which);
        VenueLimits::CheckDistance(stored.frontX + stored.length, units,
                                   "the back x (front x + length)" + which);
        VenueLimits::CheckDistance(stored.frontY + stored.height, units,
                                   "the back y (front y + height)" + which);
        Plane& area = venue.SeatingAreas().Add();
        area.SetName("Seating Area " + std::to_string(i + 1));
        area.SetFrontPoint(Point2D(stored.frontX, stored.frontY));
        area.SetLength(stored.length);
        area.SetHeight(stored.height);
    }

    array.Bumper().SetAngle(Angle::FromRadians(file.bumperRadians));

    // The pin style is chosen before the cells are added: writing it afterwards would put
    // every cell on its default splay and lose the splays the file holds.
    std::size_t hLetters = 0;
    for (const OldCell& cell : file.cells)
        if (cell.letter == 'h' || cell.letter == 'H')
            ++hLetters;
    array.SetPinStyle(file.cells.size() - hLetters <= hLetters ? PinStyleCode::Slide : PinStyleCode::Fixed);
    for (const OldCell& cell : file.cells) {
        const Angle splay = Angle::FromDegrees(cell.splayDegrees);
        array.Cells().Add(-1, 0, &splay);
    }
}

} // namespace

void OldVenueFile::LoadFrom(Environment& venue, std::span<const std::uint8_t> bytes,
                            const std::string& sourceName)
{
    const OldVenue file = Parse(bytes, sourceName);
    // A scratch copy keeps what clearing keeps (temperature, notes, frequencies...), and
    // the venue itself is only touched once everything has been read.
    std::unique_ptr<Environment> scratch = venue.CloneOf();
    try {
        Apply(*scratch, file);
    } catch (const std::bad_alloc&) {
        throw FileFormatError(sourceName, 0, "there is not enough memory to load the venue");
    } catch (const std::exception& e) {
        throw FileFormatError(sourceName, 0, e.what());
    }
    venue.TakeContentOf(std::move(*scratch));
}

void OldVenueFile::Load(Environment& venue, const fs::path& path)
{
    const std::string shown = InputFile::PathText(path);
    std::ifstream in = InputFile::Open(path);

    // Read in pieces rather than trusting a size asked in advance, which a special file or
    // one that grows meanwhile does not keep.
    std::vector<std::uint8_t> bytes;
    std::array<char, 64 * 1024> piece{};
    while (in) {
        in.read(piece.data(), piece.size());
        const auto got = static_cast<std::size_t>(in.gcount());
        if (bytes.size() + got > kMaxFileSize)
            throw FileFormatError(shown, 0,
                                  "the file is larger than " + std::to_string(kMaxFileSize) +
                                      " bytes, far larger than any old venue file");
        bytes.insert(bytes.end(), piece.begin(), piece.begin() + static_cast<std::ptrdiff_t>(got));
    }
    if (in.bad())
        throw FileFormatError(shown, 0, "reading the file failed");
    LoadFrom(venue, bytes, shown);
}

} // namespace polvane
