#include "windows/ToolControls.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

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

QLabel* ToolControls::NewLabel(QWidget* parent, const char* name, const QString& caption)
{
    return Named(new QLabel(caption, parent), name);
}

QPushButton* ToolControls::NewButton(QWidget* parent, const char* name, const QString& caption)
{
    return Named(new QPushButton(caption, parent), name);
}

} // namespace polvane
