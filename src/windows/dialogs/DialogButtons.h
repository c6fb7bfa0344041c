#pragma once

#include <functional>
#include <string>
#include <utility>

#include <QString>

class QPushButton;

namespace polvane {

class ModalDialog;

// The OK and Cancel buttons of a modal dialog, named "cmdOK" and "cmdCancel": OK accepts
// (which the dialog may refuse), Cancel tags the dialog cancelled. Each click runs under the
// dialog's failure guard, as "cmdOK_Click" and "cmdCancel_Click". OK is the default button.
class DialogButtons {
public:
    using Guard = std::function<void(const std::string& handler, const std::function<void()>& action)>;

    // The buttons, owned by the dialog; the caller lays them out.
    static std::pair<QPushButton*, QPushButton*> Make(ModalDialog& dialog, const QString& cancelText,
                                                       Guard guard);
};

} // namespace polvane
