#pragma once

#include <string>

#include <QObject>

#include "shell/session/UpdateScope.h"
#include "windows/base/BoundValue.h"

class QLineEdit;

namespace polvane {

class ToolWindow;

// A one-line box bound to one model value: typing marks it dirty (a refill while the update
// guard is up clears the mark), getting the focus selects the whole text, Enter commits and Esc restores the
// shown value (both used up: no beep, no line break), and losing the focus while dirty
// commits. A commit clamps the number, stores it, refreshes the window's scope, selects
// the text again, clears the dirty tag and marks the venue changed; a text that holds no
// number changes nothing, and the box shows the value it holds again.
//
// The window keeps it as a member, so that it goes before the box does: a box that still
// has the focus while it is destroyed loses it then, and no commit may run by that time.
class EditBox : public QObject {
public:
    static constexpr const char* kDirty = "dirty";

    // name is the box's name in failure reports ("txtAngle").
    EditBox(QLineEdit& box, ToolWindow& window, std::string name, UpdateScope scope, BoundValue value);

    bool IsDirty() const { return dirty_; }
    // "dirty" or empty.
    std::string Tag() const { return dirty_ ? kDirty : ""; }
    const BoundValue& Value() const { return value_; }

    void Commit(bool selectText);
    // Shows the model's value and clears the dirty tag, as a refresh does: nothing selected.
    void Refill();
    // Esc: the refill with the whole text selected.
    void Restore();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit& box_;
    ToolWindow& window_;
    std::string name_;
    UpdateScope scope_;
    BoundValue value_;
    bool dirty_ = false;
};

} // namespace polvane
