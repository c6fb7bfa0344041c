#pragma once

#include <functional>

class QMdiArea;

namespace polvane {

class ErrorReporter;
class MainWindow;
class Options;
class Prompts;
class ScreenInfo;
class Session;
class ShellMainWindow;
class UpdateHub;
class VenueLifecycle;
class WindowRegistry;

// What every tool window reaches in the shell: where it lives, how it is registered, the
// services its handlers call, and whether a close comes from the main window closing.
struct ToolWindowContext {
    WindowRegistry& registry;
    ShellMainWindow& mainWindow;
    QMdiArea& area;
    const ScreenInfo& screen;
    UpdateHub& hub;
    VenueLifecycle& lifecycle;
    ErrorReporter& reporter;
    Options& options;
    // The open venue's calculation results, which the windows show.
    const Session& session;
    // True while the main window closes all its tool windows at the program's end, so that
    // they are saved as open and come back at the next start.
    std::function<bool()> closingWithMain;
    // Message boxes, input boxes and file dialogs.
    Prompts& prompts;
    // The main window's popup menus (cell type, splay, attenuation, rigging point); null
    // where no window shows them (tests).
    MainWindow* popupMenus = nullptr;
    // Array > Auto-Configure, for the windows that start it too; empty where there is none.
    std::function<void()> runAutoConfigure;
};

} // namespace polvane
