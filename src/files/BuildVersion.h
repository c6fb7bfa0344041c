#pragma once

#include <string>

namespace polvane {

// The program's version, set once in the build (the CMake project version) and read by
// every place that shows or writes it.
class BuildVersion {
public:
    static int Major();
    static int Minor();
    // Written into file headers as the revision.
    static int Patch();
    // "2.4.0".
    static std::string Text();
};

} // namespace polvane
