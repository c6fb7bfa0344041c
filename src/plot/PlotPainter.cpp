#include "plot/PlotPainter.h"

#include <algorithm>
#include <cmath>

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <QRect>
#include <QString>

#include "plot/PlotStyle.h"
#include "plot/PlotSurface.h"
#include "plot/PlotTransform.h"

namespace polvane {
namespace {

QString Text(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

void PlotPainter::DrawLine(const Point2D& p1, const Point2D& p2, const QPen& pen)
{
    DrawLineFromXY(p1.x, p1.y, p2.x, p2.y, pen);
}

void PlotPainter::DrawLineFromXY(float x1, float y1, float x2, float y2, const QPen& pen)
{
    DrawLineManual(transform_.ConvertX(x1), transform_.ConvertY(y1), transform_.ConvertX(x2),
                   transform_.ConvertY(y2), pen);
}

void PlotPainter::DrawLineManual(float x1, float y1, float x2, float y2, const QPen& pen)
{
    QPainter* const painter = surface_.Painter();
    if (!painter)
        return;
    painter->setPen(pen);
    const QPointF from(x1, y1), to(x2, y2);
    // A wider line is filled as a polygon: Qt's raster engine hands every fill of more than
    // about a hundred spans to its thread pool and waits for it, and a smoothed steep line
    // is a few short spans a row, so a tall one would be handed over. Drawn band by band
    // through a clip of whole rows it stays on this thread, pixel for pixel the same line.
    // Hairlines are written straight into the pixels (see PlotSurface::Create).
    constexpr int kBandRows = 40;
    const double top = std::min(y1, y2);
    const double bottom = std::max(y1, y2);
    const bool steepAndTall = std::fabs(x2 - x1) < bottom - top && bottom - top > kBandRows;
    const bool hairline = pen.widthF() <= 1.0;
    if (hairline || !steepAndTall || !std::isfinite(top) || !std::isfinite(bottom)) {
        painter->drawLine(from, to);
        return;
    }
    // The bands reach past the ends by the pen's half width and its caps, and lie within
    // the clip in force.
    const QRect clip = surface_.PlotClipped() ? PlotRect().toRect() : QRect(QPoint(0, 0), surface_.Image().size());
    const int reach = static_cast<int>(std::ceil(pen.widthF() / 2.0)) + 2;
    const int width = surface_.Image().width();
    const int first = std::max(0, static_cast<int>(std::floor(std::max(top, -1e6))) - reach);
    const int last = std::min(surface_.Image().height(),
                              static_cast<int>(std::ceil(std::min(bottom, 1e6))) + reach + 1);
    for (int row = first; row < last; row += kBandRows) {
        const QRect band = clip.intersected(QRect(0, row, width, std::min(kBandRows, last - row)));
        if (band.isEmpty())
            continue;
        painter->setClipRect(band);
        painter->drawLine(from, to);
    }
    painter->setClipRect(clip);
}

void PlotPainter::DrawText(std::string_view text, TextFormat format, float x, float y,
                         const QFont& font, const QBrush& brush)
{
    QPainter* const painter = surface_.Painter();
    if (!painter)
        return;
    int flags = Qt::TextDontClip;
    switch (format) {
    case TextFormat::None:
        flags |= Qt::AlignLeft | Qt::AlignTop;
        break;
    case TextFormat::Centred:
        flags |= Qt::AlignHCenter | Qt::AlignVCenter;
        break;
    case TextFormat::FarCentred:
        flags |= Qt::AlignRight | Qt::AlignVCenter;
        break;
    case TextFormat::CentredBelow:
        flags |= Qt::AlignHCenter | Qt::AlignTop;
        break;
    }
    painter->setFont(font);
    // Text is drawn with the pen; give it the brush's paint.
    painter->setPen(QPen(brush, 1.0));
    painter->drawText(QRectF(x, y, 0.0, 0.0), flags, Text(text));
}

QPainterPath PlotPainter::ConvertedQuad(const Point2D& p1, const Point2D& p2, const Point2D& p3,
                                      const Point2D& p4) const
{
    auto at = [this](const Point2D& p) {
        return QPointF(transform_.ConvertX(p.x), transform_.ConvertY(p.y));
    };
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    path.moveTo(at(p1));
    path.lineTo(at(p2));
    path.lineTo(at(p3));
    path.lineTo(at(p4));
    path.closeSubpath();
    return path;
}

void PlotPainter::FillQuad(const Point2D& p1, const Point2D& p2, const Point2D& p3,
                         const Point2D& p4, const QBrush& brush)
{
    QPainter* const painter = surface_.Painter();
    if (painter)
        painter->fillPath(ConvertedQuad(p1, p2, p3, p4), brush);
}

void PlotPainter::DrawFillQuad(const Point2D& p1, const Point2D& p2, const Point2D& p3,
                             const Point2D& p4, const QBrush& brush, const QPen& pen)
{
    QPainter* const painter = surface_.Painter();
    if (!painter)
        return;
    const QPainterPath path = ConvertedQuad(p1, p2, p3, p4);
    painter->fillPath(path, brush);
    painter->strokePath(path, pen);
}

void PlotPainter::DrawQuad(const Point2D& p1, const Point2D& p2, const Point2D& p3,
                         const Point2D& p4, const QPen& pen)
{
    DrawLine(p1, p2, pen);
    DrawLine(p2, p3, pen);
    DrawLine(p3, p4, pen);
    DrawLine(p4, p1, pen);
}

void PlotPainter::DrawFillCircle(float x, float y, float radius, const QPen& pen,
                               const QBrush& brush)
{
    QPainter* const painter = surface_.Painter();
    if (!painter)
        return;
    const QRectF box(transform_.ConvertX(x) - radius, transform_.ConvertY(y) - radius, 2 * radius,
                     2 * radius);
    painter->setPen(Qt::NoPen);
    painter->setBrush(brush);
    painter->drawEllipse(box);
    painter->setPen(pen);
    painter->setBrush(Qt::NoBrush);
    painter->drawEllipse(box);
}

void PlotPainter::DrawCircleFromXY(float x1, float y1, float x2, float y2, const QPen& pen)
{
    QPainter* const painter = surface_.Painter();
    if (!painter)
        return;
    const QRectF box =
        QRectF(QPointF(transform_.ConvertX(x1), transform_.ConvertY(y1)),
               QPointF(transform_.ConvertX(x2), transform_.ConvertY(y2)))
            .normalized();
    painter->setPen(pen);
    painter->setBrush(Qt::NoBrush);
    painter->drawEllipse(box);
}

void PlotPainter::DrawMarks(const std::vector<QPointF>& points, const QPen& pen)
{
    QPainter* const painter = surface_.Painter();
    if (!painter)
        return;
    const double radius = (pen.widthF() + 2.0) / 2.0;
    painter->setPen(Qt::NoPen);
    painter->setBrush(pen.color());
    for (const QPointF& point : points)
        painter->drawEllipse(point, radius, radius);
    painter->setBrush(Qt::NoBrush);
}

QRectF PlotPainter::PlotRect() const
{
    return QRectF(transform_.Left(), transform_.Top(), transform_.PlotWidth() + 1,
                  transform_.PlotHeight() + 1);
}

void PlotPainter::SetPlotClip(bool on)
{
    QPainter* const painter = surface_.Painter();
    if (!painter)
        return;
    if (on)
        surface_.ClipToPlot(PlotRect());
    else
        surface_.ClipToSurface();
}

void PlotPainter::FillPath(const QPainterPath& path, const QBrush& brush)
{
    QPainter* const painter = surface_.Painter();
    if (painter)
        painter->fillPath(path, brush);
}

void PlotPainter::StrokePath(const QPainterPath& path, const QPen& pen)
{
    QPainter* const painter = surface_.Painter();
    if (painter)
        painter->strokePath(path, pen);
}

void PlotPainter::DrawPolyline(const std::vector<QPointF>& points, const QPen& pen)
{
    QPainter* const painter = surface_.Painter();
    if (!painter || points.size() < 2)
        return;
    painter->setPen(pen);
    painter->setBrush(Qt::NoBrush);
    painter->drawPolyline(points.data(), static_cast<int>(points.size()));
}

void PlotPainter::DrawCurve(const std::vector<QPointF>& points, const QPen& pen)
{
    QPainter* const painter = surface_.Painter();
    if (!painter || points.size() < 2)
        return;
    // Each segment is a cubic whose control points follow the neighbours' direction; the
    // ends repeat themselves as their missing neighbours.
    constexpr double kTension = 0.5;
    const std::size_t last = points.size() - 1;
    QPainterPath path(points[0]);
    for (std::size_t i = 0; i < last; ++i) {
        const QPointF& before = points[i == 0 ? 0 : i - 1];
        const QPointF& from = points[i];
        const QPointF& to = points[i + 1];
        const QPointF& after = points[i + 1 == last ? last : i + 2];
        path.cubicTo(from + (to - before) * (kTension / 3.0), to - (after - from) * (kTension / 3.0),
                     to);
    }
    painter->strokePath(path, pen);
}

void PlotPainter::DrawFillPath(const QPainterPath& path, const QBrush& brush, const QPen& pen)
{
    QPainter* const painter = surface_.Painter();
    if (!painter)
        return;
    painter->fillPath(path, brush);
    painter->strokePath(path, pen);
}

QSize PlotPainter::MeasureText(std::string_view text) const
{
    const QFontMetrics metrics(style_.Font());
    return {metrics.horizontalAdvance(Text(text)), metrics.height()};
}

} // namespace polvane
