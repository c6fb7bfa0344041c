#pragma once

namespace polvane {

// The windows the start-up and shut-down sequence drives: the splash, the main window
// with its tool windows, and the list of the listening-points window.
class StartupWindows {
public:
    // Without waiting; a click hides it early, and a later hide then does nothing.
    virtual void ShowSplash() = 0;
    virtual void HideSplash() = 0;
    // Restores the previous run's tool windows, then shows the main window.
    virtual void ShowMainWindow() = 0;
    // The listening-points window's list (loading that window hidden when it is not).
    virtual void SetListeningPointsListVisible(bool visible) = 0;
    // Cancels any print job, unloads the main window (each tool window saves its place)
    // and every window still loaded.
    virtual void UnloadAll() = 0;

protected:
    ~StartupWindows() = default;
};

} // namespace polvane
