#include "shell/AppTitle.h"

#include "shell/Options.h"

namespace polvane {

std::string AppTitle::Text(bool godMode) { return std::string(kTitle) + (godMode ? "+" : ""); }

std::string AppTitle::Current()
{
    return Text(Options::HasCurrent() && Options::Current().GodMode());
}

} // namespace polvane
