#pragma once

#include <string>

namespace polvane {

// The program's title in the main window's caption and in message boxes.
class AppTitle {
public:
    static constexpr const char* kTitle = "Quessel Polvane";

    // "Quessel Polvane", followed by "+" in God mode.
    static std::string Text(bool godMode);
};

} // namespace polvane
