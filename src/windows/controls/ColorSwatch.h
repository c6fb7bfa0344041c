#pragma once

#include <cstdint>

#include <QFrame>
#include <QImage>

namespace polvane {

// A box showing an ARGB colour over a grey checkerboard, so that its transparency shows:
// light grey (192) with 10 x 10 pixel squares of mid grey (128), the top-left square mid
// grey, and the colour blended over it by its alpha. A frame, when it has one, goes round
// the picture.
class ColorSwatch : public QFrame {
public:
    static constexpr int kSquare = 10;

    explicit ColorSwatch(QWidget* parent = nullptr);

    std::uint32_t Color() const { return color_; }
    void SetColor(std::uint32_t argb);

    // The checkerboard alone, and with the colour drawn over it.
    static QImage Checker(QSize size);
    static QImage Picture(QSize size, std::uint32_t argb);
    // What the box shows now inside its frame.
    QImage Picture() const { return Picture(contentsRect().size(), color_); }
    // Gives the box a frame of the text colour, the picture keeping the given size inside it.
    void SetFramed(QSize picture);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    std::uint32_t color_ = 0;
    // Made again only when the box changes size.
    QImage checker_;
};

} // namespace polvane
