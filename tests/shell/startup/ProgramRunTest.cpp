#include "shell/startup/ProgramRun.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "../FakeShellMainWindow.h"
#include "engine/Environment.h"
#include "files/VenueFile.h"
#include "platform/ProgramFolder.h"
#include "shell/startup/CrashMarker.h"
#include "shell/startup/ErrorReporter.h"
#include "shell/session/RecentFiles.h"
#include "shell/session/Session.h"
#include "shell/startup/StartupWindows.h"
#include "shell/session/UpdateHub.h"
#include "shell/session/VenueLifecycle.h"
#include "shell/session/WindowRegistry.h"
#include "support/FakeClock.h"
#include "support/MemorySettingsStore.h"
#include "support/RecordingHelpViewer.h"
#include "support/ScriptedPrompts.h"

namespace polvane {
namespace {

namespace fs = std::filesystem;

class LoggingStartupWindows : public StartupWindows {
public:
    explicit LoggingStartupWindows(std::vector<std::string>& log) : log_(log) {}
    void ShowSplash() override { log_.push_back("show splash"); }
    void HideSplash() override { log_.push_back("hide splash"); }
    void ShowMainWindow() override { log_.push_back("show main window"); }
    void SetListeningPointsListVisible(bool visible) override
    {
        log_.push_back(visible ? "show points list" : "hide points list");
    }
    void UnloadAll() override { log_.push_back("unload all"); }

private:
    std::vector<std::string>& log_;
};

TEST(CommandLinePathTest, QuotesBecomeBlanksAndBlanksAroundAreRemoved)
{
    EXPECT_EQ(ProgramRun::CommandLinePath(""), std::nullopt);
    EXPECT_EQ(ProgramRun::CommandLinePath("\"\" "), std::string());
    EXPECT_EQ(ProgramRun::CommandLinePath("  \"/home/u/My Hall.venue\"  "),
              std::string("/home/u/My Hall.venue"));
    EXPECT_EQ(ProgramRun::CommandLinePath("/a\"b.venue"), std::string("/a b.venue"));
}

class ProgramRunTest : public ::testing::Test {
protected:
    ProgramRunTest()
        : folder_(temp_.path().toStdString(), Path("data")), session_(store_), recent_(store_),
          lifecycle_(session_, prompts_, main_, recent_, [this] { return folder_.File("Templates/Blank_English.venue"); },
                     [] { return std::string("Quessel Polvane"); }),
          hub_(session_, registry_, main_, help_),
          windows_(log_),
          reporter_(folder_, clock_, prompts_, {}, "2.4.0", [this] { log_.push_back("orderly end"); },
                    [this] { log_.push_back("immediate end"); }),
          run_(clock_, prompts_, folder_, session_, lifecycle_, hub_, windows_, reporter_,
               [this] { ReadOptions(); }, [] { return std::string("Quessel Polvane"); })
    {
        lifecycle_.SetUpdateHub(&hub_);
        prompts_.SetAnswerOkBoxes(true);
        clock_.SetNow({2026, 3, 7, 14, 5, 9});
        clock_.SetTickCount(10000);
        fs::create_directories(folder_.File("Templates"));
        Environment blank;
        blank.Clear();
        blank.SetNotes("template");
        VenueFile::SaveAs(blank, folder_.File("Templates/Blank_English.venue"));
    }
    void ReadOptions()
    {
        log_.push_back("read options");
        clock_.Advance(optionsTakeMs_);
        if (optionsFail_)
            throw std::invalid_argument("bad option");
    }
    std::string Path(const std::string& name) const
    {
        return (fs::path(temp_.path().toStdString()) / name).string();
    }
    std::vector<std::string> MessageTexts() const
    {
        std::vector<std::string> texts;
        for (const auto& request : prompts_.Requests())
            if (request.kind == ScriptedPrompts::Kind::Message)
                texts.push_back(request.text);
        return texts;
    }

    QTemporaryDir temp_;
    FakeClock clock_;
    ScriptedPrompts prompts_;
    ProgramFolder folder_;
    MemorySettingsStore store_;
    Session session_;
    RecentFiles recent_;
    FakeShellMainWindow main_;
    VenueLifecycle lifecycle_;
    WindowRegistry registry_;
    RecordingHelpViewer help_;
    UpdateHub hub_;
    std::vector<std::string> log_;
    LoggingStartupWindows windows_;
    ErrorReporter reporter_;
    ProgramRun run_;
    long long optionsTakeMs_ = 0;
    bool optionsFail_ = false;
};

TEST_F(ProgramRunTest, AnEmptyCommandLineStartsANewVenueAndRunsTheSequenceInOrder)
{
    ASSERT_TRUE(run_.Start(""));
    EXPECT_EQ(log_, (std::vector<std::string>{"read options", "show splash", "show main window",
                                              "hide points list", "show points list",
                                              "hide splash"}));
    EXPECT_EQ(lifecycle_.Venue().Notes(), "template");
    EXPECT_TRUE(lifecycle_.SlotUsed(1));
    EXPECT_TRUE(MessageTexts().empty());
    // The marker holds the start time.
    const CrashMarker marker(folder_);
    ASSERT_TRUE(marker.StoredDate().has_value());
    EXPECT_DOUBLE_EQ(*marker.StoredDate(), (LocalDateTime{2026, 3, 7, 14, 5, 9}.ToOleDate()));
}

TEST_F(ProgramRunTest, TheSplashStaysUpTwoSecondsFromItsPlanUnlessStartUpTookLonger)
{
    optionsTakeMs_ = 500;
    ASSERT_TRUE(run_.Start(""));
    ASSERT_FALSE(clock_.Delays().empty());
    EXPECT_EQ(clock_.Delays().back(), (FakeClock::DelayCall{1500, true}));
}

TEST_F(ProgramRunTest, ASlowStartUpHidesTheSplashWithoutWaiting)
{
    optionsTakeMs_ = 2500;
    ASSERT_TRUE(run_.Start(""));
    ASSERT_FALSE(clock_.Delays().empty());
    EXPECT_EQ(clock_.Delays().back(), (FakeClock::DelayCall{0, true}));
}

TEST_F(ProgramRunTest, AMarkerLeftFromTheLastRunIsWarnedOfBeforeAnyWindow)
{
    std::ofstream(folder_.File("working.tmp"), std::ios::binary) << "12345678";
    ASSERT_TRUE(run_.Start(""));
    ASSERT_FALSE(prompts_.Requests().empty());
    EXPECT_EQ(prompts_.Requests().front().text, CrashMarker::kWarning);
    EXPECT_EQ(prompts_.Requests().front().icon, MessageIcon::Critical);
    EXPECT_EQ(log_.front(), "read options");
}

TEST_F(ProgramRunTest, AnOrderlyEndUnloadsTheWindowsAndRemovesTheMarker)
{
    ASSERT_TRUE(run_.Start(""));
    ASSERT_TRUE(CrashMarker(folder_).Exists());
    log_.clear();
    ASSERT_TRUE(run_.ShutDown());
    EXPECT_EQ(log_, (std::vector<std::string>{"unload all"}));
    EXPECT_FALSE(CrashMarker(folder_).Exists());
}

TEST_F(ProgramRunTest, ACommandLineFileIsOpened)
{
    Environment venue;
    venue.Clear();
    venue.SetNotes("from the command line");
    VenueFile::SaveAs(venue, Path("My Hall.venue"));
    ASSERT_TRUE(run_.Start(std::string(1, '"').append(Path("My Hall.venue")).append(1, '"')));
    EXPECT_EQ(lifecycle_.Venue().Notes(), "from the command line");
    EXPECT_EQ(lifecycle_.VenuePath(), Path("My Hall.venue"));
}

TEST_F(ProgramRunTest, AMissingCommandLineFileGivesAMessageAndANewVenue)
{
    ASSERT_TRUE(run_.Start(Path("gone.venue")));
    EXPECT_EQ(MessageTexts(), (std::vector<std::string>{ProgramRun::MissingFileText(Path("gone.venue"))}));
    EXPECT_EQ(lifecycle_.Venue().Notes(), "template");
    EXPECT_FALSE(lifecycle_.HasFileName());
    EXPECT_TRUE(lifecycle_.SlotUsed(1));
}

TEST_F(ProgramRunTest, AnUnreadableCommandLineFileGivesAMessageAndANewVenue)
{
    std::ofstream(Path("bad.venue")) << "nonsense\n";
    ASSERT_TRUE(run_.Start(Path("bad.venue")));
    ASSERT_EQ(MessageTexts().size(), 1u);
    EXPECT_EQ(lifecycle_.Venue().Notes(), "template");
    EXPECT_EQ(std::count(log_.begin(), log_.end(), "orderly end"), 0);
    // No venue was open yet, so none is said to be kept; once one is, it is.
    EXPECT_EQ(MessageTexts()[0].rfind("The venue could not be opened.\r\n", 0), 0u) << MessageTexts()[0];
    EXPECT_FALSE(lifecycle_.OpenVenue(Path("bad.venue")));
    ASSERT_EQ(MessageTexts().size(), 2u);
    EXPECT_EQ(MessageTexts()[1].rfind("The venue could not be opened; the open venue is kept.\r\n", 0), 0u)
        << MessageTexts()[1];
}

TEST_F(ProgramRunTest, OnlyQuotesAskForAFileAndACancelGivesANewVenue)
{
    prompts_.QueueOpenFile(std::nullopt);
    ASSERT_TRUE(run_.Start(" \"\" "));
    EXPECT_EQ(prompts_.Requests().front().kind, ScriptedPrompts::Kind::OpenFile);
    EXPECT_EQ(lifecycle_.Venue().Notes(), "template");
    EXPECT_TRUE(lifecycle_.SlotUsed(1));
}

TEST_F(ProgramRunTest, AFailingStartIsReportedUnderMain)
{
    optionsFail_ = true;
    EXPECT_FALSE(run_.Start(""));
    EXPECT_EQ(log_.back(), "orderly end");
    std::ifstream logFile(folder_.File("error.log"));
    std::string line;
    std::getline(logFile, line);
    EXPECT_EQ(line, "03.07.26--02:05:09 pm--Error in \"modMain.Main\": Code 5 (bad option): "
                    "Version 2.4.0\r");
}

} // namespace
} // namespace polvane
