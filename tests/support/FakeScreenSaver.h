#pragma once

#include <string>
#include <vector>

#include "platform/ScreenSaver.h"

namespace polvane {

// A screen saver for tests: a switch, and the calls made to it in order ("ask",
// "deactivate", "activate").
class FakeScreenSaver : public ScreenSaver {
public:
    explicit FakeScreenSaver(bool active = true) : active_(active) {}

    bool IsActive() override
    {
        calls_.emplace_back("ask");
        return active_;
    }
    void Deactivate() override
    {
        calls_.emplace_back("deactivate");
        active_ = false;
    }
    void Activate() override
    {
        calls_.emplace_back("activate");
        active_ = true;
    }

    // The switch as it stands, without counting as a call.
    bool Active() const { return active_; }
    const std::vector<std::string>& Calls() const { return calls_; }

private:
    bool active_;
    std::vector<std::string> calls_;
};

} // namespace polvane
