#pragma once

namespace polvane {

// A tool window as the update hub sees it. Refresh refills the window from the open venue
// and the calculation results; the other operations matter only to the windows that mark
// the highlighted cell or draw with pens and brushes of the colour table, and do nothing
// elsewhere.
class RefreshableWindow {
public:
    virtual void Refresh() = 0;
    // Mark the cell UpdateHub::HighlightedCell() names, or remove the marking.
    virtual void DoHighlightCell() {}
    virtual void DoClearHighlightedCell() {}
    // Re-create pens, brushes and fonts after the options or colours changed.
    virtual void RefreshGraphicsObjects() {}

protected:
    ~RefreshableWindow() = default;
};

} // namespace polvane
