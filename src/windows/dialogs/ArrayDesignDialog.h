#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>

#include "model/BrandCode.h"
#include "windows/dialogs/ModalDialog.h"

class QAction;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class QSpacerItem;
class QSpinBox;

namespace polvane {

class ErrorReporter;
class LinkLabel;
class ScreenInfo;
class SpinStepper;
class UpdateHub;

// The choices for rebuilding the column of cells: the product line and the number of cells
// (4 to 24, clamped when the count is committed). The design template, the splay angle and
// the curve counts only decide whether OK is offered and what the dialog shows; they never
// reach the rebuild. Loaded once and hidden after use, it keeps every choice for its next
// showing. F1 opens its help topic.
class ArrayDesignDialog : public ModalDialog {
    Q_OBJECT

public:
    static constexpr int kMinCells = 4;
    static constexpr int kMaxCells = 24;
    static constexpr int kSplayItemCount = 20;
    static constexpr const char* kHelpTopic = "reference_array_design";

    ArrayDesignDialog(UpdateHub& hub, ErrorReporter& reporter, const ScreenInfo& screen,
                      QWidget* parent = nullptr);
    ~ArrayDesignDialog() override;

    // Selects the option of a brand (any code but the four others is R.SARN's option);
    // an option newly selected refills the splay choices.
    void SelectBrand(BrandCode brand);
    // The brand of the selected option, tested in the designed order.
    BrandCode SelectedBrand() const;
    // Refills the splay menu with the brand's positive splays; the first shows in the label.
    void FillSplays(BrandCode brand);
    void CheckReadiness();
    // Shows a count (kept within 4..24) in the count box: the count the box holds.
    void ShowCellCount(int count);
    // A text is whole when the whole part of its number, written out, is the text itself.
    static bool IsWhole(const std::string& text);

    QRadioButton* BrandOption(BrandCode brand) const;
    QLineEdit* txtTotalCells() const { return txtTotalCells_; }
    QSpinBox* spnTotalCells() const { return spnTotalCells_; }
    QLineEdit* txtAboveCurve() const { return txtAboveCurve_; }
    QLineEdit* txtBelowCurve() const { return txtBelowCurve_; }
    QSpinBox* spnAboveCurve() const { return spnAboveCurve_; }
    QLabel* lblTotalBoxes() const { return lblTotalBoxes_; }
    LinkLabel* lblAngle() const { return lblAngle_; }
    QMenu* mnuSplay() const { return mnuSplay_; }
    // Items 1..20; std::out_of_range for any other.
    QAction* SplayItem(int item) const;
    QRadioButton* optStraight() const { return optStraight_; }
    QRadioButton* optCurved() const { return optCurved_; }
    QRadioButton* optJ() const { return optJ_; }
    QRadioButton* optSpiral() const { return optSpiral_; }
    QFrame* JFrame() const { return picHolder0_; }
    QPushButton* cmdOK() const { return cmdOK_; }
    QPushButton* cmdCancel() const { return cmdCancel_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool Guard(const std::string& handler, const std::function<void()>& action);
    // Keeps the count box within 4..24 when its number is committed.
    void ClampTotalCells();
    void AboveCurveChanged();
    void BelowCurveChanged();
    void ShowTotalBoxes();
    void TemplateChosen();

    UpdateHub& hub_;
    ErrorReporter& reporter_;
    const ScreenInfo& screen_;
    std::array<QRadioButton*, 5> brands_{};
    QLineEdit* txtTotalCells_ = nullptr;
    QSpinBox* spnTotalCells_ = nullptr;
    QRadioButton* optStraight_ = nullptr;
    QRadioButton* optCurved_ = nullptr;
    QRadioButton* optJ_ = nullptr;
    QRadioButton* optSpiral_ = nullptr;
    QFrame* picHolder0_ = nullptr;
    QFrame* picHolder1_ = nullptr;
    LinkLabel* lblAngle_ = nullptr;
    // Above the splay label: none under the J counts, a row for a curve.
    QSpacerItem* angleGap_ = nullptr;
    QLineEdit* txtAboveCurve_ = nullptr;
    QSpinBox* spnAboveCurve_ = nullptr;
    QLineEdit* txtBelowCurve_ = nullptr;
    QSpinBox* spnBelowCurve_ = nullptr;
    QLabel* lblTotalBoxes_ = nullptr;
    QPushButton* cmdOK_ = nullptr;
    QPushButton* cmdCancel_ = nullptr;
    QMenu* mnuSplay_ = nullptr;
    std::array<QAction*, kSplayItemCount> splayItems_{};
    std::array<std::unique_ptr<SpinStepper>, 3> steppers_;
    // The count shown last by the box: what it shows again when its text holds no number.
    int heldCells_ = kMinCells;
};

} // namespace polvane
