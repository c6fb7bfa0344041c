#include "windows/ToolControls.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStyle>
#include <QStyleOptionFrame>

namespace polvane {

namespace {

template <class Control>
Control* Named(Control* control, const char* name)
{
    control->setObjectName(QString::fromLatin1(name));
    return control;
}

} // namespace

QLineEdit* ToolControls::NewBox(QWidget* parent, const char* name) { return Named(new QLineEdit(parent), name); }

QSpinBox* ToolControls::NewSpin(QWidget* parent, const char* name)
{
    QSpinBox* spin = Named(new QSpinBox(parent), name);
    // The number it rests at means nothing to the user: only the arrows show.
    spin->setFixedWidth(18);
    return spin;
}

void ToolControls::FitBox(QLineEdit* box, const QString& widest)
{
    QStyleOptionFrame option;
    option.initFrom(box);
    option.lineWidth = box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box);
    const QMargins margins = box->textMargins();
    const QSize text(box->fontMetrics().horizontalAdvance(widest) + margins.left() + margins.right() +
                         2 * 2, // the box's own text margin, each side
                     box->fontMetrics().height());
    box->setFixedWidth(box->style()->sizeFromContents(QStyle::CT_LineEdit, &option, text, box).width());
}

QString ToolControls::WidestMeasurement() { return QStringLiteral("-600.00 ft"); }

QLabel* ToolControls::NewLabel(QWidget* parent, const char* name, const QString& caption)
{
    return Named(new QLabel(caption, parent), name);
}

QPushButton* ToolControls::NewButton(QWidget* parent, const char* name, const QString& caption)
{
    return Named(new QPushButton(caption, parent), name);
}

} // namespace polvane
