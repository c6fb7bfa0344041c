#pragma once

#include <array>
#include <string>
#include <vector>

#include "shell/session/ShellMainWindow.h"

namespace polvane {

// Keeps what the shell set on the main window, and a log of the calls in order.
class FakeShellMainWindow : public ShellMainWindow {
public:
    void SetUnitsChecked(bool metric) override
    {
        metricChecked = metric;
        log.push_back(metric ? "units metric" : "units english");
    }
    void SetCaption() override { log.push_back("caption"); }
    void UpdateVisibleWindows() override { log.push_back("visible windows"); }
    void SetStatusPanel(int panel, const std::string& text) override
    {
        panels.at(static_cast<std::size_t>(panel)) = text;
        log.push_back("panel " + std::to_string(panel) + " = " + text);
    }
    void SetRevertEnabled(bool enabled) override { revertEnabled = enabled; }
    void SetStateItemEnabled(int slot, bool enabled) override
    {
        stateItems.at(static_cast<std::size_t>(slot)) = enabled;
    }

    bool metricChecked = false;
    bool revertEnabled = false;
    std::array<std::string, 4> panels;  // 1..3
    std::array<bool, 10> stateItems{};  // 1..9
    std::vector<std::string> log;
};

} // namespace polvane
