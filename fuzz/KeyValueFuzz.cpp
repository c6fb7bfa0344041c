// The typed key-value reader: every input is refused with FileFormatError, leaving the data
// as it was, or its records write a text that reads back to the same records.
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "files/FileData.h"
#include "files/FileFormatError.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace polvane;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    FileData file;
    file.AddInteger("KEPT", 1);
    try {
        file.ReadString(text, "fuzz");
    } catch (const FileFormatError&) {
        FuzzCheck::Require(file.RecordCount() == 1, "a refused file changed the data");
        return 0;
    }
    std::string written;
    try {
        written = file.WriteString();
    } catch (const std::length_error&) {
        return 0; // escaping made a line too long to be read back: refused with a message
    }
    FileData again;
    try {
        again.ReadString(written, "written");
    } catch (const FileFormatError& e) {
        FuzzCheck::Fail(std::string("written records do not read back: ") + e.what());
    }
    FuzzCheck::Require(again.RecordCount() == file.RecordCount(), "records lost in a round trip");
    FuzzCheck::Require(again.WriteString() == written, "records changed in a round trip");
    return 0;
}
