#pragma once

#include <vector>

#include <QPointF>
#include <QRectF>

#include "windows/base/DrawingWindow.h"

namespace polvane {

class OverlayMarker;

// The line array from the side, drawn from the last calculation results: the bumper, every
// cell, and as the options say the sound paths, cell numbers, splay angles or pin holes and
// the centres of gravity. Pointing at a cell's source makes it the application's highlighted
// cell; the highlighted cell's sound path is marked by a line over the picture.
class ArrayPictureWindow : public DrawingWindow {
    Q_OBJECT

public:
    // A sound path is drawn this far (feet or metres) from the cell's centre along its aim.
    static constexpr float kPathLength = 10.0f;
    static constexpr float kNumberRadius = 7.0f;

    explicit ArrayPictureWindow(ToolWindowContext& context, QWidget* parent = nullptr);

    // RefreshableWindow
    void DoHighlightCell() override;
    void DoClearHighlightedCell() override;

    PlotPictureBox* picArray() const { return Picture(); }
    OverlayMarker* linSoundPath() const { return linSoundPath_; }

    // The cell whose sound path starts within reach of the pixel (x, y), the lower number on
    // a tie; 0 for none.
    int GetHotCell(float x, float y) const;
    // Pixel positions of the last drawing, cells 1..PathCount().
    int PathCount() const { return static_cast<int>(pathStart_.size()); }
    QPointF PathStart(int cell) const { return pathStart_.at(static_cast<std::size_t>(cell - 1)); }
    QPointF PathEnd(int cell) const { return pathEnd_.at(static_cast<std::size_t>(cell - 1)); }
    bool Drawn() const { return drawn_; }
    // The splay or pin labels of the last drawing: the cell and the pixel box of its text.
    struct CellLabel {
        int cell;
        QRectF rect;
    };
    const std::vector<CellLabel>& CellLabels() const { return cellLabels_; }

protected:
    std::string DrawnFrom() const override;
    void DrawContent() override;
    void GraphicsObjectsCreated() override;
    bool PictureMouseMove(const QMouseEvent& event) override;

private:
    void DrawArray();

    OverlayMarker* linSoundPath_;
    std::vector<QPointF> pathStart_;
    std::vector<QPointF> pathEnd_;
    std::vector<CellLabel> cellLabels_;
    bool drawn_ = false;
};

} // namespace polvane
