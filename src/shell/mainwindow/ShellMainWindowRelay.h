#pragma once

#include <string>

#include "shell/session/ShellMainWindow.h"

namespace polvane {

// The main window as the venue lifecycle and the update hub see it. They are built before
// the main window, which takes them whole; the main window makes itself the relay's target
// while it lives. Calls made while there is no main window have nothing to show on and are
// dropped.
class ShellMainWindowRelay final : public ShellMainWindow {
public:
    void SetTarget(ShellMainWindow* target) { target_ = target; }

    void SetUnitsChecked(bool metric) override;
    void SetCaption() override;
    void UpdateVisibleWindows() override;
    void SetStatusPanel(int panel, const std::string& text) override;
    void SetRevertEnabled(bool enabled) override;
    void SetStateItemEnabled(int slot, bool enabled) override;

private:
    ShellMainWindow* target_ = nullptr;
};

} // namespace polvane
