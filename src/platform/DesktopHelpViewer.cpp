#include "platform/DesktopHelpViewer.h"

#include <filesystem>
#include <stdexcept>
#include <system_error>

#include <QDesktopServices>
#include <QString>
#include <QUrl>

#include "platform/Prompts.h"

namespace polvane {

namespace fs = std::filesystem;

DesktopHelpViewer::DesktopHelpViewer(std::string helpFolder, Prompts& prompts,
                                     std::function<std::string()> title, Opener open)
    : helpFolder_(std::move(helpFolder)), prompts_(prompts), title_(std::move(title)),
      open_(std::move(open))
{
    if (!open_) {
        open_ = [](const std::string& path) {
            return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
        };
    }
}

std::string DesktopHelpViewer::PagePath(const std::string& topic) const
{
    if (topic.empty() || topic.find_first_of("/\\") != std::string::npos || topic == "..")
        throw std::invalid_argument("Not a help topic: \"" + topic + "\"");
    return (fs::path(helpFolder_) / "source" / (topic + ".htm")).string();
}

void DesktopHelpViewer::ShowHelp(const std::string& topic, bool /*search*/)
{
    const std::string page = PagePath(topic);
    const std::string title = title_ ? title_() : std::string();
    std::error_code error;
    if (!fs::is_directory(fs::path(helpFolder_) / "source", error)) {
        prompts_.ShowMessage("The help pages are not installed.\nThey belong in the folder \"" +
                                 helpFolder_ + "\".",
                             title, MessageButtons::Ok, MessageIcon::Exclamation);
        return;
    }
    if (!fs::is_regular_file(page, error)) {
        prompts_.ShowMessage("The help page for this topic is not installed:\n\"" + page + "\"",
                             title, MessageButtons::Ok, MessageIcon::Exclamation);
        return;
    }
    if (!open_(page)) {
        prompts_.ShowMessage("The help page could not be opened:\n\"" + page +
                                 "\"\nNo program to show web pages was found.",
                             title, MessageButtons::Ok, MessageIcon::Exclamation);
    }
}

} // namespace polvane
