#include "platform/QtPrompts.h"

#include <QFileDialog>
#include <QFont>
#include <QFontDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QStringList>

#include "platform/DialogFrame.h"

namespace polvane {

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

QMessageBox::StandardButton StandardButtonFor(MessageAnswer answer)
{
    switch (answer) {
    case MessageAnswer::Ok: return QMessageBox::Ok;
    case MessageAnswer::Yes: return QMessageBox::Yes;
    case MessageAnswer::No: return QMessageBox::No;
    case MessageAnswer::Cancel: return QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon IconFor(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::None: return QMessageBox::NoIcon;
    case MessageIcon::Critical: return QMessageBox::Critical;
    case MessageIcon::Question: return QMessageBox::Question;
    case MessageIcon::Exclamation: return QMessageBox::Warning;
    case MessageIcon::Information: return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

} // namespace

QWidget* QtPrompts::Owner() const
{
    // A box over a window not shown yet (the crash warning comes before the main window)
    // would be centred on where that window will be, often the screen's corner: the
    // screen's middle instead.
    return parent_ != nullptr && parent_->isVisible() ? parent_.data() : nullptr;
}

MessageAnswer QtPrompts::ShowMessage(const std::string& text, const std::string& title,
                                     MessageButtons buttons, MessageIcon icon,
                                     std::optional<MessageAnswer> defaultButton)
{
    QMessageBox box(IconFor(icon), Q(title), Q(text), QMessageBox::NoButton, Owner());
    DialogFrame::Apply(box);
    MessageAnswer first = MessageAnswer::Ok;
    switch (buttons) {
    case MessageButtons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case MessageButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        first = MessageAnswer::Yes;
        break;
    case MessageButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        first = MessageAnswer::Yes;
        break;
    }
    box.setDefaultButton(StandardButtonFor(defaultButton.value_or(first)));
    switch (box.exec()) {
    case QMessageBox::Yes: return MessageAnswer::Yes;
    case QMessageBox::No: return MessageAnswer::No;
    case QMessageBox::Ok: return MessageAnswer::Ok;
    default:
        // Closed without a button: the box's way of saying no.
        return buttons == MessageButtons::Ok      ? MessageAnswer::Ok
               : buttons == MessageButtons::YesNo ? MessageAnswer::No
                                                  : MessageAnswer::Cancel;
    }
}

std::optional<std::string> QtPrompts::AskText(const std::string& prompt, const std::string& title,
                                              const std::string& defaultText)
{
    QInputDialog dialog(Owner());
    DialogFrame::Apply(dialog);
    dialog.setWindowTitle(Q(title));
    dialog.setLabelText(Q(prompt));
    dialog.setTextValue(Q(defaultText));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue().toStdString();
}

QString QtPrompts::QtFilter(const std::string& filter)
{
    const QStringList parts = Q(filter).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        QString description = parts[i].trimmed();
        if (i + 1 >= parts.size()) {
            if (!description.isEmpty())
                filters << description;
            break;
        }
        const QString patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)
                                     .join(QLatin1Char(' '))
                                     .trimmed();
        // Qt takes the patterns from the parentheses at the end of the description, so
        // they are always written from the pattern part.
        const qsizetype open = description.lastIndexOf(QLatin1Char('('));
        if (description.endsWith(QLatin1Char(')')) && open >= 0)
            description = description.left(open).trimmed();
        filters << (description.isEmpty() ? patterns
                                          : description + QStringLiteral(" (") + patterns +
                                                QLatin1Char(')'));
    }
    return filters.join(QStringLiteral(";;"));
}

std::optional<std::string> QtPrompts::ChooseFile(const FileDialogRequest& request, bool save)
{
    QFileDialog dialog(Owner(), Q(request.title), Q(request.folder));
    DialogFrame::Apply(dialog);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    const QStringList filters = QtFilter(request.filter).split(QStringLiteral(";;"),
                                                               Qt::SkipEmptyParts);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        const qsizetype index = request.filterIndex - 1;
        dialog.selectNameFilter(filters[index >= 0 && index < filters.size() ? index : 0]);
    }
    if (!request.defaultExtension.empty())
        dialog.setDefaultSuffix(Q(request.defaultExtension));
    if (save && !request.askBeforeOverwrite)
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (!request.fileName.empty())
        dialog.selectFile(Q(request.fileName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst().toStdString();
}

std::optional<std::string> QtPrompts::ChooseOpenFile(const FileDialogRequest& request)
{
    return ChooseFile(request, false);
}

std::optional<std::string> QtPrompts::ChooseSaveFile(const FileDialogRequest& request)
{
    return ChooseFile(request, true);
}

std::optional<FontChoice> QtPrompts::ChooseFont(const FontChoice& initial)
{
    QFont font(Q(initial.name));
    if (initial.size > 0)
        font.setPointSizeF(initial.size);
    font.setBold(initial.bold);
    font.setItalic(initial.italic);
    QFontDialog dialog(font, Owner());
    DialogFrame::Apply(dialog);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QFont chosen = dialog.selectedFont();
    return FontChoice{chosen.family().toStdString(), static_cast<float>(chosen.pointSizeF()),
                      chosen.bold(), chosen.italic()};
}

} // namespace polvane
