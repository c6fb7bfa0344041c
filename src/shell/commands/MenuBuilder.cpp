#include "shell/commands/MenuBuilder.h"

#include <utility>

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

#include "shell/startup/ErrorReporter.h"

namespace polvane {

QMenu* MenuBuilder::AddMenu(QMenu* parent, const char* name, const QString& text)
{
    QMenu* menu = parent == nullptr ? bar_.addMenu(text) : parent->addMenu(text);
    menu->setObjectName(QString::fromUtf8(name));
    return menu;
}

QAction* MenuBuilder::AddItem(QMenu* menu, const std::string& name, const QString& text,
                              std::function<void()> action, const char* shortcut)
{
    auto* item = new QAction(text, menu);
    item->setObjectName(QString::fromStdString(name));
    if (shortcut != nullptr)
        item->setShortcut(QKeySequence(QString::fromUtf8(shortcut)));
    menu->addAction(item);
    if (action) {
        // Indexed names ("mnuTypeSelect(3)") report under the array's name.
        const std::string procedure = "frmMain." + name.substr(0, name.find('(')) + "_Click";
        QObject::connect(item, &QAction::triggered, item,
                         [this, procedure, action = std::move(action)] {
                             reporter_.Guard(procedure, action);
                         });
    }
    return item;
}

QAction* MenuBuilder::AddSeparator(QMenu* menu, const char* name)
{
    QAction* separator = menu->addSeparator();
    separator->setObjectName(QString::fromUtf8(name));
    return separator;
}

std::string MenuBuilder::Indexed(const char* name, int index)
{
    return std::string(name) + "(" + std::to_string(index) + ")";
}

} // namespace polvane
