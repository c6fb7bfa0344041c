#pragma once

#include <QColor>
#include <QPointF>
#include <QWidget>

namespace polvane {

// A line laid over a picture box, apart from the picture itself, so that it can follow the
// mouse or the highlighted item without a redraw. It lets the mouse through to the picture.
class LineMarker : public QWidget {
    Q_OBJECT

public:
    explicit LineMarker(QWidget* parent, int width = 2);

    // The ends in the parent's pixels.
    void SetLine(QPointF from, QPointF to);
    QPointF From() const { return from_; }
    QPointF To() const { return to_; }
    void SetColor(QColor color);
    QColor Color() const { return color_; }
    int LineWidth() const { return width_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPointF from_;
    QPointF to_;
    QColor color_{Qt::black};
    int width_;
};

} // namespace polvane
