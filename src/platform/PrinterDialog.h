#pragma once

#include <memory>
#include <string>

namespace polvane {

class Printer;

// The printer dialog of File > Print: the user chooses the printer and its settings, and
// the jobs then go to that printer.
class PrinterDialog {
public:
    virtual ~PrinterDialog() = default;

    // Waits for the user; false when the dialog was cancelled.
    virtual bool Choose() = 0;
    // A job on the printer chosen last, started and ready to draw on, named by its title
    // (what a print queue lists, a PDF file's Title) and by the program that made it (a PDF
    // file's Creator). Throws PrinterFailure when the printer refuses it.
    virtual std::shared_ptr<Printer> StartJob(const std::string& title, const std::string& creator) = 0;
};

} // namespace polvane
