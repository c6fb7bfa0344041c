#include "windows/controls/ColorSwatch.h"

#include <QPainter>

#include "shell/options/ArgbColor.h"

namespace polvane {

ColorSwatch::ColorSwatch(QWidget* parent) : QFrame(parent)
{
    setMinimumSize(2 * kSquare, 2 * kSquare);
}

void ColorSwatch::SetFramed(QSize picture)
{
    // A plain line in the text colour shows even round a colour like the dialog's own.
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setFixedSize(picture + QSize(2 * frameWidth(), 2 * frameWidth()));
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
    QFrame::resizeEvent(event);
}

void ColorSwatch::paintEvent(QPaintEvent* event)
{
    const QRect inside = contentsRect();
    if (checker_.size() != inside.size())
        checker_ = Checker(inside.size());
    {
        QPainter painter(this);
        painter.drawImage(inside.topLeft(), checker_);
        painter.fillRect(inside, QColor(ArgbColor::Red(color_), ArgbColor::Green(color_),
                                        ArgbColor::Blue(color_), ArgbColor::Alpha(color_)));
    }
    QFrame::paintEvent(event);
}

} // namespace polvane
