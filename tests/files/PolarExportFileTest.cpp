#include "files/PolarExportFile.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/ScratchFolder.h"

namespace polvane {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kHeaderSize = 56; // the header text's bytes

std::int32_t IntegerAt(const std::string& bytes, std::size_t offset)
{
    std::uint32_t bits = 0;
    for (int i = 3; i >= 0; --i)
        bits = (bits << 8) | static_cast<unsigned char>(bytes.at(offset + static_cast<std::size_t>(i)));
    return static_cast<std::int32_t>(bits);
}

float FloatAt(const std::string& bytes, std::size_t offset)
{
    const std::int32_t bits = IntegerAt(bytes, offset);
    float value = 0.0f;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// Value i (0..143) of record r.
float Value(const std::string& bytes, std::size_t record, std::size_t i)
{
    return FloatAt(bytes, kHeaderSize + 8 + (record * 144 + i) * 4);
}

PolarExportRecord Numbered(float frequency)
{
    // P(k) = k / 10, so every position shows which angle it holds.
    PolarExportRecord record;
    record.frequency = frequency;
    for (int k = 1; k <= PolarExportRecord::kAngleCount; ++k)
        record.attenuation[static_cast<std::size_t>(k - 1)] = static_cast<float>(k) / 10.0f;
    return record;
}

TEST(PolarExportFile, RecordsHoldTheAnglesInTheOrderThePolarProgramReads)
{
    const std::string bytes = PolarExportFile::Encode({Numbered(100.0f), Numbered(125.0f)});
    ASSERT_EQ(std::string(PolarExportFile::kHeaderText).size(), kHeaderSize);
    EXPECT_EQ(bytes.substr(0, kHeaderSize),
              "Orbisan Native Format File.\r\n(Do not manually edit.)\r\n\r\n");
    EXPECT_EQ(IntegerAt(bytes, kHeaderSize), 4);
    EXPECT_EQ(IntegerAt(bytes, kHeaderSize + 4), 2);
    ASSERT_EQ(bytes.size(), kHeaderSize + 8 + 2 * 576);

    const auto p = [](int k) { return static_cast<float>(k) / 10.0f; };
    EXPECT_EQ(Value(bytes, 1, 0), 125.0f);
    EXPECT_EQ(Value(bytes, 1, 1), p(72)); // the largest
    EXPECT_EQ(Value(bytes, 1, 2), p(1));
    EXPECT_EQ(Value(bytes, 1, 3), p(37));
    for (int k = 2; k <= 36; ++k) {
        EXPECT_EQ(Value(bytes, 1, static_cast<std::size_t>(k + 2)), p(k)) << k;
        EXPECT_EQ(Value(bytes, 1, static_cast<std::size_t>(k + 37)), p(k)) << k;
    }
    for (int k = 72; k >= 38; --k) {
        EXPECT_EQ(Value(bytes, 1, static_cast<std::size_t>(74 + 72 - k)), p(k)) << k;
        EXPECT_EQ(Value(bytes, 1, static_cast<std::size_t>(109 + 72 - k)), p(k)) << k;
    }
}

TEST(PolarExportFile, AFlatResponseHasNoAttenuationAnywhere)
{
    PolarExportRecord flat;
    flat.frequency = 1000.0f;
    const std::string bytes = PolarExportFile::Encode({flat});
    for (std::size_t i = 1; i < 144; ++i) {
        EXPECT_EQ(Value(bytes, 0, i), 0.0f) << i;
        EXPECT_FALSE(std::signbit(Value(bytes, 0, i))) << i;
    }
}

TEST(PolarExportFile, ReplacingALongerFileLeavesExactlyTheNewBytes)
{
    const ScratchFolder folder;
    const fs::path path = folder / "array.plr";
    std::ofstream(path, std::ios::binary) << std::string(100'000, 'x');
    PolarExportFile::Write(path, {Numbered(100.0f)});
    EXPECT_EQ(fs::file_size(path), kHeaderSize + 8 + 576);

    // A folder that does not exist: an error naming the file, nothing written.
    EXPECT_THROW(PolarExportFile::Write(folder / "missing" / "array.plr", {Numbered(1.0f)}),
                 std::runtime_error);
}

} // namespace
} // namespace polvane
