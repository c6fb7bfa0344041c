#include "windows/tools/BumperConfigurationWindow.h"

#include <cmath>

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>

#include "engine/Environment.h"
#include "model/Format.h"
#include "shell/session/UpdateGuard.h"
#include "shell/session/UpdateHub.h"
#include "shell/session/VenueLifecycle.h"
#include "windows/base/EditBox.h"
#include "windows/base/SpinStepper.h"
#include "windows/controls/ToolControls.h"

namespace polvane {

namespace {

QSpinBox* Spin(const char* name, QWidget* parent)
{
    auto* spin = ToolControls::Named(new QSpinBox(parent), name);
    // Only its arrows are used: it steps the box beside it.
    spin->setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    ToolControls::ShowArrowsOnly(spin);
    return spin;
}

} // namespace

BumperConfigurationWindow::BumperConfigurationWindow(ToolWindowContext& context, QWidget* parent)
    : ToolWindow(ToolWindowId::BumperConfiguration, context, parent),
      txtBumperAngle_(ToolControls::Named(new QLineEdit(this), "txtBumperAngle")),
      spnBumperAngle_(Spin("spnBumperAngle", this)),
      lblBumperAngle_(ToolControls::Named(new QLabel(this), "lblBumperAngle")),
      txtBumperHoriz_(ToolControls::Named(new QLineEdit(this), "txtBumperHoriz")),
      spnBumperHoriz_(Spin("spnBumperHoriz", this)),
      txtBumperVert_(ToolControls::Named(new QLineEdit(this), "txtBumperVert")),
      spnBumperVert_(Spin("spnBumperVert", this)),
      opt1_(ToolControls::Named(new QRadioButton(QStringLiteral("1"), this), "opt1")),
      opt2_(ToolControls::Named(new QRadioButton(QStringLiteral("2"), this), "opt2"))
{
    auto* grid = new QGridLayout(this);
    grid->addWidget(ToolControls::Named(new QLabel(QStringLiteral("Angle"), this), "lblBAIdent"), 0, 0);
    grid->addWidget(txtBumperAngle_, 0, 1);
    grid->addWidget(lblBumperAngle_, 0, 1);
    grid->addWidget(spnBumperAngle_, 0, 2);
    grid->addWidget(ToolControls::Named(new QLabel(QStringLiteral("Horiz."), this), "lblBPIdent"), 1, 0);
    grid->addWidget(txtBumperHoriz_, 1, 1);
    grid->addWidget(spnBumperHoriz_, 1, 2);
    grid->addWidget(ToolControls::Named(new QLabel(QStringLiteral("Vert."), this), "lblBVIdent"), 2, 0);
    grid->addWidget(txtBumperVert_, 2, 1);
    grid->addWidget(spnBumperVert_, 2, 2);
    grid->addWidget(ToolControls::Named(new QLabel(QStringLiteral("Hang pts."), this), "lblHSIdent"), 3, 0);
    auto* pair = new QHBoxLayout;
    pair->addWidget(opt1_);
    pair->addWidget(opt2_);
    grid->addLayout(pair, 3, 1, 1, 2);
    lblBumperAngle_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    const auto bumper = [this]() -> Bumper& { return Context().lifecycle.Venue().LineArray().Bumper(); };
    // The angle has no bound: it is wrapped into -180..180 degrees when read back.
    const BoundValue angle{{},
                           [bumper](float degrees) { bumper().SetAngle(Angle::FromDegrees(degrees)); },
                           [bumper] { return Format::FormatDegrees(bumper().Angle().Degrees()); }};
    // One coordinate of the location, bound to the venue's range either side of the array.
    const auto coordinate = [this, bumper](float Point2D::*axis) {
        return BoundValue{[this](float value) { return Format::BoundDistance(value, VenueUnits()); },
                          [bumper, axis](float value) {
                              Point2D location = bumper().Location();
                              location.*axis = value;
                              bumper().SetLocation(location);
                          },
                          [this, bumper, axis] { return Format::FormatMeasurement(bumper().Location().*axis, VenueUnits()); }};
    };
    const BoundValue horiz = coordinate(&Point2D::x);
    const BoundValue vert = coordinate(&Point2D::y);
    using Rule = SpinStepper::Rule;
    angleBox_ = std::make_unique<EditBox>(*txtBumperAngle_, *this, "txtBumperAngle", UpdateScope::AllButArrayNotesAreas, angle);
    horizBox_ = std::make_unique<EditBox>(*txtBumperHoriz_, *this, "txtBumperHoriz", UpdateScope::AllButArrayNotesAreas, horiz);
    vertBox_ = std::make_unique<EditBox>(*txtBumperVert_, *this, "txtBumperVert", UpdateScope::AllButArrayNotesAreas, vert);
    angleSpin_ = std::make_unique<SpinStepper>(*spnBumperAngle_, *txtBumperAngle_, *this,
                                               "spnBumperAngle", UpdateScope::AllButArrayNotesAreas, Rule::B, angle, true);
    horizSpin_ = std::make_unique<SpinStepper>(*spnBumperHoriz_, *txtBumperHoriz_, *this,
                                               "spnBumperHoriz", UpdateScope::AllButArrayNotesAreas, Rule::B, horiz, true);
    vertSpin_ = std::make_unique<SpinStepper>(*spnBumperVert_, *txtBumperVert_, *this,
                                              "spnBumperVert", UpdateScope::AllButArrayNotesAreas, Rule::B, vert, true);

    ChooseRigging("opt1_Click", RiggingCode::SinglePoint);
    ChooseRigging("opt2_Click", RiggingCode::DualPoint);
}

BumperConfigurationWindow::~BumperConfigurationWindow() = default;

int BumperConfigurationWindow::MiddleHole(int holeCount)
{
    return Format::WholeHalfEven(holeCount / 2.0);
}

void BumperConfigurationWindow::ChooseRigging(const char* handler, RiggingCode rigging)
{
    QRadioButton* option = rigging == RiggingCode::SinglePoint ? opt1_ : opt2_;
    // Only a newly made choice acts, so that clicking the choice already made keeps the
    // hang points the user picked elsewhere.
    connect(option, &QRadioButton::toggled, this, [this, handler, rigging](bool checked) {
        Guard(handler, [this, checked, rigging] {
            if (!checked || UpdateGuard::IsUpdating())
                return;
            Bumper& bumper = Context().lifecycle.Venue().LineArray().Bumper();
            bumper.SetRigging(rigging);
            if (rigging == RiggingCode::SinglePoint) {
                bumper.SetFrontHangPoint(MiddleHole(bumper.HoleCount()));
            } else {
                bumper.SetFrontHangPoint(1);
                bumper.SetBackHangPoint(bumper.HoleCount());
            }
            VenueEdited(UpdateScope::AllButArrayNotesAreas);
        });
    });
}

void BumperConfigurationWindow::UpdateInterface()
{
    const LineArray& array = Context().lifecycle.Venue().LineArray();
    const Bumper& bumper = array.Bumper();
    // The refill is the boxes' own shown value, which also clears their dirty tags (the
    // hidden angle box's too, so that no stale edit is committed later).
    horizBox_->Refill();
    vertBox_->Refill();
    angleBox_->Refill();
    const bool singlePoint = bumper.Rigging() == RiggingCode::SinglePoint;
    if (singlePoint)
        lblBumperAngle_->setText(txtBumperAngle_->text());
    lblBumperAngle_->setVisible(singlePoint);
    txtBumperAngle_->setVisible(!singlePoint);
    spnBumperAngle_->setVisible(!singlePoint);

    // A stacked array keeps its rigging for when it is flown again: the choice is shown,
    // disabled, also in a window opened on the stacked array.
    const bool flown = array.Configuration() != ConfigurationCode::GroundStacked;
    opt1_->setEnabled(flown);
    opt2_->setEnabled(flown);
    (singlePoint ? opt1_ : opt2_)->setChecked(true);
}

} // namespace polvane
