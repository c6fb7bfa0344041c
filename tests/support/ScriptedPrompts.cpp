#include "support/ScriptedPrompts.h"

namespace polvane {

namespace {

const char* KindName(ScriptedPrompts::Kind kind)
{
    switch (kind) {
    case ScriptedPrompts::Kind::Message: return "message box";
    case ScriptedPrompts::Kind::Text: return "input box";
    case ScriptedPrompts::Kind::OpenFile: return "open dialog";
    case ScriptedPrompts::Kind::SaveFile: return "save dialog";
    case ScriptedPrompts::Kind::Font: return "font dialog";
    }
    return "question";
}

const char* AnswerKindName(std::size_t variantIndex)
{
    static const char* const kNames[] = {"message box", "input box", "open dialog",
                                         "save dialog", "font dialog"};
    return variantIndex < 5 ? kNames[variantIndex] : "question";
}

std::string Describe(const ScriptedPrompts::Request& request)
{
    std::string text = std::string(KindName(request.kind)) + " \"";
    text += request.kind == ScriptedPrompts::Kind::Message || request.kind == ScriptedPrompts::Kind::Text
                ? request.text
                : request.file.title;
    text += "\"";
    if (!request.title.empty())
        text += " (title \"" + request.title + "\")";
    return text;
}

bool IsButtonOf(MessageAnswer answer, MessageButtons buttons)
{
    switch (buttons) {
    case MessageButtons::Ok: return answer == MessageAnswer::Ok;
    case MessageButtons::YesNo: return answer == MessageAnswer::Yes || answer == MessageAnswer::No;
    case MessageButtons::YesNoCancel: return answer != MessageAnswer::Ok;
    }
    return false;
}

} // namespace

void ScriptedPrompts::QueueAnswer(MessageAnswer answer) { queue_.emplace_back(answer); }
void ScriptedPrompts::QueueText(std::optional<std::string> text) { queue_.emplace_back(TextAnswer{std::move(text)}); }
void ScriptedPrompts::QueueOpenFile(std::optional<std::string> path) { queue_.emplace_back(OpenAnswer{std::move(path)}); }
void ScriptedPrompts::QueueSaveFile(std::optional<std::string> path) { queue_.emplace_back(SaveAnswer{std::move(path)}); }
void ScriptedPrompts::QueueFont(std::optional<FontChoice> font) { queue_.emplace_back(FontAnswer{std::move(font)}); }

const ScriptedPrompts::Request& ScriptedPrompts::Last() const
{
    if (requests_.empty())
        throw std::logic_error("No question was asked");
    return requests_.back();
}

template <class A>
A ScriptedPrompts::Take(Request request)
{
    requests_.push_back(request);
    if (queue_.empty())
        throw Unscripted("No answer queued for the " + Describe(request));
    if (!std::holds_alternative<A>(queue_.front()))
        throw Unscripted("The " + Describe(request) + " was asked, but the next queued answer is for a " +
                         AnswerKindName(queue_.front().index()));
    A answer = std::get<A>(std::move(queue_.front()));
    queue_.pop_front();
    requests_.back().answered = true;
    return answer;
}

MessageAnswer ScriptedPrompts::ShowMessage(const std::string& text, const std::string& title,
                                           MessageButtons buttons, MessageIcon icon,
                                           std::optional<MessageAnswer> defaultButton)
{
    Request request;
    request.kind = Kind::Message;
    request.text = text;
    request.title = title;
    request.buttons = buttons;
    request.icon = icon;
    request.defaultButton = defaultButton;
    if (answerOkBoxes_ && buttons == MessageButtons::Ok) {
        request.answered = true;
        requests_.push_back(request);
        return MessageAnswer::Ok;
    }
    const MessageAnswer answer = Take<MessageAnswer>(request);
    if (!IsButtonOf(answer, buttons)) {
        requests_.back().answered = false;
        throw Unscripted("The queued answer is not a button of the " + Describe(request));
    }
    return answer;
}

std::optional<std::string> ScriptedPrompts::AskText(const std::string& prompt,
                                                    const std::string& title,
                                                    const std::string& defaultText)
{
    Request request;
    request.kind = Kind::Text;
    request.text = prompt;
    request.title = title;
    request.defaultText = defaultText;
    return Take<TextAnswer>(request).text;
}

std::optional<std::string> ScriptedPrompts::ChooseOpenFile(const FileDialogRequest& file)
{
    Request request;
    request.kind = Kind::OpenFile;
    request.file = file;
    return Take<OpenAnswer>(request).path;
}

std::optional<std::string> ScriptedPrompts::ChooseSaveFile(const FileDialogRequest& file)
{
    Request request;
    request.kind = Kind::SaveFile;
    request.file = file;
    return Take<SaveAnswer>(request).path;
}

std::optional<FontChoice> ScriptedPrompts::ChooseFont(const FontChoice& initial)
{
    Request request;
    request.kind = Kind::Font;
    request.font = initial;
    return Take<FontAnswer>(request).font;
}

} // namespace polvane
