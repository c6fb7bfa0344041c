#include "shell/options/AppTitle.h"

namespace polvane {

std::string AppTitle::Text(bool godMode) { return std::string(kTitle) + (godMode ? "+" : ""); }

} // namespace polvane
