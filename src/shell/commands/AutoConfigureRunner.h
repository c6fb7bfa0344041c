#pragma once

class QWidget;

namespace polvane {

class Clock;
class ErrorReporter;
class Options;
class Session;
class ProgressWindow;
class ScreenSaver;
class UpdateHub;
class VenueLifecycle;

// Runs Auto-Configure on the open venue for the user (Array > Auto-Configure, and the
// cell-configurations window's button): the main window takes no input while the progress
// window shows the time budget and the progress, the screen saver is suspended when the
// options ask for it, and Stop ends the search with the best combination found so far.
// Afterwards every window is refreshed with a new prediction and the venue counts as
// changed, also after Stop.
//
// However the run ends, also by a failure, the progress window is hidden, the screen
// saver is back as it was, the main window takes input again and the auto-calculating
// flag is down; only then does a failure go on to the error reporter, under
// "modMain.RunAutoCalculate", which ends the program.
class AutoConfigureRunner {
public:
    static constexpr const char* kProcedure = "modMain.RunAutoCalculate";

    // progress is the program's progress window, owned by the main window.
    AutoConfigureRunner(Session& session, Clock& clock, ScreenSaver& screenSaver,
                        VenueLifecycle& lifecycle, UpdateHub& hub, ErrorReporter& reporter,
                        QWidget& mainWindow, ProgressWindow& progress);
    AutoConfigureRunner(const AutoConfigureRunner&) = delete;
    AutoConfigureRunner& operator=(const AutoConfigureRunner&) = delete;

    // True when the run went through: done, out of time or stopped. False when it failed
    // (and was reported), or when a run was already under way, which is left alone.
    bool RunAutoCalculate();

    // Up while a run is under way: windows that poll the mouse stay idle meanwhile.
    static bool IsAutoCalculating();

private:
    void Run();

    Session& session_;
    Options& options_;
    Clock& clock_;
    ScreenSaver& screenSaver_;
    VenueLifecycle& lifecycle_;
    UpdateHub& hub_;
    ErrorReporter& reporter_;
    QWidget& mainWindow_;
    ProgressWindow& progress_;
};

} // namespace polvane
