#include "windows/ColorSwatch.h"

#include <QPainter>

#include "shell/ArgbColor.h"

namespace polvane {

ColorSwatch::ColorSwatch(QWidget* parent) : QWidget(parent)
{
    setMinimumSize(2 * kSquare, 2 * kSquare);
}

void ColorSwatch::SetColor(std::uint32_t argb)
{
    color_ = argb;
    update();
}

QImage ColorSwatch::Checker(QSize size)
{
    QImage image(size.expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
    image.fill(QColor(192, 192, 192));
    QPainter painter(&image);
    for (int y = 0; y < image.height(); y += kSquare)
        for (int x = 0; x < image.width(); x += kSquare)
            if ((x + y) / kSquare % 2 == 0)
                painter.fillRect(x, y, kSquare, kSquare, QColor(128, 128, 128));
    return image;
}

QImage ColorSwatch::Picture(QSize size, std::uint32_t argb)
{
    QImage image = Checker(size);
    QPainter painter(&image);
    painter.fillRect(image.rect(), QColor(ArgbColor::Red(argb), ArgbColor::Green(argb),
                                          ArgbColor::Blue(argb), ArgbColor::Alpha(argb)));
    return image;
}

void ColorSwatch::resizeEvent(QResizeEvent* event)
{
    checker_ = QImage();
    QWidget::resizeEvent(event);
}

void ColorSwatch::paintEvent(QPaintEvent*)
{
    if (checker_.size() != size())
        checker_ = Checker(size());
    QPainter painter(this);
    painter.drawImage(0, 0, checker_);
    painter.fillRect(rect(), QColor(ArgbColor::Red(color_), ArgbColor::Green(color_),
                                    ArgbColor::Blue(color_), ArgbColor::Alpha(color_)));
}

} // namespace polvane
