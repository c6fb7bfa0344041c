#pragma once

namespace polvane {

// The window that fills and pops up the main window's cell type, splay and attenuation
// menus, told the index (1..20) of the item chosen. Cancel tells it nothing.
class CellPopupTarget {
public:
    virtual void SetCellType(int item) = 0;
    virtual void SetSplay(int item) = 0;
    virtual void SetAttenuationVal(int item) = 0;

protected:
    ~CellPopupTarget() = default;
};

} // namespace polvane
