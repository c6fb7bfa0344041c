// The help pages shipped with the program, shown through the real windows: every topic the
// program opens has its page, every link between the pages leads somewhere, F1 in each tool
// window and Help > Search reach the pages in the help window.
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTest>
#include <QTextBrowser>

#include "ToolWindowFixture.h"
#include "platform/HelpWindow.h"
#include "support/TestFiles.h"
#include "windows/tools/ArrayConfigurationWindow.h"
#include "windows/dialogs/ArrayDesignDialog.h"
#include "windows/tools/ArrayPictureWindow.h"
#include "windows/tools/BumperConfigurationWindow.h"
#include "windows/tools/CalculationsWindow.h"
#include "windows/tools/CellConfigurationsWindow.h"
#include "windows/dialogs/ChooseColorDialog.h"
#include "windows/tools/FROptionsWindow.h"
#include "windows/tools/IFEGraphWindow.h"
#include "windows/tools/ListeningPointsWindow.h"
#include "windows/tools/NotesWindow.h"
#include "windows/dialogs/OptionsDialog.h"
#include "windows/tools/RiggingDetailsWindow.h"
#include "windows/tools/SeatingAreasWindow.h"
#include "windows/base/ToolWindow.h"
#include "windows/base/ToolWindowHost.h"
#include "windows/tools/ToolWindowFactory.h"
#include "windows/tools/VenueWindow.h"

namespace polvane {
namespace {

// The pages as they are installed (the build sets the source tree's folder).
const fs::path kHelpFolder = POLVANE_HELP_FOLDER;

// Every topic the program can ask for: the contents, the tool windows' and the dialogs'.
std::vector<std::string> TopicsTheProgramOpens()
{
    std::vector<std::string> topics{"index", ArrayDesignDialog::kHelpTopic, ChooseColorDialog::kHelpTopic};
    for (const ToolWindowInfo& info : ToolWindowRegistry::All())
        topics.emplace_back(info.helpTopic);
    for (const char* topic : OptionsDialog::kHelpTopics)
        topics.emplace_back(topic);
    return topics;
}

std::vector<fs::path> Pages()
{
    std::vector<fs::path> pages;
    for (const auto& entry : fs::directory_iterator(kHelpFolder / "source"))
        if (entry.path().extension() == ".htm")
            pages.push_back(entry.path());
    return pages;
}

TEST(HelpPages, EveryTopicTheProgramOpensHasATitledPageOnTheContents)
{
    const std::string contents = ReadAll(kHelpFolder / "source" / "index.htm");
    for (const std::string& topic : TopicsTheProgramOpens()) {
        const fs::path page = kHelpFolder / "source" / (topic + ".htm");
        ASSERT_TRUE(fs::is_regular_file(page)) << topic;
        EXPECT_TRUE(QString::fromStdString(ReadAll(page))
                        .contains(QRegularExpression("<title>[^<]+</title>")))
            << topic;
        if (topic != "index") {
            EXPECT_NE(contents.find("href=\"" + topic + ".htm\""), std::string::npos)
                << topic << " is missing from the contents page";
        }
    }
    // And no page is left that nothing opens or lists.
    const std::vector<std::string> topics = TopicsTheProgramOpens();
    const std::set<std::string> known(topics.begin(), topics.end());
    for (const fs::path& page : Pages())
        EXPECT_TRUE(known.count(page.stem().string()) == 1 ||
                    contents.find("href=\"" + page.filename().string() + "\"") != std::string::npos)
            << page.filename();
}

TEST(HelpPages, EveryLinkLeadsToAPageAndAnchorOfTheHelp)
{
    const QRegularExpression link("(?:href|src)=\"([^\"]*)\"");
    int links = 0;
    for (const fs::path& page : Pages()) {
        const QString text = QString::fromStdString(ReadAll(page));
        for (auto at = link.globalMatch(text); at.hasNext();) {
            ++links;
            const std::string target = at.next().captured(1).toStdString();
            SCOPED_TRACE(page.filename().string() + " -> " + target);
            // Help works offline: nothing outside the help folder.
            ASSERT_EQ(target.find(':'), std::string::npos);
            const std::size_t hash = target.find('#');
            const std::string file = target.substr(0, hash);
            const fs::path linked = file.empty() ? page : page.parent_path() / file;
            ASSERT_TRUE(fs::is_regular_file(linked));
            if (hash != std::string::npos) {
                const std::string anchor = target.substr(hash + 1);
                const std::string linkedText = ReadAll(linked);
                EXPECT_TRUE(linkedText.find("id=\"" + anchor + "\"") != std::string::npos ||
                            linkedText.find("name=\"" + anchor + "\"") != std::string::npos);
            }
        }
    }
    EXPECT_GT(links, 0) << "the contents page links the others";
}

// The tool windows and the main window, with the update hub opening the real help window
// on the shipped pages.
class HelpPagesInWindowsTest : public ToolWindowFixture {
protected:
    HelpPagesInWindowsTest() { helpWindow_.show(); }

    HelpWindow help_{kHelpFolder.string(), prompts_, [] { return std::string("Quessel Polvane"); }};
    ShellMainWindowRelay helpRelay_;
    UpdateHub helpHub_{session_, registry_, helpRelay_, help_};
    MainWindow helpWindow_{options_, prompts_, screen_, registry_, reporter_, lifecycle_, helpHub_, helpRelay_};
    ToolWindowContext helpContext_{registry_, helpWindow_, *helpWindow_.MdiArea(), screen_, helpHub_,
                                   lifecycle_, reporter_, options_, session_,
                                   [this] { return helpWindow_.IsUnloading(); }, prompts_, &helpWindow_, {}};
};

TEST_F(HelpPagesInWindowsTest, F1InEachToolWindowOpensItsPage)
{
    std::vector<std::string> shownTitles;
    for (const ToolWindowInfo& info : ToolWindowRegistry::All()) {
        SCOPED_TRACE(info.caption);
        ToolWindowHost host(helpContext_, [id = info.id](ToolWindowContext& c) {
            return ToolWindowFactory::Create(id, c);
        });
        ToolWindow& tool = dynamic_cast<ToolWindow&>(host.Load());
        tool.show();
        help_.hide();
        // The key goes where a user's would: the control with the focus, else the window.
        QWidget* target = tool.focusWidget() != nullptr ? tool.focusWidget() : &tool;
        QTest::keyClick(target, Qt::Key_F1);
        EXPECT_TRUE(help_.isVisible());
        EXPECT_EQ(help_.CurrentTopic(), info.helpTopic);
        const std::string title = help_.Page()->documentTitle().toStdString();
        EXPECT_FALSE(title.empty());
        shownTitles.push_back(title);
        host.Unload();
    }
    EXPECT_EQ(std::set<std::string>(shownTitles.begin(), shownTitles.end()).size(), shownTitles.size())
        << "each window has a page of its own";
    EXPECT_TRUE(prompts_.Requests().empty());
}

TEST_F(HelpPagesInWindowsTest, HelpSearchFindsTheVenueWindowsPageByAWordOnIt)
{
    // Help > Search with the mouse: the menu bar's Help, then its Search item.
    QMenu* menu = helpWindow_.findChild<QMenu*>(QStringLiteral("mnuHelp"));
    QAction* search = helpWindow_.findChild<QAction*>(QStringLiteral("mnuHelpSearch"));
    ASSERT_NE(menu, nullptr);
    ASSERT_NE(search, nullptr);
    QMenuBar* bar = helpWindow_.menuBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(menu->menuAction()).center());
    ASSERT_TRUE(QTest::qWaitFor([menu] { return menu->isVisible(); }, 2000));
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(search).center());
    ASSERT_TRUE(help_.isVisible());
    EXPECT_EQ(help_.CurrentTopic(), "index");
    // The search box has the keyboard; a word only the venue window's page holds finds it.
    ASSERT_TRUE(QTest::qWaitForWindowActive(&help_));
    QWidget* keyboard = QApplication::focusWidget();
    ASSERT_EQ(keyboard, help_.SearchBox());
    QTest::keyClicks(keyboard, QStringLiteral("hot spots"));
    ASSERT_EQ(help_.Contents()->count(), 1);
    EXPECT_EQ(help_.Contents()->item(0)->text().toStdString(), "Venue Window");
    QTest::keyClick(keyboard, Qt::Key_Return);
    EXPECT_EQ(help_.CurrentTopic(), "reference_venue");
}

} // namespace
} // namespace polvane
