#include "platform/QtPrinterDialog.h"

#include <QPrintDialog>

#include <stdexcept>

#include "platform/DialogFrame.h"
#include "platform/PrinterFailure.h"
#include "platform/QtPrinter.h"

namespace polvane {

QtPrinterDialog::QtPrinterDialog(QWidget* parent) : parent_(parent) {}

bool QtPrinterDialog::Choose()
{
    QPrintDialog dialog(&printer_, parent_);
    DialogFrame::Apply(dialog);
    return dialog.exec() == QDialog::Accepted;
}

std::shared_ptr<Printer> QtPrinterDialog::StartJob(const std::string& title, const std::string& creator)
{
    printer_.setDocName(QString::fromStdString(title));
    printer_.setCreator(QString::fromStdString(creator));
    try {
        return std::make_shared<QtPrinter>(printer_);
    } catch (const std::runtime_error& refused) {
        throw PrinterFailure(refused.what());
    }
}

} // namespace polvane
