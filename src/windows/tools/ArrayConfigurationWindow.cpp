#include "windows/tools/ArrayConfigurationWindow.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "engine/Environment.h"
#include "model/Format.h"
#include "shell/session/UpdateGuard.h"
#include "shell/session/UpdateHub.h"
#include "shell/session/VenueLifecycle.h"

namespace polvane {

namespace {

// The brand whose arrays take fixed pins only.

QLabel* NamedLabel(const char* name, const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromUtf8(name));
    return label;
}

QRadioButton* NamedOption(const char* name, const QString& text, QWidget* holder)
{
    auto* option = new QRadioButton(text, holder);
    option->setObjectName(QString::fromUtf8(name));
    holder->layout()->addWidget(option);
    return option;
}

// Each pair of options is exclusive within a holder of its own.
QWidget* Holder(QWidget* parent)
{
    auto* holder = new QWidget(parent);
    holder->setObjectName(QStringLiteral("picHolder"));
    auto* layout = new QHBoxLayout(holder);
    layout->setContentsMargins(0, 0, 0, 0);
    return holder;
}

} // namespace

ArrayConfigurationWindow::ArrayConfigurationWindow(ToolWindowContext& context,
                                                   std::function<void()> design, QWidget* parent)
    : ToolWindow(ToolWindowId::ArrayConfiguration, context, parent), design_(std::move(design))
{
    auto* grid = new QGridLayout(this);
    grid->addWidget(NamedLabel("lblTIdent", QStringLiteral("Type:"), this), 0, 0);
    lblLineArrayType_ = NamedLabel("lblLineArrayType", QString(), this);
    grid->addWidget(lblLineArrayType_, 0, 1);
    cmdSelect_ = new QPushButton(QStringLiteral("Design..."), this);
    cmdSelect_->setObjectName(QStringLiteral("cmdSelect"));
    grid->addWidget(cmdSelect_, 0, 2);

    grid->addWidget(NamedLabel("lblSIdent", QStringLiteral("Style:"), this), 1, 0);
    QWidget* style = Holder(this);
    optFlown_ = NamedOption("optFlown", QStringLiteral("Flown"), style);
    optGroundStacked_ = NamedOption("optGroundStacked", QStringLiteral("Stacked"), style);
    grid->addWidget(style, 1, 1, 1, 2);

    grid->addWidget(NamedLabel("lblPSIdent", QStringLiteral("Pinning:"), this), 2, 0);
    QWidget* pinning = Holder(this);
    optSlide_ = NamedOption("optSlide", QStringLiteral("Slide"), pinning);
    optFixed_ = NamedOption("optFixed", QStringLiteral("Fixed"), pinning);
    grid->addWidget(pinning, 2, 1, 1, 2);

    connect(cmdSelect_, &QPushButton::clicked, this, [this] {
        Guard("cmdSelect_Click", [this] {
            if (design_)
                design_();
        });
    });
    Choose(optFlown_, "optFlown_Click", [](LineArray& array) {
        array.SetConfiguration(ConfigurationCode::Flown);
        array.SetPinStyle(PinStyleCode::Slide);
    });
    Choose(optGroundStacked_, "optGroundStacked_Click", [](LineArray& array) {
        array.SetConfiguration(ConfigurationCode::GroundStacked);
        array.SetPinStyle(PinStyleCode::Fixed);
    });
    Choose(optSlide_, "optSlide_Click", [](LineArray& array) { array.SetPinStyle(PinStyleCode::Slide); });
    Choose(optFixed_, "optFixed_Click", [](LineArray& array) { array.SetPinStyle(PinStyleCode::Fixed); });
}

void ArrayConfigurationWindow::Choose(QRadioButton* button, const char* handler,
                                      const std::function<void(LineArray&)>& write)
{
    // Only a choice that newly selects the option acts: clicking the option already chosen
    // must not throw away the splays for nothing.
    connect(button, &QRadioButton::toggled, this, [this, handler, write](bool checked) {
        Guard(handler, [this, checked, &write] {
            if (!checked || UpdateGuard::IsUpdating())
                return;
            write(Context().lifecycle.Venue().LineArray());
            VenueEdited(UpdateScope::AllButNotesAreas);
        });
    });
}

void ArrayConfigurationWindow::UpdateInterface()
{
    const LineArray& array = Context().lifecycle.Venue().LineArray();
    lblLineArrayType_->setText(QString::fromStdString(Format::FormatBrand(array.Brand())));
    // An exclusive option is cleared only by checking its partner.
    (array.Configuration() == ConfigurationCode::Flown ? optFlown_ : optGroundStacked_)->setChecked(true);
    (array.PinStyle() == PinStyleCode::Fixed ? optFixed_ : optSlide_)->setChecked(true);
    const bool pinsChosen = array.Configuration() != ConfigurationCode::GroundStacked && array.Brand() != BrandCode::DeVelt;
    optSlide_->setEnabled(pinsChosen);
    optFixed_->setEnabled(pinsChosen);
}

} // namespace polvane
