#include "app/Application.h"

#include <cstdlib>
#include <exception>
#include <iostream>
#include <memory>
#include <vector>

#include <QAction>
#include <QCoreApplication>

#include "engine/Environment.h"
#include "files/BuildVersion.h"
#include "platform/DBusScreenSaver.h"
#include "platform/HelpWindow.h"
#include "platform/ProgramFolder.h"
#include "platform/QtClock.h"
#include "platform/QtPrinterDialog.h"
#include "platform/QtPrompts.h"
#include "platform/QtScreenInfo.h"
#include "platform/QtSettingsStore.h"
#include "report/RiggingSheetCommand.h"
#include "shell/options/AppTitle.h"
#include "shell/commands/AutoConfigureRunner.h"
#include "shell/startup/ErrorReporter.h"
#include "shell/mainwindow/MainWindow.h"
#include "shell/options/Options.h"
#include "shell/options/ProgramConstants.h"
#include "shell/places/ToolWindowRegistry.h"
#include "shell/startup/ProgramIcon.h"
#include "shell/startup/ProgramRun.h"
#include "shell/commands/ProgressWindow.h"
#include "shell/session/RecentFiles.h"
#include "shell/session/Session.h"
#include "shell/startup/ReportingApplication.h"
#include "shell/mainwindow/ShellMainWindowRelay.h"
#include "shell/startup/SplashWindow.h"
#include "shell/session/UpdateHub.h"
#include "shell/session/VenueLifecycle.h"
#include "shell/startup/WelcomeWindow.h"
#include "shell/session/WindowRegistry.h"
#include "windows/dialogs/ArrayDesign.h"
#include "windows/tools/ListeningPointsWindow.h"
#include "windows/dialogs/OptionsDialog.h"
#include "windows/base/ToolWindowHost.h"
#include "windows/tools/ToolWindowFactory.h"

namespace polvane {

namespace {

bool IsSet(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

} // namespace

bool Application::HasDisplay()
{
    return IsSet("QT_QPA_PLATFORM") || IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY");
}

std::string Application::CommandLine(int argc, const char* const* argv)
{
    std::string line;
    for (int index = 1; index < argc; ++index) {
        if (index > 1)
            line += ' ';
        line += argv[index];
    }
    return line;
}

int Application::Run(int argc, char** argv)
{
    // Without a display Qt would abort; say why instead.
    if (!HasDisplay()) {
        std::cerr << kNoDisplayText;
        return 1;
    }
    // Failures once the windows exist go to the error reporter; this catches only those
    // of putting the program together.
    try {
        return RunProgram(argc, argv);
    } catch (const std::exception& failure) {
        std::cerr << "Quessel Polvane could not start: " << failure.what() << '\n';
    } catch (...) {
        std::cerr << "Quessel Polvane could not start.\n";
    }
    return 1;
}

int Application::RunProgram(int argc, char** argv)
{
    const std::string commandLine = CommandLine(argc, argv);

    ReportingApplication application(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Quesselcorp"));
    QCoreApplication::setApplicationName(QStringLiteral("Polvane"));
    ProgramIcon::Install();
    // The close box only asks; the program ends through the orderly end alone.
    QApplication::setQuitOnLastWindowClosed(false);

    Application self;
    const ProgramFolder folder;
    QtClock clock;
    const QtScreenInfo screen;
    QtPrompts prompts;
    QtSettingsStore store;
    // The open venue, the calculation results and the options, shared by every part below.
    Session session(store);
    Options& options = session.Options();
    const ProgramConstants constants(folder, screen);
    RecentFiles recentFiles(store);
    WindowRegistry windows;
    const auto title = [&options] { return AppTitle::Text(options.GodMode()); };
    store.OnWriteFailure([&prompts, &title](const std::string& message) {
        prompts.ShowMessage(message, title(), MessageButtons::Ok, MessageIcon::Exclamation);
    });

    ErrorReporter reporter(folder, clock, prompts, title, BuildVersion::Text(),
                           [&self] { self.End(1); }, [] { std::_Exit(1); });
    application.SetReporter(&reporter);

    // The lifecycle and the hub reach the main window, which takes them whole, through
    // the relay; the help window is the main window's own once that is built.
    ShellMainWindowRelay mainWindowRelay;
    VenueLifecycle lifecycle(session, prompts, mainWindowRelay, recentFiles,
                             [&options] { return options.NewVenueTemplate(); }, title);
    auto help = std::make_unique<HelpWindow>(constants.HelpFolder(), prompts, title);
    UpdateHub hub(session, windows,
                  mainWindowRelay, *help);
    lifecycle.SetUpdateHub(&hub);
    MainWindow mainWindow(options, prompts, screen, windows, reporter, lifecycle, hub,
                          mainWindowRelay);
    help.release()->setParent(&mainWindow, Qt::Window);
    prompts.SetParent(&mainWindow);
    mainWindow.Layouts().SetLayoutFolder(constants.WindowLayoutsFolder(),
                                         constants.ProgramWindowLayoutsFolder());

    ProgressWindow progress(&mainWindow);
    DBusScreenSaver screenSaver;
    AutoConfigureRunner autoConfigure(session, clock, screenSaver, lifecycle, hub, reporter,
                                      mainWindow, progress);
    const auto runAutoConfigure = [&autoConfigure] { autoConfigure.RunAutoCalculate(); };
    mainWindow.SetCommand(MainWindow::Command::AutoConfigure, runAutoConfigure);
    QtPrinterDialog printerDialog(&mainWindow);
    RiggingSheetCommand printOut(session, clock, prompts, printerDialog, lifecycle, reporter,
                                 progress);
    mainWindow.SetCommand(MainWindow::Command::Print, [&printOut] { printOut.Run(); });

    // Made on first use and kept, hidden, between uses.
    std::unique_ptr<OptionsDialog> optionsDialog;
    mainWindow.SetCommand(MainWindow::Command::Options, [&] {
        if (!optionsDialog)
            optionsDialog = std::make_unique<OptionsDialog>(
                options, prompts, hub, reporter,
                [&lifecycle] { return lifecycle.Venue().Units() == UnitsCode::Metric; },
                constants.ColorPresetsFolder(), &mainWindow);
        optionsDialog->Run();
    });

    // The tool windows, each created when it is first opened.
    ToolWindowContext toolWindows{windows, mainWindow, *mainWindow.MdiArea(), screen, hub,
                                  lifecycle, reporter, options, session,
                                  [&mainWindow] { return mainWindow.IsUnloading(); }, prompts,
                                  &mainWindow, runAutoConfigure};
    // The window's "Design..." does what Array > Design... does, whoever handles that.
    const auto designArray = [&mainWindow] {
        if (auto* item = mainWindow.findChild<QAction*>(QStringLiteral("mnuArrayDesgin")))
            item->trigger();
    };
    std::vector<std::unique_ptr<ToolWindowHost>> toolWindowHosts;
    for (const ToolWindowInfo& info : ToolWindowRegistry::All()) {
        const ToolWindowId id = info.id;
        toolWindowHosts.push_back(std::make_unique<ToolWindowHost>(
            toolWindows, [id, designArray](ToolWindowContext& context) {
                return ToolWindowFactory::Create(id, context, designArray);
            }));
        mainWindow.SetToolWindowSlot(id, toolWindowHosts.back().get());
        if (id == ToolWindowId::ListeningPoints)
            self.listeningPoints_ = toolWindowHosts.back().get();
    }

    ArrayDesign arrayDesign(mainWindow, lifecycle, hub, reporter, screen);
    mainWindow.SetCommand(MainWindow::Command::Design, [&arrayDesign] { arrayDesign.DesignArray(); });

    SplashWindow splash;
    WelcomeWindow welcome;
    mainWindow.SetAboutWindow(splash);
    mainWindow.SetEndProgram([&self] { self.End(0); });
    self.splash_ = &splash;
    self.main_ = &mainWindow;

    ProgramRun run(clock, prompts, folder, session, lifecycle, hub, self, reporter,
                   [&] { options.Read(constants, welcome, clock); }, title);
    self.run_ = &run;

    run.Start(commandLine);
    const int exitCode = self.ending_ ? self.exitCode_ : application.exec();

    self.run_ = nullptr;
    self.listeningPoints_ = nullptr;
    application.SetReporter(nullptr);
    return exitCode;
}

void Application::End(int exitCode)
{
    if (ending_)
        return;
    ending_ = true;
    exitCode_ = exitCode;
    if (run_ != nullptr)
        run_->ShutDown();
    QCoreApplication::exit(exitCode);
}

void Application::ShowSplash()
{
    splash_->show();
    splash_->raise();
}

void Application::HideSplash()
{
    if (splash_ != nullptr)
        splash_->hide();
}

void Application::ShowMainWindow()
{
    main_->ShowWindows();
    main_->show();
}

void Application::SetListeningPointsListVisible(bool visible)
{
    if (listeningPoints_ != nullptr)
        ListeningPointsWindow::SetListVisible(*listeningPoints_, visible);
}

void Application::UnloadAll()
{
    if (main_ != nullptr)
        main_->Unload();
    if (splash_ != nullptr)
        splash_->close();
}

} // namespace polvane
