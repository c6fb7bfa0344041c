#pragma once

#include <string>

#include <QString>

namespace polvane {

class MenuText {
public:
    // A menu caption showing the text as it is: "&" would otherwise be taken for an access key.
    static QString Literal(const std::string& text);
};

} // namespace polvane
