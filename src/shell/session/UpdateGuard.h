#pragma once

namespace polvane {

// Raises the "updating the interface" switch for its lifetime, so that change and click
// handlers fired by refilling controls do nothing, and lowers it again however the scope
// is left. Nested guards leave the switch raised until the outermost one ends.
class UpdateGuard {
public:
    UpdateGuard() { ++depth_; }
    UpdateGuard(const UpdateGuard&) = delete;
    UpdateGuard& operator=(const UpdateGuard&) = delete;
    ~UpdateGuard() { --depth_; }

    // True while any guard is alive: tool-window handlers return at once.
    static bool IsUpdating() { return depth_ > 0; }

private:
    static inline int depth_ = 0;
};

} // namespace polvane
