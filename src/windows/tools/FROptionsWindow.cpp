#include "windows/tools/FROptionsWindow.h"

#include <cmath>
#include <vector>

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSpinBox>

#include "engine/Environment.h"
#include "model/Format.h"
#include "model/Units.h"
#include "shell/options/FrequencyTable.h"
#include "shell/session/UpdateGuard.h"
#include "shell/session/UpdateHub.h"
#include "shell/session/VenueLifecycle.h"
#include "windows/controls/ToolControls.h"

namespace polvane {

namespace {

// A scale named after the number needs at least two characters before it ("22c", not "5f").
constexpr qsizetype kShortestScaledText = 3;

} // namespace

FROptionsWindow::FROptionsWindow(ToolWindowContext& context, QWidget* parent)
    : ToolWindow(ToolWindowId::FROptions, context, parent), cboFrequency_(new QComboBox(this)),
      txtEarHeight_(ToolControls::NewBox(this, "txtEarHeight")),
      spnEarHeight_(ToolControls::NewSpin(this, "spnEarHeight")),
      txtTemperature_(ToolControls::NewBox(this, "txtTemperature")),
      spnTemperature_(ToolControls::NewSpin(this, "spnTemperature"))
{
    cboFrequency_->setObjectName(QStringLiteral("cboFrequency"));
    auto* layout = new QGridLayout(this);
    layout->addWidget(ToolControls::NewLabel(this, "lblFIdent", QStringLiteral("Freq.:")), 0, 0);
    layout->addWidget(cboFrequency_, 0, 1, 1, 2);
    layout->addWidget(ToolControls::NewLabel(this, "lblEHIdent", QStringLiteral("Ear Height:")), 1, 0);
    layout->addWidget(txtEarHeight_, 1, 1);
    layout->addWidget(spnEarHeight_, 1, 2);
    layout->addWidget(ToolControls::NewLabel(this, "lblTIdent", QStringLiteral("Temp.:")), 2, 0);
    layout->addWidget(txtTemperature_, 2, 1);
    layout->addWidget(spnTemperature_, 2, 2);
    layout->setRowStretch(3, 1);

    {
        // Filling the list chooses nothing for the venue.
        const QSignalBlocker blocker(cboFrequency_);
        cboFrequency_->addItem(QStringLiteral("All"));
        for (int band = 1; band <= FrequencyTable::Count(); ++band) {
            const float hertz = FrequencyTable::Frequency(band);
            cboFrequency_->addItem(QString::fromStdString(Format::FormatFrequency(hertz)),
                                   static_cast<int>(std::lround(hertz)));
        }
        // Nothing shows until a refresh finds the venue's choice.
        cboFrequency_->setCurrentIndex(-1);
    }
    // Chosen by the user, also the item already shown: "All" again restores the whole band
    // list of a venue whose file held only part of it.
    connect(cboFrequency_, &QComboBox::activated, this,
            [this](int index) { Guard("cboFrequency_Click", [this, index] { FrequencyChosen(index); }); });

    const BoundValue earHeight{{},
                               [this](float height) { Context().lifecycle.Venue().SetEarHeight(height); },
                               [this] { return Format::FormatMeasurement(Context().lifecycle.Venue().EarHeight(), VenueUnits()); }};
    earHeight_ = std::make_unique<EditBox>(*txtEarHeight_, *this, "txtEarHeight", UpdateScope::ResultsAndAreas, earHeight);
    earHeightStep_ = std::make_unique<SpinStepper>(*spnEarHeight_, *txtEarHeight_, *this, "spnEarHeight",
                                                   UpdateScope::ResultsAndAreas, SpinStepper::Rule::B, earHeight, true);

    const auto shownTemperature = [this] { return TemperatureText(); };
    temperature_ = std::make_unique<EditBox>(
        *txtTemperature_, *this, "txtTemperature", UpdateScope::ListeningConditions,
        BoundValue{{}, [this](float value) { StoreTypedTemperature(value); }, shownTemperature});
    temperatureStep_ = std::make_unique<SpinStepper>(
        *spnTemperature_, *txtTemperature_, *this, "spnTemperature", UpdateScope::ListeningConditions, SpinStepper::Rule::B,
        BoundValue{{}, [this](float value) { StoreTemperature(value, IsMetric()); }, shownTemperature}, true);
}

FROptionsWindow::~FROptionsWindow()
{
    // The list outlives this part of the window: a change now must reach no handler.
    cboFrequency_->disconnect(this);
}

bool FROptionsWindow::IsMetric() const { return Context().lifecycle.Venue().Units() == UnitsCode::Metric; }

void FROptionsWindow::UpdateInterface()
{
    const Environment& venue = Context().lifecycle.Venue();
    {
        const UpdateGuard guard;
        if (venue.AggregateFrequencies()) {
            cboFrequency_->setCurrentIndex(0);
        } else {
            for (int index = 1; index < cboFrequency_->count(); ++index) {
                if (cboFrequency_->itemData(index).toInt() == venue.CenterFrequency()) {
                    cboFrequency_->setCurrentIndex(index);
                    break;
                }
            }
        }
        // Refilling also clears the boxes' dirty marks.
        temperature_->Refill();
        earHeight_->Refill();
    }
}

void FROptionsWindow::FrequencyChosen(int index)
{
    if (UpdateGuard::IsUpdating() || index < 0)
        return;
    Environment& venue = Context().lifecycle.Venue();
    if (index == 0) {
        venue.SetAggregateFrequencies(true);
        std::vector<float> bands;
        for (int band = 1; band <= FrequencyTable::Count(); ++band)
            bands.push_back(FrequencyTable::Frequency(band));
        venue.SetFrequencyList(std::move(bands));
    } else {
        venue.SetAggregateFrequencies(false);
        venue.SetCenterFrequency(static_cast<float>(cboFrequency_->itemData(index).toInt()));
    }
    VenueEdited(UpdateScope::AnalysedFrequency);
}

std::string FROptionsWindow::TemperatureText() const
{
    const Temperature& temperature = Context().lifecycle.Venue().AmbientTemperature();
    if (IsMetric())
        return Format::FormatNumber(temperature.Celsius(), 1) + "\u00B0 C";
    return Format::FormatNumber(temperature.Fahrenheit(), 1) + "\u00B0 F";
}

void FROptionsWindow::StoreTypedTemperature(float value)
{
    const QString text = txtTemperature_->text();
    const QChar last = text.isEmpty() ? QChar() : text.back().toLower();
    if (text.size() >= kShortestScaledText && last == QLatin1Char('f'))
        StoreTemperature(value, false);
    else if (text.size() >= kShortestScaledText && last == QLatin1Char('c'))
        StoreTemperature(value, true);
    else
        StoreTemperature(value, IsMetric());
}

void FROptionsWindow::StoreTemperature(float value, bool celsius)
{
    Temperature& temperature = Context().lifecycle.Venue().AmbientTemperature();
    if (celsius)
        temperature.SetCelsius(value);
    else
        temperature.SetFahrenheit(value);
}

} // namespace polvane
