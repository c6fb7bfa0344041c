#pragma once

#include <string>

#include "shell/startup/StartupWindows.h"

namespace polvane {

class MainWindow;
class ProgramRun;
class SplashWindow;
class ToolWindowHost;

// The program put together: the application object, the options, the error reporter, the
// open venue, the update hub and the windows, then the start-up sequence and the event
// loop. The program ends only through the orderly end (EndProgram) or the reporter.
class Application : public StartupWindows {
public:
    static constexpr const char* kNoDisplayText =
        "Quessel Polvane needs a graphical display (X11 or Wayland), and none was found: "
        "neither DISPLAY nor WAYLAND_DISPLAY is set.\n"
        "Start it from a desktop session, or under Xvfb, or choose a Qt platform with "
        "QT_QPA_PLATFORM.\n";

    // The process's exit code: 0 after an orderly end, 1 after a reported failure or when
    // there is no display.
    static int Run(int argc, char** argv);

    // A display to show windows on, or a Qt platform chosen explicitly.
    static bool HasDisplay();
    // The arguments after the program's name joined by blanks, as one command-line text.
    static std::string CommandLine(int argc, const char* const* argv);

    void ShowSplash() override;
    void HideSplash() override;
    void ShowMainWindow() override;
    void SetListeningPointsListVisible(bool visible) override;
    void UnloadAll() override;

private:
    Application() = default;
    static int RunProgram(int argc, char** argv);
    // The orderly end: the shut-down sequence once, then the event loop ends with the code.
    void End(int exitCode);

    SplashWindow* splash_ = nullptr;
    MainWindow* main_ = nullptr;
    ProgramRun* run_ = nullptr;
    ToolWindowHost* listeningPoints_ = nullptr;
    bool ending_ = false;
    int exitCode_ = 0;
};

} // namespace polvane
