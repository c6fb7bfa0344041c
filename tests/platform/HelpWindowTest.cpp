#include "platform/HelpWindow.h"

#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/ScriptedPrompts.h"

namespace polvane {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

class HelpWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(temp_.isValid());
        helpFolder_ = (fs::path(temp_.path().toStdString()) / "Help").string();
        prompts_.SetAnswerOkBoxes(true);
    }

    void InstallPage(const std::string& topic, const std::string& title, const std::string& body)
    {
        fs::create_directories(fs::path(helpFolder_) / "source");
        std::ofstream(fs::path(helpFolder_) / "source" / (topic + ".htm"))
            << "<html><head><title>" << title << "</title></head><body>" << body << "</body></html>";
    }
    void InstallThreePages()
    {
        InstallPage("index", "Contents",
                    "<p><a href=\"reference_venue.htm\">Venue</a> and "
                    "<a href=\"reference_notes.htm\">Notes</a></p>");
        InstallPage("reference_venue", "Venue Window", "<p>The side section with its seating areas.</p>");
        InstallPage("reference_notes", "Notes Window", "<p>Free text kept with the venue.</p>");
    }
    QTemporaryDir temp_;
    std::string helpFolder_;
    ScriptedPrompts prompts_;
};

class HelpWindowInFolderTest : public HelpWindowTest {
protected:
    void SetUp() override
    {
        HelpWindowTest::SetUp();
        InstallThreePages();
    }
    HelpWindow& Help()
    {
        if (!help_)
            help_ = std::make_unique<HelpWindow>(helpFolder_, prompts_,
                                                 [] { return std::string("Quessel Polvane"); });
        return *help_;
    }
    std::vector<std::string> ListedIn(HelpWindow& help) const
    {
        std::vector<std::string> titles;
        for (int row = 0; row < help.Contents()->count(); ++row)
            titles.push_back(help.Contents()->item(row)->text().toStdString());
        return titles;
    }

    std::unique_ptr<HelpWindow> help_;
};

TEST_F(HelpWindowInFolderTest, ShowsTheTopicsPageWithEveryPageInTheContentsIndexFirst)
{
    Help().ShowHelp("reference_venue", false);
    EXPECT_TRUE(Help().isVisible());
    EXPECT_EQ(Help().windowTitle().toStdString(), "Quessel Polvane Help");
    EXPECT_EQ(Help().CurrentTopic(), "reference_venue");
    EXPECT_THAT(Help().Page()->toPlainText().toStdString(), HasSubstr("seating areas"));
    EXPECT_EQ(ListedIn(Help()), (std::vector<std::string>{"Contents", "Notes Window", "Venue Window"}));
    ASSERT_NE(Help().Contents()->currentItem(), nullptr);
    EXPECT_EQ(Help().Contents()->currentItem()->text().toStdString(), "Venue Window");
    EXPECT_TRUE(prompts_.Requests().empty());
}

TEST_F(HelpWindowInFolderTest, ClickingAContentsEntryOrFollowingALinkOpensThatPage)
{
    Help().ShowHelp("index", false);
    QListWidget& contents = *Help().Contents();
    const QRect notes = contents.visualItemRect(contents.item(1));
    QTest::mouseClick(contents.viewport(), Qt::LeftButton, {}, notes.center());
    EXPECT_EQ(Help().CurrentTopic(), "reference_notes");

    // Back on the contents page, the keyboard follows its first link (the venue's).
    Help().ShowHelp("index", false);
    Help().Page()->setFocus();
    QTest::keyClick(Help().Page(), Qt::Key_Tab);
    QTest::keyClick(Help().Page(), Qt::Key_Return);
    EXPECT_EQ(Help().CurrentTopic(), "reference_venue");
    ASSERT_NE(Help().Contents()->currentItem(), nullptr);
    EXPECT_EQ(Help().Contents()->currentItem()->text().toStdString(), "Venue Window");
}

// Escape closes the window wherever the keyboard is in it, and help opens it again.
TEST_F(HelpWindowInFolderTest, EscapeClosesTheWindow)
{
    const std::vector<std::pair<const char*, QWidget*>> targets = {
        {"search box", Help().SearchBox()}, {"contents", Help().Contents()}, {"page", Help().Page()}};
    for (const auto& [what, target] : targets) {
        Help().ShowHelp("reference_venue", false);
        ASSERT_TRUE(Help().isVisible()) << what;
        target->setFocus();
        QTest::keyClicks(Help().SearchBox(), QStringLiteral("venue")); // a search under way
        QTest::keyClick(target, Qt::Key_Escape);
        EXPECT_FALSE(Help().isVisible()) << what;
    }
    Help().ShowHelp("reference_notes", false);
    EXPECT_TRUE(Help().isVisible());
    EXPECT_EQ(Help().CurrentTopic(), "reference_notes");
    EXPECT_TRUE(prompts_.Requests().empty());
}

TEST_F(HelpWindowInFolderTest, SearchListsThePagesHoldingEveryWordAndEnterOpensTheFirst)
{
    Help().ShowHelp("index", true);
    EXPECT_EQ(Help().CurrentTopic(), "index");
    struct Case {
        const char* typed;
        std::vector<std::string> listed;
    };
    const Case cases[] = {
        {"SEATING", {"Venue Window"}},
        {"venue", {"Contents", "Notes Window", "Venue Window"}}, // in a title or the text
        {"free venue", {"Notes Window"}},
        {"balcony", {}},
        {"", {"Contents", "Notes Window", "Venue Window"}},
    };
    for (const Case& c : cases) {
        Help().SearchBox()->clear();
        QTest::keyClicks(Help().SearchBox(), QString::fromUtf8(c.typed));
        EXPECT_EQ(ListedIn(Help()), c.listed) << c.typed;
    }
    QTest::keyClicks(Help().SearchBox(), QStringLiteral("seating"));
    QTest::keyClick(Help().SearchBox(), Qt::Key_Return);
    EXPECT_EQ(Help().CurrentTopic(), "reference_venue");

    // Nothing found: Enter leaves the page shown.
    Help().SearchBox()->clear();
    QTest::keyClicks(Help().SearchBox(), QStringLiteral("balcony"));
    QTest::keyClick(Help().SearchBox(), Qt::Key_Return);
    EXPECT_EQ(Help().CurrentTopic(), "reference_venue");

    // Contents rather than search shows every page again.
    Help().ShowHelp("reference_notes", false);
    EXPECT_TRUE(Help().SearchBox()->text().isEmpty());
    EXPECT_EQ(ListedIn(Help()).size(), 3u);
}

TEST_F(HelpWindowInFolderTest, OverAModalDialogTheHelpTakesTheKeyboardItself)
{
    // F1 in a modal dialog: a help window the dialog blocked would be useless.
    QWidget dialog;
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.show();
    ASSERT_EQ(QApplication::activeModalWidget(), &dialog);
    Help().ShowHelp("reference_venue", false);
    EXPECT_TRUE(Help().isVisible());
    EXPECT_EQ(Help().windowModality(), Qt::ApplicationModal);
    EXPECT_FALSE(QApplication::activeModalWidget() == &dialog);

    // Once the dialog and the help are closed, the help opens beside the windows again.
    Help().close();
    dialog.close();
    Help().ShowHelp("index", false);
    EXPECT_TRUE(Help().isVisible());
    EXPECT_EQ(Help().windowModality(), Qt::NonModal);
}

TEST_F(HelpWindowTest, SaysSoWhenTheHelpPagesAreNotInstalled)
{
    HelpWindow help(helpFolder_, prompts_, [] { return std::string("Quessel Polvane"); });
    help.ShowHelp("index", true);
    EXPECT_FALSE(help.isVisible());
    ASSERT_EQ(prompts_.Requests().size(), 1u);
    EXPECT_THAT(prompts_.Last().text, HasSubstr("help pages are not installed"));
    EXPECT_THAT(prompts_.Last().text, HasSubstr(helpFolder_));
    EXPECT_EQ(prompts_.Last().title, "Quessel Polvane");
}

TEST_F(HelpWindowTest, NamesAMissingPageAndRefusesATopicThatIsAPath)
{
    InstallPage("index", "Contents", "");
    HelpWindow help(helpFolder_, prompts_, [] { return std::string("Quessel Polvane"); });
    help.ShowHelp("reference_notes", false);
    EXPECT_FALSE(help.isVisible());
    ASSERT_EQ(prompts_.Requests().size(), 1u);
    EXPECT_THAT(prompts_.Last().text, HasSubstr("reference_notes.htm"));
    for (const char* topic : {"../index", "", "..", "a\\b"})
        EXPECT_THROW(help.ShowHelp(topic, false), std::invalid_argument) << topic;
}

} // namespace
} // namespace polvane
