#pragma once

#include <optional>
#include <string>

namespace polvane {

enum class MessageButtons { Ok, YesNo, YesNoCancel };
enum class MessageIcon { None, Critical, Question, Exclamation, Information };
enum class MessageAnswer { Ok, Yes, No, Cancel };

// What a file dialog shows. The filter is written as pairs of a description and its
// patterns, all joined by "|": "Venue file (*.venue)|*.venue|All files (*.*)|*.*";
// several patterns of one pair are joined by ";".
struct FileDialogRequest {
    std::string title;
    std::string filter;
    int filterIndex = 1;          // 1-based: the pair selected at first
    std::string folder;           // empty: wherever the dialog opens
    std::string fileName;         // the name (or whole path) proposed at first
    std::string defaultExtension; // without the point; added to a name typed without one
    bool askBeforeOverwrite = true; // save dialogs only

    bool operator==(const FileDialogRequest&) const = default;
};

struct FontChoice {
    std::string name;
    float size = 10.0f; // points
    bool bold = false;
    bool italic = false;

    bool operator==(const FontChoice&) const = default;
};

// Every question the program puts to the user in a box of its own: message boxes,
// input boxes, file and font dialogs. Each call waits for the answer. Paths and texts
// are UTF-8.
class Prompts {
public:
    virtual ~Prompts() = default;

    // With no default button given, the first button is the default.
    virtual MessageAnswer ShowMessage(const std::string& text, const std::string& title,
                                      MessageButtons buttons, MessageIcon icon,
                                      std::optional<MessageAnswer> defaultButton) = 0;
    MessageAnswer ShowMessage(const std::string& text, const std::string& title,
                              MessageButtons buttons = MessageButtons::Ok,
                              MessageIcon icon = MessageIcon::None)
    {
        return ShowMessage(text, title, buttons, icon, std::nullopt);
    }

    // The text entered; nothing when the user cancels.
    virtual std::optional<std::string> AskText(const std::string& prompt, const std::string& title,
                                               const std::string& defaultText) = 0;

    // The chosen file's path; nothing when the dialog is cancelled.
    virtual std::optional<std::string> ChooseOpenFile(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> ChooseSaveFile(const FileDialogRequest& request) = 0;

    // The chosen font; nothing when the dialog is cancelled.
    virtual std::optional<FontChoice> ChooseFont(const FontChoice& initial) = 0;
};

} // namespace polvane
