#pragma once

#include <functional>
#include <string>
#include <vector>

#include <QString>
#include <QWidget>

#include "platform/HelpViewer.h"

class QKeyEvent;
class QLineEdit;
class QListWidget;
class QTextBrowser;

namespace polvane {

class Prompts;

// The help pages shown inside the program: a contents list of every page, a search box that
// narrows the list to the pages holding all its words, and the page itself. The pages are
// HTML files in the help folder's "source/" folder, a topic's page being topic + ".htm", so
// help works without a network or a desktop viewer. When the pages are missing the user is
// told so in a message box rather than nothing happening.
class HelpWindow : public QWidget, public HelpViewer {
public:
    // title gives the message boxes' title and, with " Help", the window's own.
    HelpWindow(std::string helpFolder, Prompts& prompts, std::function<std::string()> title,
               QWidget* parent = nullptr);

    // The page of a topic. Throws std::invalid_argument for a topic that is empty or holds
    // a path separator.
    std::string PagePath(const std::string& topic) const;

    // Shows the topic's page; with search, the search box takes the keyboard.
    void ShowHelp(const std::string& topic, bool search) override;

    // The topic of the page shown ("" before any).
    std::string CurrentTopic() const;

    QListWidget* Contents() const { return contents_; }
    QLineEdit* SearchBox() const { return search_; }
    QTextBrowser* Page() const { return page_; }

protected:
    // Escape closes the window, as it does every other window but the main one.
    void keyPressEvent(QKeyEvent* event) override;

private:
    struct HelpPage {
        QString topic;
        QString title;
        QString words; // the page's text in lower case, for the search
    };

    void ReadPages();
    void ListPages(const QString& query);
    void OpenListed();
    void MarkListed(const QString& topic);

    std::string helpFolder_;
    Prompts& prompts_;
    std::function<std::string()> title_;
    std::vector<HelpPage> pages_;
    bool pagesRead_ = false;
    QListWidget* contents_;
    QLineEdit* search_;
    QTextBrowser* page_;
};

} // namespace polvane
