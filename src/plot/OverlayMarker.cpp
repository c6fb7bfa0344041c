#include "plot/OverlayMarker.h"

#include <algorithm>
#include <cmath>

#include <QPainter>
#include <QPen>

namespace polvane {

OverlayMarker::OverlayMarker(Shape shape, QWidget* parent) : QWidget(parent), shape_(shape)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setAttribute(Qt::WA_TranslucentBackground);
    if (shape_ == Shape::Dot)
        resize(9, 9);
    hide();
}

void OverlayMarker::SetColor(const QColor& color)
{
    color_ = color;
    update();
}

void OverlayMarker::SetWidth(int width)
{
    width_ = std::max(1, width);
    if (shape_ == Shape::Dot)
        resize(width_, width_);
    else
        SetLine(p1_, p2_, within_);
}

void OverlayMarker::SetDashed(bool dashed)
{
    dashed_ = dashed;
    update();
}

void OverlayMarker::SetLine(QPointF p1, QPointF p2, QRect within)
{
    p1_ = p1;
    p2_ = p2;
    within_ = within;
    // Just big enough for the line and its pen; lines far outside are cut to a size a
    // widget can have.
    static constexpr double kLimit = 1.0e6;
    auto held = [](double v) { return std::clamp(std::isfinite(v) ? v : 0.0, -kLimit, kLimit); };
    const double pad = width_ + 1;
    const double left = held(std::min(p1.x(), p2.x()) - pad);
    const double top = held(std::min(p1.y(), p2.y()) - pad);
    const double right = held(std::max(p1.x(), p2.x()) + pad);
    const double bottom = held(std::max(p1.y(), p2.y()) + pad);
    QRect area(static_cast<int>(std::floor(left)), static_cast<int>(std::floor(top)),
               static_cast<int>(std::ceil(right - left)) + 1, static_cast<int>(std::ceil(bottom - top)) + 1);
    // The widget's edges cut the line.
    if (within.isValid())
        area &= within;
    setGeometry(area);
    update();
}

QPointF OverlayMarker::Centre() const
{
    return {x() + width() / 2.0, y() + height() / 2.0};
}

void OverlayMarker::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (shape_ == Shape::Dot) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(color_);
        painter.drawEllipse(rect());
        return;
    }
    QPen pen(color_);
    pen.setWidth(width_);
    pen.setStyle(dashed_ ? Qt::DashLine : Qt::SolidLine);
    painter.setPen(pen);
    const QPointF origin = pos();
    painter.drawLine(p1_ - origin, p2_ - origin);
}

} // namespace polvane
