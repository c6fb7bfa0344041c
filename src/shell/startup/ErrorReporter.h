#pragma once

#include <exception>
#include <functional>
#include <string>

#include "platform/LocalDateTime.h"

namespace polvane {

class Clock;
class Prompts;
class ProgramFolder;

// The end of the road for internal faults: writes one line to "error.log", tells the user
// and ends the program. The program's own faults reach it through Guard, at the edge of
// every event handler, so that no exception crosses the event loop. Files the user opens
// are never reported here: their failures get a message of their own.
//
// The two ways of ending are injected: the orderly end (the shut-down sequence, then the
// process ends) and the immediate end (the process ends at once). In the program neither
// returns; in tests they record the call, and ReportError returns after them.
class ErrorReporter {
public:
    static constexpr const char* kLogName = "error.log";
    static constexpr const char* kMessage =
        "This application has encountered an internal error and must be shut down.\r\n"
        "Please inform your system administrator of the error and what you were doing when "
        "it occurred.";

    using Ending = std::function<void()>;

    // version is "major.minor.revision"; title gives the message box's title.
    ErrorReporter(const ProgramFolder& folder, Clock& clock, Prompts& prompts,
                  std::function<std::string()> title, std::string version, Ending endProgram,
                  Ending endAtOnce);

    // Reports a failure of the named procedure ("modMain.OpenVenue"). A second report, while
    // the first is being handled or after it, ends at once without a log line or message.
    void ReportError(const std::string& procedure, long code, const std::string& description);
    // The same for a caught exception: a ProcedureFailure reports under its own procedure
    // name; the code follows the kind of failure (see CodeOf).
    void ReportException(const std::string& procedure, std::exception_ptr failure);

    // Runs the action; a failure that escapes it is reported under the procedure's name.
    // True when the action finished.
    bool Guard(const std::string& procedure, const std::function<void()>& action);

    bool IsReporting() const { return reporting_; }
    // Where the log is written: the program's folder, or the user's data folder when the
    // program's folder cannot be written.
    std::string LogPath() const;

    // "03.07.26--02:05:09 pm--Error in "modMain.Main": Code 5 (Invalid value): Version 2.4.0"
    static std::string LogLine(const LocalDateTime& when, const std::string& procedure,
                               long code, const std::string& description,
                               const std::string& version);
    // "mm.dd.yy--hh:mm:ss am/pm" on the 12-hour clock.
    static std::string LogTime(const LocalDateTime& when);
    // The number written for a kind of failure, as the numbers of the runtime errors
    // went: 9 out of range, 5 invalid argument, 6 overflow, 7 out of memory, 0 otherwise.
    static long CodeOf(std::exception_ptr failure);

private:
    const ProgramFolder& folder_;
    Clock& clock_;
    Prompts& prompts_;
    std::function<std::string()> title_;
    std::string version_;
    Ending endProgram_;
    Ending endAtOnce_;
    bool reporting_ = false;
};

} // namespace polvane
