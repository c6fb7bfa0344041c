#pragma once

#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include <QLineF>
#include <QPointF>
#include <QPolygonF>
#include <QRectF>
#include <QSizeF>

#include "shell/mainwindow/RiggingPopupTarget.h"
#include "windows/base/DrawingWindow.h"

namespace polvane {

// The bumper from the side with all its rigging holes; for a flown array also the cables from
// the hang points, their horizontal and vertical distances as dimension lines, the array's
// centre of gravity and the load on each hang point. Clicking a hole makes it a hang point;
// a right click between the two hang points asks which one through the main window's rigging
// menu.
class RiggingDetailsWindow : public DrawingWindow, public RiggingPopupTarget {
    Q_OBJECT

public:
    static constexpr int kFrontPoint = 0;
    static constexpr int kBackPoint = 1;

    explicit RiggingDetailsWindow(ToolWindowContext& context, QWidget* parent = nullptr);
    ~RiggingDetailsWindow() override;

    // The rigging menu's choice for the hole last clicked: kBackPoint makes it the back hang
    // point, kFrontPoint the front one.
    void ChoosePointType(int point) override;

    PlotPictureBox* picRigging() const { return Picture(); }

    // The hole within reach of the pixel (x, y), the lower number on a tie; 0 for none.
    int GetHotHole(float x, float y) const;
    // Pixel centres of the holes at the last drawing, 1..HoleCount().
    int HoleCount() const { return static_cast<int>(holePoints_.size()); }
    QPointF HolePoint(int hole) const { return holePoints_.at(static_cast<std::size_t>(hole - 1)); }
    // The hole last clicked; 0 when the click found none.
    int ClickedHole() const { return clickedHole_; }

    // What the last drawing put around the bumper, in pixels: the box of every label it
    // wrote, the lines labels keep clear of (cables, dimension and extension lines, arrow
    // heads) and the bumper's outline.
    struct DrawnLabel {
        std::string text;
        QRectF rect;
    };
    const std::vector<DrawnLabel>& Labels() const { return labels_; }
    const std::vector<QLineF>& Lines() const { return lines_; }
    const QPolygonF& BumperOutline() const { return outline_; }

protected:
    std::string MarginText() const override;
    int LoadRows() const override;
    int NoticeRows() const override { return static_cast<int>(NoticeLines().size()); }
    std::string DrawnFrom() const override;
    void DrawContent() override;
    bool PictureMouseUp(const QMouseEvent& event) override;

private:
    void DrawBumper();
    void DrawCableDistances(float fx, float fy, float bx, float by);
    void DrawHangPointWeights(float fx, float bx);
    // What the status bar says of an array out of balance, on as few lines as the picture's
    // width allows; nothing for a balanced array.
    std::vector<std::string> NoticeLines() const;
    // A line that labels keep clear of.
    void Stroke(float x1, float y1, float x2, float y2, const QPen& pen);
    // Writes the text with its box's top left corner at the first of the corners where the
    // box lies inside the picture, clear of the scale's labels and of the labels and lines
    // drawn so far. A dimension's text with no such place is left out: nothing is better
    // than a label over its own arrows. Returns the box used.
    std::optional<QRectF> PlaceLabel(const std::string& text, std::initializer_list<QPointF> corners);
    // The clear place of a text of that size on the row whose top is at `top`, between the
    // pixel columns low and high, nearest to the left edge `preferred`; none when the row
    // has no room.
    std::optional<QRectF> ClearPlaceOnRow(QSizeF size, float preferred, float top, float low, float high) const;
    // Writes the text in the rectangle, over a blank of the background when asked.
    void DrawLabel(const std::string& text, const QRectF& rect, bool blank);
    bool IsClear(const QRectF& rect) const;
    // Picks the hang point for the hole k clicked; false when the popup menu was opened and
    // the choice comes later.
    bool ApplyClick(int k, Qt::MouseButton button, QPointF at);
    void Changed();

    std::vector<QPointF> holePoints_;
    std::vector<DrawnLabel> labels_;
    std::vector<QLineF> lines_;
    QPolygonF outline_;
    int clickedHole_ = 0;
};

} // namespace polvane
