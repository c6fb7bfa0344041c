#include "shell/mainwindow/MainWindow.h"

#include <algorithm>
#include <stdexcept>
#include <utility>
#include <vector>

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QFrame>
#include <QKeySequence>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScrollBar>
#include <QShortcutEvent>
#include <QStatusBar>
#include <QTimer>

#include "engine/Environment.h"
#include "model/Format.h"
#include "platform/Prompts.h"
#include "platform/ScreenInfo.h"
#include "platform/SettingsStore.h"
#include "shell/options/AppTitle.h"
#include "shell/mainwindow/CellPopupTarget.h"
#include "shell/startup/ErrorReporter.h"
#include "shell/commands/MenuBuilder.h"
#include "shell/commands/MenuText.h"
#include "shell/options/Options.h"
#include "shell/places/StoredWindowPlaces.h"
#include "shell/mainwindow/RiggingPopupTarget.h"
#include "shell/mainwindow/ShellMainWindowRelay.h"
#include "shell/startup/SplashWindow.h"
#include "shell/session/UpdateHub.h"
#include "shell/session/VenueLifecycle.h"
#include "shell/session/WindowRegistry.h"

namespace polvane {

namespace {

QString Text(const std::string& text) { return QString::fromStdString(text); }

std::string Indexed(const char* name, int index) { return MenuBuilder::Indexed(name, index); }

} // namespace

MainWindow::MainWindow(Options& options, Prompts& prompts, const ScreenInfo& screen,
                       WindowRegistry& windows, ErrorReporter& reporter, VenueLifecycle& lifecycle,
                       UpdateHub& hub, ShellMainWindowRelay& relay, QWidget* parent)
    : QMainWindow(parent), options_(options), prompts_(prompts), screen_(screen),
      windows_(windows), reporter_(reporter), lifecycle_(lifecycle), hub_(hub), relay_(relay),
      menus_(*menuBar(), reporter),
      positions_(options.Store()), slots_(windows, positions_), recentFiles_(options.Store()),
      polarExport_(lifecycle, prompts, [this] { return Title(); }), mdiArea_(new QMdiArea(this)),
      timTimer_(new QTimer(this)), place_(*this, screen),
      arrangement_(std::make_unique<PresetArrangement>(*this, *mdiArea_, screen, options, slots_,
                                                       *this, hub))
{
    setObjectName(QStringLiteral("frmMain"));
    mdiArea_->setObjectName(QStringLiteral("mdiArea"));
    setCentralWidget(mdiArea_);
    // What lies outside the work area can be scrolled to.
    mdiArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea_->installEventFilter(this);

    timTimer_->setObjectName(QStringLiteral("timTimer"));
    timTimer_->setInterval(kExitDelayMs);
    timTimer_->setSingleShot(true);
    connect(timTimer_, &QTimer::timeout, this, [this] {
        Guard("frmMain.timTimer_Timer", [this] {
            timTimer_->stop();
            EndProgram();
        });
    });

    BuildFileMenu();
    BuildArrayMenu();
    BuildToolsMenu();
    BuildViewMenu();
    BuildHelpMenu();
    BuildPopups();
    BuildStatusBar();
    qApp->installEventFilter(this);
    // Until their work exists elsewhere these commands cannot be chosen.
    for (auto& [command, item] : commandItems_)
        item->setEnabled(false);
    ApplyMode(options_.EngineeringMode());
    options_.SetModeSwitchListener(this);
    relay_.SetTarget(this);
    SetCaption();
}

MainWindow::~MainWindow()
{
    relay_.SetTarget(nullptr);
    options_.SetModeSwitchListener(nullptr);
}

void MainWindow::SetCommand(Command command, std::function<void()> handler)
{
    commandItems_.at(command)->setEnabled(static_cast<bool>(handler));
    commands_[command] = std::move(handler);
}

void MainWindow::SetToolWindowSlot(ToolWindowId id, ToolWindowSlot* slot)
{
    toolItems_.at(id)->setEnabled(slot != nullptr);
    slots_.Set(id, slot);
}

void MainWindow::Guard(const std::string& procedure, const std::function<void()>& action)
{
    reporter_.Guard(procedure, action);
}

void MainWindow::BuildFileMenu()
{
    QMenu* file = AddMenu(nullptr, "mnuFile", QStringLiteral("&File"));
    fileMenu_ = file;
    AddItem(file, "mnuFileNew", QStringLiteral("&New"), [this] {
        if (AskToSaveChanges())
            lifecycle_.NewVenue();
    }, "Ctrl+N");
    AddSeparator(file, "mnuFileSep0");
    AddItem(file, "mnuFileOpen", QStringLiteral("&Open..."), [this] {
        if (!AskToSaveChanges())
            return;
        lifecycle_.OpenVenue("");
        ShowMRUListEntries();
    }, "Ctrl+O");
    // Revert does nothing; it is only enabled while a venue with a file has changes.
    revertItem_ = AddItem(file, "mnuFileRevert", QStringLiteral("&Revert"));
    revertItem_->setEnabled(false);
    AddSeparator(file, "mnuFileSep1");
    AddItem(file, "mnuFileSave", QStringLiteral("&Save"), [this] {
        lifecycle_.SaveVenue();
        ShowMRUListEntries();
    }, "Ctrl+S");
    AddItem(file, "mnuFileSaveAs", QStringLiteral("Save &As..."), [this] {
        lifecycle_.SaveVenueAs();
        ShowMRUListEntries();
    });
    AddSeparator(file, "mnuFileSep2");
    commandItems_[Command::Print] = AddItem(file, "mnuFilePrint", QStringLiteral("&Print..."), [this] {
        if (commands_[Command::Print])
            commands_[Command::Print]();
    }, "Ctrl+P");
    AddSeparator(file, "mnuFileSep3");
    // The recently used files' items, filled and shown by ShowMRUListEntries.
    for (int index = 0; index <= RecentFiles::kSlotCount; ++index) {
        QAction* item = AddItem(file, Indexed("mnuFileMRU", index), QString(), [this, index] {
            if (index > 0)
                OpenRecentFile(RecentFileItem(index)->data().toString().toStdString());
        });
        item->setVisible(false);
        recentItems_[static_cast<std::size_t>(index)] = item;
    }
    recentSeparator_ = AddSeparator(file, "mnuFileSep4");
    recentSeparator_->setVisible(false);
    AddItem(file, "mnuFileExit", QStringLiteral("E&xit"), [this] {
        if (AskToSaveChanges())
            EndProgram();
    }, "Ctrl+Q");
}

void MainWindow::BuildArrayMenu()
{
    QMenu* array = AddMenu(nullptr, "mnuArray", QStringLiteral("&Array"));
    commandItems_[Command::AutoConfigure] =
        AddItem(array, "mnuArrayAutoConfigure", QStringLiteral("&Auto-Configure"), [this] {
            if (commands_[Command::AutoConfigure])
                commands_[Command::AutoConfigure]();
        });
    AddSeparator(array, "mnuArraySep0");
    commandItems_[Command::Design] = AddItem(array, "mnuArrayDesgin", QStringLiteral("&Design..."), [this] {
        if (commands_[Command::Design])
            commands_[Command::Design]();
    });

    QMenu* configuration = AddMenu(array, "mnuArrayConfiguration", QStringLiteral("&Configuration"));
    AddItem(configuration, "mnuArrayConfigurationFlown", QStringLiteral("&Flown"));
    AddItem(configuration, "mnuArrayConfigurationStacked", QStringLiteral("&Ground Stacked"));
    configuration->menuAction()->setVisible(false);
    QMenu* pinning = AddMenu(array, "mnuArrayPinning", QStringLiteral("&Pinning"));
    AddItem(pinning, "mnuArrayPinningSlide", QStringLiteral("&Slide"));
    AddItem(pinning, "mnuArrayPinningFixed", QStringLiteral("&Fixed"));
    pinning->menuAction()->setVisible(false);
    AddSeparator(array, "mnuArraySep1")->setVisible(false);

    // The state items only label the keys; the keys themselves are handled by the windows.
    QMenu* states = AddMenu(array, "mnuArrayStates", QStringLiteral("&States"));
    QMenu* saveTo = AddMenu(states, "mnuArrayStatesSaveTo", QStringLiteral("&Save to"));
    AddItem(saveTo, Indexed("mnuArrayStatesSaveToState", 0), QString())->setVisible(false);
    for (int slot = 1; slot <= VenueLifecycle::kSlotCount; ++slot) {
        const QString text = QStringLiteral("State &%1\tCtrl+Shift+%1").arg(slot);
        AddItem(saveTo, Indexed("mnuArrayStatesSaveToState", slot), text,
                [this, slot] { lifecycle_.SaveState(slot); });
    }
    AddSeparator(states, "mnuArrayStatesSep0");
    stateSwitchItems_[0] = AddItem(states, Indexed("mnuArrayStatesSwitch", 0), QString());
    stateSwitchItems_[0]->setVisible(false);
    for (int slot = 1; slot <= VenueLifecycle::kSlotCount; ++slot) {
        const QString text = QStringLiteral("State &%1\tCtrl+%1").arg(slot);
        stateSwitchItems_[static_cast<std::size_t>(slot)] =
            AddItem(states, Indexed("mnuArrayStatesSwitch", slot), text,
                    [this, slot] { lifecycle_.LoadState(slot); });
    }
    states->menuAction()->setVisible(false);
    AddSeparator(array, "mnuArraySep2")->setVisible(false);
    // Never shown; the export stays reachable as the program has always held it.
    AddItem(array, "mnuArrayDistill", QStringLiteral("Distill to PLR file..."),
            [this] { polarExport_.Run(); })
        ->setVisible(false);
}

void MainWindow::BuildToolsMenu()
{
    QMenu* tools = AddMenu(nullptr, "mnuTools", QStringLiteral("&Tools"));
    for (const ToolWindowInfo& info : ToolWindowRegistry::All()) {
        const ToolWindowId id = info.id;
        QAction* item = AddItem(tools, info.menuName, QString::fromUtf8(info.menuText),
                                [this, id] { OpenToolWindow(id); });
        item->setCheckable(true);
        item->setEnabled(false); // until the window can be loaded
        toolItems_[id] = item;
    }
    AddSeparator(tools, "mnuToolsSep1");
    QMenu* units = AddMenu(tools, "mnuViewUnits", QStringLiteral("&Units"));
    unitsEnglish_ = AddItem(units, "mnuViewUnitsEnglish", QStringLiteral("&English"),
                            [this] { ChooseUnits(UnitsCode::English); });
    unitsMetric_ = AddItem(units, "mnuViewUnitsMetric", QStringLiteral("&Metric"),
                           [this] { ChooseUnits(UnitsCode::Metric); });
    unitsEnglish_->setCheckable(true);
    unitsMetric_->setCheckable(true);
    AddSeparator(tools, "mnuToolsSep0");
    commandItems_[Command::Options] = AddItem(tools, "mnuViewOptions", QStringLiteral("&Options..."), [this] {
        if (commands_[Command::Options])
            commands_[Command::Options]();
    });
}

void MainWindow::BuildViewMenu()
{
    QMenu* view = AddMenu(nullptr, "mnuMode", QStringLiteral("&View"));
    modeStandard_ = AddItem(view, "mnuModeStandard", QStringLiteral("Basic"), [this] {
        options_.SwitchToStandardMode();
        ApplyMode(options_.EngineeringMode());
    });
    modeEngineering_ = AddItem(view, "mnuModeEngineering", QStringLiteral("Advanced"), [this] {
        options_.SwitchToEngineeringMode();
        ApplyMode(options_.EngineeringMode());
    });
    modeStandard_->setCheckable(true);
    modeEngineering_->setCheckable(true);
    AddSeparator(view, "mnuViewSep0");

    QMenu* arrange = AddMenu(view, "mnuViewWindows", QStringLiteral("Arrange &Windows"));
    using Preset = PresetArrangement::Preset;
    AddItem(arrange, "mnuViewWindowsArrange800x600", QStringLiteral("&800 x 600"),
            [this] { arrangement_->ArrangePreset(Preset::k800x600); });
    AddItem(arrange, "mnuViewWindowsArrange1024x768", QStringLiteral("&1024 x 768"),
            [this] { arrangement_->ArrangePreset(Preset::k1024x768); });
    AddItem(arrange, "mnuViewWindowsArrange1280x1024", QStringLiteral("&1280 x 1024"),
            [this] { arrangement_->ArrangePreset(Preset::k1280x1024); });
    AddSeparator(arrange, "mnuViewWindowsArrangeSep0");
    layouts_ = std::make_unique<WindowLayouts>(*this, place_, *arrange, menus_, prompts_,
                                               [this] { return Title(); }, slots_, *this, hub_);
    AddSeparator(view, "mnuViewSep1");

    AddItem(view, "mnuViewRefresh", QStringLiteral("&Refresh All"), [this] {
        hub_.RefreshAllGraphicsObjects();
        hub_.UpdateInterfaces(UpdateScope::All, true);
    }, "F5");
    AddSeparator(view, "mnuViewSep2");
    statusBarItem_ = AddItem(view, "mnuViewStatusBar", QStringLiteral("S&tatus Bar"), [this] {
        options_.SetShowStatusBar(!options_.ShowStatusBar());
        ApplyStatusBar();
    });
    statusBarItem_->setCheckable(true);
}

void MainWindow::BuildHelpMenu()
{
    QMenu* help = AddMenu(nullptr, "mnuHelp", QStringLiteral("&Help"));
    AddItem(help, "mnuHelpContents", QStringLiteral("&Contents"),
            [this] { hub_.ShowHelp("index", false); });
    AddItem(help, "mnuHelpSearch", QStringLiteral("&Search"),
            [this] { hub_.ShowHelp("index", true); });
    AddSeparator(help, "mnuHelpSep");
    AddItem(help, "mnuHelpAbout", QStringLiteral("&About..."), [this] {
        if (showAbout_)
            showAbout_();
    });
}

QMenu* MainWindow::BuildListPopup(Popup popup, const char* name, const QString& title,
                                  const char* item, const QString& firstText, bool firstVisible,
                                  const char* separator, const char* cancel,
                                  std::function<void(CellPopupTarget&, int)> choose)
{
    auto* menu = new QMenu(title, this);
    menu->setObjectName(QString::fromUtf8(name));
    auto& items = popupItems_[popup];
    // The window that pops the list sets the captions and shows the items it needs.
    for (int index = 1; index <= kPopupItemCount; ++index) {
        QAction* action = AddItem(menu, Indexed(item, index), firstText, [this, choose, index] {
            if (cellTarget_ != nullptr)
                choose(*cellTarget_, index);
        });
        action->setVisible(index == 1 && firstVisible);
        items[static_cast<std::size_t>(index - 1)] = action;
    }
    AddSeparator(menu, separator);
    AddItem(menu, cancel, QStringLiteral("Cancel"));
    popups_[popup] = menu;
    return menu;
}

void MainWindow::BuildPopups()
{
    BuildListPopup(Popup::Type, "mnuType", QStringLiteral("Type (Popup)"), "mnuTypeSelect",
                   QStringLiteral("(type)"), true, "mnuTypeSep", "mnuTypeCancel",
                   [](CellPopupTarget& target, int item) { target.SetCellType(item); });
    BuildListPopup(Popup::Splay, "mnuSplay", QStringLiteral("Splay (Popup)"), "mnuSplayAngle",
                   QStringLiteral("(angle)"), false, "mnuSplaySep", "mnuSplayCancel",
                   [](CellPopupTarget& target, int item) { target.SetSplay(item); });
    BuildListPopup(Popup::Attenuation, "mnuAttenuation", QStringLiteral("Attenuations (Popup)"),
                   "mnuAttenuationValue", QStringLiteral("(value)"), false, "mnuAttenuationSep",
                   "mnuAttenuationCancel",
                   [](CellPopupTarget& target, int item) { target.SetAttenuationVal(item); });

    auto* rigging = new QMenu(QStringLiteral("Rigging (Popup)"), this);
    rigging->setObjectName(QStringLiteral("mnuRigging"));
    AddItem(rigging, "mnuRiggingFront", QStringLiteral("Front point"), [this] {
        if (riggingTarget_ != nullptr)
            riggingTarget_->ChoosePointType(0);
    });
    AddItem(rigging, "mnuRiggingBack", QStringLiteral("Back point"), [this] {
        if (riggingTarget_ != nullptr)
            riggingTarget_->ChoosePointType(1);
    });
    AddSeparator(rigging, "mnuRiggingSep");
    AddItem(rigging, "mnuRiggingCancel", QStringLiteral("Cancel"));
    popups_[Popup::Rigging] = rigging;

    // The Extras items have no action of their own.
    auto* extras = new QMenu(QStringLiteral("Extras (Popup)"), this);
    extras->setObjectName(QStringLiteral("mnuExtras"));
    AddItem(extras, "mnuExtrasGeometric", QStringLiteral("Geometric Approximation"));
    AddSeparator(extras, "mnuExtrasSep0");
    AddItem(extras, "mnuExtrasFirstOrder", QStringLiteral("First-Order Search"));
    AddItem(extras, "mnuExtrasSecondOrder", QStringLiteral("Second-Order Search"));
    AddItem(extras, "mnuExtrasThirdOrder", QStringLiteral("Third-Order Search"));
    QMenu* higher = AddMenu(extras, "mnuExtrasHigherOrder", QStringLiteral("Higher Order Search"));
    AddItem(higher, Indexed("mnuExtrasHigherOrderPick", 0), QString());
    popups_[Popup::Extras] = extras;
}

void MainWindow::BuildStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("sbrMain"));
    bar->setSizeGripEnabled(true);
    for (std::size_t index = 0; index < panels_.size(); ++index) {
        auto* panel = new QLabel(bar);
        panel->setObjectName(QStringLiteral("sbrMainPanel%1").arg(index + 1));
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setMinimumWidth(screen_.PixelsX(kPanelTwips[index]));
        bar->addWidget(panel);
        panels_[index] = panel;
    }
    ApplyStatusBar();
}

QMenu* MainWindow::PopupMenu(Popup popup) const { return popups_.at(popup); }

QAction* MainWindow::PopupItem(Popup popup, int item) const
{
    if (item < 1 || item > kPopupItemCount)
        throw std::out_of_range("Popup item " + std::to_string(item) + " is not 1 to 20");
    const auto items = popupItems_.find(popup);
    if (items == popupItems_.end())
        throw std::out_of_range("This popup menu has no list of items");
    return items->second[static_cast<std::size_t>(item - 1)];
}

QLabel* MainWindow::StatusPanel(int panel) const
{
    if (panel < 1 || panel > static_cast<int>(panels_.size()))
        throw std::out_of_range("Status panel " + std::to_string(panel) + " is not 1 to 3");
    return panels_[static_cast<std::size_t>(panel - 1)];
}

void MainWindow::SetUnitsChecked(bool metric)
{
    unitsMetric_->setChecked(metric);
    unitsEnglish_->setChecked(!metric);
}

std::string MainWindow::Title() const { return AppTitle::Text(options_.GodMode()); }

void MainWindow::SetCaption()
{
    const std::string name = lifecycle_.HasFileName() ? Format::GetFileTitle(lifecycle_.VenuePath())
                                                      : std::string(kUntitled);
    setWindowTitle(Text(name + " -- " + Title()));
}

void MainWindow::UpdateVisibleWindows()
{
    for (auto& [id, item] : toolItems_)
        item->setChecked(windows_.IsLoaded(id));
}

void MainWindow::SetStatusPanel(int panel, const std::string& text)
{
    StatusPanel(panel)->setText(Text(text));
}

void MainWindow::SetRevertEnabled(bool enabled) { revertItem_->setEnabled(enabled); }

void MainWindow::SetStateItemEnabled(int slot, bool enabled)
{
    if (slot < 1 || slot > VenueLifecycle::kSlotCount)
        throw std::out_of_range("State slot " + std::to_string(slot) + " is not 1 to 9");
    stateSwitchItems_[static_cast<std::size_t>(slot)]->setEnabled(enabled);
}

void MainWindow::ApplyMode(bool engineeringMode)
{
    modeStandard_->setChecked(!engineeringMode);
    modeEngineering_->setChecked(engineeringMode);
    for (const ToolWindowInfo& info : ToolWindowRegistry::All())
        if (info.engineeringOnly)
            toolItems_.at(info.id)->setVisible(engineeringMode);
}

void MainWindow::ModeSwitched(bool engineeringMode)
{
    ApplyMode(engineeringMode);
    arrangement_->LoadPresetWindows();
}

void MainWindow::ApplyStatusBar()
{
    statusBar()->setVisible(options_.ShowStatusBar());
    statusBarItem_->setChecked(options_.ShowStatusBar());
}

void MainWindow::ChooseUnits(UnitsCode units)
{
    if (lifecycle_.Venue().Units() != units) {
        lifecycle_.Venue().SetUnits(units);
        hub_.UpdateInterfaces(UpdateScope::All, true);
        lifecycle_.SetDirty();
    }
    // Choosing the unit in force changes nothing, but the click toggled its mark.
    SetUnitsChecked(lifecycle_.Venue().Units() == UnitsCode::Metric);
}

void MainWindow::SetAboutWindow(SplashWindow& splash)
{
    showAbout_ = [&splash] { splash.ShowAsAbout(); };
    connect(&splash, &SplashWindow::Dismissed, this, [this] {
        if (isVisible()) {
            raise();
            activateWindow();
        }
    });
}

bool MainWindow::OpensMenu(QObject* watched, QEvent* event)
{
    auto* target = qobject_cast<QWidget*>(watched);
    if (target == nullptr || target == menuBar() || target->window() != this)
        return false;
    const QKeySequence key = static_cast<QShortcutEvent*>(event)->key();
    for (QAction* menu : menuBar()->actions()) {
        if (menu->isVisible() && menu->isEnabled() && menu->menu() != nullptr &&
            QKeySequence::mnemonic(menu->text()) == key) {
            menuBar()->setActiveAction(menu);
            return true;
        }
    }
    return false;
}

void MainWindow::OpenToolWindow(ToolWindowId id)
{
    // Choosing the checked item unchecked it; the window is still open.
    if (slots_.Open(id))
        UpdateVisibleWindows();
    // The keys act in the window chosen, so the user must see it.
    ScrollToActiveWindow();
}

void MainWindow::ScrollToActiveWindow()
{
    const QMdiSubWindow* frame = mdiArea_->activeSubWindow();
    if (frame == nullptr || !frame->isVisible())
        return;
    const QRect view = mdiArea_->viewport()->rect();
    const QRect place = frame->geometry();
    // The distance to scroll along one direction: the far edge into view, then the near one.
    const auto shift = [](int start, int length, int viewStart, int viewLength) {
        const int by = std::max(0, start + length - (viewStart + viewLength));
        return std::min(by, start - viewStart);
    };
    QScrollBar& across = *mdiArea_->horizontalScrollBar();
    QScrollBar& down = *mdiArea_->verticalScrollBar();
    across.setValue(across.value() + shift(place.x(), place.width(), view.x(), view.width()));
    down.setValue(down.value() + shift(place.y(), place.height(), view.y(), view.height()));
}

void MainWindow::ShowWindows()
{
    // The options were read after this window was built.
    ApplyMode(options_.EngineeringMode());
    place_.Restore(StoredWindowPlaces(options_.Store()).MainWindowText(kPlaceName));
    if (!slots_.RestoreStored(options_.EngineeringMode()))
        arrangement_->LoadPresetWindows();
    ApplyStatusBar();
    ShowMRUListEntries();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    // An arrangement nobody has changed since follows the work area's size: the window
    // manager maximises the main window only after the windows were placed.
    if (watched == mdiArea_ && event->type() == QEvent::Resize && arrangement_->FollowsWorkArea())
        Guard("frmMain.Form_Resize", [this] { arrangement_->PlaceAgain(); });
    if (watched == this && event->type() == QEvent::WindowActivate)
        place_.HoldAgainOnceShown();
    if (event->type() == QEvent::Shortcut && OpensMenu(watched, event))
        return true;
    return QMainWindow::eventFilter(watched, event);
}

bool MainWindow::AskToSaveChanges()
{
    if (!lifecycle_.IsDirty())
        return true;
    const std::string which = lifecycle_.HasFileName()
                                  ? "\"" + lifecycle_.VenuePath() + "\"?"
                                  : std::string("this venue?");
    const MessageAnswer answer =
        prompts_.ShowMessage("Do you want to save the changes to " + which, Title(),
                             MessageButtons::YesNoCancel, MessageIcon::Question);
    switch (answer) {
    case MessageAnswer::Yes:
        // A save that was cancelled or failed stops the command: the changes stay.
        return lifecycle_.SaveVenue();
    case MessageAnswer::No:
        return true;
    default:
        return false;
    }
}

bool MainWindow::OpenRecentFile(const std::string& path)
{
    if (path.empty() || !AskToSaveChanges())
        return false;
    const bool opened = lifecycle_.OpenVenue(path);
    ShowMRUListEntries();
    return opened;
}

int MainWindow::TextWidth(const std::string& text) const
{
    return QFontMetrics(fileMenu_->font()).horizontalAdvance(Text(text));
}

void MainWindow::ShowMRUListEntries()
{
    for (int item = 1; item <= RecentFiles::kSlotCount; ++item)
        RecentFileItem(item)->setVisible(false);
    recentSeparator_->setVisible(false);
    const std::vector<std::string> paths = recentFiles_.ListedPaths(options_.RecentFileListEntries());
    const auto width = [this](const std::string& text) { return TextWidth(text); };
    for (std::size_t index = 0; index < paths.size(); ++index) {
        QAction* item = RecentFileItem(static_cast<int>(index) + 1);
        const QString shown = MenuText::Literal(RecentFiles::ShortenPath(paths[index], width));
        item->setText(QStringLiteral("&%1 %2").arg(index + 1).arg(shown));
        item->setData(Text(paths[index]));
        item->setVisible(true);
    }
    recentSeparator_->setVisible(!paths.empty());
}

QAction* MainWindow::RecentFileItem(int item) const
{
    if (item < 1 || item > RecentFiles::kSlotCount)
        throw std::out_of_range("Recent file item " + std::to_string(item) + " is not 1 to 9");
    return recentItems_[static_cast<std::size_t>(item)];
}

void MainWindow::SavePlace()
{
    StoredWindowPlaces(options_.Store()).SaveMainWindowText(kPlaceName, PlaceText());
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (unloading_) {
        event->accept();
        return;
    }
    event->ignore();
    Guard("frmMain.Form_QueryUnload", [this] {
        SavePlace();
        if (!AskToSaveChanges())
            return;
        timTimer_->start();
    });
}

void MainWindow::Unload()
{
    unloading_ = true;
    timTimer_->stop();
    SavePlace();
    mdiArea_->closeAllSubWindows();
    close();
}

void MainWindow::EndProgram()
{
    if (endProgram_)
        endProgram_();
}

} // namespace polvane
