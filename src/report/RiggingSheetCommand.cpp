#include "report/RiggingSheetCommand.h"

#include <cstdint>
#include <memory>

#include <QColor>
#include <QDate>
#include <QLocale>

#include "engine/AutoConfigure.h"
#include "files/BuildVersion.h"
#include "model/Format.h"
#include "platform/Clock.h"
#include "platform/Printer.h"
#include "platform/PrinterDialog.h"
#include "platform/PrinterFailure.h"
#include "platform/Prompts.h"
#include "report/RiggingSheet.h"
#include "shell/options/AppTitle.h"
#include "shell/options/ArgbColor.h"
#include "shell/options/ColorTable.h"
#include "shell/startup/ErrorReporter.h"
#include "shell/commands/GradientProgressBar.h"
#include "shell/mainwindow/MainWindow.h"
#include "shell/options/Options.h"
#include "shell/commands/ProgressWindow.h"
#include "shell/session/Session.h"
#include "shell/session/VenueLifecycle.h"

namespace polvane {

namespace {

// Keeps the printing flag up for its lifetime.
class PrintingScope {
public:
    explicit PrintingScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~PrintingScope() { flag_ = false; }
    PrintingScope(const PrintingScope&) = delete;
    PrintingScope& operator=(const PrintingScope&) = delete;

private:
    bool& flag_;
};

// Shows the progress window beside the other windows, which stay live while the sheet is
// laid out, and hides it with its bar cleared however the print ends.
class PrintingProgress {
public:
    explicit PrintingProgress(ProgressWindow& window) : window_(window)
    {
        // Auto-Configure shows the same window application-modal.
        window_.hide();
        window_.setWindowModality(Qt::NonModal);
        window_.show();
    }
    ~PrintingProgress()
    {
        window_.hide();
        window_.Bar().Clear();
        window_.PercentCaption().SetCaption(AutoConfigure::FormatPercent(0.0));
    }
    PrintingProgress(const PrintingProgress&) = delete;
    PrintingProgress& operator=(const PrintingProgress&) = delete;

private:
    ProgressWindow& window_;
};

QColor Rgb(std::uint32_t argb)
{
    return QColor(ArgbColor::Red(argb), ArgbColor::Green(argb), ArgbColor::Blue(argb));
}

} // namespace

RiggingSheetCommand::RiggingSheetCommand(Session& session, Clock& clock, Prompts& prompts,
                                         PrinterDialog& dialog, VenueLifecycle& lifecycle,
                                         ErrorReporter& reporter, ProgressWindow& progress)
    : session_(session), options_(session.Options()), clock_(clock), prompts_(prompts), dialog_(dialog),
      lifecycle_(lifecycle), reporter_(reporter), progress_(progress)
{
}

std::string RiggingSheetCommand::JobTitle() const
{
    // The venue's name as the main window's caption shows it.
    return lifecycle_.HasFileName() ? Format::GetFileTitle(lifecycle_.VenuePath()) : MainWindow::kUntitled;
}

std::string RiggingSheetCommand::JobCreator() { return std::string(AppTitle::kTitle) + " " + BuildVersion::Text(); }

std::string RiggingSheetCommand::ShortDate(const LocalDateTime& when)
{
    return QLocale::system()
        .toString(QDate(when.year, when.month, when.day), QLocale::ShortFormat)
        .toStdString();
}

void RiggingSheetCommand::Run()
{
    if (printing_)
        return;
    if (!dialog_.Choose())
        return;
    reporter_.Guard(kProcedure, [this] { PrintOut(); });
}

void RiggingSheetCommand::PrintOut()
{
    PrintingScope printing(printing_);
    try {
        // Started before the progress shows, so that a refusing printer leaves no trace.
        const std::shared_ptr<Printer> job = dialog_.StartJob(JobTitle(), JobCreator());

        progress_.Initialize(ProgressWindow::kPrinting, options_.EngineeringMode());
        PrintingProgress shown(progress_);
        clock_.LetMessagesRun();
        const ColorTable& colors = options_.Colors();
        progress_.Bar().Initialize(Rgb(colors.Color(ColorTable::kProgressLeft)),
                                   Rgb(colors.Color(ColorTable::kProgressRight)));

        RiggingSheet::Settings settings;
        settings.venuePath = lifecycle_.VenuePath();
        settings.date = ShortDate(clock_.Now());
        settings.showSplayAngles = options_.ShowCellSplayAngles();
        settings.showPinning = options_.ShowCellPinningConfigurations();
        RiggingSheet sheet(*job, prompts_, progress_.Bar(), progress_.PercentCaption(), clock_);
        settings.engineeringMode = options_.EngineeringMode();
        settings.title = AppTitle::Text(options_.GodMode());
        sheet.PrintOut(lifecycle_.Venue(), settings, session_.Results());
    } catch (const PrinterFailure& failure) {
        prompts_.ShowMessage("The rigging sheet could not be printed.\r\n" +
                                 std::string(failure.what()),
                             AppTitle::Text(options_.GodMode()), MessageButtons::Ok, MessageIcon::Exclamation);
    }
}

} // namespace polvane
