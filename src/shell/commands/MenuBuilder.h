#pragma once

#include <functional>
#include <string>

class QAction;
class QMenu;
class QMenuBar;
class QString;

namespace polvane {

class ErrorReporter;

// Adds the main window's menus and items under their historic object names ("mnuFileNew");
// a failure in an item's action goes to the error reporter under "frmMain.<name>_Click".
class MenuBuilder {
public:
    MenuBuilder(QMenuBar& bar, ErrorReporter& reporter) : bar_(bar), reporter_(reporter) {}

    // A menu of the menu bar, or a submenu when a parent is given.
    QMenu* AddMenu(QMenu* parent, const char* name, const QString& text);
    QAction* AddItem(QMenu* menu, const std::string& name, const QString& text,
                     std::function<void()> action = {}, const char* shortcut = nullptr);
    QAction* AddSeparator(QMenu* menu, const char* name);
    // The name of an item of a control array: "mnuTypeSelect(3)".
    static std::string Indexed(const char* name, int index);

private:
    QMenuBar& bar_;
    ErrorReporter& reporter_;
};

} // namespace polvane
