#pragma once

#include <QPrinter>

#include "platform/PrinterDialog.h"

class QWidget;

namespace polvane {

// The system's printer dialog over one printer kept for the whole run, so that the user's
// choices stay for the next print.
class QtPrinterDialog : public PrinterDialog {
public:
    explicit QtPrinterDialog(QWidget* parent = nullptr);

    bool Choose() override;
    std::shared_ptr<Printer> StartJob(const std::string& title, const std::string& creator) override;

    // The printer the jobs go to; tests point it at a PDF file.
    QPrinter& Device() { return printer_; }

private:
    QWidget* parent_;
    QPrinter printer_{QPrinter::HighResolution};
};

} // namespace polvane
