#include "windows/dialogs/OptionsDialog.h"

#include <climits>
#include <cmath>
#include <limits>
#include <stdexcept>

#include <QAction>
#include <QEvent>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include "model/Format.h"
#include "shell/commands/AutoConfigureRunner.h"
#include "shell/options/AppTitle.h"
#include "shell/options/ArgbColor.h"
#include "shell/options/ColorTable.h"
#include "shell/startup/ErrorReporter.h"
#include "shell/options/OptionText.h"
#include "shell/options/Options.h"
#include "shell/session/UpdateHub.h"
#include "windows/dialogs/ChooseColorDialog.h"
#include "windows/controls/ColorPresetMenu.h"
#include "windows/controls/ColorSwatch.h"
#include "windows/dialogs/DialogButtons.h"
#include "windows/controls/HelpShortcut.h"
#include "windows/controls/LinkLabel.h"
#include "windows/base/SpinStepper.h"
#include "windows/base/TypedNumber.h"
#include "windows/controls/ToolControls.h"

namespace polvane {

namespace {

struct Switch {
    const char* name;
    const char* text;
    bool (Options::*get)() const;
    void (Options::*set)(bool);
};

// The switches of the General and Graph Appearance tabs in the order OK stores them.
constexpr Switch kSwitches[] = {
    {"chkClickAndDrag", "Click and drag venue items", &Options::ClickAndDragVenueItems,
     &Options::SetClickAndDragVenueItems},
    {"chkSnapTo", "Snap to grid", &Options::SnapToGrid, &Options::SetSnapToGrid},
    {"chkDisableScreenSaver", "Disable screen saver while running Auto-Configure",
     &Options::DisableScreenSaver, &Options::SetDisableScreenSaver},
    {"chkLockBumperDuringAutoCalc", "Lock bumper during Auto-Configure",
     &Options::LockBumperDuringAutoConfigure, &Options::SetLockBumperDuringAutoConfigure},
    {"chkAntialias", "Antialias", &Options::Antialias, &Options::SetAntialias},
    {"chkShowArrayPolar", "Show array polar response", &Options::ShowArrayPolarResponse,
     &Options::SetShowArrayPolarResponse},
    {"chkShowCellNumbers", "Show cell numbers", &Options::ShowCellNumbers, &Options::SetShowCellNumbers},
    {"chkShowCellPinningConfigurations", "Show cell pinning configurations",
     &Options::ShowCellPinningConfigurations, &Options::SetShowCellPinningConfigurations},
    {"chkRefCalc", "Enable Refinement during Auto-Configure", &Options::EnableRefinementCalculations,
     &Options::SetEnableRefinementCalculations},
    {"chkShowCellSplayAngles", "Show cell splay angles", &Options::ShowCellSplayAngles,
     &Options::SetShowCellSplayAngles},
    {"chkShowCenterOfGravity", "Show center of gravity", &Options::ShowCenterOfGravity,
     &Options::SetShowCenterOfGravity},
    {"chkShowColoredResponses", "Show colored response levels on seating areas",
     &Options::ShowColoredResponseLevels, &Options::SetShowColoredResponseLevels},
    {"chkShowCoordinates", "Show coordinates while dragging", &Options::ShowCoordinatesWhileDragging,
     &Options::SetShowCoordinatesWhileDragging},
    {"chkShowDistanceBetweenCables", "Show distance between cables",
     &Options::ShowDistanceBetweenCables, &Options::SetShowDistanceBetweenCables},
    {"chkShowFarFieldTransition", "Show far field transition lines",
     &Options::ShowFarFieldTransitionLines, &Options::SetShowFarFieldTransitionLines},
    {"chkShowGrid", "Show grid", &Options::ShowGrid, &Options::SetShowGrid},
    {"chkShowListeningPoints", "Show listening points", &Options::ShowListeningPoints,
     &Options::SetShowListeningPoints},
    {"chkShowScale", "Show scale", &Options::ShowScale, &Options::SetShowScale},
    {"chkShowSoundpaths", "Show sound paths", &Options::ShowSoundPaths, &Options::SetShowSoundPaths},
    {"chkShowSoundPathMisses", "Show misses", &Options::ShowSoundPathMisses,
     &Options::SetShowSoundPathMisses},
    {"chkShowWeights", "Show weights", &Options::ShowWeights, &Options::SetShowWeights},
};

// The Graph Appearance tab's boxes as it shows them.
constexpr const char* kGraphLayout[] = {
    "chkShowFarFieldTransition", "chkShowListeningPoints", "chkShowCellPinningConfigurations",
    "chkShowCellSplayAngles",    "chkShowCellNumbers",     "chkShowSoundPathMisses",
    "chkShowCoordinates",        "chkShowColoredResponses", "chkShowArrayPolar",
    "chkAntialias",              "chkShowScale",           "chkShowSoundpaths",
    "chkShowGrid",               "chkShowCenterOfGravity", "chkShowWeights",
    "chkShowDistanceBetweenCables"};

QLabel* NamedLabel(QWidget* parent, const char* name, const QString& text)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromUtf8(name));
    return label;
}

std::string TextOf(const QLineEdit* box) { return box->text().toStdString(); }

QString NumberText(double value) { return QString::fromStdString(OptionText::NumberText(static_cast<float>(value))); }


} // namespace

OptionsDialog::OptionsDialog(Options& options, Prompts& prompts, UpdateHub& hub,
                             ErrorReporter& reporter, std::function<bool()> metricVenue,
                             std::string presetsFolder, QWidget* parent)
    : ModalDialog(parent), options_(options), prompts_(prompts), hub_(hub), reporter_(reporter),
      metricVenue_(std::move(metricVenue)),
      showModal_([](QDialog& dialog) { dialog.exec(); })
{
    setObjectName(QStringLiteral("frmOptions"));
    setWindowTitle(QStringLiteral("Options"));

    tabOptions_ = new QTabWidget(this);
    tabOptions_->setObjectName(QStringLiteral("tabOptions"));
    tabOptions_->addTab(BuildGeneralTab(), QStringLiteral("General"));
    tabOptions_->addTab(BuildGraphTab(), QStringLiteral("Graph Appearance"));
    tabOptions_->addTab(BuildColorsTab(), QStringLiteral("Colors"));
    tabOptions_->addTab(BuildNotesTab(), QStringLiteral("Notes Window"));

    const auto [ok, cancel] = DialogButtons::Make(
        *this, QStringLiteral("&Cancel"),
        [this](const std::string& handler, const std::function<void()>& action) { Guard(handler, action); });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabOptions_);
    layout->addLayout(buttons);

    ColorPresetMenu::Hooks hooks;
    hooks.guard = [this](const std::string& handler, const std::function<void()>& action) { Guard(handler, action); };
    hooks.warn = [this](const std::string& message) { Warn(message); };
    hooks.title = [this] { return Title(); };
    hooks.changed = [this] { UpdateInterface(); };
    presets_ = new ColorPresetMenu(options_, prompts_, std::move(presetsFolder), std::move(hooks), this);
    new HelpShortcut(*this, [this] {
        Guard("Form_KeyDown", [this] {
            const int tab = tabOptions_->currentIndex();
            if (tab >= 0 && tab < static_cast<int>(kHelpTopics.size()))
                hub_.ShowHelp(kHelpTopics[static_cast<std::size_t>(tab)], false);
        });
    });

    lstGraphItems_->setCurrentRow(0);
    LoadColorPresets();
}

OptionsDialog::~OptionsDialog() = default;

void OptionsDialog::Guard(const std::string& handler, const std::function<void()>& action)
{
    reporter_.Guard("frmOptions." + handler, action);
}

std::string OptionsDialog::Title() const { return AppTitle::Text(options_.GodMode()); }

// ---- Building -------------------------------------------------------------------------

QCheckBox* OptionsDialog::AddCheckBox(QWidget* page, const char* name)
{
    const Switch* entry = nullptr;
    for (const Switch& candidate : kSwitches)
        if (std::string_view(name) == candidate.name)
            entry = &candidate;
    auto* box = new QCheckBox(page);
    box->setObjectName(QString::fromUtf8(name));
    if (entry != nullptr)
        box->setText(QString::fromUtf8(entry->text));
    return box;
}

QLineEdit* OptionsDialog::AddBox(QWidget* page, const char* name)
{
    auto* box = new QLineEdit(page);
    box->setObjectName(QString::fromUtf8(name));
    box->setMaximumWidth(70);
    // A box gaining the focus offers its whole text for typing over.
    box->installEventFilter(this);
    return box;
}

QSpinBox* OptionsDialog::AddSpin(QWidget* page, const char* name, QLineEdit* box,
                                 double (*rule)(double, int))
{
    auto* spin = new QSpinBox(page);
    spin->setObjectName(QString::fromUtf8(name));
    ToolControls::ShowArrowsOnly(spin);
    auto* stepper = new SpinStepper(
        *spin, *box,
        [this](const std::string& handler, const std::function<void()>& action) {
            Guard(handler, action);
            return true;
        },
        name, rule, [this, box] { return HeldText(box); }, false);
    stepper->setParent(this);
    return spin;
}

QString OptionsDialog::HeldText(const QLineEdit* box) const
{
    if (box == txtMRUEntries_)
        return QString::number(options_.RecentFileListEntries());
    if (box == txtMaxAutoCalcTime_)
        return NumberText(options_.MaxAutoConfigureTime() / 1000.0);
    if (box == txtMaxAutoCalcOverthrow_)
        return NumberText(options_.MaxAutoConfigureOverthrow());
    if (box == txtMaxAutoCalcUnderthrow_)
        return NumberText(options_.MaxAutoConfigureUnderthrow());
    return NumberText(options_.SnapToGridSize());
}

QWidget* OptionsDialog::BuildGeneralTab()
{
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    int row = 0;

    lblDefaultVenueFile_ = new LinkLabel(page, &AutoConfigureRunner::IsAutoCalculating);
    lblDefaultVenueFile_->setObjectName(QStringLiteral("lblDefaultVenueFile"));
    connect(lblDefaultVenueFile_, &LinkLabel::clicked, this,
            [this] { Guard("lblDefaultVenueFile_Click", [this] { ChooseTemplate(); }); });
    grid->addWidget(NamedLabel(page, "lblDVFIdent", QStringLiteral("New venue template:")), row, 0);
    grid->addWidget(lblDefaultVenueFile_, row++, 1, 1, 3);

    auto* mru = AddCheckBox(page, "chkMRUList");
    mru->setText(QStringLiteral("Show recently used file list"));
    txtMRUEntries_ = AddBox(page, "txtMRUEntries");
    grid->addWidget(mru, row, 0);
    grid->addWidget(txtMRUEntries_, row, 1);
    grid->addWidget(AddSpin(page, "spnMRUEntires", txtMRUEntries_, &StepRecentFiles), row, 2);
    grid->addWidget(NamedLabel(page, "lblMRUEIdent", QStringLiteral("entries")), row++, 3);

    struct NumberRow {
        const char* ident;
        const char* caption;
        QLineEdit** box;
        const char* boxName;
        const char* spin;
        double (*rule)(double, int);
        const char* unitName;
        const char* unit;
    };
    const NumberRow numbers[] = {
        {"lblACTIdent", "Max Auto-Configure time:", &txtMaxAutoCalcTime_, "txtMaxAutoCalcTime",
         "spnMaxAutoCalcTime", &StepTime, "lblMSIdent", "seconds"},
        {"lblMACOIdent", "Max Auto-Configure overthrow:", &txtMaxAutoCalcOverthrow_,
         "txtMaxAutoCalcOverthrow", "spnMaxAutoCalcOverthrow", &StepWhole, "lblDIdent1", "degrees"},
        {"lblMACUIdent", "Max Auto-Configure underthrow:", &txtMaxAutoCalcUnderthrow_,
         "txtMaxAutoCalcUnderthrow", "spnMaxAutoCalcUnderthrow", &StepWhole, "lblDIdent2", "degrees"},
    };
    for (const NumberRow& number : numbers) {
        *number.box = AddBox(page, number.boxName);
        grid->addWidget(NamedLabel(page, number.ident, QString::fromUtf8(number.caption)), row, 0);
        grid->addWidget(*number.box, row, 1);
        grid->addWidget(AddSpin(page, number.spin, *number.box, number.rule), row, 2);
        grid->addWidget(NamedLabel(page, number.unitName, QString::fromUtf8(number.unit)), row++, 3);
    }

    auto* clickAndDrag = AddCheckBox(page, "chkClickAndDrag");
    connect(clickAndDrag, &QCheckBox::toggled, this,
            [this] { Guard("chkClickAndDrag_Click", [this] { ApplyClickAndDrag(); }); });
    grid->addWidget(clickAndDrag, row++, 0, 1, 4);

    txtSnapTo_ = AddBox(page, "txtSnapTo");
    spnSnapTo_ = AddSpin(page, "spnSnapTo", txtSnapTo_, &StepSnap);
    lblSnapToUnits_ = NamedLabel(page, "lblSnapToUnits", QStringLiteral("feet"));
    grid->addWidget(AddCheckBox(page, "chkSnapTo"), row, 0);
    grid->addWidget(txtSnapTo_, row, 1);
    grid->addWidget(spnSnapTo_, row, 2);
    grid->addWidget(lblSnapToUnits_, row++, 3);

    for (const char* name : {"chkDisableScreenSaver", "chkLockBumperDuringAutoCalc", "chkRefCalc"})
        grid->addWidget(AddCheckBox(page, name), row++, 0, 1, 4);
    grid->setRowStretch(row, 1);
    grid->setColumnStretch(3, 1);
    return page;
}

QWidget* OptionsDialog::BuildGraphTab()
{
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    int index = 0;
    for (const char* name : kGraphLayout) {
        grid->addWidget(AddCheckBox(page, name), index / 2, index % 2);
        ++index;
    }
    grid->setRowStretch(index / 2 + 1, 1);

    // Pinning configurations and splay angles share one place in the array picture.
    auto* pinning = page->findChild<QCheckBox*>(QStringLiteral("chkShowCellPinningConfigurations"));
    auto* splay = page->findChild<QCheckBox*>(QStringLiteral("chkShowCellSplayAngles"));
    connect(pinning, &QCheckBox::toggled, this, [this, splay](bool on) {
        Guard("chkShowCellPinningConfigurations_Click", [&] {
            if (on)
                splay->setChecked(false);
        });
    });
    connect(splay, &QCheckBox::toggled, this, [this, pinning](bool on) {
        Guard("chkShowCellSplayAngles_Click", [&] {
            if (on)
                pinning->setChecked(false);
        });
    });
    connect(page->findChild<QCheckBox*>(QStringLiteral("chkShowSoundpaths")), &QCheckBox::toggled, this,
            [this] { Guard("chkShowSoundpaths_Click", [this] { ApplySoundPaths(); }); });
    return page;
}

QWidget* OptionsDialog::BuildColorsTab()
{
    auto* page = new QWidget;
    lstGraphItems_ = new QListWidget(page);
    lstGraphItems_->setObjectName(QStringLiteral("lstGraphItems"));
    for (int index = 1; index <= ColorTable::kCount; ++index)
        lstGraphItems_->addItem(QString::fromUtf8(ColorTable::Name(index).data(),
                                                  static_cast<qsizetype>(ColorTable::Name(index).size())));
    connect(lstGraphItems_, &QListWidget::currentRowChanged, this,
            [this] { Guard("lstGraphItems_Click", [this] { UpdateInterface(); }); });
    // Tall enough for every colour's name whole, none left to scroll to.
    int rows = 0;
    for (int row = 0; row < lstGraphItems_->count(); ++row)
        rows += lstGraphItems_->sizeHintForRow(row) + 2 * lstGraphItems_->spacing();
    lstGraphItems_->setMinimumHeight(rows + 2 * lstGraphItems_->frameWidth());

    picColor_ = new ColorSwatch(page);
    picColor_->setObjectName(QStringLiteral("picColor"));
    picColor_->SetFramed(QSize(80, 60));

    auto* side = new QVBoxLayout;
    side->addWidget(NamedLabel(page, "lblSCIdent", QStringLiteral("Selected color:")));
    side->addWidget(picColor_);
    const char* names[] = {"lblAlpha", "lblRed", "lblGreen", "lblBlue"};
    for (std::size_t index = 0; index < componentLabels_.size(); ++index) {
        componentLabels_[index] = NamedLabel(page, names[index], QString());
        side->addWidget(componentLabels_[index]);
    }
    auto* choose = new QPushButton(QStringLiteral("Choose..."), page);
    choose->setObjectName(QStringLiteral("cmdChoose"));
    connect(choose, &QPushButton::clicked, this, [this] { Guard("cmdChoose_Click", [this] { ChooseColor(); }); });
    auto* presets = new QPushButton(QStringLiteral("Presets"), page);
    presets->setObjectName(QStringLiteral("cmdPresets"));
    connect(presets, &QPushButton::clicked, this, [this, presets] {
        Guard("cmdPresets_Click", [&] { presets_->popup(presets->mapToGlobal(presets->rect().bottomLeft())); });
    });
    side->addWidget(choose);
    side->addWidget(presets);
    side->addStretch();

    auto* layout = new QHBoxLayout(page);
    layout->addWidget(lstGraphItems_, 1);
    layout->addLayout(side);
    return page;
}

QWidget* OptionsDialog::BuildNotesTab()
{
    auto* page = new QWidget;
    lblFont_ = new LinkLabel(page, &AutoConfigureRunner::IsAutoCalculating);
    lblFont_->setObjectName(QStringLiteral("lblFont"));
    connect(lblFont_, &LinkLabel::clicked, this, [this] { Guard("lblFont_Click", [this] { ChooseFont(); }); });
    auto* grid = new QGridLayout(page);
    grid->addWidget(NamedLabel(page, "lblFIdent", QStringLiteral("Font:")), 0, 0);
    grid->addWidget(lblFont_, 0, 1);
    grid->setRowStretch(1, 1);
    grid->setColumnStretch(1, 1);
    return page;
}

QCheckBox* OptionsDialog::CheckBox(const char* name) const
{
    auto* box = findChild<QCheckBox*>(QString::fromUtf8(name));
    if (box == nullptr)
        throw std::logic_error("No check box " + std::string(name));
    return box;
}

// ---- Round trip -----------------------------------------------------------------------

void OptionsDialog::Run()
{
    Fill();
    // A Cancel of an earlier showing must not be taken for this one's answer.
    SetTag("");
    showModal_(*this);
    if (IsCancelled()) {
        options_.ReadColors();
        return;
    }
    Store();
    hub_.RefreshAllGraphicsObjects();
    hub_.UpdateInterfaces(UpdateScope::Display, false);
}

void OptionsDialog::Fill()
{
    templatePath_ = options_.NewVenueTemplate();
    ShowTemplate();
    CheckBox("chkMRUList")->setChecked(options_.ShowRecentFileList());
    for (QLineEdit* box : {txtMRUEntries_, txtMaxAutoCalcTime_, txtMaxAutoCalcOverthrow_, txtMaxAutoCalcUnderthrow_})
        box->setText(HeldText(box));
    for (const Switch& entry : kSwitches)
        CheckBox(entry.name)->setChecked((options_.*entry.get)());
    // A box already showing its switch fires no click: the rules are applied all the same.
    ApplyClickAndDrag();
    ApplySoundPaths();
    txtSnapTo_->setText(HeldText(txtSnapTo_));
    lblSnapToUnits_->setText(metricVenue_ && metricVenue_() ? QStringLiteral("meters")
                                                            : QStringLiteral("feet"));
    font_ = FontChoice{options_.NotesFont(), options_.NotesSize(), options_.NotesBold(),
                       options_.NotesItalic()};
    lblFont_->setText(QString::fromStdString(
        Format::FormatFont(font_.name, font_.size, font_.bold, font_.italic)));
    // The colours may have been read back since the last showing.
    UpdateInterface();
}

void OptionsDialog::Store()
{
    const std::optional<Numbers> numbers = ReadNumbers(false);
    if (!numbers)
        throw std::logic_error("The options were stored with a number box that cannot be stored");
    options_.SetNewVenueTemplate(templatePath_);
    options_.SetMaxAutoConfigureTime(numbers->timeMs);
    options_.SetMaxAutoConfigureOverthrow(numbers->overthrow);
    options_.SetMaxAutoConfigureUnderthrow(numbers->underthrow);
    for (const Switch& entry : kSwitches) {
        (options_.*entry.set)(CheckBox(entry.name)->isChecked());
        if (std::string_view(entry.name) == "chkSnapTo")
            options_.SetSnapToGridSize(numbers->snapSize);
    }
    options_.SetNotesFont(font_.name);
    options_.SetNotesSize(font_.size);
    options_.SetNotesBold(font_.bold);
    options_.SetNotesItalic(font_.italic);
    options_.StoreColors();
}

void OptionsDialog::accept()
{
    if (ReadNumbers(true))
        ModalDialog::accept();
}

std::optional<OptionsDialog::Numbers> OptionsDialog::ReadNumbers(bool tell)
{
    const auto refuse = [&](QLineEdit* box, const char* message) -> std::optional<Numbers> {
        if (tell)
            Refuse(box, message);
        return std::nullopt;
    };
    // A degree box holding no number keeps its option, and shows it again.
    const auto degrees = [&](QLineEdit* box, float held) -> std::optional<float> {
        const std::optional<double> typed = TypedNumber::Read(TextOf(box));
        if (!typed) {
            if (tell)
                box->setText(HeldText(box));
            return held;
        }
        if (!(std::fabs(*typed) <= std::numeric_limits<float>::max()))
            return std::nullopt;
        return static_cast<float>(*typed);
    };
    Numbers numbers{};
    const std::optional<double> seconds = TypedNumber::Read(TextOf(txtMaxAutoCalcTime_));
    const double ms = seconds ? Format::RoundHalfEven(*seconds * 1000.0) : 0.0;
    if (!(ms >= 1.0 && ms <= INT_MAX))
        return refuse(txtMaxAutoCalcTime_,
                      "The maximum Auto-Configure time must be a number of seconds from 0.001 to 2147483.");
    numbers.timeMs = static_cast<int>(ms);
    const std::optional<float> overthrow = degrees(txtMaxAutoCalcOverthrow_, options_.MaxAutoConfigureOverthrow());
    if (!overthrow)
        return refuse(txtMaxAutoCalcOverthrow_, "The maximum Auto-Configure overthrow is too large.");
    numbers.overthrow = *overthrow;
    const std::optional<float> underthrow = degrees(txtMaxAutoCalcUnderthrow_, options_.MaxAutoConfigureUnderthrow());
    if (!underthrow)
        return refuse(txtMaxAutoCalcUnderthrow_, "The maximum Auto-Configure underthrow is too large.");
    numbers.underthrow = *underthrow;
    const std::optional<double> snap = TypedNumber::Read(TextOf(txtSnapTo_));
    const float size = snap && *snap <= std::numeric_limits<float>::max() ? static_cast<float>(*snap) : 0.0f;
    if (!(size > 0.0f))
        return refuse(txtSnapTo_, "The snap to grid size must be a number greater than 0.");
    numbers.snapSize = size;
    return numbers;
}

void OptionsDialog::Refuse(QLineEdit* box, const std::string& message)
{
    Warn(message);
    tabOptions_->setCurrentIndex(0);
    box->setFocus();
    box->selectAll();
}

void OptionsDialog::Warn(const std::string& message)
{
    prompts_.ShowMessage(message, Title(), MessageButtons::Ok, MessageIcon::Exclamation);
}

bool OptionsDialog::eventFilter(QObject* watched, QEvent* event)
{
    // Queued, so that the click that brought the focus does not place the caret over it.
    if (event->type() == QEvent::FocusIn)
        if (auto* box = qobject_cast<QLineEdit*>(watched))
            QMetaObject::invokeMethod(box, &QLineEdit::selectAll, Qt::QueuedConnection);
    return ModalDialog::eventFilter(watched, event);
}

// ---- Rules between controls -------------------------------------------------------------

void OptionsDialog::ApplyClickAndDrag()
{
    const bool on = CheckBox("chkClickAndDrag")->isChecked();
    CheckBox("chkSnapTo")->setEnabled(on);
    txtSnapTo_->setEnabled(on);
    spnSnapTo_->setEnabled(on);
    // A disabled label shows in the grey-text colour.
    lblSnapToUnits_->setEnabled(on);
}

void OptionsDialog::ApplySoundPaths()
{
    CheckBox("chkShowSoundPathMisses")->setEnabled(CheckBox("chkShowSoundpaths")->isChecked());
}

double OptionsDialog::StepTime(double x, int direction)
{
    const bool multiple = std::fmod(x, 10.0) == 0.0;
    const double tens = std::trunc(Format::RoundHalfEven(x) / 10.0);
    if (direction > 0)
        return multiple ? x + 10.0 : (tens + 1.0) * 10.0;
    return std::max(1.0, multiple ? x - 10.0 : tens * 10.0);
}

double OptionsDialog::StepWhole(double x, int direction)
{
    const double whole = Format::RoundHalfEven(x);
    if (direction > 0)
        return whole == x ? x + 1.0 : whole + 1.0;
    return whole == x ? x - 1.0 : whole;
}

double OptionsDialog::StepSnap(double x, int direction) { return std::max(0.5, StepWhole(x, direction)); }

double OptionsDialog::StepRecentFiles(double x, int direction)
{
    const double stepped = StepWhole(x, direction);
    return direction > 0 ? std::min(10.0, stepped) : std::max(1.0, stepped);
}

// ---- Template and font --------------------------------------------------------------------

void OptionsDialog::ShowTemplate()
{
    lblDefaultVenueFile_->setText(QString::fromStdString(Format::GetFileTitle(templatePath_)));
    lblDefaultVenueFile_->setToolTip(QString::fromStdString(templatePath_));
}

void OptionsDialog::ChooseTemplate()
{
    FileDialogRequest request;
    request.title = kTemplateTitle;
    request.filter = kTemplateFilter;
    request.filterIndex = 1;
    request.fileName = templatePath_;
    const std::optional<std::string> path = prompts_.ChooseOpenFile(request);
    if (!path || path->empty())
        return;
    templatePath_ = *path;
    ShowTemplate();
}

void OptionsDialog::ChooseFont()
{
    const std::optional<FontChoice> font = prompts_.ChooseFont(font_);
    // A font without a size the notes could show is no choice.
    if (!font || font->name.empty() || !std::isfinite(font->size) || !(font->size > 0.0f))
        return;
    font_ = *font;
    lblFont_->setText(QString::fromStdString(
        Format::FormatFont(font_.name, font_.size, font_.bold, font_.italic)));
}

// ---- Colours --------------------------------------------------------------------------------

void OptionsDialog::UpdateInterface()
{
    const int index = lstGraphItems_->currentRow() + 1;
    if (index < 1 || index > ColorTable::kCount)
        return;
    const std::uint32_t color = options_.Colors().Color(index);
    picColor_->SetColor(color);
    const QString captions[] = {QStringLiteral("Alpha: "), QStringLiteral("Red: "),
                                QStringLiteral("Green: "), QStringLiteral("Blue: ")};
    const int values[] = {ArgbColor::Alpha(color), ArgbColor::Red(color), ArgbColor::Green(color),
                          ArgbColor::Blue(color)};
    for (std::size_t part = 0; part < componentLabels_.size(); ++part)
        componentLabels_[part]->setText(captions[part] + QString::number(values[part]));
}

void OptionsDialog::ChooseColor()
{
    const int index = lstGraphItems_->currentRow() + 1;
    if (index < 1 || index > ColorTable::kCount)
        return;
    if (chooser_ == nullptr)
        chooser_ = new ChooseColorDialog(hub_, reporter_, this);
    // The chooser is kept between uses: an earlier Cancel is no answer to this showing.
    chooser_->SetTag("");
    chooser_->SetColor(options_.Colors().Color(index));
    showModal_(*chooser_);
    if (chooser_->IsCancelled())
        return;
    options_.Colors().SetColor(index, chooser_->Color());
    UpdateInterface();
}

void OptionsDialog::LoadColorPresets() { presets_->Load(); }

void OptionsDialog::ApplyStandardPreset(ColorPresets::Standard preset) { presets_->ApplyStandard(preset); }

bool OptionsDialog::ApplyCustomPreset(const std::string& name, const std::string& path)
{
    return presets_->ApplyCustom(name, path);
}

void OptionsDialog::SaveCurrentPreset() { presets_->SaveCurrent(); }

QAction* OptionsDialog::CustomPresetItem(int item) const { return presets_->CustomItem(item); }

int OptionsDialog::CustomPresetCount() const { return presets_->CustomCount(); }

} // namespace polvane
