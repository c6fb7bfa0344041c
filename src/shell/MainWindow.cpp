#include "shell/MainWindow.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <stdexcept>
#include <string_view>
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
#include <QMenuBar>
#include <QScopeGuard>
#include <QShortcutEvent>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>

#include "engine/Environment.h"
#include "engine/PolarExport.h"
#include "files/FileData.h"
#include "files/FileFormatError.h"
#include "files/InputFile.h"
#include "files/PolarExportFile.h"
#include "model/Format.h"
#include "platform/Prompts.h"
#include "platform/ScreenInfo.h"
#include "platform/SettingsStore.h"
#include "shell/AppTitle.h"
#include "shell/CellPopupTarget.h"
#include "shell/ErrorReporter.h"
#include "shell/FrequencyTable.h"
#include "shell/Options.h"
#include "shell/PlaceableWindow.h"
#include "shell/PresetLayout.h"
#include "shell/RefreshableWindow.h"
#include "shell/RiggingPopupTarget.h"
#include "shell/ScreenPlace.h"
#include "shell/SplashWindow.h"
#include "shell/ToolWindowSlot.h"
#include "shell/UpdateHub.h"
#include "shell/VenueLifecycle.h"
#include "shell/WindowRegistry.h"

namespace polvane {

namespace {

namespace fs = std::filesystem;

QString Text(const std::string& text) { return QString::fromStdString(text); }

// A menu caption showing the text as it is: "&" would otherwise be taken for an access key.
QString Literal(const std::string& text)
{
    QString shown = Text(text);
    shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return shown;
}

bool IsYes(const std::string& text)
{
    return text.size() == 3 && (text[0] | 0x20) == 'y' && (text[1] | 0x20) == 'e' &&
           (text[2] | 0x20) == 's';
}

// The characters a layout name may not hold: those no file name may, and the full stop,
// which would end the name at the wrong place.
constexpr const char* kRefusedLayoutCharacters = "\\/:*?\"<>|.";

std::string Indexed(const char* name, int index)
{
    return std::string(name) + "(" + std::to_string(index) + ")";
}

std::vector<std::string_view> Split(std::string_view text, char separator)
{
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(separator, start);
        fields.push_back(text.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos)
            return fields;
        start = end + 1;
    }
}

// A field of the stored main-window place, rounded to whole twips; nothing when it is
// not a number of the 32-bit range.
std::optional<int> WholeNumber(std::string_view field)
{
    while (!field.empty() && field.front() == ' ')
        field.remove_prefix(1);
    while (!field.empty() && field.back() == ' ')
        field.remove_suffix(1);
    double value = 0.0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (field.empty() || error != std::errc() || end != field.data() + field.size() ||
        !std::isfinite(value) || value < -2147483648.0 || value > 2147483647.0)
        return std::nullopt;
    return static_cast<int>(std::nearbyint(value));
}

int ToPixels(long long twips, int twipsPerPixel)
{
    return static_cast<int>(std::lround(static_cast<double>(twips) / twipsPerPixel));
}

} // namespace

MainWindow::MainWindow(Options& options, Prompts& prompts, const ScreenInfo& screen,
                       WindowRegistry& windows, ErrorReporter& reporter, QWidget* parent)
    : QMainWindow(parent), options_(options), prompts_(prompts), screen_(screen),
      windows_(windows), reporter_(reporter), positions_(options.Store()),
      recentFiles_(options.Store()), mdiArea_(new QMdiArea(this)),
      timTimer_(new QTimer(this))
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
    SetCaption();
}

MainWindow::~MainWindow() { options_.SetModeSwitchListener(nullptr); }

void MainWindow::Connect(VenueLifecycle& lifecycle, UpdateHub& hub)
{
    lifecycle_ = &lifecycle;
    hub_ = &hub;
    SetCaption();
}

void MainWindow::SetCommand(Command command, std::function<void()> handler)
{
    commandItems_.at(command)->setEnabled(static_cast<bool>(handler));
    commands_[command] = std::move(handler);
}

void MainWindow::SetToolWindowSlot(ToolWindowId id, ToolWindowSlot* slot)
{
    toolItems_.at(id)->setEnabled(slot != nullptr);
    slots_[id] = slot;
}

ToolWindowSlot* MainWindow::SlotOf(ToolWindowId id) const
{
    const auto slot = slots_.find(id);
    return slot == slots_.end() ? nullptr : slot->second;
}

void MainWindow::Guard(const std::string& procedure, const std::function<void()>& action)
{
    reporter_.Guard(procedure, action);
}

QMenu* MainWindow::AddMenu(QMenu* parent, const char* name, const QString& text)
{
    QMenu* menu = parent == nullptr ? menuBar()->addMenu(text) : parent->addMenu(text);
    menu->setObjectName(QString::fromUtf8(name));
    return menu;
}

QAction* MainWindow::AddItem(QMenu* menu, const char* name, const QString& text,
                             std::function<void()> action, const char* shortcut)
{
    auto* item = new QAction(text, menu);
    item->setObjectName(QString::fromUtf8(name));
    if (shortcut != nullptr)
        item->setShortcut(QKeySequence(QString::fromUtf8(shortcut)));
    menu->addAction(item);
    if (action) {
        // Indexed names ("mnuTypeSelect(3)") report under the array's name.
        std::string procedure(name);
        procedure = "frmMain." + procedure.substr(0, procedure.find('(')) + "_Click";
        connect(item, &QAction::triggered, this,
                [this, procedure, action = std::move(action)] { Guard(procedure, action); });
    }
    return item;
}

QAction* MainWindow::AddSeparator(QMenu* menu, const char* name)
{
    QAction* separator = menu->addSeparator();
    separator->setObjectName(QString::fromUtf8(name));
    return separator;
}

void MainWindow::BuildFileMenu()
{
    QMenu* file = AddMenu(nullptr, "mnuFile", QStringLiteral("&File"));
    fileMenu_ = file;
    AddItem(file, "mnuFileNew", QStringLiteral("&New"), [this] {
        if (lifecycle_ != nullptr && AskToSaveChanges())
            lifecycle_->NewVenue();
    }, "Ctrl+N");
    AddSeparator(file, "mnuFileSep0");
    AddItem(file, "mnuFileOpen", QStringLiteral("&Open..."), [this] {
        if (lifecycle_ == nullptr || !AskToSaveChanges())
            return;
        lifecycle_->OpenVenue("");
        ShowMRUListEntries();
    }, "Ctrl+O");
    // Revert does nothing; it is only enabled while a venue with a file has changes.
    revertItem_ = AddItem(file, "mnuFileRevert", QStringLiteral("&Revert"));
    revertItem_->setEnabled(false);
    AddSeparator(file, "mnuFileSep1");
    AddItem(file, "mnuFileSave", QStringLiteral("&Save"), [this] {
        if (lifecycle_ == nullptr)
            return;
        lifecycle_->SaveVenue();
        ShowMRUListEntries();
    }, "Ctrl+S");
    AddItem(file, "mnuFileSaveAs", QStringLiteral("Save &As..."), [this] {
        if (lifecycle_ == nullptr)
            return;
        lifecycle_->SaveVenueAs();
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
        QAction* item = AddItem(file, Indexed("mnuFileMRU", index).c_str(), QString(), [this, index] {
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
    AddItem(saveTo, Indexed("mnuArrayStatesSaveToState", 0).c_str(), QString())->setVisible(false);
    for (int slot = 1; slot <= VenueLifecycle::kSlotCount; ++slot) {
        const QString text = QStringLiteral("State &%1\tCtrl+Shift+%1").arg(slot);
        AddItem(saveTo, Indexed("mnuArrayStatesSaveToState", slot).c_str(), text, [this, slot] {
            if (lifecycle_ != nullptr)
                lifecycle_->SaveState(slot);
        });
    }
    AddSeparator(states, "mnuArrayStatesSep0");
    stateSwitchItems_[0] = AddItem(states, Indexed("mnuArrayStatesSwitch", 0).c_str(), QString());
    stateSwitchItems_[0]->setVisible(false);
    for (int slot = 1; slot <= VenueLifecycle::kSlotCount; ++slot) {
        const QString text = QStringLiteral("State &%1\tCtrl+%1").arg(slot);
        stateSwitchItems_[static_cast<std::size_t>(slot)] =
            AddItem(states, Indexed("mnuArrayStatesSwitch", slot).c_str(), text, [this, slot] {
                if (lifecycle_ != nullptr)
                    lifecycle_->LoadState(slot);
            });
    }
    states->menuAction()->setVisible(false);
    AddSeparator(array, "mnuArraySep2")->setVisible(false);
    // Never shown; the export stays reachable as the program has always held it.
    AddItem(array, "mnuArrayDistill", QStringLiteral("Distill to PLR file..."),
            [this] { DistillToPolarFile(); })
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
    AddItem(arrange, "mnuViewWindowsArrange800x600", QStringLiteral("&800 x 600"),
            [this] { ArrangePreset(Preset::k800x600); });
    AddItem(arrange, "mnuViewWindowsArrange1024x768", QStringLiteral("&1024 x 768"),
            [this] { ArrangePreset(Preset::k1024x768); });
    AddItem(arrange, "mnuViewWindowsArrange1280x1024", QStringLiteral("&1280 x 1024"),
            [this] { ArrangePreset(Preset::k1280x1024); });
    AddSeparator(arrange, "mnuViewWindowsArrangeSep0");
    // Saving needs the layout folder, which comes after the window is built.
    layoutSaveItem_ = AddItem(arrange, "mnuViewWindowsArrangeSave",
                              QStringLiteral("&Save Current Layout..."),
                              [this] { SaveCurrentLayout(); });
    layoutSaveItem_->setEnabled(false);
    layoutSeparator_ = AddSeparator(arrange, "mnuViewWindowsArrangeSep1");
    layoutSeparator_->setVisible(false);
    QAction* first = AddItem(arrange, Indexed("mnuViewWindowsArrangeCustom", 0).c_str(), QString());
    first->setVisible(false);
    layoutItems_.push_back(first);
    arrangeMenu_ = arrange;
    AddSeparator(view, "mnuViewSep1");

    AddItem(view, "mnuViewRefresh", QStringLiteral("&Refresh All"), [this] {
        if (hub_ == nullptr)
            return;
        hub_->RefreshAllGraphicsObjects();
        hub_->UpdateInterfaces(UpdateScope::All, true);
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
    AddItem(help, "mnuHelpContents", QStringLiteral("&Contents"), [this] {
        if (hub_ != nullptr)
            hub_->ShowHelp("index", false);
    });
    AddItem(help, "mnuHelpSearch", QStringLiteral("&Search"), [this] {
        if (hub_ != nullptr)
            hub_->ShowHelp("index", true);
    });
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
        QAction* action = AddItem(menu, Indexed(item, index).c_str(), firstText, [this, choose, index] {
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
    AddItem(higher, Indexed("mnuExtrasHigherOrderPick", 0).c_str(), QString());
    popups_[Popup::Extras] = extras;
}

void MainWindow::BuildStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("sbrMain"));
    bar->setSizeGripEnabled(true);
    const int twipsPerPixel = std::max(1, screen_.TwipsPerPixelX());
    for (std::size_t index = 0; index < panels_.size(); ++index) {
        auto* panel = new QLabel(bar);
        panel->setObjectName(QStringLiteral("sbrMainPanel%1").arg(index + 1));
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setMinimumWidth(ToPixels(kPanelTwips[index], twipsPerPixel));
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
    const std::string name = lifecycle_ != nullptr && lifecycle_->HasFileName()
                                 ? Format::GetFileTitle(lifecycle_->VenuePath())
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
    LoadPresetWindows();
}

void MainWindow::ApplyStatusBar()
{
    statusBar()->setVisible(options_.ShowStatusBar());
    statusBarItem_->setChecked(options_.ShowStatusBar());
}

void MainWindow::ChooseUnits(UnitsCode units)
{
    if (lifecycle_ == nullptr)
        return;
    if (lifecycle_->Venue().Units() != units) {
        lifecycle_->Venue().SetUnits(units);
        if (hub_ != nullptr)
            hub_->UpdateInterfaces(UpdateScope::All, true);
        lifecycle_->SetDirty();
    }
    // Choosing the unit in force changes nothing, but the click toggled its mark.
    SetUnitsChecked(lifecycle_->Venue().Units() == UnitsCode::Metric);
}

void MainWindow::SetAboutWindow(SplashWindow& splash)
{
    showAbout_ = [&splash] {
        splash.show();
        splash.raise();
    };
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
    ToolWindowSlot* slot = SlotOf(id);
    if (slot == nullptr)
        return;
    const ToolWindowInfo& info = ToolWindowRegistry::Info(id);
    if (windows_.IsLoaded(id)) {
        slot->Load().Show();
        // Choosing the checked item unchecked it; the window is still open.
        UpdateVisibleWindows();
        return;
    }
    positions_.PositionWindow(slot->Load(), info.caption, true);
    if (RefreshableWindow* window = windows_.Find(id))
        window->Refresh();
    UpdateVisibleWindows();
}

void MainWindow::ShowWindows()
{
    // The options were read after this window was built.
    ApplyMode(options_.EngineeringMode());
    RestorePlace();
    // The listening points window is restored in either mode, the other two engineering
    // windows only in engineering mode.
    std::vector<ToolWindowId> order{
        ToolWindowId::ArrayConfiguration, ToolWindowId::ArrayPicture,
        ToolWindowId::BumperConfiguration, ToolWindowId::Calculations,
        ToolWindowId::CellConfigurations, ToolWindowId::ListeningPoints,
        ToolWindowId::Notes, ToolWindowId::RiggingDetails, ToolWindowId::SeatingAreas,
        ToolWindowId::Venue};
    if (options_.EngineeringMode()) {
        order.push_back(ToolWindowId::FROptions);
        order.push_back(ToolWindowId::IFEGraph);
    }
    for (const ToolWindowId id : order) {
        ToolWindowSlot* slot = SlotOf(id);
        const ToolWindowInfo& info = ToolWindowRegistry::Info(id);
        // Only a window that is to show is loaded: one saved as hidden stays closed.
        const std::optional<WindowPlace> place = positions_.StoredPlace(info.caption, info.sizable);
        if (slot != nullptr && place && place->visible)
            positions_.PositionWindow(slot->Load(), info.caption, false);
    }
    bool anyLoaded = false;
    for (const ToolWindowInfo& info : ToolWindowRegistry::All())
        anyLoaded = anyLoaded || windows_.IsLoaded(info.id);
    if (!anyLoaded)
        LoadPresetWindows();
    ApplyStatusBar();
    ShowMRUListEntries();
}

void MainWindow::RestorePlace()
{
    const std::string text =
        options_.Store().GetSetting(SettingsStore::kWindowPositions, kPlaceName, "");
    if (text.empty())
        return;
    const std::vector<std::string_view> fields = Split(text, ',');
    if (WholeNumber(fields[0]) == 2) {
        setWindowState(Qt::WindowMaximized);
        return;
    }
    // A damaged place is passed over: the window stays where it is.
    if (fields.size() < 5)
        return;
    std::array<int, 4> place{};
    for (std::size_t index = 0; index < place.size(); ++index) {
        const std::optional<int> value = WholeNumber(fields[index + 1]);
        if (!value)
            return;
        place[index] = *value;
    }
    PlaceNormal(place);
}

std::array<int, 4> MainWindow::PlaceTwips() const
{
    const int twipsX = std::max(1, screen_.TwipsPerPixelX());
    const int twipsY = std::max(1, screen_.TwipsPerPixelY());
    return {x() * twipsX, y() * twipsY, width() * twipsX, height() * twipsY};
}

void MainWindow::PlaceNormal(const std::array<int, 4>& twips)
{
    const int twipsX = std::max(1, screen_.TwipsPerPixelX());
    const int twipsY = std::max(1, screen_.TwipsPerPixelY());
    setWindowState(Qt::WindowNoState);
    // Stored places may come from a larger or a removed monitor, or a hand edit.
    const ScreenPlace::Rect held = ScreenPlace::HeldOnScreen(
        {ToPixels(twips[0], twipsX), ToPixels(twips[1], twipsY), ToPixels(twips[2], twipsX),
         ToPixels(twips[3], twipsY)},
        screen_.Width(), screen_.Height());
    move(held.left, held.top);
    resize(held.width, held.height);
}

void MainWindow::CloseToolWindow(const ToolWindowInfo& info)
{
    ToolWindowSlot* slot = SlotOf(info.id);
    if (slot != nullptr && windows_.IsLoaded(info.id)) {
        positions_.SaveFormPosition(slot->Load(), info.caption, false);
        slot->Unload();
    } else {
        positions_.MarkHidden(info.caption, info.sizable);
    }
}

MainWindow::Preset MainWindow::PresetFor(int screenWidthPixels)
{
    if (screenWidthPixels < 1024)
        return Preset::k800x600;
    if (screenWidthPixels >= 1280)
        return Preset::k1280x1024;
    return Preset::k1024x768;
}

void MainWindow::LoadPresetWindows() { ArrangePreset(PresetFor(screen_.Width())); }

PresetColumn MainWindow::ColumnOf(Preset preset, bool engineeringMode)
{
    switch (preset) {
    case Preset::k800x600:
        return PresetColumn::k800x600;
    case Preset::k1024x768:
        return engineeringMode ? PresetColumn::k1024x768Engineering
                               : PresetColumn::k1024x768Standard;
    case Preset::k1280x1024:
        return engineeringMode ? PresetColumn::k1280x1024Engineering
                               : PresetColumn::k1280x1024Standard;
    }
    throw std::invalid_argument("Unknown preset arrangement");
}

void MainWindow::ArrangePreset(Preset preset)
{
    const PresetColumn column = ColumnOf(preset, options_.EngineeringMode());
    PositionPreset(preset);
    // Every window is loaded and moved before any is shown, and closing comes last, each
    // in the registry's order.
    PlaceArrangement(column);
    const auto& all = ToolWindowRegistry::All();
    for (const ToolWindowInfo& info : all) {
        ToolWindowSlot* slot = SlotOf(info.id);
        if (ToolWindowRegistry::Preset(info.id, column).open && slot != nullptr)
            slot->Load().Show();
    }
    for (const ToolWindowInfo& info : all) {
        if (!ToolWindowRegistry::Preset(info.id, column).open)
            CloseToolWindow(info);
    }
    UpdateVisibleWindows();
    if (hub_ != nullptr)
        hub_->UpdateInterfaces(UpdateScope::All, false);
    // Filled, a window may need more room than it did empty.
    PlaceArrangement(column);
}

void MainWindow::PlaceArrangement(PresetColumn column)
{
    const int twipsX = std::max(1, screen_.TwipsPerPixelX());
    const int twipsY = std::max(1, screen_.TwipsPerPixelY());
    std::map<ToolWindowId, PresetLayout::Size> sizes;
    for (const ToolWindowInfo& info : ToolWindowRegistry::All()) {
        ToolWindowSlot* slot = SlotOf(info.id);
        if (!ToolWindowRegistry::Preset(info.id, column).open || slot == nullptr)
            continue;
        const PlaceableWindow& window = slot->Load();
        sizes[info.id] = {window.NeededWidth() / twipsX, window.NeededHeight() / twipsY,
                          window.IsSizable()};
    }
    const auto sizeOf = [&sizes](ToolWindowId id) {
        const auto found = sizes.find(id);
        // A window without a slot takes no room.
        return found == sizes.end() ? PresetLayout::Size{0, 0, false} : found->second;
    };
    const QSize area = WorkAreaSize();
    const auto places = PresetLayout::Place(PresetLayout::Of(column), sizeOf, area.width(), area.height());
    arrangement_.clear();
    for (const ToolWindowInfo& info : ToolWindowRegistry::All()) {
        const auto place = places.find(info.id);
        ToolWindowSlot* slot = SlotOf(info.id);
        if (place == places.end() || slot == nullptr)
            continue;
        const PresetLayout::Rect& r = place->second;
        PlaceableWindow& window = slot->Load();
        if (window.IsSizable())
            window.Arrange(r.left * twipsX, r.top * twipsY, r.width * twipsX, r.height * twipsY);
        else
            window.Arrange(r.left * twipsX, r.top * twipsY);
        arrangement_[info.id] = Placed(window);
    }
    arrangedColumn_ = column;
}

PresetLayout::Rect MainWindow::Placed(const PlaceableWindow& window)
{
    // A fixed window's size follows its content, not the user.
    if (!window.IsSizable())
        return {window.Left(), window.Top(), 0, 0};
    return {window.Left(), window.Top(), window.Width(), window.Height()};
}

bool MainWindow::ArrangementUntouched() const
{
    if (!arrangedColumn_)
        return false;
    for (const auto& [id, place] : arrangement_) {
        ToolWindowSlot* slot = SlotOf(id);
        if (slot == nullptr || !windows_.IsLoaded(id))
            return false;
        if (Placed(slot->Load()) != place)
            return false;
    }
    return true;
}

QSize MainWindow::WorkAreaSize() const
{
    if (isVisible())
        return mdiArea_->contentsRect().size();
    // Not shown yet: the screen less the menu bar, the status bar, the work area's frame
    // and a title bar; the arrangement follows the real size once the window shows.
    const int frame = 2 * mdiArea_->frameWidth();
    int height = screen_.Height() - menuBar()->sizeHint().height() - frame -
                 style()->pixelMetric(QStyle::PM_TitleBarHeight);
    if (options_.ShowStatusBar())
        height -= statusBar()->sizeHint().height();
    return {std::max(0, screen_.Width() - frame), std::max(0, height)};
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    // An arrangement nobody has changed since follows the work area's size: the window
    // manager maximises the main window only after the windows were placed.
    if (watched == mdiArea_ && event->type() == QEvent::Resize) {
        if (ArrangementUntouched())
            Guard("frmMain.Form_Resize", [this] { PlaceArrangement(*arrangedColumn_); });
        else
            arrangedColumn_.reset();
    }
    if (event->type() == QEvent::Shortcut && OpensMenu(watched, event))
        return true;
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::PositionPreset([[maybe_unused]] Preset preset)
{
    // The arrangements place the windows by their real sizes, so every preset uses the
    // whole screen rather than a frame of the preset's size.
    setWindowState(Qt::WindowMaximized);
}

bool MainWindow::AskToSaveChanges()
{
    if (lifecycle_ == nullptr || !lifecycle_->IsDirty())
        return true;
    const std::string which = lifecycle_->HasFileName()
                                  ? "\"" + lifecycle_->VenuePath() + "\"?"
                                  : std::string("this venue?");
    const MessageAnswer answer =
        prompts_.ShowMessage("Do you want to save the changes to " + which, Title(),
                             MessageButtons::YesNoCancel, MessageIcon::Question);
    switch (answer) {
    case MessageAnswer::Yes:
        // A save that was cancelled or failed stops the command: the changes stay.
        return lifecycle_->SaveVenue();
    case MessageAnswer::No:
        return true;
    default:
        return false;
    }
}

bool MainWindow::OpenRecentFile(const std::string& path)
{
    if (lifecycle_ == nullptr || path.empty() || !AskToSaveChanges())
        return false;
    const bool opened = lifecycle_->OpenVenue(path);
    ShowMRUListEntries();
    return opened;
}

bool MainWindow::DistillToPolarFile()
{
    if (lifecycle_ == nullptr)
        return false;
    std::vector<float> frequencies;
    for (int index = 1; index <= FrequencyTable::Count(); ++index)
        frequencies.push_back(FrequencyTable::Frequency(index));
    std::vector<PolarExportRecord> records;
    {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const auto restoreCursor = qScopeGuard([] { QApplication::restoreOverrideCursor(); });
        records = PolarExport::Distill(lifecycle_->Venue(), frequencies);
    }
    FileDialogRequest request;
    request.title = "Save venue as...";
    request.filter = "Orbisan native format file (*.plr)|*.plr";
    request.defaultExtension = "plr";
    const std::optional<std::string> path = prompts_.ChooseSaveFile(request);
    if (!path || path->empty())
        return false;
    // A file that cannot be written is the user's to fix, not the end of the program.
    try {
        PolarExportFile::Write(*path, records);
    } catch (const std::runtime_error& failure) {
        prompts_.ShowMessage(failure.what(), Title(), MessageButtons::Ok, MessageIcon::Exclamation);
        return false;
    }
    return true;
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
        const QString shown = Literal(RecentFiles::ShortenPath(paths[index], width));
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

void MainWindow::SetLayoutFolder(std::string folder, std::string alsoListed)
{
    layoutFolder_ = std::move(folder);
    alsoListedLayoutFolder_ = alsoListed == layoutFolder_ ? std::string() : std::move(alsoListed);
    layoutSaveItem_->setEnabled(!layoutFolder_.empty());
    LoadLayoutMenus();
}

void MainWindow::LoadLayoutMenus()
{
    std::map<std::string, std::string> found; // name -> folder, sorted by name
    if (!layoutFolder_.empty()) {
        // A folder that cannot be created or listed lists no layout; saving one says why.
        std::error_code error;
        fs::create_directories(layoutFolder_, error);
    }
    // The saving folder last, so that its layouts win over the program's own of that name.
    for (const std::string* folder : {&alsoListedLayoutFolder_, &layoutFolder_}) {
        if (folder->empty())
            continue;
        std::error_code error;
        std::error_code kind;
        for (fs::directory_iterator entry(*folder, error), end; !error && entry != end;
             entry.increment(error)) {
            const std::string name = entry->path().filename().string();
            const std::string_view extension(kLayoutExtension);
            if (name.size() >= extension.size() &&
                name.compare(name.size() - extension.size(), extension.size(), extension) == 0 &&
                !entry->is_directory(kind))
                found[name] = *folder;
        }
    }
    std::vector<std::string> names;
    for (const auto& entry : found)
        names.push_back(entry.first);

    if (names.empty()) {
        for (QAction* item : layoutItems_)
            item->setVisible(false);
        layoutSeparator_->setVisible(false);
        return;
    }
    while (layoutItems_.size() > names.size() + 1) {
        delete layoutItems_.back();
        layoutItems_.pop_back();
    }
    while (layoutItems_.size() < names.size() + 1) {
        const int index = static_cast<int>(layoutItems_.size());
        const std::string name = Indexed("mnuViewWindowsArrangeCustom", index);
        layoutItems_.push_back(AddItem(arrangeMenu_, name.c_str(), QString(), [this, index] {
            OpenLayout(LayoutItem(index)->data().toString().toStdString());
        }));
    }
    for (std::size_t index = 0; index < names.size(); ++index) {
        QAction* item = layoutItems_[index + 1];
        const std::string& name = names[index];
        item->setText(Literal(name.substr(0, name.rfind('.'))));
        item->setData(Text((fs::path(found[name]) / name).string()));
        item->setVisible(true);
    }
    layoutItems_[0]->setVisible(false);
    layoutSeparator_->setVisible(true);
}

QAction* MainWindow::LayoutItem(int item) const
{
    if (item < 0 || item >= static_cast<int>(layoutItems_.size()))
        throw std::out_of_range("Layout item " + std::to_string(item) + " does not exist");
    return layoutItems_[static_cast<std::size_t>(item)];
}

void MainWindow::SaveCurrentLayout()
{
    if (layoutFolder_.empty())
        return;
    fs::path path;
    for (;;) {
        const std::optional<std::string> name =
            prompts_.AskText("Please enter a name for this layout:", Title(), "My Custom Layout");
        if (!name || name->empty())
            return;
        if (name->find_first_of(kRefusedLayoutCharacters) != std::string::npos) {
            prompts_.ShowMessage("Window layout names cannot contain any of the following "
                                 "characters:\r\n\\ / : * ? \" < > | .",
                                 Title(), MessageButtons::Ok, MessageIcon::Exclamation);
            continue;
        }
        path = fs::path(layoutFolder_) / (*name + kLayoutExtension);
        std::error_code error;
        if (fs::exists(path, error) &&
            prompts_.ShowMessage("The preset \"" + *name +
                                     "\" already exists. Do you want to replace it?",
                                 Title(), MessageButtons::YesNo, MessageIcon::Question) !=
                MessageAnswer::Yes)
            continue;
        break;
    }

    FileData file;
    file.SetHeaderText({kLayoutHeader});
    file.AddString("MAIN_WINDOW_MAXIMIZED", isMaximized() ? "Yes" : "No");
    if (!isMaximized()) {
        const std::array<int, 4> place = PlaceTwips();
        file.AddInteger("MAIN_WINDOW_LEFT", place[0]);
        file.AddInteger("MAIN_WINDOW_TOP", place[1]);
        file.AddInteger("MAIN_WINDOW_WIDTH", place[2]);
        file.AddInteger("MAIN_WINDOW_HEIGHT", place[3]);
    }
    for (const ToolWindowInfo& info : ToolWindowRegistry::All())
        WriteWindowPos(file, info);
    try {
        // The folder may have been removed since the menu was built.
        std::error_code error;
        fs::create_directories(layoutFolder_, error);
        file.WriteFile(path);
    } catch (const std::exception& failure) {
        prompts_.ShowMessage("The window layout could not be saved to \"" + path.string() +
                                 "\".\r\n" + failure.what(),
                             Title(), MessageButtons::Ok, MessageIcon::Exclamation);
        return;
    }
    LoadLayoutMenus();
}

bool MainWindow::OpenLayout(const std::string& path)
{
    FileData file;
    // Everything is read before anything moves, so a file that fails leaves the windows
    // as they are.
    std::ifstream in;
    try {
        in = InputFile::Open(path);
    } catch (const FileFormatError& failure) {
        prompts_.ShowMessage("The window layout could not be opened.\r\n" +
                                 std::string(failure.what()),
                             Title(), MessageButtons::Ok, MessageIcon::Exclamation);
        return false;
    }
    try {
        file.ReadFrom(in, InputFile::PathText(path));
    } catch (const FileFormatError&) {
        prompts_.ShowMessage("The file storing this window layout appears to be corrupted. "
                             "Cannot open layout.",
                             Title(), MessageButtons::Ok, MessageIcon::Exclamation);
        return false;
    }

    if (IsYes(file.FindString("MAIN_WINDOW_MAXIMIZED", "Yes"))) {
        setWindowState(Qt::WindowMaximized);
    } else {
        const std::optional<std::int32_t> values[] = {
            file.FindInteger("MAIN_WINDOW_LEFT"), file.FindInteger("MAIN_WINDOW_TOP"),
            file.FindInteger("MAIN_WINDOW_WIDTH"), file.FindInteger("MAIN_WINDOW_HEIGHT")};
        const auto present = [](const std::optional<std::int32_t>& value) { return value.has_value(); };
        if (std::all_of(std::begin(values), std::end(values), present))
            PlaceNormal({*values[0], *values[1], *values[2], *values[3]});
        else
            setWindowState(Qt::WindowMaximized);
    }
    for (const ToolWindowInfo& info : ToolWindowRegistry::All())
        ReadWindowPos(file, info);
    UpdateVisibleWindows();
    if (hub_ != nullptr)
        hub_->UpdateInterfaces(UpdateScope::All, false);
    return true;
}

void MainWindow::WriteWindowPos(FileData& file, const ToolWindowInfo& info) const
{
    const std::string name = ToolWindowRegistry::LayoutName(info.id);
    ToolWindowSlot* slot = SlotOf(info.id);
    // A window that start-up loaded without showing (the listening points window) is not
    // open, and the layout must not open it.
    const bool loaded = slot != nullptr && windows_.IsLoaded(info.id) && slot->Load().IsShown();
    file.AddString(name + "_WINDOW_LOADED", loaded ? "Yes" : "No");
    if (!loaded)
        return;
    const PlaceableWindow& window = slot->Load();
    file.AddInteger(name + "_WINDOW_LEFT", window.Left());
    file.AddInteger(name + "_WINDOW_TOP", window.Top());
    if (info.sizable) {
        file.AddInteger(name + "_WINDOW_WIDTH", window.Width());
        file.AddInteger(name + "_WINDOW_HEIGHT", window.Height());
    }
}

void MainWindow::ReadWindowPos(const FileData& file, const ToolWindowInfo& info)
{
    ToolWindowSlot* slot = SlotOf(info.id);
    if (slot == nullptr)
        return;
    const std::string name = ToolWindowRegistry::LayoutName(info.id);
    if (IsYes(file.FindString(name + "_WINDOW_LOADED", "No"))) {
        const std::optional<std::int32_t> left = file.FindInteger(name + "_WINDOW_LEFT");
        const std::optional<std::int32_t> top = file.FindInteger(name + "_WINDOW_TOP");
        const std::optional<std::int32_t> width = file.FindInteger(name + "_WINDOW_WIDTH");
        const std::optional<std::int32_t> height = file.FindInteger(name + "_WINDOW_HEIGHT");
        if (left && top && (!info.sizable || (width && height))) {
            PlaceableWindow& window = slot->Load();
            if (info.sizable)
                window.Move(*left, *top, *width, *height);
            else
                window.Move(*left, *top);
            window.Show();
            return;
        }
    }
    CloseToolWindow(info);
}

std::string MainWindow::PlaceText() const
{
    const int state = isMaximized() ? 2 : isMinimized() ? 1 : 0;
    std::string text = std::to_string(state);
    for (const int value : PlaceTwips())
        text.append(1, ',').append(std::to_string(value));
    return text;
}

void MainWindow::SavePlace()
{
    options_.Store().SaveSetting(SettingsStore::kWindowPositions, kPlaceName, PlaceText());
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
