#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace polvane {

// The files a user saves under a name of his own in a folder of the program (colour presets,
// window layouts). Names are compared ignoring case, so that saving "hall" beside "Hall"
// replaces that file rather than making a second one that the menus would list beside it.
class SavedFiles {
public:
    // A saved file: its name (the file name without the extension) and its path.
    struct Saved {
        std::string name;
        std::string path;
        bool operator==(const Saved&) const = default;
    };

    // The files of the folder whose names end in `extension` (".color"), sorted by name in
    // byte order. A folder that is missing or cannot be listed has none.
    static std::vector<Saved> List(const std::string& folder, std::string_view extension);
    // The first saved file whose name equals `name` ignoring case, if any.
    static const Saved* FindIgnoringCase(const std::vector<Saved>& saved, std::string_view name);
};

} // namespace polvane
