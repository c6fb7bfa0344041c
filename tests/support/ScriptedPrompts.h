#pragma once

#include <cstddef>
#include <deque>
#include <optional>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

#include "platform/Prompts.h"

namespace polvane {

// A stand-in for the user in tests: every question is recorded, and answered from a queue
// of answers given beforehand, in order. A question with no answer queued, or whose next
// queued answer is of another kind or not one of the box's buttons, throws
// ScriptedPrompts::Unscripted at once: nothing ever waits.
class ScriptedPrompts : public Prompts {
public:
    enum class Kind { Message, Text, OpenFile, SaveFile, Font };

    struct Request {
        Kind kind = Kind::Message;
        std::string text;  // the message, or the input box's prompt
        std::string title; // message and input boxes
        MessageButtons buttons = MessageButtons::Ok;
        MessageIcon icon = MessageIcon::None;
        std::optional<MessageAnswer> defaultButton;
        std::string defaultText; // input boxes
        FileDialogRequest file;  // file dialogs
        FontChoice font;         // the font dialog's first choice
        bool answered = false;
    };

    class Unscripted : public std::logic_error {
    public:
        using std::logic_error::logic_error;
    };

    void QueueAnswer(MessageAnswer answer);
    // Nothing: the user cancels.
    void QueueText(std::optional<std::string> text);
    void QueueOpenFile(std::optional<std::string> path);
    void QueueSaveFile(std::optional<std::string> path);
    void QueueFont(std::optional<FontChoice> font);

    // When on, every message box whose only button is OK is answered OK without taking
    // a queued answer (it is still recorded).
    void SetAnswerOkBoxes(bool on) { answerOkBoxes_ = on; }

    const std::vector<Request>& Requests() const { return requests_; }
    // The last question asked; throws std::logic_error when there was none.
    const Request& Last() const;
    std::size_t QueuedAnswers() const { return queue_.size(); }

    using Prompts::ShowMessage;
    MessageAnswer ShowMessage(const std::string& text, const std::string& title,
                              MessageButtons buttons, MessageIcon icon,
                              std::optional<MessageAnswer> defaultButton) override;
    std::optional<std::string> AskText(const std::string& prompt, const std::string& title,
                                       const std::string& defaultText) override;
    std::optional<std::string> ChooseOpenFile(const FileDialogRequest& request) override;
    std::optional<std::string> ChooseSaveFile(const FileDialogRequest& request) override;
    std::optional<FontChoice> ChooseFont(const FontChoice& initial) override;

private:
    struct TextAnswer { std::optional<std::string> text; };
    struct OpenAnswer { std::optional<std::string> path; };
    struct SaveAnswer { std::optional<std::string> path; };
    struct FontAnswer { std::optional<FontChoice> font; };
    using Answer = std::variant<MessageAnswer, TextAnswer, OpenAnswer, SaveAnswer, FontAnswer>;

    // Records the request and takes the next answer, which must be an A.
    template <class A>
    A Take(Request request);

    std::deque<Answer> queue_;
    std::vector<Request> requests_;
    bool answerOkBoxes_ = false;
};

} // namespace polvane
