#pragma once

#include <string_view>
#include <vector>

#include <QBrush>
#include <QFont>
#include <QPen>
#include <QPointF>
#include <QRectF>
#include <QSize>

#include "model/Point2D.h"

class QPainterPath;

namespace polvane {

class PlotStyle;
class PlotSurface;
class PlotTransform;

// The drawing primitives of a plot: lines, texts, quads, circles, paths and curves on the
// surface, in model units through the transform or in pixels. Without a surface they draw
// nothing.
class PlotPainter {
public:
    // How a text sits relative to its point.
    enum class TextFormat {
        None,            // top-left corner at the point
        Centred,         // code 0 where the window has it: text on a marker
        FarCentred,      // code 1: ends at the point (y-axis labels)
        CentredBelow,    // code 2: starts below the point (x-axis labels)
    };

    PlotPainter(PlotSurface& surface, const PlotTransform& transform, const PlotStyle& style)
        : surface_(surface), transform_(transform), style_(style)
    {
    }

    void DrawLine(const Point2D& p1, const Point2D& p2, const QPen& pen);
    void DrawLineFromXY(float x1, float y1, float x2, float y2, const QPen& pen);
    void DrawLineManual(float x1, float y1, float x2, float y2, const QPen& pen);
    void DrawText(std::string_view text, TextFormat format, float x, float y, const QFont& font,
                  const QBrush& brush);
    void FillQuad(const Point2D& p1, const Point2D& p2, const Point2D& p3, const Point2D& p4,
                  const QBrush& brush);
    void DrawFillQuad(const Point2D& p1, const Point2D& p2, const Point2D& p3,
                      const Point2D& p4, const QBrush& brush, const QPen& pen);
    void DrawQuad(const Point2D& p1, const Point2D& p2, const Point2D& p3, const Point2D& p4,
                  const QPen& pen);
    void DrawFillCircle(float x, float y, float radius, const QPen& pen, const QBrush& brush);
    void DrawCircleFromXY(float x1, float y1, float x2, float y2, const QPen& pen);
    void FillPath(const QPainterPath& path, const QBrush& brush);
    void StrokePath(const QPainterPath& path, const QPen& pen);
    void DrawPolyline(const std::vector<QPointF>& points, const QPen& pen);
    void DrawCurve(const std::vector<QPointF>& points, const QPen& pen);
    void DrawFillPath(const QPainterPath& path, const QBrush& brush, const QPen& pen);
    void DrawMarks(const std::vector<QPointF>& points, const QPen& pen);
    void SetPlotClip(bool on);
    QRectF PlotRect() const;

    // Whole-pixel extent of a text in the label font.
    QSize MeasureText(std::string_view text) const;

private:
    QPainterPath ConvertedQuad(const Point2D& p1, const Point2D& p2, const Point2D& p3,
                               const Point2D& p4) const;

    PlotSurface& surface_;
    const PlotTransform& transform_;
    const PlotStyle& style_;
};

} // namespace polvane
