#include "windows/LineMarker.h"

#include <algorithm>
#include <cmath>

#include <QPainter>
#include <QPen>
#include <QRectF>

namespace polvane {

namespace {

// Coordinates beyond this are no place on any screen; clamping them keeps the widget's
// geometry within what the window system takes.
constexpr double kFarthest = 100000.0;

QPointF Clamped(QPointF p)
{
    auto clamp = [](double v) { return std::isfinite(v) ? std::clamp(v, -kFarthest, kFarthest) : 0.0; };
    return {clamp(p.x()), clamp(p.y())};
}

} // namespace

LineMarker::LineMarker(QWidget* parent, int width) : QWidget(parent), width_(std::max(1, width))
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setAttribute(Qt::WA_TranslucentBackground);
    hide();
}

void LineMarker::SetLine(QPointF from, QPointF to)
{
    from_ = Clamped(from);
    to_ = Clamped(to);
    // Just the line's box, widened by the pen, so the rest of the picture stays uncovered.
    const int pad = width_ + 1;
    const QRectF box = QRectF(from_, to_).normalized();
    setGeometry(static_cast<int>(std::floor(box.left())) - pad,
                static_cast<int>(std::floor(box.top())) - pad,
                static_cast<int>(std::ceil(box.width())) + 2 * pad + 1,
                static_cast<int>(std::ceil(box.height())) + 2 * pad + 1);
    update();
}

void LineMarker::SetColor(QColor color)
{
    color_ = color;
    update();
}

void LineMarker::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPen pen(color_);
    pen.setWidth(width_);
    painter.setPen(pen);
    const QPointF origin = pos();
    painter.drawLine(from_ - origin, to_ - origin);
}

} // namespace polvane
