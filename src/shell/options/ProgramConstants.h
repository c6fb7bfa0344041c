#pragma once

#include <string>

namespace polvane {

class ProgramFolder;
class ScreenInfo;

// The values fixed once at start-up: the folders beside the program and the screen's
// twips per pixel. Paths are UTF-8, without a trailing separator.
class ProgramConstants {
public:
    ProgramConstants(const ProgramFolder& folder, const ScreenInfo& screen);

    const std::string& ProgramPath() const { return programPath_; }
    // Saved colour presets ("*.color"): beside the program, or in the user's data folder
    // when the program's folder cannot be written.
    const std::string& ColorPresetsFolder() const { return colorPresetsFolder_; }
    // Saved window layouts ("*.layout"): beside the program, or in the user's data folder
    // when the program's folder cannot be written (an installed program).
    const std::string& WindowLayoutsFolder() const { return windowLayoutsFolder_; }
    // The layouts folder beside the program, listed too when it is not the one above.
    const std::string& ProgramWindowLayoutsFolder() const { return programLayoutsFolder_; }
    // The help pages; a topic's page is "source/" + topic + ".htm" in it.
    const std::string& HelpFolder() const { return helpFolder_; }
    // The new-venue templates installed with the program (beside it in a build tree).
    const std::string& EnglishTemplate() const { return englishTemplate_; }
    const std::string& MetricTemplate() const { return metricTemplate_; }

    int TwipsPerPixelX() const { return twipsPerPixelX_; }
    int TwipsPerPixelY() const { return twipsPerPixelY_; }

private:
    std::string programPath_;
    std::string colorPresetsFolder_;
    std::string windowLayoutsFolder_;
    std::string programLayoutsFolder_;
    std::string helpFolder_;
    std::string englishTemplate_;
    std::string metricTemplate_;
    int twipsPerPixelX_;
    int twipsPerPixelY_;
};

} // namespace polvane
