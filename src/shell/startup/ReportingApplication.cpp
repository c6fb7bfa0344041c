#include "shell/startup/ReportingApplication.h"

#include <exception>

#include <QThreadPool>

#include "shell/startup/ErrorReporter.h"

namespace polvane {

ReportingApplication::ReportingApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    // The program runs on the window thread and gives the global pool no work of its own.
    // Qt's raster engine still hands every fill of more than about a hundred spans (a line
    // taller than fifty pixels) to that pool and waits for it: with a thread per core each
    // such line wakes several threads, which costs far more than drawing it. One thread
    // keeps the hand-over to a single wake-up.
    QThreadPool::globalInstance()->setMaxThreadCount(1);
}

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
