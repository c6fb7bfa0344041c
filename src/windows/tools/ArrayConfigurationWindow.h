#pragma once

#include <functional>

#include "windows/base/ToolWindow.h"

class QLabel;
class QPushButton;
class QRadioButton;

namespace polvane {

class LineArray;

// The array's brand, and the choice between a flown and a ground-stacked array and between
// slide and fixed rigging pins. "Design..." opens the array design dialog, where the brand
// and the cells are chosen. Every pin-style write puts the cells back on their default
// splays, so each of the four choices resets the splays.
class ArrayConfigurationWindow : public ToolWindow {
    Q_OBJECT

public:
    // design runs the array design dialog; empty where there is none.
    ArrayConfigurationWindow(ToolWindowContext& context, std::function<void()> design,
                             QWidget* parent = nullptr);

    void UpdateInterface() override;

    QLabel* lblLineArrayType() const { return lblLineArrayType_; }
    QPushButton* cmdSelect() const { return cmdSelect_; }
    QRadioButton* optFlown() const { return optFlown_; }
    QRadioButton* optGroundStacked() const { return optGroundStacked_; }
    QRadioButton* optSlide() const { return optSlide_; }
    QRadioButton* optFixed() const { return optFixed_; }

private:
    // A choice newly made by the user: the model writes, then the refresh and the dirty mark.
    void Choose(QRadioButton* button, const char* handler,
                const std::function<void(LineArray&)>& write);

    std::function<void()> design_;
    QLabel* lblLineArrayType_;
    QPushButton* cmdSelect_;
    QRadioButton* optFlown_;
    QRadioButton* optGroundStacked_;
    QRadioButton* optSlide_;
    QRadioButton* optFixed_;
};

} // namespace polvane
