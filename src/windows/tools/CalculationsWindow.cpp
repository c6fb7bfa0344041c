#include "windows/tools/CalculationsWindow.h"

#include <algorithm>
#include <vector>

#include <QGridLayout>
#include <QLabel>

#include "engine/CalculationResults.h"
#include "engine/Environment.h"
#include "model/Format.h"
#include "shell/options/Options.h"
#include "shell/session/Session.h"
#include "shell/session/VenueLifecycle.h"

namespace polvane {

namespace {


struct Row {
    const char* leftCaption;
    const char* leftValue;
    const char* rightCaption;
    const char* rightValue;
};

constexpr Row kRows[] = {
    {"Far Throw", "lblFarThrow", "Upper Angle", "lblUpperAngle"},
    {"Near Throw", "lblNearThrow", "Lower Angle", "lblLowerAngle"},
    {"Total Weight", "lblTotalWeight", "Total Coverage", "lblTotalCoverage"},
    {"Array Height", "lblArrayHeight", "Trim Height", "lblTrimHeight"},
    {"Max SPL Drop", "lblMaxSPLDrop", "Max SPL", "lblMaxSPL"},
};

// The widest texts the values of a column can show: a five-digit weight, a distance at
// its bound, a level drop with the evenness in percent; a negative angle, a level.
const std::vector<const char*> kWidestLeft{"99,999.0 lbs", "-600.00 ft", "-99.99 dB (100%)"};
const std::vector<const char*> kWidestRight{"-180.0\u00B0", "-600.00 ft", "-99.99 dB"};

void AddPair(QGridLayout& grid, QWidget* parent, int row, int column, const char* caption,
             const char* value, const std::vector<const char*>& widestValues)
{
    grid.addWidget(new QLabel(QString::fromUtf8(caption), parent), row, column);
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromUtf8(value));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    int widest = 0;
    for (const char* text : widestValues)
        widest = std::max(widest, label->fontMetrics().horizontalAdvance(QString::fromUtf8(text)));
    label->setMinimumWidth(widest);
    grid.addWidget(label, row, column + 1);
}

} // namespace

CalculationsWindow::CalculationsWindow(ToolWindowContext& context, QWidget* parent)
    : ToolWindow(ToolWindowId::Calculations, context, parent)
{
    auto* grid = new QGridLayout(this);
    grid->setHorizontalSpacing(12);
    int row = 0;
    for (const Row& line : kRows) {
        AddPair(*grid, this, row, 0, line.leftCaption, line.leftValue, kWidestLeft);
        AddPair(*grid, this, row, 2, line.rightCaption, line.rightValue, kWidestRight);
        ++row;
    }
}

QLabel* CalculationsWindow::Value(const char* name) const
{
    return findChild<QLabel*>(QString::fromUtf8(name), Qt::FindDirectChildrenOnly);
}

float CalculationsWindow::TrimHeight(const CalculationResults& results, ConfigurationCode configuration)
{
    return configuration == ConfigurationCode::Flown ? results.ArrayMinY : results.ArrayMaxY;
}

std::string CalculationsWindow::MaxLevelDropText(const CalculationResults& results, bool godMode)
{
    std::string text = Format::FormatSPL(results.MaxLevelDrop);
    if (godMode) {
        const float evenness = Format::SPLECToPercent(results.EvennessScore);
        text += " (" + Format::FormatNumber(static_cast<double>(evenness) * 100.0, 0) + "%)";
    }
    return text;
}

void CalculationsWindow::UpdateInterface()
{
    const CalculationResults& results = Context().session.Results();
    const ConfigurationCode configuration = Context().lifecycle.Venue().LineArray().Configuration();
    const auto set = [this](const char* name, const std::string& text) {
        Value(name)->setText(QString::fromStdString(text));
    };
    const UnitsCode units = VenueUnits();
    const double upper = results.UpperCoverageAngle.Degrees();
    const double lower = results.LowerCoverageAngle.Degrees();
    set("lblTotalWeight", Format::FormatWeight(results.TotalWeight, units));
    set("lblFarThrow", Format::FormatMeasurement(results.FarThrow, units));
    set("lblNearThrow", Format::FormatMeasurement(results.NearThrow, units));
    set("lblUpperAngle", Format::FormatDegrees(upper));
    set("lblLowerAngle", Format::FormatDegrees(lower));
    set("lblTotalCoverage", Format::FormatDegrees(upper - lower));
    set("lblArrayHeight", Format::FormatMeasurement(results.ArrayMaxY - results.ArrayMinY, units));
    set("lblTrimHeight", Format::FormatMeasurement(TrimHeight(results, configuration), units));
    set("lblMaxSPLDrop", MaxLevelDropText(results, Context().options.GodMode()));
    // "Max SPL" has no figure of its own: its label stays empty.
}

} // namespace polvane
