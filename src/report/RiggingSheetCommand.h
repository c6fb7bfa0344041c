#pragma once

#include <string>

#include "platform/LocalDateTime.h"

namespace polvane {

class Clock;
class ErrorReporter;
class Options;
class PrinterDialog;
class Session;
class ProgressWindow;
class Prompts;
class VenueLifecycle;

// File > Print...: the printer dialog, then the rigging sheet of the open venue with the
// progress window in printing mode. Cancelling the dialog ends the command silently.
//
// A printer that refuses the job gets a message and the program goes on; any other failure
// goes to the error reporter under "modMain.PrintOut", which ends the program. The progress
// window is hidden however the print ends. Its Stop button does not stop printing.
class RiggingSheetCommand {
public:
    static constexpr const char* kProcedure = "modMain.PrintOut";

    // progress is the program's progress window, owned by the main window.
    RiggingSheetCommand(Session& session, Clock& clock, Prompts& prompts, PrinterDialog& dialog,
                        VenueLifecycle& lifecycle, ErrorReporter& reporter,
                        ProgressWindow& progress);
    RiggingSheetCommand(const RiggingSheetCommand&) = delete;
    RiggingSheetCommand& operator=(const RiggingSheetCommand&) = delete;

    // Window messages run while the sheet is laid out; a Print chosen meanwhile is ignored.
    void Run();

    // The date as the user's system writes short dates.
    static std::string ShortDate(const LocalDateTime& when);
    // What the print job is called: the venue's name; and who made it: the program.
    std::string JobTitle() const;
    static std::string JobCreator();

private:
    void PrintOut();

    Session& session_;
    Options& options_;
    Clock& clock_;
    Prompts& prompts_;
    PrinterDialog& dialog_;
    VenueLifecycle& lifecycle_;
    ErrorReporter& reporter_;
    ProgressWindow& progress_;
    bool printing_ = false;
};

} // namespace polvane
