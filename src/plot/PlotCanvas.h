#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <QBrush>
#include <QFont>
#include <QImage>
#include <QPen>
#include <QPointF>
#include <QRgb>
#include <QRectF>
#include <QSize>

#include "model/Point2D.h"
#include "plot/PlotPainter.h"
#include "plot/PlotScale.h"
#include "plot/PlotStyle.h"
#include "plot/PlotSurface.h"
#include "plot/PlotTransform.h"

class QPainter;
class QPainterPath;

namespace polvane {

class Options;
class PlotPictureBox;
struct CalculationResults;

// The drawing surface of one drawing window, as the windows see it: the off-screen surface
// and its kept pictures (PlotSurface), the transform (PlotTransform), the drawing objects
// (PlotStyle), the scale (PlotScale) and the drawing primitives (PlotPainter). Pens, brushes
// and the label font are made only when the colours or options change.
//
// The geometry windows (array picture, venue, rigging details) map model units with y up at
// equal scale on both axes; the two graphs map the frequency table on a logarithmic axis
// against a linear value axis.
class PlotCanvas {
public:
    using Kind = PlotStyle::Kind;
    using PenRole = PlotStyle::PenRole;
    using BrushRole = PlotStyle::BrushRole;
    using Box = PlotTransform::Box;

    using TextFormat = PlotPainter::TextFormat;
    using ScaleLabel = PlotScale::Label;

    // How far the array picture's markers reach past the point they mark, pixels: a cell
    // number's circle with its pen, the centre-of-gravity cross with its round caps. The
    // array picture keeps that much room round the array's box.
    static constexpr int kArrayMarkerReach = 8;

    PlotCanvas(Kind kind, const Options& options);
    PlotCanvas(const PlotCanvas&) = delete;
    PlotCanvas& operator=(const PlotCanvas&) = delete;
    ~PlotCanvas();

    Kind GetKind() const { return style_.GetKind(); }
    bool IsGraph() const;

    // --- Lifecycle -------------------------------------------------------------------
    void CreateGraphicsObjects();
    void DestroyGraphicsObjects();
    void RefreshGraphicsObjects();
    bool HasGraphicsObjects() const { return style_.IsCreated(); }

    // The picture box's scale size in pixels; the next surface is made to it.
    void SetPictureSize(double width, double height);
    // The rows of load labels the rigging window keeps above its plot with "Show weights":
    // one, or two where the loads stand one above the other.
    void SetLoadRows(int rows) { loadRows_ = rows; }
    // The rows of a notice the rigging window writes above its plot whatever the options
    // say; the loads' rows serve it when they are taller.
    void SetNoticeRows(int rows) { noticeRows_ = rows; }
    // Releases and/or makes the surface: the picture size rounded (halves to even),
    // smoothing as "Antialias" says, cleared to "Background". A size below one pixel
    // gives no surface, and drawing on it does nothing.
    void RefreshGraphicsHandle(bool release, bool create);
    bool HasSurface() const { return surface_.HasPainter(); }
    const QImage& Surface() const { return surface_.Image(); }

    // The redraw before the window's content: new surface, transform, scale. False when
    // a geometry window's plot is under one pixel, and the window should draw nothing.
    // The graphs always draw. The venue's and the array picture's content is then clipped
    // to the plot. `cableDistanceText` is the rigging window's label of the
    // vertical distance between the cables, which sizes its margins.
    bool BeginRedraw(const CalculationResults& results, std::string_view cableDistanceText = {});
    // The block copy of the whole surface onto the picture box.
    void CopyTo(PlotPictureBox& box) const { surface_.CopyTo(box); }
    // Fits the transform as BeginRedraw would; true when the surface holds a picture drawn
    // with that transform, size, smoothing, switches and drawing objects, so that a window
    // whose own content is also unchanged need not draw it again.
    bool FitsLastPicture(const CalculationResults& results, std::string_view cableDistanceText = {});

    // --- Transforms --------------------------------------------------------------------
    // Geometry windows: the equal-scale fit of the box. The box comes from the window's
    // part of the calculation results in the overload that takes them. False when the plot
    // is under one pixel either way.
    bool SetBounds(const Box& box, std::string_view cableDistanceText = {});
    bool SetBounds(const CalculationResults& results, std::string_view cableDistanceText = {});
    // Graphs: the frequency table across, the window's value range up.
    void SetGraphBounds();

    float ConvertX(float x) const { return transform_.ConvertX(x); }
    float ConvertY(float y) const { return transform_.ConvertY(y); }
    float RevertX(float px) const { return transform_.RevertX(px); }
    float RevertY(float py) const { return transform_.RevertY(py); }
    float ConvertWidth(float w) const { return transform_.ConvertWidth(w); }
    float ConvertHeight(float h) const { return transform_.ConvertHeight(h); }

    float XMin() const { return transform_.XMin(); }
    float XMax() const { return transform_.XMax(); }
    float YMin() const { return transform_.YMin(); }
    float YMax() const { return transform_.YMax(); }
    float XRange() const { return transform_.XRange(); }
    float YRange() const { return transform_.YRange(); }
    int Left() const { return transform_.Left(); }
    int Top() const { return transform_.Top(); }
    int Right() const { return transform_.Right(); }
    int Bottom() const { return transform_.Bottom(); }
    int PlotWidth() const { return transform_.PlotWidth(); }
    int PlotHeight() const { return transform_.PlotHeight(); }
    int RightEdge() const { return Left() + PlotWidth(); }
    int BottomEdge() const { return Top() + PlotHeight(); }
    bool PlotHasRoom() const { return transform_.PlotHasRoom(); }
    // Graph value axis.
    float ValueTop() const { return transform_.ValueTop(); }
    float ValueBottom() const { return transform_.ValueBottom(); }

    // The steps the scale uses along each axis; 0 when that axis's sample label does not
    // fit and it gets no ticks, labels or grid.
    float XStep() const { return scale_.XStep(); }
    float YStep() const { return scale_.YStep(); }
    // The graph's frequency label step (every n-th band is labelled); 0 for none.
    int FrequencyLabelStep() const { return scale_.FrequencyLabelStep(); }
    // The labels of the last DrawScale, in drawing order.
    const std::vector<ScaleLabel>& ScaleLabels() const { return scale_.Labels(); }

    // --- Drawing objects ---------------------------------------------------------------
    const QPen& Pen(PenRole role) const { return style_.Pen(role); }
    const QBrush& Brush(BrushRole role) const { return style_.Brush(role); }
    // 1-based over the curve colours (venue and listening-points graph).
    const QPen& CurvePen(int index) const { return style_.CurvePen(index); }
    const QFont& Font() const { return style_.Font(); }
    bool HasPen(PenRole role) const { return style_.HasPen(role); }
    bool HasBrush(BrushRole role) const { return style_.HasBrush(role); }
    // What code 0..2 means in this window; anything else is no format.
    TextFormat FormatOfCode(int alignment) const;

    // --- Scale and primitives ----------------------------------------------------------
    void DrawScale() { scale_.Draw(); }

    void DrawLine(const Point2D& p1, const Point2D& p2, const QPen& pen) { painter_.DrawLine(p1, p2, pen); }
    void DrawLineFromXY(float x1, float y1, float x2, float y2, const QPen& pen)
    {
        painter_.DrawLineFromXY(x1, y1, x2, y2, pen);
    }
    void DrawLineManual(float x1, float y1, float x2, float y2, const QPen& pen)
    {
        painter_.DrawLineManual(x1, y1, x2, y2, pen);
    }
    void DrawText(std::string_view text, int alignment, float x, float y, const QFont& font,
                  const QBrush& brush);
    void DrawText(std::string_view text, TextFormat format, float x, float y, const QFont& font,
                  const QBrush& brush)
    {
        painter_.DrawText(text, format, x, y, font, brush);
    }
    void DrawTextOnMidPoint(const Point2D& p1, const Point2D& p2, std::string_view text,
                            const QFont& font, const QBrush& brush);
    void FillQuad(const Point2D& p1, const Point2D& p2, const Point2D& p3, const Point2D& p4,
                  const QBrush& brush)
    {
        painter_.FillQuad(p1, p2, p3, p4, brush);
    }
    void DrawFillQuad(const Point2D& p1, const Point2D& p2, const Point2D& p3,
                      const Point2D& p4, const QBrush& brush, const QPen& pen)
    {
        painter_.DrawFillQuad(p1, p2, p3, p4, brush, pen);
    }
    void DrawQuad(const Point2D& p1, const Point2D& p2, const Point2D& p3, const Point2D& p4,
                  const QPen& pen)
    {
        painter_.DrawQuad(p1, p2, p3, p4, pen);
    }
    void DrawFillCircle(float x, float y, float radius, const QPen& pen, const QBrush& brush)
    {
        painter_.DrawFillCircle(x, y, radius, pen, brush);
    }
    void DrawCircleFromXY(float x1, float y1, float x2, float y2, const QPen& pen)
    {
        painter_.DrawCircleFromXY(x1, y1, x2, y2, pen);
    }
    // A path already in pixels (the venue's polar balloon and its frame).
    void FillPath(const QPainterPath& path, const QBrush& brush) { painter_.FillPath(path, brush); }
    void StrokePath(const QPainterPath& path, const QPen& pen) { painter_.StrokePath(path, pen); }
    // Graph curves through pixel points: straight segments, or a smooth cardinal spline
    // (tension 0.5) that passes through every point.
    void DrawPolyline(const std::vector<QPointF>& points, const QPen& pen)
    {
        painter_.DrawPolyline(points, pen);
    }
    void DrawCurve(const std::vector<QPointF>& points, const QPen& pen) { painter_.DrawCurve(points, pen); }
    // A path already in pixels, filled by its own fill rule and then outlined.
    void DrawFillPath(const QPainterPath& path, const QBrush& brush, const QPen& pen)
    {
        painter_.DrawFillPath(path, brush, pen);
    }
    // A dot in the pen's colour at each pixel point, as wide as the pen plus two pixels:
    // a value that has no neighbours to join still shows.
    void DrawMarks(const std::vector<QPointF>& points, const QPen& pen) { painter_.DrawMarks(points, pen); }
    // While on, drawing stays inside the plot (its edges included), off the scale's labels.
    void SetPlotClip(bool on) { painter_.SetPlotClip(on); }
    // The plot in pixels, its right and bottom edges included.
    QRectF PlotRect() const { return painter_.PlotRect(); }

    // Whole-pixel extent of a text in the label font.
    QSize MeasureText(std::string_view text) const { return painter_.MeasureText(text); }

    static float DistanceBetweenCoords(int x1, int y1, int x2, int y2);
    // Whether v lies between a and b, whichever way round they are.
    static bool IsBetween(int v, int a, int b);
    // A whole number with a leading sign position: " 5", "-5".
    static std::string SignedText(double whole) { return PlotScale::SignedText(whole); }

private:
    using ScaleKey = PlotSurface::ScaleKey;

    // The window's transform for its picture size; false when a geometry plot has no room.
    bool FitTransform(const CalculationResults& results, std::string_view cableDistanceText);
    ScaleKey CurrentScaleKey() const;
    PlotTransform::Margins Margins(std::string_view cableDistanceText) const;

    const Options& options_;
    PlotStyle style_;
    PlotTransform transform_;
    PlotSurface surface_;
    PlotPainter painter_;
    PlotScale scale_;
    int loadRows_ = 1;
    int noticeRows_ = 0;
};

} // namespace polvane
