#include "files/PolarExportFile.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <limits>
#include <stdexcept>

#include "files/ReplacedFile.h"

namespace polvane {

namespace {

void AppendLittleEndian(std::string& out, std::uint32_t bits)
{
    for (int shift = 0; shift < 32; shift += 8)
        out += static_cast<char>((bits >> shift) & 0xFF);
}

void AppendInteger(std::string& out, std::int32_t value)
{
    AppendLittleEndian(out, static_cast<std::uint32_t>(value));
}

void AppendFloat(std::string& out, float value)
{
    static_assert(std::numeric_limits<float>::is_iec559);
    AppendLittleEndian(out, std::bit_cast<std::uint32_t>(value));
}

} // namespace

std::string PolarExportFile::Encode(const std::vector<PolarExportRecord>& records)
{
    if (records.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
        throw std::length_error("Too many frequencies for a polar export file");
    std::string out(kHeaderText);
    out.reserve(out.size() + 8 + records.size() * kValuesPerRecord * 4);
    AppendInteger(out, kFormatNumber);
    AppendInteger(out, static_cast<std::int32_t>(records.size()));
    for (const PolarExportRecord& record : records) {
        // P(k) is attenuation[k - 1]: P(1) is the 5 degree direction, P(72) the 0 degree one.
        const auto p = [&record](int k) { return record.attenuation[static_cast<std::size_t>(k - 1)]; };
        float largest = 0.0f;
        for (const float value : record.attenuation)
            largest = std::max(largest, value);
        AppendFloat(out, record.frequency);
        AppendFloat(out, largest);
        AppendFloat(out, p(1));
        AppendFloat(out, p(37));
        for (int copy = 0; copy < 2; ++copy)
            for (int k = 2; k <= 36; ++k)
                AppendFloat(out, p(k));
        for (int copy = 0; copy < 2; ++copy)
            for (int k = 72; k >= 38; --k)
                AppendFloat(out, p(k));
    }
    return out;
}

void PolarExportFile::Write(const std::filesystem::path& path,
                            const std::vector<PolarExportRecord>& records)
{
    ReplacedFile::Write(path, Encode(records));
}

} // namespace polvane
