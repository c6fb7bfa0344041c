#include "shell/commands/GradientProgressBar.h"

#include <algorithm>
#include <cmath>

#include <QLinearGradient>
#include <QPainter>

#include "model/Format.h"

namespace polvane {

namespace {
int Between(int from, int to, double f) { return Format::WholeHalfEven(from + (to - from) * f); }
} // namespace

GradientProgressBar::GradientProgressBar(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("picProgress"));
    setMinimumHeight(18);
    surface_ = QImage(std::max(1, width()), std::max(1, height()), QImage::Format_RGB32);
    surface_.fill(Qt::white);
}

void GradientProgressBar::Initialize(QColor left, QColor right)
{
    left_ = left;
    right_ = right;
    Clear();
}

void GradientProgressBar::Clear()
{
    surface_ = QImage(std::max(1, width()), std::max(1, height()), QImage::Format_RGB32);
    surface_.fill(Qt::white);
    update();
}

void GradientProgressBar::SetProgress(double fraction)
{
    if (surface_.size() != size().expandedTo(QSize(1, 1)))
        resizeEvent(nullptr); // sized before it was first shown
    const double f = std::isfinite(fraction) ? std::clamp(fraction, 0.0, 1.0) : 0.0;
    const QColor current(Between(left_.red(), right_.red(), f),
                         Between(left_.green(), right_.green(), f),
                         Between(left_.blue(), right_.blue(), f));
    const int w = Format::WholeHalfEven(surface_.width() * f);
    // Pixels 0..w inclusive, the full height.
    QPainter p(&surface_);
    QLinearGradient gradient(0, 0, w + 1, 0);
    gradient.setColorAt(0, left_);
    gradient.setColorAt(1, current);
    p.fillRect(QRect(0, 0, w + 1, surface_.height()), gradient);
    update();
}

void GradientProgressBar::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawImage(0, 0, surface_);
}

void GradientProgressBar::resizeEvent(QResizeEvent*)
{
    QImage resized(std::max(1, width()), std::max(1, height()), QImage::Format_RGB32);
    resized.fill(Qt::white);
    QPainter(&resized).drawImage(0, 0, surface_);
    surface_ = resized;
}

} // namespace polvane
