#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <QBrush>
#include <QFont>
#include <QImage>
#include <QPen>
#include <QPointF>
#include <QRectF>
#include <QSize>

#include "model/Point2D.h"

class QPainter;
class QPainterPath;

namespace polvane {

class Options;
class PlotPictureBox;
struct CalculationResults;

// The drawing surface of one drawing window. Everything is drawn into an off-screen image
// that is handed to the window's picture box whole, so the picture never flickers.
//
// The image is thrown away and made again on every redraw, so its size always follows the
// picture box and a changed "Antialias" switch takes effect at once. Pens, brushes and the
// label font are made only when the colours or options change.
//
// The geometry windows (array picture, venue, rigging details) map model units with y up at
// equal scale on both axes; the two graphs map the frequency table on a logarithmic axis
// against a linear value axis.
class PlotCanvas {
public:
    enum class Kind { ArrayPicture, Venue, RiggingDetails, EvennessGraph, ListeningPointsGraph };

    // Not every window has every pen: asking for one its window lacks throws.
    enum class PenRole {
        CenterOfGravity,     // 3 px, round caps
        CenterOfGravityThin, // 1 px (array picture)
        BumperEdge,
        CellEdge,
        GridNormal,
        GridZero,
        SoundPathHit,
        SoundPathMiss,
        ScaleLines,
        RiggingCable,
        Dimension, // dashed, for the rigging window's measurements
        FarField,
        SeatingArea,
        Level, // the venue fills it with a gradient when it uses it
        GraphLines,
    };
    enum class BrushRole { Background, BumperFill, CellFill, Text, Shade };

    // How a text sits relative to its point.
    enum class TextFormat {
        None,            // top-left corner at the point
        Centred,         // code 0 where the window has it: text on a marker
        FarCentred,      // code 1: ends at the point (y-axis labels)
        CentredBelow,    // code 2: starts below the point (x-axis labels)
    };

    // A label the scale drew, where it landed.
    struct ScaleLabel {
        bool alongX = false; // under the plot (true) or left of it
        std::string text;
        QRectF rect;
    };

    struct Box {
        float minX = 0.0f;
        float maxY = 0.0f;
        float maxX = 0.0f;
        float minY = 0.0f;
    };

    PlotCanvas(Kind kind, const Options& options);
    PlotCanvas(const PlotCanvas&) = delete;
    PlotCanvas& operator=(const PlotCanvas&) = delete;
    ~PlotCanvas();

    Kind GetKind() const { return kind_; }
    bool IsGraph() const;

    // --- Lifecycle -------------------------------------------------------------------
    void CreateGraphicsObjects();
    void DestroyGraphicsObjects();
    void RefreshGraphicsObjects();
    bool HasGraphicsObjects() const { return hasObjects_; }

    // The picture box's scale size in pixels; the next surface is made to it.
    void SetPictureSize(double width, double height);
    // Releases and/or makes the surface: the picture size rounded (halves to even),
    // smoothing as "Antialias" says, cleared to "Background". A size below one pixel
    // gives no surface, and drawing on it does nothing.
    void RefreshGraphicsHandle(bool release, bool create);
    bool HasSurface() const { return painter_ != nullptr; }
    const QImage& Surface() const { return surface_; }

    // The redraw before the window's content: new surface, transform, scale. False when
    // a geometry window's plot is under one pixel, and the window should draw nothing.
    // The graphs always draw. `cableDistanceText` is the rigging window's label of the
    // vertical distance between the cables, which sizes its margins.
    bool BeginRedraw(const CalculationResults& results, std::string_view cableDistanceText = {});
    // The block copy of the whole surface onto the picture box.
    void CopyTo(PlotPictureBox& box) const;

    // --- Transforms --------------------------------------------------------------------
    // Geometry windows: the equal-scale fit of the box. The box comes from the window's
    // part of the calculation results in the overload that takes them. False when the plot
    // is under one pixel either way.
    bool SetBounds(const Box& box, std::string_view cableDistanceText = {});
    bool SetBounds(const CalculationResults& results, std::string_view cableDistanceText = {});
    // Graphs: the frequency table across, the window's value range up.
    void SetGraphBounds();

    float ConvertX(float x) const;
    float ConvertY(float y) const;
    float RevertX(float px) const;
    float RevertY(float py) const;
    float ConvertWidth(float w) const;
    float ConvertHeight(float h) const;

    float XMin() const { return xMin_; }
    float XMax() const { return xMax_; }
    float YMin() const { return yMin_; }
    float YMax() const { return yMax_; }
    float XRange() const { return xRange_; }
    float YRange() const { return yRange_; }
    int Left() const { return left_; }
    int Top() const { return top_; }
    int Right() const { return right_; }
    int Bottom() const { return bottom_; }
    int PlotWidth() const { return plotWidth_; }
    int PlotHeight() const { return plotHeight_; }
    int RightEdge() const { return left_ + plotWidth_; }
    int BottomEdge() const { return top_ + plotHeight_; }
    bool PlotHasRoom() const { return plotWidth_ >= 1 && plotHeight_ >= 1; }
    // Graph value axis.
    float ValueTop() const { return valueTop_; }
    float ValueBottom() const { return valueBottom_; }

    // The steps the scale uses along each axis; 0 when that axis's sample label does not
    // fit and it gets no ticks, labels or grid.
    float XStep() const;
    float YStep() const;
    // The graph's frequency label step (every n-th band is labelled); 0 for none.
    int FrequencyLabelStep() const;
    // The labels of the last DrawScale, in drawing order.
    const std::vector<ScaleLabel>& ScaleLabels() const { return scaleLabels_; }

    // --- Drawing objects ---------------------------------------------------------------
    const QPen& Pen(PenRole role) const;
    const QBrush& Brush(BrushRole role) const;
    // 1-based over the curve colours (venue and listening-points graph).
    const QPen& CurvePen(int index) const;
    const QFont& Font() const { return font_; }
    bool HasPen(PenRole role) const { return pens_.count(role) != 0; }
    bool HasBrush(BrushRole role) const { return brushes_.count(role) != 0; }
    // What code 0..2 means in this window; anything else is no format.
    TextFormat FormatOfCode(int alignment) const;

    // --- Scale and primitives ----------------------------------------------------------
    void DrawScale();

    void DrawLine(const Point2D& p1, const Point2D& p2, const QPen& pen);
    void DrawLineFromXY(float x1, float y1, float x2, float y2, const QPen& pen);
    void DrawLineManual(float x1, float y1, float x2, float y2, const QPen& pen);
    void DrawText(std::string_view text, int alignment, float x, float y, const QFont& font,
                  const QBrush& brush);
    void DrawText(std::string_view text, TextFormat format, float x, float y, const QFont& font,
                  const QBrush& brush);
    void DrawTextOnMidPoint(const Point2D& p1, const Point2D& p2, std::string_view text,
                            const QFont& font, const QBrush& brush);
    void FillQuad(const Point2D& p1, const Point2D& p2, const Point2D& p3, const Point2D& p4,
                  const QBrush& brush);
    void DrawFillQuad(const Point2D& p1, const Point2D& p2, const Point2D& p3,
                      const Point2D& p4, const QBrush& brush, const QPen& pen);
    void DrawQuad(const Point2D& p1, const Point2D& p2, const Point2D& p3, const Point2D& p4,
                  const QPen& pen);
    void DrawFillCircle(float x, float y, float radius, const QPen& pen, const QBrush& brush);
    void DrawCircleFromXY(float x1, float y1, float x2, float y2, const QPen& pen);
    // A path already in pixels (the venue's polar balloon and its frame).
    void FillPath(const QPainterPath& path, const QBrush& brush);
    void StrokePath(const QPainterPath& path, const QPen& pen);
    // Graph curves through pixel points: straight segments, or a smooth cardinal spline
    // (tension 0.5) that passes through every point.
    void DrawPolyline(const std::vector<QPointF>& points, const QPen& pen);
    void DrawCurve(const std::vector<QPointF>& points, const QPen& pen);
    // A path already in pixels, filled by its own fill rule and then outlined.
    void DrawFillPath(const QPainterPath& path, const QBrush& brush, const QPen& pen);
    // A dot in the pen's colour at each pixel point, as wide as the pen plus two pixels:
    // a value that has no neighbours to join still shows.
    void DrawMarks(const std::vector<QPointF>& points, const QPen& pen);
    // While on, drawing stays inside the plot (its edges included), off the scale's labels.
    void SetPlotClip(bool on);
    // The plot in pixels, its right and bottom edges included.
    QRectF PlotRect() const;

    // Whole-pixel extent of a text in the label font.
    QSize MeasureText(std::string_view text) const;

    static float DistanceBetweenCoords(int x1, int y1, int x2, int y2);
    // Whether v lies between a and b, whichever way round they are.
    static bool IsBetween(int v, int a, int b);
    // A whole number with a leading sign position: " 5", "-5".
    static std::string SignedText(double whole);

private:
    void AddPen(PenRole role, std::uint32_t argb, int width, bool roundCaps);
    void AddBrush(BrushRole role, std::uint32_t argb);
    void ClearDrawingObjects();
    void ReleaseSurface();
    void CreateSurface();

    QPainterPath ConvertedQuad(const Point2D& p1, const Point2D& p2, const Point2D& p3,
                               const Point2D& p4) const;
    void ComputeMargins(std::string_view cableDistanceText);
    void FitEqualScale();

    void DrawGeometryScale();
    void DrawGeometryAxis(bool alongX);
    void DrawGraphScale();
    int ScaleSampleSize(bool alongX) const;
    float GeometryStep(int plotSize, float range, int sample) const;
    float StepWithRoom(float step, bool alongX, float increment) const;
    void DrawScaleLabel(const std::string& text, TextFormat format, float x, float y, bool alongX);

    const Options& options_;
    Kind kind_;

    // Surface.
    double pictureWidth_ = 0.0;
    double pictureHeight_ = 0.0;
    QImage surface_;
    std::unique_ptr<QPainter> painter_;

    // Drawing objects.
    bool hasObjects_ = false;
    std::map<PenRole, QPen> pens_;
    std::map<BrushRole, QBrush> brushes_;
    std::vector<QPen> curvePens_;
    QFont font_;

    // Geometry transform.
    float xMin_ = 0.0f;
    float xMax_ = 0.0f;
    float yMin_ = 0.0f;
    float yMax_ = 0.0f;
    float xRange_ = 0.0f;
    float yRange_ = 0.0f;
    int left_ = 0;
    int top_ = 0;
    int right_ = 0;
    int bottom_ = 0;
    int plotWidth_ = 0;
    int plotHeight_ = 0;

    // Graph transform.
    double logFirst_ = 0.0;
    double logLast_ = 0.0;
    double logRange_ = 0.0;
    float valueTop_ = 0.0f;
    float valueBottom_ = 0.0f;
    float valueRange_ = 0.0f;

    std::vector<ScaleLabel> scaleLabels_;
};

} // namespace polvane
