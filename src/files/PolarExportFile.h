#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "engine/PolarExport.h"

namespace polvane {

// The outside polar-data program's native file ("*.plr"): a text header, the format number
// 4, the count of frequencies, then per frequency 144 little-endian 32-bit floats (the
// frequency, the largest attenuation, then the 72 attenuations arranged as that program
// reads them).
class PolarExportFile {
public:
    static constexpr const char* kHeaderText =
        "Orbisan Native Format File.\r\n(Do not manually edit.)\r\n\r\n";
    static constexpr int kFormatNumber = 4;
    static constexpr int kValuesPerRecord = 144;

    static std::string Encode(const std::vector<PolarExportRecord>& records);
    // Creates or replaces the file; std::runtime_error naming the path when that fails, and
    // the file that was there is then as it was.
    static void Write(const std::filesystem::path& path,
                      const std::vector<PolarExportRecord>& records);
};

} // namespace polvane
