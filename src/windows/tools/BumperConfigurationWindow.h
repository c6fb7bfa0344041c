#pragma once

#include <memory>

#include "model/RiggingCode.h"
#include "windows/base/ToolWindow.h"

class QLabel;
class QLineEdit;
class QRadioButton;
class QSpinBox;

namespace polvane {

class EditBox;
class SpinStepper;

// Places the bumper: its angle in degrees, its horizontal and vertical position in the
// venue's length unit, and whether it hangs from one pick point or two. Hung from one
// point the bumper finds its own angle, which is then only shown; a ground-stacked array
// keeps the rigging choice as it is.
class BumperConfigurationWindow : public ToolWindow {
    Q_OBJECT

public:
    explicit BumperConfigurationWindow(ToolWindowContext& context, QWidget* parent = nullptr);
    ~BumperConfigurationWindow() override;

    void UpdateInterface() override;

    QLineEdit* txtBumperAngle() const { return txtBumperAngle_; }
    QSpinBox* spnBumperAngle() const { return spnBumperAngle_; }
    QLabel* lblBumperAngle() const { return lblBumperAngle_; }
    QLineEdit* txtBumperHoriz() const { return txtBumperHoriz_; }
    QSpinBox* spnBumperHoriz() const { return spnBumperHoriz_; }
    QLineEdit* txtBumperVert() const { return txtBumperVert_; }
    QSpinBox* spnBumperVert() const { return spnBumperVert_; }
    QRadioButton* opt1() const { return opt1_; }
    QRadioButton* opt2() const { return opt2_; }
    const EditBox& AngleBox() const { return *angleBox_; }
    const EditBox& HorizBox() const { return *horizBox_; }
    const EditBox& VertBox() const { return *vertBox_; }

    // The front hang point of a bumper hung from one point: the middle hole, a half going
    // to the even hole.
    static int MiddleHole(int holeCount);

private:
    void ChooseRigging(const char* handler, RiggingCode rigging);

    QLineEdit* txtBumperAngle_;
    QSpinBox* spnBumperAngle_;
    QLabel* lblBumperAngle_;
    QLineEdit* txtBumperHoriz_;
    QSpinBox* spnBumperHoriz_;
    QLineEdit* txtBumperVert_;
    QSpinBox* spnBumperVert_;
    QRadioButton* opt1_;
    QRadioButton* opt2_;
    std::unique_ptr<EditBox> angleBox_;
    std::unique_ptr<EditBox> horizBox_;
    std::unique_ptr<EditBox> vertBox_;
    std::unique_ptr<SpinStepper> angleSpin_;
    std::unique_ptr<SpinStepper> horizSpin_;
    std::unique_ptr<SpinStepper> vertSpin_;
};

} // namespace polvane
