#include "shell/mainwindow/ShellMainWindowRelay.h"

namespace polvane {

void ShellMainWindowRelay::SetUnitsChecked(bool metric)
{
    if (target_ != nullptr)
        target_->SetUnitsChecked(metric);
}

void ShellMainWindowRelay::SetCaption()
{
    if (target_ != nullptr)
        target_->SetCaption();
}

void ShellMainWindowRelay::UpdateVisibleWindows()
{
    if (target_ != nullptr)
        target_->UpdateVisibleWindows();
}

void ShellMainWindowRelay::SetStatusPanel(int panel, const std::string& text)
{
    if (target_ != nullptr)
        target_->SetStatusPanel(panel, text);
}

void ShellMainWindowRelay::SetRevertEnabled(bool enabled)
{
    if (target_ != nullptr)
        target_->SetRevertEnabled(enabled);
}

void ShellMainWindowRelay::SetStateItemEnabled(int slot, bool enabled)
{
    if (target_ != nullptr)
        target_->SetStateItemEnabled(slot, enabled);
}

} // namespace polvane
