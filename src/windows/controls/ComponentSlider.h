#pragma once

#include <QSlider>

namespace polvane {

// A vertical slider of a colour component as the colour dialog keeps it: its value is the
// negated component (-255 at the top .. 0 at the bottom). It is drawn filled from the bottom
// up to its handle, as much as the component is: a plain slider would fill the span from its
// minimum, the top, so that a component of 0 showed a full groove.
class ComponentSlider : public QSlider {
public:
    explicit ComponentSlider(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace polvane
