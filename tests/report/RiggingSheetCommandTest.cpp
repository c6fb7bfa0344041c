#include "report/RiggingSheetCommand.h"

#include <filesystem>
#include <stdexcept>
#include <string>

#include <QApplication>
#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLocale>
#include <QPageSize>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "../engine/PredictionTestVenues.h"
#include "../shell/FakeShellMainWindow.h"
#include "engine/Environment.h"
#include "files/BuildVersion.h"
#include "files/VenueFile.h"
#include "platform/PrinterFailure.h"
#include "platform/ProgramFolder.h"
#include "platform/QtPrinterDialog.h"
#include "report/RiggingSheet.h"
#include "shell/startup/ErrorReporter.h"
#include "shell/commands/GradientProgressBar.h"
#include "shell/options/Options.h"
#include "shell/session/Session.h"
#include "shell/commands/ProgressWindow.h"
#include "shell/session/RecentFiles.h"
#include "shell/session/VenueLifecycle.h"
#include "support/FakeClock.h"
#include "support/MemorySettingsStore.h"
#include "support/ScriptedPrinterDialog.h"
#include "support/ScriptedPrompts.h"
#include "support/TestFiles.h"

namespace polvane {
namespace {

using Op = RecordingPrinter::Op;

// A text entry of a PDF file's Info dictionary, as a PDF reader shows it: the literal string
// after the key, its escapes undone, UTF-16 (big-endian, after its byte-order mark) decoded.
std::string PdfInfo(const QString& path, const std::string& key)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "(no file)";
    const QByteArray pdf = file.readAll();
    const qsizetype start = pdf.indexOf(QByteArray::fromStdString("/" + key + " ("));
    if (start < 0)
        return "(no entry)";
    QByteArray bytes;
    for (qsizetype i = start + static_cast<qsizetype>(key.size()) + 3; i < pdf.size() && pdf[i] != ')'; ++i) {
        if (pdf[i] == '\\' && i + 1 < pdf.size())
            ++i;
        bytes.append(pdf[i]);
    }
    if (!bytes.startsWith("\xFE\xFF"))
        return bytes.toStdString();
    QString text;
    for (qsizetype i = 2; i + 1 < bytes.size(); i += 2)
        text.append(QChar(static_cast<char16_t>((static_cast<unsigned char>(bytes[i]) << 8) | static_cast<unsigned char>(bytes[i + 1]))));
    return text.toStdString();
}

// The progress window as it was when the sheet let window messages run.
struct ProgressLook {
    bool visible = false;
    bool modal = false;
    std::string title;
    bool timeLabelVisible = true;
};

class RiggingSheetCommandTest : public ::testing::Test {
protected:
    RiggingSheetCommandTest()
        : folder_(temp_.path().toStdString()), session_(store_), recent_(store_),
          reporter_(folder_, clock_, prompts_, [] { return std::string("Quessel Polvane"); },
                    "2.4.0", [this] { ++ends_; }, [this] { ++ends_; }),
          lifecycle_(session_, prompts_, mainWindow_, recent_, [] { return std::string(); },
                     [] { return std::string("Quessel Polvane"); }),
          command_(session_, clock_, prompts_, dialog_, lifecycle_, reporter_, progress_)
    {
        prompts_.SetAnswerOkBoxes(true);
        testing::ArraySpec array;
        array.cells = {{0}, {2}};
        auto hall = testing::MakeVenue(array);
        lifecycle_.Venue().TakeContentOf(std::move(*hall));
        clock_.SetNow({2026, 3, 7, 14, 5, 9});
    }
    ProgressLook Look() const
    {
        ProgressLook look;
        look.visible = progress_.isVisible();
        look.modal = progress_.isModal() || progress_.windowModality() != Qt::NonModal;
        look.title = progress_.windowTitle().toStdString();
        look.timeLabelVisible = !progress_.lblTimeRemaining()->isHidden();
        return look;
    }

    std::string Log() const { return ReadAll(reporter_.LogPath()); }

    QTemporaryDir temp_;
    ProgramFolder folder_;
    MemorySettingsStore store_;
    Session session_;
    RecentFiles recent_;
    FakeClock clock_;
    ScriptedPrompts prompts_;
    ScriptedPrinterDialog dialog_;
    FakeShellMainWindow mainWindow_;
    int ends_ = 0;
    ErrorReporter reporter_;
    VenueLifecycle lifecycle_;
    ProgressWindow progress_;
    RiggingSheetCommand command_;
};

TEST_F(RiggingSheetCommandTest, CancellingThePrinterDialogEndsSilently)
{
    dialog_.SetAnswer(false);
    command_.Run();
    EXPECT_EQ(dialog_.TimesShown(), 1);
    EXPECT_EQ(dialog_.JobsStarted(), 0);
    EXPECT_EQ(clock_.MessageRuns(), 0);
    EXPECT_TRUE(session_.Results().CellResults.empty()) << "no prediction";
    EXPECT_TRUE(prompts_.Requests().empty());
    EXPECT_EQ(ends_, 0);
}

TEST_F(RiggingSheetCommandTest, TheSheetPrintsWithTheProgressWindowInPrintingMode)
{
    ProgressLook during;
    clock_.SetOnMessages([&] {
        if (clock_.MessageRuns() == 2) // the sheet's first step
            during = Look();
    });
    command_.Run();

    const RecordingPrinter& job = dialog_.Job();
    EXPECT_EQ(job.CallsOf(Op::EndDoc).size(), 1u);
    EXPECT_EQ(job.TextCall("File:").text, "File:");
    EXPECT_NO_THROW(job.TextCall("(untitled)"));
    const std::string today =
        QLocale::system().toString(QDate(2026, 3, 7), QLocale::ShortFormat).toStdString();
    EXPECT_EQ(RiggingSheetCommand::ShortDate(clock_.Now()), today);
    EXPECT_NO_THROW(job.TextCall(today));
    EXPECT_EQ(session_.Results().CellResults.size(), 2u);

    EXPECT_TRUE(during.visible);
    EXPECT_FALSE(during.modal) << "the other windows stay live";
    EXPECT_EQ(during.title, "Printing Progress...");
    EXPECT_FALSE(during.timeLabelVisible);
    // Hidden afterwards, its label back at the start.
    EXPECT_FALSE(progress_.isVisible());
    EXPECT_EQ(progress_.lblProgress()->text().toStdString(), "0.00%");
    EXPECT_EQ(ends_, 0);
    EXPECT_TRUE(prompts_.Requests().empty());
}

TEST_F(RiggingSheetCommandTest, TheJobIsNamedAfterTheVenueAndMadeByTheProgram)
{
    const std::string creator = std::string("Quessel Polvane ") + BuildVersion::Text();
    command_.Run();
    EXPECT_EQ(dialog_.JobTitle(), "(untitled venue)");
    EXPECT_EQ(dialog_.JobCreator(), creator);

    const std::string path = (std::filesystem::path(temp_.path().toStdString()) / "Main Hall.venue").string();
    VenueFile::SaveAs(lifecycle_.Venue(), path);
    ASSERT_TRUE(lifecycle_.OpenVenue(path));
    command_.Run();
    EXPECT_EQ(dialog_.JobTitle(), "Main Hall");
    EXPECT_EQ(dialog_.JobCreator(), creator);
}

TEST_F(RiggingSheetCommandTest, PrintChosenAgainWhilePrintingIsIgnoredAndStopDoesNotStop)
{
    clock_.SetOnMessages([&] {
        if (clock_.MessageRuns() == 3) {
            command_.Run();
            progress_.cmdCancel()->click();
        }
    });
    command_.Run();
    EXPECT_EQ(dialog_.TimesShown(), 1);
    EXPECT_EQ(dialog_.Job().CallsOf(Op::EndDoc).size(), 1u);
    EXPECT_TRUE(progress_.CancelFlag()) << "raised, but never read by printing";

    // Once done, Print works again.
    command_.Run();
    EXPECT_EQ(dialog_.TimesShown(), 2);
}

TEST_F(RiggingSheetCommandTest, ARefusingPrinterGetsAMessageAndTheProgramGoesOn)
{
    dialog_.SetJobFailure("The printer is out of paper.");
    command_.Run();
    ASSERT_EQ(prompts_.Requests().size(), 1u);
    EXPECT_NE(prompts_.Requests()[0].text.find("The printer is out of paper."), std::string::npos);
    EXPECT_NE(prompts_.Requests()[0].text.find("rigging sheet could not be printed"),
              std::string::npos);
    EXPECT_EQ(ends_, 0);
    EXPECT_FALSE(progress_.isVisible());
}

TEST_F(RiggingSheetCommandTest, AFaultOnTheWayGoesToTheErrorReporterUnderPrintOut)
{
    clock_.SetOnMessages([&] {
        if (clock_.MessageRuns() == 4)
            throw std::out_of_range("no such cell");
    });
    command_.Run();
    EXPECT_EQ(ends_, 1);
    EXPECT_NE(Log().find("\"modMain.PrintOut\""), std::string::npos);
    EXPECT_TRUE(dialog_.Job().CallsOf(Op::EndDoc).empty());
    EXPECT_FALSE(progress_.isVisible());
}

// One sheet through the Qt printer into a PDF file of the test's own.
TEST_F(RiggingSheetCommandTest, ThroughTheQtPrinterTheSheetBecomesAPdfFile)
{
    QtPrinterDialog pdf;
    const QString path = temp_.filePath(QStringLiteral("sheet.pdf"));
    pdf.Device().setOutputFormat(QPrinter::PdfFormat);
    pdf.Device().setOutputFileName(path);
    pdf.Device().setPageSize(QPageSize(QPageSize::Letter));
    pdf.Device().setResolution(300);
    lifecycle_.Venue().LineArray().Bumper().SetRigging(RiggingCode::DualPoint);

    // The dialog itself is never shown in tests: the job starts as if it had been accepted.
    {
        auto job = pdf.StartJob("Hall A", "Quessel Polvane 2.4.0");
        RiggingSheet sheet(*job, prompts_, progress_.Bar(), progress_.PercentCaption(), clock_);
        sheet.PrintOut(lifecycle_.Venue(), RiggingSheet::Settings{}, session_.Results());
    }
    EXPECT_TRUE(prompts_.Requests().empty()) << "one page";
    const QFileInfo file(path);
    ASSERT_TRUE(file.exists());
    EXPECT_GT(file.size(), 2000);
    EXPECT_EQ(PdfInfo(path, "Title"), "Hall A");
    EXPECT_EQ(PdfInfo(path, "Creator"), "Quessel Polvane 2.4.0");

    // A name with brackets, a backslash and letters beyond ASCII reads back the same.
    {
        auto job = pdf.StartJob("Salle \xC3\x89toile (main) \\ 2", "Quessel Polvane 2.4.0");
        RiggingSheet sheet(*job, prompts_, progress_.Bar(), progress_.PercentCaption(), clock_);
        sheet.PrintOut(lifecycle_.Venue(), RiggingSheet::Settings{}, session_.Results());
    }
    EXPECT_EQ(PdfInfo(path, "Title"), "Salle \xC3\x89toile (main) \\ 2");

    // A file the printer cannot write is a refusal, not a fault.
    pdf.Device().setOutputFileName(temp_.filePath(QStringLiteral("missing/folder/sheet.pdf")));
    EXPECT_THROW(pdf.StartJob("Hall A", "Quessel Polvane 2.4.0"), PrinterFailure);
}

} // namespace
} // namespace polvane
