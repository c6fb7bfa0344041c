#include "shell/startup/ErrorReporter.h"

#include <cstdio>
#include <fstream>
#include <new>
#include <stdexcept>
#include <utility>

#include "model/ProcedureFailure.h"
#include "platform/Clock.h"
#include "platform/ProgramFolder.h"
#include "platform/Prompts.h"

namespace polvane {

namespace {

std::string TwoDigits(int value)
{
    char text[8];
    std::snprintf(text, sizeof text, "%02d", ((value % 100) + 100) % 100);
    return text;
}

std::string Describe(std::exception_ptr failure, std::string& procedure)
{
    try {
        if (failure)
            std::rethrow_exception(failure);
        return "Unknown failure";
    } catch (const ProcedureFailure& procedureFailure) {
        procedure = procedureFailure.Procedure();
        return procedureFailure.what();
    } catch (const std::exception& other) {
        return other.what();
    } catch (...) {
        return "Unknown failure";
    }
}

} // namespace

ErrorReporter::ErrorReporter(const ProgramFolder& folder, Clock& clock, Prompts& prompts,
                             std::function<std::string()> title, std::string version,
                             Ending endProgram, Ending endAtOnce)
    : folder_(folder), clock_(clock), prompts_(prompts), title_(std::move(title)),
      version_(std::move(version)), endProgram_(std::move(endProgram)),
      endAtOnce_(std::move(endAtOnce))
{
    if (!endProgram_ || !endAtOnce_)
        throw std::invalid_argument("The error reporter needs both ways of ending");
}

std::string ErrorReporter::LogTime(const LocalDateTime& when)
{
    const int hour12 = when.hour % 12 == 0 ? 12 : when.hour % 12;
    return TwoDigits(when.month) + "." + TwoDigits(when.day) + "." + TwoDigits(when.year) +
           "--" + TwoDigits(hour12) + ":" + TwoDigits(when.minute) + ":" +
           TwoDigits(when.second) + (when.hour < 12 ? " am" : " pm");
}

std::string ErrorReporter::LogLine(const LocalDateTime& when, const std::string& procedure,
                                   long code, const std::string& description,
                                   const std::string& version)
{
    return LogTime(when) + "--Error in \"" + procedure + "\": Code " + std::to_string(code) +
           " (" + description + "): Version " + version;
}

long ErrorReporter::CodeOf(std::exception_ptr failure)
{
    try {
        if (failure)
            std::rethrow_exception(failure);
    } catch (const std::out_of_range&) {
        return 9;
    } catch (const std::invalid_argument&) {
        return 5;
    } catch (const std::domain_error&) {
        return 5;
    } catch (const std::overflow_error&) {
        return 6;
    } catch (const std::bad_alloc&) {
        return 7;
    } catch (...) {
    }
    return 0;
}

std::string ErrorReporter::LogPath() const { return folder_.WritableFile(kLogName); }

void ErrorReporter::ReportError(const std::string& procedure, long code,
                                const std::string& description)
{
    if (reporting_) {
        endAtOnce_();
        return;
    }
    reporting_ = true;
    // Nothing here may fail in a way that stops the report: a log that cannot be written
    // is skipped, and the user is told all the same.
    try {
        const std::string line = LogLine(clock_.Now(), procedure, code, description, version_);
        std::ofstream log(LogPath(), std::ios::binary | std::ios::app);
        if (log)
            log << line << "\r\n";
    } catch (...) {
    }
    try {
        prompts_.ShowMessage(kMessage, title_ ? title_() : std::string(), MessageButtons::Ok,
                             MessageIcon::Critical);
    } catch (...) {
    }
    endProgram_();
}

void ErrorReporter::ReportException(const std::string& procedure, std::exception_ptr failure)
{
    std::string name = procedure;
    const std::string description = Describe(failure, name);
    ReportError(name, CodeOf(failure), description);
}

bool ErrorReporter::Guard(const std::string& procedure, const std::function<void()>& action)
{
    try {
        action();
        return true;
    } catch (...) {
        ReportException(procedure, std::current_exception());
        return false;
    }
}

} // namespace polvane
