#include "platform/DialogFrame.h"

namespace polvane {

Qt::WindowFlags DialogFrame::Flags()
{
    return Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
           Qt::WindowCloseButtonHint;
}

void DialogFrame::Apply(QWidget& dialog)
{
    const Qt::WindowFlags kept =
        dialog.windowFlags() & (Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint);
    dialog.setWindowFlags(Flags() | kept);
}

} // namespace polvane
