#include "platform/DesktopHelpViewer.h"

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <vector>

#include <QTemporaryDir>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/ScriptedPrompts.h"

namespace polvane {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

class DesktopHelpViewerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(temp_.isValid());
        helpFolder_ = (fs::path(temp_.path().toStdString()) / "Help").string();
        prompts_.SetAnswerOkBoxes(true);
    }

    DesktopHelpViewer Viewer(bool opens = true)
    {
        return DesktopHelpViewer(helpFolder_, prompts_, [] { return std::string("Quessel Polvane"); },
                                 [this, opens](const std::string& path) {
                                     opened_.push_back(path);
                                     return opens;
                                 });
    }

    void InstallPage(const char* topic)
    {
        fs::create_directories(fs::path(helpFolder_) / "source");
        std::ofstream(fs::path(helpFolder_) / "source" / (std::string(topic) + ".htm")) << "<html/>";
    }

    QTemporaryDir temp_;
    std::string helpFolder_;
    ScriptedPrompts prompts_;
    std::vector<std::string> opened_;
};

TEST_F(DesktopHelpViewerTest, OpensTheTopicsPageInTheSourceFolder)
{
    InstallPage("reference_venue");
    Viewer().ShowHelp("reference_venue", false);
    EXPECT_EQ(opened_, (std::vector<std::string>{helpFolder_ + "/source/reference_venue.htm"}));
    EXPECT_TRUE(prompts_.Requests().empty());
}

TEST_F(DesktopHelpViewerTest, SaysSoWhenTheHelpPagesAreNotInstalled)
{
    Viewer().ShowHelp("index", true);
    EXPECT_TRUE(opened_.empty());
    ASSERT_EQ(prompts_.Requests().size(), 1u);
    EXPECT_THAT(prompts_.Last().text, HasSubstr("help pages are not installed"));
    EXPECT_THAT(prompts_.Last().text, HasSubstr(helpFolder_));
    EXPECT_EQ(prompts_.Last().title, "Quessel Polvane");
}

TEST_F(DesktopHelpViewerTest, NamesAMissingPageOrAFailedViewer)
{
    InstallPage("index");
    Viewer().ShowHelp("reference_notes", false);
    Viewer(false).ShowHelp("index", false);
    ASSERT_EQ(prompts_.Requests().size(), 2u);
    EXPECT_THAT(prompts_.Requests()[0].text, HasSubstr("reference_notes.htm"));
    EXPECT_THAT(prompts_.Requests()[1].text, HasSubstr("could not be opened"));
    EXPECT_THROW(Viewer().ShowHelp("../index", false), std::invalid_argument);
}

} // namespace
} // namespace polvane
