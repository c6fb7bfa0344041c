#pragma once

#include <QWidget>

namespace polvane {

// Dialogs and message boxes belong to the window they are shown over: their frame has a
// title and a close box, and no minimise or maximise button.
class DialogFrame {
public:
    static Qt::WindowFlags Flags();
    // Sets those flags, keeping the hints the dialog set for itself that are no buttons
    // (a fixed size, staying on top). Call before the dialog is first shown.
    static void Apply(QWidget& dialog);
};

} // namespace polvane
