#pragma once

#include <functional>
#include <optional>
#include <string>

#include "shell/startup/CrashMarker.h"

namespace polvane {

class Clock;
class ErrorReporter;
class ProgramFolder;
class Prompts;
class Session;
class StartupWindows;
class UpdateHub;
class VenueLifecycle;

// The program's start-up and orderly end. Start runs the start-up sequence: crash marker,
// options, splash, the first venue (from the command line or the template), the first
// prediction, the main window and the first refresh, then keeps the splash up until at
// least kSplashMinimumMs after it was planned. ShutDown unloads the windows and removes the
// crash marker; ending the process is the caller's. A failure of either goes to the error
// reporter, under "modMain.Main" and "modMain.EndProgram".
class ProgramRun {
public:
    static constexpr long long kSplashMinimumMs = 2000;

    // readOptions reads the options and colours (on the first run this asks for the
    // measurement system) and installs them; title gives the message boxes' title.
    ProgramRun(Clock& clock, Prompts& prompts, const ProgramFolder& folder, Session& session,
               VenueLifecycle& lifecycle, UpdateHub& hub, StartupWindows& windows,
               ErrorReporter& reporter, std::function<void()> readOptions,
               std::function<std::string()> title);
    ProgramRun(const ProgramRun&) = delete;
    ProgramRun& operator=(const ProgramRun&) = delete;
    ~ProgramRun();

    // True when start-up finished; false when it failed and was reported.
    bool Start(const std::string& commandLine);
    // True when the end went in order; false when it failed and was reported.
    bool ShutDown();

    // What the command line asks for: nothing for an empty line (a new venue); otherwise the
    // line with every double quote made a blank and blanks around it removed, which is
    // empty for a line of only quotes and blanks (the open dialog).
    static std::optional<std::string> CommandLinePath(const std::string& commandLine);
    // The message for a command-line file that does not exist.
    static std::string MissingFileText(const std::string& path);

private:
    void RunStart(const std::string& commandLine);
    void OpenFirstVenue(const std::string& commandLine);
    std::string Title() const;

    Clock& clock_;
    Prompts& prompts_;
    const ProgramFolder& folder_;
    Session& session_;
    VenueLifecycle& lifecycle_;
    UpdateHub& hub_;
    StartupWindows& windows_;
    ErrorReporter& reporter_;
    std::function<void()> readOptions_;
    std::function<std::string()> title_;
    // Held from the start to the orderly end.
    CrashMarker marker_;
};

} // namespace polvane
