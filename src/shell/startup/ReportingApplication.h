#pragma once

#include <functional>

#include <QApplication>

namespace polvane {

class ErrorReporter;

// The program's application object. Every event handler guards itself under its own name;
// should a failure still escape one, it is reported here rather than let through Qt's event
// loop, which cannot carry exceptions.
class ReportingApplication : public QApplication {
public:
    static constexpr const char* kProcedure = "modMain.EventLoop";

    ReportingApplication(int& argc, char** argv);

    // The reporter that receives escaped failures; without one they end the program at
    // once, as an exception through the event loop would.
    void SetReporter(ErrorReporter* reporter) { reporter_ = reporter; }

    bool notify(QObject* receiver, QEvent* event) override;

    // Runs the delivery; a failure that escapes it goes to the reporter and the event
    // counts as not handled.
    static bool Deliver(ErrorReporter* reporter, const std::function<bool()>& deliver);

private:
    ErrorReporter* reporter_ = nullptr;
};

} // namespace polvane
