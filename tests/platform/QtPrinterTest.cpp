#include "platform/QtPrinter.h"

#include <QFile>
#include <QFileInfo>
#include <QPageSize>
#include <QPrinter>
#include <QTemporaryDir>

#include <stdexcept>

#include <gtest/gtest.h>

namespace polvane {
namespace {

// Jobs go to a PDF file in a folder of the test's own, never to a printer.
class QtPrinterTest : public ::testing::Test {
protected:
    QtPrinterTest()
    {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(Path());
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setResolution(600);
    }

    QString Path() const { return folder.filePath(QStringLiteral("sheet.pdf")); }

    QTemporaryDir folder;
    QPrinter printer{QPrinter::HighResolution};
};

TEST_F(QtPrinterTest, ThePageIsMeasuredInInchesOverTheWholePaper)
{
    QtPrinter job(printer);
    EXPECT_NEAR(job.PageWidth(), 210 / 25.4, 0.01);
    EXPECT_NEAR(job.PageHeight(), 297 / 25.4, 0.01);
    EXPECT_NEAR(job.TwipsPerPixelX(), 1440.0 / 600, 1e-4);
    EXPECT_EQ(job.Page(), 1);
}

TEST_F(QtPrinterTest, TextIsMeasuredInTheChosenFontAndPrintingMovesToTheNextLine)
{
    QtPrinter job(printer);
    job.SetFont(8, false);
    const float small = job.TextHeight("Xy");
    const float narrow = job.TextWidth("Xy");
    job.SetFont(16, true);
    const float large = job.TextHeight("Xy");
    EXPECT_GT(small, 0.05f);
    EXPECT_LT(small, 0.3f);
    EXPECT_NEAR(large / small, 2, 0.3);
    EXPECT_GT(job.TextWidth("Xy"), narrow);
    EXPECT_GT(job.TextWidth("Xy Xy"), job.TextWidth("Xy"));
    EXPECT_EQ(job.TextWidth(""), 0);

    job.SetCurrentX(2);
    job.SetCurrentY(3);
    job.Print("Polvane Rigging Sheet");
    EXPECT_EQ(job.CurrentX(), 0);
    EXPECT_NEAR(job.CurrentY(), 3 + large, 1e-5);

    job.DrawLine(1, 1, 2, 1.5f);
    EXPECT_EQ(job.CurrentX(), 2);
    EXPECT_EQ(job.CurrentY(), 1.5f);
    job.DrawPie(4, 4, 0.07f, 0, 1);
    EXPECT_EQ(job.CurrentX(), 4);
}

TEST_F(QtPrinterTest, AnEndedJobIsWrittenOut)
{
    {
        QtPrinter job(printer);
        job.SetFillStyle(Printer::FillStyle::Solid);
        job.SetFillColor(Printer::kWhite);
        job.SetLineWidth(6);
        job.DrawCircle(3, 3, 0.5f);
        job.SetTransparentText(false);
        job.Print("7.5°");
        job.PaintPicture("Logo", 5, 0.75f, 2, 0.5f);
        job.EndDoc();
    }
    QFile pdf(Path());
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(5).startsWith("%PDF"));
}

TEST_F(QtPrinterTest, TextBeyondTheBottomOfThePaperStartsANewPage)
{
    QtPrinter job(printer);
    job.SetFont(11, false);
    job.SetCurrentY(job.PageHeight() - job.TextHeight("Xy") / 2);
    job.Print("last line");
    EXPECT_EQ(job.Page(), 2);
    EXPECT_NEAR(job.CurrentY(), job.TextHeight("Xy"), 1e-5);
    job.KillDoc();
}

TEST_F(QtPrinterTest, OnlyTheProgramsOwnPicturesCanBePainted)
{
    QtPrinter job(printer);
    EXPECT_THROW(job.PaintPicture("Splash", 0, 0, 1, 1), std::invalid_argument);
    job.KillDoc();
}

TEST_F(QtPrinterTest, ACancelledJobLeavesNoPrintout)
{
    {
        QtPrinter job(printer);
        job.Print("nothing");
        job.KillDoc();
    }
    QFileInfo pdf(Path());
    EXPECT_TRUE(!pdf.exists() || pdf.size() == 0) << pdf.size();
}

} // namespace
} // namespace polvane
