#include "windows/controls/LinkLabel.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <QPen>

#include "windows/controls/TextContrast.h"

namespace polvane {

LinkLabel::LinkLabel(QWidget* parent, std::function<bool()> busy)
    : QLabel(parent), busy_(std::move(busy))
{
    // Moves inside the label arrive without a button held too.
    setMouseTracking(true);
    setFocusPolicy(Qt::TabFocus);
}

QColor LinkLabel::TextColor() const { return palette().color(QPalette::WindowText); }

void LinkLabel::SetColors(const QColor& resting, const QColor& lit)
{
    resting_ = resting;
    litColor_ = lit;
    SetTextColor(lit_ ? LitColor() : RestingColor());
}

QColor LinkLabel::RestingColor() const
{
    return resting_.isValid() ? resting_ : QApplication::palette(this).color(QPalette::WindowText);
}

QColor LinkLabel::LitColor() const
{
    if (litColor_.isValid())
        return litColor_;
    return TextContrast::Readable(HighlightColor(), {QApplication::palette(this).color(QPalette::Window)},
                                  TextContrast::kReadable);
}

void LinkLabel::Light()
{
    if (lit_ || busy_())
        return;
    lit_ = true;
    SetTextColor(LitColor());
}

void LinkLabel::Unlight()
{
    lit_ = false;
    SetTextColor(RestingColor());
}

void LinkLabel::SetTextColor(const QColor& color)
{
    // A disabled link greys as every other label does.
    QPalette colored = palette();
    colored.setColor(QPalette::Active, QPalette::WindowText, color);
    colored.setColor(QPalette::Inactive, QPalette::WindowText, color);
    setPalette(colored);
}

void LinkLabel::enterEvent(QEnterEvent* event)
{
    Light();
    QLabel::enterEvent(event);
}

void LinkLabel::mouseMoveEvent(QMouseEvent* event)
{
    Light();
    QLabel::mouseMoveEvent(event);
}

void LinkLabel::leaveEvent(QEvent* event)
{
    Unlight();
    QLabel::leaveEvent(event);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

void LinkLabel::keyPressEvent(QKeyEvent* event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const int key = event->key();
    const bool opens = (modifiers == Qt::NoModifier &&
                        (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter)) ||
                       (modifiers == Qt::AltModifier && key == Qt::Key_Down);
    if (!opens) {
        QLabel::keyPressEvent(event);
        return;
    }
    event->accept();
    if (!event->isAutoRepeat())
        emit clicked();
}

void LinkLabel::paintEvent(QPaintEvent* event)
{
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    // In the text's own colour, so the frame reads wherever the text does, on any palette;
    // one pixel in from the edge, so that it stays whole at every scale.
    QPainter painter(this);
    QPen pen(palette().color(foregroundRole()), 1.0, Qt::DotLine);
    painter.setPen(pen);
    painter.drawRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
}

} // namespace polvane
