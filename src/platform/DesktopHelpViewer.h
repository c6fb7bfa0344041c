#pragma once

#include <functional>
#include <string>

#include "platform/HelpViewer.h"

namespace polvane {

class Prompts;

// The help as web pages in a folder beside the program: the topic's page is
// "source/" + topic + ".htm" in that folder, opened in the desktop's viewer. When the
// pages are not there the user is told so in a message box rather than nothing happening.
// The pages carry their own contents and search, so the search switch opens the same page.
class DesktopHelpViewer : public HelpViewer {
public:
    // Opens a local file in the desktop's viewer; false when it could not.
    using Opener = std::function<bool(const std::string& path)>;

    // title gives the message boxes' title when one is shown. An empty opener uses the
    // desktop's services.
    DesktopHelpViewer(std::string helpFolder, Prompts& prompts, std::function<std::string()> title,
                      Opener open = {});

    // The page of a topic. Throws std::invalid_argument for a topic that is empty or holds
    // a path separator.
    std::string PagePath(const std::string& topic) const;

    void ShowHelp(const std::string& topic, bool search) override;

private:
    std::string helpFolder_;
    Prompts& prompts_;
    std::function<std::string()> title_;
    Opener open_;
};

} // namespace polvane
