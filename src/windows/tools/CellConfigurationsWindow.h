#pragma once

#include <array>
#include <initializer_list>
#include <memory>
#include <utility>
#include <vector>

#include <QColor>

#include "shell/mainwindow/CellPopupTarget.h"
#include "shell/mainwindow/MainWindow.h"
#include "windows/base/ToolWindow.h"
#include "windows/tools/CellGridGeometry.h"

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace polvane {

class Cell;
class Cells;
class EditBox;
class LinkLabel;

// The column of cells as a grid, one row per cell from the top: type, aim angle, throw,
// pinning, splay and attenuation, with buttons that step the splay and the attenuation,
// the cell count and Auto-Configure. The type, splay and attenuation labels open the main
// window's list popups for their row; the main window tells the chosen item back here.
// Every change refreshes scope 2 with recalculation and marks the venue changed.
class CellConfigurationsWindow : public ToolWindow, public CellPopupTarget {
    Q_OBJECT

public:
    static constexpr int kRowCount = CellGridGeometry::kRowCount;
    static constexpr int kMinCells = 4;
    static constexpr int kMaxCells = 24;
    static constexpr const char* kInfinite = "(infinite)";
    // Shown when the type list is asked for a cell whose type has no swap group.
    static constexpr const char* kNoCellTypesText = "Error in GetPossibleCellTypes()";

    enum class Column { Type, Splay, Attenuation };

    // One row of the grid: 1-based, like the column of cells.
    struct Row {
        QLabel* number = nullptr;
        LinkLabel* type = nullptr;
        QLabel* angle = nullptr;
        QLabel* throwDistance = nullptr;
        QLabel* pinning = nullptr;
        LinkLabel* splay = nullptr;
        QPushButton* splayUp = nullptr;
        QPushButton* splayDown = nullptr;
        LinkLabel* attenuation = nullptr;
        QPushButton* attenUp = nullptr;
        QPushButton* attenDown = nullptr;
        QFrame* background = nullptr;
        QFrame* background2 = nullptr;
    };

    explicit CellConfigurationsWindow(ToolWindowContext& context, QWidget* parent = nullptr);
    ~CellConfigurationsWindow() override;

    void UpdateInterface() override;
    void DoHighlightCell() override;
    void DoClearHighlightedCell() override;

    // CellPopupTarget: item k (1..20) of the popup last filled by this window.
    void SetCellType(int item) override;
    void SetSplay(int item) override;
    void SetAttenuationVal(int item) override;

    // Fills the column's popup with row r's choices and pops it up beside the label.
    void PopupList(Column column, int row);
    // Where PopupList opens the menu, in screen pixels, and whether the menu extends to the
    // left of that point.
    struct Placement {
        QPoint at;
        bool rightAligned = false;
    };
    Placement PlacementOf(const QLabel& label) const;

    void CountUp();
    void CountDown();

    const Row& RowAt(int row) const;
    QLineEdit* txtCellCount() const { return txtCellCount_; }
    QPushButton* cmdAutodesign() const { return cmdAutodesign_; }
    QPushButton* cmdExtras() const { return cmdExtras_; }
    int RememberedRow() const { return rememberedRow_; }
    QColor HighlightColor() const { return highlight_; }

private:
    void CreateGraphicsObjects();
    void BuildRows();
    void BuildRow(int index);
    Cells& CellColumn() const;
    // The remembered row's cell, or null when the column no longer reaches it.
    Cell* RememberedCell() const;
    MainWindow::Popup PopupOf(Column column) const;
    LinkLabel* LabelOf(Column column, int row) const;
    // Adds cells at the bottom (type of the then last cell) or removes the last ones until
    // the column holds count cells.
    void ResizeColumn(int count);
    // A row's cell steps its splay or attenuation, then the refresh.
    void StepCell(int row, void (Cell::*step)());
    void Changed();
    void AfterChoice(Column column, const std::function<void(Cell&, QAction&)>& apply, int item);
    const Row* HighlightedRow() const;
    // Grey for a throw that meets no seating area, else the rows' text colour.
    void ColourThrow(QLabel& label);
    void SetTextColor(QWidget& widget, const QColor& color);
    // The rows' text colours, greyed one included, on a label of the grid.
    void SetRowInk(QWidget& widget);

    CellGridGeometry grid_;
    QColor highlight_;
    std::array<Row, kRowCount + 1> rows_{}; // rows 1..24
    QLineEdit* txtCellCount_ = nullptr;
    QPushButton* cmdCellCountUp_ = nullptr;
    QPushButton* cmdCellCountDown_ = nullptr;
    QPushButton* cmdAutodesign_ = nullptr;
    QPushButton* cmdExtras_ = nullptr;
    std::unique_ptr<EditBox> countBox_;
    int rememberedRow_ = 0;
};

} // namespace polvane
