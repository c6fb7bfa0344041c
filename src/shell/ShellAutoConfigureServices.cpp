#include "shell/ShellAutoConfigureServices.h"

#include <utility>

#include "platform/Clock.h"
#include "shell/Options.h"
#include "shell/UpdateHub.h"

namespace polvane {

ShellAutoConfigureServices::ShellAutoConfigureServices(Options& options, Clock& clock,
                                                       UpdateHub& hub, QLocale locale)
    : options_(options), clock_(clock), hub_(hub), locale_(std::move(locale))
{
}

bool ShellAutoConfigureServices::RefinementEnabled()
{
    return options_.EnableRefinementCalculations();
}

std::int64_t ShellAutoConfigureServices::TickCount() { return clock_.TickCount(); }

void ShellAutoConfigureServices::RefreshWindows() { hub_.UpdateInterfaces(UpdateScope::AllButNotesAreas, false); }

void ShellAutoConfigureServices::LetMessagesRun() { clock_.LetMessagesRun(); }

std::string ShellAutoConfigureServices::FormatCount(std::int64_t count)
{
    return locale_.toString(static_cast<qlonglong>(count)).toStdString();
}

} // namespace polvane
