#include "windows/controls/ComponentSlider.h"

#include <QStyleOptionSlider>
#include <QStylePainter>

namespace polvane {

ComponentSlider::ComponentSlider(QWidget* parent) : QSlider(Qt::Vertical, parent)
{
    setRange(-255, 0);
    // The lowest value at the top, so that the top means a full component.
    setInvertedAppearance(true);
    setInvertedControls(true);
}

void ComponentSlider::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionSlider option;
    initStyleOption(&option);
    option.subControls = QStyle::SC_SliderGroove | QStyle::SC_SliderHandle;
    if (tickPosition() != NoTicks)
        option.subControls |= QStyle::SC_SliderTickmarks;
    // The component itself, upside down: the handle stays where it is, and the style fills
    // the span from the new minimum, now at the bottom.
    const int minimum = option.minimum;
    option.minimum = -option.maximum;
    option.maximum = -minimum;
    option.sliderPosition = -option.sliderPosition;
    option.sliderValue = -option.sliderValue;
    option.upsideDown = !option.upsideDown;
    painter.drawComplexControl(QStyle::CC_Slider, option);
}

} // namespace polvane
