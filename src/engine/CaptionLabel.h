#pragma once

#include <string>

namespace polvane {

// A label whose caption Auto-Configure sets while it runs.
class CaptionLabel {
public:
    virtual ~CaptionLabel() = default;
    virtual void SetCaption(const std::string& text) = 0;
};

} // namespace polvane
