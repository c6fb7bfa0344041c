#pragma once

#include <string>

namespace polvane {

// Opens the program's help on a topic: "index" for the contents, "reference_..." for a
// window's own page.
class HelpViewer {
public:
    virtual ~HelpViewer() = default;
    // With search, the user asked for the help's search rather than its contents.
    virtual void ShowHelp(const std::string& topic, bool search) = 0;
};

} // namespace polvane
