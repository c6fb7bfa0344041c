#pragma once

namespace polvane {

// The window that pops up the main window's rigging-point menu, told 0 for the front point
// and 1 for the back point. Cancel tells it nothing.
class RiggingPopupTarget {
public:
    virtual void ChoosePointType(int point) = 0;

protected:
    ~RiggingPopupTarget() = default;
};

} // namespace polvane
