#include "windows/CalculationsWindow.h"

#include <QGridLayout>
#include <QLabel>

#include "engine/CalculationResults.h"
#include "engine/Environment.h"
#include "engine/GlobalResults.h"
#include "model/Format.h"
#include "shell/Options.h"
#include "shell/VenueLifecycle.h"

namespace polvane {

namespace {

constexpr int kFlown = 0;

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

void AddPair(QGridLayout& grid, QWidget* parent, int row, int column, const char* caption,
             const char* value)
{
    grid.addWidget(new QLabel(QString::fromUtf8(caption), parent), row, column);
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromUtf8(value));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
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
        AddPair(*grid, this, row, 0, line.leftCaption, line.leftValue);
        AddPair(*grid, this, row, 2, line.rightCaption, line.rightValue);
        ++row;
    }
}

QLabel* CalculationsWindow::Value(const char* name) const
{
    return findChild<QLabel*>(QString::fromUtf8(name), Qt::FindDirectChildrenOnly);
}

float CalculationsWindow::TrimHeight(const CalculationResults& results, int configuration)
{
    return configuration == kFlown ? results.ArrayMinY : results.ArrayMaxY;
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
    const CalculationResults& results = GlobalResults::Current();
    const int configuration = Context().lifecycle.Venue().LineArray().Configuration();
    const auto set = [this](const char* name, const std::string& text) {
        Value(name)->setText(QString::fromStdString(text));
    };
    const double upper = results.UpperCoverageAngle.Degrees();
    const double lower = results.LowerCoverageAngle.Degrees();
    set("lblTotalWeight", Format::FormatWeight(results.TotalWeight));
    set("lblFarThrow", Format::FormatMeasurement(results.FarThrow));
    set("lblNearThrow", Format::FormatMeasurement(results.NearThrow));
    set("lblUpperAngle", Format::FormatDegrees(upper));
    set("lblLowerAngle", Format::FormatDegrees(lower));
    set("lblTotalCoverage", Format::FormatDegrees(upper - lower));
    set("lblArrayHeight", Format::FormatMeasurement(results.ArrayMaxY - results.ArrayMinY));
    set("lblTrimHeight", Format::FormatMeasurement(TrimHeight(results, configuration)));
    set("lblMaxSPLDrop", MaxLevelDropText(results, Context().options.GodMode()));
    // "Max SPL" has no figure of its own: its label stays empty.
}

} // namespace polvane
