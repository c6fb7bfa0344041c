#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>

#include <QWidget>

#include "model/Units.h"
#include "shell/places/PlaceableWindow.h"
#include "shell/session/RefreshableWindow.h"
#include "shell/session/ToolWindowId.h"
#include "shell/places/ToolWindowRegistry.h"
#include "shell/session/UpdateScope.h"
#include "windows/base/ToolWindowContext.h"

class QLineEdit;

namespace polvane {

// The common ground of the tool windows that live in the main window's work area, each
// inside its own sub-window:
// - F1 opens the window's help topic, and Ctrl(+Shift)+1..9 of the main keyboard load (store)
//   a state on key release, whichever of its controls has the focus, with the modifiers
//   held when the digit went down; F1 and a used state key reach no control;
// - closing saves the window's place (as open exactly when the main window is closing),
//   unregisters the window and clears its Tools check mark, and is never refused;
// - Refresh raises the update guard around UpdateInterface, so refilling the controls is
//   never taken for an edit;
// - the place is read and set in twips of the screen, on the sub-window's frame;
// - a fixed frame always has the size its content needs and cannot be resized or
//   maximised; a sizable one is never made or stored smaller than its content allows.
class ToolWindow : public QWidget, public PlaceableWindow, public RefreshableWindow {
    Q_OBJECT

public:
    // The smallest inside of a sizable window, in pixels.
    static constexpr int kMinimumWidth = 160;
    static constexpr int kMinimumHeight = 100;
    // The inside a sizable window opens at when no place says otherwise.
    static constexpr int kDefaultWidth = 400;
    static constexpr int kDefaultHeight = 300;

    ToolWindow(ToolWindowId id, ToolWindowContext& context, QWidget* parent = nullptr);
    ~ToolWindow() override;

    ToolWindowId Id() const { return id_; }
    const ToolWindowInfo& Info() const { return info_; }
    ToolWindowContext& Context() const { return context_; }
    // The open venue's units code (0 English, 1 metric), for labelling and bounding values.
    UnitsCode VenueUnits() const;
    // "frmNotes.txtNotes_Change": the name a handler's failure is reported under.
    std::string Procedure(std::string_view handler) const;
    // Runs a handler; a failure goes to the error reporter under the handler's name.
    bool Guard(std::string_view handler, const std::function<void()>& action) const;
    // After an edit of the open venue: marks the venue unsaved and refreshes the windows of
    // the scope, predicting again when asked.
    void VenueEdited(UpdateScope scope, bool recalculate = true) const;
    // Enter and Esc in a name box. Enter stores the name at once (store is false when there
    // is nothing to name) and marks the venue unsaved; the other windows learn of it when the
    // box is left. Esc puts the stored name back (restore). Either selects the box's text.
    // True when the key was one of them.
    bool NameBoxKey(int key, QLineEdit& box, const std::function<bool()>& store,
                    const std::function<void()>& restore) const;

    // Refills every control from the open venue and the calculation results.
    virtual void UpdateInterface() = 0;

    // RefreshableWindow
    void Refresh() override;

    // PlaceableWindow
    bool IsSizable() const override { return info_.sizable; }
    int Left() const override;
    int Top() const override;
    int Width() const override;
    int Height() const override;
    int NeededWidth() const override;
    int NeededHeight() const override;
    void Move(int left, int top) override;
    void Move(int left, int top, int width, int height) override;
    void Arrange(int left, int top) override;
    void Arrange(int left, int top, int width, int height) override;
    void Show() override;

    // A window with a layout asks for its layout's size; one without asks for its minimum.
    QSize sizeHint() const override;
    // Gives a fixed frame the size its content asks for; a sizable frame grows to its
    // minimum when it is smaller.
    void FitFrame();
    // The frame at its content's size, a sizable one at least at the default size.
    void GiveDefaultSize();
    // Once the window is in its frame: a fixed window's requests for a layout that change
    // nothing stop before they reach the frame.
    void WatchLayoutRequests();

protected:
    // A fixed window follows its content's size whenever its layout changes.
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // A key release the window's own handlers keep from the state keys.
    virtual bool KeepsKeyUp(int keyCode) const
    {
        (void)keyCode;
        return false;
    }

private:
    class KeyWatcher;
    class LayoutWatcher;
    // The sub-window around this window, or the window itself when it has none.
    bool IsShown() const override;
    QWidget& Frame();
    const QWidget& Frame() const;
    // Whether a fixed window's last fit still holds: shown, nothing that sizes text changed
    // since, and the content and the frame at the sizes that fit gave.
    bool FitsAsBefore() const;
    // The title bar and borders of the frame around the content.
    QSize Decoration() const;
    // The smallest a sizable frame is made or stored.
    QSize MinimumFrameSize() const;
    int TwipsX() const;
    int TwipsY() const;
    // Moves the frame to the place in twips at the size in pixels, held on the screen.
    void MoveHeld(int left, int top, QSize size);
    // F1 and the state keys of a key event sent to this window or one of its controls;
    // true when the key was used up.
    bool HandleKey(QWidget& target, QKeyEvent& event);

    ToolWindowId id_;
    ToolWindowContext& context_;
    const ToolWindowInfo& info_;
    // While a fit lays the content out, the layouts' own requests start no other.
    bool fitting_ = false;
    // The shift state of each key held down, as it was at its press: a state key stores or
    // loads as the modifiers said then, whatever order the keys come up in.
    std::map<int, int> shiftAtPress_;
    // What the last fit of a shown fixed window gave: the content's size and the frame's.
    // A label that took a new text asks for a layout again, and while these stay the same
    // and nothing that sizes text changed, the layouts' own answer to the request is enough.
    QSize fittedContent_;
    QSize fittedFrame_;
    bool refitNeeded_ = true;
    // Whether the window was ever put at a place of its own.
    bool placed_ = false;
};

} // namespace polvane
