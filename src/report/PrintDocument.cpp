#include "report/PrintDocument.h"

#include <cmath>
#include <stdexcept>
#include <utility>

#include "platform/Printer.h"
#include "platform/Prompts.h"
#include "report/PrintBox.h"

namespace polvane {

namespace {

// Grows the memorised-position lists in steps, as the page's positions come a few at a time.
constexpr int kMemoryStep = 100;

// The logo bitmap's aspect and its share of the printable height.
constexpr float kLogoHeightPercent = 6.301167f;
constexpr float kLogoWidthPixels = 630.0f;
constexpr float kLogoHeightPixels = 166.0f;

constexpr float kCursor = -1.0f;
constexpr float kTwipsPerInch = 1440.0f;

// White between a rule's ink and the descenders above it, and the line below it.
constexpr float kRuleGapInches = 0.015f;

} // namespace

PrintDocument::PrintDocument(Printer& printer, Prompts& prompts, std::string title)
    : printer_(printer), prompts_(prompts), title_(std::move(title))
{
    printer_.SetForeColor(Printer::kBlack);
    printer_.SetFillStyle(Printer::FillStyle::Solid);
    // With a white fill every circle hides what lies beneath it.
    printer_.SetFillColor(Printer::kWhite);

    twipsPerPixel_ = printer_.TwipsPerPixelX();
    if (!(twipsPerPixel_ > 0) || !std::isfinite(twipsPerPixel_))
        throw std::runtime_error("The printer reports no pixel size.");

    const float pageWidth = printer_.PageWidth();
    const float pageHeight = printer_.PageHeight();
    printableLeft_ = (pageWidth - kPrintableWidth) / 2;
    printableRight_ = pageWidth - printableLeft_;
    printableWidth_ = printableRight_ - printableLeft_;
    printableTop_ = (pageHeight - kPrintableHeight) / 2;
    printableBottom_ = pageHeight - printableTop_;
    printableHeight_ = printableBottom_ - printableTop_;

    SetX(0);
    SetY(0);
}

void PrintDocument::BlankLine(int n)
{
    printer_.SetCurrentY(printer_.CurrentY() + n * lineHeight_);
}

std::unique_ptr<PrintBox> PrintDocument::CreateFreeformBox(float left, float top, float right,
                                                           float bottom, float padLeft,
                                                           float padTop, float padRight,
                                                           float padBottom, bool border)
{
    const float l = PercentToX(left);
    const float r = PercentToX(right);
    const float t = top < 0 ? printer_.CurrentY() : PercentToY(top);
    const float b = PercentToY(bottom);
    if (border) {
        printer_.SetForeColor(Printer::kBlack);
        printer_.DrawLine(l, t, r, t);
        printer_.DrawLine(r, t, r, b);
        printer_.DrawLine(r, b, l, b);
        printer_.DrawLine(l, b, l, t);
    }
    // The pads are shares of the whole printable area, so boxes of any size keep equal margins.
    return std::make_unique<PrintBox>(*this, l + padLeft / 100 * printableWidth_,
                                      t + padTop / 100 * printableHeight_,
                                      r - padRight / 100 * printableWidth_,
                                      b - padBottom / 100 * printableHeight_);
}

void PrintDocument::Finalize()
{
    const int page = printer_.Page();
    if (page == 1) {
        printer_.EndDoc();
        return;
    }
    // The sheet is laid out for one page; a job that ran onto another is not worth printing.
    prompts_.ShowMessage("Pages : " + std::to_string(page), title_,
                         MessageButtons::Ok);
    printer_.KillDoc();
}

int PrintDocument::MemorizePosition()
{
    ++memorisedCount_;
    if (memorisedCount_ > static_cast<int>(memorisedX_.size())) {
        memorisedX_.resize(memorisedX_.size() + kMemoryStep);
        memorisedY_.resize(memorisedY_.size() + kMemoryStep);
    }
    memorisedX_[memorisedCount_ - 1] = printer_.CurrentX();
    memorisedY_[memorisedCount_ - 1] = printer_.CurrentY();
    return memorisedCount_;
}

void PrintDocument::Logo()
{
    const float height = kLogoHeightPercent / 100 * printableHeight_;
    const float width = height * kLogoWidthPixels / kLogoHeightPixels;
    printer_.PaintPicture("Logo", printableRight_ - width, printableTop_, width, height);
}

void PrintDocument::SeekToMemorizedPosition(int n)
{
    if (n < 1 || n > memorisedCount_)
        throw std::out_of_range("No memorised position " + std::to_string(n) + " on the page.");
    printer_.SetCurrentX(memorisedX_[n - 1]);
    printer_.SetCurrentY(memorisedY_[n - 1]);
}

void PrintDocument::SetBorderClipping(float left, float right)
{
    ruleLeft_ = left;
    ruleRight_ = right;
}

void PrintDocument::SetDrawingWidth(float twips)
{
    const float pixels = TwipsToPixels(twips);
    if (!(pixels >= 0) || pixels > 1e6f)
        throw std::invalid_argument("A drawing width of " + std::to_string(twips) +
                                    " twips cannot be printed.");
    // Halves go to the even neighbour, as the printer's own rounding does.
    float whole = std::round(pixels);
    if (std::fabs(pixels - std::trunc(pixels)) == 0.5f)
        whole = 2 * std::round(pixels / 2);
    printer_.SetLineWidth(static_cast<int>(whole));
    lineWidth_ = whole * twipsPerPixel_ / kTwipsPerInch;
}

void PrintDocument::SetTextStyle(int style)
{
    switch (style) {
    case 0: printer_.SetFont(16, true); break;
    case 1: printer_.SetFont(11, false); break;
    case 2: printer_.SetFont(8, false); break;
    default: break;
    }
    lineHeight_ = printer_.TextHeight("Xy");
}

void PrintDocument::Text(const std::string& text, int align, bool keepOnLine, bool rule, float x,
                         float y)
{
    const float cursorX = printer_.CurrentX();
    const float anchorX = x == kCursor ? cursorX : PercentToX(x);
    const float anchorY = y == kCursor ? printer_.CurrentY() : PercentToY(y);

    if (rule) {
        // Under the whole line, whatever the text's own width, with its ink clear of the
        // descenders; the next line starts as far clear below it.
        const float clearance = lineWidth_ / 2 + kRuleGapInches;
        const float ruleY = anchorY + lineHeight_ + clearance;
        printer_.SetForeColor(Printer::kBlack);
        printer_.DrawLine(PercentToX(ruleLeft_), ruleY, PercentToX(ruleRight_), ruleY);
        ruledLineY_ = anchorY;
        belowRule_ = ruleY + clearance;
    }

    const float width = printer_.TextWidth(text);
    float startX = cursorX;
    float endX = cursorX;
    switch (align) {
    case 0:
        startX = anchorX;
        endX = anchorX + width;
        break;
    case 1:
        startX = anchorX - width;
        endX = anchorX;
        break;
    case 2:
        startX = anchorX - width / 2;
        endX = anchorX + width / 2;
        break;
    default: break;
    }
    printer_.SetCurrentX(startX);
    printer_.SetCurrentY(anchorY);
    printer_.Print(text);

    if (keepOnLine) {
        printer_.SetCurrentX(endX);
        printer_.SetCurrentY(anchorY);
    } else {
        // The printer has moved to the next line; a following call at the cursor starts
        // it under the same anchor, and below the rule of a ruled line.
        printer_.SetCurrentX(anchorX);
        if (ruledLineY_ == anchorY && printer_.CurrentY() < belowRule_)
            printer_.SetCurrentY(belowRule_);
    }
}

float PrintDocument::TextWidth(const std::string& text) const
{
    return printer_.TextWidth(text) / printableWidth_ * 100;
}

float PrintDocument::x() const { return XToPercent(printer_.CurrentX()); }

void PrintDocument::SetX(float percent) { printer_.SetCurrentX(PercentToX(percent)); }

float PrintDocument::y() const { return YToPercent(printer_.CurrentY()); }

void PrintDocument::SetY(float percent) { printer_.SetCurrentY(PercentToY(percent)); }

float PrintDocument::PercentToX(float percent) const
{
    return printableLeft_ + percent / 100 * printableWidth_;
}

float PrintDocument::PercentToY(float percent) const
{
    return printableTop_ + percent / 100 * printableHeight_;
}

float PrintDocument::XToPercent(float inches) const
{
    return (inches - printableLeft_) / printableWidth_ * 100;
}

float PrintDocument::YToPercent(float inches) const
{
    return (inches - printableTop_) / printableHeight_ * 100;
}

float PrintDocument::TwipsToPixels(float twips) const { return twips / twipsPerPixel_; }

} // namespace polvane
