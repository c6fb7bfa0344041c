#include "shell/options/ProgramConstants.h"

#include "platform/ProgramFolder.h"
#include "platform/ScreenInfo.h"

namespace polvane {

ProgramConstants::ProgramConstants(const ProgramFolder& folder, const ScreenInfo& screen)
    : programPath_(folder.Path()),
      colorPresetsFolder_(folder.WritableFile("Custom Color Presets")),
      windowLayoutsFolder_(folder.WritableFile("Custom Window Layouts")),
      programLayoutsFolder_(folder.File("Custom Window Layouts")),
      helpFolder_(folder.InstalledFile("Help")),
      englishTemplate_(folder.InstalledFile("Templates/Blank_English.venue")),
      metricTemplate_(folder.InstalledFile("Templates/Blank_Metric.venue")),
      twipsPerPixelX_(screen.TwipsPerPixelX()),
      twipsPerPixelY_(screen.TwipsPerPixelY())
{
}

} // namespace polvane
