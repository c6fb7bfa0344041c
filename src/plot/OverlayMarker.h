#pragma once

#include <QColor>
#include <QPointF>
#include <QRect>
#include <QWidget>

namespace polvane {

// A marker laid over a drawing window's picture, outside the picture itself, so that it
// can follow the mouse without a redraw: a line between two points, or a small solid dot.
// The mouse passes through it to the picture beneath.
class OverlayMarker : public QWidget {
    Q_OBJECT
public:
    enum class Shape { Line, Dot };

    OverlayMarker(Shape shape, QWidget* parent);

    void SetColor(const QColor& color);
    QColor Color() const { return color_; }
    // Line pen width in pixels; a dot's diameter.
    void SetWidth(int width);
    int LineWidth() const { return width_; }
    void SetDashed(bool dashed);
    bool IsDashed() const { return dashed_; }

    // A line between two points of the parent, shown only within `within` where given
    // (a drawing's plot).
    void SetLine(QPointF p1, QPointF p2, QRect within = {});
    QPointF P1() const { return p1_; }
    QPointF P2() const { return p2_; }
    // A dot's centre, in the parent.
    QPointF Centre() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Shape shape_;
    QColor color_{Qt::black};
    int width_ = 1;
    bool dashed_ = false;
    QPointF p1_;
    QPointF p2_;
    QRect within_;
};

} // namespace polvane
