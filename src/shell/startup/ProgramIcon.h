#pragma once

#include <QIcon>

namespace polvane {

// The program's own icon (data/polvane.svg, built into the program) at the sizes a desktop
// asks for. Installed as the application's window icon, every window inherits it: the main
// window, each tool window's frame (also in the menu bar of a maximised one) and the dialogs.
class ProgramIcon {
public:
    static constexpr const char* kResource = ":/polvane/polvane.svg";

    // Null only when the picture cannot be read.
    static QIcon Icon();
    static void Install();
};

} // namespace polvane
