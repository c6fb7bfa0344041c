#include "windows/dialogs/DialogButtons.h"

#include <QPushButton>

#include "windows/dialogs/ModalDialog.h"

namespace polvane {

std::pair<QPushButton*, QPushButton*> DialogButtons::Make(ModalDialog& dialog, const QString& cancelText,
                                                          Guard guard)
{
    auto* ok = new QPushButton(QStringLiteral("OK"), &dialog);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(cancelText, &dialog);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    QObject::connect(ok, &QPushButton::clicked, &dialog,
                     [&dialog, guard] { guard("cmdOK_Click", [&dialog] { dialog.accept(); }); });
    QObject::connect(cancel, &QPushButton::clicked, &dialog,
                     [&dialog, guard] { guard("cmdCancel_Click", [&dialog] { dialog.reject(); }); });
    return {ok, cancel};
}

} // namespace polvane
