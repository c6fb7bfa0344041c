#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

#include "platform/Prompts.h"

namespace polvane {

// The questions as Qt's standard boxes and dialogs, modal over the given parent.
class QtPrompts : public Prompts {
public:
    explicit QtPrompts(QWidget* parent = nullptr) : parent_(parent) {}

    // The main window, once there is one.
    void SetParent(QWidget* parent) { parent_ = parent; }
    // The window the questions are shown over: the parent while it is shown, else none
    // (centred on the screen).
    QWidget* Owner() const;

    using Prompts::ShowMessage;
    MessageAnswer ShowMessage(const std::string& text, const std::string& title,
                              MessageButtons buttons, MessageIcon icon,
                              std::optional<MessageAnswer> defaultButton) override;
    std::optional<std::string> AskText(const std::string& prompt, const std::string& title,
                                       const std::string& defaultText) override;
    std::optional<std::string> ChooseOpenFile(const FileDialogRequest& request) override;
    std::optional<std::string> ChooseSaveFile(const FileDialogRequest& request) override;
    std::optional<FontChoice> ChooseFont(const FontChoice& initial) override;

    // "Venue file (*.venue)|*.venue|All files (*.*)|*.*" as Qt writes it:
    // "Venue file (*.venue);;All files (*.*)". A description that does not show its
    // patterns gets them added in parentheses; a lone description without patterns is kept.
    static QString QtFilter(const std::string& filter);

private:
    std::optional<std::string> ChooseFile(const FileDialogRequest& request, bool save);

    QPointer<QWidget> parent_;
};

} // namespace polvane
