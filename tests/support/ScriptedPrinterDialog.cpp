#include "support/ScriptedPrinterDialog.h"

#include "platform/PrinterFailure.h"

namespace polvane {

bool ScriptedPrinterDialog::Choose()
{
    ++shown_;
    return answer_;
}

std::shared_ptr<Printer> ScriptedPrinterDialog::StartJob()
{
    if (failure_)
        throw PrinterFailure(*failure_);
    ++started_;
    return job_;
}

} // namespace polvane
