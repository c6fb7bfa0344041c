#pragma once

#include <functional>

#include <QPointer>

#include "shell/places/ToolWindowSlot.h"
#include "windows/base/ToolWindowContext.h"

class QMdiSubWindow;

namespace polvane {

class ToolWindow;

// Loads one kind of tool window on demand: creates it inside a new sub-window of the work
// area and registers it. The window unregisters itself when it closes; the sub-window is
// then deleted, and the next Load creates a new window.
class ToolWindowHost : public ToolWindowSlot {
public:
    using Factory = std::function<ToolWindow*(ToolWindowContext&)>;

    ToolWindowHost(ToolWindowContext& context, Factory create);
    ToolWindowHost(const ToolWindowHost&) = delete;
    ToolWindowHost& operator=(const ToolWindowHost&) = delete;
    // Deletes a window still open, without the closing of a user's close.
    ~ToolWindowHost();

    PlaceableWindow& Load() override;
    void Unload() override;

    // The loaded window, or null.
    ToolWindow* Window() const;

private:
    // Hands the frame only the focus changes that can change it.
    static void PassFocusChangesOn(QMdiSubWindow& frame);

    ToolWindowContext& context_;
    Factory create_;
    QPointer<ToolWindow> window_;
    QPointer<QMdiSubWindow> frame_;
};

} // namespace polvane
