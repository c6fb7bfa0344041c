// The colour-preset reader: whatever the file, the colours it could read are set and the
// others kept; the preset saved from the result reads back to the same colours.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "FuzzCheck.h"
#include "files/FileData.h"
#include "shell/options/ColorPresets.h"
#include "shell/options/ColorTable.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace polvane;
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    FileData file;
    ColorPresets::ReadReadable(in, "fuzz", file);
    ColorTable colors;
    ColorPresets::Apply(file, colors);

    FileData saved;
    saved.ReadString(ColorPresets::Build(colors).WriteString(), "saved");
    ColorTable again;
    FuzzCheck::Require(ColorPresets::Apply(saved, again).empty(),
                       "a saved preset holds a value outside 0 to 255");
    FuzzCheck::Require(again == colors, "a saved preset reads back as other colours");
    return 0;
}
