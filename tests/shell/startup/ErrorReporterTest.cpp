#include "shell/startup/ErrorReporter.h"

#include <filesystem>
#include <fstream>
#include <new>
#include <stdexcept>
#include <string>

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "model/ProcedureFailure.h"
#include "platform/ProgramFolder.h"
#include "support/FakeClock.h"
#include "support/ScriptedPrompts.h"
#include "support/TestFiles.h"

namespace polvane {
namespace {

namespace fs = std::filesystem;

TEST(ErrorReporterLogTest, TheLineIsOnTheTwelveHourClock)
{
    const LocalDateTime when{2026, 3, 7, 14, 5, 9};
    EXPECT_EQ(ErrorReporter::LogLine(when, "modMain.OpenVenue", 53, "File not found", "2.4.0"),
              "03.07.26--02:05:09 pm--Error in \"modMain.OpenVenue\": Code 53 (File not found): "
              "Version 2.4.0");
    struct Case {
        LocalDateTime when;
        const char* text;
    };
    for (const Case& c : {Case{{2026, 12, 31, 0, 0, 0}, "12.31.26--12:00:00 am"},
                          Case{{2000, 1, 2, 12, 30, 5}, "01.02.00--12:30:05 pm"},
                          Case{{1999, 10, 9, 11, 59, 59}, "10.09.99--11:59:59 am"},
                          Case{{2026, 6, 1, 23, 1, 2}, "06.01.26--11:01:02 pm"}})
        EXPECT_EQ(ErrorReporter::LogTime(c.when), c.text);
}

TEST(ErrorReporterLogTest, CodesFollowTheKindOfFailure)
{
    EXPECT_EQ(ErrorReporter::CodeOf(std::make_exception_ptr(std::out_of_range("x"))), 9);
    EXPECT_EQ(ErrorReporter::CodeOf(std::make_exception_ptr(std::invalid_argument("x"))), 5);
    EXPECT_EQ(ErrorReporter::CodeOf(std::make_exception_ptr(std::overflow_error("x"))), 6);
    EXPECT_EQ(ErrorReporter::CodeOf(std::make_exception_ptr(std::bad_alloc())), 7);
    EXPECT_EQ(ErrorReporter::CodeOf(std::make_exception_ptr(std::runtime_error("x"))), 0);
    EXPECT_EQ(ErrorReporter::CodeOf(std::make_exception_ptr(42)), 0);
}

class ErrorReporterTest : public ::testing::Test {
protected:
    ErrorReporterTest()
    {
        clock_.SetNow({2026, 3, 7, 14, 5, 9});
        prompts_.SetAnswerOkBoxes(true);
    }
    std::string Path(const std::string& name) const
    {
        return (fs::path(temp_.path().toStdString()) / name).string();
    }
    ErrorReporter Reporter(const ProgramFolder& folder)
    {
        return ErrorReporter(folder, clock_, prompts_, [] { return std::string("Quessel Polvane+"); },
                             "2.4.0", [this] { ++orderlyEnds_; }, [this] { ++immediateEnds_; });
    }

    QTemporaryDir temp_;
    FakeClock clock_;
    ScriptedPrompts prompts_;
    int orderlyEnds_ = 0;
    int immediateEnds_ = 0;
};

TEST_F(ErrorReporterTest, AReportLogsTellsTheUserAndEndsInOrder)
{
    const ProgramFolder folder(Path("program"), Path("data"));
    fs::create_directories(folder.Path());
    std::ofstream(folder.File("error.log"), std::ios::binary) << "earlier line\r\n";
    ErrorReporter reporter = Reporter(folder);
    reporter.ReportError("frmVenue.picVenue_MouseMove", 6, "Overflow");

    EXPECT_EQ(ReadAll(folder.File("error.log")),
              "earlier line\r\n03.07.26--02:05:09 pm--Error in \"frmVenue.picVenue_MouseMove\": "
              "Code 6 (Overflow): Version 2.4.0\r\n");
    ASSERT_EQ(prompts_.Requests().size(), 1u);
    EXPECT_EQ(prompts_.Last().text,
              "This application has encountered an internal error and must be shut down.\r\n"
              "Please inform your system administrator of the error and what you were doing when "
              "it occurred.");
    EXPECT_EQ(prompts_.Last().title, "Quessel Polvane+");
    EXPECT_EQ(prompts_.Last().icon, MessageIcon::Critical);
    EXPECT_EQ(orderlyEnds_, 1);
    EXPECT_EQ(immediateEnds_, 0);
    EXPECT_TRUE(reporter.IsReporting());
}

TEST_F(ErrorReporterTest, ASecondReportEndsAtOnceWithoutLogOrMessage)
{
    const ProgramFolder folder(temp_.path().toStdString(), Path("data"));
    ErrorReporter* self = nullptr;
    ErrorReporter reporter(folder, clock_, prompts_, {}, "2.4.0",
                           [&] { self->ReportError("modMain.EndProgram", 0, "failed while ending"); },
                           [this] { ++immediateEnds_; });
    self = &reporter;
    reporter.ReportError("modMain.Main", 5, "Invalid procedure call or argument");
    const std::string log = ReadAll(folder.File("error.log"));
    EXPECT_EQ(log.find("EndProgram"), std::string::npos);
    EXPECT_NE(log.find("modMain.Main"), std::string::npos);
    EXPECT_EQ(prompts_.Requests().size(), 1u);
    EXPECT_EQ(immediateEnds_, 1);
}

TEST_F(ErrorReporterTest, TheLogGoesToTheDataFolderWhenTheProgramFolderCannotBeWritten)
{
    std::ofstream(Path("file")) << "x";
    const ProgramFolder folder(Path("file") + "/program", Path("data"));
    ErrorReporter reporter = Reporter(folder);
    reporter.ReportError("modMain.Main", 0, "boom");
    EXPECT_EQ(reporter.LogPath(), Path("data") + "/error.log");
    EXPECT_NE(ReadAll(reporter.LogPath()).find("boom"), std::string::npos);
    EXPECT_EQ(orderlyEnds_, 1);
}

TEST_F(ErrorReporterTest, ALogThatCannotBeWrittenStillShowsTheMessageAndEnds)
{
    std::ofstream(Path("file")) << "x";
    // Neither folder can hold files.
    const ProgramFolder folder(Path("file") + "/program", Path("file") + "/data");
    ErrorReporter reporter = Reporter(folder);
    reporter.ReportError("modMain.Main", 0, "boom");
    EXPECT_EQ(prompts_.Requests().size(), 1u);
    EXPECT_EQ(orderlyEnds_, 1);
}

TEST_F(ErrorReporterTest, GuardReportsWhatEscapesUnderTheRightName)
{
    const ProgramFolder folder(temp_.path().toStdString(), Path("data"));
    ErrorReporter reporter = Reporter(folder);
    EXPECT_TRUE(reporter.Guard("frmMain.mnuFileNew_Click", [] {}));
    EXPECT_EQ(orderlyEnds_, 0);
    EXPECT_FALSE(reporter.Guard("frmMain.mnuFileNew_Click", [] {
        throw ProcedureFailure("modMain.UpdateInterfaces", "Subscript out of range");
    }));
    EXPECT_NE(ReadAll(folder.File("error.log"))
                  .find("--Error in \"modMain.UpdateInterfaces\": Code 0 (Subscript out of range)"),
              std::string::npos);
    EXPECT_EQ(orderlyEnds_, 1);
}

TEST_F(ErrorReporterTest, BothEndingsAreRequired)
{
    const ProgramFolder folder(temp_.path().toStdString());
    EXPECT_THROW(ErrorReporter(folder, clock_, prompts_, {}, "2.4.0", {}, [] {}),
                 std::invalid_argument);
}

} // namespace
} // namespace polvane

#include "shell/startup/ReportingApplication.h"

namespace polvane {
namespace {

TEST_F(ErrorReporterTest, AFailureEscapingAnEventHandlerIsReportedNotPassedOn)
{
    const ProgramFolder folder(temp_.path().toStdString(), Path("data"));
    ErrorReporter reporter = Reporter(folder);
    EXPECT_TRUE(ReportingApplication::Deliver(&reporter, [] { return true; }));
    bool handled = true;
    EXPECT_NO_THROW(handled = ReportingApplication::Deliver(
                        &reporter, []() -> bool { throw std::runtime_error("escaped"); }));
    EXPECT_FALSE(handled);
    EXPECT_NE(ReadAll(folder.File("error.log")).find("\"modMain.EventLoop\": Code 0 (escaped)"),
              std::string::npos);
    EXPECT_EQ(orderlyEnds_, 1);
}

} // namespace
} // namespace polvane
