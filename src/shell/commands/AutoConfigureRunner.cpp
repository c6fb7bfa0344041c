#include "shell/commands/AutoConfigureRunner.h"

#include <cstdint>
#include <vector>

#include <QColor>
#include <QPointer>
#include <QWidget>

#include "engine/AutoConfigure.h"
#include "engine/Environment.h"
#include "platform/Clock.h"
#include "platform/ScreenSaver.h"
#include "shell/options/ArgbColor.h"
#include "shell/options/ColorTable.h"
#include "shell/startup/ErrorReporter.h"
#include "shell/commands/GradientProgressBar.h"
#include "shell/options/Options.h"
#include "shell/commands/ProgressWindow.h"
#include "shell/session/Session.h"
#include "shell/commands/ShellAutoConfigureServices.h"
#include "shell/session/UpdateHub.h"
#include "shell/session/VenueLifecycle.h"

namespace polvane {

namespace {

bool g_autoCalculating = false;

// Keeps the auto-calculating flag up for its lifetime.
class AutoCalculatingScope {
public:
    AutoCalculatingScope() { g_autoCalculating = true; }
    ~AutoCalculatingScope() { g_autoCalculating = false; }
    AutoCalculatingScope(const AutoCalculatingScope&) = delete;
    AutoCalculatingScope& operator=(const AutoCalculatingScope&) = delete;
};

// Takes input away from the main window: every part of it that is not a window of its
// own (menu bar, work area with the tool windows, status bar). Disabling the main window
// itself would disable the progress window it owns, and with it the Stop button. Parts
// that were disabled already stay so afterwards.
class MainWindowLock {
public:
    explicit MainWindowLock(QWidget& window) : window_(window), focus_(window.focusWidget())
    {
        for (QWidget* part : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (!part->isWindow() && part->isEnabled()) {
                part->setEnabled(false);
                locked_.emplace_back(part);
            }
        }
    }
    ~MainWindowLock() { Release(); }
    MainWindowLock(const MainWindowLock&) = delete;
    MainWindowLock& operator=(const MainWindowLock&) = delete;

    // Gives the input back and the main window the focus, on the control that had it:
    // disabling the parts took the focus away from it.
    void Release()
    {
        if (released_)
            return;
        released_ = true;
        for (const QPointer<QWidget>& part : locked_)
            if (part)
                part->setEnabled(true);
        if (focus_ && focus_->isEnabled())
            focus_->setFocus(Qt::OtherFocusReason);
        window_.activateWindow();
    }

private:
    QWidget& window_;
    QPointer<QWidget> focus_;
    std::vector<QPointer<QWidget>> locked_;
    bool released_ = false;
};

// Shows the progress window over its owner without waiting, application-modal so that
// while window messages run only it takes input (Stop, Esc, its close box): the main
// window's close box too stays without effect. Hidden however the run ends.
class ProgressShown {
public:
    explicit ProgressShown(ProgressWindow& window) : window_(window)
    {
        window_.setWindowModality(Qt::ApplicationModal);
        window_.show();
    }
    ~ProgressShown() { Hide(); }
    ProgressShown(const ProgressShown&) = delete;
    ProgressShown& operator=(const ProgressShown&) = delete;

    void Hide()
    {
        if (shown_) {
            shown_ = false;
            window_.hide();
        }
    }

private:
    ProgressWindow& window_;
    bool shown_ = true;
};

// Suspends an active screen saver for the run when the options ask for it, and puts it
// back however the run ends: left suspended, the user's screen would never blank again.
class ScreenSaverPause {
public:
    ScreenSaverPause(ScreenSaver& screenSaver, bool wanted) : screenSaver_(screenSaver)
    {
        if (wanted && screenSaver_.IsActive()) {
            paused_ = true; // before the switch, so that a failing one is undone as well
            screenSaver_.Deactivate();
        }
    }
    ~ScreenSaverPause()
    {
        // A failure here must not take the place of the one being unwound.
        try {
            Resume();
        } catch (...) {
        }
    }
    ScreenSaverPause(const ScreenSaverPause&) = delete;
    ScreenSaverPause& operator=(const ScreenSaverPause&) = delete;

    void Resume()
    {
        if (paused_) {
            paused_ = false;
            screenSaver_.Activate();
        }
    }

private:
    ScreenSaver& screenSaver_;
    bool paused_ = false;
};

QColor Rgb(std::uint32_t argb)
{
    return QColor(ArgbColor::Red(argb), ArgbColor::Green(argb), ArgbColor::Blue(argb));
}

} // namespace

AutoConfigureRunner::AutoConfigureRunner(Session& session, Clock& clock,
                                         ScreenSaver& screenSaver, VenueLifecycle& lifecycle,
                                         UpdateHub& hub, ErrorReporter& reporter,
                                         QWidget& mainWindow, ProgressWindow& progress)
    : session_(session), options_(session.Options()), clock_(clock), screenSaver_(screenSaver), lifecycle_(lifecycle),
      hub_(hub), reporter_(reporter), mainWindow_(mainWindow), progress_(progress)
{
}

bool AutoConfigureRunner::IsAutoCalculating() { return g_autoCalculating; }

bool AutoConfigureRunner::RunAutoCalculate()
{
    // A second run from inside the first would clear its Stop and suspend the screen
    // saver twice.
    if (g_autoCalculating)
        return false;
    return reporter_.Guard(kProcedure, [this] { Run(); });
}

void AutoConfigureRunner::Run()
{
    // The scopes undo what they did in reverse order, also when a step below throws.
    AutoCalculatingScope autoCalculating;
    progress_.CancelFlag() = false;
    MainWindowLock lock(mainWindow_);
    const bool engineeringMode = options_.EngineeringMode();
    progress_.Initialize(ProgressWindow::kAutoConfigure, engineeringMode);
    ScreenSaverPause screenSaver(screenSaver_, options_.DisableScreenSaver());

    const int limitMs = options_.MaxAutoConfigureTime();
    progress_.TimeCaption().SetCaption(AutoConfigure::FormatTimeRemaining(limitMs));
    ProgressShown shown(progress_);
    clock_.LetMessagesRun();

    const ColorTable& colors = options_.Colors();
    progress_.Bar().Initialize(Rgb(colors.Color(ColorTable::kProgressLeft)),
                               Rgb(colors.Color(ColorTable::kProgressRight)));

    Environment& venue = lifecycle_.Venue();
    venue.SetAutoCalcBumperAdjust(!options_.LockBumperDuringAutoConfigure());
    venue.SetAutoCalcBaselines(options_.MaxAutoConfigureOverthrow(),
                               options_.MaxAutoConfigureUnderthrow());
    ShellAutoConfigureServices services(session_, clock_, hub_);
    venue.AutoCalculate(limitMs, progress_.CancelFlag(), progress_.Bar(),
                        progress_.PercentCaption(), progress_.TimeCaption(),
                        engineeringMode ? &progress_.CombosCaption() : nullptr, services);

    shown.Hide();
    progress_.Bar().Clear();
    progress_.PercentCaption().SetCaption(AutoConfigure::FormatPercent(0.0));
    hub_.UpdateInterfaces(UpdateScope::AllButNotesAreas, true);
    // Stopped or not, the splays have changed.
    lifecycle_.SetDirty();
    screenSaver.Resume();
    lock.Release();
}

} // namespace polvane
