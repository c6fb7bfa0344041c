#include "shell/ReportingApplication.h"

#include <exception>

#include "shell/ErrorReporter.h"

namespace polvane {

bool ReportingApplication::notify(QObject* receiver, QEvent* event)
{
    return Deliver(reporter_, [&] { return QApplication::notify(receiver, event); });
}

bool ReportingApplication::Deliver(ErrorReporter* reporter, const std::function<bool()>& deliver)
{
    try {
        return deliver();
    } catch (...) {
        if (reporter == nullptr)
            std::terminate();
        reporter->ReportException(kProcedure, std::current_exception());
        return false;
    }
}

} // namespace polvane
