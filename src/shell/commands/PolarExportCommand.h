#pragma once

#include <functional>
#include <string>

namespace polvane {

class Prompts;
class VenueLifecycle;

// Array > "Distill to PLR file..." (an item never shown): the array's polar response at
// every frequency into a "*.plr" file chosen in the save dialog.
class PolarExportCommand {
public:
    PolarExportCommand(VenueLifecycle& lifecycle, Prompts& prompts,
                       std::function<std::string()> title)
        : lifecycle_(lifecycle), prompts_(prompts), title_(std::move(title))
    {
    }

    // The venue is left as it was; a file that cannot be written is reported in a message.
    // True when written.
    bool Run();

private:
    VenueLifecycle& lifecycle_;
    Prompts& prompts_;
    std::function<std::string()> title_;
};

} // namespace polvane
