#pragma once

#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QWidget;

namespace polvane {

// The controls the tool windows build their forms of, each named so that it can be found
// by its name.
class ToolControls {
public:
    static QLineEdit* NewBox(QWidget* parent, const char* name);
    // A spin control used only for its arrows, beside an edit box.
    static QSpinBox* NewSpin(QWidget* parent, const char* name);
    static QLabel* NewLabel(QWidget* parent, const char* name, const QString& caption);
    static QPushButton* NewButton(QWidget* parent, const char* name, const QString& caption);
    // Narrows a spin control to its arrows and frame, with no sliver of its number showing.
    static void ShowArrowsOnly(QSpinBox* spin);
    // Makes a box just wide enough for the widest text it is to show, in its own font.
    static void FitBox(QLineEdit* box, const QString& widest);
    // The width FitBox gives a box for the text.
    static int BoxWidth(const QLineEdit* box, const QString& widest);
    // The widest measurement a box shows: a negative distance at its bound.
    static QString WidestMeasurement();
    // The control, given its object name (the name tests and handlers find it by).
    template <typename Control>
    static Control* Named(Control* control, const char* name)
    {
        control->setObjectName(QString::fromUtf8(name));
        return control;
    }
};

} // namespace polvane
