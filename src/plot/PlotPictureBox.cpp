#include "plot/PlotPictureBox.h"

#include <utility>

#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>

namespace polvane {

PlotPictureBox::PlotPictureBox(QWidget* parent) : QWidget(parent)
{
    // The picture is copied over whole, so nothing needs painting beneath it.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PlotPictureBox::ShowPicture(QImage picture)
{
    picture_ = std::move(picture);
    update();
}

void PlotPictureBox::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QRect uncovered = rect();
    if (picture_.isNull() || picture_.width() < uncovered.width() ||
        picture_.height() < uncovered.height())
        painter.fillRect(event->rect(), palette().window());
    // A plain copy: the picture replaces what was there, alpha and all.
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(0, 0, picture_);
}

void PlotPictureBox::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    emit Resized();
}

} // namespace polvane
