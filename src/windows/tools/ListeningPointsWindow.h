#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QPointF>

#include "windows/base/DrawingWindow.h"
#include "windows/tools/ListeningPointsGraph.h"
#include "windows/tools/ListeningPointsLayout.h"

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;

namespace polvane {

class EditBox;
class Environment;
class ListeningPoint;
class NewListeningPointDialog;
class SpinStepper;
class ToolWindowHost;
struct BoundValue;

// The venue's listening points: a checked list, editors for the selected point's name,
// seating area and position, and a graph of the predicted level over frequency of every
// checked point, whose name shows when the pointer comes near its curve. New points are
// named and put on an area in a small modal dialog. The window's own edits refresh the
// listening points and the venue; a committed name also reaches the windows that show it
// elsewhere.
class ListeningPointsWindow : public DrawingWindow {
    Q_OBJECT

public:
    static constexpr int kMaxPoints = 20;
    static constexpr const char* kLimitText =
        "20 is the maxiumum number of listening points you can place.";
    static constexpr const char* kReferenceText =
        "The reference point cannot be deleted, only moved or renamed.";
    // The smallest window, in twips.
    static constexpr int kMinWidth = 6000;
    static constexpr int kMinHeight = 2000;
    // How near (pixels) the pointer must come to a curve point to name it.
    static constexpr double kPointerReach = 15.0;

    // Shows the dialog modally and returns when it is hidden again; tests answer it.
    using DialogRunner = std::function<void(NewListeningPointDialog&)>;

    explicit ListeningPointsWindow(ToolWindowContext& context, QWidget* parent = nullptr);
    ~ListeningPointsWindow() override;

    void UpdateInterface() override;

    // The list hides while the program starts; a window not loaded yet is loaded, unseen.
    void SetListVisible(bool visible);
    static void SetListVisible(ToolWindowHost& host, bool visible);

    // Where a new point goes on an area of the given length when the list's last entry
    // stands at k (0-based): k × 0.085 of the length, wrapped back onto the area.
    static float NewPointPosition(int k, float length);

    // 1-based; 0 for none.
    int SelectedPoint() const { return selected_; }
    // The list entry (1-based) whose curve point lies under the pointer, 0 for none.
    int EntryAt(QPointF pixel) const;
    void SetDialogRunner(DialogRunner runner) { runDialog_ = std::move(runner); }
    NewListeningPointDialog& Dialog() const { return *dialog_; }
    bool NameIsDirty() const { return nameDirty_; }

    QListWidget* lstListeningPoints() const { return lstListeningPoints_; }
    QPushButton* cmdAdd() const { return cmdAdd_; }
    QPushButton* cmdDelete() const { return cmdDelete_; }
    QLineEdit* txtName() const { return txtName_; }
    QComboBox* cboSeatingAreas() const { return cboSeatingAreas_; }
    QLineEdit* txtHorizontalPosition() const { return txtHorizontalPosition_; }
    QSpinBox* spnHorizontalPosition() const { return spnHorizontalPosition_; }
    PlotPictureBox* picResponse() const { return Picture(); }
    QLabel* lblTooltip() const { return lblTooltip_; }
    QFrame* shpHotspot() const { return shpHotspot_; }

protected:
    std::string DrawnFrom() const override;
    void DrawContent() override;
    bool PictureMouseMove(const QMouseEvent& event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Raises the busy flag for its lifetime and puts back what it was.
    class Busy;
    ListeningPointsGraph::Hit Nearest(QPointF pixel) const;
    // Per list entry: whether it is ticked.
    std::vector<bool> Ticked() const;

    Environment& Venue() const;
    // The selected point, or null when none is selected or it no longer exists.
    ListeningPoint* Selected() const;
    BoundValue PositionValue();
    float BoundPosition(float x) const;

    void PlaceData();
    void DisableEditors();
    void LayOut();

    void ListClicked(int row);
    void EntryChecked();
    void AddClicked();
    void DeleteClicked();
    void AreaChosen(int index);
    void NameChanged();
    bool NameKey(int key);
    void NameLostFocus();
    void PointerMoved(QPointF pixel);

    QLabel* lblLPIdent_;
    QListWidget* lstListeningPoints_;
    QPushButton* cmdAdd_;
    QPushButton* cmdDelete_;
    QLabel* lblNIdent_;
    QLineEdit* txtName_;
    QLabel* lblSAIdent_;
    QComboBox* cboSeatingAreas_;
    QLabel* lblHPIdent_;
    QLineEdit* txtHorizontalPosition_;
    QSpinBox* spnHorizontalPosition_;
    QLabel* lblFRIdent_;
    QFrame* shpPicBorder_;
    QLabel* lblTooltip_;
    QFrame* shpHotspot_;
    NewListeningPointDialog* dialog_;
    ListeningPointsLayout layout_;
    std::unique_ptr<EditBox> positionBox_;
    std::unique_ptr<SpinStepper> positionSpin_;
    DialogRunner runDialog_;

    int selected_ = 0;
    bool busy_ = false;
    bool nameDirty_ = false;
    int rememberedArea_ = 0;
    int hotspotHalfWidth_ = 0;
    int hotspotHalfHeight_ = 0;
    ListeningPointsGraph graph_;
};

} // namespace polvane
