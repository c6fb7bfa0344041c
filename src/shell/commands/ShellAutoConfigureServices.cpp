#include "shell/commands/ShellAutoConfigureServices.h"

#include "platform/Clock.h"
#include "shell/session/Session.h"
#include "shell/session/UpdateHub.h"

namespace polvane {

ShellAutoConfigureServices::ShellAutoConfigureServices(Session& session, Clock& clock,
                                                       UpdateHub& hub)
    : session_(session), clock_(clock), hub_(hub)
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

} // namespace polvane
