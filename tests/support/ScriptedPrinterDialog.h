#pragma once

#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "platform/PrinterDialog.h"
#include "support/RecordingPrinter.h"

namespace polvane {

// A printer dialog for tests: answers as told, and every job goes to one recording printer
// that the test reads afterwards. Nothing is shown and nothing reaches a printer.
class ScriptedPrinterDialog : public PrinterDialog {
public:
    // OK (true, the default) or Cancel.
    void SetAnswer(bool ok) { answer_ = ok; }
    // Makes StartJob throw PrinterFailure with the description; nothing: jobs start again.
    void SetJobFailure(std::optional<std::string> description)
    {
        failure_ = std::move(description);
    }

    bool Choose() override;
    std::shared_ptr<Printer> StartJob(const std::string& title, const std::string& creator) override;

    int TimesShown() const { return shown_; }
    int JobsStarted() const { return started_; }
    // The names the last job was started with.
    const std::string& JobTitle() const { return title_; }
    const std::string& JobCreator() const { return creator_; }
    // The printer of every job.
    RecordingPrinter& Job() { return *job_; }

private:
    bool answer_ = true;
    std::optional<std::string> failure_;
    int shown_ = 0;
    int started_ = 0;
    std::string title_;
    std::string creator_;
    std::shared_ptr<RecordingPrinter> job_ = std::make_shared<RecordingPrinter>();
};

} // namespace polvane
