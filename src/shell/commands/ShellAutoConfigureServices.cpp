#include "shell/commands/ShellAutoConfigureServices.h"

#include <utility>

#include "platform/Clock.h"
#include "shell/session/Session.h"
#include "shell/session/UpdateHub.h"

namespace polvane {

ShellAutoConfigureServices::ShellAutoConfigureServices(Session& session, Clock& clock,
                                                       UpdateHub& hub, QLocale locale)
    : session_(session), clock_(clock), hub_(hub), locale_(std::move(locale))
{
}

bool ShellAutoConfigureServices::RefinementEnabled()
{
    return session_.Options().EnableRefinementCalculations();
}

bool ShellAutoConfigureServices::EngineeringMode() { return session_.Options().EngineeringMode(); }

void ShellAutoConfigureServices::ShareResults(const CalculationResults& results)
{
    session_.StoreResults(results);
}

std::int64_t ShellAutoConfigureServices::TickCount() { return clock_.TickCount(); }

void ShellAutoConfigureServices::RefreshWindows() { hub_.UpdateInterfaces(UpdateScope::AllButNotesAreas, false); }

void ShellAutoConfigureServices::LetMessagesRun() { clock_.LetMessagesRun(); }

std::string ShellAutoConfigureServices::FormatCount(std::int64_t count)
{
    return locale_.toString(static_cast<qlonglong>(count)).toStdString();
}

} // namespace polvane
