#pragma once

#include <string>

namespace polvane {

// What the shell asks of the main window: its caption, the unit and state menu items,
// File > Revert, the Tools check marks and the status bar's three panels.
class ShellMainWindow {
public:
    // Checks View > Units > Metric and unchecks English, or the reverse.
    virtual void SetUnitsChecked(bool metric) = 0;
    // The caption from the venue's file name and the program's title.
    virtual void SetCaption() = 0;
    // The Tools items' check marks follow which tool windows are loaded.
    virtual void UpdateVisibleWindows() = 0;
    // Panels 1 (unsaved), 2 (balance) and 3 (state messages).
    virtual void SetStatusPanel(int panel, const std::string& text) = 0;
    virtual void SetRevertEnabled(bool enabled) = 0;
    // The hidden state menu's item for slot 1..9.
    virtual void SetStateItemEnabled(int slot, bool enabled) = 0;

protected:
    ~ShellMainWindow() = default;
};

} // namespace polvane
