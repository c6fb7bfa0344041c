#include "shell/startup/ProgramRun.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <utility>

#include "engine/Environment.h"
#include "platform/Clock.h"
#include "platform/Prompts.h"
#include "shell/startup/ErrorReporter.h"
#include "shell/session/Session.h"
#include "shell/startup/StartupWindows.h"
#include "shell/session/UpdateHub.h"
#include "shell/session/VenueLifecycle.h"

namespace polvane {

ProgramRun::ProgramRun(Clock& clock, Prompts& prompts, const ProgramFolder& folder,
                       Session& session, VenueLifecycle& lifecycle, UpdateHub& hub, StartupWindows& windows,
                       ErrorReporter& reporter, std::function<void()> readOptions,
                       std::function<std::string()> title)
    : clock_(clock), prompts_(prompts), folder_(folder), session_(session), lifecycle_(lifecycle), hub_(hub),
      windows_(windows), reporter_(reporter), readOptions_(std::move(readOptions)),
      title_(std::move(title)), marker_(folder)
{
}

ProgramRun::~ProgramRun() = default;

std::string ProgramRun::Title() const { return title_ ? title_() : std::string(); }

std::optional<std::string> ProgramRun::CommandLinePath(const std::string& commandLine)
{
    if (commandLine.empty())
        return std::nullopt;
    std::string path = commandLine;
    std::replace(path.begin(), path.end(), '"', ' ');
    const auto first = path.find_first_not_of(' ');
    if (first == std::string::npos)
        return std::string();
    const auto last = path.find_last_not_of(' ');
    return path.substr(first, last - first + 1);
}

std::string ProgramRun::MissingFileText(const std::string& path)
{
    return "The venue file \"" + path + "\" does not exist, so a new venue was started instead.";
}

bool ProgramRun::Start(const std::string& commandLine)
{
    return reporter_.Guard("modMain.Main", [&] { RunStart(commandLine); });
}

void ProgramRun::RunStart(const std::string& commandLine)
{
    marker_.Initialize(clock_, prompts_, Title());

    const long long splashDeadline = clock_.TickCount() + kSplashMinimumMs;
    if (readOptions_)
        readOptions_();

    windows_.ShowSplash();
    clock_.LetMessagesRun();

    OpenFirstVenue(commandLine);

    session_.Recalculate();
    windows_.ShowMainWindow();
    windows_.SetListeningPointsListVisible(false);
    clock_.LetMessagesRun();
    hub_.UpdateInterfaces(UpdateScope::All, true);
    clock_.Delay(std::max<long long>(splashDeadline - clock_.TickCount(), 0), true);
    windows_.SetListeningPointsListVisible(true);
    windows_.HideSplash();
}

void ProgramRun::OpenFirstVenue(const std::string& commandLine)
{
    const std::optional<std::string> path = CommandLinePath(commandLine);
    if (!path) {
        lifecycle_.NewVenue();
        return;
    }
    if (!path->empty()) {
        std::error_code error;
        if (!std::filesystem::exists(*path, error)) {
            prompts_.ShowMessage(MissingFileText(*path), Title(), MessageButtons::Ok, MessageIcon::Exclamation);
            lifecycle_.NewVenue();
            return;
        }
    }
    // A cancelled dialog or a file that cannot be read (the user has been told) leaves a
    // new venue rather than the bare empty document.
    if (!lifecycle_.OpenVenue(*path))
        lifecycle_.NewVenue();
}

bool ProgramRun::ShutDown()
{
    return reporter_.Guard("modMain.EndProgram", [&] {
        windows_.UnloadAll();
        marker_.Remove();
    });
}

} // namespace polvane
