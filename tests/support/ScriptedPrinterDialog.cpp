#include "support/ScriptedPrinterDialog.h"

#include "platform/PrinterFailure.h"

namespace polvane {

bool ScriptedPrinterDialog::Choose()
{
    ++shown_;
    return answer_;
}

std::shared_ptr<Printer> ScriptedPrinterDialog::StartJob(const std::string& title, const std::string& creator)
{
    if (failure_)
        throw PrinterFailure(*failure_);
    ++started_;
    title_ = title;
    creator_ = creator;
    return job_;
}

} // namespace polvane
