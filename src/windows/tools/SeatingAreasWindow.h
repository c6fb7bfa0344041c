#pragma once

#include <functional>
#include <memory>
#include <string>

#include "windows/base/BoundValue.h"
#include "windows/base/EditBox.h"
#include "windows/base/SpinStepper.h"
#include "windows/base/ToolWindow.h"

class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;

namespace polvane {

class Plane;

// The venue's seating areas in a list, with editors for the selected one: its name, its
// front point, its length and its height. Areas are added chained to the last one, deleted
// after a question, and moved up or down the list. Every edit refreshes the windows that
// show the areas and marks the venue changed.
class SeatingAreasWindow : public ToolWindow {
    Q_OBJECT

public:
    // The windows an edit of an area refreshes.

    explicit SeatingAreasWindow(ToolWindowContext& context, QWidget* parent = nullptr);
    ~SeatingAreasWindow() override;

    void UpdateInterface() override;

    // 1-based; 0 when no area is selected.
    int SelectedArea() const { return selected_; }
    bool IsNameDirty() const { return nameDirty_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The selected area, or null when none is selected or it is gone.
    Plane* Area() const;
    // The number in a size box as a move of the area re-applies it.
    static float SizeInBox(const QLineEdit& box, float stored);
    void DisableAll();
    void EnableAll();
    void PlaceData();
    // Shows the list's selection in the editors.
    void ListClicked();
    // Selects the selected area's entry in the list and shows it.
    void SelectInList();

    void Add();
    void Delete();
    // Swaps the selected area with its neighbour (-1 above, +1 below).
    void MoveArea(int direction);

    void NameChanged();
    // False when no area is selected.
    bool StoreName();

    // A number box's bound model value: clamp, store into the selected area, show.
    BoundValue AreaValue(float (*bound)(float, UnitsCode), std::function<void(Plane&, float)> store,
                         std::function<float(const Plane&)> shown) const;

    QListWidget* lstSeatingAreas_;
    QLineEdit* txtName_;
    QLineEdit* txtHorizontalPosition_;
    QLineEdit* txtVerticalPosition_;
    QLineEdit* txtLength_;
    QLineEdit* txtHeight_;
    QSpinBox* spnHorizontalPosition_;
    QSpinBox* spnVerticalPosition_;
    QSpinBox* spnLength_;
    QSpinBox* spnHeight_;
    QPushButton* cmdAdd_;
    QPushButton* cmdDelete_;
    QPushButton* cmdUp_;
    QPushButton* cmdDown_;

    std::unique_ptr<EditBox> horizontal_;
    std::unique_ptr<EditBox> vertical_;
    std::unique_ptr<EditBox> length_;
    std::unique_ptr<EditBox> height_;
    std::unique_ptr<SpinStepper> horizontalStep_;
    std::unique_ptr<SpinStepper> verticalStep_;
    std::unique_ptr<SpinStepper> lengthStep_;
    std::unique_ptr<SpinStepper> heightStep_;

    int selected_ = 0;
    int listed_ = 0;
    bool nameDirty_ = false;
};

} // namespace polvane
