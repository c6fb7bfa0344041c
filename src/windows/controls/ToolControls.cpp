#include "windows/controls/ToolControls.h"

#include <algorithm>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QStyleOptionSpinBox>

namespace polvane {

QLineEdit* ToolControls::NewBox(QWidget* parent, const char* name) { return Named(new QLineEdit(parent), name); }

QSpinBox* ToolControls::NewSpin(QWidget* parent, const char* name)
{
    QSpinBox* spin = Named(new QSpinBox(parent), name);
    ShowArrowsOnly(spin);
    return spin;
}

void ToolControls::ShowArrowsOnly(QSpinBox* spin)
{
    // The number it rests at means nothing to the user: only the arrows show. The style
    // says where in a spin control of some width the arrows begin.
    constexpr int kProbeWidth = 200;
    QStyleOptionSpinBox option;
    option.initFrom(spin);
    option.rect = QRect(0, 0, kProbeWidth, spin->sizeHint().height());
    option.subControls = QStyle::SC_SpinBoxUp | QStyle::SC_SpinBoxDown | QStyle::SC_SpinBoxFrame;
    option.frame = true;
    option.buttonSymbols = spin->buttonSymbols();
    const QRect up = spin->style()->subControlRect(QStyle::CC_SpinBox, &option, QStyle::SC_SpinBoxUp, spin);
    spin->setFixedWidth(std::max(12, kProbeWidth - up.left()));
}

void ToolControls::FitBox(QLineEdit* box, const QString& widest) { box->setFixedWidth(BoxWidth(box, widest)); }

int ToolControls::BoxWidth(const QLineEdit* box, const QString& widest)
{
    QStyleOptionFrame option;
    option.initFrom(box);
    option.lineWidth = box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box);
    const QMargins margins = box->textMargins();
    const QSize text(box->fontMetrics().horizontalAdvance(widest) + margins.left() + margins.right() +
                         2 * 2, // the box's own text margin, each side
                     box->fontMetrics().height());
    return box->style()->sizeFromContents(QStyle::CT_LineEdit, &option, text, box).width();
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
